// CImageList.
#include "ImageList.h"
#include "Dc.h"
#include "Gdi.h"
#include "WinApp.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

CImageList::~CImageList()
{
    if (m_bOwned)
        DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (m_hImageList)
        return FALSE;
    m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    if (!m_hImageList)
        return FALSE;
    m_bOwned = true;
    AfxCountGdiResource(1);
    return TRUE;
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    if (m_hImageList)
        return FALSE;
    m_hImageList = ImageList_LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nBitmapID), cx, nGrow, crMask,
                                        IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (!m_hImageList)
        return FALSE;
    m_bOwned = true;
    AfxCountGdiResource(1);
    return TRUE;
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (m_hImageList || !hImageList)
        return FALSE;
    m_hImageList = hImageList;
    m_bOwned = false;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    if (h && m_bOwned)
        AfxCountGdiResource(-1);
    m_hImageList = nullptr;
    m_bOwned = false;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    BOOL ok = ImageList_Destroy(m_hImageList);
    if (ok && m_bOwned)
        AfxCountGdiResource(-1);
    m_hImageList = nullptr;
    m_bOwned = false;
    return ok;
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (!pbmImage)
        return -1;
    return ImageList_Add(m_hImageList, (HBITMAP)*pbmImage, pbmMask ? (HBITMAP)*pbmMask : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (!pbmImage)
        return -1;
    return ImageList_AddMasked(m_hImageList, (HBITMAP)*pbmImage, crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (!pbmImage)
        return FALSE;
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)*pbmImage, pbmMask ? (HBITMAP)*pbmMask : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (!pDC)
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}
