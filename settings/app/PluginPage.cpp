// CPluginPage: listing, adding, replacing and removing modules, module keys,
// duplicates and writing [Config] "EnablePlugins", [PluginList] and [Plugins].
#include "PluginPage.h"
#include "CommonDialogs.h"
#include "DataExchange.h"
#include "Duplicates.h"
#include "ModelTexts.h"
#include "Prompt.h"
#include "Resource.h"
#include "SettingsModel.h"
#include "WinApp.h"
#include <shlwapi.h>

namespace {

const WCHAR kConfig[] = L"Config";
const WCHAR kEnablePlugins[] = L"EnablePlugins";
const WCHAR kPluginList[] = L"PluginList";

const int kLocalizedControls[] = { IDC_PLUGIN_ENABLE, IDC_PLUGIN_LIST_LABEL, IDC_PLUGIN_CURRENT_LABEL,
                                   IDC_PLUGIN_NEW_LABEL, IDC_PLUGIN_DUPLICATES };

HICON SmallIcon(UINT nID)
{
    return (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID), IMAGE_ICON, 16, 16, LR_SHARED);
}

bool IsGroup(const _CLItem& row)
{
    return (row.nFlags & RowGroup) != 0;
}

} // namespace

CPluginPage::CPluginPage(CSettingsModel& model, CCommandNavigator* pNavigator)
    : CPropertyPage(IDD_PLUGINS, IDD_PLUGINS), m_model(model), m_pNavigator(pNavigator),
      m_rows(CCommandList::LiteralCommands)
{
}

CPluginPage::~CPluginPage()
{
}

CString CPluginPage::Text(UINT nID) const
{
    return m_model.m_localizer.LoadLocalizedString(nID);
}

void CPluginPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_PLUGIN_LIST, m_list);
    DDX_Control(pDX, IDC_PLUGIN_HOTKEY, m_hotkey);
    DDX_Control(pDX, IDC_PLUGIN_ADD, m_addButton);
    DDX_Control(pDX, IDC_PLUGIN_REMOVE, m_removeButton);
    DDX_Check(pDX, IDC_PLUGIN_ENABLE, m_bEnable);
}

BOOL CPluginPage::OnInitDialog()
{
    m_bEnable = CIniHelper(m_model.m_strOwnIni).ReadInt(kConfig, kEnablePlugins, 1) != 0;
    {
        CLoadingGuard loading(this);
        CPropertyPage::OnInitDialog();
    }
    for (int id : kLocalizedControls)
        m_model.m_localizer.LocalizeDlgItem(id, this);
    m_hotkey.SetMenuTexts(Text(IDS_HOTKEY_MODES), Text(IDS_CLEAR_HOTKEY));
    m_addButton.SetIcon(SmallIcon(IDI_PLUGIN_ADD));
    m_removeButton.SetIcon(SmallIcon(IDI_PLUGIN_REMOVE));
    FillFromIni();
    m_list.SetCommandList(&m_rows);
    Refill();
    ::EnableWindow(GetDlgItemHwnd(IDC_PLUGIN_CURRENT), FALSE);
    UpdateHotkeyFields();
    UpdateRemoveButton();
    RefreshDuplicates();
    return TRUE;
}

void CPluginPage::FillFromIni()
{
    CArray<CPluginListLine, const CPluginListLine&> lines;
    ReadPluginList(m_model.m_strOwnIni, lines);
    CModuleRows rows;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        const CPluginListLine& line = lines[i];
        CString key = line.strKey;
        INT_PTR first = rows.GetSize();
        int result = ListModule(key, line.strPath, m_model.m_strOwnFolder, m_model.m_localizer, rows);
        if (result != ModuleListed) {
            UINT word = result == ModuleNotLoaded ? IDS_MODULE_NOT_LOADED : IDS_MODULE_NO_INFO;
            rows.Add(FailedModuleRow(line.strKey, line.strPath, Text(word)));
        }
        if (line.bPathAsKey)
            rows[first].nFlags |= RowPathAsKey;
    }
    SetRows(rows);
}

void CPluginPage::SetRows(const CModuleRows& rows)
{
    m_rows.RemoveAll();
    for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
        const _CLItem& row = rows[i];
        int added = m_rows.AddRow(row.strName, row.strNumber, row.strDescription, row.nFlags);
        m_rows.SetExtra(added, row.strExtra);
    }
}

void CPluginPage::CopyRows(CModuleRows& rows) const
{
    rows.RemoveAll();
    for (int i = 0; i < m_rows.GetCount(); ++i)
        rows.Add(m_rows.GetAt(i));
}

