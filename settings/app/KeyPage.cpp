// CKeyPage: set, filter, key assignment, start-up sequence, duplicates.
#include "KeyPage.h"
#include "DataExchange.h"
#include "Duplicates.h"
#include "Menu.h"
#include "ModelTexts.h"
#include "Prompt.h"
#include "Resource.h"
#include "WinApp.h"
#include "SettingsModel.h"
#include "StartupSequence.h"

const CKeyPage::CFilterRow CKeyPage::FilterRows[7] = {
    { IDS_FILTER_ALL, IDI_FILTER_ALL, 0, 2 },
    { IDS_FILTER_UNASSIGNED, IDI_FILTER, 0x80000032, 2 },
    { IDS_FILTER_OWN, IDI_FILTER, RowOwnKey, 2 },
    { IDS_FILTER_DEFAULTS, IDI_FILTER, RowDefaultKey, 0 },
    { IDS_FILTER_HOST, IDI_FILTER, RowHostKey, 0 },
    { IDS_FILTER_ASSIGNED, IDI_FILTER, RowOwnKey | RowDefaultKey | RowHostKey, 0 },
    { IDS_FILTER_MODIFIERS, IDI_FILTER, RowOwnKey | RowDefaultKey | RowHostKey, 3 },
};

namespace {

HICON SmallIcon(UINT nID)
{
    return (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID), IMAGE_ICON, 16, 16, LR_SHARED);
}

const int kLocalizedControls[] = { IDC_KEY_SET_LABEL, IDC_KEY_FOLDER_LABEL, IDC_KEY_FILTER_LABEL,
                                   IDC_KEY_HOTKEY_LABEL, IDC_KEY_DUPLICATES };

} // namespace

CKeyPage::CKeyPage(CSettingsModel& model, CStartupSequence& startup, CCommandNavigator* pNavigator)
    : CPropertyPage(IDD_KEYBOARD, IDD_KEYBOARD), m_model(model), m_startup(startup), m_pNavigator(pNavigator)
{
    HICON icon = SmallIcon(IDI_KEYBOARD);
    if (icon) {
        m_psp.dwFlags |= PSP_USEHICON;
        m_psp.hIcon = icon;
    }
}

CKeyPage::~CKeyPage()
{
}

CString CKeyPage::Text(UINT nID) const
{
    return m_model.m_localizer.LoadLocalizedString(nID);
}

CCommandList* CKeyPage::CurrentList() const
{
    return m_nSet == 1 ? &m_model.m_ownList : &m_model.m_hostList;
}

void CKeyPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_KEY_COMMANDS, m_list);
    DDX_Control(pDX, IDC_KEY_HOTKEY, m_hotkey);
    DDX_Control(pDX, IDC_KEY_SET, m_setCombo);
    DDX_Control(pDX, IDC_KEY_FILTER, m_filterEdit);
    DDX_Control(pDX, IDC_KEY_FILTER_MENU, m_filterButton);
    DDX_Control(pDX, IDC_KEY_BROWSE, m_browseButton);
    DDX_CBIndex(pDX, IDC_KEY_SET, m_nSet);
    DDX_Text(pDX, IDC_KEY_FILTER, m_strFilter);
}

BOOL CKeyPage::OnInitDialog()
{
    m_icons[0] = SmallIcon(IDI_FILTER_ALL);
    m_icons[1] = SmallIcon(IDI_FILTER);
    m_icons[2] = SmallIcon(IDI_BROWSE);
    {
        // The controls are bound before the set combo holds its entries.
        CLoadingGuard loading(this);
        CPropertyPage::OnInitDialog();
    }
    m_strHostFolder = m_model.m_hostPaths.strHostFolder;
    SetDlgItemText(IDC_KEY_HOST_FOLDER, m_strHostFolder);
    for (int id : kLocalizedControls)
        m_model.m_localizer.LocalizeDlgItem(id, this);
    m_hotkey.SetMenuTexts(Text(IDS_HOTKEY_MODES), Text(IDS_CLEAR_HOTKEY));
    m_setCombo.AddString(Text(IDS_HOST_COMMANDS));
    m_setCombo.AddString(Text(IDS_OWN_COMMANDS));
    m_setCombo.SetCurSel(0);
    m_browseButton.SetIcon(m_icons[2]);
    ShowFilterRow();
    m_hotkey.SetHotkeyText(L"");
    m_hotkey.EnableWindow(FALSE);
    SelectSet(m_model.m_start.strFilter, m_model.m_start.nCommandSet == 1 ? 1 : 0);
    RefreshDuplicates();
    return TRUE;
}

