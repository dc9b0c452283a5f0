// CAutoViewPage: the switches, the mode combo, and the rules kept in step
// between the text box and the grid.
#include "AutoViewPage.h"
#include "DataExchange.h"
#include "GridCellCombo.h"
#include "GridTexts.h"
#include "Prompt.h"
#include "Resource.h"
#include "SettingsModel.h"

namespace {

// The kind characters by option index of a kind cell.
const WCHAR kKinds[] = L"?!^";
const int kKindCount = 3;

const int kLocalizedControls[] = {
    IDC_AUTO_ENABLE, IDC_AUTO_KEEP_SCOPE, IDC_AUTO_MODE_LABEL, IDC_AUTO_RULES_LABEL, IDC_AUTO_NOTE,
};

// Controls that need a mode to edit.
const int kModeControls[] = { IDC_AUTO_MODE, IDC_AUTO_RULES, IDC_AUTO_GRID, IDC_AUTO_ADD_ROW };

HICON SmallIcon(UINT id)
{
    return (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_SHARED);
}

int KindOf(WCHAR c)
{
    for (int i = 0; c && i < kKindCount; ++i) {
        if (kKinds[i] == c)
            return i;
    }
    return -1;
}

} // namespace

CAutoViewPage::CAutoViewPage(CSettingsModel& model)
    : CPropertyPage(IDD_AUTO_SWITCH, IDD_AUTO_SWITCH), m_model(model), m_modes(model.m_modes), m_grid(1, 2, 1)
{
    if (HICON icon = SmallIcon(IDI_AUTO_SWITCH)) {
        m_psp.dwFlags |= PSP_USEHICON;
        m_psp.hIcon = icon;
    }
}

void CAutoViewPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_AUTO_GRID, m_grid);
    DDX_Check(pDX, IDC_AUTO_ENABLE, m_modes.m_nAutoView);
    DDX_Check(pDX, IDC_AUTO_KEEP_SCOPE, m_modes.m_nKeepScope);
    DDX_Text(pDX, IDC_AUTO_RULES, m_strRules);
}

BOOL CAutoViewPage::OnInitDialog()
{
    CLoadingGuard loading(this);
    CPropertyPage::OnInitDialog();
    const CLocalizer& localizer = m_model.m_localizer;
    for (int id : kLocalizedControls)
        localizer.LocalizeDlgItem(id, this);
    ::SendDlgItemMessageW(m_hWnd, IDC_AUTO_ADD_ROW, BM_SETIMAGE, IMAGE_ICON, (LPARAM)SmallIcon(IDI_PLUGIN_ADD));
    ::SendDlgItemMessageW(m_hWnd, IDC_AUTO_DELETE_ROW, BM_SETIMAGE, IMAGE_ICON,
                          (LPARAM)SmallIcon(IDI_PLUGIN_REMOVE));
    m_grid.SetFont(GetFont(), FALSE);
    m_grid.SetCellText(0, 0, localizer.LoadLocalizedString(IDS_AUTO_MATCH));
    m_grid.SetCellText(0, 1, localizer.LoadLocalizedString(IDS_AUTO_PATTERN));
    m_grid.ChangeRowCount(1);
    m_grid.FitColumnWidth(0);
    m_grid.StretchLastColumn();
    ::EnableWindow(GetDlgItemHwnd(IDC_AUTO_DELETE_ROW), FALSE);
    return TRUE;
}

BOOL CAutoViewPage::OnSetActive()
{
    CPropertyPage::OnSetActive();
    CLoadingGuard loading(this);
    HWND combo = GetDlgItemHwnd(IDC_AUTO_MODE);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < m_modes.GetCount(); ++i)
        ::SendMessageW(combo, CB_ADDSTRING, 0, (LPARAM)(LPCWSTR)m_modes.GetAt(i).strName);
    if (m_modes.GetCount() == 0) {
        CString none = m_model.m_localizer.LoadLocalizedString(IDS_NO_VIEW_MODES);
        ::SendMessageW(combo, CB_ADDSTRING, 0, (LPARAM)(LPCWSTR)none);
    }
    // The mode shown when the page was left, unless it is gone meanwhile.
    int index = m_strShown.IsEmpty() ? -1 : m_modes.Find(m_strShown);
    if (index < 0)
        index = 0;
    ::SendMessageW(combo, CB_SETCURSEL, index, 0);
    m_bActive = TRUE;
    ShowMode(index);
    EnableControls();
    return TRUE;
}

