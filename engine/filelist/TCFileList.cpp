// The file list object: attaching, the message switch, the content and
// column-width messages, focus and mouse tracking.
#include "TCFileList.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "HostTreeSnapshot.h"
#include "ModuleInterface.h"
#include "ModuleLoader.h"
#include "TabVisibility.h"
#include <windowsx.h>

IMPLEMENT_DYNAMIC(CTCFileList, CWnd)

namespace {

// A stored column width below this is not used (the settings utility's minimum).
const int MinColumnsWidth = 50;
// The pointer moved this far from the button press: a drag.
const int DragDistance = 3;

} // namespace

CTCFileList::CTCFileList(CEngineContext& engine, int side)
    : CPanelWnd(engine, side), m_ruleBackColor(ColorNone), m_ruleBackColor2(ColorNone)
{
}

CTCFileList::~CTCFileList()
{
    ClearBackground();
}

bool CTCFileList::AttachFileList(HWND list)
{
    if (!AttachTo(list))
        return false;
    m_listProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(list, GCLP_WNDPROC));
    const EngineSettings& settings = m_engine.Settings();
    // The group masks are the side's path window's to set (a folder rule's
    // or the global ones): attaching again keeps them.
    m_grouping = settings.groupingActive && settings.groupingOn;
    m_layout = m_markLayout = LayoutUnclassified;
    m_dirty = TRUE;
    // The host's caret item keeps the caret once the order is in force.
    int caret = CaretRow();
    if (caret > 0)
        ::SendMessageW(m_hWnd, LB_SETCARETINDEX, caret, 0);
    RECT first = {};
    m_attachColumnWidth = Forward(LB_GETITEMRECT, 0, (LPARAM)&first) != LB_ERR ? first.right - first.left : 0;
    // The stored width, unless the engine menu gave the columns back to the
    // host: a new list of the host keeps the host's widths then.
    if (settings.ChangeColumns && !m_hostColumns) {
        m_columnsWidth = Side() == 0 ? settings.ColumnsWidth0 : settings.ColumnsWidth1;
        if (m_columnsWidth >= MinColumnsWidth)
            ApplyColumnsWidth(m_columnsWidth);
    }
    // The background is the side's path window's to set (a folder rule's or
    // the global one): a new list of the host keeps the one applied last.
    // Until then the picture is the settings' own.
    if (!m_backgroundApplied && !settings.BkgFile.IsEmpty())
        ApplyRuleBackground(nullptr);
    m_dirty = TRUE;
    return true;
}

void CTCFileList::SetColumnsWidth(int width)
{
    WCHAR value[16];
    wsprintfW(value, L"%d", width);
    ::WritePrivateProfileStringW(L"Config", Side() == 0 ? L"ColumnsWidth0" : L"ColumnsWidth1", value,
                                 m_engine.Paths().settingsFile);
    EngineSettings& settings = m_engine.Settings();
    (Side() == 0 ? settings.ColumnsWidth0 : settings.ColumnsWidth1) = width;
    m_columnsWidth = width;
    ApplyColumnsWidth(width);
}

void CTCFileList::ApplyColumnsWidth(int width)
{
    // Only a multi-column list has columns (the first test of the layout).
    if (m_hWnd && IsMultiColumn())
        ::SendMessageW(m_hWnd, LB_SETCOLUMNWIDTH, width, 0);
}

void CTCFileList::UseColumnsWidth(int width)
{
    m_hostColumns = width == 0;
    m_columnsWidth = width;
    ApplyColumnsWidth(width);
}

bool CTCFileList::KeyDown(int vk) const
{
    return ::GetKeyState(vk) < 0;
}

POINT CTCFileList::CursorPos() const
{
    POINT point = {};
    ::GetCursorPos(&point);
    return point;
}

