// The options of the whole program, one field per settings-file key, as the
// settings dialog holds them from start-up to the end. Every other window
// reads them from here.
//
// Start-up: construct with the path of "Quorel.ini" beside the program, then
// LoadSettings(DefaultIniPath, true). Exit and the sleep timer:
// SaveSettings(CurrentIniPath).
#pragma once

#include <cstdint>
#include <string>

// True when the file reads and holds at least one key of the settings.
bool IsSettingsFile(const std::string& path);

class SettingsFields {
  public:
    // Every field at its first-run value; both paths empty.
    SettingsFields() = default;
    // DefaultIniPath and CurrentIniPath := the settings file beside the program.
    explicit SettingsFields(const std::string& defaultIniPath);

    // Reads every option from the file at path; a missing file, key or
    // unreadable number gives the first-run value. With follow set, a
    // "SpecialIniPath" naming another file makes that file the current one
    // and the options are read from it instead (a chain of such files is
    // followed until one names itself, names a file already read, or 16
    // files were read). With follow clear the entry is ignored.
    void LoadSettings(const std::string& path, bool follow);

    // Writes every option to path with "SpecialIniPath" = path, then, when
    // path is not DefaultIniPath, that one entry into the default file. Each
    // file is replaced in one step; false when either write failed (a file
    // that could not be written is unchanged).
    bool SaveSettings(const std::string& path) const;

    // Section "FileOpenMode".
    bool NotReflexive = false;
    bool NotOpenMP3 = false;
    bool NotOpenWAV = false;
    bool NotOpenRMP = false;
    bool NotOpenM3U = false;
    bool NotOpenCDA = false;
    bool DDtoAdd = true;
    bool SaveRelativePath = false;
    // Section "PanelMode".
    bool TrayIcon = false;
    bool BarIcon = false;
    bool TitleScroll = true;
    bool OkDD = false;
    // Section "Titlebar": colours 0x00BBGGRR.
    uint32_t LeftColor = 0x730E09;
    uint32_t RightColor = 0xFFFFFF;
    // Section "PanelMode".
    bool ExchangeButton = true;
    bool UseSkin = true;
    // Section "PlayListMode": the list-mode columns, then the menu play list.
    bool TitleOn = true;
    bool ArtistOn = true;
    bool AlbumOn = true;
    bool YearOn = false;
    bool GenreOn = false;
    bool CommentOn = false;
    bool FileNameOn = false;
    bool TimeOn = true;
    bool MenuPlayListOn = true;
    bool mplTitleOn = true;
    bool mplArtistOn = true;
    bool mplAlbumOn = false;
    bool mplTimeOn = false;
    // Section "PlayOption".
    bool AutoPlay = true;
    bool AddFiletoPlay = false;
    bool UseDirectSound = false;
    int32_t Reduction = 0; // 0 none, 1 one half, 2 one quarter
    int32_t Convert = 0;   // 0 as recorded, 1 mono
    // Section "VolumeDevice": combo-box indexes.
    int32_t WaveOutDevice = 0;
    int32_t WaveOutVolume = 1;
    int32_t CDOutDevice = 0;
    int32_t CDOutVolume = 2;
    // Not stored: a device or volume choice changed since the last Apply.
    bool VolumeChanged = false;
    std::string CurrentIniPath;
    std::string DefaultIniPath;
    // Section "OtherOption".
    bool PerformCPU = false;
    uint32_t PerformInterval = 500;
    // Not stored: the sleep timer is counting.
    bool TimerRunning = false;
    // Section "OyasumiTimer".
    int32_t OyasumiMin = 30;
    int32_t OyasumiProcess = 0;
};
