// CAutoViewPage: the Auto Switch page (dialog 508). Edits [Config]
// "AutoView" and "KeepScope" and, for one view mode at a time, the mode's
// folder rules: a "|"-joined text of rules, each a kind character ("?" can
// contain, "!" must contain, "^" must not contain) and a pattern. The rules
// show as that text and as a grid of kind and pattern; an edit of either
// rebuilds the other.
//
// Every edit goes straight into the mode shown, found by its name while the
// page is active, so changing the mode by any means, leaving the page or
// another page reordering the modes loses nothing and hits no other mode.
#pragma once

#include <windows.h>
#include "GridCtrl.h"
#include "PropertySheet.h"

class CSettingsModel;
class CModeArray;
struct _tModeDef;

class CAutoViewPage : public CPropertyPage
{
public:
    explicit CAutoViewPage(CSettingsModel& model);

    BOOL IsModified() const { return m_bModified; }
    CGridCtrl& GetGrid() { return m_grid; }
    // The name of the mode shown; empty for none.
    const CString& GetShownMode() const { return m_strShown; }

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    // Rules text -> grid: one row per piece with a kind character, one
    // empty row when there is none.
    void FillRulesGrid();
    // Grid -> rules text: the rows with a kind and a pattern.
    CString RulesFromGrid();
    // Appends a row whose first cell is a kind cell; its index, -1 on failure.
    int AddKindRow();
    void ShowMode(int nIndex);
    _tModeDef* ShownMode();
    // The text into the shown mode; the page is modified when it differs.
    void TakeRules(const CString& rules);
    // Puts text into the rules box without refilling the grid.
    void SetRulesFromGrid(const CString& text);
    void EnableControls();
    void SetPageModified();
    void OnModeChange();
    void OnRulesChange();
    void OnAddRow();
    void OnDeleteRow();

    CSettingsModel& m_model;
    CModeArray& m_modes;
    CGridCtrl m_grid;
    CString m_strRules;
    CString m_strShown;
    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
    BOOL m_bTextFromGrid = FALSE; // the rules box is being set from the grid
};
