// CViewModes: the page's controls over the records of CModeArray.
#include "ViewModesPage.h"
#include "CmdBrowser.h"
#include "CommonDialogs.h"
#include "DataExchange.h"
#include "IconDialog.h"
#include "IniHelper.h"
#include "MaskMenu.h"
#include "ModelTexts.h"
#include "PageFunctions.h"
#include "Prompt.h"
#include "Resource.h"
#include "SettingsModel.h"
#include <shellapi.h>
#include <vector>

namespace {

// The built-in host views in the order the combo box shows them.
const UINT kViewTexts[] = { IDS_VIEW_FULL, IDS_VIEW_BRIEF, IDS_VIEW_THUMB, IDS_VIEW_COMMENTS, IDS_VIEW_BRANCH };

const int kLocalizedControls[] = {
    IDC_MODE_BKG_PIC_LABEL, IDC_MODE_TEXT_LABEL,   IDC_MODE_VIEW_LABEL, IDC_MODE_BKG_COLOR_LABEL,
    IDC_MODE_TAB_COLOR_LABEL, IDC_MODE_ICON_LABEL, IDC_MODE_SORT_LABEL, IDC_MODE_COLUMN_LABEL,
    IDC_MODE_LIST_LABEL,    IDC_MODE_NOTE,         IDC_MODE_GROUPING,   IDC_MODE_GROUPING2,
    IDC_MODE_AUTORUN,
};

// Controls enabled with a selected mode; a non-zero box enables its control
// only while checked.
struct ModeControl {
    int id;
    int box;
};
const ModeControl kModeControls[] = {
    { IDC_MODE_VIEW, 0 },          { IDC_MODE_BKG_COLOR, 0 },       { IDC_MODE_TAB_COLOR, 0 },
    { IDC_MODE_BKG_PIC_BROWSE, 0 }, { IDC_MODE_COMMANDS, 0 },       { IDC_MODE_ICON, 0 },
    { IDC_MODE_BKG_PIC, 0 },        { IDC_MODE_GROUPING, 0 },       { IDC_MODE_GROUPING2, 0 },
    { IDC_MODE_AUTORUN, 0 },        { IDC_MODE_TEXT, 0 },           { IDC_MODE_SORT, 0 },
    { IDC_MODE_GROUPS, IDC_MODE_GROUPING },   { IDC_MODE_GROUPS_BEFORE, IDC_MODE_GROUPING },
    { IDC_MODE_GROUPS_AFTER, IDC_MODE_GROUPING }, { IDC_MODE_GROUPS2, IDC_MODE_GROUPING2 },
    { IDC_MODE_GROUPS2_BEFORE, IDC_MODE_GROUPING2 }, { IDC_MODE_GROUPS2_AFTER, IDC_MODE_GROUPING2 },
    { IDC_MODE_AUTORUN_CMD, IDC_MODE_AUTORUN },
};

// Button images.
const struct {
    int id;
    UINT icon;
} kButtonIcons[] = {
    { IDC_MODE_ADD, IDI_PLUGIN_ADD },          { IDC_MODE_REMOVE, IDI_PLUGIN_REMOVE },
    { IDC_MODE_GROUPS_BEFORE, IDI_MASK_BEFORE }, { IDC_MODE_GROUPS2_BEFORE, IDI_MASK_BEFORE },
    { IDC_MODE_GROUPS_AFTER, IDI_MASK_AFTER },   { IDC_MODE_GROUPS2_AFTER, IDI_MASK_AFTER },
    { IDC_MODE_COMMANDS, IDI_COMMAND_BROWSE },   { IDC_MODE_BKG_PIC_BROWSE, IDI_PICTURE_BROWSE },
};

HICON SmallIcon(UINT id)
{
    return (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_SHARED);
}

// The string table's own (English) text: the word the engine recognises.
CString TableText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

COLORREF ButtonColour(COLORREF colour)
{
    return colour == ModeNoColour ? PopupColorAutomatic : colour;
}

} // namespace

