#include "ColourPopup.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CColourPopup, CWnd)

const ColourTableEntry ColourTable[ColourCount] = {
    {RGB(0, 0, 0), L"Black"},           {RGB(165, 42, 0), L"Brown"},
    {RGB(0, 64, 64), L"Dark Olive Green"}, {RGB(0, 85, 0), L"Dark Green"},
    {RGB(0, 0, 94), L"Dark Teal"},      {RGB(0, 0, 139), L"Dark blue"},
    {RGB(75, 0, 130), L"Indigo"},       {RGB(40, 40, 40), L"Dark grey"},
    {RGB(139, 0, 0), L"Dark red"},      {RGB(255, 104, 32), L"Orange"},
    {RGB(139, 139, 0), L"Dark yellow"}, {RGB(0, 147, 0), L"Green"},
    {RGB(56, 142, 142), L"Teal"},       {RGB(0, 0, 255), L"Blue"},
    {RGB(123, 123, 192), L"Blue-grey"}, {RGB(102, 102, 102), L"Grey - 40"},
    {RGB(255, 0, 0), L"Red"},           {RGB(255, 173, 91), L"Light orange"},
    {RGB(50, 205, 50), L"Lime"},        {RGB(60, 179, 113), L"Sea green"},
    {RGB(127, 255, 212), L"Aqua"},      {RGB(125, 158, 192), L"Light blue"},
    {RGB(128, 0, 128), L"Violet"},      {RGB(127, 127, 127), L"Grey - 50"},
    {RGB(255, 192, 203), L"Pink"},      {RGB(255, 215, 0), L"Gold"},
    {RGB(255, 255, 0), L"Yellow"},      {RGB(0, 255, 0), L"Bright green"},
    {RGB(64, 224, 208), L"Turquoise"},  {RGB(192, 255, 255), L"Skyblue"},
    {RGB(72, 0, 72), L"Plum"},          {RGB(192, 192, 192), L"Light grey"},
    {RGB(255, 228, 225), L"Rose"},      {RGB(210, 180, 140), L"Tan"},
    {RGB(255, 255, 224), L"Light yellow"}, {RGB(152, 251, 152), L"Pale green "},
    {RGB(175, 238, 238), L"Pale turquoise"}, {RGB(104, 131, 139), L"Pale blue"},
    {RGB(230, 230, 250), L"Lavender"},  {RGB(255, 255, 255), L"White"},
};

namespace {

const int LastColour = ColourCount - 1;

int PastLast(bool hasDefault, bool hasCustom)
{
    return hasCustom ? BoxCustom : hasDefault ? BoxDefault : 0;
}

int BeforeFirst(bool hasDefault, bool hasCustom)
{
    return hasDefault ? BoxDefault : hasCustom ? BoxCustom : LastColour;
}

} // namespace

CColourPopup::CColourPopup()
{
    m_margin = GetSystemMetrics(SM_CXEDGE);
    m_boxSize = std::max(18, 2 * m_margin + 7);
    m_rows = (ColourCount + ColourColumns - 1) / ColourColumns;
}

CColourPopup::~CColourPopup()
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.DestroyWindow();
}

int CColourPopup::InitialIndex(COLORREF colour, bool hasDefault, bool hasCustom)
{
    if (colour == PopupColorAutomatic && hasDefault)
        return BoxDefault;
    for (int i = 0; i < ColourCount; ++i)
        if (ColourTable[i].colour == colour)
            return i;
    return hasCustom ? BoxCustom : BoxNone;
}

int CColourPopup::NextBox(int from, UINT vk, bool hasDefault, bool hasCustom)
{
    switch (vk) {
    case VK_LEFT:
    case VK_UP:
        if (from == BoxDefault)
            return hasCustom ? BoxCustom : LastColour;
        if (from == BoxCustom)
            return LastColour;
        if (vk == VK_LEFT)
            return from > 0 ? from - 1 : BeforeFirst(hasDefault, hasCustom);
        return from >= ColourColumns ? from - ColourColumns : BeforeFirst(hasDefault, hasCustom);
    case VK_RIGHT:
    case VK_DOWN:
        if (from == BoxDefault)
            return 0;
        if (from == BoxCustom)
            return hasDefault ? BoxDefault : 0;
        if (vk == VK_RIGHT)
            return from < LastColour ? from + 1 : PastLast(hasDefault, hasCustom);
        return from + ColourColumns <= LastColour ? from + ColourColumns : PastLast(hasDefault, hasCustom);
    }
    return from;
}

