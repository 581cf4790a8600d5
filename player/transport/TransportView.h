// What the transport asks of the main window: drawing, titles, messages and
// the other windows. The main window implements it; tests record it.
#pragma once

#include <string>

enum class TransportMenuCheck { kPlay, kPause, kStop };

class TransportView {
  public:
    virtual ~TransportView() = default;

    // The play/pause place with the pause image lit (true) or the play image.
    virtual void DrawPlayPause(bool pauseLit) = 0;
    virtual void DrawStop(bool lit) = 0;
    virtual void DrawTextsAndNumbers() = 0;
    virtual void DrawRepeatIndicator() = 0;
    virtual void DrawShuffleIndicator() = 0;
    virtual void RepaintAll() = 0;

    // The task-bar text.
    virtual void SetApplicationTitle(const std::string& title) = 0;
    // The tray icon's image and tip.
    virtual void ShowTrayState(bool playing, const std::string& tip) = 0;
    virtual void CheckMenu(TransportMenuCheck item) = 0;
    // Posts the end-of-track notice (WM_APP 1, 0) to the main window.
    virtual void PostNotifyEnd() = 0;
    // A message box with byte text in the ANSI code page.
    virtual void ShowMessage(const char* text) = 0;

    virtual void ShowPlayListWindow() = 0;
    virtual void PopUpOpenMenu() = 0;
    // The play list window's grid: select a row (when in list mode and the
    // row exists), rebuild in the current mode.
    virtual void SelectPlayListRow(int number) = 0;
    virtual void RebuildPlayList() = 0;
    // The menu play list's check mark on an item.
    virtual void CheckMenuPlayListItem(int number) = 0;

    // Skin facts: active, and with separate play and pause buttons.
    virtual bool SkinActive() const = 0;
    virtual bool SkinHasSeparatePause() const = 0;
    virtual void RestartSkinTitleScroll() = 0;
    // The title line starts again from its left end.
    virtual void ResetTitleScroll() = 0;
};