CViewModes::CViewModes(CSettingsModel& model)
    : CPropertyPage(IDD_VIEW_MODES, IDD_VIEW_MODES), m_model(model), m_modes(model.m_modes),
      m_bkgColorButton(model.m_localizer), m_tabColorButton(model.m_localizer)
{
    HICON icon = (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_VIEW_MODES), IMAGE_ICON, 16, 16,
                                     LR_SHARED);
    if (icon) {
        m_psp.dwFlags |= PSP_USEHICON;
        m_psp.hIcon = icon;
    }
}

CViewModes::~CViewModes()
{
    if (m_hModeIcon)
        ::DestroyIcon(m_hModeIcon);
}

void CViewModes::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_MODE_LIST, m_list);
    DDX_Control(pDX, IDC_MODE_VIEW, m_viewCombo);
    DDX_Control(pDX, IDC_MODE_BKG_COLOR, m_bkgColorButton);
    DDX_Control(pDX, IDC_MODE_TAB_COLOR, m_tabColorButton);
    DDX_Control(pDX, IDC_MODE_BKG_PIC, m_pictureEdit);
}

BOOL CViewModes::OnInitDialog()
{
    const CLocalizer& localizer = m_model.m_localizer;
    CLoadingGuard loading(this);
    CPropertyPage::OnInitDialog();
    for (int id : kLocalizedControls)
        localizer.LocalizeDlgItem(id, this);
    m_strClear = localizer.LoadLocalizedString(IDS_CLEAR_ICON);

    if (m_tip.Create(this)) {
        m_tip.AddTool(&m_pictureEdit, m_model.m_texts.strPictureFile);
        m_tip.Activate(TRUE);
    }
    m_hAccel = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_PAGE_ACCELERATORS));
    m_hDefaultIcon = SmallIcon(IDI_MODE_NO_ICON);
    for (const auto& button : kButtonIcons)
        ::SendDlgItemMessageW(m_hWnd, button.id, BM_SETIMAGE, IMAGE_ICON, (LPARAM)SmallIcon(button.icon));
    for (int id : { IDC_MODE_ADD, IDC_MODE_REMOVE, IDC_MODE_BKG_PIC_BROWSE, IDC_MODE_COMMANDS })
        ::EnableWindow(GetDlgItemHwnd(id), FALSE);

    for (int i = 0; i < m_modes.GetCount(); ++i) {
        int at = m_list.AddString(m_modes.GetAt(i).strName);
        m_list.SetItemData(at, m_modes.GetAt(i).nActive ? 1 : 0);
    }
    FillViewCombo();
    CString noColour = localizer.LoadLocalizedString(IDS_NO_COLOR);
    m_bkgColorButton.SetNoColorText(noColour.IsEmpty() ? nullptr : (LPCWSTR)noColour);
    m_tabColorButton.SetNoColorText(noColour.IsEmpty() ? nullptr : (LPCWSTR)noColour);
    m_bkgColorButton.SetColor(PopupColorAutomatic);
    m_tabColorButton.SetColor(PopupColorAutomatic);
    EnableModeControls(FALSE);
    return TRUE;
}

void CViewModes::FillViewCombo()
{
    const CLocalizer& localizer = m_model.m_localizer;
    m_viewCombo.ResetContent();
    int at = m_viewCombo.AddString(localizer.LoadLocalizedString(IDS_STANDARD_VIEWS));
    m_viewCombo.SetItemData(at, CCatCombo::GroupEntry);
    for (int i = 0; i < 5; ++i) {
        m_viewNames[i] = localizer.LoadLocalizedString(kViewTexts[i]);
        m_viewCombo.SetItemData(m_viewCombo.AddString(m_viewNames[i]), 0);
    }
    at = m_viewCombo.AddString(localizer.LoadLocalizedString(IDS_CUSTOM_VIEWS));
    m_viewCombo.SetItemData(at, CCatCombo::GroupEntry);
    std::vector<WCHAR> buffer;
    CIniHelper::ReadProfileBuffer(L"CustomFields", L"Titles", L"", buffer, m_model.m_hostPaths.strHostIni, TRUE);
    CString titles(buffer.data());
    for (int start = 0; start < titles.GetLength();) {
        int bar = titles.Find(L'|', start);
        CString title = titles.Mid(start, (bar < 0 ? titles.GetLength() : bar) - start);
        if (!title.IsEmpty())
            m_viewCombo.SetItemData(m_viewCombo.AddString(title), 0);
        start = bar < 0 ? titles.GetLength() : bar + 1;
    }
    m_viewCombo.SetCurSel(-1);
}

