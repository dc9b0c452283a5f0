// The tour's steps with MerovSet, the settings utility: a program of its
// own, started from the engine's folder (where it edits the demo's
// "Merovin.ini"), pictured through its own process (see SaveOtherProgramPng).
#include "TCTour.h"
#include <commctrl.h>

namespace {

const int PluginsPage = 8;         // the sheet's ninth page
const int KeyCommandList = 1065;   // Keyboard Mapping page: the commands
const int PluginModuleList = 1006; // Plugins page: modules and their commands
const int PluginCurrentKey = 1072; // Plugins page: the selected command's key
const int FilePanelsPage = 1;      // the sheet's second page
const int PanelZiravirura = 1161;  // File Panels page: "Retractable selection"
const int PanelOpacity = 1166;     // File Panels page: the area's opacity
const int ViewModesPage = 7;       // the sheet's eighth page
const int ModeList = 1021;         // View Modes page: the modes
const int ModeGroups = 1156;       // View Modes page: the mode's file groups
const int AutoSwitchPage = 6;      // the sheet's seventh page
const int AutoRules = 1020;        // Auto Switch page: the mode's folder rules
const int AutoGrid = 1059;         // Auto Switch page: the rules as rows
const int AutoMode = 1022;         // Auto Switch page: the mode edited

// The sheet once it shows a page; null while it starts or shows a message.
HWND Sheet(CTour& tour)
{
    HWND sheet = tour.ProgramWindow(L"#32770");
    return sheet && SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0) ? sheet : nullptr;
}

// The rows of a list on the sheet's current page (-1: no such list).
int PageListRows(HWND sheet, int listId)
{
    HWND page = (HWND)SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    HWND list = page ? GetDlgItem(page, listId) : nullptr;
    return list ? (int)SendMessageW(list, LB_GETCOUNT, 0, 0) : -1;
}

// Turns the sheet to one of its pages; the page, or null with the reason.
HWND OpenPage(CTour& tour, int index, HWND& sheet, std::wstring& why)
{
    sheet = Sheet(tour);
    if (!sheet) {
        why = L"MerovSet's settings are not shown";
        return nullptr;
    }
    SendMessageW(sheet, PSM_SETCURSEL, index, 0);
    return (HWND)SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
}

// The sheet's picture once its page has settled.
bool ShootSheet(CTour& tour, HWND sheet)
{
    Sleep(300);
    tour.ShootOtherProgram(sheet);
    return true;
}

} // namespace

bool ShowSettingsKeys(CTour& tour, std::wstring& why)
{
    std::wstring file = tour.EngineState()[L"settingsFile"];
    size_t slash = file.rfind(L'\\');
    if (slash == std::wstring::npos) {
        why = L"the engine names no settings file";
        return false;
    }
    std::wstring folder = file.substr(0, slash), exe = folder + L"\\MerovSet.exe";
    if (!tour.StartProgram(exe, folder)) {
        why = L"cannot start " + exe;
        return false;
    }
    if (!tour.WaitFor(20000, [&] { return Sheet(tour) != nullptr || !tour.ProgramRunning(); }) || !Sheet(tour)) {
        HWND box = tour.ProgramWindow(L"#32770");
        why = !tour.ProgramRunning() ? L"MerovSet ended without showing its settings"
              : box ? L"MerovSet shows a message: " + tour.Text(GetDlgItem(box, 0xFFFF))
                    : L"MerovSet shows no settings sheet";
        return false;
    }
    HWND sheet = Sheet(tour);
    int rows = PageListRows(sheet, KeyCommandList);
    if (rows < 2) {
        why = L"the Keyboard Mapping page lists " + std::to_wstring(rows) + L" rows";
        return false;
    }
    return ShootSheet(tour, sheet);
}

