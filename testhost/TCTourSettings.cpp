// The tour's steps with MerovSet, the settings utility: a program of its
// own, started from the engine's folder (where it edits the demo's
// "Merovin.ini"), pictured through its own process (see SaveOtherProgramPng).
#include "TCTour.h"
#include "TCShot.h"
#include <commctrl.h>
#include <wincodec.h>

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
const int TabOptionsPage = 2;      // the sheet's third page
const int TabColored = 1003;       // Tab Options page: "Enable Tab Colors"
const int TabKeepColors = 1136;    // Tab Options page: "Save Tab Colors"
const int TabMarkLocked = 1195;    // Tab Options page: "Mark Locked Tabs"
const int DriveListPage = 3;       // the sheet's fourth page
const int DriveListType = 1027;    // Drive List page: None, Alphabetic, Categorized
const int DriveCustomIcons = 1177; // Drive List page: "Use Custom Icons"
const int StickyFilesPage = 4;     // the sheet's fifth page
const int BookmarksPage = 5;       // the sheet's sixth page
const int MarkEnable = 1070;       // Sticky Files and Bookmarks pages: "Enable"
const int MarkFill = 1078;         // Sticky Files and Bookmarks pages: the filling in percent
const int MiscPage = 9;            // the sheet's tenth page
const int MiscAutoCompletion = 1044; // Miscellaneous page: "Enable AutoCompletion"
const int MiscCloseListers = 1001; // Miscellaneous page: "Close All Lister Windows"
const int AboutPage = 10;          // the sheet's last page
const int AboutQuote = 1087;       // About page: the second quotation

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

// Selects a row of the page's list as a click does (the page hears LBN_SELCHANGE).
void SelectListRow(HWND page, int listId, int row)
{
    HWND list = GetDlgItem(page, listId);
    SendMessageW(list, LB_SETCURSEL, row, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), (LPARAM)list);
}

// Turns the sheet to one of its pages and checks that it shows `control`;
// the page, or null with the reason.
HWND OpenPage(CTour& tour, int index, int control, const std::wstring& name, HWND& sheet, std::wstring& why)
{
    sheet = Sheet(tour);
    if (!sheet) {
        why = L"MerovSet's settings are not shown";
        return nullptr;
    }
    SendMessageW(sheet, PSM_SETCURSEL, index, 0);
    HWND page = (HWND)SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0);
    if (!page || !GetDlgItem(page, control)) {
        why = L"the " + name + L" page did not open";
        return nullptr;
    }
    return page;
}

// Whether the page's check boxes are all checked; the first that is not in `why`.
bool AllChecked(CTour& tour, HWND page, std::initializer_list<int> boxes, const std::wstring& name,
                std::wstring& why)
{
    for (int box : boxes) {
        if (IsDlgButtonChecked(page, box) != BST_CHECKED) {
            why = L"the " + name + L" page shows \"" + tour.Text(GetDlgItem(page, box)) + L"\" unchecked";
            return false;
        }
    }
    return true;
}

// The sheet's picture once its page has settled.
bool ShootSheet(CTour& tour, HWND sheet)
{
    Sleep(300);
    tour.ShootOtherProgram(sheet);
    return true;
}

// How many pixels of the sheet's picture have `colour` (-1 with the reason:
// no picture). The picture is taken inside MerovSet into a temporary file
// and read back.
int SheetPixels(HWND sheet, COLORREF colour, std::wstring& why)
{
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + L"tour-sheet.png";
    if (!SaveOtherProgramPng(sheet, path, why))
        return -1;
    int count = -1;
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   (void**)&factory))
        && SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnDemand, &decoder))
        && SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&width, &height))
        && SUCCEEDED(frame->GetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA)) {
        std::vector<DWORD> pixels(width * height);
        if (SUCCEEDED(frame->CopyPixels(nullptr, width * 4, (UINT)pixels.size() * 4, (BYTE*)pixels.data()))) {
            // Pixels are 0xAARRGGBB, a COLORREF 0x00BBGGRR.
            DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
            count = 0;
            for (DWORD p : pixels)
                count += (p & 0xFFFFFF) == wanted;
        }
    }
    if (frame) frame->Release();
    if (decoder) decoder->Release();
    if (factory) factory->Release();
    if (SUCCEEDED(init))
        CoUninitialize();
    DeleteFileW(path.c_str());
    if (count < 0)
        why = L"cannot read the picture of MerovSet's settings";
    return count;
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
    HWND page = OpenPage(tour, PluginsPage, PluginModuleList, L"Plugins", sheet, why);
    if (!page)
        return false;
    // Three modules, each a group row with its commands below.
    int rows = PageListRows(sheet, PluginModuleList);
    if (rows <= 3) {
        why = L"the Plugins page lists " + std::to_wstring(rows) + L" rows, no module commands";
        return false;
    }
    // Numbra's second command, bound to Ctrl+Q by the demo's [Plugins]: its key shows below.
    SelectListRow(page, PluginModuleList, 2);
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
    HWND page = OpenPage(tour, FilePanelsPage, PanelOpacity, L"File Panels", sheet, why);
    if (!page)
        return false;
    HWND opacity = GetDlgItem(page, PanelOpacity);
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
    HWND page = OpenPage(tour, ViewModesPage, ModeList, L"View Modes", sheet, why);
    if (!page)
        return false;
    int modes = PageListRows(sheet, ModeList);
    if (modes != 3) {
        why = L"the View Modes page lists " + std::to_wstring(modes) + L" modes, not the demo's three";
        return false;
    }
    SelectListRow(page, ModeList, 1);
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
    HWND page = OpenPage(tour, AutoSwitchPage, AutoGrid, L"Auto Switch", sheet, why);
    if (!page)
        return false;
    std::wstring mode = tour.Text(GetDlgItem(page, AutoMode)), rules = tour.Text(GetDlgItem(page, AutoRules));
    if (mode != L"Photos" || rules != L"?*\\PHOTOS") {
        why = L"the Auto Switch page shows the mode \"" + mode + L"\" with the rules \"" + rules + L"\"";
        return false;
    }
    return ShootSheet(tour, sheet);
}

