// The transport: play, pause, stop, previous, next, the repeat and shuffle
// modes, the volume, and what follows the end of a track. Every way of
// starting an action ends in ButtonAction.
#pragma once

#include <cstdint>
#include <string>

#include "InputItemDB.h"
#include "InputPlugin.h"
#include "MixerPlugin.h"
#include "RandomGenerator.h"
#include "SettingsFields.h"
#include "Shuffle.h"
#include "TransportView.h"
#include "VolumeLineList.h"

enum PlayStateCode : int32_t { kPlayStopped = 0, kPlayPlaying = 1, kPlayPaused = 2 };
enum RepeatModeCode : int32_t { kRepeatOff = 110, kRepeatAll = 111, kRepeatOne = 112 };
enum ShuffleModeCode : int32_t { kShuffleOff = 100, kShuffleOn = 101, kShuffleRandom = 102 };

enum ButtonCode : int32_t {
    kButtonPlayPause = 0,
    kButtonStop = 1,
    kButtonPrevious = 2,
    kButtonNext = 3,
    kButtonRepeat = 4,
    kButtonShuffle = 5,
    kButtonPlayList = 6,
    kButtonOpenMenu = 7,
    kButtonLogo = 8,
    kButtonPauseOnly = 10,
};

struct TransportParts {
    InputPlugin& input;
    TInputItemDB& list;
    TShuffle& shuffle;
    RandomGenerator& random;
    const SettingsFields& settings;
    TransportView& view;
    MixerPlugin* mixer; // may be null
    const VolumeLines* volumeLines;
    WindowHandle window; // the mixer's callback window
};

class Transport {
  public:
    explicit Transport(const TransportParts& parts);

    void ButtonAction(int32_t code);
    // A Control_PM item's tag: 0 and 10 play or pause; other tags nothing.
    void Play_MClick(int32_t tag);
    // WM_APP commands from the input and the play list window.
    void NotifyEnd();
    void NotifyPosition(int32_t seconds);
    // The common tail of every way of loading files.
    void AfterListLoaded(int32_t first, bool addMode);
    // A click in the menu play list: -1 shows the play list window.
    void MenuPlayListClick(int32_t tag);
    bool UpdateTrackInfo();
    void ApplyVolume(int32_t volume);
    // -1 when the mixer has no such volume line, else 0.
    int32_t SetMixerVolume(int32_t left, int32_t right);
    // The mixer's change notice for `controlId`: the volume (0 ... 100) the
    // panel shows when it is the fader of the volume line in use, else -1.
    // Volume keeps the player's own value.
    int32_t MixerControlChange(uint32_t controlId);
    // The list was emptied: back to the idle panel.
    void ResetForEmptyList(const char* idleTitle, const char* idleSubtitle);

    // Fields that the panel shows and the settings store.
    int32_t PlayState = kPlayStopped;
    int32_t RepeatMode = kRepeatOff;
    int32_t ShuffleMode = kShuffleOff;
    int32_t ListLoaded = 0;
    int32_t Volume = 40;
    bool SeekDragging = false;
    int32_t Position = 0;
    int32_t Length = 0;
    int32_t BitRate = 0;
    int32_t SampleRate = 0;
    char TitleText[128] = {};
    char ArtistText[128] = {};
    int32_t MixerIsCD = 0;
    int32_t MixerLine = 0;
    int32_t MixerDevice = 0;

    // The task-bar text while idle.
    static constexpr const char* kIdleApplicationTitle = "Quorel";

  private:
    void StartPlayback();
    void StopPlayback();
    void TogglePause();
    void SelectPrevious();
    void SelectNext(bool automatic);
    void SelectMixerLine(const ItemRecord& item);
    std::string PlayingTitle(const ItemRecord& item) const;
    std::string VolumeLineInUse() const;

    TransportParts parts;
    std::string applicationTitle = kIdleApplicationTitle;
};
