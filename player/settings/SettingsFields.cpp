#include "SettingsFields.h"

#include "IniFile.h"
#include "ValueRanges.h"

#include <algorithm>
#include <type_traits>
#include <vector>

namespace {

const SettingsFields kFirstRun{};

constexpr const char* kOtherOption = "OtherOption";
constexpr const char* kSpecialIniPath = "SpecialIniPath";

// A file naming another that names another ... is followed this far.
constexpr size_t kMostFilesRead = 16;

// The ANSI file functions take at most 259 characters; a longer name, or one
// the C library would cut at a NUL, cannot be the settings file, and
// following it would lose the settings at every exit.
constexpr size_t kMostPathBytes = 259;

bool IsSettingsPath(const std::string& path) {
    return !path.empty() && path.size() <= kMostPathBytes &&
           path.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
}

// The keys stored before "SpecialIniPath", in the order they are written.
template <typename Visit> void VisitLeadingKeys(Visit&& visit) {
    visit("FileOpenMode", "NotReflexive", &SettingsFields::NotReflexive);
    visit("FileOpenMode", "NotOpenMP3", &SettingsFields::NotOpenMP3);
    visit("FileOpenMode", "NotOpenWAV", &SettingsFields::NotOpenWAV);
    visit("FileOpenMode", "NotOpenRMP", &SettingsFields::NotOpenRMP);
    visit("FileOpenMode", "NotOpenM3U", &SettingsFields::NotOpenM3U);
    visit("FileOpenMode", "NotOpenCDA", &SettingsFields::NotOpenCDA);
    visit("FileOpenMode", "DDtoAdd", &SettingsFields::DDtoAdd);
    visit("FileOpenMode", "SaveRelativePath", &SettingsFields::SaveRelativePath);
    visit("PanelMode", "TrayIcon", &SettingsFields::TrayIcon);
    visit("PanelMode", "BarIcon", &SettingsFields::BarIcon);
    visit("PanelMode", "TitleScroll", &SettingsFields::TitleScroll);
    visit("PanelMode", "OkDD", &SettingsFields::OkDD);
    visit("PanelMode", "ExchangeButton", &SettingsFields::ExchangeButton);
    visit("PanelMode", "UseSkin", &SettingsFields::UseSkin);
    visit("Titlebar", "LeftColor", &SettingsFields::LeftColor);
    visit("Titlebar", "RightColor", &SettingsFields::RightColor);
    visit("PlayListMode", "TitleOn", &SettingsFields::TitleOn);
    visit("PlayListMode", "ArtistOn", &SettingsFields::ArtistOn);
    visit("PlayListMode", "AlbumOn", &SettingsFields::AlbumOn);
    visit("PlayListMode", "YearOn", &SettingsFields::YearOn);
    visit("PlayListMode", "GenreOn", &SettingsFields::GenreOn);
    visit("PlayListMode", "CommentOn", &SettingsFields::CommentOn);
    visit("PlayListMode", "FileNameOn", &SettingsFields::FileNameOn);
    visit("PlayListMode", "TimeOn", &SettingsFields::TimeOn);
    visit("PlayListMode", "MenuPlayListOn", &SettingsFields::MenuPlayListOn);
    visit("PlayListMode", "mplTitleOn", &SettingsFields::mplTitleOn);
    visit("PlayListMode", "mplArtistOn", &SettingsFields::mplArtistOn);
    visit("PlayListMode", "mplAlbumOn", &SettingsFields::mplAlbumOn);
    visit("PlayListMode", "mplTimeOn", &SettingsFields::mplTimeOn);
    visit("PlayOption", "AddFiletoPlay", &SettingsFields::AddFiletoPlay);
    visit("PlayOption", "AutoPlay", &SettingsFields::AutoPlay);
    visit("PlayOption", "UseDirectSound", &SettingsFields::UseDirectSound);
    visit("PlayOption", "Reduction", &SettingsFields::Reduction);
    visit("PlayOption", "Convert", &SettingsFields::Convert);
}

// The keys stored after "SpecialIniPath": a file that only points to
// another is not read this far.
template <typename Visit> void VisitTrailingKeys(Visit&& visit) {
    visit(kOtherOption, "PerformCPU", &SettingsFields::PerformCPU);
    visit(kOtherOption, "PerformInterval", &SettingsFields::PerformInterval);
    visit("VolumeDevice", "WaveOutDevice", &SettingsFields::WaveOutDevice);
    visit("VolumeDevice", "WaveOutVolume", &SettingsFields::WaveOutVolume);
    visit("VolumeDevice", "CDOutDevice", &SettingsFields::CDOutDevice);
    visit("VolumeDevice", "CDOutVolume", &SettingsFields::CDOutVolume);
    visit("OyasumiTimer", "OyasumiMin", &SettingsFields::OyasumiMin);
    visit("OyasumiTimer", "OyasumiProcess", &SettingsFields::OyasumiProcess);
}

// Unsigned fields are stored as the signed decimal of their 32 bits.
class KeyReader {
  public:
    KeyReader(const IniDocument& document, SettingsFields& fields)
        : document_(document), fields_(fields) {}

