// CGridCtrl: construction, the window class, window messages, default
// cells, notifications and virtual mode.
#include "GridCtrl.h"
#include "ThisModule.h"

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

namespace {

const WCHAR kGridClassName[] = L"MFCGridCtrl";
const UINT kIdEditSelectAll = 57642;

// Index into the default cells by kind.
int DefaultIndex(BOOL bFixedRow, BOOL bFixedCol)
{
    return (bFixedRow ? 2 : 0) + (bFixedCol ? 1 : 0);
}

} // namespace

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows)
{
    RegisterWindowClass();
    m_outerBackground = ::GetSysColor(COLOR_BTNSHADOW);
    m_sysWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_sysWindow = ::GetSysColor(COLOR_WINDOW);
    m_sysBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_sysBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_cellClass = RUNTIME_CLASS(CGridCell);
    m_wheelLines = WheelScrollLines();
    for (int i = 0; i < 4; ++i) {
        m_defaultCells[i].SetGrid(this);
        m_defaultCells[i].SetTextColour(m_sysWindowText);
        m_defaultCells[i].SetBackground(i == 0 ? m_sysWindow : m_sysBtnFace);
    }
    m_virtualCell.SetGrid(this);
    m_titleTip.SetParentWnd(this);
    ChangeRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    ClearFixedColumns();
}

CGridCtrl::~CGridCtrl()
{
    for (INT_PTR r = 0; r < m_rowData.GetSize(); ++r) {
        GridRow* row = m_rowData[r];
        for (INT_PTR c = 0; row && c < row->GetSize(); ++c)
            delete (*row)[c];
        delete row;
    }
}

void CGridCtrl::RegisterWindowClass()
{
    HINSTANCE hInst = ThisModule();
    WNDCLASSW wc = {};
    if (::GetClassInfoW(hInst, kGridClassName, &wc))
        return;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInst;
    wc.hCursor = ::LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_3DFACE + 1);
    wc.lpszClassName = kGridClassName;
    if (!::RegisterClassW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        AfxThrowResourceException();
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!CWnd::CreateEx(WS_EX_CLIENTEDGE, kGridClassName, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    ResetScrollBars();
    return TRUE;
}

void CGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    m_titleTip.SetParentWnd(this);
    if (m_inPreSubclass)
        return;
    m_inPreSubclass = TRUE;
    // A dialog control gets the sunken border of a grid.
    if (::IsWindow(m_hWnd) && !(GetExStyle() & WS_EX_CLIENTEDGE))
        ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    m_inPreSubclass = FALSE;
}

