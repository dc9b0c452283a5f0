// CGridCellCombo: a text cell whose value is one of a list of options,
// edited through a drop-down list. Its user value is the chosen option's
// index (-1: none).
#pragma once

#include "GridCell.h"
#include <functional>

// Loads a text by its number (the localiser's, or GridDefaultText).
typedef std::function<CString(UINT nID)> GridTextLoader;

class CGridCellCombo : public CGridCell
{
    DECLARE_DYNCREATE(CGridCellCombo)
public:
    // Starts with the rule-kind options (see SetOptionList).
    CGridCellCombo();

    // Fills the options with the three rule-kind texts (128 to 130), taken
    // through the loader (none: the grid's own default texts).
    void SetOptionList(const GridTextLoader& loader = nullptr);
    const CStringArray& Options() const { return m_options; }
    DWORD ListStyle() const { return m_style; }

    // -1: no option (text "", user value -1); an index within the options:
    // that option; any other index changes nothing. FALSE when ignored.
    BOOL SelectOption(int nIndex);

    // Draws a drop-down button at the right while the cell can be edited;
    // while it is being edited, no text (the editor covers it).
    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    // Opens a CInPlaceList over rect with the options.
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    // Width: the widest option plus a scroll-bar width, at most 200.
    CSize MeasureText(LPCWSTR pszText, CDC* pDC = nullptr) override;

private:
    CStringArray m_options;
    DWORD m_style = CBS_DROPDOWNLIST;
};
