// CGridCell and CGridDefaultCell.
#include "GridCell.h"
#include "GridCtrl.h"
#include <cstddef>

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)
IMPLEMENT_DYNAMIC(CGridDefaultCell, CGridCell)

CGridCell::~CGridCell()
{
    delete m_font;
}

void CGridCell::SetFont(const LOGFONTW* plf)
{
    if (!plf) {
        delete m_font;
        m_font = nullptr;
        return;
    }
    if (!m_font)
        m_font = new LOGFONTW;
    *m_font = *plf;
}

DWORD CGridCell::Format() const
{
    if (m_format == (DWORD)-1)
        if (CGridDefaultCell* def = DefaultCell())
            return def->Format();
    return m_format;
}

const LOGFONTW* CGridCell::FontRecord() const
{
    if (m_font)
        return m_font;
    CGridDefaultCell* def = DefaultCell();
    return def ? def->FontRecord() : nullptr;
}

CFont* CGridCell::FontObject() const
{
    if (m_font)
        return m_grid ? m_grid->CellFontObject(*m_font) : nullptr;
    CGridDefaultCell* def = DefaultCell();
    return def ? def->FontObject() : nullptr;
}

UINT CGridCell::Margin() const
{
    if (m_margin == (UINT)-1)
        if (CGridDefaultCell* def = DefaultCell())
            return def->Margin();
    return m_margin;
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_text.Empty();
    m_userValue = 0;
    m_image = -1;
    m_format = (DWORD)-1;
    m_textColour = CLR_DEFAULT;
    m_background = CLR_DEFAULT;
    SetFont(nullptr);
    m_margin = (UINT)-1;
    m_editing = FALSE;
    m_grid = nullptr;
    m_editWnd = nullptr;
}

void CGridCell::EditEnded()
{
    m_editing = FALSE;
    m_editWnd = nullptr;
}

CGridDefaultCell::CGridDefaultCell()
{
    m_format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    // The record without the padded-border field: accepted by every
    // system version.
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) {
        SetFont(&ncm.lfMessageFont);
    } else {
        LOGFONTW lf = {};
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        SetFont(&lf);
    }
}

CFont* CGridDefaultCell::FontObject() const
{
    return m_fontObject.GetSafeHandle() ? const_cast<CFont*>(&m_fontObject) : nullptr;
}

void CGridDefaultCell::SetFont(const LOGFONTW* plf)
{
    if (!plf)
        return;
    m_fontObject.DeleteObject();
    m_fontObject.CreateFontIndirect(plf);
    CGridCell::SetFont(plf);

    HDC hdc = ::GetDC(nullptr);
    if (!hdc) {
        m_margin = 3;
        m_width = 40;
        m_height = 16;
        return;
    }
    HGDIOBJ old = m_fontObject.GetSafeHandle() ? ::SelectObject(hdc, m_fontObject.m_hObject) : nullptr;
    SIZE blank = {}, sample = {};
    ::GetTextExtentPoint32W(hdc, L" ", 1, &blank);
    ::GetTextExtentPoint32W(hdc, L" XXXXXXXXXXXX ", 14, &sample);
    if (old)
        ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
    m_margin = (UINT)blank.cx;
    m_width = sample.cx;
    m_height = sample.cy * 3 / 2;
}
