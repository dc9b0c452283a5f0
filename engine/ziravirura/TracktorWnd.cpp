#include "TracktorWnd.h"

IMPLEMENT_DYNAMIC(CTracktorWnd, CWnd)

void BuildBandPixels(DWORD* bits, int width, int height, COLORREF color, int opacity)
{
    if (!bits || width <= 0 || height <= 0)
        return;
    opacity = opacity < 0 ? 0 : (opacity > 255 ? 255 : opacity);
    DWORD r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    DWORD border = 0xFF000000 | (r << 16) | (g << 8) | b;
    DWORD inner = ((DWORD)opacity << 24) | ((r * opacity / 255) << 16) | ((g * opacity / 255) << 8) |
                  (b * opacity / 255);
    for (int y = 0; y < height; ++y) {
        DWORD* line = bits + (size_t)y * width;
        bool edgeRow = y == 0 || y == height - 1;
        for (int x = 0; x < width; ++x)
            line[x] = edgeRow || x == 0 || x == width - 1 ? border : inner;
    }
}

BOOL CTracktorWnd::CreateBand(POINT point)
{
    CString windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    return CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, windowClass, L"",
                    WS_POPUP, point.x, point.y, 110, 110, nullptr, nullptr);
}

void CTracktorWnd::ShowBand(const RECT& screen)
{
    if (!m_hWnd)
        return;
    m_screen = screen;
    if (!UpdateLayered()) {
        // No per-pixel picture: a plain window painted in WM_PAINT.
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, screen.left, screen.top, screen.right - screen.left,
                       screen.bottom - screen.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        return;
    }
    if (!::IsWindowVisible(m_hWnd))
        ::ShowWindow(m_hWnd, SW_SHOWNA);
}

bool CTracktorWnd::UpdateLayered()
{
    SIZE size = {m_screen.right - m_screen.left, m_screen.bottom - m_screen.top};
    if (size.cx <= 0 || size.cy <= 0)
        return true; // nothing to show yet
    if (!m_picture.GetSafeHandle() || size.cx != m_pictureSize.cx || size.cy != m_pictureSize.cy) {
        m_picture.DeleteObject();
        void* bits = nullptr;
        if (!m_picture.CreateDIB32(size.cx, size.cy, &bits) || !bits)
            return false;
        BuildBandPixels(static_cast<DWORD*>(bits), size.cx, size.cy, m_fill, m_opacity);
        m_pictureSize = size;
    }
    CDC memory;
    if (!memory.CreateCompatibleDC(nullptr))
        return false;
    memory.SelectObject(&m_picture);
    POINT source = {}, place = {m_screen.left, m_screen.top};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    HDC screen = ::GetDC(nullptr);
    BOOL done = ::UpdateLayeredWindow(m_hWnd, screen, &place, &size, memory, &source, 0, &blend, ULW_ALPHA);
    ::ReleaseDC(nullptr, screen);
    return done != FALSE;
}

LRESULT CTracktorWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CTracktorWnd::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    if (m_pictureSize.cx == 0) {
        // The fallback: a frame of two pixels inside the rectangle, filled.
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        HPEN pen = ::CreatePen(PS_INSIDEFRAME, 2, m_frame);
        HBRUSH brush = ::CreateSolidBrush(m_fill);
        HGDIOBJ oldPen = ::SelectObject(dc, pen), oldBrush = ::SelectObject(dc, brush);
        ::Rectangle(dc, client.left, client.top, client.right, client.bottom);
        ::SelectObject(dc, oldPen);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(pen);
        ::DeleteObject(brush);
    }
    ::EndPaint(m_hWnd, &paint);
}
