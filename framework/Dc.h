// Device contexts: CDC and CPaintDC, CClientDC, CWindowDC, CMemoryDC.
//
// A CDC made by CreateCompatibleDC is deleted with the object, the DCs of
// the derived classes are released with theirs; an attached DC is left
// alone. Before a DC of ours goes, the objects that the first SelectObject
// of each kind (pen, brush, font, bitmap) displaced are selected back, so
// the wrappers of the selected objects can delete them in any order.
// SelectObject returns the object it displaced.
#pragma once

#include <windows.h>
#include "Object.h"
#include "Geometry.h"
#include "Gdi.h"
#include "Strings.h"

class CWnd;

class CDC : public CObject
{
    DECLARE_DYNAMIC(CDC)
public:
    CDC() {}
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    // Set by whoever prints through this DC (a printer or a page metafile):
    // drawing code then skips what only the screen needs.
    BOOL m_bPrinting = FALSE;
    BOOL IsPrinting() const { return m_bPrinting; }

    BOOL Attach(HDC hDC);
    HDC Detach();
    // A memory DC compatible with pDC (NULL: the screen).
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    HPEN SelectObject(CPen* pPen) { return (HPEN)Select(pPen ? pPen->m_hObject : nullptr); }
    HBRUSH SelectObject(CBrush* pBrush) { return (HBRUSH)Select(pBrush ? pBrush->m_hObject : nullptr); }
    HFONT SelectObject(CFont* pFont) { return (HFONT)Select(pFont ? pFont->m_hObject : nullptr); }
    HBITMAP SelectObject(CBitmap* pBitmap) { return (HBITMAP)Select(pBitmap ? pBitmap->m_hObject : nullptr); }
    // Selects the region as the clipping region; returns the region type.
    int SelectObject(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, pRgn ? (HRGN)pRgn->m_hObject : nullptr); }
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return Select(hObject); }
    HGDIOBJ SelectStockObject(int nIndex) { return Select(::GetStockObject(nIndex)); }
    HPALETTE SelectPalette(CPalette* pPalette, BOOL bForceBackground)
    { return ::SelectPalette(m_hDC, pPalette ? (HPALETTE)pPalette->m_hObject : nullptr, bForceBackground); }
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }
    HFONT GetCurrentFont() const { return (HFONT)::GetCurrentObject(m_hDC, OBJ_FONT); }

    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }

    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }

    int SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
    int GetMapMode() const { return ::GetMapMode(m_hDC); }
    CPoint SetWindowOrg(int x, int y) { POINT p = {}; ::SetWindowOrgEx(m_hDC, x, y, &p); return p; }
    CPoint GetWindowOrg() const { POINT p = {}; ::GetWindowOrgEx(m_hDC, &p); return p; }
    CPoint SetViewportOrg(int x, int y) { POINT p = {}; ::SetViewportOrgEx(m_hDC, x, y, &p); return p; }
    CPoint GetViewportOrg() const { POINT p = {}; ::GetViewportOrgEx(m_hDC, &p); return p; }
    CSize SetWindowExt(int cx, int cy) { SIZE s = {}; ::SetWindowExtEx(m_hDC, cx, cy, &s); return s; }
    CSize GetWindowExt() const { SIZE s = {}; ::GetWindowExtEx(m_hDC, &s); return s; }
    CSize SetViewportExt(int cx, int cy) { SIZE s = {}; ::SetViewportExtEx(m_hDC, cx, cy, &s); return s; }
    CSize GetViewportExt() const { SIZE s = {}; ::GetViewportExtEx(m_hDC, &s); return s; }

    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
    int IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
    int IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
    int ExcludeClipRect(LPCRECT r) { return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }

    BOOL TextOut(int x, int y, LPCWSTR lpszString, int nCount) { return ::TextOutW(m_hDC, x, y, lpszString, nCount); }
    BOOL TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCWSTR lpszString, UINT nCount,
                    const INT* lpDxWidths = nullptr)
    { return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths); }
    int DrawText(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
    { return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat); }
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) { return DrawText(str, str.GetLength(), lpRect, nFormat); }
    CSize GetTextExtent(LPCWSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
    BOOL GetTextMetrics(LPTEXTMETRICW lpMetrics) const { return ::GetTextMetricsW(m_hDC, lpMetrics); }

    void FillRect(LPCRECT lpRect, HBRUSH hBrush) { ::FillRect(m_hDC, lpRect, hBrush); }
    void FillRect(LPCRECT lpRect, CBrush* pBrush) { FillRect(lpRect, pBrush ? (HBRUSH)*pBrush : nullptr); }
    void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor) { CRect r(x, y, x + cx, y + cy); FillSolidRect(&r, crColor); }
    void FrameRect(LPCRECT lpRect, HBRUSH hBrush) { ::FrameRect(m_hDC, lpRect, hBrush); }
    void FrameRect(LPCRECT lpRect, CBrush* pBrush) { FrameRect(lpRect, pBrush ? (HBRUSH)*pBrush : nullptr); }
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) { return ::DrawFrameControl(m_hDC, lpRect, nType, nState); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    BOOL DrawIconEx(int x, int y, HICON hIcon, int cx, int cy, UINT diFlags = DI_NORMAL)
    { return ::DrawIconEx(m_hDC, x, y, hIcon, cx, cy, 0, nullptr, diFlags); }

    CPoint MoveTo(int x, int y) { POINT p = {}; ::MoveToEx(m_hDC, x, y, &p); return p; }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    BOOL Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
    BOOL Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }

    BOOL BitBlt(int x, int y, int nWidth, int nHeight, const CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
    { return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop); }
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, const CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop)
    {
        return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                            nSrcHeight, dwRop);
    }
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }
    BOOL GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode)
    { return ::GdiGradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode); }
    BOOL AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, const CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
    {
        return ::GdiAlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc, nSrcWidth,
                               nSrcHeight, blend);
    }
    BOOL TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, const CDC* pSrcDC, int xSrc,
                        int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent)
    {
        return ::GdiTransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc,
                                   nSrcWidth, nSrcHeight, clrTransparent);
    }

protected:
    enum Kind { kNone, kCreated, kObtained }; // created: DeleteDC; obtained: released by the derived class
    // Takes a DC this object made or obtained; counted until released.
    BOOL TakeDC(HDC hDC, Kind kind);
    // Selects back what the first selections displaced.
    void RestoreOriginals();
    // Forgets the DC after the derived class released it.
    void ForgetDC();

private:
    HGDIOBJ Select(HGDIOBJ hObject);

    Kind m_kind = kNone;
    HGDIOBJ m_original[4] = {}; // pen, brush, font, bitmap
};

class CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps = {};

private:
    HWND m_hWnd;
};

class CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    // pWnd NULL: the screen.
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

class CWindowDC : public CDC
{
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};

// A memory DC with a bitmap of cx x cy pixels compatible with pRefDC (NULL:
// the screen) selected into it; both go with the object.
class CMemoryDC : public CDC
{
    DECLARE_DYNAMIC(CMemoryDC)
public:
    CMemoryDC(CDC* pRefDC, int cx, int cy);
    ~CMemoryDC() override;
    CBitmap& GetBitmap() { return m_bitmap; }

private:
    CBitmap m_bitmap;
};
