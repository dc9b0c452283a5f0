// CPreviewFiles: a picture of a file list with up to three file-mark samples
// painted over it, as the engine will draw the marks in the host's lists.
// The picture's background colour (sampled from the picture) is where the
// fade and fill styles show; the picture's own content stays on top.
//
// The picture's file name carries the layout of its rows: "name-40-18.bmp"
// puts the first sample row at y 40 with rows 18 pixels high.
#pragma once

#include <windows.h>
#include "Framework.h"

// One mark sample; drawn only when enabled.
struct CPreviewMark
{
    int nEnabled = 0;
    COLORREF crColour = 0;
    int nStyle = 0; // 0 alpha fade, 1 frame, 2 fill on the background, 3 underline
    int nFill = 33; // 1..100 percent of the row; above 100: pixels + 100
};

class CPreviewFiles : public CStatic
{
public:
    static const int MarkCount = 3;
    static const int DefaultRowHeight = 16;
    static const int DefaultFirstTop = 38;
    static const BYTE FadeAlpha = 191;

    CPreviewFiles() {}
    ~CPreviewFiles() override;

    // Loads a bitmap file as the picture (the previous one is deleted). The
    // number after the file name's last "-" becomes the row height (none or
    // 0: 16), the number after the "-" before it the first row's top (none
    // or 0: 38); a name without "-" keeps the layout. Only the file name
    // counts, never its folder. Repaints; TRUE when a picture is shown.
    BOOL SetBackgroundFile(LPCWSTR lpszPath);
    // Takes over a picture (the built-in one) with the default layout.
    BOOL SetBackgroundBitmap(HBITMAP hBitmap);
    HBITMAP GetBackground() const { return m_hPicture; }

    // The owner repaints after changing the marks.
    void SetMark(int nMark, const CPreviewMark& mark);
    const CPreviewMark& GetMark(int nMark) const { return m_marks[nMark]; }
    int GetFirstTop() const { return m_nFirstTop; }
    int GetRowHeight() const { return m_nRowHeight; }
    // The sample row of a mark in a client area: x from 5 to the right edge;
    // mark 1 at the first top, mark 2 two rows lower, mark 3 three rows lower.
    CRect MarkRow(int nMark, const CRect& client) const;

    // Draws the enabled marks over the picture already painted into pDC.
    void DrawMarks(CDC* pDC, const CRect& client);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void TakePicture(HBITMAP hBitmap);
    void SampleTransparentColour(const CRect& client);
    void DrawMark(CDC* pDC, const CRect& row, const CPreviewMark& mark);

    CPreviewMark m_marks[MarkCount];
    COLORREF m_crTransparent = RGB(255, 255, 255);
    BOOL m_bSampleBackground = FALSE;
    int m_nRowHeight = DefaultRowHeight;
    int m_nFirstTop = DefaultFirstTop;
    HBITMAP m_hPicture = nullptr;
};
