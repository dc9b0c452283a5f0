// GDI object wrappers.
#include "Gdi.h"
#include "Dc.h"
#include "WinApp.h"

namespace {

volatile LONG g_gdiResources = 0; // see AfxGetGdiResourceCount

} // namespace

LONG AfxGetGdiResourceCount()
{
    return InterlockedCompareExchange(&g_gdiResources, 0, 0);
}

void AfxCountGdiResource(LONG delta)
{
    InterlockedExchangeAdd(&g_gdiResources, delta);
}

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

CGdiObject::~CGdiObject()
{
    if (m_bOwned)
        DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (m_hObject || !hObject)
        return FALSE;
    m_hObject = hObject;
    m_bOwned = false;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    // A detached object of ours is the caller's now: no longer counted.
    if (h && m_bOwned)
        AfxCountGdiResource(-1);
    m_hObject = nullptr;
    m_bOwned = false;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    BOOL ok = ::DeleteObject(m_hObject);
    if (ok && m_bOwned)
        AfxCountGdiResource(-1);
    m_hObject = nullptr;
    m_bOwned = false;
    return ok;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::TakeCreated(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    if (m_hObject) {
        // Never lose an object: refuse to create over one held.
        ::DeleteObject(hObject);
        return FALSE;
    }
    m_hObject = hObject;
    m_bOwned = true;
    AfxCountGdiResource(1);
    return TRUE;
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return !m_hObject && TakeCreated(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen)
{
    return !m_hObject && lpLogPen && TakeCreated(::CreatePenIndirect(lpLogPen));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return !m_hObject && TakeCreated(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return !m_hObject && TakeCreated(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreatePatternBrush(const CBitmap* pBitmap)
{
    return !m_hObject && pBitmap && TakeCreated(::CreatePatternBrush((HBITMAP)pBitmap->m_hObject));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return Attach(::GetSysColorBrush(nIndex));
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* lpLogFont)
{
    return !m_hObject && lpLogFont && TakeCreated(::CreateFontIndirectW(lpLogFont));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC)
{
    if (m_hObject)
        return FALSE;
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    if (lpszFaceName)
        lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    HDC hdc = pDC ? pDC->m_hDC : ::GetDC(nullptr);
    // Tenths of a point to logical units, as the device maps them.
    POINT pt = { 0, ::MulDiv(::GetDeviceCaps(hdc, LOGPIXELSY), nPointSize, 720) };
    ::DPtoLP(hdc, &pt, 1);
    POINT origin = { 0, 0 };
    ::DPtoLP(hdc, &origin, 1);
    lf.lfHeight = -abs(pt.y - origin.y);
    if (!pDC)
        ::ReleaseDC(nullptr, hdc);
    return TakeCreated(::CreateFontIndirectW(&lf));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return !m_hObject && TakeCreated(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (m_hObject)
        return FALSE;
    HDC hdc = pDC ? pDC->m_hDC : ::GetDC(nullptr);
    HBITMAP h = ::CreateCompatibleBitmap(hdc, nWidth, nHeight);
    if (!pDC)
        ::ReleaseDC(nullptr, hdc);
    return TakeCreated(h);
}

BOOL CBitmap::CreateDIB32(int nWidth, int nHeight, void** ppBits)
{
    if (m_hObject || nWidth <= 0 || nHeight <= 0)
        return FALSE;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = nWidth;
    bi.bmiHeader.biHeight = -nHeight; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    if (!TakeCreated(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0)))
        return FALSE;
    if (ppBits)
        *ppBits = bits;
    return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return !m_hObject && TakeCreated(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource)));
}

CSize CBitmap::GetSize() const
{
    BITMAP bm = {};
    if (!m_hObject || !GetBitmap(&bm))
        return CSize();
    return CSize(bm.bmWidth, bm.bmHeight);
}

BOOL CPalette::CreatePalette(const LOGPALETTE* lpLogPalette)
{
    return !m_hObject && lpLogPalette && TakeCreated(::CreatePalette(lpLogPalette));
}

int CPalette::GetEntryCount() const
{
    WORD n = 0;
    if (!m_hObject || !::GetObjectW(m_hObject, sizeof(n), &n))
        return 0;
    return n;
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return !m_hObject && TakeCreated(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return !m_hObject && lpRect && TakeCreated(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return !m_hObject && TakeCreated(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}