    template <typename Value>
    void operator()(const char* section, const char* key, Value SettingsFields::*field) const {
        const Value fallback = kFirstRun.*field;
        if constexpr (std::is_same_v<Value, bool>)
            fields_.*field = document_.ReadBool(section, key, fallback);
        else
            fields_.*field = static_cast<Value>(
                document_.ReadInteger(section, key, static_cast<int32_t>(fallback)));
    }

  private:
    const IniDocument& document_;
    SettingsFields& fields_;
};

class KeyWriter {
  public:
    KeyWriter(IniDocument& document, const SettingsFields& fields)
        : document_(document), fields_(fields) {}

    template <typename Value>
    void operator()(const char* section, const char* key, Value SettingsFields::*field) {
        const Value value = fields_.*field;
        if constexpr (std::is_same_v<Value, bool>)
            allWritten_ = document_.WriteBool(section, key, value) && allWritten_;
        else
            allWritten_ =
                document_.WriteInteger(section, key, static_cast<int32_t>(value)) && allWritten_;
    }

    bool AllWritten() const { return allWritten_; }

  private:
    IniDocument& document_;
    const SettingsFields& fields_;
    bool allWritten_ = true;
};

// Values other parts use as indexes or codes; the colours are 0x00BBGGRR.
void KeepInRange(SettingsFields& fields) {
    fields.Reduction = WithinOr(fields.Reduction, 0, 2, kFirstRun.Reduction);
    fields.Convert = WithinOr(fields.Convert, 0, 1, kFirstRun.Convert);
    for (int32_t* index :
         {&fields.WaveOutDevice, &fields.WaveOutVolume, &fields.CDOutDevice, &fields.CDOutVolume})
        *index = std::max(*index, 0);
    fields.LeftColor &= 0xFFFFFF;
    fields.RightColor &= 0xFFFFFF;
    // Up to 100 hours and 59 minutes. The timer's action is one of five; an
    // unknown one becomes the mildest, stopping the sound, as the timer
    // itself would take it (never switching the machine off).
    fields.OyasumiMin = ClampedTo(fields.OyasumiMin, 1, 100 * 60 + 59);
    fields.OyasumiProcess = ClampedTo(fields.OyasumiProcess, 0, 4);
}

} // namespace

bool IsSettingsFile(const std::string& path) {
    const IniFileContent content = ReadIniFile(path);
    if (content.state != IniFileState::Read) return false;
    bool found = content.document.Find(kOtherOption, kSpecialIniPath).has_value();
    const auto visit = [&](const char* section, const char* key, auto) {
        found = found || content.document.Find(section, key).has_value();
    };
    VisitLeadingKeys(visit);
    VisitTrailingKeys(visit);
    return found;
}

SettingsFields::SettingsFields(const std::string& defaultIniPath)
    : CurrentIniPath(defaultIniPath), DefaultIniPath(defaultIniPath) {}

void SettingsFields::LoadSettings(const std::string& path, bool follow) {
    std::vector<std::string> filesRead;
    std::string reading = path;
    for (;;) {
        const IniDocument document = ReadIniFile(reading).document;
        filesRead.push_back(reading);
        const KeyReader reader(document, *this);
        VisitLeadingKeys(reader);
        const std::string special = document.ReadString(kOtherOption, kSpecialIniPath, "");
        if (follow && IsSettingsPath(special)) {
            const bool seen =
                std::find(filesRead.begin(), filesRead.end(), special) != filesRead.end();
            if (!seen && filesRead.size() < kMostFilesRead) {
                CurrentIniPath = special;
                reading = special;
                continue;
            }
            // Names itself, or closes a circle: stay with the file in hand.
            CurrentIniPath = reading;
        }
        VisitTrailingKeys(reader);
        break;
    }
    KeepInRange(*this);
}

bool SettingsFields::SaveSettings(const std::string& path) const {
    if (!IsSettingsPath(path)) return false;
    const bool saved = UpdateIniFile(path, [&](IniDocument& document) {
        KeyWriter writer(document, *this);
        VisitLeadingKeys(writer);
        const bool pointerWritten = document.WriteString(kOtherOption, kSpecialIniPath, path);
        VisitTrailingKeys(writer);
        return writer.AllWritten() && pointerWritten;
    });
    if (!saved) return false;
    if (path == DefaultIniPath) return true;
    return UpdateIniFile(DefaultIniPath, [&](IniDocument& document) {
        return document.WriteString(kOtherOption, kSpecialIniPath, path);
    });
}