void CKeyPage::SelectSet(LPCWSTR lpszFilter, int nSet)
{
    BOOL listChanges = nSet != m_nSet || m_list.GetCommandList() != (nSet == 1 ? &m_model.m_ownList
                                                                               : &m_model.m_hostList);
    m_nSet = nSet;
    m_strFilter = lpszFilter;
    UpdateData(FALSE);
    m_list.SetCommandList(CurrentList());
    if (listChanges)
        m_list.SetCurSel(-1); // a row number of the other list means nothing here
    ::EnableWindow(GetDlgItemHwnd(IDC_KEY_HOST_FOLDER), m_nSet == 0);
    m_browseButton.EnableWindow(m_nSet == 0);
    Refill();
    UpdateHotkeyBox();
    ShowFilterRow();
}

void CKeyPage::ShowFilterRow()
{
    const CFilterRow& row = FilterRows[m_nFilterRow];
    m_filterButton.SetIcon(row.nIcon == IDI_FILTER_ALL ? m_icons[0] : m_icons[1]);
    m_filterButton.SetCheck(m_nFilterRow != 0 ? BST_CHECKED : BST_UNCHECKED);
    bool modifiers = (row.nMode & 1) != 0;
    m_filterEdit.SetCueBanner(modifiers ? L"< WCAS >" : L"");
    m_filterEdit.ModifyStyle(modifiers ? 0 : ES_UPPERCASE, modifiers ? ES_UPPERCASE : 0);
}

void CKeyPage::Refill(BOOL bKeepNear)
{
    const CFilterRow& row = FilterRows[m_nFilterRow];
    int previous = m_list.GetCurSel();
    int selected = m_list.FillFiltered(m_strFilter, row.dwMask, (row.nMode & 1) != 0, (row.nMode & 2) != 0);
    if (selected < 0 && bKeepNear && previous > 0 && m_list.GetCount() > 0)
        m_list.SetCurSel(previous - 1 < m_list.GetCount() ? previous - 1 : m_list.GetCount() - 1);
}

void CKeyPage::UpdateHotkeyBox()
{
    const _CLItem* item = m_list.SelectedItem();
    if (!item || (item->nFlags & RowGroup)) {
        m_hotkey.SetHotkeyText(L"");
        m_hotkey.EnableWindow(FALSE);
        return;
    }
    int entry = m_model.m_holder.FindEntryToChange(item->strName);
    m_hotkey.SetHotkeyText(entry >= 0 ? (LPCWSTR)m_model.m_holder.GetAt(entry).strKey : L"");
    m_hotkey.EnableWindow(TRUE);
}

void CKeyPage::MarkModified()
{
    m_bModified = TRUE;
    SetModified(TRUE);
}

void CKeyPage::AfterKeyChange()
{
    CHotKeyHolder& holder = m_model.m_holder;
    MarkMultiKeyCommands(m_model.m_hostList, holder);
    m_model.m_hostList.RecomputeHotkeyFlags(holder);
    m_model.m_ownList.RecomputeHotkeyFlags(holder);
    m_keyWords.Invalidate();
    Refill(TRUE);
    UpdateHotkeyBox();
    RefreshDuplicates();
}

void CKeyPage::OnSetChange()
{
    int newSet = m_setCombo.GetCurSel();
    if (newSet < 0 || newSet == m_nSet)
        return;
    int oldSet = m_nSet;
    UpdateData(TRUE);
    if (oldSet == 0 && m_nFilterRow > 2)
        m_nFilterRow = 0; // the host's own key filters mean nothing for the engine's commands
    SelectSet(m_strFilter, newSet);
    MarkModified();
}

void CKeyPage::OnBrowse()
{
    // Shown only: the commands stay those of the host found at start.
    WCHAR path[MAX_PATH] = {};
    lstrcpynW(path, m_strHostFolder, MAX_PATH);
    if (!AfxGetPromptService().BrowseForFolder(m_hWnd, m_model.m_hostPaths.strHostFolder, path))
        return;
    m_strHostFolder = path;
    SetDlgItemText(IDC_KEY_HOST_FOLDER, m_strHostFolder);
    m_list.ResetContent();
    Refill();
    UpdateData(FALSE);
    UpdateHotkeyBox();
}

void CKeyPage::SetFilterRow(int nRow)
{
    if (nRow < 0 || nRow >= (int)(sizeof(FilterRows) / sizeof(FilterRows[0])))
        return;
    m_nFilterRow = nRow;
    ShowFilterRow();
    Refill();
    UpdateHotkeyBox();
}

