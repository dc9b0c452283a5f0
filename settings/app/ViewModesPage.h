// CViewModes: the View Modes page (dialog 507). Edits the view modes of the
// model's mode array: names, order and "Active" in the list, and for the
// selected mode its description, host view, colours, tab icon, sort
// column, file groups, autorun commands and background picture. Every edit
// goes straight into the selected record; Apply saves all modes.
#pragma once

#include <windows.h>
#include "CatCombo.h"
#include "ChooseColor.h"
#include "CommonControls.h"
#include "DDListBox.h"
#include "PropertySheet.h"

class CSettingsModel;
class CModeArray;

class CViewModes : public CPropertyPage
{
public:
    explicit CViewModes(CSettingsModel& model);
    ~CViewModes() override;

    BOOL IsModified() const { return m_bModified; }
    int GetSelectedMode() const { return m_nSelected; }
    CDDListBox& GetList() { return m_list; }
    CCatCombo& GetViewCombo() { return m_viewCombo; }
    CChooseColor& GetBkgColorButton() { return m_bkgColorButton; }
    CChooseColor& GetTabColorButton() { return m_tabColorButton; }

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillViewCombo();
    void SelectView(const CString& view);
    void OnSelectionChange();
    void ShowMode();
    void ShowIcon(const CString& file, int index);
    void EnableModeControls(BOOL bEnable);
    void SetModeModified();
    void OnAdd();
    void OnRemove();
    void OnViewChange();
    void OnIcon();
    void OnPictureBrowse();
    void OnCommandBrowse();
    void OnMaskButton(int nID);
    void OnMaskAccelerator();
    void OnMoved(int nFrom, int nTo);
    void UpdatePictureTip();
    BOOL ModeText(int nID, CString& text);
    BOOL IsChecked(int nID) const;

    CSettingsModel& m_model;
    CModeArray& m_modes;
    int m_nSelected = -1;
    BOOL m_bModified = FALSE;
    CDDListBox m_list;
    CCatCombo m_viewCombo;
    CChooseColor m_bkgColorButton;
    CChooseColor m_tabColorButton;
    CEdit m_pictureEdit;
    CToolTipCtrl m_tip;
    HACCEL m_hAccel = nullptr;
    HICON m_hDefaultIcon = nullptr; // shared
    HICON m_hModeIcon = nullptr;    // owned: the selected mode's icon on its button
    CString m_strClear;
    CString m_viewNames[5]; // the built-in views as shown (localised)
};
