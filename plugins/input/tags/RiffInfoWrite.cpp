#include "FileTail.h"
#include "Id3v1.h"
#include "RiffChunks.h"
#include "RiffInfo.h"
#include "TagText.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The sub-chunks kept on rewriting, in the order they are written. The first
// four are replaced by the record.
constexpr std::array<const char*, 17> kSlotIds = {"INAM", "IART", "IPRD", "ICMT", "ICRD", "IGNR",
                                                  "ICOP", "IENG", "ISRC", "ISFT", "IKEY", "ITCH",
                                                  "ICMS", "ILYC", "IMED", "IMP3", "ISBJ"};
constexpr size_t kFirstKeptSlot = 4;
constexpr size_t kShortSlots = 6; // these keep at most kShortTextLimit characters
constexpr size_t kShortTextLimit = 127;
constexpr size_t kLyricsSlot = 13;
// Everything from the LIST chunk to the end of the file is held in memory
// while it is rewritten; a larger tail is refused.
constexpr int64_t kMaxRewriteBytes = 16 << 20;

using Slots = std::array<std::string, kSlotIds.size()>;

int riffSlotOf(const RiffChunk& entry) {
    for (size_t i = 0; i < kSlotIds.size(); ++i)
        if (RiffChunkIs(entry, kSlotIds[i])) return static_cast<int>(i);
    return -1;
}

// A slot-14 text that begins with "LYRICS" and ends with an ID3v1 tag is
// the file's own tail (a Lyrics3 block and its tag): it goes last, without
// NUL or pad, so that the file ends with the tag for WriteId3v1 to fill.
bool riffIsLyricsTail(const char* text, size_t size) {
    return size >= 6 + kId3v1Size && std::memcmp(text, "LYRICS", 6) == 0 &&
           Id3v1HasMark(reinterpret_cast<const uint8_t*>(text) + size - kId3v1Size);
}

// The length of a tail kept byte for byte (its tag may hold NULs), without a
// NUL that only terminates it; 0 when the data is no tail.
size_t riffLyricsTailLength(const char* data, size_t size) {
    if (size > 0 && data[size - 1] == '\0' && !riffIsLyricsTail(data, size)) --size;
    return riffIsLyricsTail(data, size) ? size : 0;
}

// Reads the present sub-chunks into their slots and keeps a present "IID3"
// tag; false on a short read.
bool riffReadSlots(TagFile& file, const RiffChunk& list, Slots* slots,
                   std::vector<uint8_t>* id3Tag) {
    bool complete = true;
    ForEachInfoEntry(file, list, [&](const RiffChunk& entry) {
        int slot = riffSlotOf(entry);
        bool isId3 =
            RiffChunkIs(entry, "IID3") && entry.dataPresent == static_cast<int64_t>(kId3v1Size);
        if (!complete || (slot < 0 && !isId3)) return;
        std::vector<uint8_t> data(static_cast<size_t>(entry.dataPresent));
        if (!ReadExactAt(file, entry.dataOffset, data.data(), data.size())) {
            complete = false;
            return;
        }
        if (isId3) {
            if (Id3v1HasMark(data.data())) *id3Tag = std::move(data);
            return;
        }
        const char* text = reinterpret_cast<const char*>(data.data());
        size_t tail =
            static_cast<size_t>(slot) == kLyricsSlot ? riffLyricsTailLength(text, data.size()) : 0;
        if (tail > 0) {
            (*slots)[kLyricsSlot].assign(text, tail);
            return;
        }
        size_t length = RecordTextLength(text, data.size());
        if (static_cast<size_t>(slot) < kShortSlots)
            length =
                WithoutDanglingLeadByte(text, ShiftJisPrefixLength(text, length, kShortTextLimit));
        (*slots)[static_cast<size_t>(slot)].assign(text, length);
    });
    return complete;
}

// The chunks behind the INFO list, each with its pad byte, to be kept in
// front of the new list. False when the bytes there are not whole chunks, or
// when one is a second INFO list, which readers would then find first.
bool riffReadTrailingChunks(TagFile& file, const RiffLayout& layout, std::vector<uint8_t>* out) {
    int64_t at = layout.list.next;
    RiffChunk chunk;
    while (ReadRiffChunkHeader(file, at, layout.fileSize, &chunk)) {
        // Only the last chunk of a file may lack its pad byte.
        if (chunk.dataPresent != chunk.size || chunk.next > layout.fileSize + 1 ||
            IsRiffInfoList(file, chunk))
            return false;
        size_t length = static_cast<size_t>(kChunkHeaderSize + chunk.size);
        size_t start = out->size();
        out->resize(start + length + (chunk.size & 1), 0);
        if (!ReadExactAt(file, chunk.headerOffset, out->data() + start, length)) return false;
        at = chunk.next;
    }
    return at >= layout.fileSize;
}

