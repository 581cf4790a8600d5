// Building tagged files for the tests from the formats' own rules, with no
// help from the code under test.
#pragma once

#include "InputFileInfo.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void Append(Bytes* out, const std::string& text) {
    out->insert(out->end(), text.begin(), text.end());
}
inline void Append(Bytes* out, const Bytes& more) {
    out->insert(out->end(), more.begin(), more.end());
}

inline Bytes operator+(Bytes left, const Bytes& right) {
    Append(&left, right);
    return left;
}

inline void AppendLe32(Bytes* out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out->push_back(static_cast<uint8_t>(value >> shift));
}

inline uint32_t Le32At(const Bytes& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

inline std::string TextAt(const Bytes& bytes, size_t at, size_t count) {
    return std::string(reinterpret_cast<const char*>(bytes.data()) + at, count);
}

inline std::string Tail(const Bytes& bytes, size_t count) {
    return TextAt(bytes, bytes.size() - count, count);
}

// MPEG-like audio: frame sync bytes, then a pseudo-random body that also
// holds bytes such as 'T', 'A', 'G', NULs and spaces.
inline Bytes MakeAudio(size_t size, uint32_t seed = 1) {
    Bytes audio(size);
    uint32_t state = seed * 2654435761u + 1;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        audio[i] = static_cast<uint8_t>(state >> 24);
    }
    if (size >= 2) {
        audio[0] = 0xFF;
        audio[1] = 0xFB;
    }
    return audio;
}

// FNV-1a, 64 bits.
inline uint64_t HashOf(const Bytes& bytes, size_t from, size_t count) {
    uint64_t hash = 14695981039346656037ull;
    for (size_t i = from; i < from + count && i < bytes.size(); ++i) {
        hash ^= bytes[i];
        hash *= 1099511628211ull;
    }
    return hash;
}

inline void SetText(char* field, size_t size, const std::string& text) {
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), text.size() < size ? text.size() : size);
}

inline TagRecord MakeRecord(const std::string& title, const std::string& artist = "",
                            const std::string& album = "", const std::string& year = "",
                            const std::string& comment = "", int32_t genre = 0) {
    TagRecord tag;
    std::memset(&tag, 0, sizeof tag);
    SetText(tag.title, sizeof tag.title - 1, title);
    SetText(tag.artist, sizeof tag.artist - 1, artist);
    SetText(tag.album, sizeof tag.album - 1, album);
    SetText(tag.year, sizeof tag.year - 1, year);
    SetText(tag.comment, sizeof tag.comment - 1, comment);
    tag.genre = genre;
    return tag;
}

inline TagRecord EmptyRecord() {
    return MakeRecord("");
}

// An ID3v1 tag from raw field bytes (each padded with NULs to its width).
inline Bytes Id3v1Tag(const std::string& title, const std::string& artist = "",
                      const std::string& album = "", const std::string& year = "",
                      const std::string& comment = "", uint8_t genre = 0) {
    Bytes tag(128, 0);
    std::memcpy(tag.data(), "TAG", 3);
    auto put = [&](size_t at, size_t width, const std::string& text) {
        std::memcpy(tag.data() + at, text.data(), text.size() < width ? text.size() : width);
    };
    put(3, 30, title);
    put(33, 30, artist);
    put(63, 30, album);
    put(93, 4, year);
    put(97, 30, comment);
    tag[127] = genre;
    return tag;
}

// A RIFF chunk with its pad byte.
inline Bytes Chunk(const std::string& id, const Bytes& data) {
    Bytes chunk;
    Append(&chunk, id);
    AppendLe32(&chunk, static_cast<uint32_t>(data.size()));
    Append(&chunk, data);
    if (data.size() & 1) chunk.push_back(0);
    return chunk;
}

inline Bytes TextData(const std::string& text) {
    Bytes data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

inline Bytes InfoListOf(const std::vector<Bytes>& entries) {
    Bytes body;
    Append(&body, "INFO");
    for (const Bytes& entry : entries)
        Append(&body, entry);
    return Chunk("LIST", body);
}

inline Bytes InfoText(const std::string& id, const std::string& text) {
    return Chunk(id, TextData(text));
}

inline Bytes InfoList(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::vector<Bytes> chunks;
    for (const auto& entry : entries)
        chunks.push_back(InfoText(entry.first, entry.second));
    return InfoListOf(chunks);
}

inline Bytes BlankId3Entry() {
    Bytes tag;
    Append(&tag, "TAG");
    tag.resize(128, ' ');
    return Chunk("IID3", tag);
}

inline Bytes RiffFile(const std::vector<Bytes>& chunks) {
    Bytes body;
    Append(&body, "RMP3");
    for (const Bytes& chunk : chunks)
        Append(&body, chunk);
    Bytes file;
    Append(&file, "RIFF");
    AppendLe32(&file, static_cast<uint32_t>(body.size()));
    Append(&file, body);
    return file;
}

inline std::string Lyrics3Field(const std::string& id, const std::string& data) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%05u", static_cast<unsigned>(data.size()));
    return id + digits + data;
}

inline Bytes Lyrics3Block(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string block = "LYRICSBEGIN";
    for (const auto& field : fields)
        block += Lyrics3Field(field.first, field.second);
    char size[8];
    std::snprintf(size, sizeof size, "%06u", static_cast<unsigned>(block.size()));
    block += size;
    block += "LYRICS200";
    return Bytes(block.begin(), block.end());
}
