// The play list window TForm3: a borderless form with the grid of play list
// entries (a virtual list view) and the column of controls beside it. The
// decisions live in PlayListGrid and WindowPlacement; this class turns
// messages into calls on them and draws what they say.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>

#include "BorderlessFrame.h"
#include "InputPlugin.h"
#include "OpenAudioFile.h"
#include "PlayListGrid.h"
#include "TitleFrame.h"
#include "WindowPlacement.h"

// What the main window hands over at start-up and after the settings change.
struct PlayListSettings {
    uint32_t leftColor = 0x730E09;
    uint32_t rightColor = 0xFFFFFF;
    bool saveRelativePath = false;
    ColumnFlags columns;
};

class TForm3 : private PlayListRequests {
  public:
    // `countChanged` runs after entries were deleted (the shuffle order).
    TForm3(HWND mainWindow, InputPlugin* input, TOpenAudioFile& lists,
           std::function<void()> countChanged);
    ~TForm3() override;
    TForm3(const TForm3&) = delete;
    TForm3& operator=(const TForm3&) = delete;

    bool Create(HINSTANCE instance);
    HWND Handle() const { return window; }

    void SetSettings(const PlayListSettings& settings);
    // Top, left, height and width of the main window, for the placement.
    void SetMainWindowBox(const Box& box) { mainBox = box; }
    // Shows the window in list mode beside the main window (FormShow).
    void Show();
    // Refills the rows from the lists (FillGrid).
    void FillGrid();
    // The transport's selection: row `number` in list mode, when it exists.
    void SelectRow(int32_t number);

    // Client size at design.
    static constexpr int kDesignWidth = 481;
    static constexpr int kDesignHeight = 232;

  private:
    enum ControlId : int {
        kListModeId = 100,
        kTagCopyId,
        kUniteGroupId,
        kModeUniteId,
        kUniteTitleId,
        kUniteLabelId,
        kUniteEditId,
        kNumberingId,
        kSaveIdId,
        kAllClearId,
        kUpId,
        kDelId,
        kUniteId,
        kDownId,
        kSaveM3UId,
        kGridId,
        kCellEditId,
        kGenreId,
    };
    // The system menu's items carry the handler's tags.
    enum MenuTag : int {
        kHeightMaxTag = 1,
        kWidthMaxTag = 2,
        kCloseTag = 3,
        kReverseSizeTag = 4,
        kCalcTimeTag = 5,
    };
    static constexpr FrameArea kSysIconArea{3, 3, 16, 16};
    static constexpr FrameArea kHelpArea{49, 4, 16, 14};

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK GridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnGridNotify(NMHDR* header);
    bool OnGridKey(WPARAM key);

    // PlayListRequests.
    void Post(int32_t command) override;
    int32_t InputState() override;
    void EntryCountChanged() override;
    void ShowMessage(PlayListMessage message) override;

    void CreateControls();
    HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, int x,
                    int y, int width, int height, const wchar_t* hint = nullptr);
    void LayOut();
    void Paint();

    void SetupListMode(int32_t mode);
    void ListMode_CBChange();
    void ShowCurrentCell();
    void ApplyColumnWidths(const std::vector<int32_t>& widths);
    std::wstring CellText(int row, int column) const;
    void PaintGrid();

    void OnCommand(int id, int code);
    void Up_BtClick();
    void Down_BtClick();
    void Del_BtClick();
    void AllClear_BtClick();
    void SaveM3U_BtClick();
    void PlayCell(int column, int row);
    bool OnEditModeKey(WPARAM key);

    // Edit mode: the cell editor and the genre box over the current cell
    // (PlayListCellEditing_win.cpp).
    static LRESULT CALLBACK CellEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    bool CellRect(int column, int row, RECT& rect) const;
    void StartCellEdit(const std::wstring& text, bool selectAll);
    void CommitCellEdit();
    void CancelCellEdit();
    void RecordEdit(int column, int row, const std::string& text);
    void UpdateGenreBox();
    void LeaveGenreCell();
    void CopyCell(bool cut);
    void PasteCell();
    void SaveID_BtClick();
    void ModeUnite_RBClick(int tag);
    void Numbering_CBClick();
    void UniteString_EdChange();
    void Unite_BtClick();

    void OnPress(int x, int y);
    void OnMove(int x, int y);
    void OnRelease(int x, int y);
    bool OverSizingBorder(int x, int y) const;
    void PopUpSystemMenu();
    void Close_MClick(int tag);
    void CalcTime_NClick();
    void Place(const Box& box);
    Box WindowBox() const;
    Box WorkArea() const;

    HWND mainWindow;
    InputPlugin* input;    // owned by its module
    TOpenAudioFile& lists; // owned by the main window
    std::function<void()> countChanged;
    PlayListGrid grid;
    PlayListSettings settings;
    Box mainBox;
    BorderlessFrame frame;
    PressableImage helpImage;

    HWND window = nullptr;
    HWND gridView = nullptr;
    HWND tooltips = nullptr;
    HFONT font = nullptr;
    HIMAGELIST rowHeight = nullptr;
    HMENU systemMenu = nullptr;

    bool resizing = false;
    POINT resizeStart = {};
    Box resizeFrom;
    bool sizeRemembered = false;
    int32_t restoreWidth = kDesignWidth;
    int32_t restoreHeight = kDesignHeight;
    bool selecting = false; // the window itself moves the list view's selection
    HWND cellEdit = nullptr;
    HWND genreBox = nullptr;
    bool editing = false;
    int editColumn = 0, editRow = 0;
    // The genre cell the box stands on, and whether the user chose in it.
    int genreRow = 0;
    bool genreChosen = false;
};