void CPluginPage::Refill()
{
    m_rows.RecomputeHotkeyFlags(m_model.m_holder);
    if (!m_list.m_hWnd)
        return;
    m_list.FillFiltered(L"", 0, FALSE, FALSE);
    m_list.Invalidate();
}

const _CLItem* CPluginPage::SelectedCommand() const
{
    const _CLItem* item = m_list.SelectedItem();
    return item && !IsGroup(*item) ? item : nullptr;
}

int CPluginPage::SelectedGroup() const
{
    int entry = m_list.m_hWnd ? m_list.GetCurSel() : -1;
    if (entry < 0)
        return -1;
    // Item data 0 is the first row, which the list's own lookup skips.
    return m_list.FindGroupRow((int)m_list.GetItemData(entry));
}

void CPluginPage::UpdateHotkeyFields()
{
    const _CLItem* item = SelectedCommand();
    CString current;
    if (item) {
        int entry = m_model.m_holder.FindEntryToChange(item->strExtra);
        if (entry >= 0)
            current = m_model.m_holder.GetAt(entry).strKey;
    }
    SetDlgItemText(IDC_PLUGIN_CURRENT, current);
    m_hotkey.SetHotkeyText(L"");
    m_hotkey.EnableWindow(item != nullptr);
}

void CPluginPage::UpdateRemoveButton()
{
    BOOL modules = FALSE;
    for (int i = 0; i < m_rows.GetCount() && !modules; ++i)
        modules = IsGroup(m_rows.GetAt(i));
    m_removeButton.EnableWindow(modules);
}

void CPluginPage::MarkModified()
{
    m_bModified = TRUE;
    SetModified(TRUE);
}

void CPluginPage::OnListSelChange()
{
    UpdateHotkeyFields();
}

void CPluginPage::OnHotkeyChanged()
{
    const _CLItem* item = SelectedCommand();
    CString key = m_hotkey.GetHotkeyText();
    if (!item || key.IsEmpty())
        return;
    CString command = item->strExtra;
    // A new key keeps the comment of the [Plugins] line it replaces.
    CString comment;
    int previous = m_model.m_holder.FindEntryToChange(command);
    if (previous >= 0)
        comment = m_model.m_holder.GetAt(previous).strComment;
    if (!m_model.m_holder.Assign(key, EntryLiteral, -1, command, comment)) {
        UpdateHotkeyFields();
        return;
    }
    MarkModified();
    Refill();
    UpdateHotkeyFields();
    RefreshDuplicates();
    if (::GetFocus() == m_hotkey.m_hWnd)
        m_list.SetFocus();
}

void CPluginPage::OnHotkeyCleared()
{
    const _CLItem* item = SelectedCommand();
    if (!item)
        return;
    int entry = m_model.m_holder.FindEntryToChange(item->strExtra);
    if (entry < 0)
        return;
    m_model.m_holder.SetKey(entry, L"");
    MarkModified();
    Refill();
    UpdateHotkeyFields();
    RefreshDuplicates();
    m_list.SetFocus();
}

void CPluginPage::OnAdd()
{
    CString filter;
    filter.Format(L"%s (*.dll)|*.dll||", (LPCWSTR)Text(IDS_PLUGIN_FILES));
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter, this);
    if (dialog.DoModal() == IDOK)
        AddModule(dialog.GetPathName());
}

