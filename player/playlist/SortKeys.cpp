#include "SortKeys.h"

#include "Genres.h"
#include "PathNames.h"

#include <cstdio>

namespace {

constexpr size_t kMaxKeyLength = 260;

std::string TenDigits(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%010d", static_cast<int>(value));
    return text;
}

std::string KeyText(const ItemRecord& item, int32_t key) {
    const InputFileInfo& info = item.info;
    switch (key) {
    case kKeyTrailingNumber:
        return TenDigits(TrailingNumberOf(FieldText(item.path)));
    case kKeyPath:
        return std::string(FieldText(item.path));
    case kKeyArtist:
        return std::string(FieldText(info.tag.artist));
    case kKeyAlbum:
        return std::string(FieldText(info.tag.album));
    case kKeyTitle:
        if (FieldText(info.tag.title).empty()) return FileNameOf(FieldText(item.path));
        return std::string(FieldText(info.tag.title));
    case kKeyPlayLength:
        return TenDigits(info.playLength);
    case kKeyYear:
        return std::string(FieldText(info.tag.year));
    case kKeyGenre:
        return GenreNameOf(info.tag.genre);
    default:
        return "-";
    }
}

} // namespace

std::string SortKeyOf(const ItemRecord& item, int32_t key) {
    std::string text = KeyText(item, key);
    if (text.empty()) return "-";
    if (text.size() > kMaxKeyLength) text.resize(kMaxKeyLength);
    return text;
}
