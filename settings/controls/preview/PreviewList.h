// CPreviewList: an owner-drawn list box that imitates the engine's drive
// menu: normal, highlighted and title entries (a title without text is a
// separator), the icon column, the fill styles and the area below the last
// entry, in the colours the owner page edits. It only draws.
//
// Every instance draws with one font, the system's message font, made with
// the first instance and deleted with the last.
#pragma once

#include <windows.h>
#include <memory>
#include <vector>
#include "Framework.h"

enum PreviewItemKind
{
    PreviewNormal = 0,
    PreviewHighlighted = 1,
    PreviewTitle = 2,
};

// The colours of one kind of entry. Styles: 1 horizontal gradient, 2
// vertical, 3 vertical to the middle and back, 4 solid framed in the second
// colour, any other solid.
struct CPreviewKindColors
{
    COLORREF crFirst;
    COLORREF crSecond;
    COLORREF crText;
    int nStyle;
};

class CPreviewList : public CListBox
{
public:
    static const int IconColumnWidth = 20;

    CPreviewList();
    ~CPreviewList() override;
    CPreviewList(const CPreviewList&) = delete;
    CPreviewList& operator=(const CPreviewList&) = delete;

    // Appends an entry; the list owns the icon (NULL: none). Returns its index.
    int AddPreviewItem(LPCWSTR lpszText, int nKind, HICON hIcon = nullptr);
    // The height of "W" in the shared font + 2; 18 when that is under 16.
    int CalcItemHeight() const;
    // The widest entry text plus the width of "W".
    int GetTextWidth() const { return m_nTextWidth; }
    int GetEntryCount() const { return m_nNextId; }

    // The owner repaints after changing colours.
    CPreviewKindColors& KindColors(int nKind) { return m_kinds[KindIndex(nKind)]; }
    COLORREF GetIconColumnColor() const { return m_crIconColumn; }
    void SetIconColumnColor(COLORREF colour) { m_crIconColumn = colour; }
    BOOL IsHidingIcons() const { return m_bHideIcons; }
    void SetHideIcons(BOOL bHide) { m_bHideIcons = bHide; }

    // The font all previews share (NULL while none exists).
    static HFONT SharedFont();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct CEntry
    {
        HICON hIcon = nullptr;
        CString strText;
        int nId = 0;
        int nKind = PreviewNormal;
        ~CEntry();
    };

    static int KindIndex(int nKind) { return nKind >= PreviewNormal && nKind <= PreviewTitle ? nKind : PreviewNormal; }
    void FreeEntries();
    void FillArea(CDC* pDC, const CRect& rect, const CPreviewKindColors& colors) const;
    void DrawSeparator(CDC* pDC, const CRect& rect) const;
    void DrawEntryText(CDC* pDC, CRect rect, const CString& text, COLORREF colour) const;
    void FillBelow(CDC* pDC, const CRect& last) const;

    int m_nTextWidth = 0;
    int m_nNextId = 0;
    CPreviewKindColors m_kinds[3];
    COLORREF m_crIconColumn = RGB(170, 170, 255);
    BOOL m_bHideIcons = FALSE;
    std::vector<std::unique_ptr<CEntry>> m_entries;
};