void riffPutLe32(std::vector<uint8_t>* out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out->push_back(static_cast<uint8_t>(value >> shift));
}

void riffPutId(std::vector<uint8_t>* out, const char* id) {
    out->insert(out->end(), id, id + 4);
}

// Identifier, size strlen + 1, the text, its NUL and a pad byte when needed.
void riffPutText(std::vector<uint8_t>* out, const char* id, const char* text, size_t length) {
    riffPutId(out, id);
    riffPutLe32(out, static_cast<uint32_t>(length + 1));
    out->insert(out->end(), text, text + length);
    out->push_back(0);
    if ((length + 1) & 1) out->push_back(0);
}

void riffPutRecordText(std::vector<uint8_t>* out, const char* id, const char* field,
                       size_t fieldSize) {
    riffPutText(out, id, field, RecordTextLength(field, fieldSize));
}

void riffComposeList(const TagRecord& tag, const Slots& slots, const std::vector<uint8_t>& id3Tag,
                     std::vector<uint8_t>* out) {
    const size_t listAt = out->size();
    riffPutId(out, "LIST");
    riffPutLe32(out, 0); // patched below
    riffPutId(out, "INFO");
    riffPutRecordText(out, kSlotIds[0], tag.title, sizeof tag.title);
    riffPutRecordText(out, kSlotIds[1], tag.artist, sizeof tag.artist);
    riffPutRecordText(out, kSlotIds[2], tag.album, sizeof tag.album);
    riffPutRecordText(out, kSlotIds[3], tag.comment, sizeof tag.comment);

    const std::string& lyrics = slots[kLyricsSlot];
    const bool lyricsTail = riffIsLyricsTail(lyrics.data(), lyrics.size());
    for (size_t i = kFirstKeptSlot; i < slots.size(); ++i) {
        if (slots[i].empty() || (i == kLyricsSlot && lyricsTail)) continue;
        riffPutText(out, kSlotIds[i], slots[i].data(), slots[i].size());
    }
    if (lyricsTail) {
        riffPutId(out, kSlotIds[kLyricsSlot]);
        riffPutLe32(out, static_cast<uint32_t>(lyrics.size()));
        out->insert(out->end(), lyrics.begin(), lyrics.end());
    } else {
        riffPutId(out, "IID3");
        riffPutLe32(out, static_cast<uint32_t>(kId3v1Size));
        if (id3Tag.size() == kId3v1Size) {
            out->insert(out->end(), id3Tag.begin(), id3Tag.end());
        } else {
            out->insert(out->end(), {'T', 'A', 'G'});
            out->insert(out->end(), kId3v1Size - 3, ' ');
        }
    }
    uint32_t listSize = static_cast<uint32_t>(out->size() - listAt - kChunkHeaderSize);
    for (int i = 0; i < 4; ++i)
        (*out)[listAt + 4 + static_cast<size_t>(i)] = static_cast<uint8_t>(listSize >> (8 * i));
}

// The RIFF size covers everything behind its 8-byte header.
bool riffUpdateContainerSize(TagFile& file) {
    int64_t size = file.Size();
    if (size < kRiffHeaderSize || size - 8 > static_cast<int64_t>(UINT32_MAX)) return false;
    std::vector<uint8_t> field;
    riffPutLe32(&field, static_cast<uint32_t>(size - 8));
    return file.WriteAt(4, field.data(), field.size());
}

} // namespace

bool WriteRiffInfo(TagFile& file, const TagRecord& tag) {
    RiffLayout layout;
    if (!LocateRiffChunks(file, &layout) || !layout.hasInfoList ||
        layout.fileSize - layout.list.headerOffset > kMaxRewriteBytes)
        return false;

    Slots slots;
    std::vector<uint8_t> id3Tag;
    std::vector<uint8_t> image;
    if (!riffReadSlots(file, layout.list, &slots, &id3Tag) ||
        !riffReadTrailingChunks(file, layout, &image))
        return false;
    riffComposeList(tag, slots, id3Tag, &image);

    return ReplaceFileTail(file, layout.list.headerOffset, image.data(), image.size()) &&
           riffUpdateContainerSize(file);
}
