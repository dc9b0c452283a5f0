// The walk over the host main window's descendants: which child is which by
// class, text and screen position, and the four bars of each panel.
#include "TCInfo.h"
#include <cwchar>

namespace {

RECT ScreenRect(HWND wnd)
{
    RECT r = {};
    GetWindowRect(wnd, &r);
    return r;
}

// By the left edge, by the top edge when the left edges are equal.
bool IsBefore(HWND a, HWND b)
{
    RECT ra = ScreenRect(a), rb = ScreenRect(b);
    return ra.left != rb.left ? ra.left < rb.left : ra.top < rb.top;
}

void OrderPair(HWND pair[2])
{
    if (pair[0] && pair[1] && IsBefore(pair[1], pair[0])) {
        HWND t = pair[0];
        pair[0] = pair[1];
        pair[1] = t;
    }
}

// The first empty slot takes the window; a filled pair is ordered.
void PutIntoPair(HWND pair[2], HWND wnd)
{
    if (!pair[0]) {
        pair[0] = wnd;
    } else if (!pair[1]) {
        pair[1] = wnd;
        OrderPair(pair);
    }
}

bool HasText(HWND wnd, const wchar_t* text)
{
    wchar_t buf[64];
    buf[0] = 0;
    GetWindowTextW(wnd, buf, 64);
    buf[63] = 0;
    return wcscmp(buf, text) == 0;
}

// The first direct child of `parent` of class `cls` (and text `text` when given).
HWND ChildOfClass(HWND parent, const wchar_t* cls, const wchar_t* text = nullptr)
{
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t name[64];
        ReadWindowClass(c, name);
        if (wcscmp(name, cls) == 0 && (!text || HasText(c, text)))
            return c;
    }
    return nullptr;
}

struct WalkState {
    HostTreeSnapshot* snap;
    LONG buttonBarTop;
};

BOOL CALLBACK VisitWindow(HWND wnd, LPARAM param)
{
    WalkState& walk = *(WalkState*)param;
    HostTreeSnapshot& s = *walk.snap;
    wchar_t cls[64];
    ReadWindowClass(wnd, cls);
    bool isWindow = wcscmp(cls, L"Window") == 0;
    bool isCombo = !isWindow && wcscmp(cls, L"LCLComboBox") == 0;
    bool isList = !isWindow && !isCombo && wcscmp(cls, L"LCLListBox") == 0;
    if (!isWindow && !isCombo && !isList)
        return TRUE;
    HWND parent = GetParent(wnd);
    HWND firstChild = GetWindow(wnd, GW_CHILD);
    if (isWindow) {
        if (parent == s.main && !firstChild) {
            LONG top = ScreenRect(wnd).top;
            if (!s.buttonBar || top < walk.buttonBarTop) {
                s.buttonBar = wnd;
                walk.buttonBarTop = top;
            }
        }
    } else if (isCombo && firstChild) {
        s.commandCombo = wnd;
        s.commandEdit = firstChild;
        s.bottomBar = parent;
        s.afterCommandLine = GetWindow(wnd, GW_HWNDNEXT);
    } else if (isCombo && ChildOfClass(parent, L"LCLListBox", L"W_FtpLogList")) {
        s.ftpPanel = parent;
        s.ftpLogList = ChildOfClass(parent, L"LCLListBox");
    } else if (isCombo) {
        PutIntoPair(s.driveCombo, wnd);
        if (HWND tabs = ChildOfClass(parent, L"SysTabControl32")) {
            s.hasTabs = 1;
            PutIntoPair(s.tabs, tabs);
        }
        PutIntoPair(s.panel, parent);
    } else if (HasText(wnd, L"")) {
        PutIntoPair(s.fileList, wnd);
    }
    return TRUE;
}

struct BarWalk {
    HWND bars[4];
    int count;
};

BOOL CALLBACK VisitBar(HWND wnd, LPARAM param)
{
    BarWalk& walk = *(BarWalk*)param;
    wchar_t cls[64];
    ReadWindowClass(wnd, cls);
    if (wcscmp(cls, L"Window") == 0)
        walk.bars[walk.count++] = wnd;
    return walk.count < 4;
}

} // namespace

bool CTCInfo64::FindPanelBars(int side)
{
    BarWalk walk = {};
    EnumChildWindows(panel[side], VisitBar, (LPARAM)&walk);
    LONG tops[4] = {};
    int invisible = 0;
    for (int i = 0; i < walk.count; ++i) {
        if (IsWindowVisible(walk.bars[i]))
            tops[i] = ScreenRect(walk.bars[i]).top;
        else
            ++invisible;  // counts as top 0
    }
    if (invisible > 1)
        return Fail(ScanFailure::HiddenBars, side);
    if (walk.count < 4)
        return Fail(ScanFailure::TooFewBars, side);
    // Insertion sort by top; equal tops keep their enumeration order.
    for (int i = 1; i < 4; ++i) {
        for (int j = i; j > 0 && tops[j] < tops[j - 1]; --j) {
            LONG t = tops[j];
            tops[j] = tops[j - 1];
            tops[j - 1] = t;
            HWND w = walk.bars[j];
            walk.bars[j] = walk.bars[j - 1];
            walk.bars[j - 1] = w;
        }
    }
    bar1[side] = walk.bars[0];
    bar2[side] = walk.bars[1];
    bar3[side] = walk.bars[2];
    bar4[side] = walk.bars[3];
    return true;
}

bool CTCInfo64::Scan()
{
    WalkState walk = {this, 0};
    EnumChildWindows(main, VisitWindow, (LPARAM)&walk);
    if (!commandEdit)
        return Fail(ScanFailure::NoCommandLine);
    if (!fileList[0] || !fileList[1] || !panel[0] || !panel[1])
        return Fail(ScanFailure::PartsMissing);
    OrderPair(panel);
    OrderPair(fileList);
    if (tabs[0] && tabs[1]) {
        OrderPair(tabs);
    } else if (tabs[0] || tabs[1]) {
        // A single tab control belongs to the panel that holds it.
        int slot = tabs[0] ? 0 : 1;
        if (GetParent(tabs[slot]) != panel[slot]) {
            tabs[1 - slot] = tabs[slot];
            tabs[slot] = nullptr;
        }
    }
    for (int side = 0; side < 2; ++side) {
        if (!FindPanelBars(side))
            return false;
    }
    return true;
}