CRect CColourPopup::KeepOnScreen(const CRect& window, const RECT& work, const RECT& owner)
{
    CRect r = window;
    if (r.right > work.right)
        r.OffsetRect(work.right - r.right, 0);
    if (r.left < work.left)
        r.OffsetRect(work.left - r.left, 0);
    if (r.bottom > work.bottom)
        r.OffsetRect(0, owner.top - r.bottom);
    return r;
}

BOOL CColourPopup::Create(COLORREF initial, HWND owner, LPCWSTR defaultText, LPCWSTR customText, int x, int y)
{
    m_initialColour = m_chosenColour = initial;
    m_owner = owner;
    m_defaultText = defaultText ? defaultText : L"";
    m_customText = customText ? customText : L"";

    CString className = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC | CS_HREDRAW | CS_VREDRAW, nullptr,
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateEx(0, className, L"", WS_POPUP | WS_VISIBLE, x, y, 100, 100, owner, nullptr))
        return FALSE;

    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        m_font.CreateFontIndirect(&metrics.lfMessageFont);

    BYTE buffer[sizeof(LOGPALETTE) + ColourCount * sizeof(PALETTEENTRY)] = {};
    LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(buffer);
    palette->palVersion = 0x300;
    palette->palNumEntries = ColourCount;
    for (int i = 0; i < ColourCount; ++i) {
        palette->palPalEntry[i].peRed = GetRValue(ColourTable[i].colour);
        palette->palPalEntry[i].peGreen = GetGValue(ColourTable[i].colour);
        palette->palPalEntry[i].peBlue = GetBValue(ColourTable[i].colour);
    }
    m_palette.CreatePalette(palette);

    Layout(x, y);
    AddTooltips();
    m_chosenIndex = InitialIndex(initial, !m_defaultText.IsEmpty(), !m_customText.IsEmpty());
    SetCapture();
    return TRUE;
}

void CColourPopup::Layout(int x, int y)
{
    int textWidth = 0, textHeight = 0, boxWidth = 0;
    if (!m_defaultText.IsEmpty() || !m_customText.IsEmpty()) {
        CClientDC dc(this);
        HGDIOBJ old = dc.SelectObject(m_font.GetSafeHandle() ? (HGDIOBJ)m_font : GetStockObject(DEFAULT_GUI_FONT));
        CSize a = dc.GetTextExtent(m_defaultText), b = dc.GetTextExtent(m_customText);
        dc.SelectObject(old);
        textWidth = std::max(a.cx, b.cx);
        textHeight = std::max(a.cy, b.cy) + 4 * m_margin + 2;
        boxWidth = textWidth + 2 * m_margin;
    }
    int width = 2 * m_margin + ColourColumns * m_boxSize;
    int height = 2 * m_margin + m_rows * m_boxSize;
    m_gridTop = 0;
    if (!m_defaultText.IsEmpty()) {
        width = std::max(width, boxWidth);
        m_defaultRect.SetRect(m_margin, m_margin, width - m_margin, textHeight + 2 * m_margin);
        height += m_defaultRect.Height() + 2 * m_margin;
        m_gridTop = m_defaultRect.Height() + m_margin;
    }
    if (!m_customText.IsEmpty()) {
        width = std::max(width, boxWidth);
        m_customRect.SetRect(m_margin, height, width - m_margin, height + m_margin + textHeight);
        height += m_customRect.Height() + 2 * m_margin;
    }
    // Kept on the monitor nearest the point the popup opens at.
    CRect window(x, y, x + width, y + height);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint(CPoint(x, y), MONITOR_DEFAULTTONEAREST), &monitor);
    RECT ownerRect = {x, y, x, y};
    if (m_owner)
        ::GetWindowRect(m_owner, &ownerRect);
    m_windowRect = KeepOnScreen(window, monitor.rcWork, ownerRect);
    MoveWindow(m_windowRect, TRUE);
}

void CColourPopup::AddTooltips()
{
    if (!m_toolTip.Create(this))
        return;
    for (int i = 0; i < ColourCount; ++i) {
        CRect box = BoxRect(i);
        m_toolTip.AddTool(this, ColourTable[i].name, &box, i + 1);
    }
}