LRESULT CGridCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        m_repaintPending = FALSE;
        return OnPaint();
    case WM_ERASEBKGND:
        return 1; // painting covers everything
    case WM_NCPAINT:
        m_framePending = FALSE;
        break;
    case WM_SETFONT:
        return OnSetFont(wParam, lParam);
    case WM_GETFONT:
        return OnGetFont(wParam, lParam);
    case WM_SYSCOLORCHANGE:
        return OnSysColorChange(wParam, lParam);
    case WM_SIZE:
        return OnSize(wParam, lParam);
    case WM_HSCROLL:
        return OnScroll(SB_HORZ, wParam);
    case WM_VSCROLL:
        return OnScroll(SB_VERT, wParam);
    case WM_MOUSEWHEEL:
        return OnMouseWheel(wParam, lParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(wParam, lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(wParam, lParam);
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk(wParam, lParam);
    case WM_RBUTTONUP:
        return OnRButtonUp(wParam, lParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, lParam);
    case WM_SETCURSOR:
        return OnSetCursor(wParam, lParam);
    case WM_TIMER:
        return OnTimer(wParam, lParam);
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    case WM_CHAR:
        return OnChar(wParam, lParam);
    case WM_GETDLGCODE:
        return OnGetDlgCode();
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr && hdr->idFrom == InPlaceControlId && (int)hdr->code == (int)LVN_ENDLABELEDITW)
            return OnEndInPlaceEdit(reinterpret_cast<GridDisplayInfo*>(lParam));
        break;
    }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CGridCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kIdEditSelectAll && lParam == 0) {
        SelectAll();
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CGridCtrl::OnSetFont(WPARAM wParam, LPARAM)
{
    LOGFONTW lf = {};
    if (!wParam || !::GetObjectW((HGDIOBJ)wParam, sizeof(lf), &lf))
        return 0;
    for (CGridDefaultCell& def : m_defaultCells)
        def.SetFont(&lf);
    Refresh();
    return 0;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM)
{
    CFont* font = m_defaultCells[0].FontObject();
    return font ? (LRESULT)font->m_hObject : 0;
}

LRESULT CGridCtrl::OnSysColorChange(WPARAM, LPARAM)
{
    COLORREF windowText = ::GetSysColor(COLOR_WINDOWTEXT);
    COLORREF window = ::GetSysColor(COLOR_WINDOW);
    for (CGridDefaultCell& def : m_defaultCells) {
        if (def.TextColour() == m_sysWindowText)
            def.SetTextColour(windowText);
        if (def.Background() == m_sysWindow)
            def.SetBackground(window);
    }
    if (m_outerBackground == m_sysBtnShadow)
        m_outerBackground = ::GetSysColor(COLOR_BTNSHADOW);
    m_sysWindowText = windowText;
    m_sysWindow = window;
    m_sysBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_sysBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    return Default();
}

LRESULT CGridCtrl::OnSize(WPARAM, LPARAM)
{
    if (m_inSize)
        return 0;
    m_inSize = TRUE;
    EndEditing();
    LRESULT result = Default();
    ResetScrollBars();
    m_inSize = FALSE;
    return result;
}

HWND CGridCtrl::NotifyTarget() const
{
    HWND owner = GetOwnerHwnd();
    return owner ? owner : ::GetParent(m_hWnd);
}

LRESULT CGridCtrl::SendNotify(int nRow, int nCol, int nCode)
{
    HWND target = NotifyTarget();
    if (!::IsWindow(m_hWnd) || !::IsWindow(target))
        return 0;
    GridNotifyRecord rec = {};
    rec.hdr.hwndFrom = m_hWnd;
    rec.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    rec.hdr.code = (UINT)nCode;
    rec.row = nRow;
    rec.col = nCol;
    return ::SendMessageW(target, WM_NOTIFY, rec.hdr.idFrom, (LPARAM)&rec);
}

LRESULT CGridCtrl::RequestDisplayInfo(GridDisplayInfo* pInfo)
{
    HWND target = NotifyTarget();
    if (!pInfo || !::IsWindow(m_hWnd) || !::IsWindow(target))
        return 0;
    pInfo->hdr.hwndFrom = m_hWnd;
    pInfo->hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    pInfo->hdr.code = (UINT)LVN_GETDISPINFOW;
    return ::SendMessageW(target, WM_NOTIFY, pInfo->hdr.idFrom, (LPARAM)pInfo);
}

LRESULT CGridCtrl::SendCacheHint(const CellRange& range)
{
    HWND target = NotifyTarget();
    if (!::IsWindow(m_hWnd) || !::IsWindow(target))
        return 0;
    GridCacheHint hint = {};
    hint.hdr.hwndFrom = m_hWnd;
    hint.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    hint.hdr.code = (UINT)LVN_ODCACHEHINT;
    hint.range = range;
    return ::SendMessageW(target, WM_NOTIFY, hint.hdr.idFrom, (LPARAM)&hint);
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol)
{
    return &m_defaultCells[DefaultIndex(bFixedRow, bFixedCol)];
}

CFont* CGridCtrl::CellFontObject(const LOGFONTW& lf)
{
    if (!m_cellFont.GetSafeHandle() || memcmp(&lf, &m_cellFontRecord, sizeof(lf)) != 0) {
        // Every user selects it only for the length of one draw or measure.
        m_cellFont.DeleteObject();
        m_cellFont.CreateFontIndirect(&lf);
        m_cellFontRecord = lf;
    }
    return m_cellFont.GetSafeHandle() ? &m_cellFont : nullptr;
}

void CGridCtrl::SetVirtualMode(BOOL bVirtual)
{
    if (!bVirtual == !m_virtualMode)
        return;
    DeleteAll();
    m_virtualMode = bVirtual;
}

void CGridCtrl::SetCallbackFunc(GridCallback pCallback, LPARAM lParam)
{
    m_callback = pCallback;
    m_callbackParam = lParam;
}

CGridCellBase* CGridCtrl::CellAt(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol))
        return nullptr;
    if (!m_virtualMode) {
        GridRow* row = m_rowData[nRow];
        return row ? (*row)[nCol] : nullptr;
    }

    BOOL fixedRow = nRow < m_fixedRows;
    BOOL fixedCol = nCol < m_fixedCols;
    CGridDefaultCell* def = GetDefaultCell(fixedRow, fixedCol);
    GridDisplayInfo& info = m_displayInfo;
    info = GridDisplayInfo();
    GridItemRecord& item = info.item;
    item.row = nRow;
    item.col = nCol;
    item.mask = GridMaskAll;
    item.format = def->Format();
    item.image = def->Image();
    item.background = def->Background();
    item.textColour = def->TextColour();
    item.userValue = def->UserValue();
    if (const LOGFONTW* lf = def->FontRecord())
        item.font = *lf;
    item.margin = def->Margin();
    if (m_selected.PLookup(CellKey(nRow, nCol)))
        item.state |= CellSelected;
    if (fixedRow)
        item.state |= CellFixed | CellFixedRow;
    if (fixedCol)
        item.state |= CellFixed | CellFixedColumn;
    if (CCellID(nRow, nCol) == m_focus)
        item.state |= CellFocused;

    if (m_callback)
        m_callback(&info, m_callbackParam);
    else
        RequestDisplayInfo(&info);

    CGridCell& cell = m_virtualCell;
    cell.SetGrid(this);
    cell.SetState(item.state);
    cell.SetUserValue(item.userValue);
    cell.SetImage(item.image);
    cell.SetFormat(item.format);
    cell.SetTextColour(item.textColour);
    cell.SetBackground(item.background);
    cell.SetFont(&item.font);
    cell.SetMargin(item.margin);
    cell.SetText(item.text);
    cell.SetCoordinates(nRow, nCol);
    return &cell;
}

