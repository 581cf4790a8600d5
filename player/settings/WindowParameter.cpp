#include "WindowParameter.h"

#include <algorithm>

#include "IniFile.h"
#include "ValueRanges.h"

namespace {

constexpr const char* kSection = "MainWindowParameter";

// Windows keeps window coordinates within 16 bits; anything beyond would put
// the window out of reach and overflow position arithmetic.
constexpr int32_t kLowestCoordinate = -32768;
constexpr int32_t kHighestCoordinate = 32767;

int32_t Coordinate(int32_t value) {
    return ClampedTo(value, kLowestCoordinate, kHighestCoordinate);
}

} // namespace

WindowParameter LoadWindowParameter(const std::string& path, int32_t currentLeft,
                                    int32_t currentTop) {
    const IniDocument document = ReadIniFile(path).document;
    const WindowParameter defaults{};
    WindowParameter parameter;
    parameter.Volume = ClampedTo(document.ReadInteger(kSection, "Volume", defaults.Volume), 0, 100);
    parameter.Repeat = WithinOr(document.ReadInteger(kSection, "Repeat", defaults.Repeat), 110, 112,
                                defaults.Repeat);
    parameter.Left = Coordinate(document.ReadInteger(kSection, "Left", currentLeft));
    parameter.Top = Coordinate(document.ReadInteger(kSection, "Top", currentTop));
    return parameter;
}

void KeepOnWorkArea(WindowParameter& parameter, int32_t width, int32_t height,
                    const ScreenRect& workArea) {
    const bool overlaps = parameter.Left < workArea.right &&
                          parameter.Left + width > workArea.left &&
                          parameter.Top < workArea.bottom && parameter.Top + height > workArea.top;
    if (overlaps) return;
    // Against the far edge first, so that the near edge wins for a window
    // larger than the work area.
    parameter.Left = std::max(std::min(parameter.Left, workArea.right - width), workArea.left);
    parameter.Top = std::max(std::min(parameter.Top, workArea.bottom - height), workArea.top);
}

bool SaveWindowParameter(const std::string& path, const WindowParameter& parameter) {
    return UpdateIniFile(path, [&](IniDocument& document) {
        return document.WriteInteger(kSection, "Volume", parameter.Volume) &&
               document.WriteInteger(kSection, "Repeat", parameter.Repeat) &&
               document.WriteInteger(kSection, "Left", parameter.Left) &&
               document.WriteInteger(kSection, "Top", parameter.Top);
    });
}
