// CCmdBrowser.
#include "CmdBrowser.h"
#include "Resource.h"
#include "SettingsModel.h"

CCmdBrowser::CCmdBrowser(CSettingsModel& model, CWnd* pParentWnd)
    : CDialog(IDD_COMMAND_BROWSER, pParentWnd), m_model(model)
{
}

BOOL CCmdBrowser::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_model.m_localizer.LocalizeDlgItem(IDC_BROWSER_FILTER_LABEL, this);
    m_model.m_localizer.LocalizeDlgItem(IDC_BROWSER_LIST_LABEL, this);
    CString caption = m_model.m_localizer.LoadLocalizedString(IDS_COMMAND_BROWSER);
    if (!caption.IsEmpty())
        SetWindowText(caption);
    m_strCommand.Empty();
    m_list.SubclassDlgItem(IDC_BROWSER_COMMANDS, this);
    m_list.SetCommandList(&m_model.m_hostList);
    m_list.FillFiltered(L"", 0, FALSE, FALSE);
    m_list.SetCurSel(0);
    UpdateOk();
    return TRUE;
}

void CCmdBrowser::UpdateOk()
{
    const _CLItem* item = m_list.SelectedItem();
    ::EnableWindow(GetDlgItemHwnd(IDOK), item && !(item->nFlags & RowGroup));
}

void CCmdBrowser::OnOK()
{
    const _CLItem* item = m_list.SelectedItem();
    if (!item || (item->nFlags & RowGroup))
        return;
    m_strCommand = item->strName;
    EndDialog(IDOK);
}

BOOL CCmdBrowser::OnCommand(WPARAM wParam, LPARAM lParam)
{
    WORD code = HIWORD(wParam);
    switch (LOWORD(wParam)) {
    case IDC_KEY_FILTER:
        if (code == EN_CHANGE) {
            CString filter;
            GetDlgItemText(IDC_KEY_FILTER, filter);
            m_list.FillFiltered(filter, 0, FALSE, FALSE);
            UpdateOk();
            return TRUE;
        }
        break;
    case IDC_BROWSER_COMMANDS:
        if (code == LBN_SELCHANGE) {
            UpdateOk();
            return TRUE;
        }
        if (code == LBN_DBLCLK) {
            OnOK();
            return TRUE;
        }
        break;
    }
    return CDialog::OnCommand(wParam, lParam);
}