void CViewModes::SelectView(const CString& view)
{
    int selection = -1;
    // A built-in view by its stored (English) word or, in files written
    // under a language, by its localised name.
    for (int i = 0; i < 5 && selection < 0 && !view.IsEmpty(); ++i) {
        if (view.CompareNoCase(TableText(kViewTexts[i])) == 0 || view.CompareNoCase(m_viewNames[i]) == 0)
            selection = i + 1;
    }
    for (int i = 7; i < m_viewCombo.GetCount() && selection < 0 && !view.IsEmpty(); ++i) {
        CString text;
        m_viewCombo.GetLBText(i, text);
        if (text == view)
            selection = i;
    }
    m_viewCombo.SetCurSel(selection);
}

BOOL CViewModes::IsChecked(int nID) const
{
    return ::IsDlgButtonChecked(m_hWnd, nID) == BST_CHECKED;
}

void CViewModes::EnableModeControls(BOOL bEnable)
{
    for (const ModeControl& control : kModeControls)
        ::EnableWindow(GetDlgItemHwnd(control.id), bEnable && (!control.box || IsChecked(control.box)));
}

void CViewModes::SetModeModified()
{
    m_bModified = TRUE;
    SetModified();
}

void CViewModes::OnSelectionChange()
{
    m_nSelected = m_list.GetCurSel();
    ::EnableWindow(GetDlgItemHwnd(IDC_MODE_REMOVE), m_nSelected >= 0);
    ShowMode();
}

void CViewModes::ShowMode()
{
    CLoadingGuard loading(this);
    if (m_nSelected < 0 || m_nSelected >= m_modes.GetCount()) {
        m_nSelected = -1;
        EnableModeControls(FALSE);
        ::EnableWindow(GetDlgItemHwnd(IDC_MODE_REMOVE), FALSE);
        return;
    }
    const _tModeDef& mode = m_modes.GetAt(m_nSelected);
    SelectView(mode.strView);
    m_bkgColorButton.SetColor(ButtonColour(mode.crBkgColor));
    m_tabColorButton.SetColor(ButtonColour(mode.crTabColor));
    SetDlgItemText(IDC_MODE_BKG_PIC, mode.strBkgPic);
    UpdatePictureTip();
    ShowIcon(mode.strIconFile, mode.nIconIndex);
    CString sort;
    sort.Format(L"%d", mode.nSort);
    SetDlgItemText(IDC_MODE_SORT, sort);
    SetDlgItemText(IDC_MODE_TEXT, mode.strText == m_model.m_texts.strNone ? CString() : mode.strText);
    SetDlgItemText(IDC_MODE_GROUPS, mode.strGroups);
    SetDlgItemText(IDC_MODE_GROUPS2, mode.strGroups2);
    SetDlgItemText(IDC_MODE_AUTORUN_CMD, mode.strAutorunCmd);
    ::CheckDlgButton(m_hWnd, IDC_MODE_GROUPING, mode.nGroupping ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_MODE_GROUPING2, mode.nGroupping2 ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_MODE_AUTORUN, mode.nAutorun ? BST_CHECKED : BST_UNCHECKED);
    EnableModeControls(TRUE);
}

