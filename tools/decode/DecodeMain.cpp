// quorel-decode [--reduction N] [--conversion N] [--raw] INPUT OUTPUT
// Decodes an MPEG audio file to a WAV file (or raw PCM); OUTPUT "-" is standard output.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "Decoder.h"

namespace {

// Room past the end of the data, so that DecodeFrame may read a whole frame as its
// header describes it even when the file stops short.
constexpr size_t kInputPadding = 8192;

struct Arguments {
    DecodeOptions options = kDefaultDecodeOptions;
    bool raw = false;
    const char* input = nullptr;
    const char* output = nullptr;
};

void PrintUsage() {
    std::fprintf(stderr,
                 "usage: quorel-decode [--reduction N] [--conversion N] [--raw] INPUT OUTPUT\n"
                 "  --reduction N   output rate = stream rate >> N (0, 1, 2)\n"
                 "  --conversion N  0 both channels, 1 mix, 2 left, 3 right; +8 for 8-bit\n"
                 "  --raw           write raw PCM instead of a WAV file\n"
                 "  OUTPUT - writes to standard output\n");
}

bool ParseNumber(const char* text, int32_t low, int32_t high, int32_t& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < low || parsed > high) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool ParseArguments(int argc, char** argv, Arguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--raw") == 0) {
            arguments.raw = true;
        } else if (std::strcmp(arg, "--reduction") == 0 && i + 1 < argc) {
            if (!ParseNumber(argv[++i], 0, 2, arguments.options.reduction)) return false;
        } else if (std::strcmp(arg, "--conversion") == 0 && i + 1 < argc) {
            if (!ParseNumber(argv[++i], 0, 15, arguments.options.conversion)) return false;
        } else if (arguments.input == nullptr) {
            arguments.input = arg;
        } else if (arguments.output == nullptr) {
            arguments.output = arg;
        } else {
            return false;
        }
    }
    return arguments.input != nullptr && arguments.output != nullptr;
}

// Reads the file and pads it with zeros; size receives the file's length.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes, size_t& size) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    bool ok = true;
    try {
        // One allocation for the file and the padding behind it, when the size is known.
        if (std::fseek(file, 0, SEEK_END) == 0) {
            const long size = std::ftell(file);
            if (size > 0) bytes.reserve(static_cast<size_t>(size) + kInputPadding);
            std::rewind(file);
        }
        uint8_t block[65536];
        size_t got;
        while ((got = std::fread(block, 1, sizeof(block), file)) > 0)
            bytes.insert(bytes.end(), block, block + got);
        ok = std::ferror(file) == 0;
        size = bytes.size();
        bytes.resize(size + kInputPadding, 0);
    } catch (const std::exception&) {
        ok = false; // too large for memory
    }
    std::fclose(file);
    return ok;
}

