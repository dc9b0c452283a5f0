// The walk over the host main window's descendants: which child is which by
// class, text and screen position, and the four bars of each panel.
//
// The descendants are listed once (EnumChildWindows, depth first in z-order)
// and every rule then works on that list: under Wine each child listing and
// each GetWindow call is a round trip to the server, while class, parent,
// text and rectangle of the host's own windows are read in the process.
#include "TCInfo.h"
#include <cwchar>
#include <new>
#include <vector>

namespace {

enum ClassKind : unsigned char { KindOther, KindWindow, KindCombo, KindList, KindTabs };

struct Node {
    HWND wnd;
    HWND parent;
    ClassKind kind;
};

typedef std::vector<Node> NodeList;

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

ClassKind KindOf(HWND wnd)
{
    wchar_t cls[64];
    ReadWindowClass(wnd, cls);
    if (wcscmp(cls, L"Window") == 0) return KindWindow;
    if (wcscmp(cls, L"LCLComboBox") == 0) return KindCombo;
    if (wcscmp(cls, L"LCLListBox") == 0) return KindList;
    if (wcscmp(cls, L"SysTabControl32") == 0) return KindTabs;
    return KindOther;
}

struct Listing {
    NodeList* nodes;
    bool failed;
};

BOOL CALLBACK ListWindow(HWND wnd, LPARAM param)
{
    Listing& listing = *(Listing*)param;
    try {
        listing.nodes->push_back(Node{wnd, GetParent(wnd), KindOf(wnd)});
    } catch (const std::bad_alloc&) {
        listing.failed = true;
        return FALSE;
    }
    return TRUE;
}

// In depth-first order a window's first child follows it directly.
HWND FirstChild(const NodeList& nodes, size_t i)
{
    return i + 1 < nodes.size() && nodes[i + 1].parent == nodes[i].wnd ? nodes[i + 1].wnd : nullptr;
}

// The next window after i with the same parent (its next sibling).
HWND NextSibling(const NodeList& nodes, size_t i)
{
    for (size_t j = i + 1; j < nodes.size(); ++j) {
        if (nodes[j].parent == nodes[i].parent)
            return nodes[j].wnd;
    }
    return nullptr;
}

// The first direct child of `parent` of a class (and text when given).
HWND ChildOfKind(const NodeList& nodes, HWND parent, ClassKind kind, const wchar_t* text = nullptr)
{
    for (const Node& n : nodes) {
        if (n.parent == parent && n.kind == kind && (!text || HasText(n.wnd, text)))
            return n.wnd;
    }
    return nullptr;
}

// Whether node i's parent is `at` or a node listed between `at` and i: in
// depth-first order a window's descendants follow it without a gap.
bool InSubtree(const NodeList& nodes, size_t at, size_t i)
{
    for (size_t j = at; j < i; ++j) {
        if (nodes[j].wnd == nodes[i].parent)
            return true;
    }
    return false;
}

} // namespace

struct CTCInfo64::Walk {
    NodeList nodes;
};

bool CTCInfo64::FindPanelBars(int side, const Walk& walk)
{
    const NodeList& nodes = walk.nodes;
    HWND bars[4] = {};
    int count = 0;
    size_t at = 0;
    while (at < nodes.size() && nodes[at].wnd != panel[side])
        ++at;
    // The panel's descendants follow it in the list, up to the first window
    // that is not one of them.
    for (size_t i = at + 1; i < nodes.size() && count < 4; ++i) {
        if (!InSubtree(nodes, at, i))
            break;
        if (nodes[i].kind == KindWindow)
            bars[count++] = nodes[i].wnd;
    }
    LONG tops[4] = {};
    int invisible = 0;
    for (int i = 0; i < count; ++i) {
        if (IsWindowVisible(bars[i]))
            tops[i] = ScreenRect(bars[i]).top;
        else
            ++invisible;  // counts as top 0
    }
    if (invisible > 1)
        return Fail(ScanFailure::HiddenBars, side);
    if (count < 4)
        return Fail(ScanFailure::TooFewBars, side);
    // Insertion sort by top; equal tops keep their enumeration order.
    for (int i = 1; i < 4; ++i) {
        for (int j = i; j > 0 && tops[j] < tops[j - 1]; --j) {
            LONG t = tops[j];
            tops[j] = tops[j - 1];
            tops[j - 1] = t;
            HWND w = bars[j];
            bars[j] = bars[j - 1];
            bars[j - 1] = w;
        }
    }
    bar1[side] = bars[0];
    bar2[side] = bars[1];
    bar3[side] = bars[2];
    bar4[side] = bars[3];
    return true;
}

bool CTCInfo64::Scan()
{
    Walk walk;
    Listing listing = {&walk.nodes, false};
    try {
        walk.nodes.reserve(256);
    } catch (const std::bad_alloc&) {
        return Fail(ScanFailure::PartsMissing);
    }
    EnumChildWindows(main, ListWindow, (LPARAM)&listing);
    if (listing.failed)
        return Fail(ScanFailure::PartsMissing);

    const NodeList& nodes = walk.nodes;
    LONG buttonBarTop = 0;
    for (size_t i = 0; i < nodes.size(); ++i) {
        const Node& n = nodes[i];
        if (n.kind == KindWindow) {
            if (n.parent == main && !FirstChild(nodes, i)) {
                LONG top = ScreenRect(n.wnd).top;
                if (!buttonBar || top < buttonBarTop) {
                    buttonBar = n.wnd;
                    buttonBarTop = top;
                }
            }
        } else if (n.kind == KindCombo) {
            if (HWND child = FirstChild(nodes, i)) {
                commandCombo = n.wnd;
                commandEdit = child;
                bottomBar = n.parent;
                afterCommandLine = NextSibling(nodes, i);
            } else if (ChildOfKind(nodes, n.parent, KindList, L"W_FtpLogList")) {
                ftpPanel = n.parent;
                ftpLogList = ChildOfKind(nodes, n.parent, KindList);
            } else {
                PutIntoPair(driveCombo, n.wnd);
                if (HWND tabControl = ChildOfKind(nodes, n.parent, KindTabs)) {
                    hasTabs = 1;
                    PutIntoPair(tabs, tabControl);
                }
                PutIntoPair(panel, n.parent);
            }
        } else if (n.kind == KindList && HasText(n.wnd, L"")) {
            PutIntoPair(fileList, n.wnd);
        }
    }
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
        if (!FindPanelBars(side, walk))
            return false;
    }
    return true;
}