void CViewModes::ShowIcon(const CString& file, int index)
{
    HICON icon = nullptr;
    if (!file.IsEmpty())
        ::ExtractIconExW(file, index, nullptr, &icon, 1);
    ::SendDlgItemMessageW(m_hWnd, IDC_MODE_ICON, BM_SETIMAGE, IMAGE_ICON, (LPARAM)(icon ? icon : m_hDefaultIcon));
    if (m_hModeIcon)
        ::DestroyIcon(m_hModeIcon);
    m_hModeIcon = icon;
}

void CViewModes::UpdatePictureTip()
{
    if (!m_tip.m_hWnd)
        return;
    if (m_pictureEdit.GetWindowTextLength() == 0)
        m_tip.UpdateTipText(m_model.m_texts.strPictureFile, &m_pictureEdit);
    else
        UpdatePathTip(&m_pictureEdit, &m_tip);
}

BOOL CViewModes::ModeText(int nID, CString& text)
{
    if (IsLoading() || m_nSelected < 0 || m_nSelected >= m_modes.GetCount())
        return FALSE;
    GetDlgItemText(nID, text);
    return TRUE;
}

void CViewModes::OnAdd()
{
    CString name;
    GetDlgItemText(IDC_MODE_NEW_NAME, name);
    if (name.IsEmpty() || !m_modes.AcceptName(name, -1, m_model.m_localizer))
        return;
    _tModeDef mode;
    mode.strName = name;
    GetDlgItemText(IDC_MODE_TEXT, mode.strText);
    if (mode.strText.IsEmpty())
        mode.strText = m_model.m_texts.strNone;
    m_modes.Add(mode);
    m_list.SetItemData(m_list.AddString(name), 0);
    SetModeModified();
}

void CViewModes::OnRemove()
{
    if (m_nSelected < 0 || m_nSelected >= m_modes.GetCount())
        return;
    CString question;
    question.Format(L"%s '%s'?", (LPCWSTR)m_model.m_localizer.LoadLocalizedString(IDS_DELETE_MODE),
                    (LPCWSTR)m_modes.GetAt(m_nSelected).strName);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_list.DeleteString(m_nSelected);
    m_modes.RemoveAt(m_nSelected);
    int count = m_list.GetCount();
    m_list.SetCurSel(m_nSelected < count ? m_nSelected : m_nSelected - 1);
    OnSelectionChange();
    SetModeModified();
}

void CViewModes::OnMoved(int nFrom, int nTo)
{
    // The list put the entry before nTo: past its old place that is nTo - 1
    // once the entry left it.
    if (nTo < 0)
        m_modes.Move(nFrom, -1);
    else
        m_modes.Move(nFrom, nTo > nFrom ? nTo - 1 : nTo);
    SetModeModified();
}

void CViewModes::OnViewChange()
{
    if (IsLoading() || m_nSelected < 0)
        return;
    int selection = m_viewCombo.GetCurSel();
    if (selection < 0 || m_viewCombo.IsGroupEntry(selection))
        return;
    CString& view = m_modes.GetAt(m_nSelected).strView;
    // Built-in views are stored by the word the engine knows, whatever
    // language the page shows.
    if (selection >= 1 && selection <= 5)
        view = TableText(kViewTexts[selection - 1]);
    else
        m_viewCombo.GetLBText(selection, view);
    SetModeModified();
}

void CViewModes::OnIcon()
{
    if (m_nSelected < 0)
        return;
    _tModeDef& mode = m_modes.GetAt(m_nSelected);
    CIconDialog dialog(mode.strIconFile, mode.nIconIndex, this);
    dialog.SetClearText(m_strClear);
    switch (dialog.DoModal()) {
    case CIconDialog::IconCleared:
        if (mode.strIconFile.IsEmpty())
            return;
        mode.strIconFile.Empty();
        mode.nIconIndex = 0;
        break;
    case CIconDialog::IconChosen:
        mode.strIconFile = dialog.GetPath();
        mode.nIconIndex = dialog.GetIndex();
        break;
    default:
        return;
    }
    ShowIcon(mode.strIconFile, mode.nIconIndex);
    SetModeModified();
}

