// Files as people have them, through the input plug-in: ID3v2 tags of every
// version and encoding, stacked or with iTunes' frame sizes, a Latin-1 ID3v1
// tag, WAVE files in every sample coding and with INFO lists or ID3v2 chunks. Each file is read by
// GetFileInfo and by Open and must not change by being read or played; each WAVE file plays the PCM
// that sox reads from it, narrowed by the decoder's rule. Expected texts are
// code page 932 bytes written out by hand.
#include "Tessaly.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "StdPlaybackThread.h"
#include "TessalyTestSupport.h"

namespace {

using tessaly_test::Bytes;
using tessaly_test::Fixture;
using tessaly_test::ReadFile;

Bytes operator+(Bytes left, const Bytes& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}
Bytes B(const std::string& text) {
    return Bytes(text.begin(), text.end());
}
void Put32(Bytes& bytes, uint32_t value) {
    tessaly_test::Put32(bytes, value);
}

// ---- ID3v2 tags built by the format's rules --------------------------------

Bytes BigEndian(uint32_t value, int bytes, bool synchsafe) {
    Bytes out;
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(
            static_cast<uint8_t>(synchsafe ? (value >> (7 * i)) & 0x7F : value >> (8 * i)));
    return out;
}

// Inserts a 0x00 behind every 0xFF.
Bytes Unsynchronised(const Bytes& bytes) {
    Bytes out;
    for (uint8_t byte : bytes) {
        out.push_back(byte);
        if (byte == 0xFF) out.push_back(0);
    }
    return out;
}

Bytes Frame(int version, const std::string& id, const Bytes& data, uint8_t flags = 0) {
    if (version == 2) return B(id) + BigEndian(static_cast<uint32_t>(data.size()), 3, false) + data;
    return B(id) + BigEndian(static_cast<uint32_t>(data.size()), 4, version == 4) +
           Bytes{0, flags} + data;
}

Bytes Text(uint8_t encoding, const Bytes& text) {
    return Bytes{encoding} + text;
}
Bytes Comment(uint8_t encoding, const Bytes& description, const Bytes& text) {
    const Bytes end = encoding == 1 || encoding == 2 ? Bytes{0, 0} : Bytes{0};
    return Bytes{encoding} + B("eng") + description + end + text;
}

Bytes Id3v2(int version, uint8_t flags, const Bytes& body, bool footer = false) {
    const Bytes size = BigEndian(static_cast<uint32_t>(body.size()), 4, true);
    Bytes tag = B("ID3") + Bytes{static_cast<uint8_t>(version), 0, flags} + size + body;
    if (footer) tag = tag + B("3DI") + Bytes{static_cast<uint8_t>(version), 0, flags} + size;
    return tag;
}

Bytes Id3v1(const std::string& title, const std::string& artist, uint8_t genre) {
    Bytes tag(128, 0);
    std::memcpy(tag.data(), "TAG", 3);
    std::memcpy(tag.data() + 3, title.data(), title.size());
    std::memcpy(tag.data() + 33, artist.data(), artist.size());
    tag[127] = genre;
    return tag;
}

// The audio of the ID3v2 fixtures: the fixture file behind its tag.
Bytes ShortMpeg() {
    const Bytes file = ReadFile(Fixture("id3v23-utf16.mp3"));
    const size_t tagEnd = 10 + (file[6] << 21 | file[7] << 14 | file[8] << 7 | file[9]);
    return Bytes(file.begin() + static_cast<std::ptrdiff_t>(tagEnd), file.end());
}

// ---- WAVE files -----------------------------------------------------------

Bytes Chunk(const std::string& id, const Bytes& data) {
    Bytes chunk = B(id);
    Put32(chunk, static_cast<uint32_t>(data.size()));
    chunk = chunk + data;
    if (data.size() & 1) chunk.push_back(0);
    return chunk;
}

Bytes Info(const std::vector<std::pair<std::string, std::string>>& entries) {
    Bytes body = B("INFO");
    for (const auto& entry : entries)
        body = body + Chunk(entry.first, B(entry.second) + Bytes{0});
    return Chunk("LIST", body);
}

// A WAVE file's chunks behind "RIFF", size and "WAVE", with `chunk` put in
// front of the chunk named `before` ("" for at the end).
Bytes WithChunk(const Bytes& wave, const Bytes& chunk, const char* before) {
    Bytes out(wave.begin(), wave.begin() + 12);
    size_t at = 12;
    bool placed = false;
    while (at + 8 <= wave.size()) {
        const uint32_t size = wave[at + 4] | wave[at + 5] << 8 | wave[at + 6] << 16 |
                              static_cast<uint32_t>(wave[at + 7]) << 24;
        if (!placed && before[0] != '\0' && std::memcmp(&wave[at], before, 4) == 0) {
            out = out + chunk;
            placed = true;
        }
        const size_t end = std::min(wave.size(), at + 8 + size + (size & 1));
        out.insert(out.end(), wave.begin() + static_cast<std::ptrdiff_t>(at),
                   wave.begin() + static_cast<std::ptrdiff_t>(end));
        at = end;
    }
    if (!placed) out = out + chunk;
    const uint32_t riff = static_cast<uint32_t>(out.size() - 8);
    std::memcpy(out.data() + 4, &riff, 4);
    return out;
}

Bytes Wave(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& data) {
    Bytes format;
    tessaly_test::Put16(format, tag);
    tessaly_test::Put16(format, channels);
    Put32(format, rate);
    Put32(format, rate * channels * bits / 8);
    tessaly_test::Put16(format, static_cast<uint16_t>(channels * bits / 8));
    tessaly_test::Put16(format, bits);
    Bytes file = B("RIFF");
    Put32(file, 0);
    file = file + B("WAVE") + Chunk("fmt ", format) + Chunk("data", data);
    const uint32_t riff = static_cast<uint32_t>(file.size() - 8);
    std::memcpy(file.data() + 4, &riff, 4);
    return file;
}

Bytes Le(std::vector<uint32_t> values, int bytes) {
    Bytes out;
    for (uint32_t value : values)
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return out;
}

uint32_t FloatBits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// ---- The table ------------------------------------------------------------

struct Texts {
    std::string title, artist, album, year, comment;
    int32_t genre;
    uint8_t textFrom;
};

struct FileCase {
    const char* name;
    Bytes file;
    Texts texts;
};

// How the PCM played must relate to what sox reads (32-bit) from the file.
enum class Rule { Exact8, Truncated, WithinOne };

struct SoundCase {
    const char* name;
    const char* reference;
    int32_t channels, bits, bitRate;
    Rule rule;
};

// Text bytes of code page 932 (and of other code pages, kept as stored).
const std::string kNihongoTitle =
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x5E\x83\x43\x83\x67\x83\x8B";
const std::string kKashu = "\x89\xCC\x8E\xE8";
const std::string kKomento = "\x83\x52\x83\x81\x83\x93\x83\x67";
const std::string kTaitoru = "\x83\x5E\x83\x43\x83\x67\x83\x8B";
const std::string kFullWidthAB = "\x82\x60\x82\x61";
const std::string kKyokumei = "\x8B\xC8\x96\xBC";
const Bytes kUtf16LeAB = {0xFF, 0xFE, 0x21, 0xFF, 0x22, 0xFF}; // BOM, U+FF21, U+FF22
const Bytes kUtf16BeAB = {0xFF, 0x21, 0xFF, 0x22};

std::vector<FileCase> FileCases() {
    const Bytes audio = ShortMpeg();
    std::vector<FileCase> cases;
    cases.push_back({"mutagen 2.3, UTF-16 and a described comment",
                     ReadFile(Fixture("id3v23-utf16.mp3")),
                     {kNihongoTitle, kKashu, "Album", "2003", kKomento, 17, 1}});
    cases.push_back({"mutagen 2.4, UTF-8, UTF-16BE and Shift-JIS in a Latin-1 frame",
                     ReadFile(Fixture("id3v24-utf8.mp3")),
                     {"Caf? \x93\xFA\x96\x7B", "Beyonc?", kTaitoru, "2004", "?n?c?d? ?", 29, 1}});

    // Version 2.2: a Latin-1 "é" has no place in code page 932, nor "¥" but
    // as a look-alike (the backslash's byte); UTF-16
    // without a byte-order mark is little-endian.
    const Bytes v22 = Frame(2, "TT2", Text(0, B("Caf\xE9 \xA5"))) +
                      Frame(2, "TP1", Text(0, B(kKashu))) +
                      Frame(2, "TAL", Text(1, Bytes{'A', 0, 'l', 0, 'b', 0})) +
                      Frame(2, "TYE", Text(0, B("1999"))) + Frame(2, "TCO", Text(0, B("rock"))) +
                      Frame(2, "COM", Comment(0, {}, B("c22")));
    cases.push_back(
        {"2.2", Id3v2(2, 0, v22) + audio, {"Caf? ?", kKashu, "Alb", "1999", "c22", 17, 1}});

    // Version 2.3, unsynchronised as a whole, with an extended header; a
    // compressed and an encrypted frame are passed over, a grouped one read,
    // and the comment without a description wins.
    const Bytes extended = BigEndian(6, 4, false) + Bytes(6, 0);
    const Bytes v23 = Frame(3, "TPE1", Text(0, B("zipped")), 0x80) +
                      Frame(3, "TALB", Text(0, B("locked")), 0x40) +
                      Frame(3, "TIT2", Text(1, kUtf16LeAB)) +
                      Frame(3, "TALB", Bytes{7} + Text(0, B("grouped")), 0x20) +
                      Frame(3, "COMM", Comment(0, B("iTunNORM"), B("noise"))) +
                      Frame(3, "COMM", Comment(1, {}, Bytes{0xFF, 0xFE, 'o', 0, 'k', 0})) +
                      Frame(3, "TYER", Text(0, B("20011")));
    cases.push_back({"2.3 unsynchronised",
                     Id3v2(3, 0xC0, Unsynchronised(extended + v23)) + audio,
                     {kFullWidthAB, "", "grouped", "2001", "ok", 0, 1}});

    // Version 2.4: a frame unsynchronised on its own with a data length, an
    // extended header, a footer; the first of several genres; malformed UTF-8
    // (an overlong slash, an encoded surrogate) as '?'.
    const Bytes title = Text(2, kUtf16BeAB);
    const Bytes v24 =
        Frame(4, "TIT2",
              BigEndian(static_cast<uint32_t>(title.size()), 4, true) + Unsynchronised(title),
              0x03) +
        Frame(4, "TDRC", Text(3, B("2010-01-01"))) +
        Frame(4, "TCON", Text(3, B("8") + Bytes{0} + B("Rock"))) +
        Frame(4, "COMM",
              Comment(3, {},
                      B("A\xC0\xAF"
                        "B\xED\xA0\x80"
                        "C")));
    const Bytes extended24 = BigEndian(6, 4, true) + Bytes{1, 0};
    cases.push_back({"2.4 with a footer",
                     Id3v2(4, 0x50, extended24 + v24, true) + audio,
                     {kFullWidthAB, "", "", "2010", "A??B?C", 8, 1}});

    // ID3v2 texts fill only what the ID3v1 tag leaves blank.
    const Bytes both = Frame(3, "TIT2", Text(0, B("v2 title"))) +
                       Frame(3, "TPE1", Text(0, B("v2 artist"))) +
                       Frame(3, "TCON", Text(0, B("(12)")));
    cases.push_back({"ID3v1 and ID3v2",
                     Id3v2(3, 0, both) + audio + Id3v1("v1 title", std::string(30, ' '), 255),
                     {"v1 title", "v2 artist", "", "", "", 12, 1}});
    cases.push_back({"ID3v1 alone, Latin-1",
                     audio + Id3v1("Caf\xE9", "Beyonc\xE9" + std::string(22, ' '), 24),
                     {"Caf\xE9", "Beyonc\xE9", "", "", "", 24, 0}});

    // Tags stacked behind the first, one behind zero padding: each fills what
    // those before it left blank. The version 2.4 tag's comment has a size of
    // 200, synchsafe, which read plainly would lead nowhere.
    const Bytes stacked24 = Frame(4, "TIT2", Text(0, B("third title"))) +
                            Frame(4, "TCON", Text(0, B("(20)"))) +
                            Frame(4, "COMM", Comment(0, {}, B(std::string(195, 'c'))));
    cases.push_back({"stacked tags",
                     Id3v2(3, 0, Frame(3, "TIT2", Text(0, B("first title")))) +
                         Id3v2(3, 0, Frame(3, "TPE1", Text(0, B("second artist")))) +
                         Bytes(300, 0) + Id3v2(4, 0, stacked24) + audio,
                     {"first title", "second artist", "", "", std::string(127, 'c'), 20, 1}});

    // iTunes writes version 2.4 frame sizes of 128 and more as plain numbers.
    const Bytes itunes = Frame(3, "TIT2", Text(0, B(std::string(199, 't')))) +
                         Frame(3, "TPE1", Text(0, B("itunes artist"))) +
                         Frame(3, "TALB", Text(0, B(std::string(299, 'a')))) +
                         Frame(3, "TYER", Text(0, B("2008")));
    cases.push_back(
        {"2.4 with plain frame sizes",
         Id3v2(4, 0, itunes + Bytes(64, 0)) + audio,
         {std::string(127, 't'), "itunes artist", std::string(127, 'a'), "2008", "", 0, 1}});

    // WAVE INFO lists, before and behind the audio; texts as stored.
    const Bytes info = Info({{"INAM", kKyokumei},
                             {"IART", "R\xE9sum\xE9"},
                             {"IPRD", "P"},
                             {"ICRD", "20051"},
                             {"ICMT", "c"},
                             {"IGNR", "Jazz"}});
    cases.push_back({"WAVE INFO in front of the data",
                     WithChunk(ReadFile(Fixture("wave-s24.wav")), info, "data"),
                     {kKyokumei, "R\xE9sum\xE9", "P", "2005", "c", 8, 0}});
    cases.push_back({"WAVE INFO behind the data",
                     WithChunk(ReadFile(Fixture("wave-u8.wav")), Info({{"IGNR", "(17)"}}), ""),
                     {"", "", "", "", "", 17, 0}});

    // An ID3v2 tag in a WAVE chunk fills what the INFO list left blank.
    const Bytes id3Chunk = Chunk("id3 ", Id3v2(3, 0,
                                               Frame(3, "TIT2", Text(0, B("id3 title"))) +
                                                   Frame(3, "TPE1", Text(1, kUtf16LeAB)) +
                                                   Frame(3, "TCON", Text(0, B("(12)")))));
    cases.push_back({"WAVE INFO and an id3 chunk",
                     WithChunk(WithChunk(ReadFile(Fixture("wave-s24.wav")),
                                         Info({{"INAM", kKyokumei}}), "data"),
                               id3Chunk, ""),
                     {kKyokumei, kFullWidthAB, "", "", "", 12, 1}});
    const Bytes utf8Taitoru = {0xE3, 0x82, 0xBF, 0xE3, 0x82, 0xA4,
                               0xE3, 0x83, 0x88, 0xE3, 0x83, 0xAB};
    cases.push_back(
        {"WAVE with an ID3 chunk alone",
         WithChunk(ReadFile(Fixture("wave-u8.wav")),
                   Chunk("ID3 ", Id3v2(4, 0, Frame(4, "TIT2", Text(3, utf8Taitoru)))), "data"),
         {kTaitoru, "", "", "", "", 0, 1}});
    return cases;
}

class TessalyFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(tessaly.SetOutput(&output), 1);
        ASSERT_EQ(tessaly.SetCallback(tessaly_test::Report, reinterpret_cast<uintptr_t>(&reports)),
                  1);
    }
    void TearDown() override { tessaly.Close(); }

    std::string Scratch(const std::string& name, const Bytes& bytes) {
        const std::string path = testing::TempDir() + "tessaly-files-" + name;
        tessaly_test::WriteFile(path, bytes);
        return path;
    }

    // Opens and plays the file to its end; the PCM delivered.
    Bytes Played(const std::string& path, InputFileInfo* info) {
        output.Clear();
        reports.Clear();
        EXPECT_EQ(tessaly.Open(path.c_str(), info), 1);
        EXPECT_EQ(tessaly.Play(), 1);
        EXPECT_TRUE(reports.WaitForEnd());
        EXPECT_EQ(tessaly.Close(), 1);
        return output.Written();
    }

    Tessaly tessaly{std::make_unique<StdPlaybackThread>()};
    tessaly_test::SinkOutput output;
    tessaly_test::Reports reports;
};

