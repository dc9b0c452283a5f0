// CPreviewList: entries, the shared font and the drawing of each entry.
#include "PreviewList.h"
#include <algorithm>
#include "ColorConvert.h"
#include "ColorGradient.h"

namespace {

// The one font of every preview list, counted by its users.
struct CSharedFont
{
    HFONT hFont = nullptr;
    int nUsers = 0;
};

CSharedFont& Shared()
{
    static CSharedFont font;
    return font;
}

HFONT MakeMessageFont()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return ::CreateFontIndirectW(&metrics.lfMessageFont);
    return nullptr;
}

const UINT TextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;

} // namespace

CPreviewList::CEntry::~CEntry()
{
    if (hIcon)
        ::DestroyIcon(hIcon);
}

CPreviewList::CPreviewList()
    : m_kinds{{RGB(170, 170, 255), RGB(196, 222, 222), RGB(62, 62, 62), 1},
              {RGB(170, 170, 255), RGB(106, 73, 167), RGB(255, 255, 255), 1},
              {RGB(106, 73, 167), RGB(170, 170, 255), RGB(191, 207, 247), 1}}
{
    CSharedFont& font = Shared();
    if (font.nUsers++ == 0)
        font.hFont = MakeMessageFont();
}

CPreviewList::~CPreviewList()
{
    FreeEntries();
    CSharedFont& font = Shared();
    if (--font.nUsers == 0 && font.hFont) {
        ::DeleteObject(font.hFont);
        font.hFont = nullptr;
    }
}

HFONT CPreviewList::SharedFont()
{
    return Shared().hFont;
}

void CPreviewList::FreeEntries()
{
    while (!m_entries.empty())
        m_entries.pop_back(); // from the last entry to the first
}

int CPreviewList::AddPreviewItem(LPCWSTR lpszText, int nKind, HICON hIcon)
{
    std::unique_ptr<CEntry> entry(new CEntry);
    entry->hIcon = hIcon;
    entry->strText = lpszText ? lpszText : L"";
    entry->nId = m_nNextId;
    entry->nKind = KindIndex(nKind);
    CClientDC dc(m_hWnd ? this : nullptr);
    HGDIOBJ old = ::SelectObject(dc, SharedFont() ? SharedFont() : ::GetStockObject(DEFAULT_GUI_FONT));
    int width = dc.GetTextExtent(entry->strText).cx + dc.GetTextExtent(L"W", 1).cx;
    ::SelectObject(dc, old);
    m_nTextWidth = std::max(m_nTextWidth, width);
    int index = -1;
    if (m_hWnd) {
        index = InsertString(-1, L"");
        if (index >= 0)
            SetItemDataPtr(index, entry.get());
    }
    ++m_nNextId;
    m_entries.push_back(std::move(entry));
    return index;
}

int CPreviewList::CalcItemHeight() const
{
    CClientDC dc(nullptr);
    HGDIOBJ old = ::SelectObject(dc, SharedFont() ? SharedFont() : ::GetStockObject(DEFAULT_GUI_FONT));
    int height = dc.GetTextExtent(L"W", 1).cy + 2;
    ::SelectObject(dc, old);
    return height < 16 ? 18 : height;
}

void CPreviewList::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = CalcItemHeight();
}

void CPreviewList::FillArea(CDC* pDC, const CRect& rect, const CPreviewKindColors& colors) const
{
    if (colors.nStyle >= 1 && colors.nStyle <= 3 && colors.crFirst != colors.crSecond) {
        FillGradient(pDC, &rect, colors.crFirst, colors.crSecond, colors.nStyle);
        return;
    }
    pDC->FillSolidRect(&rect, colors.crFirst);
    if (colors.nStyle == 4) {
        CBrush frame(colors.crSecond);
        pDC->FrameRect(&rect, &frame);
    }
}