void CKeyPage::OnFilterMenu()
{
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    for (int i = 0; i < (int)(sizeof(FilterRows) / sizeof(FilterRows[0])); ++i)
        menu.AppendMenu(MF_STRING | (i == m_nFilterRow ? MF_CHECKED : 0), i + 1, Text(FilterRows[i].nText));
    CRect button;
    m_filterButton.GetWindowRect(&button);
    int chosen = menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, button.left, button.bottom, this);
    if (chosen > 0)
        SetFilterRow(chosen - 1);
    else
        ShowFilterRow();
}

void CKeyPage::OnFilterUpdate()
{
    if (IsLoading() || m_nUpdating)
        return;
    CString text = m_filterEdit.GetWindowText();
    if (FilterRows[m_nFilterRow].nMode & 1) {
        // The leading run of the letters W, C, A and S, each kept once.
        CString reduced;
        int run = 0;
        for (; run < text.GetLength(); ++run) {
            WCHAR c = text[run];
            if (c != L'W' && c != L'C' && c != L'A' && c != L'S')
                break;
            if (reduced.Find(c) < 0)
                reduced += c;
        }
        if (run < text.GetLength())
            AfxMessageBeep(MB_ICONASTERISK);
        if (reduced != text) {
            ++m_nUpdating;
            m_filterEdit.SetWindowText(reduced);
            m_filterEdit.SetSel(5, 5);
            --m_nUpdating;
            text = reduced;
        }
    }
    m_strFilter = text;
    Refill();
    // A match is there to be keyed: the first command when none is selected.
    if (m_list.GetCurSel() < 0) {
        for (int i = 0; i < m_list.GetCount(); ++i) {
            const _CLItem* item = m_list.SelectedItem(i);
            if (item && !(item->nFlags & RowGroup)) {
                m_list.SetCurSel(i);
                break;
            }
        }
    }
    UpdateHotkeyBox();
}

void CKeyPage::OnListSelChange()
{
    UpdateHotkeyBox();
}

