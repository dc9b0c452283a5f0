// CPreviewFiles: the picture, its layout and the four mark styles.
#include "PreviewFiles.h"
#include <algorithm>
#include "AlphaMask.h"

namespace {

// The layout numbers of a file name: the value after the last "-" and the
// value after the "-" before it (0 when there is none).
bool ParseLayout(LPCWSTR lpszPath, int& nTop, int& nHeight)
{
    CString name(lpszPath);
    int slash = std::max(name.ReverseFind(L'\\'), name.ReverseFind(L'/'));
    name = name.Mid(slash + 1);
    int last = name.ReverseFind(L'-');
    if (last < 0)
        return false;
    nHeight = _wtoi(name.Mid(last + 1));
    int before = name.Left(last).ReverseFind(L'-');
    nTop = before >= 0 ? _wtoi(name.Mid(before + 1)) : 0;
    return true;
}

} // namespace

CPreviewFiles::~CPreviewFiles()
{
    if (m_hPicture)
        ::DeleteObject(m_hPicture);
}

void CPreviewFiles::TakePicture(HBITMAP hBitmap)
{
    if (m_hWnd)
        SetBitmap(hBitmap);
    if (m_hPicture && m_hPicture != hBitmap)
        ::DeleteObject(m_hPicture);
    m_hPicture = hBitmap;
    m_bSampleBackground = hBitmap != nullptr;
    if (m_hWnd)
        Invalidate();
}

BOOL CPreviewFiles::SetBackgroundFile(LPCWSTR lpszPath)
{
    HBITMAP picture = lpszPath && *lpszPath
                          ? (HBITMAP)::LoadImageW(nullptr, lpszPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)
                          : nullptr;
    int top = 0, height = 0;
    if (picture && ParseLayout(lpszPath, top, height)) {
        m_nRowHeight = height > 0 ? height : DefaultRowHeight;
        m_nFirstTop = top > 0 ? top : DefaultFirstTop;
    }
    TakePicture(picture);
    return picture != nullptr;
}

BOOL CPreviewFiles::SetBackgroundBitmap(HBITMAP hBitmap)
{
    m_nRowHeight = DefaultRowHeight;
    m_nFirstTop = DefaultFirstTop;
    TakePicture(hBitmap);
    return hBitmap != nullptr;
}

void CPreviewFiles::SetMark(int nMark, const CPreviewMark& mark)
{
    if (nMark >= 0 && nMark < MarkCount)
        m_marks[nMark] = mark;
}

CRect CPreviewFiles::MarkRow(int nMark, const CRect& client) const
{
    static const int rowsDown[MarkCount] = {0, 2, 3};
    int top = m_nFirstTop + rowsDown[nMark] * m_nRowHeight;
    return CRect(client.left + 5, top, client.right, top + m_nRowHeight);
}

// The background colour is read from the picture itself, inside it even
// when the picture is narrower than the control.
void CPreviewFiles::SampleTransparentColour(const CRect& client)
{
    BITMAP bm = {};
    if (!m_bSampleBackground || !m_hPicture || !::GetObjectW(m_hPicture, sizeof(bm), &bm) || bm.bmWidth <= 0)
        return;
    int x = std::min((int)client.right, (int)bm.bmWidth) - 1;
    int y = std::min(m_nFirstTop + 1, (int)bm.bmHeight - 1);
    CDC memory;
    if (x < 0 || y < 0 || !memory.CreateCompatibleDC(nullptr))
        return;
    HGDIOBJ old = ::SelectObject(memory, m_hPicture);
    COLORREF pixel = memory.GetPixel(x, y);
    ::SelectObject(memory, old);
    if (pixel != CLR_INVALID)
        m_crTransparent = pixel;
}

void CPreviewFiles::DrawMarks(CDC* pDC, const CRect& client)
{
    SampleTransparentColour(client);
    for (int i = 0; i < MarkCount; ++i) {
        if (m_marks[i].nEnabled)
            DrawMark(pDC, MarkRow(i, client), m_marks[i]);
    }
}

void CPreviewFiles::DrawMark(CDC* pDC, const CRect& row, const CPreviewMark& mark)
{
    int width = row.Width(), height = row.Height();
    if (width <= 0 || height <= 0)
        return;
    switch (mark.nStyle) {
    case 0: {
        // Fade over the row, then the picture's content back on top of it.
        CMemoryDC saved(pDC, width, height);
        saved.BitBlt(0, 0, width, height, pDC, row.left, row.top, SRCCOPY);
        AlphaMask fade(FadeAlpha);
        if (fade.Build(pDC, &row, mark.crColour, mark.nFill, 0))
            fade.Draw(pDC, row.TopLeft());
        pDC->TransparentBlt(row.left, row.top, width, height, &saved, 0, 0, width, height, m_crTransparent);
        break;
    }
    case 1: {
        CBrush brush(mark.crColour);
        pDC->FrameRect(&row, &brush);
        break;
    }
    case 2: {
        // The mark colour wherever the picture shows its background.
        CMemoryDC filled(pDC, width, height);
        filled.FillSolidRect(0, 0, width, height, mark.crColour);
        filled.TransparentBlt(0, 0, width, height, pDC, row.left, row.top, width, height, m_crTransparent);
        pDC->BitBlt(row.left, row.top, width, height, &filled, 0, 0, SRCCOPY);
        break;
    }
    case 3: {
        CPen pen(PS_SOLID, 1, mark.crColour);
        HPEN old = pDC->SelectObject(&pen);
        pDC->MoveTo(row.left, row.bottom - 1);
        pDC->LineTo(row.right, row.bottom - 1);
        pDC->SelectObject(old);
        break;
    }
    default:
        break;
    }
}

LRESULT CPreviewFiles::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        // Only what the picture repainted: a fade drawn twice would darken.
        CRgn update;
        update.CreateRectRgn(0, 0, 0, 0);
        ::GetUpdateRgn(m_hWnd, update, FALSE);
        LRESULT result = CStatic::WindowProc(message, wParam, lParam);
        CClientDC dc(this);
        dc.SelectObject(&update);
        CRect client;
        GetClientRect(&client);
        DrawMarks(&dc, client);
        return result;
    }
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
