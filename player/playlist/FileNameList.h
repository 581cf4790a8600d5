// The re-open history: the last folders the user opened, newest first, kept
// in section "FileList" of the settings file (Name0 the oldest). The main
// window mirrors the names into its four re-open menus.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Shows the history in menus; told after every change.
class FileNameListView {
  public:
    virtual ~FileNameListView() = default;
    virtual void ShowNames(const std::vector<std::string>& newestFirst) = 0;
};

class TFileNameList {
  public:
    static constexpr size_t kMaxNames = 10;

    explicit TFileNameList(FileNameListView* view = nullptr) : view_(view) {}

    // Puts the name at the top; an equal name (exact comparison) moves there
    // instead of being listed twice; beyond ten names the oldest goes.
    void AddName(const std::string& name);
    // Removes entry `index` (0 = newest) if there is one.
    void RemoveAt(size_t index);
    void ClearMenus();

    // Replaces the names by Name0, Name1, ... of the file (up to the first
    // missing or empty key), Name0 ending at the bottom.
    void Load(const std::string& iniPath);
    // Writes the names (the newest as the highest number) and an empty key
    // after them, so older keys beyond the list are never read back; other
    // keys stay. A history that was never filled leaves the file untouched.
    bool Save(const std::string& iniPath) const;

    const std::vector<std::string>& Names() const { return names_; }
    // A click in re-open menu `menuIndex` (0-3): the even menus replace the
    // list, the odd ones ("追加で") add to it.
    static bool Replaces(int32_t menuIndex) { return menuIndex % 2 == 0; }

  private:
    void PutOnTop(const std::string& name);
    void Show();

    std::vector<std::string> names_; // newest first
    FileNameListView* view_;         // not owned; may be null
};