// Length of an ID3v2 tag at the start, 0 when there is none.
size_t Id3v2Length(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 10 || std::memcmp(bytes.data(), "ID3", 3) != 0) return 0;
    size_t size = 0;
    for (int i = 6; i < 10; ++i) {
        if (bytes[i] & 0x80) return 0;
        size = (size << 7) | bytes[i];
    }
    const size_t footer = (bytes[5] & 0x10) ? 10 : 0;
    return 10 + size + footer;
}

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> WaveHeader(const OutputShape& shape, uint32_t dataBytes) {
    std::vector<uint8_t> header;
    const uint32_t blockAlign = static_cast<uint32_t>(shape.channels * shape.bitsPerSample / 8);
    header.insert(header.end(), {'R', 'I', 'F', 'F'});
    PutLittleEndian(header, 36 + dataBytes, 4);
    header.insert(header.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLittleEndian(header, 16, 4);
    PutLittleEndian(header, 1, 2); // PCM
    PutLittleEndian(header, static_cast<uint32_t>(shape.channels), 2);
    PutLittleEndian(header, static_cast<uint32_t>(shape.outputRate), 4);
    PutLittleEndian(header, static_cast<uint32_t>(shape.outputRate) * blockAlign, 4);
    PutLittleEndian(header, blockAlign, 2);
    PutLittleEndian(header, static_cast<uint32_t>(shape.bitsPerSample), 2);
    header.insert(header.end(), {'d', 'a', 't', 'a'});
    PutLittleEndian(header, dataBytes, 4);
    return header;
}

// Whole frames from position on, walked by their header lengths.
int64_t CountWholeFrames(const std::vector<uint8_t>& bytes, size_t position, size_t size) {
    int64_t frames = 0;
    while (position < size) {
        const int32_t length = FrameLength(bytes.data() + position);
        if (length == 0 || position + static_cast<size_t>(length) > size) break;
        position += static_cast<size_t>(length);
        ++frames;
    }
    return frames;
}

FILE* OpenOutput(const char* path) {
    if (std::strcmp(path, "-") != 0) return std::fopen(path, "wb");
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    return stdout;
}

bool WriteBytes(FILE* file, const std::vector<uint8_t>& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

const char* ModeName(int32_t mode) {
    static const char* const kNames[4] = {"stereo", "joint stereo", "dual channel",
                                          "single channel"};
    return kNames[mode & 3];
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        PrintUsage();
        return 2;
    }
    std::vector<uint8_t> bytes;
    size_t size = 0;
    if (!ReadWholeFile(arguments.input, bytes, size)) {
        std::fprintf(stderr, "quorel-decode: cannot read %s\n", arguments.input);
        return 1;
    }
    const size_t streamStart = std::min(Id3v2Length(bytes), size);

    DecoderInitTables();
    FrameHeader header;
    OutputShape shape;
    int32_t offset = 0;
    const int32_t searched = static_cast<int32_t>(std::min<size_t>(size - streamStart, 1 << 30));
    if (!DecoderSetOptions(arguments.options) ||
        !FindFrameHeader(bytes.data() + streamStart, searched, header, offset) ||
        !GetOutputShape(header, shape) || !DecoderStart(header)) {
        std::fprintf(stderr, "quorel-decode: %s: no decodable MPEG audio stream\n",
                     arguments.input);
        return 1;
    }
    std::fprintf(stderr, "MPEG-%d Layer %d, %d kbit/s, %d Hz, %s\n", header.version == 1 ? 1 : 2,
                 4 - header.layer, header.bitrate, header.sampleRate, ModeName(header.mode));
    std::fprintf(stderr, "output: %d Hz, %d channel(s), %d bits\n", shape.outputRate,
                 shape.channels, shape.bitsPerSample);

    FILE* output = OpenOutput(arguments.output);
    if (output == nullptr) {
        std::fprintf(stderr, "quorel-decode: cannot write %s\n", arguments.output);
        return 1;
    }
    size_t position = streamStart + static_cast<size_t>(offset);
    // The WAV header announces every whole frame; it is corrected below when
    // decoding stops early and the output can be rewound.
    const uint32_t announced = static_cast<uint32_t>(std::min<int64_t>(
        CountWholeFrames(bytes, position, size) * shape.pcmBytesPerFrame, 0x7FFFFFFF));
    bool ok = arguments.raw || WriteBytes(output, WaveHeader(shape, announced));

    std::vector<uint8_t> frame(static_cast<size_t>(shape.pcmBytesPerFrame));
    int64_t frames = 0;
    uint64_t written = 0;
    while (ok && position < size) {
        // Only whole frames are decoded; a frame cut off by the end of the file is dropped.
        const int32_t length = FrameLength(bytes.data() + position);
        if (length == 0 || position + static_cast<size_t>(length) > size) break;
        const DecodeResult result = DecodeFrame(bytes.data() + position, frame.data());
        if (result.consumed == 0 || result.produced == 0) break;
        ok = std::fwrite(frame.data(), 1, static_cast<size_t>(result.produced), output) ==
             static_cast<size_t>(result.produced);
        written += static_cast<uint64_t>(result.produced);
        position += static_cast<size_t>(result.consumed);
        ++frames;
    }
    if (ok && !arguments.raw && written != announced && output != stdout &&
        std::fseek(output, 0, SEEK_SET) == 0)
        ok = WriteBytes(output, WaveHeader(shape, static_cast<uint32_t>(written)));
    ok = std::fflush(output) == 0 && ok;
    if (output != stdout) ok = std::fclose(output) == 0 && ok;

    std::fprintf(stderr, "frames: %lld\n", static_cast<long long>(frames));
    if (!ok) {
        std::fprintf(stderr, "quorel-decode: cannot write %s\n", arguments.output);
        return 1;
    }
    if (frames == 0) {
        std::fprintf(stderr, "quorel-decode: %s: no frame could be decoded\n", arguments.input);
        return 1;
    }
    return 0;
}
