#include "TagEditing.h"

#include "Cp932.h"
#include "Genres.h"
#include "PathNames.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int32_t kLastNamedGenre = 146;

template <size_t N> void SetField(char (&field)[N], std::string_view text, size_t maxBytes) {
    const std::string_view cut = WholeCharacters(text, maxBytes < N - 1 ? maxBytes : N - 1);
    std::memset(field, 0, N);
    std::memcpy(field, cut.data(), cut.size());
}

bool IsDeviceName(std::string_view stem) {
    static const char* const kDevices[] = {"con", "prn", "aux", "nul"};
    const std::string lower = ToLowerAnsi(stem);
    for (const char* device : kDevices) {
        if (lower == device) return true;
    }
    return lower.size() == 4 &&
           (lower.compare(0, 3, "com") == 0 || lower.compare(0, 3, "lpt") == 0) &&
           lower[3] >= '1' && lower[3] <= '9';
}

} // namespace

int32_t GenreNumberOf(std::string_view name, int32_t current) {
    for (int32_t genre = 0; genre <= kLastNamedGenre; ++genre) {
        if (name == GenreNameOf(genre)) return genre;
    }
    return current;
}

void ApplyEditedTexts(ItemRecord& record, const EditedTexts& texts) {
    TagRecord& tag = record.info.tag;
    SetField(tag.title, texts.title, 127);
    SetField(tag.artist, texts.artist, 127);
    SetField(tag.album, texts.album, 127);
    SetField(tag.year, texts.year, 4);
    SetField(tag.comment, texts.comment, 127);
    tag.genre = GenreNumberOf(texts.genre, tag.genre);
}

std::string UnitedName(const UniteNaming& naming, int32_t number, std::string_view title,
                       std::string_view path) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", static_cast<int>(number));
    const std::string extension = ExtensionOf(path);
    if (!naming.byTitle) return naming.text + digits + "." + extension;
    std::string name;
    if (naming.numbering) name = digits + naming.text;
    return name + std::string(title) + "." + extension;
}

bool IsAcceptableNewPath(std::string_view name, std::string_view newPath) {
    if (name.empty() || name[0] == '.' || newPath.size() > kMaxPathLength) return false;
    if (NextBackslash(name, 0) != std::string_view::npos) return false;
    // No second half of a double-byte character is below 0x40.
    if (name.find('/') != std::string_view::npos) return false;
    const size_t dot = name.find('.');
    return !IsDeviceName(name.substr(0, dot));
}

bool HasWritableTags(const ItemRecord& item) {
    const int32_t kind = FileKindOf(FieldText(item.path));
    return IsMpegKind(kind) || kind == kKindRmp;
}

bool WriteTagsOf(InputPlugin& input, const ItemRecord& edited) {
    const int32_t kind = FileKindOf(FieldText(edited.path));
    if (!HasWritableTags(edited)) return false;
    // The first writer's result is not looked at: ID3v1 decides.
    if (kind == kKindRmp)
        input.WriteRiffInfo(edited.path, &edited.info.tag);
    else
        input.WriteLyrics3(edited.path, &edited.info.tag);
    return input.WriteID3v1(edited.path, &edited.info.tag) != 0;
}
