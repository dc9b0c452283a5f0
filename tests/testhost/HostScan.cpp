#include "HostScan.h"
#include <algorithm>

std::wstring TestBinFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n < MAX_PATH ? n : 0);
    return s.substr(0, s.find_last_of(L'\\'));
}

std::wstring WindowText(HWND wnd)
{
    wchar_t buf[2048] = L"";
    GetWindowTextW(wnd, buf, 2048);
    return buf;
}

std::wstring ClassOf(HWND wnd)
{
    wchar_t buf[64] = L"";
    GetClassNameW(wnd, buf, 64);
    return buf;
}

namespace {

RECT ScreenRect(HWND w)
{
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
}

// Left edge first, the top edge when the left edges are equal.
bool Before(HWND a, HWND b)
{
    RECT ra = ScreenRect(a), rb = ScreenRect(b);
    return ra.left != rb.left ? ra.left < rb.left : ra.top < rb.top;
}

void Order(HWND pair[2])
{
    if (pair[0] && pair[1] && Before(pair[1], pair[0]))
        std::swap(pair[0], pair[1]);
}

void Put(HWND pair[2], HWND w)
{
    if (!pair[0]) {
        pair[0] = w;
    } else if (!pair[1]) {
        pair[1] = w;
        Order(pair);
    }
}

HWND ChildOfClass(HWND parent, const wchar_t* cls, const wchar_t* text = nullptr)
{
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (ClassOf(c) == cls && (!text || WindowText(c) == text))
            return c;
    }
    return nullptr;
}

struct Walk {
    HWND main;
    CScanResult* out;
    LONG buttonTop = 0;
};

BOOL CALLBACK Visit(HWND w, LPARAM lParam)
{
    Walk& walk = *(Walk*)lParam;
    CScanResult& s = *walk.out;
    HWND parent = GetParent(w);
    std::wstring cls = ClassOf(w);
    bool hasChild = GetWindow(w, GW_CHILD) != nullptr;
    if (parent == walk.main && cls == L"Window" && !hasChild) {
        RECT r = ScreenRect(w);
        if (!s.buttonBar || r.top < walk.buttonTop) {
            s.buttonBar = w;
            walk.buttonTop = r.top;
        }
    } else if (cls == L"LCLComboBox" && hasChild) {
        s.commandCombo = w;
        s.commandEdit = GetWindow(w, GW_CHILD);
        s.bottomBar = parent;
        s.afterCommandLine = GetWindow(w, GW_HWNDNEXT);
    } else if (cls == L"LCLComboBox" && ChildOfClass(parent, L"LCLListBox", L"W_FtpLogList")) {
        s.ftpPanel = parent;
        s.ftpLog = ChildOfClass(parent, L"LCLListBox");
    } else if (cls == L"LCLComboBox") {
        Put(s.drive, w);
        if (HWND tabs = ChildOfClass(parent, L"SysTabControl32")) {
            s.hasTabs = true;
            Put(s.tabs, tabs);
        }
        Put(s.panel, parent);
    } else if (cls == L"LCLListBox" && WindowText(w).empty()) {
        Put(s.list, w);
    }
    return TRUE;
}

struct BarWalk {
    std::vector<HWND> bars;
};

BOOL CALLBACK VisitBar(HWND w, LPARAM lParam)
{
    BarWalk& b = *(BarWalk*)lParam;
    if (ClassOf(w) == L"Window" && b.bars.size() < 4)
        b.bars.push_back(w);
    return TRUE;
}

bool PanelBars(HWND panel, HWND* bars[4], std::string& failure)
{
    BarWalk b;
    EnumChildWindows(panel, VisitBar, (LPARAM)&b);
    int invisible = 0;
    std::vector<std::pair<LONG, HWND>> sorted;
    for (HWND w : b.bars) {
        LONG top = 0;
        if (IsWindowVisible(w))
            top = ScreenRect(w).top;
        else
            ++invisible;
        sorted.push_back({top, w});
    }
    if (invisible > 1) {
        failure = "more than one invisible bar";
        return false;
    }
    if (sorted.size() < 4) {
        failure = "fewer than four bars";
        return false;
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const std::pair<LONG, HWND>& a, const std::pair<LONG, HWND>& b) { return a.first < b.first; });
    for (int i = 0; i < 4; ++i)
        *bars[i] = sorted[i].second;
    return true;
}

} // namespace

bool ScanHostTree(HWND main, CScanResult& out)
{
    out = CScanResult();
    Walk walk{main, &out};
    EnumChildWindows(main, Visit, (LPARAM)&walk);
    if (!out.list[0] || !out.list[1] || !out.panel[0] || !out.panel[1] || !out.commandEdit) {
        out.failure = "lists, panels or command line missing";
        return false;
    }
    Order(out.panel);
    Order(out.list);
    if (out.tabs[0] && out.tabs[1]) {
        Order(out.tabs);
    } else if (out.tabs[0] && GetParent(out.tabs[0]) != out.panel[0]) {
        std::swap(out.tabs[0], out.tabs[1]);
    }
    for (int side = 0; side < 2; ++side) {
        HWND* bars[4] = {&out.bar1[side], &out.bar2[side], &out.bar3[side], &out.bar4[side]};
        if (!PanelBars(out.panel[side], bars, out.failure))
            return false;
    }
    return true;
}

HWND ScanFieldForCode(const CScanResult& s, int code)
{
    switch (code) {
    case 1: return s.list[0];
    case 2: return s.list[1];
    case 5: return s.bar3[0];
    case 6: return s.bar3[1];
    case 7: return s.bar1[0];
    case 8: return s.bar1[1];
    case 9: return s.bar2[0];
    case 10: return s.bar2[1];
    case 11: return s.bar4[0];
    case 12: return s.bar4[1];
    case 13: return s.drive[0];
    case 14: return s.drive[1];
    case 15: return s.panel[0];
    case 16: return s.panel[1];
    case 17: return s.bottomBar;
    case 20: return s.commandCombo;
    case 21: return s.afterCommandLine;
    case 26: return s.tabs[0];
    case 27: return s.tabs[1];
    case 28: return s.buttonBar;
    }
    return nullptr;
}
