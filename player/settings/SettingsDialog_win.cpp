#include "SettingsDialog.h"

#include <commctrl.h>
#include <commdlg.h>

#include "VolumeLineList.h"

namespace {

constexpr wchar_t kCaption[] = L"設定";
constexpr wchar_t kOk[] = L"OK";
constexpr wchar_t kCancel[] = L"キャンセル";
constexpr wchar_t kApply[] = L"適用";
constexpr wchar_t kSkinNextStart[] = L"スキンの設定は次回起動時に反映されます。";
constexpr wchar_t kDirectSoundNextStart[] = L"DirectSoundの設定は次回起動時に反映されます。";
constexpr wchar_t kVolumeNextTrack[] =
    L"ボリュームに関する情報は再生中には反映されません。\n次の曲の再生時より有効になります。";
constexpr wchar_t kSaveFailed[] =
    L"設定ファイルを保存できませんでした。\n今までの設定ファイルを使い続けます。";
constexpr wchar_t kNotASettingsFile[] = L"設定ファイルではないため、読み込みませんでした。";
constexpr wchar_t kSaveTitle[] = L"設定の保存";
// The Load dialog carries the Save dialog's title.
constexpr wchar_t kLoadTitle[] = L"設定の保存";
constexpr wchar_t kSaveFilter[] = L"Ini files (*.ini)\0*.ini\0";
constexpr wchar_t kLoadFilter[] = L"Ini files (*.ini)\0*.ini\0All files (*.*)\0*.*\0";

constexpr const wchar_t* kReductionItems[] = {L"通常処理", L"１/２", L"１/４"};
constexpr const wchar_t* kConvertItems[] = {L"通常処理", L"モノラル処理"};
constexpr const wchar_t* kOyasumiItems[] = {L"電源を切る", L"電源を切る準備(NT系のみ)", L"再起動",
                                            L"Quorelの終了", L"演奏停止"};

// Where the pages and the buttons sit in the 276 x 251 client area.
constexpr RECT kTabsArea = {4, 22, 272, 220};
constexpr int kButtonTop = 224;
constexpr int kButtonWidth = 68;
constexpr int kButtonHeight = 22;

const SettingsPage& PageAt(int index) {
    switch (index) {
    case 0:
        return FilePage();
    case 1:
        return PanelPage();
    case 2:
        return PlayListPage();
    case 3:
        return PlayPage();
    case 4:
        return VolumePage();
    case 5:
        return OtherPage();
    default:
        return TimerPage();
    }
}
constexpr int kPageCount = 7;

struct UpDownRange {
    int buddy, lowest, highest, step;
};
UpDownRange RangeOf(int upDownId) {
    switch (upDownId) {
    case kPerformUpDownId:
        return {kPerformEditId, 500, 10000, 500};
    case kHoursUpDownId:
        return {kHoursEditId, 0, kMostTimerHours, 1};
    default:
        return {kMinutesEditId, 0, kMostTimerMinutes, 1};
    }
}

std::string TextOf(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

// A chosen file name in the ANSI code page, or empty when it has no exact
// form there (such a name could not be the settings file).
std::string AnsiPath(const wchar_t* path) {
    BOOL lossy = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, path, -1, nullptr, 0, nullptr, &lossy);
    if (bytes <= 1 || lossy) return std::string();
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, path, -1, &ansi[0], bytes, nullptr, &lossy);
    ansi.resize(static_cast<size_t>(bytes) - 1);
    return lossy ? std::string() : ansi;
}

// The common save or open dialog for a settings file. False when cancelled;
// `path` is left empty for a name without an ANSI form.
bool ChooseSettingsFile(HWND owner, bool save, std::string& path) {
    wchar_t chosen[MAX_PATH] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = save ? kSaveFilter : kLoadFilter;
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = save ? kSaveTitle : kLoadTitle;
    dialog.lpstrDefExt = save ? L"ini" : nullptr;
    dialog.Flags =
        OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return false;
    path = AnsiPath(chosen);
    return true;
}

} // namespace