void CGridCtrl::Refresh()
{
    // One invalidation covers every change until the window paints.
    if (!m_allowDraw || m_repaintPending || !::IsWindow(m_hWnd))
        return;
    Invalidate();
    m_repaintPending = TRUE;
}

void CGridCtrl::RefreshScrollBars()
{
    // The non-client area only, once until it paints: drawing a scroll bar
    // at once costs milliseconds, and rows are often appended one by one.
    if (!m_allowDraw || m_framePending || !::IsWindow(m_hWnd))
        return;
    CRect window, client;
    GetWindowRect(&window);
    ScreenToClient(&window);
    GetClientRect(&client);
    HRGN frame = ::CreateRectRgnIndirect(&window);
    HRGN inner = ::CreateRectRgnIndirect(&client);
    if (frame && inner && ::CombineRgn(frame, frame, inner, RGN_DIFF) != ERROR) {
        RedrawWindow(nullptr, frame, RDW_INVALIDATE | RDW_FRAME);
        m_framePending = TRUE;
    }
    if (frame)
        ::DeleteObject(frame);
    if (inner)
        ::DeleteObject(inner);
}

void CGridCtrl::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars)
{
    if (bAllowDraw && !m_allowDraw) {
        m_allowDraw = TRUE;
        if (bResetScrollBars)
            ResetScrollBars();
        Refresh();
    }
    m_allowDraw = bAllowDraw;
}

int CGridCtrl::WheelScrollLines()
{
    UINT lines = 3;
    if (!::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        lines = 3;
    return lines == WHEEL_PAGESCROLL ? -1 : (int)lines;
}
