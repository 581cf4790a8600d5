#include "SkinDescription.h"

#include <string>

#include "Cp932.h"
#include "IniDocument.h"

namespace {

// "ＭＳ Ｐ明朝"
constexpr char kDefaultFace[] = "\x82\x6C\x82\x72\x20\x82\x6F\x96\xBE\x92\xA9";

constexpr const char* kButtonNames[skin::kButtonCount] = {
    "play", "stop", "prev", "next", "repeat", "sr", "list", "open", "quorel", "pause"};

struct Size {
    int32_t w, h;
};

SkinElement ReadElement(const IniDocument& ini, const std::string& section, Size size) {
    SkinElement element;
    element.wx = ini.ReadInteger(section, "wx", 0);
    element.wy = ini.ReadInteger(section, "wy", 0);
    element.x = ini.ReadInteger(section, "x", 0);
    element.y = ini.ReadInteger(section, "y", 0);
    element.w = ini.ReadInteger(section, "w", size.w);
    element.h = ini.ReadInteger(section, "h", size.h);
    return element;
}

// At most kMaxFaceBytes, never half a double-byte character.
std::string FaceName(const std::string& text) {
    size_t end = 0;
    while (end < text.size()) {
        const size_t next = end + CharLength932(text, end);
        if (next > skin::kMaxFaceBytes) break;
        end = next;
    }
    return text.substr(0, end);
}

SkinFont ReadFont(const IniDocument& ini, const char* section) {
    SkinFont font;
    font.face = FaceName(ini.ReadString(section, "type", kDefaultFace));
    font.colour = static_cast<uint32_t>(ini.ReadInteger(section, "color", 0));
    // Stored negated: a height of 12 asks for characters 12 pixels high
    // (INT32_MIN has no negation and stays as it is).
    const int32_t height = ini.ReadInteger(section, "height", -12);
    font.height = height == INT32_MIN ? height : -height;
    font.weight = ini.ReadInteger(section, "weight", 400);
    font.italic = ini.ReadBool(section, "italic", false);
    font.underline = ini.ReadBool(section, "underline", false);
    font.strikeout = ini.ReadBool(section, "strikeout", false);
    return font;
}

} // namespace

std::optional<SkinDescription> ReadSkinDescription(const IniDocument& ini) {
    if (ini.ReadInteger("skin_info", "off", 0) != 0) return std::nullopt;
    SkinDescription description;
    description.upon = ini.ReadBool("skin_info", "upon", true);
    description.fonts[0] = ReadFont(ini, "font_0");
    description.fonts[1] = ReadFont(ini, "font_1");

    description.background = ReadElement(ini, "main_bkg", {9, 9});
    description.title = ReadElement(ini, "main_title", {9, 9});
    description.artist = ReadElement(ini, "main_artist", {9, 9});
    description.shaped = ini.ReadBool("main_rgn", "rgn", false);
    description.mask = ini.ReadInteger("main_rgn", "mask", 0);

    // The logo has one section for its dark and its lit image.
    for (int i = 0; i < skin::kButtonCount; ++i) {
        const std::string name = std::string("button_") + kButtonNames[i];
        description.buttonDark[i] =
            ReadElement(ini, i == skin::kLogo ? name + "_on" : name + "_off", {13, 13});
    }
    for (int i = 0; i < skin::kButtonCount; ++i)
        description.buttonLit[i] =
            ReadElement(ini, std::string("button_") + kButtonNames[i] + "_on", {13, 13});

    description.close = ReadElement(ini, "sys_exit", {9, 9});
    description.minimise = ReadElement(ini, "sys_min", {9, 9});
    description.frame = ReadElement(ini, "sys_field", {9, 9});
    for (int i = 0; i < skin::kSeekImages; ++i)
        description.seek[i] = ReadElement(ini, "seek_" + std::to_string(i), {51, 13});
    for (int i = 0; i < skin::kVolumeImages; ++i)
        description.volume[i] = ReadElement(ini, "vol_" + std::to_string(i), {13, 25});

    const char* const shuffle[] = {"char_sr_bk", "char_shuffle", "char_random"};
    const char* const repeat[] = {"char_repeat_bk", "char_repeat_all", "char_repeat_1"};
    for (int i = 0; i < 3; ++i)
        description.shuffleIndicator[i] = ReadElement(ini, shuffle[i], {34, 5});
    for (int i = 0; i < 3; ++i)
        description.repeatIndicator[i] = ReadElement(ini, repeat[i], {48, 5});
    for (int i = 0; i < skin::kGlyphCount; ++i)
        description.glyphs[i] = ReadElement(ini, "char_" + std::to_string(i), {4, 5});

    const char* const positions[skin::kNumberPositionCount] = {
        "char_Hz_position",    "char_Bit_position", "char_1time_position",
        "char_ttime_position", "char_vol_position", "char_vol100_position"};
    for (int i = 0; i < skin::kNumberPositionCount; ++i)
        description.numberPositions[i] = ReadElement(ini, positions[i], {4, 5});
    return description;
}

bool BackgroundFitsSheet(const SkinElement& background, int32_t sheetWidth, int32_t sheetHeight) {
    const auto fits = [](int32_t at, int32_t size, int32_t sheet) {
        return size >= 1 && size <= skin::kMaxBackgroundSide && at >= 0 &&
               int64_t{at} + size <= sheet;
    };
    return fits(background.x, background.w, sheetWidth) &&
           fits(background.y, background.h, sheetHeight);
}
