// The main window's two popup menus, "Open_PM" (the open button) and
// "Control_PM" (right click), with the re-open history in four submenus and
// the menu play list under "プレイリスト". Items report by position
// (WM_MENUCOMMAND), so an item's meaning travels in its id and item data,
// never in a 16-bit command id or its caption.
#pragma once

#include <windows.h>

#include <cstdint>

#include "FileNameList.h"
#include "MenuPlayList.h"
#include "TransportView.h"

// Item ids. The item data holds the tag: 0 replace / 1 add for the open
// items, the history index for re-open entries, the entry's tag for the
// menu play list, the button action code for the transport items.
enum MenuCommand : UINT {
    kMenuCommandFileOpen = 1,
    kMenuCommandFolderOpen,
    kMenuCommandReOpenEntry,
    kMenuCommandPlayList,
    kMenuCommandPlayListEntry,
    kMenuCommandMpegInfo,
    kMenuCommandPlayPause, // "再生" (0), "一時停止" (10)
    kMenuCommandButton, // "停止" 1, "前曲" 2, "次曲" 3, "リピート" 4, "シャッフル/ランダム" 5
    kMenuCommandSetup,
    kMenuCommandTimerStart,
    kMenuCommandAbout,
    kMenuCommandHelp,
    kMenuCommandExit,
};

// One chosen item.
struct MenuChoice {
    UINT command = 0; // 0: not one of ours
    intptr_t data = 0;
    int32_t reOpenMenu = -1; // 0-3 for a re-open entry
};

class MainMenus : public FileNameListView, public MenuPlayListView {
  public:
    MainMenus();
    ~MainMenus() override;
    MainMenus(const MainMenus&) = delete;
    MainMenus& operator=(const MainMenus&) = delete;

    // False when a menu could not be made.
    bool Built() const { return built; }
    HMENU OpenMenu() const { return openMenu; }
    HMENU ControlMenu() const { return controlMenu; }
    // ReOpen_M, AddReOpen_M, ReOpenC_M, AddReOpenC_M.
    HMENU ReOpenMenu(int index) const { return reOpen[index]; }
    HMENU PlayListMenu() const { return playListMenu; }
    HMENU ControlSubmenu() const { return controlSubmenu; }

    MenuChoice Decode(HMENU menu, UINT position) const;

    // The radio mark of "再生", "停止", "一時停止".
    void CheckTransport(TransportMenuCheck item);
    void CheckTimer(bool running);

    // FileNameListView: the history in the four re-open menus.
    void ShowNames(const std::vector<std::string>& newestFirst) override;
    // MenuPlayListView: "プレイリスト" opens the entries while there are any,
    // else it is an item of its own.
    void ShowEntries(const std::vector<MenuPlayListEntry>& entries) override;
    void CheckEntry(int32_t number) override;

  private:
    bool Build();
    void AttachPlayListMenu(bool attach);

    bool built = false;
    HMENU openMenu = nullptr;
    HMENU controlMenu = nullptr;
    HMENU controlSubmenu = nullptr;
    HMENU openSubmenu = nullptr;
    HMENU reOpen[4] = {};
    HMENU playListMenu = nullptr; // owned here while detached
    bool playListAttached = false;
};

// "&" shows as a mnemonic underline in a menu: doubled, it shows as itself.
std::string MenuCaptionOf(const std::string& text);
