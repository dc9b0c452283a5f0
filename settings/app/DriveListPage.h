// CDriveListPage: the Drive List page (dialog 503). Chooses whether the
// engine replaces the host's drive lists (none, alphabetic, categorised),
// the drive menu's colours and fill styles for normal, selected and
// separator items and the icon bar, and whether icons, the user's own items
// ("em_mvdl_" sections) and the custom icon library are used. A sample drive
// menu shows the colours while the user edits them.
#pragma once

#include <windows.h>
#include "ChooseColor.h"
#include "MenuColors.h"
#include "PreviewList.h"
#include "PropertySheet.h"

class CSettingsModel;

class CDriveListPage : public CPropertyPage
{
public:
    explicit CDriveListPage(CSettingsModel& model);

    BOOL IsModified() const { return m_bModified; }
    CPreviewList& GetPreview() { return m_preview; }
    CChooseColor& GetTextButton() { return m_textButton; }
    CChooseColor& GetStartButton() { return m_startButton; }
    CChooseColor& GetEndButton() { return m_endButton; }
    CChooseColor& GetIconBarButton() { return m_iconBarButton; }

    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillCombo(int nID, UINT nFirstText, int nCount, int nSelection);
    void AddSampleEntries();
    // The Start, End and Text buttons and the fill style show an item type.
    void ShowItemType(int nType);
    // The buttons' colours and the fill style into the current item type.
    void TakeColours();
    void UpdateEnabling();
    void MarkModified();

    CSettingsModel& m_model;
    CChooseColor m_textButton;
    CChooseColor m_startButton;
    CChooseColor m_endButton;
    CChooseColor m_iconBarButton;
    CPreviewList m_preview;
    int m_nDontShowIcons = 0;
    int m_nUserItems = 1;
    int m_nCustomIcons = 0;
    int m_nListType = 1;
    int m_nItemType = 0;
    BOOL m_bModified = FALSE;
};

// The Fill Style combo box's index for a held style (stored + 1), and back.
int FillIndexOfStyle(int nHeldStyle);
int StyleOfFillIndex(int nIndex);
