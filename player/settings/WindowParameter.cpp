#include "WindowParameter.h"

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

bool SaveWindowParameter(const std::string& path, const WindowParameter& parameter) {
    return UpdateIniFile(path, [&](IniDocument& document) {
        return document.WriteInteger(kSection, "Volume", parameter.Volume) &&
               document.WriteInteger(kSection, "Repeat", parameter.Repeat) &&
               document.WriteInteger(kSection, "Left", parameter.Left) &&
               document.WriteInteger(kSection, "Top", parameter.Top);
    });
}
