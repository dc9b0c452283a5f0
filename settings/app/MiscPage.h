// CMiscPage: the Miscellaneous page (dialog 505). Edits the engine's general
// switches: auto-completion, keeping the host in the background, the
// low-level keyboard hook, the Lister checks, the quick-view switches, the
// start-up command sequence and the language of the utility and the engine.
// The start-up sequence is the sheet's shared value: the page's edit commits
// to it at every change and shows it again whenever the page is shown.
#pragma once

#include <windows.h>
#include <functional>
#include "Localizer.h"
#include "PropertySheet.h"

class CSettingsModel;
class CStartupSequence;

class CMiscPage : public CPropertyPage
{
public:
    CMiscPage(CSettingsModel& model, CStartupSequence& startup);

    // Picks a host command for the start-up sequence; FALSE when none was
    // chosen. The default runs the command browser.
    std::function<BOOL(CWnd* pParent, CString& command)> m_chooseCommand;

    BOOL IsModified() const { return m_bModified; }
    // The language list as shown: each entry's text and file.
    const CArray<CLanguageEntry, const CLanguageEntry&>& GetLanguages() const { return m_languages; }

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ReadSettings();
    void FillKeepBack();
    void FillLanguages();
    // Reads the controls back, enables the dependent ones, marks modified.
    void OnChange(BOOL bStartupEdited);
    void OnBrowse();
    void EnableDependents();
    void ShowStartupText();

    CSettingsModel& m_model;
    CStartupSequence& m_startup;
    int m_autoCompletion = 1;
    int m_keepBack = 0;
    int m_llHook = 0;
    int m_closeListers = 1;
    int m_startupEnabled = 0;
    int m_checkClose = 1;
    int m_nextQuickView = 0;
    int m_quickViewOpen = 0;
    int m_multiLister = 0;
    int m_language = 0;
    int m_storedLanguage = 0; // the entry of the language the file holds
    CString m_strStartup;
    CArray<CLanguageEntry, const CLanguageEntry&> m_languages;
    BOOL m_bModified = FALSE;
};