LRESULT CTCFileList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        return OnAddString();
    case LB_DELETESTRING:
        return OnDeleteString(wParam);
    case LB_RESETCONTENT:
        return OnResetContent();
    case LB_SETCOUNT:
        return OnSetCount(wParam);
    case LB_SETCOLUMNWIDTH:
        return OnSetColumnWidth(wParam, lParam);
    // Strings stay in host order: these use host indexes as they come.
    case LB_GETTEXT:
    case LB_GETTEXTLEN:
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        return Default();
    case LB_GETITEMRECT:
    case LB_GETITEMDATA:
    case LB_SETITEMDATA:
    case LB_SETCURSEL:
    case LB_SETANCHORINDEX:
    case LB_GETSEL:
        return OnHostIndexIn(message, wParam, lParam);
    case LB_GETCURSEL:
        return OnGetCurSel();
    case LB_GETANCHORINDEX:
        return OnRowOut();
    case LB_ITEMFROMPOINT:
        return OnItemFromPoint(lParam);
    case LB_SELECTSTRING:
        return OnSelectString(wParam, lParam);
    case LB_GETSELITEMS:
        return OnGetSelItems(wParam, lParam);
    case LB_SETSEL:
        return OnSetSel(wParam, lParam);
    case LB_SELITEMRANGE:
        return OnSelItemRange(wParam, lParam);
    case LB_SELITEMRANGEEX:
        return OnSelItemRangeEx(wParam, lParam);
    case LB_SETTOPINDEX:
        return OnSetTopIndex(wParam, lParam);
    case LB_GETTOPINDEX:
        return OnGetTopIndex();
    case LB_GETCARETINDEX:
        return OnGetCaretIndex();
    case LB_SETCARETINDEX:
        return OnSetCaretIndex(wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    case WM_KEYUP:
        return OnKeyUp();
    case WM_VSCROLL:
        return OnVScroll(wParam);
    case WM_HSCROLL:
        return OnHScroll();
    case WM_MOUSEWHEEL:
        return OnMouseWheel(wParam, lParam);
    case WM_SETFOCUS:
        return OnSetFocus();
    case WM_KILLFOCUS:
        return OnKillFocus();
    case WM_LBUTTONDOWN:
        return OnLButtonDown(lParam);
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk();
    case WM_LBUTTONUP:
        return OnLButtonUp();
    case WM_RBUTTONDOWN:
        return OnRButtonDown(lParam);
    case WM_RBUTTONUP:
        return OnRButtonUp();
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, lParam);
    case WM_DESTROY:
        return OnDestroy();
    case WM_ERASEBKGND:
        return OnEraseBkgnd(wParam);
    case WM_MBUTTONDOWN:
        return OnMButtonDown(lParam);
    case WM_MBUTTONUP:
        return OnMButtonUp(lParam);
    default:
        return CPanelWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT CTCFileList::OnAddString()
{
    LRESULT result = Default();
    if (m_layout == LayoutUnclassified)
        ClassifyLayout(nullptr, true);
    m_dirty = TRUE;
    return result;
}

LRESULT CTCFileList::OnDeleteString(WPARAM wParam)
{
    if (!IsOrdered())
        return Default(); // the host's own order stays the host's own order
    // The string of host item i is at list position i; what the list box
    // keeps per position belongs to the rows. The item's row gives its
    // selection and item data to position i first, so the list box drops
    // the item's own and every other row keeps its own.
    int index = (int)wParam;
    int row = MapHostToRow(index);
    if (index >= 0 && index < Count() && row != index)
        MoveRowData(row, index);
    LRESULT result = Default();
    if (result == LB_ERR)
        return result;
    if (m_dirty || !RemoveHostItem(index))
        m_dirty = TRUE;
    return result;
}

void CTCFileList::MoveRowData(int from, int to)
{
    BOOL selected = AskList(LB_GETSEL, from) > 0;
    LRESULT data = AskList(LB_GETITEMDATA, from);
    int step = from < to ? 1 : -1;
    for (int position = from; position != to; position += step) {
        AskList(LB_SETSEL, AskList(LB_GETSEL, position + step) > 0, position);
        AskList(LB_SETITEMDATA, position, AskList(LB_GETITEMDATA, position + step));
    }
    AskList(LB_SETSEL, selected, to);
    AskList(LB_SETITEMDATA, to, data);
}