// The Tab Options page with the demo's three tab switches on.
bool ShowSettingsTabOptions(CTour& tour, std::wstring& why)
{
    HWND sheet = nullptr;
    HWND page = OpenPage(tour, TabOptionsPage, TabMarkLocked, L"Tab Options", sheet, why);
    if (!page)
        return false;
    return AllChecked(tour, page, {TabColored, TabKeepColors, TabMarkLocked}, L"Tab Options", why) && ShootSheet(tour, sheet);
}

// The Drive List page with the demo's categorized list and custom icons.
bool ShowSettingsDriveList(CTour& tour, std::wstring& why)
{
    HWND sheet = nullptr;
    HWND page = OpenPage(tour, DriveListPage, DriveListType, L"Drive List", sheet, why);
    if (!page)
        return false;
    HWND type = GetDlgItem(page, DriveListType);
    int shown = (int)SendMessageW(type, CB_GETCURSEL, 0, 0);
    if (shown != 2 || IsDlgButtonChecked(page, DriveCustomIcons) != BST_CHECKED) {
        why = L"the Drive List page shows the list type " + std::to_wstring(shown) + L" and custom icons " +
              (IsDlgButtonChecked(page, DriveCustomIcons) ? L"on" : L"off") + L", not 2 and on";
        return false;
    }
    return ShootSheet(tour, sheet);
}

// A mark page (Sticky Files, Bookmarks) enabled with the filling `fill` and
// its colour button showing `colour`.
bool ShowMarkPage(CTour& tour, int index, const wchar_t* name, const wchar_t* fill, COLORREF colour,
                  std::wstring& why)
{
    HWND sheet = nullptr;
    HWND page = OpenPage(tour, index, MarkFill, name, sheet, why);
    if (!page)
        return false;
    std::wstring shown = tour.Text(GetDlgItem(page, MarkFill));
    if (IsDlgButtonChecked(page, MarkEnable) != BST_CHECKED || shown != fill) {
        why = std::wstring(L"the ") + name + L" page shows the mark " +
              (IsDlgButtonChecked(page, MarkEnable) ? L"on" : L"off") + L" with the filling \"" + shown +
              L"\", not on with " + fill;
        return false;
    }
    Sleep(300);
    int pixels = SheetPixels(sheet, colour, why);
    if (pixels < 0)
        return false;
    if (pixels < 100) {
        why = std::wstring(L"the ") + name + L" page shows its mark colour in only " +
              std::to_wstring(pixels) + L" pixels";
        return false;
    }
    return ShootSheet(tour, sheet);
}

// The demo's StickyFiles=1 with MarkPercentStick=40 and StickColor=#3C8CE6.
bool ShowSettingsStickyFiles(CTour& tour, std::wstring& why)
{
    return ShowMarkPage(tour, StickyFilesPage, L"Sticky Files", L"40%", RGB(0x3C, 0x8C, 0xE6), why);
}

// The demo's BookMarks=1 with BookMarkColor=#E696E6 and the common filling, 33.
bool ShowSettingsBookmarks(CTour& tour, std::wstring& why)
{
    return ShowMarkPage(tour, BookmarksPage, L"Bookmarks", L"33%", RGB(0xE6, 0x96, 0xE6), why);
}

// The Miscellaneous page: auto-completion and closing all Listers, both on.
bool ShowSettingsMisc(CTour& tour, std::wstring& why)
{
    HWND sheet = nullptr;
    HWND page = OpenPage(tour, MiscPage, MiscAutoCompletion, L"Miscellaneous", sheet, why);
    if (!page)
        return false;
    return AllChecked(tour, page, {MiscAutoCompletion, MiscCloseListers}, L"Miscellaneous", why) && ShootSheet(tour, sheet);
}

// The About page's quotations under the title with the versions.
bool ShowSettingsAbout(CTour& tour, std::wstring& why)
{
    HWND sheet = nullptr;
    HWND page = OpenPage(tour, AboutPage, AboutQuote, L"About", sheet, why);
    if (!page)
        return false;
    std::wstring quote = tour.Text(GetDlgItem(page, AboutQuote));
    if (quote.empty()) {
        why = L"the About page shows no quotation";
        return false;
    }
    // "MerovSet v1.0 (1.0)": the engine's version, then MerovSet's own; 0.0 when unread.
    std::wstring title = tour.Text(sheet);
    if (title.find(L" v") == std::wstring::npos || title.find(L" v0.0") != std::wstring::npos ||
        title.find(L"(0.0)") != std::wstring::npos) {
        why = L"the settings' title \"" + title + L"\" names no versions";
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
