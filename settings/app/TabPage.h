// CTabPage: the Tab Options page (dialog 510). Edits the engine's folder-tab
// settings: tab colours, double-click, desktop.ini icons, scrolling, the tab
// list, locked-tab marks and the active-tab highlight. Showing the page
// marks it modified, so OK writes all of its keys.
#pragma once

#include <windows.h>
#include "ChooseColor.h"
#include "PropertySheet.h"

class CSettingsModel;

class CTabPage : public CPropertyPage
{
public:
    explicit CTabPage(CSettingsModel& model);

    BOOL IsModified() const { return m_bModified; }
    CChooseColor& GetLockedButton() { return m_lockedButton; }
    CChooseColor& GetLockedDcaButton() { return m_lockedDcaButton; }
    CChooseColor& GetActiveButton() { return m_activeButton; }

    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ReadSettings();
    void UpdateTabControls();
    void TakeTabColours();
    void FillCombo(int nID, const UINT* texts, int count, int selection);

    CSettingsModel& m_model;
    int m_coloredTabs = 1;
    int m_keepTabColors = 0;
    int m_dblClickGotoDir = 1;
    int m_useDesktopIni = 0;
    int m_overrideVisualMode = 0;
    int m_skipDisconnected = 0;
    int m_returnTabs = 0;
    int m_tabsWheel = 0;
    int m_tabsToFav = 0;
    int m_sortTabList = 0;
    int m_markLockedTabs = 0;
    int m_enableAtc = 0;
    int m_lockedTabMark = 0;
    int m_colorPriority = 0;
    COLORREF m_lockedColor = 0;
    COLORREF m_lockedDcaColor = 0;
    COLORREF m_activeColor = 0;
    CChooseColor m_lockedButton;
    CChooseColor m_lockedDcaButton;
    CChooseColor m_activeButton;
    BOOL m_bModified = FALSE;
};
