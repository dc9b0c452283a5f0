// CCmdBrowser: the command browser (dialog 209), a modal dialog in which
// other pages pick one of the host's commands from the categorised list,
// with a filter. The chosen command's name is the result of OK.
#pragma once

#include <windows.h>
#include "CatList.h"
#include "Dialog.h"

class CSettingsModel;

class CCmdBrowser : public CDialog
{
public:
    explicit CCmdBrowser(CSettingsModel& model, CWnd* pParentWnd = nullptr);

    // The chosen command ("cm_Copy"); empty until OK.
    const CString& GetCommand() const { return m_strCommand; }
    CCatList& GetList() { return m_list; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    void UpdateOk();

    CSettingsModel& m_model;
    CCatList m_list;
    CString m_strCommand;
};