// A separator: the normal colours, with one line darker and one lighter
// below the entry's top.
void CPreviewList::DrawSeparator(CDC* pDC, const CRect& rect) const
{
    const CPreviewKindColors& normal = m_kinds[PreviewNormal];
    FillGradient(pDC, &rect, normal.crFirst, normal.crSecond, 1);
    CRect dark(rect.left, rect.top + 1, rect.right, rect.top + 2);
    CRect light(rect.left, rect.top + 2, rect.right, rect.top + 3);
    FillGradient(pDC, &dark, AdjustColor(normal.crFirst, -40, 0), AdjustColor(normal.crSecond, -40, 0), 1);
    FillGradient(pDC, &light, AdjustColor(normal.crFirst, 40, 0), AdjustColor(normal.crSecond, 40, 0), 1);
}

// A text with a "+": the part before it on the left, the part after it
// (and a space) on the right.
void CPreviewList::DrawEntryText(CDC* pDC, CRect rect, const CString& text, COLORREF colour) const
{
    pDC->SetTextColor(colour);
    pDC->SetBkMode(TRANSPARENT);
    if (SharedFont())
        pDC->SelectObject((HGDIOBJ)SharedFont());
    int plus = text.Find(L'+');
    if (plus < 0) {
        pDC->DrawText(text, &rect, DT_LEFT | TextFormat);
        return;
    }
    pDC->DrawText(text.Left(plus), &rect, DT_LEFT | TextFormat);
    pDC->DrawText(text.Mid(plus + 1) + L" ", &rect, DT_RIGHT | TextFormat);
}

// Below the last entry, within the client area: the icon column and the
// normal colours' horizontal gradient.
void CPreviewList::FillBelow(CDC* pDC, const CRect& last) const
{
    CRect client;
    if (m_hWnd)
        GetClientRect(&client);
    if (client.bottom <= last.bottom)
        return;
    CRect column(last.left, last.bottom, last.left + IconColumnWidth, client.bottom);
    CRect rest(column.right, last.bottom, last.right, client.bottom);
    pDC->FillSolidRect(&column, m_crIconColumn);
    FillGradient(pDC, &rest, m_kinds[PreviewNormal].crFirst, m_kinds[PreviewNormal].crSecond, 1);
}

void CPreviewList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const CEntry* entry = reinterpret_cast<const CEntry*>(lpDrawItemStruct->itemData);
    if ((int)lpDrawItemStruct->itemID < 0 || !entry)
        return;
    CDC dc;
    dc.Attach(lpDrawItemStruct->hDC);
    int saved = dc.SaveDC();
    CRect rect(lpDrawItemStruct->rcItem);
    if (entry->nKind == PreviewTitle) {
        if (entry->strText.IsEmpty()) {
            DrawSeparator(&dc, rect);
        } else {
            FillArea(&dc, rect, m_kinds[PreviewTitle]);
            DrawEntryText(&dc, CRect(rect.left + 4, rect.top, rect.right, rect.bottom), entry->strText,
                          m_kinds[PreviewTitle].crText);
        }
    } else {
        if (lpDrawItemStruct->itemAction & ODA_DRAWENTIRE) {
            dc.FillSolidRect(&rect, m_crIconColumn);
            if (!m_bHideIcons && entry->hIcon)
                dc.DrawIconEx(rect.left + 2, rect.top + 2, entry->hIcon, 16, 16, DI_NORMAL);
        }
        const CPreviewKindColors& colors = m_kinds[entry->nKind];
        CRect area(rect.left + IconColumnWidth, rect.top, rect.right, rect.bottom);
        FillArea(&dc, area, colors);
        DrawEntryText(&dc, CRect(area.left + 8, area.top, area.right, area.bottom), entry->strText, colors.crText);
    }
    if (entry->nId + 1 == m_nNextId)
        FillBelow(&dc, rect);
    dc.RestoreDC(saved);
    dc.Detach();
}

LRESULT CPreviewList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCDESTROY:
        FreeEntries();
        m_nNextId = 0;
        m_nTextWidth = 0;
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}