void ExpectTexts(const TagRecord& tag, const Texts& texts) {
    EXPECT_EQ(std::string(tag.title), texts.title);
    EXPECT_EQ(std::string(tag.artist), texts.artist);
    EXPECT_EQ(std::string(tag.album), texts.album);
    EXPECT_EQ(std::string(tag.year), texts.year);
    EXPECT_EQ(std::string(tag.comment), texts.comment);
    EXPECT_EQ(tag.genre, texts.genre);
    EXPECT_EQ(tag.textFrom, texts.textFrom);
}

TEST_F(TessalyFilesTest, TagsAreShownAsStoredOrConvertedAndReadingChangesNoByte) {
    for (const FileCase& c : FileCases()) {
        SCOPED_TRACE(c.name);
        const std::string path = Scratch("tags", c.file);
        InputFileInfo listed = {};
        ASSERT_EQ(tessaly.GetFileInfo(path.c_str(), &listed), 1);
        ExpectTexts(listed.tag, c.texts);
        InputFileInfo opened = {};
        Played(path, &opened);
        ExpectTexts(opened.tag, c.texts);
        EXPECT_TRUE(ReadFile(path) == c.file) << "listing or playing changed the file";
    }
}

TEST_F(TessalyFilesTest, EveryWaveCodingPlaysWhatSoxReads) {
    const std::vector<SoundCase> cases = {
        {"wave-u8.wav", "wave-u8.s32", 2, 8, 128, Rule::Exact8},
        {"wave-u8-ext.wav", "wave-u8.s32", 2, 8, 128, Rule::Exact8},
        {"wave-s24.wav", "wave-s24.s32", 2, 16, 384, Rule::Truncated},
        {"wave-s24-plain.wav", "wave-s24.s32", 2, 16, 384, Rule::Truncated},
        {"wave-s24-mono.wav", "wave-s24-mono.s32", 1, 16, 192, Rule::Truncated},
        {"wave-s32.wav", "wave-s32.s32", 2, 16, 512, Rule::Truncated},
        {"wave-f32.wav", "wave-f32.s32", 2, 16, 512, Rule::WithinOne},
        {"wave-f32-ext.wav", "wave-f32.s32", 2, 16, 512, Rule::WithinOne},
    };
    for (const SoundCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes reference = ReadFile(Fixture(c.reference));
        ASSERT_EQ(reference.size(), static_cast<size_t>(1000 * c.channels * 4));
        InputFileInfo info = {};
        ASSERT_EQ(tessaly.GetFileInfo(Fixture(c.name).c_str(), &info), 1);
        EXPECT_EQ(info.bitRate, c.bitRate);
        EXPECT_EQ(info.channels, c.channels);
        EXPECT_EQ(info.sampleRate, 8000);
        const Bytes pcm = Played(Fixture(c.name), &info);
        EXPECT_EQ(output.format.bitsPerSample, c.bits);
        EXPECT_EQ(output.format.channels, c.channels);
        const size_t samples = reference.size() / 4;
        ASSERT_EQ(pcm.size(), samples * static_cast<size_t>(c.bits / 8));
        int differing = 0;
        for (size_t i = 0; i < samples; ++i) {
            const int32_t read = static_cast<int32_t>(
                reference[4 * i] | reference[4 * i + 1] << 8 | reference[4 * i + 2] << 16 |
                static_cast<uint32_t>(reference[4 * i + 3]) << 24);
            if (c.rule == Rule::Exact8) {
                differing += static_cast<int8_t>(pcm[i] - 128) != read >> 24;
                continue;
            }
            const int32_t played = static_cast<int16_t>(pcm[2 * i] | pcm[2 * i + 1] << 8);
            const int32_t truncated = read / 65536;
            differing +=
                c.rule == Rule::Truncated ? played != truncated : std::abs(played - truncated) > 1;
        }
        EXPECT_EQ(differing, 0);
    }
}