LRESULT CTCFileList::OnResetContent()
{
    m_layout = LayoutUnclassified;
    m_countSet = 0;
    m_dirty = TRUE;
    return Default();
}

LRESULT CTCFileList::OnSetCount(WPARAM wParam)
{
    m_countSet = (UINT)wParam;
    return Default();
}

LRESULT CTCFileList::OnSetColumnWidth(WPARAM wParam, LPARAM lParam)
{
    int width = (int)wParam;
    if (width == 0)
        width = m_attachColumnWidth;
    else if (m_engine.Settings().ChangeColumns && m_columnsWidth >= MinColumnsWidth)
        width = m_columnsWidth;
    // The list box divides by its column width.
    if (width <= 0)
        return 0;
    return Forward(LB_SETCOLUMNWIDTH, width, lParam);
}

void CTCFileList::InvalidateRow(int row, BOOL erase)
{
    RECT rect;
    if (row >= 0 && Forward(LB_GETITEMRECT, row, (LPARAM)&rect) != LB_ERR)
        ::InvalidateRect(m_hWnd, &rect, erase);
}

void CTCFileList::RedrawWhole()
{
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CTCFileList::OnSetFocus()
{
    m_noLostFocusMark = FALSE;
    InvalidateRow(MapHostToRow(m_lostFocusRow));
    m_lostFocusRow = -1;
    return Default();
}

LRESULT CTCFileList::OnKillFocus()
{
    if (!m_noLostFocusMark) {
        int caret = CaretRow();
        m_lostFocusRow = MapRowToHost(caret);
        InvalidateRow(caret);
    }
    if (HasBackgroundPicture() && m_keyState != KeyIdle) {
        SetRedraw(TRUE);
        ::UpdateWindow(m_hWnd);
        SetRedraw(FALSE);
    }
    if (!m_redrawSuspended)
        SetRedraw(TRUE);
    return Default();
}

LRESULT CTCFileList::OnLButtonDown(LPARAM lParam)
{
    // A click beside the in-place rename editor ends the rename as Return does.
    if (m_engine.Settings().InPlaceRename) {
        HWND focus = ::GetFocus();
        WCHAR name[8] = {};
        if (focus && ::IsChild(m_hWnd, focus) && ::GetClassNameW(focus, name, 8) && lstrcmpiW(name, L"Edit") == 0) {
            ::PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            return 0;
        }
    }
    m_leftButton = 1;
    m_buttonDownPoint = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return Default();
}

LRESULT CTCFileList::OnLButtonDblClk()
{
    m_leftButton = 2;
    return Default();
}

LRESULT CTCFileList::OnLButtonUp()
{
    m_leftButton = 0;
    m_leftDrag = FALSE;
    if (::GetCapture() == m_hWnd && m_engine.Settings().ReturnTabs)
        EnsureTabVisible(m_engine.Tree().tabs[Side()]);
    return Default();
}

LRESULT CTCFileList::OnRButtonDown(LPARAM lParam)
{
    m_rightButton = TRUE;
    m_buttonDownPoint = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return Default();
}

LRESULT CTCFileList::OnRButtonUp()
{
    m_rightButton = FALSE;
    m_rightDrag = FALSE;
    return Default();
}

LRESULT CTCFileList::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (IsOrdered() && m_rightButton) {
        // The host's right-button selection would run past the list's
        // sides; below the list it scrolls on.
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        if (point.x < client.left || point.x >= client.right || point.y < client.top)
            return 0;
    }
    if (abs(point.x - m_buttonDownPoint.x) < DragDistance && abs(point.y - m_buttonDownPoint.y) < DragDistance)
        return Default();
    m_leftDrag = (wParam & MK_LBUTTON) != 0;
    m_rightDrag = (wParam & MK_RBUTTON) != 0;
    return Default();
}

LRESULT CTCFileList::OnDestroy()
{
    // A window of the engine's inside the list (a module's own window) goes
    // with it: the modules with windows of their own are unloaded.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (CWnd::FromHandlePermanent(child)) {
            m_engine.Modules().UnloadModules(OwnWindow);
            break;
        }
    }
    m_layout = LayoutUnclassified;
    return Default();
}
