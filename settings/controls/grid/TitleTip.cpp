// CTitleTip.
#include "TitleTip.h"
#include "ThisModule.h"

IMPLEMENT_DYNAMIC(CTitleTip, CWnd)

namespace {

const WCHAR kTitleTipClass[] = L"ZTitleTip";

} // namespace

CTitleTip::CTitleTip() : m_doubleClickTime(::GetDoubleClickTime())
{
}

CTitleTip::~CTitleTip()
{
    // The popup has no parent to take it along: it goes with its object.
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CTitleTip::Create(CWnd* pParentWnd)
{
    if (pParentWnd)
        m_parent = pParentWnd;
    if (m_created && ::IsWindow(m_hWnd))
        return TRUE;
    HINSTANCE hInst = ThisModule();
    WNDCLASSW wc = {};
    if (!::GetClassInfoW(hInst, kTitleTipClass, &wc)) {
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_INFOBK + 1);
        wc.lpszClassName = kTitleTipClass;
        if (!::RegisterClassW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            AfxThrowResourceException();
    }
    m_created = CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTitleTipClass, nullptr, WS_POPUP | WS_BORDER,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
    return m_created;
}

void CTitleTip::SelectTextFont(CDC& dc, CFont& font)
{
    if (m_hasFont && font.CreateFontIndirect(&m_font))
        dc.SelectObject(&font);
    else if (HFONT parentFont = m_parent ? m_parent->GetFont() : nullptr)
        dc.SelectObject((HGDIOBJ)parentFont);
}

void CTitleTip::Show(const CRect& rectTitle, LPCWSTR pszText, const CRect* pHoverRect, const LOGFONTW* pFont,
                     COLORREF crText, COLORREF crBack)
{
    if (!m_parent || !::IsWindow(m_parent->m_hWnd))
        return;
    if (!::IsWindow(m_hWnd) && !Create(m_parent))
        return;
    CRect hover = pHoverRect ? *pHoverRect : rectTitle;
    if (hover.IsRectEmpty() || IsWindowVisible() || !::GetFocus())
        return;
    m_hoverRect = hover;
    m_hoverRect.right++;
    m_hoverRect.bottom++;
    m_parent->ClientToScreen(&m_hoverRect);

    m_text = L" ";
    m_text += pszText ? pszText : L"";
    m_text += L" ";
    m_hasFont = pFont != nullptr;
    if (pFont)
        m_font = *pFont;
    CSize size;
    {
        CClientDC dc(this);
        CFont font;
        SelectTextFont(dc, font);
        size = dc.GetTextExtent(m_text);
        TEXTMETRICW tm = {};
        dc.GetTextMetrics(&tm);
        size.cx += tm.tmOverhang;
    }
    CRect title = rectTitle;
    m_parent->ClientToScreen(&title);
    if (size.cx <= title.Width())
        return; // the text fits: no tip
    m_textColour = crText;
    m_background = crBack;
    SetWindowPos(HWND_TOPMOST, title.left, title.top, size.cx, title.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SetCapture();
}

void CTitleTip::Hide()
{
    if (!::IsWindow(m_hWnd))
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

LRESULT CTitleTip::OnPaint()
{
    CPaintDC dc(this);
    if (m_background != CLR_DEFAULT) {
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, m_background);
    }
    if (m_textColour != CLR_DEFAULT)
        dc.SetTextColor(m_textColour);
    dc.SetBkMode(TRANSPARENT);
    CFont font;
    SelectTextFont(dc, font);
    dc.TextOut(0, 0, m_text);
    return 0;
}

void CTitleTip::PassOn(UINT message, WPARAM wParam, POINT screen)
{
    HWND target = ::WindowFromPoint(screen);
    if (!target || target == m_hWnd)
        target = m_parent ? m_parent->m_hWnd : nullptr;
    if (!target)
        return;
    LRESULT hit = ::SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit == HTCLIENT) {
        POINT client = screen;
        ::ScreenToClient(target, &client);
        ::PostMessageW(target, message, wParam, MAKELPARAM(client.x, client.y));
    } else {
        // The non-client message of each mouse message lies at the same
        // distance from WM_NCMOUSEMOVE.
        ::PostMessageW(target, message - WM_MOUSEMOVE + WM_NCMOUSEMOVE, (WPARAM)hit, MAKELPARAM(screen.x, screen.y));
    }
}

LRESULT CTitleTip::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    CPoint screen(lParam);
    ClientToScreen(&screen);
    if (!m_hoverRect.PtInRect(screen)) {
        Hide();
        PassOn(WM_MOUSEMOVE, wParam, screen);
    }
    return 0;
}

LRESULT CTitleTip::OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam)
{
    CPoint screen(lParam);
    ClientToScreen(&screen);
    Hide();
    if (message == WM_LBUTTONDOWN) {
        DWORD now = ::GetTickCount();
        if (m_lastClickTick != (DWORD)-1 && now - m_lastClickTick < m_doubleClickTime)
            message = WM_LBUTTONDBLCLK;
        m_lastClickTick = now;
    }
    PassOn(message, wParam, screen);
    return 0;
}

LRESULT CTitleTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        return OnPaint();
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return OnButtonDown(message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_parent)
            m_parent->PostMessage(message, wParam, lParam);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CTitleTip::PreTranslateMessage(MSG* pMsg)
{
    // With no window of the thread focused the tip has nothing to stand for.
    if (!::GetFocus())
        Hide();
    return CWnd::PreTranslateMessage(pMsg);
}