TForm10::TForm10(HWND main, MixerPlugin* mixerPlugin, SettingsProgram& effects,
                 const std::string& defaultIniPath)
    : mainWindow(main), mixer(mixerPlugin), program(effects), fields(defaultIniPath),
      frame(TitleFrameLayout::AlongTitleBar(2, 2, kClientWidth - 4)) {
    fields.VolumeChanged = false;
    fields.TimerRunning = false;
    fields.LoadSettings(fields.DefaultIniPath, true);
}

TForm10::~TForm10() {
    if (window) DestroyWindow(window);
}

void TForm10::Show() {
    if (!window && !CreateFormWindow()) return;
    FormShow();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

bool TForm10::CreateFormWindow() {
    if (!RegisterFormClass(kClassName, FormProcedure<TForm10>)) return false;
    if (!CreateForm(kClassName, kCaption, kClientWidth, kClientHeight, mainWindow, this))
        return false;
    frame.Attach(window);

    HWND tabs = AddControl(window, WC_TABCONTROLW, L"", TCS_MULTILINE | WS_CLIPSIBLINGS,
                           kTabsArea.left, kTabsArea.top, kTabsArea.right - kTabsArea.left,
                           kTabsArea.bottom - kTabsArea.top, kPageTabsId, font);
    for (int index = 0; index < kPageCount; ++index) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(PageAt(index).title);
        SendMessageW(tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
    }
    RECT area = kTabsArea;
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    pages.resize(kPageCount);
    for (int index = 0; index < kPageCount; ++index)
        AddPage(index, PageAt(index), area);

    const int gap = (kClientWidth - 3 * kButtonWidth) / 4;
    AddControl(window, L"BUTTON", kOk, BS_DEFPUSHBUTTON | WS_TABSTOP, gap, kButtonTop, kButtonWidth,
               kButtonHeight, IDOK, font);
    AddControl(window, L"BUTTON", kCancel, BS_PUSHBUTTON | WS_TABSTOP, 2 * gap + kButtonWidth,
               kButtonTop, kButtonWidth, kButtonHeight, IDCANCEL, font);
    AddControl(window, L"BUTTON", kApply, BS_PUSHBUTTON | WS_TABSTOP, 3 * gap + 2 * kButtonWidth,
               kButtonTop, kButtonWidth, kButtonHeight, kApplyId, font);

    FillFixedLists();
    ShowPage(0);
    return true;
}

void TForm10::AddPage(int index, const SettingsPage& page, const RECT& area) {
    for (const ControlPlace& place : page.controls) {
        const int x = area.left + place.x;
        const int y = area.top + place.y;
        HWND control = nullptr;
        switch (place.kind) {
        case ControlKind::Check:
            control = AddControl(window, L"BUTTON", place.caption, BS_CHECKBOX | WS_TABSTOP, x, y,
                                 place.width, place.height, place.id, font);
            break;
        case ControlKind::Group:
            control = AddControl(window, L"BUTTON", place.caption, BS_GROUPBOX, x, y, place.width,
                                 place.height, place.id, font);
            break;
        case ControlKind::Label:
            control = AddControl(window, L"STATIC", place.caption, SS_LEFT | SS_NOPREFIX, x, y,
                                 place.width, place.height, place.id, font);
            break;
        case ControlKind::PathLabel:
            control = AddControl(window, L"STATIC", place.caption,
                                 SS_LEFT | SS_NOPREFIX | SS_NOTIFY | SS_PATHELLIPSIS, x, y,
                                 place.width, place.height, place.id, font);
            break;
        case ControlKind::Button:
            control = AddControl(window, L"BUTTON", place.caption, BS_PUSHBUTTON | WS_TABSTOP, x, y,
                                 place.width, place.height, place.id, font);
            break;
        case ControlKind::List:
            control = AddControl(window, L"COMBOBOX", place.caption,
                                 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, x, y, place.width,
                                 place.height, place.id, font);
            break;
        case ControlKind::Edit:
            control = AddControl(window, L"EDIT", place.caption,
                                 ES_NUMBER | WS_BORDER | WS_TABSTOP |
                                     (place.id == kPerformEditId ? ES_READONLY : 0),
                                 x, y, place.width, place.height, place.id, font);
            break;
        case ControlKind::UpDown: {
            const UpDownRange range = RangeOf(place.id);
            control = AddControl(window, UPDOWN_CLASSW, L"",
                                 UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                 0, 0, 0, 0, place.id, font);
            SendMessageW(control, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Control(range.buddy)), 0);
            SendMessageW(control, UDM_SETRANGE32, range.lowest, range.highest);
            UDACCEL step = {0, static_cast<UINT>(range.step)};
            SendMessageW(control, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
            break;
        }
        case ControlKind::Sample:
            control = AddControl(window, L"STATIC", L"", SS_OWNERDRAW, x, y, place.width,
                                 place.height, place.id, font);
            break;
        }
        if (!control) continue;
        if (place.disabled) EnableWindow(control, FALSE);
        if (place.hidden) {
            ShowWindow(control, SW_HIDE); // never shown
            continue;
        }
        pages[index].push_back(control);
    }
}

void TForm10::FillFixedLists() {
    for (const wchar_t* item : kReductionItems)
        SendMessageW(Control(kReductionId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    for (const wchar_t* item : kConvertItems)
        SendMessageW(Control(kConvertId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    for (const wchar_t* item : kOyasumiItems)
        SendMessageW(Control(kOyaProcessId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    if (!mixer) return;
    for (const std::string& name : MixerDeviceNames(*mixer)) {
        for (int list : {kWaveDeviceId, kCDDeviceId})
            SendMessageA(Control(list), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void TForm10::FillVolumeList(int listId, int32_t device) {
    HWND list = Control(listId);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    const int32_t devices =
        static_cast<int32_t>(SendMessageW(Control(kWaveDeviceId), CB_GETCOUNT, 0, 0));
    if (!mixer || device < 0 || device >= devices) return;
    for (const std::string& line : ListVolumeLines(*mixer, mainWindow, device))
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void TForm10::ShowPage(int index) {
    currentPage = index;
    for (int page = 0; page < kPageCount; ++page)
        for (HWND control : pages[page])
            ShowWindow(control, page == index ? SW_SHOW : SW_HIDE);
}

void TForm10::FormShow() {
    // Each volume list holds the lines of its own stored device.
    FillVolumeList(kWaveVolumeId, fields.WaveOutDevice);
    FillVolumeList(kCDVolumeId, fields.CDOutDevice);
    SettingsShowContext context;
    context.mixer = mixer != nullptr;
    context.skinActive = program.SkinActive();
    context.deviceCount =
        static_cast<int32_t>(SendMessageW(Control(kWaveDeviceId), CB_GETCOUNT, 0, 0));
    const int32_t waveLines =
        static_cast<int32_t>(SendMessageW(Control(kWaveVolumeId), CB_GETCOUNT, 0, 0));
    const int32_t cdLines =
        static_cast<int32_t>(SendMessageW(Control(kCDVolumeId), CB_GETCOUNT, 0, 0));
    context.volumeCount = [&](int32_t device) {
        return device == fields.WaveOutDevice ? waveLines : cdLines;
    };
    controls = ShowControls(fields, context);
    WriteControls();
    frame.SetColours(fields.LeftColor, fields.RightColor);
}

void TForm10::WriteControls() {
    writing = true;
    for (int check = 0; check < kCheckCount; ++check) {
        HWND box = Control(CheckId(SettingsCheck(check)));
        SendMessageW(box, BM_SETCHECK, controls.checks[check].checked ? BST_CHECKED : BST_UNCHECKED,
                     0);
        EnableWindow(box, controls.checks[check].enabled);
    }
    const std::pair<int, const ListState*> lists[] = {
        {kReductionId, &controls.reduction},      {kConvertId, &controls.convert},
        {kWaveDeviceId, &controls.waveDevice},    {kWaveVolumeId, &controls.waveVolume},
        {kCDDeviceId, &controls.cdDevice},        {kCDVolumeId, &controls.cdVolume},
        {kOyaProcessId, &controls.oyasumiProcess}};
    for (const auto& [id, list] : lists) {
        SendMessageW(Control(id), CB_SETCURSEL, list->selected, 0);
        EnableWindow(Control(id), list->enabled);
    }
    SetWindowTextA(Control(kIniPathId), controls.iniPath.c_str());
    SetControlHint(window, hints, Control(kIniPathId), controls.iniPath.c_str());
    SetWindowTextA(Control(kPerformEditId), controls.performInterval.c_str());
    SetWindowTextA(Control(kHoursEditId), controls.hours.c_str());
    SetWindowTextA(Control(kMinutesEditId), controls.minutes.c_str());
    for (int id : {kHoursEditId, kHoursUpDownId, kMinutesEditId, kMinutesUpDownId})
        EnableWindow(Control(id), controls.timerEnabled);
    EnableWindow(Control(kApplyId), controls.applyEnabled);
    InvalidateRect(Control(kBarColorId), nullptr, FALSE);
    writing = false;
}

void TForm10::ReadControls() {
    for (int check = 0; check < kCheckCount; ++check)
        controls.checks[check].checked =
            SendMessageW(Control(CheckId(SettingsCheck(check))), BM_GETCHECK, 0, 0) == BST_CHECKED;
    const std::pair<int, ListState*> lists[] = {
        {kReductionId, &controls.reduction},      {kConvertId, &controls.convert},
        {kWaveDeviceId, &controls.waveDevice},    {kWaveVolumeId, &controls.waveVolume},
        {kCDDeviceId, &controls.cdDevice},        {kCDVolumeId, &controls.cdVolume},
        {kOyaProcessId, &controls.oyasumiProcess}};
    for (const auto& [id, list] : lists) {
        list->count = static_cast<int32_t>(SendMessageW(Control(id), CB_GETCOUNT, 0, 0));
        list->selected = static_cast<int32_t>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
    }
    controls.iniPath = TextOf(Control(kIniPathId));
    controls.performInterval = TextOf(Control(kPerformEditId));
    controls.hours = TextOf(Control(kHoursEditId));
    controls.minutes = TextOf(Control(kMinutesEditId));
}

void TForm10::OnCommand(int id, int code) {
    if (writing) return;
    if (id >= kCheckIdBase && id < kCheckIdBase + kCheckCount) {
        if (code == BN_CLICKED) CheckBoxClicked(SettingsCheck(id - kCheckIdBase));
        return;
    }
    switch (id) {
    case IDOK:
        Apply_BtClick();
        Close();
        return;
    case IDCANCEL:
        Close();
        return;
    case kApplyId:
        Apply_BtClick();
        return;
    case kLeftColorId:
    case kRightColorId:
        ColourButtonClicked(id == kRightColorId);
        return;
    case kSaveIniId:
        SaveSINI_BtClick();
        return;
    case kLoadIniId:
        LoadSINI_BtClick();
        return;
    case kWaveDeviceId:
    case kCDDeviceId:
        if (code == CBN_SELCHANGE) DeviceListChanged(id == kCDDeviceId);
        return;
    case kWaveVolumeId:
    case kCDVolumeId:
        if (code != CBN_SELCHANGE) return;
        fields.VolumeChanged = true;
        EnableWindow(Control(kApplyId), TRUE);
        return;
    case kReductionId:
    case kConvertId:
    case kOyaProcessId:
        if (code == CBN_SELCHANGE) EnableWindow(Control(kApplyId), TRUE);
        return;
    case kHoursEditId:
    case kMinutesEditId:
        if (code == EN_CHANGE) EnableWindow(Control(kApplyId), TRUE);
        return;
    }
}

void TForm10::CheckBoxClicked(SettingsCheck check) {
    ReadControls();
    controls.checks[check].checked = !controls.checks[check].checked;
    CheckClicked(controls, check);
    WriteControls();
}

void TForm10::DeviceListChanged(bool cd) {
    ReadControls();
    const ListState& devices = cd ? controls.cdDevice : controls.waveDevice;
    const int listId = cd ? kCDVolumeId : kWaveVolumeId;
    FillVolumeList(listId, devices.selected);
    DeviceChanged(controls, fields, cd,
                  static_cast<int32_t>(SendMessageW(Control(listId), CB_GETCOUNT, 0, 0)));
    WriteControls();
}

void TForm10::ColourButtonClicked(bool right) {
    static COLORREF custom[16] = {};
    uint32_t& pending = right ? controls.rightColour : controls.leftColour;
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = window;
    choose.rgbResult = pending;
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorW(&choose)) {
        pending = choose.rgbResult & 0xFFFFFF;
        InvalidateRect(Control(kBarColorId), nullptr, FALSE);
    }
    EnableWindow(Control(kApplyId), TRUE);
}

void TForm10::Apply_BtClick() {
    ReadControls();
    ApplyControls(controls, fields, mixer != nullptr, program,
                  [this](SettingsMessage message) { ShowSettingsMessage(message); });
    WriteControls();
    frame.SetColours(fields.LeftColor, fields.RightColor);
}

void TForm10::SaveSINI_BtClick() {
    std::string path;
    if (!ChooseSettingsFile(window, true, path)) return;
    // The file becomes the current one only once it holds the settings;
    // otherwise the settings would be lost to it at exit.
    if (path.empty() || !SaveSettingsTo(fields, path)) {
        MessageBoxW(window, kSaveFailed, nullptr, MB_OK | MB_ICONWARNING);
        return;
    }
    SetWindowTextA(Control(kIniPathId), fields.CurrentIniPath.c_str());
    SetControlHint(window, hints, Control(kIniPathId), fields.CurrentIniPath.c_str());
}

void TForm10::LoadSINI_BtClick() {
    std::string path;
    if (!ChooseSettingsFile(window, false, path)) return;
    // Any other file would be rewritten as a settings file at exit.
    if (path.empty() || !LoadSettingsFrom(fields, path)) {
        MessageBoxW(window, kNotASettingsFile, nullptr, MB_OK | MB_ICONWARNING);
        return;
    }
    FormShow();
    Apply_BtClick();
}

void TForm10::ShowSettingsMessage(SettingsMessage message) {
    const wchar_t* text = message == SettingsMessage::SkinNextStart          ? kSkinNextStart
                          : message == SettingsMessage::DirectSoundNextStart ? kDirectSoundNextStart
                                                                             : kVolumeNextTrack;
    MessageBoxW(window, text, nullptr, MB_OK);
}

void TForm10::DrawColorSample(const DRAWITEMSTRUCT& item) const {
    const RECT& area = item.rcItem;
    PaintGradient(item.hDC,
                  FrameArea{area.left, area.top, area.right - area.left, area.bottom - area.top},
                  controls.leftColour, controls.rightColour);
}

LRESULT TForm10::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (frame.HandleMessage(message, wParam, lParam)) return 0;
    switch (message) {
    case WM_ACTIVATE:
        // Always from the applied colours.
        frame.SetColours(fields.LeftColor, fields.RightColor);
        break;
    case WM_PAINT:
        frame.PaintWindow();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == kPageTabsId && header->code == TCN_SELCHANGE)
            ShowPage(static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
        return 0;
    }
    case WM_DRAWITEM:
        if (wParam == kBarColorId) {
            DrawColorSample(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
