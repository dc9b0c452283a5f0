// CMarkPage: the Sticky Files page (dialog 501) and the Bookmarks page
// (dialog 502). Each switches one file mark on and off and chooses its
// colour, style and fill, with a preview of all three marks over a picture
// of a file list; it lists the mark's commands with their current hotkeys,
// and its "(re)Define Hotkeys" button opens the Keyboard Mapping page on
// those commands. Both pages edit the model's one mark record and preview
// background, and both write every mark on Apply.
#pragma once

#include <windows.h>
#include "ChooseColor.h"
#include "CommonControls.h"
#include "MarkSettings.h"
#include "PreviewFiles.h"
#include "PropertySheet.h"

class CMainSheet;
class CSettingsModel;

class CMarkPage : public CPropertyPage
{
public:
    // One row of the command list: the text id and the command's name.
    struct CCommandRow
    {
        UINT nText;
        LPCWSTR lpszCommand;
    };

    BOOL IsModified() const { return m_bModified; }
    CChooseColor& GetColorButton() { return m_colorButton; }
    CPreviewFiles& GetPreview() { return m_preview; }
    CListCtrl& GetKeyList() { return m_keyList; }

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    // pMark: the record's mark this page edits; nExtraId: the check box of
    // the mark's second switch (sorting, saving); lpszFilter: the Keyboard
    // Mapping page's filter for the page's commands.
    CMarkPage(UINT nIDTemplate, CSettingsModel& model, CMainSheet* pSheet, CMarkSetting CMarkSettings::*pMark,
              int nExtraId, const CCommandRow* pRows, int nRows, LPCWSTR lpszFilter, COLORREF crDefault);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CMarkSetting& Mark();
    void FillBackgroundCombo();
    // Shows the record's background in the preview unless it is shown.
    void LoadBackground();
    // The record's three marks into the preview, which repaints.
    void ShowMarks();
    void FillKeyList();
    void UpdateEnabling();
    // The fill text into the mark; a text that is no fill gives 33.
    void TakeFill();
    void ShowKeyboardPage();
    void MarkModified();

    CSettingsModel& m_model;
    CMainSheet* m_pSheet;
    CMarkSetting CMarkSettings::*m_pMark;
    int m_nExtraId;
    const CCommandRow* m_pRows;
    int m_nRows;
    CString m_strFilter;
    COLORREF m_crDefault;
    CChooseColor m_colorButton;
    CPreviewFiles m_preview;
    CListCtrl m_keyList;
    CString m_strFill;
    int m_nShownBackground = -1;
    BOOL m_bModified = FALSE;
};

class CStickyFilesPage : public CMarkPage
{
public:
    CStickyFilesPage(CSettingsModel& model, CMainSheet* pSheet);
};

class CBookmarksPage : public CMarkPage
{
public:
    CBookmarksPage(CSettingsModel& model, CMainSheet* pSheet);
};
