// GDI object wrappers: CGdiObject and CPen, CBrush, CFont, CBitmap,
// CPalette, CRgn.
//
// A wrapper that made its object (Create..., Load...) deletes it with the
// wrapper; an attached or stock object is never deleted by the destructor
// (DeleteObject, called explicitly, deletes whatever is held).
//
// Every GDI object, device context and image list that the framework's
// wrappers make or obtain is counted until it is released; tests compare
// AfxGetGdiResourceCount before and after (the system's own count of GDI
// objects is not available everywhere).
#pragma once

#include <windows.h>
#include "Object.h"
#include "Geometry.h"

LONG AfxGetGdiResourceCount();
// For the wrappers: one resource made (+1) or released (-1).
void AfxCountGdiResource(LONG delta);

class CDC;
class CBitmap;

class CGdiObject : public CObject
{
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() {}
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;
    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // Binds an object this wrapper will not delete.
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    BOOL CreateStockObject(int nIndex);

    int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectW(m_hObject, nCount, lpObject); }
    UINT GetObjectType() const { return m_hObject ? ::GetObjectType(m_hObject) : 0; }

protected:
    // Takes an object this wrapper made; FALSE (and nothing held) for NULL.
    BOOL TakeCreated(HGDIOBJ hObject);

private:
    bool m_bOwned = false;
};

class CPen : public CGdiObject
{
    DECLARE_DYNAMIC(CPen)
public:
    CPen() {}
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    operator HPEN() const { return (HPEN)m_hObject; }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePenIndirect(const LOGPEN* lpLogPen);
};

class CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() {}
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    operator HBRUSH() const { return (HBRUSH)m_hObject; }
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
    BOOL CreatePatternBrush(const CBitmap* pBitmap);
    // The system's brush for a colour index (not deleted by anyone).
    BOOL CreateSysColorBrush(int nIndex);
};

class CFont : public CGdiObject
{
    DECLARE_DYNAMIC(CFont)
public:
    operator HFONT() const { return (HFONT)m_hObject; }
    BOOL CreateFontIndirect(const LOGFONTW* lpLogFont);
    // A font of nPointSize tenths of a point, for pDC (NULL: the screen).
    BOOL CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC = nullptr);
    BOOL GetLogFont(LOGFONTW* pLogFont) const { return GetObject(sizeof(LOGFONTW), pLogFont) != 0; }
};

class CBitmap : public CGdiObject
{
    DECLARE_DYNAMIC(CBitmap)
public:
    operator HBITMAP() const { return (HBITMAP)m_hObject; }
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    // Compatible with pDC (NULL: the screen). Never pass a memory DC that
    // holds no bitmap yet: its bitmap is monochrome.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    // A 32-bit top-down DIB section; *ppBits (optional) gets its pixels.
    BOOL CreateDIB32(int nWidth, int nHeight, void** ppBits = nullptr);
    // From the application's resource module (AfxGetResourceHandle).
    BOOL LoadBitmap(UINT nIDResource);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    CSize GetSize() const;
};

class CPalette : public CGdiObject
{
    DECLARE_DYNAMIC(CPalette)
public:
    operator HPALETTE() const { return (HPALETTE)m_hObject; }
    BOOL CreatePalette(const LOGPALETTE* lpLogPalette);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
    { return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors); }
};

class CRgn : public CGdiObject
{
    DECLARE_DYNAMIC(CRgn)
public:
    operator HRGN() const { return (HRGN)m_hObject; }
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
    // Combines the two regions into this one (which must exist).
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
    { return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->m_hObject, (HRGN)pRgn2->m_hObject, nCombineMode); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
    int GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox((HRGN)m_hObject, lpRect); }
};
