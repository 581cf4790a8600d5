#include "Id3v2Frames.h"

#include "Id3v2.h"
#include "Id3v2Text.h"
#include "TagText.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Frame data read of a wanted frame; the record keeps 127 bytes of a text, so
// this holds any text that fits in UTF-16 with a long comment description.
constexpr size_t kFrameDataKept = 4096;

uint32_t SynchsafeSize(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0] & 0x7F) << 21 |
           static_cast<uint32_t>(bytes[1] & 0x7F) << 14 |
           static_cast<uint32_t>(bytes[2] & 0x7F) << 7 | static_cast<uint32_t>(bytes[3] & 0x7F);
}

uint32_t BigEndian(const uint8_t* bytes, size_t count) {
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

// Undoes unsynchronisation in place: a 0x00 behind a 0xFF was inserted by
// the writer. Returns the new length.
size_t Resynchronise(uint8_t* bytes, size_t length, uint8_t* previous) {
    size_t kept = 0;
    for (size_t i = 0; i < length; ++i) {
        const uint8_t byte = bytes[i];
        if (!(*previous == 0xFF && byte == 0x00)) bytes[kept++] = byte;
        *previous = byte;
    }
    return kept;
}

// The bytes of a tag behind its header, read in order through a buffer, with
// unsynchronisation undone for versions 2.2 and 2.3.
class TagStream {
  public:
    TagStream(TagFile& file, int64_t start, int64_t end, bool unsynchronised)
        : file(file), at(start), end(end), unsynchronised(unsynchronised) {}

    // Where the next byte lies in the file; only for a stream read as stored.
    int64_t Position() const { return at - static_cast<int64_t>(held - used); }

    // Copies the next `count` bytes to `out` (null: passes over them); false
    // when the tag ends first.
    bool Read(uint8_t* out, size_t count) {
        if (out == nullptr && !unsynchronised) {
            // A picture of some megabytes is stepped over, not read.
            const size_t buffered = std::min(count, held - used);
            used += buffered;
            count -= buffered;
            if (static_cast<int64_t>(count) > end - at) return false;
            at += static_cast<int64_t>(count);
            return true;
        }
        while (count > 0) {
            if (held == used && !Refill()) return false;
            const size_t piece = std::min(count, held - used);
            if (out != nullptr) {
                std::memcpy(out, buffer + used, piece);
                out += piece;
            }
            used += piece;
            count -= piece;
        }
        return true;
    }

  private:
    bool Refill() {
        if (at >= end) return false;
        const size_t wanted = static_cast<size_t>(std::min<int64_t>(end - at, sizeof buffer));
        const size_t got = file.ReadAt(at, buffer, wanted);
        if (got == 0) return false;
        at += static_cast<int64_t>(got);
        held = unsynchronised ? Resynchronise(buffer, got, &previous) : got;
        used = 0;
        return true;
    }

    TagFile& file;
    int64_t at;
    int64_t end;
    bool unsynchronised;
    uint8_t previous = 0;
    uint8_t buffer[4096];
    size_t held = 0;
    size_t used = 0;
};

struct Id3v2FrameHeader {
    char id[5];
    uint32_t size;       // bytes in the stream
    uint32_t plainSize;  // version 2.4: the size bytes read as a plain number
    bool readable;       // neither compressed nor encrypted
    bool unsynchronised; // version 2.4: this frame's data
    size_t prefixBytes;  // group byte and data length ahead of the content
};

bool IsFrameIdCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// False at the padding, at the end of the tag, or at a header that is no
// frame's.
bool ReadFrameHeader(TagStream& stream, uint8_t version, bool tagUnsynchronised,
                     Id3v2FrameHeader* frame) {
    uint8_t bytes[10];
    const size_t idLength = version == 2 ? 3 : 4;
    const size_t headerLength = version == 2 ? 6 : 10;
    if (!stream.Read(bytes, headerLength)) return false;
    std::memset(frame->id, 0, sizeof frame->id);
    for (size_t i = 0; i < idLength; ++i) {
        if (!IsFrameIdCharacter(static_cast<char>(bytes[i]))) return false;
        frame->id[i] = static_cast<char>(bytes[i]);
    }
    frame->readable = true;
    frame->unsynchronised = false;
    frame->prefixBytes = 0;
    frame->plainSize = 0;
    if (version == 2) {
        frame->size = BigEndian(bytes + 3, 3);
    } else if (version == 3) {
        frame->size = BigEndian(bytes + 4, 4);
        const uint8_t flags = bytes[9];
        frame->readable = (flags & 0xC0) == 0; // compression, encryption
        frame->prefixBytes = (flags & 0x20) ? 1 : 0;
    } else {
        frame->size = SynchsafeSize(bytes + 4);
        frame->plainSize = BigEndian(bytes + 4, 4);
        const uint8_t flags = bytes[9];
        frame->readable = (flags & 0x0C) == 0; // compression, encryption
        frame->unsynchronised = tagUnsynchronised || (flags & 0x02);
        frame->prefixBytes = ((flags & 0x40) ? 1 : 0) + ((flags & 0x01) ? 4 : 0);
    }
    return true;
}

enum class Field { None, Title, Artist, Album, Year, Genre, Comment };

Field FieldOf(const char* id) {
    struct Name {
        const char* v22;
        const char* v23;
        Field field;
    };
    static const Name names[] = {
        {"TT2", "TIT2", Field::Title},   {"TP1", "TPE1", Field::Artist},
        {"TAL", "TALB", Field::Album},   {"TYE", "TYER", Field::Year},
        {"TYE", "TDRC", Field::Year},    {"TCO", "TCON", Field::Genre},
        {"COM", "COMM", Field::Comment},
    };
    for (const Name& name : names)
        if (std::strcmp(id, name.v22) == 0 || std::strcmp(id, name.v23) == 0) return name.field;
    return Field::None;
}

void StoreText(const std::string& text, char* field, size_t fieldSize, size_t limit) {
    const size_t kept =
        ShiftJisPrefixLength(text.data(), text.size(), std::min(limit, fieldSize - 1));
    std::memcpy(field, text.data(), kept);
    field[kept] = '\0';
}

// The content of one frame into the texts: the first string of a text frame;
// of a comment the text behind its language and description, the comment
// without a description winning over those with one.
void TakeFrame(Field field, const uint8_t* data, size_t length, TagRecord* texts,
               bool* plainComment) {
    if (length < 1) return;
    const uint8_t encoding = data[0];
    size_t at = 1;
    size_t next = 0;
    if (field == Field::Comment) {
        if (length < 4 || *plainComment) return;
        at = 4;
        const size_t description = Id3v2StringLength(encoding, data + at, length - at, &next);
        if (texts->comment[0] != '\0' && description > 0) return;
        *plainComment = description == 0;
        at += next;
    }
    const size_t count = Id3v2StringLength(encoding, data + at, length - at, &next);
    const std::string text = Id3v2StringToAnsi(encoding, data + at, count);
    switch (field) {
    case Field::Title:
        StoreText(text, texts->title, sizeof texts->title, text.size());
        break;
    case Field::Artist:
        StoreText(text, texts->artist, sizeof texts->artist, text.size());
        break;
    case Field::Album:
        StoreText(text, texts->album, sizeof texts->album, text.size());
        break;
    case Field::Year:
        StoreText(text, texts->year, sizeof texts->year, 4);
        break;
    case Field::Comment:
        StoreText(text, texts->comment, sizeof texts->comment, text.size());
        break;
    case Field::Genre:
        texts->genre = GenreNumberOfTagText(text.c_str());
        break;
    case Field::None:
        break;
    }
}

bool IsBlank(const char* text) {
    for (; *text != '\0'; ++text)
        if (*text != ' ') return false;
    return true;
}

// True when a frame may follow at `at`: the end of the frames, zero padding,
// or the identifier of a frame header that fits.
bool FrameMayFollowAt(TagFile& file, int64_t at, int64_t end) {
    if (at == end) return true;
    uint8_t id[4];
    if (at > end || !ReadExactAt(file, at, id, 1)) return false;
    if (id[0] == 0) return true;
    if (end - at < 10 || !ReadExactAt(file, at, id, sizeof id)) return false;
    return std::all_of(id, id + sizeof id,
                       [](uint8_t c) { return IsFrameIdCharacter(static_cast<char>(c)); });
}

// iTunes writes version 2.4 frame sizes as plain numbers. The plain reading
// is taken only when the synchsafe one leads nowhere and the plain one leads
// to a frame, the padding or the end.
void SettleVersion4Size(TagFile& file, const TagStream& stream, int64_t end,
                        Id3v2FrameHeader* frame) {
    if (frame->plainSize == frame->size) return;
    const int64_t data = stream.Position();
    if (!FrameMayFollowAt(file, data + frame->size, end) &&
        FrameMayFollowAt(file, data + frame->plainSize, end))
        frame->size = frame->plainSize;
}

// Fills the blank texts of `to` from `from`, and the genre when `to` has none
// (`genreKept` false); true when anything was taken.
bool FillBlanks(const TagRecord& from, bool genreKept, TagRecord* to) {
    bool took = false;
    auto take = [&](const char* text, char* field, size_t size) {
        if (text[0] == '\0' || !IsBlank(field)) return;
        std::memcpy(field, text, size);
        took = true;
    };
    take(from.title, to->title, sizeof to->title);
    take(from.artist, to->artist, sizeof to->artist);
    take(from.album, to->album, sizeof to->album);
    take(from.year, to->year, sizeof to->year);
    take(from.comment, to->comment, sizeof to->comment);
    if (from.genre >= 0 && !genreKept) {
        to->genre = from.genre;
        took = true;
    }
    return took;
}

void ClearTexts(TagRecord* texts) {
    std::memset(texts, 0, sizeof *texts);
    texts->genre = -1;
}

// The texts of the tag whose header is at `start`, its bytes cut at `limit`.
// False for a version or a compression this reader does not know.
bool ReadTagTexts(TagFile& file, int64_t start, const uint8_t* header, int64_t limit,
                  TagRecord* texts) {
    const uint8_t version = header[3];
    const uint8_t flags = header[5];
    // Version 2.2 defined no compression scheme; such a tag can't be read.
    if (version < 2 || version > 4 || (version == 2 && (flags & 0x40))) return false;
    ClearTexts(texts);

    const bool unsynchronised = (flags & 0x80) != 0;
    const int64_t frames = static_cast<int64_t>(kId3v2HeaderSize) + SynchsafeSize(header + 6);
    const int64_t end = std::min(start + frames, limit);
    TagStream stream(file, start + static_cast<int64_t>(kId3v2HeaderSize), end,
                     unsynchronised && version < 4);
    if (version > 2 && (flags & 0x40)) {
        uint8_t sizeBytes[4];
        if (!stream.Read(sizeBytes, 4)) return true;
        // Version 2.3 counts the bytes behind the size, 2.4 the whole header.
        const uint32_t size = version == 3 ? BigEndian(sizeBytes, 4) : SynchsafeSize(sizeBytes);
        if (version == 4 && size < 4) return true;
        if (!stream.Read(nullptr, version == 3 ? size : size - 4)) return true;
    }

    bool plainComment = false;
    Id3v2FrameHeader frame;
    uint8_t data[kFrameDataKept];
    while (ReadFrameHeader(stream, version, unsynchronised, &frame)) {
        if (version == 4) SettleVersion4Size(file, stream, end, &frame);
        const Field field = frame.readable ? FieldOf(frame.id) : Field::None;
        const size_t kept = field == Field::None ? 0 : std::min<size_t>(frame.size, sizeof data);
        if (!stream.Read(data, kept) || !stream.Read(nullptr, frame.size - kept)) break;
        if (kept <= frame.prefixBytes) continue;
        uint8_t* content = data + frame.prefixBytes;
        size_t length = kept - frame.prefixBytes;
        uint8_t previous = 0;
        if (frame.unsynchronised) length = Resynchronise(content, length, &previous);
        TakeFrame(field, content, length, texts, &plainComment);
    }
    return true;
}

} // namespace

bool ReadId3v2Texts(TagFile& file, TagRecord* texts) {
    ClearTexts(texts);
    const int64_t fileSize = file.Size();
    Id3v2Tags tags(file);
    bool read = false;
    while (tags.Next()) {
        TagRecord one;
        if (!ReadTagTexts(file, tags.Start(), tags.Header(), fileSize, &one)) continue;
        FillBlanks(one, texts->genre >= 0, texts);
        read = true;
    }
    return read;
}

bool ReadId3v2TextsAt(TagFile& file, int64_t start, int64_t limit, TagRecord* texts) {
    uint8_t header[kId3v2HeaderSize];
    return limit - start >= static_cast<int64_t>(sizeof header) &&
           ReadExactAt(file, start, header, sizeof header) && Id3v2TagLength(header) != 0 &&
           ReadTagTexts(file, start, header, limit, texts);
}

void TakeId3v2Texts(const TagRecord& texts, bool genreKept, TagRecord* tag) {
    if (FillBlanks(texts, genreKept, tag)) tag->textFrom = kTextFromId3v2;
}