CRect CColourPopup::BoxRect(int index) const
{
    if (index == BoxDefault)
        return m_defaultText.IsEmpty() ? CRect() : m_defaultRect;
    if (index == BoxCustom)
        return m_customText.IsEmpty() ? CRect() : m_customRect;
    if (index < 0 || index >= ColourCount)
        return CRect();
    int left = (index % ColourColumns) * m_boxSize + m_margin;
    int top = (index / ColourColumns) * m_boxSize + m_margin + m_gridTop;
    return CRect(left, top, left + m_boxSize, top + m_boxSize);
}

int CColourPopup::HitBox(POINT point) const
{
    if (!m_customText.IsEmpty() && m_customRect.PtInRect(point))
        return BoxCustom;
    if (!m_defaultText.IsEmpty() && m_defaultRect.PtInRect(point))
        return BoxDefault;
    int x = point.x - m_margin, y = point.y - m_margin - m_gridTop;
    if (x < 0 || y < 0)
        return BoxNone;
    int column = x / m_boxSize, row = y / m_boxSize;
    if (column >= ColourColumns || row >= m_rows)
        return BoxNone;
    int index = row * ColourColumns + column;
    return index < ColourCount ? index : BoxNone;
}

LRESULT CColourPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        return OnPaint();
    case WM_PRINTCLIENT: {
        CDC dc;
        dc.Attach((HDC)wParam);
        Draw(&dc);
        dc.Detach();
        return 0;
    }
    case WM_MOUSEMOVE:
        return OnMouseMove(lParam);
    case WM_LBUTTONUP:
        return OnLButtonUp(lParam);
    case WM_KEYDOWN:
        return OnKeyDown(wParam);
    case WM_ACTIVATEAPP:
        return OnActivateApp(wParam);
    case WM_KILLFOCUS:
        ReleaseCapture();
        return 0;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
        if (message == WM_QUERYNEWPALETTE || (HWND)wParam != m_hWnd)
            Invalidate(FALSE);
        return message == WM_QUERYNEWPALETTE;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CColourPopup::PostNcDestroy()
{
    delete this;
}

LRESULT CColourPopup::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
    return 0;
}

void CColourPopup::Draw(CDC* dc)
{
    HPALETTE oldPalette = nullptr;
    if (dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) {
        oldPalette = dc->SelectPalette(&m_palette, FALSE);
        dc->RealizePalette();
    }
    for (int i = 0; i < ColourCount; ++i)
        DrawColourBox(dc, i);
    if (!m_defaultText.IsEmpty())
        DrawTextBox(dc, BoxDefault);
    if (!m_customText.IsEmpty())
        DrawTextBox(dc, BoxCustom);
    CRect client;
    GetClientRect(&client);
    dc->DrawEdge(&client, EDGE_RAISED, BF_RECT);
    if (oldPalette)
        ::SelectPalette(*dc, oldPalette, FALSE);
}

