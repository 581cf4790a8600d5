#include "CellTexts.h"

#include "Cp932.h"
#include "Genres.h"
#include "PathNames.h"
#include "TextCompare.h"

#include <cstdio>

namespace {

// Genre 147 has a name in the table but is shown as unknown: writers use it
// for "no genre".
constexpr int32_t kLastShownGenre = 146;

} // namespace

std::string GenreLabel(int32_t genre) {
    if (genre < 0 || genre > kLastShownGenre) return "Unknown";
    return GenreNameOf(genre);
}

std::string PlayTimeText(int32_t seconds) {
    if (seconds < 0) seconds = 0;
    char text[24];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(seconds / 60),
                  static_cast<int>(seconds % 60));
    return text;
}

int64_t TotalPlayTime(const TInputItemDB& items) {
    int64_t total = 0;
    for (int32_t i = 1; i <= items.GetCount(); ++i) {
        const int32_t length = items.GetItem(i)->info.playLength;
        if (length > 0) total += length;
    }
    return total;
}

std::string TotalTimeText(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    char text[40];
    std::snprintf(text, sizeof text, "%lld:%02d:%02d ", static_cast<long long>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

std::string CellLine(std::string_view text) {
    std::string line(WholeCharacters(text));
    // Only single-byte characters: no second half of a double-byte
    // character is ever below 0x40.
    for (char& byte : line) {
        if (byte == '\r' || byte == '\n' || byte == '\t') byte = ' ';
    }
    return line;
}

std::string FieldCellText(const ItemRecord& item, CellField field) {
    const TagRecord& tag = item.info.tag;
    switch (field) {
    case CellField::Title:
        if (IsBlank(std::string(FieldText(tag.title)).c_str()))
            return CellLine(FileNameOf(FieldText(item.path)));
        return CellLine(FieldText(tag.title));
    case CellField::Artist:
        return CellLine(FieldText(tag.artist));
    case CellField::Album:
        return CellLine(FieldText(tag.album));
    case CellField::Year:
        return CellLine(FieldText(tag.year));
    case CellField::Genre:
        return GenreLabel(tag.genre);
    case CellField::Comment:
        return CellLine(FieldText(tag.comment));
    case CellField::FileName:
    case CellField::NameBefore:
        return CellLine(FileNameOf(FieldText(item.path)));
    case CellField::Time:
        return PlayTimeText(item.info.playLength);
    default:
        return std::string();
    }
}