void CKeyPage::OnListDoubleClick()
{
    if (m_nSet != 0)
        return;
    const _CLItem* item = m_list.SelectedItem();
    if (!item || (item->nFlags & RowGroup) || m_startup.Contains(item->strName))
        return;
    CString text = Text(IDS_ADD_TO_STARTUP);
    ReplaceBarsByNewlines(text);
    if (AfxMessageBox(FormatLocalText(text, item->strName), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    m_startup.Append(item->strName);
    MarkModified();
}

void CKeyPage::OnHotkeyChanged()
{
    int row = m_list.SelectedRow();
    const _CLItem* item = m_list.ItemAt(row);
    CString key = m_hotkey.GetHotkeyText();
    if (!item || (item->nFlags & RowGroup) || key.IsEmpty())
        return;
    if (!m_model.m_holder.Assign(key, m_nSet, row)) {
        UpdateHotkeyBox(); // declined: the key in force again
        return;
    }
    MarkModified();
    AfterKeyChange();
    // Back to the list, unless the user is moving the focus elsewhere.
    if (::GetFocus() == m_hotkey.m_hWnd)
        m_list.SetFocus();
}

void CKeyPage::OnHotkeyCleared()
{
    const _CLItem* item = m_list.SelectedItem();
    if (!item || (item->nFlags & RowGroup))
        return;
    CHotKeyHolder& holder = m_model.m_holder;
    // The command's own key goes first, also when the host binds it too.
    int entry = holder.FindEntryToChange(item->strName);
    if (entry < 0)
        return;
    if (holder.GetAt(entry).nSource & (SourceDefaults | SourceHost)) {
        // The host's own files keep their keys.
        m_hotkey.SetHotkeyText(holder.GetAt(entry).strKey);
        AfxMessageBeep(MB_ICONEXCLAMATION);
        m_hotkey.SetFocus();
        return;
    }
    holder.SetKey(entry, L"");
    MarkModified();
    AfterKeyChange();
}

LRESULT CKeyPage::OnTooltipText(WPARAM wParam, LPARAM lParam)
{
    auto* item = reinterpret_cast<const _CLItem*>(wParam);
    auto* text = reinterpret_cast<CString*>(lParam);
    if (!item || !text || (item->nFlags & RowGroup))
        return 0;
    CString keys;
    int count = m_model.m_holder.CollectHotkeys(item->strName, keys);
    if (count > 1)
        *text = keys;
    return count;
}

LRESULT CKeyPage::OnMatchKeys(WPARAM wParam, LPARAM lParam)
{
    auto* item = reinterpret_cast<const _CLItem*>(wParam);
    int mask = (int)lParam & 0x0F;
    if (!mask)
        return 1;
    return item && m_keyWords.Matches(m_model.m_holder, item->strName, mask);
}

int CKeyPage::RefreshDuplicates()
{
    return m_dupView.Refresh(m_model.m_holder, GetDlgItemHwnd(IDC_KEY_DUPLICATES));
}

void CKeyPage::ShowDuplicates()
{
    const LPCWSTR headings[3] = { m_model.m_texts.strFirstCommand, m_model.m_texts.strHotKey,
                                  m_model.m_texts.strSecondCommand };
    m_dupView.Open(this, GetDlgItemHwnd(IDC_KEY_DUPLICATES), m_model.m_holder, headings, m_pNavigator);
}

BOOL CKeyPage::SelectCommand(int nSet, LPCWSTR lpszName)
{
    const CCommandList& list = nSet == 1 ? m_model.m_ownList : m_model.m_hostList;
    int row = -1;
    for (int i = 0; i < list.GetCount() && row < 0; ++i) {
        if (!(list.GetAt(i).nFlags & RowGroup) && list.GetAt(i).strName.CompareNoCase(lpszName) == 0)
            row = i;
    }
    if (row < 0 || !m_hWnd)
        return FALSE;
    if (nSet != m_nSet) {
        if (m_nSet == 0 && m_nFilterRow > 2)
            m_nFilterRow = 0;
        SelectSet(m_strFilter, nSet);
    }
    int entry = m_list.FindEntry(row);
    if (entry < 0) {
        // Not among the shown rows: the filter goes.
        m_strFilter.Empty();
        m_nFilterRow = 0;
        UpdateData(FALSE);
        ShowFilterRow();
        Refill();
        entry = m_list.FindEntry(row);
    }
    m_list.SetCurSel(entry);
    UpdateHotkeyBox();
    return entry >= 0;
}

BOOL CKeyPage::OnSetActive()
{
    if (m_pNavigator)
        m_pNavigator->RefreshDuplicates();
    return CPropertyPage::OnSetActive();
}

BOOL CKeyPage::OnApply()
{
    if (!m_bModified)
        return CPropertyPage::OnApply();
    // The start-up sequence is the sheet's to write (once for all pages).
    CHotKeyHolder& holder = m_model.m_holder;
    holder.Save(1);
    // What failed is written again by the next OK or Apply.
    BOOL written = m_model.m_writeReport.Note(holder);
    m_model.m_hostList.RecomputeHotkeyFlags(holder);
    m_model.m_ownList.RecomputeHotkeyFlags(holder);
    m_keyWords.Invalidate();
    if (m_hWnd) {
        Refill();
        m_list.Invalidate();
        UpdateHotkeyBox();
        RefreshDuplicates();
    }
    m_bModified = !written;
    return CPropertyPage::OnApply();
}

BOOL CKeyPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    WORD code = HIWORD(wParam);
    switch (LOWORD(wParam)) {
    case IDC_KEY_SET:
        if (code == CBN_SELCHANGE) {
            OnSetChange();
            return TRUE;
        }
        break;
    case IDC_KEY_FILTER:
        if (code == EN_UPDATE) {
            OnFilterUpdate();
            return TRUE;
        }
        break;
    case IDC_KEY_BROWSE:
        if (code == BN_CLICKED) {
            OnBrowse();
            return TRUE;
        }
        break;
    case IDC_KEY_FILTER_MENU:
        if (code == BN_CLICKED) {
            OnFilterMenu();
            return TRUE;
        }
        break;
    case IDC_KEY_DUPLICATES:
        if (code == BN_CLICKED) {
            ShowDuplicates();
            return TRUE;
        }
        break;
    case IDC_KEY_COMMANDS:
        if (code == LBN_SELCHANGE) {
            OnListSelChange();
            return TRUE;
        }
        if (code == LBN_DBLCLK) {
            OnListDoubleClick();
            return TRUE;
        }
        break;
    case IDC_KEY_HOTKEY:
        if (code == HKXN_CHANGED) {
            OnHotkeyChanged();
            return TRUE;
        }
        if (code == HKXN_CLEARED) {
            OnHotkeyCleared();
            return TRUE;
        }
        break;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

LRESULT CKeyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WMU_CATLIST_TOOLTIP:
        return OnTooltipText(wParam, lParam);
    case WMU_CATLIST_MATCHKEYS:
        return OnMatchKeys(wParam, lParam);
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}