void CColourPopup::DrawColourBox(CDC* dc, int index)
{
    CRect box = BoxRect(index);
    bool hot = index == m_hotIndex, chosen = index == m_chosenIndex;
    dc->FillSolidRect(&box, GetSysColor(chosen && !hot ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE));
    if (hot)
        dc->DrawEdge(&box, BDR_RAISEDINNER, BF_RECT);
    else if (chosen)
        dc->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
    CRect swatch = box;
    swatch.DeflateRect(m_margin + 1, m_margin + 1);
    CBrush brush(PALETTERGB(GetRValue(ColourTable[index].colour), GetGValue(ColourTable[index].colour),
                            GetBValue(ColourTable[index].colour)));
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldBrush = dc->SelectObject(&brush);
    HGDIOBJ oldPen = dc->SelectObject(&pen);
    dc->Rectangle(&swatch);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

void CColourPopup::DrawTextBox(CDC* dc, int index)
{
    CRect box = BoxRect(index);
    bool hot = index == m_hotIndex, chosen = index == m_chosenIndex;
    dc->FillSolidRect(&box, GetSysColor(COLOR_BTNFACE));
    if (index == BoxCustom) {
        int y = box.top;
        dc->FillSolidRect(box.left + 2 * m_margin, y, box.Width() - 4 * m_margin, 1, GetSysColor(COLOR_BTNSHADOW));
        dc->FillSolidRect(box.left + 2 * m_margin, y + 1, box.Width() - 4 * m_margin, 1,
                          GetSysColor(COLOR_BTNHIGHLIGHT));
        box.top += 2 * m_margin;
    }
    CRect inner = box;
    inner.DeflateRect(1, 1);
    dc->FillSolidRect(&inner, GetSysColor(chosen && !hot ? COLOR_3DLIGHT : COLOR_BTNFACE));
    if (index == BoxDefault) {
        CRect frame = box;
        frame.DeflateRect(2 * m_margin, 2 * m_margin);
        CBrush shadow(GetSysColor(COLOR_BTNSHADOW));
        dc->FrameRect(&frame, &shadow);
    }
    if (hot)
        dc->DrawEdge(&box, BDR_RAISEDINNER, BF_RECT);
    else if (chosen)
        dc->DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
    HGDIOBJ oldFont = dc->SelectObject(m_font.GetSafeHandle() ? (HGDIOBJ)m_font : GetStockObject(DEFAULT_GUI_FONT));
    int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->DrawText(index == BoxDefault ? m_defaultText : m_customText, &box,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldFont);
}

void CColourPopup::InvalidateBox(int index)
{
    CRect box = BoxRect(index);
    if (!box.IsRectEmpty())
        InvalidateRect(&box, FALSE);
}

void CColourPopup::ChangeHot(int index)
{
    if (index >= ColourCount)
        index = BoxCustom;
    if (index == m_hotIndex)
        return;
    int old = m_hotIndex;
    m_hotIndex = index;
    InvalidateBox(old);
    InvalidateBox(index);
    COLORREF reported = m_initialColour;
    if (index == BoxDefault)
        reported = m_chosenColour = PopupColorAutomatic;
    else if (index >= 0)
        reported = m_chosenColour = ColourTable[index].colour;
    if (m_owner && index != BoxNone)
        ::SendMessageW(m_owner, WMU_COLOR_SELCHANGE, reported, 0);
}

LRESULT CColourPopup::OnMouseMove(LPARAM lParam)
{
    if (::GetCapture() != m_hWnd && !m_dialogOpen && !m_ended)
        SetCapture();
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    int box = HitBox(point);
    if (box != BoxNone)
        ChangeHot(box);
    return 0;
}

LRESULT CColourPopup::OnLButtonUp(LPARAM lParam)
{
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        EndCancel();
        return 0;
    }
    int box = HitBox(point);
    if (box != BoxNone)
        ChangeHot(box);
    EndOk();
    return 0;
}

LRESULT CColourPopup::OnKeyDown(WPARAM wParam)
{
    bool hasDefault = !m_defaultText.IsEmpty(), hasCustom = !m_customText.IsEmpty();
    switch (wParam) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        // With no hot box the keys start from the chosen box, else box 0.
        int from = m_hotIndex != BoxNone ? m_hotIndex : m_chosenIndex != BoxNone ? m_chosenIndex : 0;
        ChangeHot(NextBox(from, (UINT)wParam, hasDefault, hasCustom));
        return 0;
    }
    case VK_RETURN:
    case VK_SPACE:
        EndOk();
        return 0;
    case VK_ESCAPE:
        EndCancel();
        return 0;
    }
    return Default();
}

LRESULT CColourPopup::OnActivateApp(WPARAM wParam)
{
    if (!wParam && !m_ended) {
        if (m_dialogOpen) {
            // The dialog's own end follows; only the cancel is reported now.
            if (m_owner)
                ::SendMessageW(m_owner, WMU_COLOR_SELENDCANCEL, m_initialColour, 0);
        } else {
            EndCancel();
        }
    }
    return Default();
}

void CColourPopup::EndOk()
{
    if (m_ended)
        return;
    ReleaseCapture();
    if (m_hotIndex == BoxCustom) {
        m_dialogOpen = true;
        CColorDialog dialog(m_initialColour, CC_FULLOPEN | CC_ANYCOLOR, this);
        INT_PTR answer = RunColourDialog(dialog);
        m_dialogOpen = false;
        if (answer != IDOK) {
            EndCancel();
            return;
        }
        m_chosenColour = dialog.GetColor();
    }
    m_ended = true;
    if (m_owner)
        ::SendMessageW(m_owner, WMU_COLOR_SELENDOK, m_chosenColour, 0);
    DestroyWindow();
}

void CColourPopup::EndCancel()
{
    if (m_ended)
        return;
    m_ended = true;
    ReleaseCapture();
    m_chosenColour = m_initialColour;
    if (m_owner)
        ::SendMessageW(m_owner, WMU_COLOR_SELENDCANCEL, m_initialColour, 0);
    DestroyWindow();
}
