// The steps of the demo's tour, in order. Each shows one thing a user can try
// with the demo's "Merovin.ini" (scripts/demo-run writes it) and checks that
// the expected window or text appeared. A new feature adds its step here.
#include "TCHostApp.h"
#include "TCTour.h"
#include "HostProtocol.h"
#include <commctrl.h>

namespace {

const wchar_t* const Modules[] = {L"Numbra", L"TCPathfan", L"Horalet"};

HWND CommandLine()
{
    return TheApp().Main().m_cmdEdit;
}

HWND LeftList()
{
    return TheApp().Main().m_panels[0].m_list;
}

// True when the engine runs, is attached to both file lists and has loaded
// every module the tour uses; otherwise `why` says what is missing.
bool EngineReady(CTour& tour, std::wstring& why)
{
    auto state = tour.EngineState();
    if (state[L"running"] != L"1") {
        why = L"the engine does not run";
        return false;
    }
    if (state[L"fileList0"] == L"none" || state[L"fileList1"] == L"none" || state[L"fileList0"].empty()) {
        why = L"the engine is not attached to the file lists";
        return false;
    }
    for (const wchar_t* name : Modules) {
        bool loaded = false, listed = false;
        for (int i = 0; state.count(L"Module" + std::to_wstring(i)); ++i) {
            // "name|path|loaded|flags"
            const std::wstring& entry = state[L"Module" + std::to_wstring(i)];
            if (_wcsnicmp(entry.c_str(), name, wcslen(name)) != 0 || entry[wcslen(name)] != L'|')
                continue;
            listed = true;
            loaded = entry.find(L"|1|0x") != std::wstring::npos;
        }
        if (!loaded) {
            why = std::wstring(L"module ") + name + (listed ? L" is listed but not loaded" : L" is not listed");
            return false;
        }
    }
    return true;
}

// Types `expression` into the command line, presses the calculator's key and
// waits for `result`; then leaves time for the engine's selection restore.
bool Evaluate(CTour& tour, const std::wstring& expression, std::initializer_list<WORD> modifiers, WORD vk,
              const std::wstring& result, std::wstring& why)
{
    HWND edit = CommandLine();
    tour.SetText(edit, L"");
    if (!tour.Focus(edit) || !tour.Type(expression) ||
        !tour.WaitFor(3000, [&] { return tour.Text(edit) == expression; })) {
        why = L"could not type \"" + expression + L"\" into the command line";
        return false;
    }
    tour.Keys(modifiers, vk);
    if (!tour.WaitFor(5000, [&] { return tour.Text(edit) == result; })) {
        why = L"the command line shows \"" + tour.Text(edit) + L"\" instead of \"" + result + L"\"";
        return false;
    }
    Sleep(300);
    return true;
}

// Presses a key in the command line that opens a popup and waits for it.
bool OpenOverCommandLine(CTour& tour, std::initializer_list<WORD> modifiers, WORD vk,
                         const std::function<HWND()>& popup, const wchar_t* what, std::wstring& why)
{
    if (!tour.Focus(CommandLine())) {
        why = L"the command line cannot take the focus";
        return false;
    }
    tour.Keys(modifiers, vk);
    if (!tour.WaitFor(5000, [&] { return popup() != nullptr; })) {
        why = std::wstring(what) + L" did not open";
        return false;
    }
    Sleep(300);  // drawn completely
    return true;
}

bool ShowEngine(CTour& tour, std::wstring& why)
{
    // The engine attaches by timer after the host has started.
    if (tour.WaitFor(10000, [&] { std::wstring w; return EngineReady(tour, w); }))
        return true;
    EngineReady(tour, why);
    return false;
}

bool ShowCalculator(CTour& tour, std::wstring& why)
{
    return Evaluate(tour, L"x=6*7", {VK_LCONTROL}, 'Q', L"42", why) &&
           Evaluate(tour, L"2^^10+1", {VK_LCONTROL}, 'Q', L"1025", why);
}

HWND HistoryList(CTour& tour)
{
    return tour.Popup(L"SysListView32");
}

bool ShowHistory(CTour& tour, std::wstring& why)
{
    if (!OpenOverCommandLine(tour, {VK_LCONTROL, VK_LSHIFT}, 'Q', [&] { return HistoryList(tour); },
                             L"the history list", why))
        return false;
    if (SendMessageW(HistoryList(tour), LVM_GETITEMCOUNT, 0, 0) < 2) {
        why = L"the history list holds less than the two expressions";
        return false;
    }
    return true;
}

void CloseHistory(CTour& tour)
{
    tour.Dismiss([&] { return HistoryList(tour); });
}

HWND Menu(CTour& tour)
{
    return tour.Popup(L"#32768");
}

bool ShowVariables(CTour& tour, std::wstring& why)
{
    return OpenOverCommandLine(tour, {VK_LCONTROL, VK_LSHIFT}, 'V', [&] { return Menu(tour); },
                               L"the variables menu", why);
}

bool ShowHotlist(CTour& tour, std::wstring& why)
{
    return OpenOverCommandLine(tour, {VK_LCONTROL}, 'D', [&] { return Menu(tour); }, L"the directory hotlist", why);
}

void CloseMenu(CTour& tour)
{
    tour.Dismiss([&] { return Menu(tour); });
}

bool ShowStopwatch(CTour& tour, std::wstring& why)
{
    if (!tour.Focus(LeftList())) {
        why = L"the file list cannot take the focus";
        return false;
    }
    tour.Keys({VK_LCONTROL, VK_LMENU}, 'W');
    if (!tour.WaitFor(5000, [&] { return tour.ModuleWindow(L"Horalet64.dll") != nullptr; })) {
        why = L"the stopwatch window did not open";
        return false;
    }
    Sleep(1500);  // let it count
    return true;
}

// Adds a key to "Merovin.ini", reloads with the engine's key and uses the new one.
bool ShowReload(CTour& tour, std::wstring& why)
{
    auto state = tour.EngineState();
    std::wstring before = state[L"dispatcher"], file = state[L"settingsFile"];
    if (file.empty() || !WritePrivateProfileStringW(L"Plugins", L"Ctrl+Alt+H", L"Numbra,1", file.c_str())) {
        why = L"cannot add a key to " + (file.empty() ? std::wstring(L"Merovin.ini") : file);
        return false;
    }
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
    if (!tour.Focus(LeftList())) {
        why = L"the file list cannot take the focus";
        return false;
    }
    tour.Keys({VK_LCONTROL, VK_LMENU}, 'R');
    bool reloaded = tour.WaitFor(10000, [&] {
        std::wstring w;
        return tour.EngineState()[L"dispatcher"] != before && EngineReady(tour, w);
    });
    if (!reloaded) {
        why = L"the engine did not start again";
        return false;
    }
    return Evaluate(tour, L"255", {VK_LCONTROL, VK_LMENU}, 'H', L"0xFF", why);
}

// The demo's "Merovin.stk" pins the folder Projects and readme.txt to the
// top of the left folder: readme.txt, listed by the host after the folders,
// shows in row 2, under ".." and Projects.
bool ShowSticky(CTour& tour, std::wstring& why)
{
    HWND list = LeftList();
    if (!tour.Focus(list)) {
        why = L"the file list cannot take the focus";
        return false;
    }
    // The row on screen of the item whose text starts with `name` (the top row is row 0).
    auto rowOf = [&](const wchar_t* name) {
        int index = (int)SendMessageW(list, LB_FINDSTRING, (WPARAM)-1, (LPARAM)name);
        RECT rect = {};
        int height = (int)SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
        if (index < 0 || height <= 0 || SendMessageW(list, LB_GETITEMRECT, index, (LPARAM)&rect) == LB_ERR)
            return -1;
        return (int)(rect.top / height);
    };
    SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    if (!tour.WaitFor(5000, [&] { return rowOf(L"Projects\t") == 1 && rowOf(L"readme.txt\t") == 2; })) {
        why = L"readme.txt is in row " + std::to_wstring(rowOf(L"readme.txt\t")) + L", not under Projects in row 2";
        return false;
    }
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Sleep(300);
    return true;
}

// Ctrl+Alt+S (StickIt in the demo's settings) on report.pdf pins it too: the
// sticky names are sorted, so it shows in row 3, under readme.txt, with the caret.
bool ShowStickIt(CTour& tour, std::wstring& why)
{
    HWND list = LeftList();
    int index = (int)SendMessageW(list, LB_FINDSTRING, (WPARAM)-1, (LPARAM)L"report.pdf\t");
    if (index < 0 || !tour.Focus(list)) {
        why = L"report.pdf is not listed or the list cannot take the focus";
        return false;
    }
    SendMessageW(list, LB_SETCARETINDEX, index, 0);
    auto caretRow = [&] {
        RECT rect = {};
        int height = (int)SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
        int caret = (int)SendMessageW(list, LB_GETCARETINDEX, 0, 0);
        if (caret != index || height <= 0 || SendMessageW(list, LB_GETITEMRECT, caret, (LPARAM)&rect) == LB_ERR)
            return -1;
        return (int)(rect.top / height);
    };
    if (!tour.Keys({VK_LCONTROL, VK_LMENU}, 'S') || !tour.WaitFor(5000, [&] { return caretRow() == 3; })) {
        why = L"report.pdf is in row " + std::to_wstring(caretRow()) + L", not in row 3 under the caret";
        return false;
    }
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Sleep(300);
    return true;
}

HWND ColourPopup(CTour& tour)
{
    return tour.ModuleWindow(L"Merovin.wdx");
}

// Ctrl+Alt+T ("SelectTabColor") opens the colour popup for the current left tab.
bool OpenTabColourPopup(CTour& tour, std::wstring& why)
{
    if (!tour.Focus(LeftList())) {
        why = L"the file list cannot take the focus";
        return false;
    }
    tour.Keys({VK_LCONTROL, VK_LMENU}, 'T');
    if (!tour.WaitFor(3000, [&] { return ColourPopup(tour) != nullptr; })) {
        why = L"the colour popup did not open";
        return false;
    }
    Sleep(300);
    return true;
}

// Two more folders open in tabs of the left panel, Projects locked in the
// host; each of the three tabs gets a colour from the popup: light blue, gold
// and pink. The engine marks the locked tab with a bar.
bool ShowTabColours(CTour& tour, std::wstring& why)
{
    tour.OnHost([] {
        CTCPanel& left = TheApp().Main().m_panels[0];
        for (const wchar_t* folder : {L"C:\\data\\left\\Projects", L"C:\\data\\left\\Music"}) {
            left.AddTab(folder);
            left.SetFolder(folder);
        }
        left.m_tabLocks[1] = 1;
    });
    const int colours[] = {21, 25, 24};
    HWND tabs = TheApp().Main().m_panels[0].m_tabs;
    for (int tab = 0; tab < 3; ++tab) {
        tour.OnHost([tab] { TheApp().Main().m_panels[0].SelectTab(tab); });
        if (!OpenTabColourPopup(tour, why))
            return false;
        // From the "No Color" box: the first Right reaches colour 0.
        HWND popup = ColourPopup(tour);
        for (int i = 0; i <= colours[tab]; ++i)
            PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
        PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
        if (!tour.WaitFor(3000, [&] { return !IsWindow(popup); })) {
            why = L"the colour popup did not close on Enter";
            return false;
        }
    }
    // Tab 1 now shows gold blended in, and the lock bar at its left edge.
    auto pixel = [&](int dx) {
        RECT r = {};
        SendMessageW(tabs, TCM_GETITEMRECT, 1, (LPARAM)&r);
        RedrawWindow(tabs, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(tabs);
        COLORREF c = GetPixel(dc, r.left + dx, (r.top + r.bottom) / 2);
        ReleaseDC(tabs, dc);
        return c;
    };
    if (!tour.WaitFor(3000, [&] {
            COLORREF c = pixel(7);
            return c != CLR_INVALID && GetRValue(c) > GetBValue(c) + 40;
        })) {
        why = L"the second tab does not show its colour";
        return false;
    }
    if (pixel(3) != RGB(192, 0, 0)) {
        why = L"the locked tab has no lock bar";
        return false;
    }
    return true;
}

bool ShowColourPopup(CTour& tour, std::wstring& why)
{
    return OpenTabColourPopup(tour, why);
}

void CloseColourPopup(CTour& tour)
{
    HWND popup = ColourPopup(tour);
    if (popup)
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    tour.WaitFor(2000, [&] { return ColourPopup(tour) == nullptr; });
}

// A click on the left drive box drops the engine's drive menu in place of
// the host's list.
bool ShowDriveMenu(CTour& tour, std::wstring& why)
{
    if (!tour.Focus(LeftList())) {
        why = L"the file list cannot take the focus";
        return false;
    }
    PostMessageW(TheApp().Main().m_panels[0].m_drive, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    if (!tour.WaitFor(5000, [&] { return Menu(tour) != nullptr; })) {
        why = L"the drive menu did not open";
        return false;
    }
    Sleep(300);
    return true;
}

// A drag with the middle button from row 4 to row 7 of the left list: the
// band selects the four rows (the host's own order would have taken others).
bool ShowZiravirura(CTour& tour, std::wstring& why)
{
    HWND list = LeftList();
    int height = (int)SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    if (!tour.Focus(list) || height <= 0) {
        why = L"the file list cannot take the focus";
        return false;
    }
    SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    auto at = [&](int row) { return MAKELPARAM(40, row * height + height / 2); };
    PostMessageW(list, WM_MBUTTONDOWN, MK_MBUTTON, at(4));
    for (int row = 5; row <= 7; ++row)
        PostMessageW(list, WM_MOUSEMOVE, MK_MBUTTON, at(row));
    PostMessageW(list, WM_MBUTTONUP, 0, at(7));
    if (!tour.WaitFor(5000, [&] { return SendMessageW(list, LB_GETSELCOUNT, 0, 0) == 4; })) {
        why = std::to_wstring(SendMessageW(list, LB_GETSELCOUNT, 0, 0)) + L" rows are selected instead of 4";
        return false;
    }
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Sleep(300);
    return true;
}

// A Lister of the host: its system menu ends with the engine's "Close All"
// and the CloseAllListers key (Ctrl+Alt+L in the demo's settings).
bool ShowListerMenu(CTour& tour, std::wstring& why)
{
    HWND lister = (HWND)SendMessageW(TheApp().Main().m_hwnd, TCHost::MsgShowWindow, TCHost::KindLister, 3);
    if (!lister || !tour.Focus(lister)) {
        why = L"no Lister window opened";
        return false;
    }
    HMENU system = GetSystemMenu(lister, FALSE);
    int last = system ? GetMenuItemCount(system) - 1 : -1;
    wchar_t text[128] = L"";
    if (last < 0 || GetMenuItemID(system, last) != 2 || !GetMenuStringW(system, last, text, 128, MF_BYPOSITION) ||
        wcsstr(text, L"Close All") != text) {
        why = L"the Lister's system menu has no \"Close All\" item";
        return false;
    }
    PostMessageW(lister, WM_SYSCOMMAND, SC_KEYMENU, L' ');
    if (!tour.WaitFor(5000, [&] { return Menu(tour) != nullptr; })) {
        why = L"the Lister's system menu did not open";
        return false;
    }
    Sleep(300);
    return true;
}

void CloseListerMenu(CTour& tour)
{
    CloseMenu(tour);
    if (HWND lister = tour.Popup(L"TLister"))
        PostMessageW(lister, WM_CLOSE, 0, 0);
    tour.WaitFor(3000, [&] { return tour.Popup(L"TLister") == nullptr; });
}

// Ctrl+Alt+C (AutoCompletion) completes the name typed in the command line.
bool ShowCompletion(CTour& tour, std::wstring& why)
{
    HWND edit = CommandLine();
    const std::wstring typed = L"cd C:\\data\\left\\Pro", done = L"cd C:\\data\\left\\Projects";
    tour.SetText(edit, L"");
    if (!tour.Focus(edit) || !tour.Type(typed) || !tour.WaitFor(3000, [&] { return tour.Text(edit) == typed; })) {
        why = L"could not type into the command line";
        return false;
    }
    tour.Keys({VK_LCONTROL, VK_LMENU}, 'C');
    if (!tour.WaitFor(5000, [&] { return tour.Text(edit) == done; })) {
        why = L"the command line shows \"" + tour.Text(edit) + L"\" instead of \"" + done + L"\"";
        return false;
    }
    Sleep(300);
    return true;
}

void ClearCommandLine(CTour& tour)
{
    tour.SetText(CommandLine(), L"");
}

// The visible dialog of the host's thread with that title.
HWND DialogTitled(const wchar_t* title)
{
    struct Find {
        const wchar_t* title;
        HWND found;
    } find{title, nullptr};
    EnumThreadWindows(GetWindowThreadProcessId(TheApp().Main().m_hwnd, nullptr), [](HWND wnd, LPARAM data) -> BOOL {
        auto* f = (Find*)data;
        wchar_t cls[16] = L"", text[64] = L"";
        GetClassNameW(wnd, cls, 16);
        GetWindowTextW(wnd, text, 64);
        if (IsWindowVisible(wnd) && wcscmp(cls, L"#32770") == 0 && wcscmp(text, f->title) == 0) {
            f->found = wnd;
            return FALSE;
        }
        return TRUE;
    }, (LPARAM)&find);
    return find.found;
}

// Ctrl+Alt+K (StickConfig) on the left list: the names are sorted, which a
// note says first; then the sticky-files dialog shows the folder's names.
bool ShowStickyDialog(CTour& tour, std::wstring& why)
{
    if (!tour.Focus(LeftList())) {
        why = L"the file list cannot take the focus";
        return false;
    }
    tour.Keys({VK_LCONTROL, VK_LMENU}, 'K');
    if (!tour.WaitFor(5000, [&] { return DialogTitled(L"Merovin") != nullptr; })) {
        why = L"the note on sorted names did not show";
        return false;
    }
    PostMessageW(DialogTitled(L"Merovin"), WM_COMMAND, IDOK, 0);
    if (!tour.WaitFor(5000, [&] { return DialogTitled(L"Stick Files on Top") != nullptr; })) {
        why = L"the sticky-files dialog did not open";
        return false;
    }
    HWND dialog = DialogTitled(L"Stick Files on Top");
    wchar_t folder[MAX_PATH] = L"";
    GetDlgItemTextW(dialog, 4001, folder, MAX_PATH);
    if (wcscmp(folder, L"C:\\data\\left") != 0 || SendMessageW(GetDlgItem(dialog, 4000), LVM_GETITEMCOUNT, 0, 0) < 2) {
        why = L"the dialog does not show the sticky names of C:\\data\\left";
        return false;
    }
    // The names are sorted: the move buttons stay off.
    if (IsWindowEnabled(GetDlgItem(dialog, 4002)) || IsWindowEnabled(GetDlgItem(dialog, 4003))) {
        why = L"the move buttons are on although the names are sorted";
        return false;
    }
    Sleep(300);
    return true;
}

void CloseStickyDialog(CTour& tour)
{
    tour.Dismiss([] { return DialogTitled(L"Stick Files on Top"); });
}

// Ctrl+Alt+M (ShowMVMenu) on the left list: the engine menu opens below the
// left path bar with the sticky commands, the bookmarks and the settings.
bool ShowEngineMenu(CTour& tour, std::wstring& why)
{
    if (!tour.Focus(LeftList())) {
        why = L"the file list cannot take the focus";
        return false;
    }
    tour.Keys({VK_LCONTROL, VK_LMENU}, 'M');
    if (!tour.WaitFor(5000, [&] { return Menu(tour) != nullptr; })) {
        why = L"the engine menu did not open";
        return false;
    }
    Sleep(300);
    return true;
}

} // namespace

// The demo's folder rule "Photos" colours the tab and the list of a panel
// showing C:\data\right\Photos: the right panel opens it in a new tab.
bool ShowFolderRule(CTour& tour, std::wstring& why)
{
    tour.OnHost([] {
        CTCPanel& right = TheApp().Main().m_panels[1];
        right.AddTab(L"C:\\data\\right\\Photos");
        right.SetFolder(L"C:\\data\\right\\Photos");
    });
    CTCPanel& right = TheApp().Main().m_panels[1];
    auto pixel = [](HWND window, int x, int y) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = GetDC(window);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return c;
    };
    RECT list = {};
    GetClientRect(right.m_list, &list);
    if (!tour.WaitFor(3000, [&] { return pixel(right.m_list, list.right / 2, list.bottom - 4) == RGB(0xFF, 0xF4, 0xD6); })) {
        why = L"the Photos list does not show the rule's background colour";
        return false;
    }
    // The tab takes its colour once the host has switched to it.
    if (!tour.WaitFor(3000, [&] {
            RECT r = {};
            SendMessageW(right.m_tabs, TCM_GETITEMRECT, 1, (LPARAM)&r);
            COLORREF c = pixel(right.m_tabs, r.left + 7, (r.top + r.bottom) / 2);
            return c != CLR_INVALID && GetRValue(c) > GetBValue(c) + 40;
        })) {
        why = L"the Photos tab does not show the rule's colour";
        return false;
    }
    Sleep(300);
    return true;
}

const std::vector<CTourStep>& TourSteps()
{
    static const std::vector<CTourStep> steps = {
        {L"01-engine.png", L"Merovin runs inside the stand-in file manager and has loaded Numbra, TCPathfan and Horalet",
         ShowEngine, nullptr},
        {L"02-calculator.png", L"Numbra: Ctrl+Q evaluates \"2^^10+1\" in the command line and writes the result, 1025",
         ShowCalculator, nullptr},
        {L"03-history.png", L"Numbra: Ctrl+Shift+Q lists the expressions evaluated so far", ShowHistory, CloseHistory},
        {L"04-variables.png", L"Numbra: Ctrl+Shift+V opens the menu of variables, functions and constants",
         ShowVariables, CloseMenu},
        {L"05-hotlist.png", L"TCPathfan: Ctrl+D opens the directory hotlist at the command line", ShowHotlist,
         CloseMenu},
        {L"06-stopwatch.png", L"Horalet: Ctrl+Alt+W starts the stopwatch in its own window", ShowStopwatch, nullptr},
        {L"07-reload.png",
         L"Ctrl+Alt+R reloads Merovin.ini: Ctrl+Alt+H, added to it meanwhile, turns 255 into 0xFF at once",
         ShowReload, nullptr},
        {L"08-sticky.png",
         L"Sticky files: Merovin.stk pins the folder Projects and readme.txt to the top of C:\\data\\left, "
         L"ahead of the host's own order",
         ShowSticky, nullptr},
        {L"09-stickit.png",
         L"Sticky files: Ctrl+Alt+S pins report.pdf as well; the pinned names are sorted, so it shows under readme.txt",
         ShowStickIt, nullptr},
        {L"10-ziravirura.png",
         L"Ziravirura: a drag with the middle button selects rows 4 to 7 as shown; the sticky rows carry the "
         L"StickColor bar of their mark",
         ShowZiravirura, nullptr},
        {L"11-tab-colours.png",
         L"Folder tabs: each tab keeps the colour chosen for it (Ctrl+Alt+T), kept when the tab moves and saved "
         L"in Merovin.ini; the tab the host locked (Projects) carries a red bar",
         ShowTabColours, nullptr},
        {L"12-colour-popup.png",
         L"The colour popup: 40 named colours, \"No Color\" and \"More Colors\" for the common colour dialog",
         ShowColourPopup, CloseColourPopup},
        {L"13-drives.png",
         L"Drive menu: a click on the drive box drops Merovin's menu of the drives, grouped by type with their free "
         L"space, the network row and the user command of usercmd.ini",
         ShowDriveMenu, CloseMenu},
        {L"14-sticky-dialog.png",
         L"Sticky files: Ctrl+Alt+K opens the sticky-files dialog on the folder, to reorder and delete pinned names",
         ShowStickyDialog, CloseStickyDialog},
        {L"15-completion.png",
         L"Auto-completion: Ctrl+Alt+C completes \"cd C:\\data\\left\\Pro\" to the folder Projects; again, to the next match",
         ShowCompletion, ClearCommandLine},
        {L"16-lister-menu.png",
         L"Lister windows: each Lister's system menu offers \"Close All\" with its key, closing every Lister at once",
         ShowListerMenu, CloseListerMenu},
        {L"17-engine-menu.png",
         L"The engine menu: Ctrl+Alt+M opens Merovin's commands with their keys and state, the bookmarks, "
         L"the column widths, reloading the settings and the settings utility",
         ShowEngineMenu, CloseMenu},
        {L"18-settings-keys.png",
         L"MerovSet, the settings utility beside the engine, edits the demo's Merovin.ini: the Keyboard Mapping page",
         ShowSettingsKeys, nullptr},
        {L"19-settings-plugins.png",
         L"MerovSet's Plugins page lists each module with its commands; Numbra's Dec shows its key, Ctrl+Q",
         ShowSettingsPlugins, nullptr},
        {L"20-settings-file-panels.png",
         L"MerovSet's File Panels page: the cursor mark of the unfocused list, the Ziravirura's colour and opacity, "
         L"file groups with the host's masks and the background picture",
         ShowSettingsFilePanels, nullptr},
        {L"21-settings-view-modes.png",
         L"MerovSet's View Modes page: modes checked, renamed and ordered by dragging in the list; the selected "
         L"mode's view, colours, tab icon and file groups beside it",
         ShowSettingsViewModes, nullptr},
        {L"22-settings-auto-switch.png",
         L"MerovSet's Auto Switch page: the folder rules of the mode Photos as text and as rows of kind and "
         L"pattern, either edited in step with the other",
         ShowSettingsAutoSwitch, nullptr},
        {L"23-settings-tab-options.png",
         L"MerovSet's Tab Options page: tab colours on and saved in Merovin.ini; locked tabs marked on the left in "
         L"red",
         ShowSettingsTabOptions, nullptr},
        {L"24-settings-drive-list.png",
         L"MerovSet's Drive List page: the drive menu Categorized, with custom items and icons; the preview shows "
         L"its rows and group titles",
         ShowSettingsDriveList, nullptr},
        {L"25-settings-sticky-files.png",
         L"MerovSet's Sticky Files page: the mark on, blue (#3C8CE6) filling 40% of the row, with the sticky "
         L"commands' keys and a preview",
         ShowSettingsStickyFiles, nullptr},
        {L"26-settings-bookmarks.png",
         L"MerovSet's Bookmarks page: the mark on, pink (#E696E6) filling 33% of the row, with the bookmark "
         L"commands' keys and a preview",
         ShowSettingsBookmarks, nullptr},
        {L"27-settings-misc.png",
         L"MerovSet's Miscellaneous page: auto-completion and closing all Listers on, the startup sequence off, "
         L"the language Default (English)",
         ShowSettingsMisc, nullptr},
        {L"28-settings-about.png",
         L"MerovSet's About page: four pictures with quotations; the title shows the engine's version, v1.0, and "
         L"MerovSet's, (1.0)",
         ShowSettingsAbout, CloseSettings},
        {L"29-folder-rule.png",
         L"Folder rules: the [AutoView] rule Photos gives the folder's tab and file list their colours whenever a "
         L"panel shows C:\\data\\right\\Photos",
         ShowFolderRule, nullptr},
        {L"30-bookmark-menu.png",
         L"Bookmarks: Ctrl+Alt+J opens the bookmark menu with the bookmarks of Merovin.bkm, one key each, and the "
         L"commands to set, step through, copy, paste and clear them",
         ShowBookmarkMenu, CloseMenu},
        {L"31-file-groups.png",
         L"File grouping: the view mode Sources groups C:\\data\\right\\Sources by its masks *.cpp|*.h: the .cpp "
         L"files first, then the .h files, then the others",
         ShowFileGroups, nullptr},
        {L"32-grouping-off.png",
         L"File grouping: Ctrl+Alt+G (UseFileGrouping) switches it off and on; off, the folder shows in the host's "
         L"order by name",
         ShowGroupingOff, RestoreGrouping},
        {L"33-tab-list.png",
         L"The tab list: Ctrl+Alt+B (ShowTabListLeft) opens the menu of the left panel's tabs beside its path bar; "
         L"the locked tab, Projects, keeps its red mark",
         ShowTabList, CloseMenu},
        {L"34-snippets.png",
         L"TCPathfan: Ctrl+Alt+P opens the snippet menu at the caret of the focused edit box; the command line "
         L"shows the general [Menu] of TCPathfan.ini",
         ShowSnippets, CloseMenu},
    };
    return steps;
}
