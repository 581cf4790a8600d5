#include "MainMenus.h"

#include "AppTexts.h"

namespace {

// Positions of the items whose marks change.
constexpr UINT kPlayPosition = 2; // "再生", "停止", "一時停止" in the control submenu
constexpr UINT kPausePosition = 4;
constexpr UINT kPlayListPosition = 0; // in Control_PM
constexpr UINT kTimerPosition = 7;

bool AddItem(HMENU menu, const wchar_t* caption, UINT command, intptr_t data,
             HMENU submenu = nullptr, bool radio = false) {
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_DATA | (submenu ? MIIM_SUBMENU : 0);
    item.fType = radio ? MFT_RADIOCHECK : MFT_STRING;
    item.wID = command;
    item.dwItemData = static_cast<ULONG_PTR>(data);
    item.hSubMenu = submenu;
    item.dwTypeData = const_cast<wchar_t*>(caption);
    return InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &item) != 0;
}

// An item with byte text in the ANSI code page.
bool AddByteItem(HMENU menu, const std::string& caption, UINT command, intptr_t data) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STRING;
    item.fType = MFT_RADIOCHECK;
    item.wID = command;
    item.dwItemData = static_cast<ULONG_PTR>(data);
    std::string text = MenuCaptionOf(caption);
    item.dwTypeData = text.data();
    return InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &item) != 0;
}

bool AddSeparator(HMENU menu) {
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE;
    item.fType = MFT_SEPARATOR;
    return InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &item) != 0;
}

void RemoveAllItems(HMENU menu) {
    for (int count = GetMenuItemCount(menu); count > 0; --count)
        DeleteMenu(menu, static_cast<UINT>(count - 1), MF_BYPOSITION);
}

// The six open items, with the two re-open submenus given.
bool AddOpenItems(HMENU menu, HMENU reOpen, HMENU addReOpen) {
    return AddItem(menu, kMenuFileOpen, kMenuCommandFileOpen, 0) &&
           AddItem(menu, kMenuFolderOpen, kMenuCommandFolderOpen, 0) &&
           AddItem(menu, kMenuReOpen, 0, 0, reOpen) && AddSeparator(menu) &&
           AddItem(menu, kMenuAddFileOpen, kMenuCommandFileOpen, 1) &&
           AddItem(menu, kMenuAddFolderOpen, kMenuCommandFolderOpen, 1) &&
           AddItem(menu, kMenuAddReOpen, 0, 0, addReOpen);
}

// Every item of the menu and its submenus reports by position.
bool NotifyByPosition(HMENU menu) {
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_STYLE | MIM_APPLYTOSUBMENUS;
    info.dwStyle = MNS_NOTIFYBYPOS;
    return SetMenuInfo(menu, &info) != 0;
}

} // namespace

std::string MenuCaptionOf(const std::string& text) {
    std::string caption;
    caption.reserve(text.size());
    for (const char c : text) {
        caption += c;
        if (c == '&') caption += '&'; // '&' is never the second byte of a character
    }
    return caption;
}

MainMenus::MainMenus() {
    built = Build();
}

MainMenus::~MainMenus() {
    // A detached submenu is not destroyed with its parent.
    if (!playListAttached && playListMenu) DestroyMenu(playListMenu);
    // Destroying a menu destroys its submenus.
    if (openMenu) DestroyMenu(openMenu);
    if (controlMenu) DestroyMenu(controlMenu);
}

