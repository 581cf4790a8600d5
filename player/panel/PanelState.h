// What the built-in panel shows: the main window's transport values, texts
// and the settings that change the drawing.
#pragma once

#include <cstdint>
#include <string>

struct PanelState {
    int32_t PlayState = 0; // 0 stopped, 1 playing, 2 paused
    int32_t ListLoaded = 0;
    int32_t RepeatMode = 110;  // 110 off, 111 all, 112 one
    int32_t ShuffleMode = 100; // 100 off, 101 shuffle, 102 random
    int32_t Volume = 40;       // 0 to 100
    int32_t Position = 0;      // seconds
    int32_t Length = 0;        // seconds
    int32_t BitRate = 0;       // bit/s
    int32_t SampleRate = 0;    // Hz
    std::string TitleText;     // byte text (ANSI code page)
    std::string ArtistText;
    int32_t TitleX = 1; // x of the title text inside its line
    bool ExchangeButton = false;
    bool TitleScroll = false;
    bool SleepTimerRunning = false;
    int32_t SleepMinutesLeft = 0;
};