BOOL CAutoViewPage::OnKillActive()
{
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    TakeRules(m_strRules);
    m_bActive = FALSE;
    return TRUE;
}

BOOL CAutoViewPage::OnApply()
{
    if (m_bModified) {
        if (m_bActive) {
            GetDlgItemText(IDC_AUTO_RULES, m_strRules);
            TakeRules(m_strRules);
        }
        m_modes.SaveModes();
        // What failed is written again by the next OK or Apply.
        m_bModified = !m_model.m_writeReport.Note(m_modes);
    }
    return CPropertyPage::OnApply();
}

_tModeDef* CAutoViewPage::ShownMode()
{
    // Only while the page is active: meanwhile another page may rename,
    // delete or add modes.
    int index = m_bActive && !m_strShown.IsEmpty() ? m_modes.Find(m_strShown) : -1;
    return index >= 0 ? &m_modes.GetAt(index) : nullptr;
}

void CAutoViewPage::TakeRules(const CString& rules)
{
    _tModeDef* mode = ShownMode();
    if (mode && mode->strRules != rules) {
        mode->strRules = rules;
        SetPageModified();
    }
}

void CAutoViewPage::ShowMode(int nIndex)
{
    bool valid = nIndex >= 0 && nIndex < m_modes.GetCount();
    m_strShown = valid ? m_modes.GetAt(nIndex).strName : CString();
    m_strRules = valid ? m_modes.GetAt(nIndex).strRules : CString();
    {
        CLoadingGuard loading(this);
        SetDlgItemText(IDC_AUTO_RULES, m_strRules);
    }
    FillRulesGrid();
}

int CAutoViewPage::AddKindRow()
{
    int row = m_grid.AppendRow();
    if (row < 0 || !m_grid.ReplaceCellClass(row))
        return -1;
    if (auto* kind = dynamic_cast<CGridCellCombo*>(m_grid.CellAt(row, 0))) {
        const CLocalizer& localizer = m_model.m_localizer;
        kind->SetOptionList([&localizer](UINT nID) {
            CString text = localizer.LoadLocalizedString(nID, nullptr, FALSE);
            return text.IsEmpty() ? GridDefaultText(nID) : text;
        });
    }
    return row;
}

void CAutoViewPage::FillRulesGrid()
{
    m_grid.SetRedraw(FALSE);
    m_grid.ChangeRowCount(1);
    for (int start = 0; start < m_strRules.GetLength();) {
        int bar = m_strRules.Find(L'|', start);
        int end = bar < 0 ? m_strRules.GetLength() : bar;
        int kind = end > start ? KindOf(m_strRules[start]) : -1;
        if (kind >= 0) {
            int row = AddKindRow();
            if (row < 0)
                break;
            static_cast<CGridCellCombo*>(m_grid.CellAt(row, 0))->SelectOption(kind);
            m_grid.SetCellText(row, 1, m_strRules.Mid(start + 1, end - start - 1));
        }
        start = end + 1;
    }
    if (m_grid.GetRowCount() == 1)
        AddKindRow();
    m_grid.SetRedraw(TRUE, TRUE);
    // The pattern column shrinks to its texts first: stretched from an
    // earlier fill it would outgrow the grid and show a scroll bar.
    m_grid.FitColumnWidth(0);
    m_grid.FitColumnWidth(1);
    m_grid.StretchLastColumn();
    m_grid.Refresh();
    ::EnableWindow(GetDlgItemHwnd(IDC_AUTO_DELETE_ROW), m_modes.GetCount() > 0 && m_grid.GetRowCount() > 1);
}