bool MainMenus::Build() {
    openMenu = CreatePopupMenu();
    controlMenu = CreatePopupMenu();
    controlSubmenu = CreatePopupMenu();
    openSubmenu = CreatePopupMenu();
    playListMenu = CreatePopupMenu();
    for (HMENU& menu : reOpen)
        menu = CreatePopupMenu();
    if (!openMenu || !controlMenu || !controlSubmenu || !openSubmenu || !playListMenu ||
        !reOpen[0] || !reOpen[1] || !reOpen[2] || !reOpen[3])
        return false;

    if (!AddOpenItems(openMenu, reOpen[0], reOpen[1]) ||
        !AddOpenItems(openSubmenu, reOpen[2], reOpen[3]))
        return false;

    HMENU sub = controlSubmenu;
    if (!AddItem(sub, kMenuOpen, 0, 0, openSubmenu) || !AddSeparator(sub) ||
        !AddItem(sub, kMenuPlay, kMenuCommandPlayPause, 0, nullptr, true) ||
        !AddItem(sub, kMenuStop, kMenuCommandButton, 1, nullptr, true) ||
        !AddItem(sub, kMenuPause, kMenuCommandPlayPause, 10, nullptr, true) || !AddSeparator(sub) ||
        !AddItem(sub, kMenuNext, kMenuCommandButton, 3) ||
        !AddItem(sub, kMenuPrev, kMenuCommandButton, 2) || !AddSeparator(sub) ||
        !AddItem(sub, kMenuRepeat, kMenuCommandButton, 4) ||
        !AddItem(sub, kMenuShuffle, kMenuCommandButton, 5))
        return false;

    HMENU menu = controlMenu;
    if (!AddItem(menu, kMenuPlayList, kMenuCommandPlayList, 0) ||
        !AddItem(menu, kMenuMpegInfo, kMenuCommandMpegInfo, 0) || !AddSeparator(menu) ||
        !AddItem(menu, kMenuControl, 0, 0, controlSubmenu) || !AddSeparator(menu) ||
        !AddItem(menu, kMenuSetup, kMenuCommandSetup, 0) || !AddSeparator(menu) ||
        !AddItem(menu, kMenuTimerStart, kMenuCommandTimerStart, 0) || !AddSeparator(menu) ||
        !AddItem(menu, kMenuAbout, kMenuCommandAbout, 0) ||
        !AddItem(menu, kMenuHelp, kMenuCommandHelp, 0) || !AddSeparator(menu) ||
        !AddItem(menu, kMenuExit, kMenuCommandExit, 0))
        return false;

    return NotifyByPosition(openMenu) && NotifyByPosition(controlMenu) &&
           NotifyByPosition(playListMenu);
}

MenuChoice MainMenus::Decode(HMENU menu, UINT position) const {
    MenuChoice choice;
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_DATA;
    if (!menu || !GetMenuItemInfoW(menu, position, TRUE, &item)) return choice;
    choice.command = item.wID;
    choice.data = static_cast<intptr_t>(item.dwItemData);
    for (int index = 0; index < 4; ++index) {
        if (menu == reOpen[index]) choice.reOpenMenu = index;
    }
    return choice;
}

void MainMenus::CheckTransport(TransportMenuCheck item) {
    const UINT position = item == TransportMenuCheck::kPlay   ? kPlayPosition
                          : item == TransportMenuCheck::kStop ? kPlayPosition + 1
                                                              : kPausePosition;
    CheckMenuRadioItem(controlSubmenu, kPlayPosition, kPausePosition, position, MF_BYPOSITION);
}

void MainMenus::CheckTimer(bool running) {
    CheckMenuItem(controlMenu, kTimerPosition,
                  MF_BYPOSITION | (running ? MF_CHECKED : MF_UNCHECKED));
}

void MainMenus::ShowNames(const std::vector<std::string>& newestFirst) {
    for (HMENU menu : reOpen) {
        RemoveAllItems(menu);
        for (size_t index = 0; index < newestFirst.size(); ++index)
            AddByteItem(menu, newestFirst[index], kMenuCommandReOpenEntry,
                        static_cast<intptr_t>(index));
    }
}

void MainMenus::ShowEntries(const std::vector<MenuPlayListEntry>& entries) {
    AttachPlayListMenu(false);
    RemoveAllItems(playListMenu);
    for (const MenuPlayListEntry& entry : entries) {
        if (entry.tag == TMenuPlayList::kSeparatorTag)
            AddSeparator(playListMenu);
        else
            AddByteItem(playListMenu, entry.caption, kMenuCommandPlayListEntry, entry.tag);
    }
    AttachPlayListMenu(!entries.empty());
}

void MainMenus::CheckEntry(int32_t number) {
    const int count = GetMenuItemCount(playListMenu);
    if (number < 1 || number > count) return;
    CheckMenuRadioItem(playListMenu, 0, static_cast<UINT>(count - 1), static_cast<UINT>(number - 1),
                       MF_BYPOSITION);
}

void MainMenus::AttachPlayListMenu(bool attach) {
    if (attach == playListAttached) return;
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_SUBMENU;
    item.hSubMenu = attach ? playListMenu : nullptr;
    if (SetMenuItemInfoW(controlMenu, kPlayListPosition, TRUE, &item)) playListAttached = attach;
}