void CPluginPage::AddModule(LPCWSTR lpszPath)
{
    LPCWSTR fileName = ::PathFindFileNameW(lpszPath);
    for (int row = 0; row < m_rows.GetCount(); ++row) {
        const _CLItem& group = m_rows.GetAt(row);
        if (!IsGroup(group) || CString(::PathFindFileNameW(group.strExtra)).CompareNoCase(fileName) != 0)
            continue;
        CString question = Text(IDS_REPLACE_MODULE);
        ReplaceBarsByNewlines(question);
        if (AfxMessageBox(FormatLocalText(question, group.strExtra, lpszPath), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        CModuleRows rows;
        CopyRows(rows);
        rows[row].strExtra = lpszPath;
        rows[row].strName.Format(L"%s (%s)", (LPCWSTR)group.strDescription, lpszPath);
        SetRows(rows);
        Refill();
        MarkModified();
        return;
    }
    CModuleRows added;
    CString key;
    if (ListModule(key, lpszPath, m_model.m_strOwnFolder, m_model.m_localizer, added) != ModuleListed) {
        AfxMessageBox(FormatLocalText(Text(IDS_CANNOT_LOAD_MODULE), lpszPath), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The module key names its [PluginList] line and its commands: a second
    // module under a listed key would share both.
    for (int row = 0; row < m_rows.GetCount(); ++row) {
        const _CLItem& group = m_rows.GetAt(row);
        if (IsGroup(group) && group.strNumber.CompareNoCase(key) == 0) {
            AfxMessageBox(FormatLocalText(Text(IDS_MODULE_NAME_USED), key, group.strExtra), MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    CModuleRows rows;
    CopyRows(rows);
    rows.Append(added);
    SetRows(rows);
    Refill();
    UpdateRemoveButton();
    MarkModified();
}

void CPluginPage::RemoveSelectedModule()
{
    int group = SelectedGroup();
    if (group < 0)
        return;
    CString key = m_rows.GetAt(group).strNumber;
    CString question;
    question.Format(L"%s '%s'?", (LPCWSTR)Text(IDS_REMOVE_MODULE), (LPCWSTR)key);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_list.RemoveGroup(group);
    if (!key.IsEmpty())
        m_model.m_holder.RemoveModuleEntries(key);
    m_list.SetCurSel(-1);
    Refill();
    UpdateHotkeyFields();
    UpdateRemoveButton();
    RefreshDuplicates();
    MarkModified();
}

BOOL CPluginPage::SelectCommand(LPCWSTR lpszCommand)
{
    int row = m_list.FindItemByExtra(lpszCommand);
    if (row < 0 || IsGroup(m_rows.GetAt(row)) || !m_list.m_hWnd)
        return FALSE;
    m_list.SetCurSel(m_list.FindEntry(row));
    UpdateHotkeyFields();
    return TRUE;
}

void CPluginPage::OnEnable()
{
    if (IsLoading())
        return;
    UpdateData(TRUE);
    MarkModified();
}

int CPluginPage::RefreshDuplicates()
{
    return m_dupView.Refresh(m_model.m_holder, GetDlgItemHwnd(IDC_PLUGIN_DUPLICATES));
}

void CPluginPage::ShowDuplicates()
{
    const LPCWSTR headings[3] = { m_model.m_texts.strFirstCommand, m_model.m_texts.strHotKey,
                                  m_model.m_texts.strSecondCommand };
    m_dupView.Open(this, GetDlgItemHwnd(IDC_PLUGIN_DUPLICATES), m_model.m_holder, headings, m_pNavigator);
}

BOOL CPluginPage::OnSetActive()
{
    if (m_pNavigator)
        m_pNavigator->RefreshDuplicates();
    return CPropertyPage::OnSetActive();
}

BOOL CPluginPage::OnApply()
{
    if (!m_bModified)
        return CPropertyPage::OnApply();
    CIniHelper ini(m_model.m_strOwnIni);
    CString enable;
    enable.Format(L"%d", m_bEnable ? 1 : 0);
    ini.WriteString(kConfig, kEnablePlugins, enable);
    // Each line in the form it was read: a path as key stays so, since the
    // engine loads such a path as written.
    CStringArray lines;
    for (int i = 0; i < m_rows.GetCount(); ++i) {
        const _CLItem& group = m_rows.GetAt(i);
        if (!IsGroup(group) || group.strExtra.IsEmpty())
            continue;
        if (group.nFlags & RowPathAsKey)
            lines.Add(group.strExtra + L"=" + group.strNumber);
        else
            lines.Add(group.strNumber + L"=" + group.strExtra);
    }
    ini.WriteSection(kPluginList, lines);
    m_model.m_holder.Save(2);
    // What failed is written again by the next OK or Apply.
    BOOL written = m_model.m_writeReport.Note(ini);
    if (!m_model.m_writeReport.Note(m_model.m_holder))
        written = FALSE;
    Refill();
    if (m_hWnd) {
        UpdateHotkeyFields();
        RefreshDuplicates();
    }
    m_bModified = !written;
    return CPropertyPage::OnApply();
}

BOOL CPluginPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    WORD code = HIWORD(wParam);
    switch (LOWORD(wParam)) {
    case IDC_PLUGIN_LIST:
        if (code == LBN_SELCHANGE) {
            OnListSelChange();
            return TRUE;
        }
        break;
    case IDC_PLUGIN_HOTKEY:
        if (code == HKXN_CHANGED) {
            OnHotkeyChanged();
            return TRUE;
        }
        if (code == HKXN_CLEARED) {
            OnHotkeyCleared();
            return TRUE;
        }
        break;
    case IDC_PLUGIN_ADD:
        if (code == BN_CLICKED) {
            OnAdd();
            return TRUE;
        }
        break;
    case IDC_PLUGIN_REMOVE:
        if (code == BN_CLICKED) {
            RemoveSelectedModule();
            return TRUE;
        }
        break;
    case IDC_PLUGIN_ENABLE:
        if (code == BN_CLICKED) {
            OnEnable();
            return TRUE;
        }
        break;
    case IDC_PLUGIN_DUPLICATES:
        if (code == BN_CLICKED) {
            ShowDuplicates();
            return TRUE;
        }
        break;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}