void CViewModes::OnPictureBrowse()
{
    if (m_nSelected < 0)
        return;
    CString filter;
    filter.Format(L"%s|*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.tif;*.tiff||", (LPCWSTR)m_model.m_texts.strGraphicFiles);
    // The dialog needs the real path of a host-relative one.
    CFileDialog dialog(TRUE, nullptr, ExpandText(m_modes.GetAt(m_nSelected).strBkgPic),
                       OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter, this);
    if (dialog.DoModal() == IDOK)
        SetDlgItemText(IDC_MODE_BKG_PIC, dialog.GetPathName());
}

void CViewModes::OnCommandBrowse()
{
    if (m_nSelected < 0)
        return;
    CCmdBrowser browser(m_model, this);
    if (browser.DoModal() != IDOK || browser.GetCommand().IsEmpty())
        return;
    CString& commands = m_modes.GetAt(m_nSelected).strAutorunCmd;
    if (!commands.IsEmpty())
        commands += L"|";
    commands += browser.GetCommand();
    ShowMode();
    SetModeModified();
}

void CViewModes::OnMaskButton(int nID)
{
    bool first = nID == IDC_MODE_GROUPS_BEFORE || nID == IDC_MODE_GROUPS_AFTER;
    bool before = nID == IDC_MODE_GROUPS_BEFORE || nID == IDC_MODE_GROUPS2_BEFORE;
    CRect rect;
    ::GetWindowRect(GetDlgItemHwnd(nID), &rect);
    CEdit edit;
    edit.Attach(GetDlgItemHwnd(first ? IDC_MODE_GROUPS : IDC_MODE_GROUPS2));
    ShowMaskMenu(CPoint(rect.left, rect.bottom + 1), &edit, this, before ? MaskBefore : MaskAfter,
                 m_model.m_hostPaths.strHostIni, m_model.m_texts.strHostFileMasks);
    edit.Detach();
}

void CViewModes::OnMaskAccelerator()
{
    HWND focus = ::GetFocus();
    HWND groups = GetDlgItemHwnd(IDC_MODE_GROUPS), groups2 = GetDlgItemHwnd(IDC_MODE_GROUPS2);
    if (focus != groups && focus != groups2)
        return;
    RECT rect;
    ::GetWindowRect(focus, &rect);
    POINT cursor;
    ::GetCursorPos(&cursor);
    CEdit edit;
    edit.Attach(focus);
    ShowMaskMenu(CPoint(cursor.x, rect.bottom), &edit, this, MaskAtSelection, m_model.m_hostPaths.strHostIni,
                 m_model.m_texts.strHostFileMasks);
    edit.Detach();
}