// The narrowing rule where rounding would differ, clipping and NaN, and the
// play length from the data chunk rather than the file.
TEST_F(TessalyFilesTest, WideSamplesAreTruncatedTowardZeroAndClipped) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> floats = {0.0f,         nan, 1.0f, -1.0f,          1.5f,
                                       -1.5f,        inf, -inf, 100.9f / 32768, -100.9f / 32768,
                                       -0.9f / 32768};
    std::vector<uint32_t> floatBits;
    for (float value : floats)
        floatBits.push_back(FloatBits(value));
    struct Edge {
        Bytes file;
        std::vector<int16_t> expected;
    };
    const std::vector<Edge> edges = {
        {Wave(3, 1, 8000, 32, Le(floatBits, 4)),
         {0, 0, 32767, -32768, 32767, -32768, 32767, -32768, 100, -100, 0}},
        {Wave(1, 1, 8000, 24,
              Le({0x000080, 0xFFFF7F, 0x7FFFFF, 0x800000, 0xFFFF00, 0xFFFEFF, 0x0001FF}, 3)),
         {0, 0, 32767, -32768, -1, -1, 1}},
        {Wave(1, 1, 8000, 32, Le({0x7FFFFFFF, 0x80000000, 0xFFFEFFFF, 0x0000FFFF, 0xFFFF0001}, 4)),
         {32767, -32768, -1, 0, 0}},
    };
    for (const Edge& edge : edges) {
        InputFileInfo info = {};
        const Bytes pcm = Played(Scratch("edge.wav", edge.file), &info);
        std::vector<int16_t> played(pcm.size() / 2);
        std::memcpy(played.data(), pcm.data(), played.size() * 2);
        EXPECT_EQ(played, edge.expected);
    }

    // 2.5 s of 24-bit stereo, then a chunk as long again: 2 s, not 4.
    const Bytes data(8000 * 6 * 5 / 2, 0x11);
    const Bytes longer =
        WithChunk(Wave(1, 2, 8000, 24, data), Chunk("junk", Bytes(data.size(), 0)), "");
    InputFileInfo info = {};
    ASSERT_EQ(tessaly.GetFileInfo(Scratch("long.wav", longer).c_str(), &info), 1);
    EXPECT_EQ(info.playLength, 2);
    EXPECT_EQ(info.bitRate, 384);
}

