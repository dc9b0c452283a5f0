// CPluginPage: the Plugins page (dialog 506). Lists each module of
// [PluginList] as a group with its commands (ModuleListing.h), adds,
// replaces and removes modules, binds and clears the keys of module
// commands in the hotkey model, switches modules on or off as a whole
// ("EnablePlugins") and shows the keys bound twice.
#pragma once

#include <windows.h>
#include "CatList.h"
#include "DupView.h"
#include "HotKeyExCtrl.h"
#include "ModuleListing.h"
#include "PropertySheet.h"

class CSettingsModel;

class CPluginPage : public CPropertyPage
{
public:
    CPluginPage(CSettingsModel& model, CCommandNavigator* pNavigator);
    ~CPluginPage() override;

    // Adds a module file (the open-file dialog's choice): asks to replace a
    // listed module of the same file name, else lists it; a module that
    // cannot be listed is refused with a message.
    void AddModule(LPCWSTR lpszPath);
    // Asks, then removes the module of the selected row with its keys.
    void RemoveSelectedModule();
    // Selects the row of a module command ("module,id"); FALSE when none.
    BOOL SelectCommand(LPCWSTR lpszCommand);
    // Enables the duplicates button and refills its window; returns how
    // many pairs there are.
    int RefreshDuplicates();
    void ShowDuplicates();

    BOOL IsModified() const { return m_bModified; }
    CCatList& GetList() { return m_list; }
    CCommandList& GetRows() { return m_rows; }
    CHotKeyExCtrl& GetHotKeyBox() { return m_hotkey; }
    CDupView& GetDupView() { return m_dupView; }

    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    // Both pages' duplicates, which the other page may have changed.
    BOOL OnSetActive() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    void FillFromIni();
    void OnAdd();
    void OnEnable();
    void OnListSelChange();
    void OnHotkeyChanged();
    void OnHotkeyCleared();
    // The selected command row, NULL for a group row or no selection.
    const _CLItem* SelectedCommand() const;
    // The group row at or above the selected entry; -1 when none.
    int SelectedGroup() const;
    // The rows again from an array (rows are renamed by rebuilding).
    void SetRows(const CModuleRows& rows);
    void CopyRows(CModuleRows& rows) const;
    // Flags from the model, the list refilled with the selection kept.
    void Refill();
    // The current-hotkey edit and the hotkey box for the selection.
    void UpdateHotkeyFields();
    void UpdateRemoveButton();
    void MarkModified();
    CString Text(UINT nID) const;

    CSettingsModel& m_model;
    CCommandNavigator* m_pNavigator;
    CCommandList m_rows;
    CCatList m_list;
    CHotKeyExCtrl m_hotkey;
    CButton m_addButton;
    CButton m_removeButton;
    CDupView m_dupView;
    BOOL m_bEnable = TRUE;
    BOOL m_bModified = FALSE;
};