BOOL CViewModes::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == ID_MASK_MENU && !lParam) {
        OnMaskAccelerator();
        return TRUE;
    }
    CString text;
    if (code == EN_CHANGE) {
        switch (id) {
        case IDC_MODE_NEW_NAME:
            ::EnableWindow(GetDlgItemHwnd(IDC_MODE_ADD), GetDlgItemHwnd(IDC_MODE_NEW_NAME) &&
                                                             ::GetWindowTextLengthW(GetDlgItemHwnd(id)) > 0);
            return TRUE;
        case IDC_MODE_TEXT:
            if (ModeText(id, text)) {
                m_modes.GetAt(m_nSelected).strText = text.IsEmpty() ? m_model.m_texts.strNone : text;
                SetModeModified();
            }
            return TRUE;
        case IDC_MODE_SORT:
            if (ModeText(id, text)) {
                m_modes.GetAt(m_nSelected).nSort = _wtoi(text);
                SetModeModified();
            }
            return TRUE;
        case IDC_MODE_BKG_PIC:
            if (ModeText(id, text)) {
                m_modes.GetAt(m_nSelected).strBkgPic = text;
                UpdatePictureTip();
                SetModeModified();
            }
            return TRUE;
        case IDC_MODE_GROUPS:
        case IDC_MODE_GROUPS2:
        case IDC_MODE_AUTORUN_CMD:
            if (ModeText(id, text)) {
                _tModeDef& mode = m_modes.GetAt(m_nSelected);
                (id == IDC_MODE_GROUPS ? mode.strGroups : id == IDC_MODE_GROUPS2 ? mode.strGroups2
                                                                                 : mode.strAutorunCmd) = text;
                SetModeModified();
            }
            return TRUE;
        }
    } else if (code == BN_CLICKED) {
        switch (id) {
        case IDC_MODE_ADD:
            OnAdd();
            return TRUE;
        case IDC_MODE_REMOVE:
            OnRemove();
            return TRUE;
        case IDC_MODE_ICON:
            OnIcon();
            return TRUE;
        case IDC_MODE_BKG_PIC_BROWSE:
            OnPictureBrowse();
            return TRUE;
        case IDC_MODE_COMMANDS:
            OnCommandBrowse();
            return TRUE;
        case IDC_MODE_GROUPS_BEFORE:
        case IDC_MODE_GROUPS_AFTER:
        case IDC_MODE_GROUPS2_BEFORE:
        case IDC_MODE_GROUPS2_AFTER:
            OnMaskButton(id);
            return TRUE;
        case IDC_MODE_GROUPING:
        case IDC_MODE_GROUPING2:
        case IDC_MODE_AUTORUN:
            if (!IsLoading() && m_nSelected >= 0) {
                _tModeDef& mode = m_modes.GetAt(m_nSelected);
                (id == IDC_MODE_GROUPING ? mode.nGroupping : id == IDC_MODE_GROUPING2 ? mode.nGroupping2
                                                                                       : mode.nAutorun) = IsChecked(id);
                EnableModeControls(TRUE);
                SetModeModified();
            }
            return TRUE;
        }
    } else if (id == IDC_MODE_LIST && code == LBN_SELCHANGE) {
        OnSelectionChange();
        return TRUE;
    } else if (id == IDC_MODE_VIEW && code == CBN_SELCHANGE) {
        OnViewChange();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

LRESULT CViewModes::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WMU_DDL_MOVED:
        OnMoved((int)wParam, (int)lParam);
        return 0;
    case WMU_DDL_CHECKED:
        if ((int)wParam >= 0 && (int)wParam < m_modes.GetCount()) {
            m_modes.GetAt((int)wParam).nActive = (int)lParam;
            SetModeModified();
        }
        return 0;
    case WMU_DDL_ACCEPTNAME:
        return m_modes.AcceptName((LPCWSTR)lParam, (int)wParam, m_model.m_localizer);
    case WMU_EDIT_DONE:
        if ((int)wParam >= 0 && (int)wParam < m_modes.GetCount()) {
            CString name;
            m_list.GetText((int)wParam, name);
            m_modes.Rename((int)wParam, name);
            SetModeModified();
        }
        return 0;
    case WMU_COLOR_SELENDOK:
        if (m_nSelected >= 0) {
            COLORREF colour = (COLORREF)wParam == PopupColorAutomatic ? ModeNoColour : (COLORREF)wParam;
            _tModeDef& mode = m_modes.GetAt(m_nSelected);
            (lParam == IDC_MODE_BKG_COLOR ? mode.crBkgColor : mode.crTabColor) = colour;
            SetModeModified();
        }
        return 0;
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

BOOL CViewModes::PreTranslateMessage(MSG* pMsg)
{
    if (m_tip.m_hWnd)
        m_tip.RelayEvent(pMsg);
    if (m_hAccel && ::TranslateAcceleratorW(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CPropertyPage::PreTranslateMessage(pMsg);
}

BOOL CViewModes::OnSetActive()
{
    SetDlgItemText(IDC_MODE_NEW_NAME, L"");
    return CPropertyPage::OnSetActive();
}

BOOL CViewModes::OnApply()
{
    if (m_bModified) {
        m_modes.SaveModes();
        // What failed is written again by the next OK or Apply.
        m_bModified = !m_model.m_writeReport.Note(m_modes);
    }
    return CPropertyPage::OnApply();
}