bool ShowSettingsPlugins(CTour& tour, std::wstring& why)
{
    HWND sheet = nullptr;
    HWND page = OpenPage(tour, PluginsPage, sheet, why);
    if (!sheet)
        return false;
    // Three modules, each a group row with its commands below.
    int rows = PageListRows(sheet, PluginModuleList);
    if (rows <= 3) {
        why = rows < 0 ? L"the Plugins page did not open"
                       : L"the Plugins page lists " + std::to_wstring(rows) + L" rows, no module commands";
        return false;
    }
    // Numbra's second command, bound to Ctrl+Q by the demo's [Plugins]: its key shows below.
    HWND list = GetDlgItem(page, PluginModuleList);
    SendMessageW(list, LB_SETCURSEL, 2, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(PluginModuleList, LBN_SELCHANGE), (LPARAM)list);
    std::wstring key = tour.Text(GetDlgItem(page, PluginCurrentKey));
    if (key != L"Ctrl+Q") {
        why = L"Numbra's second command shows the key \"" + key + L"\", not Ctrl+Q";
        return false;
    }
    return ShootSheet(tour, sheet);
}

bool ShowSettingsFilePanels(CTour& tour, std::wstring& why)
{
    HWND sheet = nullptr;
    HWND page = OpenPage(tour, FilePanelsPage, sheet, why);
    if (!sheet)
        return false;
    HWND opacity = page ? GetDlgItem(page, PanelOpacity) : nullptr;
    if (!opacity) {
        why = L"the File Panels page did not open";
        return false;
    }
    // The demo's Merovin.ini switches the Ziravirura on with opacity 80.
    int position = (int)SendMessageW(opacity, TBM_GETPOS, 0, 0);
    if (IsDlgButtonChecked(page, PanelZiravirura) != BST_CHECKED || position != 80) {
        why = L"the File Panels page shows the Ziravirura " +
              std::wstring(IsDlgButtonChecked(page, PanelZiravirura) ? L"on" : L"off") + L" with opacity " +
              std::to_wstring(position) + L", not on with 80";
        return false;
    }
    return ShootSheet(tour, sheet);
}

// The View Modes page with the demo's second mode selected.
bool ShowSettingsViewModes(CTour& tour, std::wstring& why)
{
    HWND sheet = nullptr;
    HWND page = OpenPage(tour, ViewModesPage, sheet, why);
    if (!sheet)
        return false;
    HWND list = page ? GetDlgItem(page, ModeList) : nullptr;
    int modes = list ? (int)SendMessageW(list, LB_GETCOUNT, 0, 0) : -1;
    if (modes != 3) {
        why = L"the View Modes page lists " + std::to_wstring(modes) + L" modes, not the demo's three";
        return false;
    }
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(ModeList, LBN_SELCHANGE), (LPARAM)list);
    wchar_t groups[64] = {};
    GetDlgItemTextW(page, ModeGroups, groups, 64);
    if (std::wstring(groups) != L"*.cpp|*.h") {
        why = L"the selected mode shows the file groups \"" + std::wstring(groups) + L"\"";
        return false;
    }
    return ShootSheet(tour, sheet);
}

// The Auto Switch page on the demo's first mode, Photos, with its rule.
bool ShowSettingsAutoSwitch(CTour& tour, std::wstring& why)
{
    HWND sheet = nullptr;
    HWND page = OpenPage(tour, AutoSwitchPage, sheet, why);
    if (!sheet)
        return false;
    if (!page || !GetDlgItem(page, AutoGrid)) {
        why = L"the Auto Switch page did not open";
        return false;
    }
    std::wstring mode = tour.Text(GetDlgItem(page, AutoMode)), rules = tour.Text(GetDlgItem(page, AutoRules));
    if (mode != L"Photos" || rules != L"?*\\PHOTOS") {
        why = L"the Auto Switch page shows the mode \"" + mode + L"\" with the rules \"" + rules + L"\"";
        return false;
    }
    return ShootSheet(tour, sheet);
}

void CloseSettings(CTour& tour)
{
    if (HWND sheet = Sheet(tour))
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    tour.EndProgram(5000);
}
