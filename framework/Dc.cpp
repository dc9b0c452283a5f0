// Device contexts.
#include "Dc.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CMemoryDC, CDC)

CDC::~CDC()
{
    if (m_kind == kCreated)
        DeleteDC();
}

BOOL CDC::Attach(HDC hDC)
{
    if (m_hDC || !hDC)
        return FALSE;
    m_hDC = hDC;
    m_kind = kNone;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (h && m_kind != kNone)
        AfxCountGdiResource(-1); // the caller's now
    m_hDC = nullptr;
    m_kind = kNone;
    for (HGDIOBJ& o : m_original)
        o = nullptr;
    return h;
}

BOOL CDC::TakeDC(HDC hDC, Kind kind)
{
    if (!hDC || m_hDC)
        return FALSE;
    m_hDC = hDC;
    m_kind = kind;
    AfxCountGdiResource(1);
    return TRUE;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC)
        return FALSE;
    return TakeDC(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr), kCreated);
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC || m_kind != kCreated)
        return FALSE;
    RestoreOriginals();
    BOOL ok = ::DeleteDC(m_hDC);
    ForgetDC();
    return ok;
}

void CDC::ForgetDC()
{
    if (m_hDC && m_kind != kNone)
        AfxCountGdiResource(-1);
    m_hDC = nullptr;
    m_kind = kNone;
}

HGDIOBJ CDC::Select(HGDIOBJ hObject)
{
    if (!m_hDC || !hObject)
        return nullptr;
    HGDIOBJ old = ::SelectObject(m_hDC, hObject);
    if (m_kind == kNone || !old || old == HGDI_ERROR)
        return old;
    int slot = -1;
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        slot = 0;
        break;
    case OBJ_BRUSH:
        slot = 1;
        break;
    case OBJ_FONT:
        slot = 2;
        break;
    case OBJ_BITMAP:
        slot = 3;
        break;
    }
    if (slot >= 0 && !m_original[slot])
        m_original[slot] = old;
    return old;
}

void CDC::RestoreOriginals()
{
    for (HGDIOBJ& o : m_original) {
        if (o && m_hDC)
            ::SelectObject(m_hDC, o);
        o = nullptr;
    }
}

CSize CDC::GetTextExtent(LPCWSTR lpszString, int nCount) const
{
    SIZE s = {};
    if (lpszString && nCount > 0)
        ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &s);
    return s;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    // ExtTextOut with an opaque rectangle fills without making a brush.
    COLORREF old = ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    int x = lpRect->left, y = lpRect->top;
    int cx = lpRect->right - x, cy = lpRect->bottom - y;
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    if (m_hWnd)
        TakeDC(::BeginPaint(m_hWnd, &m_ps), kObtained);
}

CPaintDC::~CPaintDC()
{
    if (!m_hDC)
        return;
    RestoreOriginals();
    ::EndPaint(m_hWnd, &m_ps);
    ForgetDC();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    TakeDC(::GetDC(m_hWnd), kObtained);
}

CClientDC::~CClientDC()
{
    if (!m_hDC)
        return;
    RestoreOriginals();
    ::ReleaseDC(m_hWnd, m_hDC);
    ForgetDC();
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    TakeDC(::GetWindowDC(m_hWnd), kObtained);
}

CWindowDC::~CWindowDC()
{
    if (!m_hDC)
        return;
    RestoreOriginals();
    ::ReleaseDC(m_hWnd, m_hDC);
    ForgetDC();
}

CMemoryDC::CMemoryDC(CDC* pRefDC, int cx, int cy)
{
    if (!CreateCompatibleDC(pRefDC))
        return;
    // The bitmap follows the reference DC, not the new one (whose bitmap is
    // monochrome until another is selected).
    if (m_bitmap.CreateCompatibleBitmap(pRefDC, cx > 0 ? cx : 1, cy > 0 ? cy : 1))
        SelectObject(&m_bitmap);
}

CMemoryDC::~CMemoryDC()
{
    DeleteDC(); // selects the original bitmap back first; m_bitmap then goes
}