CString CAutoViewPage::RulesFromGrid()
{
    CString text;
    for (int row = 1; row < m_grid.GetRowCount(); ++row) {
        CGridCellBase* cell = m_grid.CellAt(row, 0);
        int kind = cell ? cell->UserValue() : -1;
        CString pattern = m_grid.GetCellText(row, 1);
        if (kind < 0 || kind >= kKindCount || pattern.IsEmpty())
            continue;
        // A skipped first row still leaves the "|" before the next.
        if (row > 1)
            text += L'|';
        text += kKinds[kind];
        text += pattern;
    }
    return text;
}

void CAutoViewPage::SetRulesFromGrid(const CString& text)
{
    m_bTextFromGrid = TRUE;
    SetDlgItemText(IDC_AUTO_RULES, text);
    m_bTextFromGrid = FALSE;
    m_strRules = text;
    TakeRules(text);
}

void CAutoViewPage::EnableControls()
{
    BOOL any = m_modes.GetCount() > 0;
    for (int id : kModeControls)
        ::EnableWindow(GetDlgItemHwnd(id), any);
    ::EnableWindow(GetDlgItemHwnd(IDC_AUTO_DELETE_ROW), any && m_grid.GetRowCount() > 1);
}

void CAutoViewPage::SetPageModified()
{
    m_bModified = TRUE;
    SetModified();
}

void CAutoViewPage::OnModeChange()
{
    TakeRules(m_strRules);
    ShowMode((int)SendDlgItemMessage(IDC_AUTO_MODE, CB_GETCURSEL));
}

void CAutoViewPage::OnRulesChange()
{
    GetDlgItemText(IDC_AUTO_RULES, m_strRules);
    TakeRules(m_strRules);
    // A text the grid wrote is the grid already: refilling it would drop
    // a half-filled row and the focus.
    if (!m_bTextFromGrid)
        FillRulesGrid();
}

void CAutoViewPage::OnAddRow()
{
    if (AddKindRow() < 0)
        return;
    m_grid.Refresh();
    ::EnableWindow(GetDlgItemHwnd(IDC_AUTO_DELETE_ROW), TRUE);
}

void CAutoViewPage::OnDeleteRow()
{
    CCellID focus = m_grid.GetFocusCell();
    if (!m_grid.IsValid(focus) || focus.row < m_grid.GetFixedRowCount()) {
        AfxMessageBeep(MB_ICONASTERISK);
        return;
    }
    m_grid.RemoveRow(focus.row);
    m_grid.Refresh();
    if (m_grid.GetRowCount() <= 1)
        ::EnableWindow(GetDlgItemHwnd(IDC_AUTO_DELETE_ROW), FALSE);
    SetRulesFromGrid(RulesFromGrid());
    SetPageModified();
}

BOOL CAutoViewPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam), code = HIWORD(wParam);
    if (IsLoading())
        return CPropertyPage::OnCommand(wParam, lParam);
    if (id == IDC_AUTO_RULES && code == EN_CHANGE) {
        OnRulesChange();
        return TRUE;
    }
    if (id == IDC_AUTO_MODE && code == CBN_SELCHANGE) {
        OnModeChange();
        return TRUE;
    }
    if (code != BN_CLICKED)
        return CPropertyPage::OnCommand(wParam, lParam);
    switch (id) {
    case IDC_AUTO_ADD_ROW:
        OnAddRow();
        return TRUE;
    case IDC_AUTO_DELETE_ROW:
        OnDeleteRow();
        return TRUE;
    case IDC_AUTO_ENABLE:
        m_modes.m_nAutoView = IsDlgButtonChecked(IDC_AUTO_ENABLE) == BST_CHECKED;
        SetPageModified();
        EnableControls();
        return TRUE;
    case IDC_AUTO_KEEP_SCOPE:
        m_modes.m_nKeepScope = IsDlgButtonChecked(IDC_AUTO_KEEP_SCOPE) == BST_CHECKED;
        SetPageModified();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CAutoViewPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (wParam == IDC_AUTO_GRID && hdr && (int)hdr->code == (int)LVN_ENDLABELEDITW) {
        SetRulesFromGrid(RulesFromGrid());
        *pResult = 0;
        return TRUE;
    }
    return CPropertyPage::OnNotify(wParam, lParam, pResult);
}