TEST_F(TessalyFilesTest, AnEditOfAnId3v2OnlyFileIsSavedAsId3v1BesideItAndTheAudioStays) {
    const Bytes original = ReadFile(Fixture("id3v23-utf16.mp3"));
    const std::string path = Scratch("edited.mp3", original);
    InputFileInfo info = {};
    ASSERT_EQ(tessaly.GetFileInfo(path.c_str(), &info), 1);
    ASSERT_EQ(info.tag.textFrom, 1);
    std::strcpy(info.tag.title, kKyokumei.c_str());
    // The play list window's save for an MPEG file.
    ASSERT_EQ(tessaly.WriteLyrics3(path.c_str(), &info.tag), 1);
    ASSERT_EQ(tessaly.WriteID3v1(path.c_str(), &info.tag), 1);

    const Bytes saved = ReadFile(path);
    ASSERT_GT(saved.size(), original.size() + 128);
    EXPECT_TRUE(std::equal(original.begin(), original.end(), saved.begin()))
        << "the ID3v2 tag or the audio changed";
    EXPECT_EQ(std::string(saved.end() - 128, saved.end() - 125), "TAG");
    EXPECT_EQ(std::string(saved.end() - 137, saved.end() - 128), "LYRICS200");
    InputFileInfo reread = {};
    ASSERT_EQ(tessaly.GetFileInfo(path.c_str(), &reread), 1);
    ExpectTexts(reread.tag, {kKyokumei, kKashu, "Album", "2003", kKomento, 17, 0});
}

} // namespace
