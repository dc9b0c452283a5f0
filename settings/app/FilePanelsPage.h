// CFilePanelsPage: the File Panels page (dialog 509). Edits the engine's
// options for the host's file lists: the cursor mark left in the unfocused
// list (kept in the shared mark settings), the Ziravirura with its area
// colour and opacity, single-colour brief view, fixed column widths, Esc,
// in-place rename, going up from a root, jumps, the middle click, the file
// groups shown first and last (with the host's file masks offered in a
// menu; Alt+P opens it at the caret) and the file lists' background picture.
#pragma once

#include <windows.h>
#include "ChooseColor.h"
#include "CommonControls.h"
#include "Controls.h"
#include "MaskMenu.h"
#include "PropertySheet.h"

class CSettingsModel;

class CFilePanelsPage : public CPropertyPage
{
public:
    explicit CFilePanelsPage(CSettingsModel& model);

    // Shows the mask menu; an empty one is the system's popup menu.
    CMaskMenuTracker m_trackMaskMenu;

    BOOL IsModified() const { return m_bModified; }
    CChooseColor& GetMarkButton() { return m_markButton; }
    CChooseColor& GetAreaButton() { return m_areaButton; }
    CToolTipCtrl& GetToolTip() { return m_tip; }

    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The tooltip sees every message, then the page's accelerators apply.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ReadSettings();
    void FillMarkStyles();
    void SetImages();
    void EnableDependents();
    void UpdatePictureTip();
    void UpdatePanelControls();
    void TakeFill();
    void TakeMarkColour();
    void TakeOpacity(HWND hScroll);
    void BrowsePicture();
    // The mask menu of a group edit below its button (nMode before or after).
    void ShowMasksAtButton(int nButton, int nEdit, int nMode);
    // Alt+P: the menu of the focused group edit at the caret's side.
    void ShowMasksAtFocus();
    void MarkModified();
    // Fixes values out of range before they are written; TRUE when one was.
    BOOL CorrectValues();

    CSettingsModel& m_model;
    CChooseColor m_markButton;
    CChooseColor m_areaButton;
    CSliderCtrl m_opacity;
    CEdit m_firstMasks;
    CEdit m_lastMasks;
    CToolTipCtrl m_tip;
    HACCEL m_hAccel = nullptr;

    int m_ziravirura = 0;
    COLORREF m_retrColor = 0;
    int m_retrOpacity = 64;
    int m_briefSingleColor = 0;
    int m_changeColumns = 0;
    int m_width0 = 200;
    int m_width1 = 200;
    int m_escSpecial = 0;
    int m_inPlaceRename = 0;
    int m_gotoUpFromRoot = 0;
    int m_jumpBeginEnd = 0;
    int m_newTab = 0;
    int m_showFirst = 1;
    int m_showLast = 1;
    CString m_strFirstMasks;
    CString m_strLastMasks;
    CString m_strPicture;
    CString m_strFill;
    BOOL m_bModified = FALSE;
    // The engine writes the column widths when a column is dragged: they
    // are written back only when the user changed them here.
    BOOL m_bWidthsChanged = FALSE;
};
