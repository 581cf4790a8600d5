// quorel-decode [--reduction N] [--conversion N] [--raw] INPUT OUTPUT
// Decodes an MPEG audio file to a WAV file (or raw PCM); OUTPUT "-" is standard output.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "Decoder.h"

namespace {

// Input is read through one fixed buffer, refilled whenever fewer than kRefillBelow
// bytes remain: more than eight of the largest frames (Layer I, 448 kbit/s at 32 kHz:
// 1684 bytes), as the playback thread keeps. Zeros follow the data, so that
// DecodeFrame may read a whole frame as its header describes it even when the file
// stops short.
constexpr size_t kBufferSize = 65536;
constexpr size_t kRefillBelow = 16384;
constexpr size_t kInputPadding = 8192;

class InputStream {
  public:
    explicit InputStream(FILE* file) : file_(file) {}

    // Moves the unread bytes to the front and reads behind them; false on a read error.
    bool Refill() {
        const size_t held = end_ - begin_;
        std::memmove(buffer_, buffer_ + begin_, held);
        begin_ = 0;
        end_ = held;
        while (!eof_ && end_ < kBufferSize) {
            const size_t got = std::fread(buffer_ + end_, 1, kBufferSize - end_, file_);
            end_ += got;
            if (got == 0) {
                eof_ = true;
                if (std::ferror(file_)) return false;
            }
        }
        std::memset(buffer_ + end_, 0, kInputPadding);
        return true;
    }
    // Keeps enough bytes ahead for the next frame.
    bool KeepFilled() { return Available() >= kRefillBelow || eof_ || Refill(); }
    const uint8_t* Data() const { return buffer_ + begin_; }
    size_t Available() const { return end_ - begin_; }
    bool AtEnd() const { return eof_; }
    void Consume(size_t bytes) { begin_ += std::min(bytes, Available()); }

  private:
    FILE* file_;
    uint8_t buffer_[kBufferSize + kInputPadding] = {};
    size_t begin_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
};

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

// Length of an ID3v2 tag at the start of bytes (at least 10 of them), 0 when none.
size_t Id3v2Length(const uint8_t* bytes) {
    if (std::memcmp(bytes, "ID3", 3) != 0) return 0;
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

// Whole frames from the file position on, walked by their header lengths; the
// position is restored.
int64_t CountWholeFrames(FILE* file) {
    const long start = std::ftell(file);
    int64_t frames = 0;
    uint8_t header[4];
    long position = start;
    while (std::fseek(file, position, SEEK_SET) == 0 && std::fread(header, 1, 4, file) == 4) {
        const int32_t length = FrameLength(header);
        if (length == 0 || std::fseek(file, position + length - 1, SEEK_SET) != 0 ||
            std::fgetc(file) == EOF)
            break;
        position += length;
        ++frames;
    }
    std::fseek(file, start, SEEK_SET);
    return frames;
}

// The output goes out in large writes: with the C library's 4 KiB buffer
// every frame became a system call, which the decoder's timings then carried.
constexpr size_t kOutputBufferSize = 1 << 18;

FILE* OpenOutput(const char* path) {
    FILE* output = stdout;
    if (std::strcmp(path, "-") != 0) {
        output = std::fopen(path, "wb");
        if (output == nullptr) return nullptr;
    } else {
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY);
#endif
    }
    std::setvbuf(output, nullptr, _IOFBF, kOutputBufferSize);
    return output;
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

// Skips an ID3v2 tag and finds the first frame header, searching on past buffers
// without a sync candidate; leaves the stream at the header. False when no valid
// header is found (the first candidate decides, as FindFrameHeader does).
bool FindFirstHeader(InputStream& input, FrameHeader& header) {
    if (!input.Refill()) return false;
    size_t tag = input.Available() >= 10 ? Id3v2Length(input.Data()) : 0;
    while (tag > 0 && input.Available() > 0) {
        const size_t step = std::min(tag, input.Available());
        input.Consume(step);
        tag -= step;
        if (!input.Refill()) return false;
    }
    for (;;) {
        const int32_t searched = static_cast<int32_t>(input.Available());
        int32_t offset = 0;
        if (FindFrameHeader(input.Data(), searched, header, offset)) {
            input.Consume(static_cast<size_t>(offset));
            return input.Refill();
        }
        const uint8_t* at = input.Data() + offset;
        const bool candidate = searched > 3 && at[0] == 0xFF && (at[1] & 0xF0) == 0xF0;
        if (candidate || input.AtEnd()) return false;
        // No candidate: keep the last three bytes, which may begin one.
        input.Consume(input.Available() > 3 ? input.Available() - 3 : 0);
        if (!input.Refill()) return false;
    }
}

int main(int argc, char** argv) {
    Arguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        PrintUsage();
        return 2;
    }
    FILE* file = std::fopen(arguments.input, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "quorel-decode: cannot read %s\n", arguments.input);
        return 1;
    }
    static InputStream input(file);

    DecoderInitTables();
    FrameHeader header;
    OutputShape shape;
    if (!DecoderSetOptions(arguments.options) || !FindFirstHeader(input, header) ||
        !GetOutputShape(header, shape) || !DecoderStart(header)) {
        std::fprintf(stderr, "quorel-decode: %s: no decodable MPEG audio stream\n",
                     arguments.input);
        std::fclose(file);
        return 1;
    }
    std::fprintf(stderr, "MPEG-%d Layer %d, %d kbit/s, %d Hz, %s\n", header.version == 1 ? 1 : 2,
                 4 - header.layer, header.bitrate, header.sampleRate, ModeName(header.mode));
    std::fprintf(stderr, "output: %d Hz, %d channel(s), %d bits\n", shape.outputRate,
                 shape.channels, shape.bitsPerSample);

    FILE* output = OpenOutput(arguments.output);
    if (output == nullptr) {
        std::fprintf(stderr, "quorel-decode: cannot write %s\n", arguments.output);
        std::fclose(file);
        return 1;
    }
    // The WAV header announces every whole frame; it is corrected below when
    // decoding stops early and the output can be rewound.
    uint32_t announced = 0;
    if (!arguments.raw) {
        const long streamStart = std::ftell(file) - static_cast<long>(input.Available());
        std::fseek(file, streamStart, SEEK_SET);
        announced = static_cast<uint32_t>(
            std::min<int64_t>(CountWholeFrames(file) * shape.pcmBytesPerFrame, 0x7FFFFFFF));
        std::fseek(file, streamStart + static_cast<long>(input.Available()), SEEK_SET);
    }
    bool ok = arguments.raw || WriteBytes(output, WaveHeader(shape, announced));

    std::vector<uint8_t> frame(static_cast<size_t>(shape.pcmBytesPerFrame));
    int64_t frames = 0;
    uint64_t written = 0;
    while (ok && (ok = input.KeepFilled()) && input.Available() > 0) {
        // Only whole frames are decoded; a frame cut off by the end of the file is dropped.
        const int32_t length = FrameLength(input.Data());
        if (length == 0 || static_cast<size_t>(length) > input.Available()) break;
        const DecodeResult result = DecodeFrame(input.Data(), frame.data());
        if (result.consumed == 0 || result.produced == 0) break;
        ok = std::fwrite(frame.data(), 1, static_cast<size_t>(result.produced), output) ==
             static_cast<size_t>(result.produced);
        written += static_cast<uint64_t>(result.produced);
        input.Consume(static_cast<size_t>(result.consumed));
        ++frames;
    }
    std::fclose(file);
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
