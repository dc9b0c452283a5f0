// CKeyPage: the Keyboard Mapping page (dialog 504). The user picks a
// command set (the host's commands or the engine's), filters the categorised
// list by text, by the kind of hotkey or by modifiers ("WCAS"), and binds
// or clears the selected command's key in the hotkey box. A double-click
// adds a host command to the start-up sequence. The "Duplicated Hotkeys"
// button opens the window of keys bound twice.
#pragma once

#include <windows.h>
#include <memory>
#include "CatList.h"
#include "DupView.h"
#include "HotKeyExCtrl.h"
#include "KeyWordIndex.h"
#include "PropertySheet.h"

class CSettingsModel;
class CStartupSequence;

class CKeyPage : public CPropertyPage
{
public:
    // One row of the filter menu.
    struct CFilterRow
    {
        UINT nText;
        UINT nIcon;
        DWORD dwMask; // row flags; the sign bit means "none of them"
        int nMode;    // bit 0: by modifiers; bit 1: empty groups hidden
    };
    static const CFilterRow FilterRows[7];
    enum { FilterByModifiers = 6 };

    CKeyPage(CSettingsModel& model, CStartupSequence& startup, CCommandNavigator* pNavigator);
    ~CKeyPage() override;

    // The set (0 host, 1 engine) and filter text, as the list then shows them.
    void SelectSet(LPCWSTR lpszFilter, int nSet);
    // Shows the command of the set selected in the list, clearing the filter
    // when the command is not among the shown rows. FALSE when no row of the
    // set has that name.
    BOOL SelectCommand(int nSet, LPCWSTR lpszName);
    // The filter menu's choice.
    void SetFilterRow(int nRow);
    // Collects the duplicates, enables the button and refills the window;
    // returns how many pairs there are.
    int RefreshDuplicates();
    // Opens the duplicates window (or focuses it); nothing without pairs.
    void ShowDuplicates();

    int GetSet() const { return m_nSet; }
    int GetFilterRow() const { return m_nFilterRow; }
    BOOL IsModified() const { return m_bModified; }
    CCatList& GetList() { return m_list; }
    CHotKeyExCtrl& GetHotKeyBox() { return m_hotkey; }
    CDupView& GetDupView() { return m_dupView; }

    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    // Both pages' duplicates, which the other page may have changed.
    BOOL OnSetActive() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnSetChange();
    void OnBrowse();
    void OnFilterMenu();
    void OnFilterUpdate();
    void OnListSelChange();
    void OnListDoubleClick();
    void OnHotkeyChanged();
    void OnHotkeyCleared();
    LRESULT OnTooltipText(WPARAM wParam, LPARAM lParam);
    LRESULT OnMatchKeys(WPARAM wParam, LPARAM lParam);

    CCommandList* CurrentList() const;
    // Refills the list with the filter; with bKeepNear the row before the
    // previous selection is selected when the selection is lost.
    void Refill(BOOL bKeepNear = FALSE);
    // The hotkey box shows the selected command's key; enabled for commands only.
    void UpdateHotkeyBox();
    // The filter button's icon and check, the filter edit's cue and case.
    void ShowFilterRow();
    // After a change of the model: flags, list, box and duplicates.
    void AfterKeyChange();
    void MarkModified();
    CString Text(UINT nID) const;

    CSettingsModel& m_model;
    CStartupSequence& m_startup;
    CCommandNavigator* m_pNavigator;
    CCatList m_list;
    CHotKeyExCtrl m_hotkey;
    CComboBox m_setCombo;
    CEdit m_filterEdit;
    CButton m_filterButton;
    CButton m_browseButton;
    CDupView m_dupView;
    CKeyWordIndex m_keyWords;
    HICON m_icons[3] = {};
    int m_nSet = 0;
    int m_nFilterRow = 0;
    CString m_strFilter;
    CString m_strHostFolder;
    BOOL m_bModified = FALSE;
    int m_nUpdating = 0; // > 0 while the page rewrites the filter text
};
