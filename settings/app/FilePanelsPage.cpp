// CFilePanelsPage: reads and writes the file-list keys of [Config] and
// [Colors&Styles] in Merovin.ini; the cursor mark goes through the shared
// mark settings.
#include "FilePanelsPage.h"
#include "ColorSetting.h"
#include "CommonDialogs.h"
#include "DataExchange.h"
#include "IniHelper.h"
#include "PageFunctions.h"
#include "Resource.h"
#include "SettingsModel.h"
#include "WinApp.h"

namespace {

const WCHAR kConfig[] = L"Config";
const int kFillWhenInvalid = 33;
const int kDefaultOpacity = 64;

const int kLocalizedControls[] = {
    IDC_PANEL_LOST_FOCUS, IDC_PANEL_MARK_COLOR_LABEL, IDC_PANEL_MARK_STYLE_LABEL, IDC_PANEL_PICTURE_LABEL,
    IDC_PANEL_BRIEF_SINGLE, IDC_PANEL_SHOW_FIRST, IDC_PANEL_SHOW_LAST, IDC_PANEL_ZIRAVIRURA,
    IDC_PANEL_AREA_COLOR_LABEL, IDC_PANEL_OPACITY_LABEL, IDC_PANEL_GROUPS, IDC_PANEL_FIXED_WIDTH, IDC_PANEL_ESC,
    IDC_PANEL_RENAME, IDC_PANEL_GOTO_UP, IDC_PANEL_JUMP, IDC_PANEL_MARK_FILL_LABEL, IDC_PANEL_WIDTH_LEFT_LABEL,
    IDC_PANEL_WIDTH_RIGHT_LABEL, IDC_PANEL_NEW_TAB,
};

// In the order of the style index.
const UINT kStyleTexts[] = {IDS_MARK_ALPHA, IDS_FILL_FRAME, IDS_FILL_SOLID, IDS_MARK_UNDERLINE};

// Boxes whose click re-reads the page.
const int kCheckBoxes[] = {
    IDC_PANEL_LOST_FOCUS, IDC_PANEL_BRIEF_SINGLE, IDC_PANEL_SHOW_FIRST, IDC_PANEL_ZIRAVIRURA, IDC_PANEL_SHOW_LAST,
    IDC_PANEL_FIXED_WIDTH, IDC_PANEL_ESC, IDC_PANEL_RENAME, IDC_PANEL_GOTO_UP, IDC_PANEL_JUMP, IDC_PANEL_NEW_TAB,
};

// Which box enables which controls.
struct Dependency {
    int box;
    int controls[3];
};
const Dependency kDependencies[] = {
    { IDC_PANEL_SHOW_FIRST, { IDC_PANEL_FIRST_MASKS, IDC_PANEL_FIRST_BEFORE, IDC_PANEL_FIRST_AFTER } },
    { IDC_PANEL_SHOW_LAST, { IDC_PANEL_LAST_MASKS, IDC_PANEL_LAST_BEFORE, IDC_PANEL_LAST_AFTER } },
    { IDC_PANEL_LOST_FOCUS, { IDC_PANEL_MARK_COLOR, IDC_PANEL_MARK_STYLE } },
    { IDC_PANEL_ZIRAVIRURA, { IDC_PANEL_AREA_COLOR, IDC_PANEL_OPACITY } },
    { IDC_PANEL_FIXED_WIDTH, { IDC_PANEL_WIDTH_LEFT, IDC_PANEL_WIDTH_RIGHT } },
};

// The mask buttons: the edit each fills and where the mask goes.
struct MaskButton {
    int button;
    int edit;
    int mode;
};
const MaskButton kMaskButtons[] = {
    { IDC_PANEL_FIRST_BEFORE, IDC_PANEL_FIRST_MASKS, MaskBefore },
    { IDC_PANEL_LAST_BEFORE, IDC_PANEL_LAST_MASKS, MaskBefore },
    { IDC_PANEL_FIRST_AFTER, IDC_PANEL_FIRST_MASKS, MaskAfter },
    { IDC_PANEL_LAST_AFTER, IDC_PANEL_LAST_MASKS, MaskAfter },
};

int ClampStyle(int nStyle)
{
    return nStyle >= 0 && nStyle < (int)_countof(kStyleTexts) ? nStyle : 0;
}

} // namespace

CFilePanelsPage::CFilePanelsPage(CSettingsModel& model)
    : CPropertyPage(IDD_FILE_PANELS, IDD_FILE_PANELS), m_model(model), m_markButton(model.m_localizer),
      m_areaButton(model.m_localizer)
{
}

void CFilePanelsPage::ReadSettings()
{
    CIniHelper ini(m_model.m_strOwnIni);
    m_ziravirura = ini.ReadInt(kConfig, L"Ziravirura", 0);
    m_retrColor = CIniHelper::ReadColour(ColorsSection, L"RetrColor", m_model.m_strOwnIni,
                                         ::GetSysColor(COLOR_HIGHLIGHT));
    m_retrOpacity = ini.ReadInt(ColorsSection, L"RetrOpacity", kDefaultOpacity);
    m_briefSingleColor = ini.ReadInt(kConfig, L"BriefSingleColor", 0);
    m_changeColumns = ini.ReadInt(kConfig, L"ChangeColumns", 0);
    m_width0 = ini.ReadInt(kConfig, L"ColumnsWidth0", 200);
    m_width1 = ini.ReadInt(kConfig, L"ColumnsWidth1", 200);
    m_escSpecial = ini.ReadInt(kConfig, L"ESCSpecial", 0);
    m_inPlaceRename = ini.ReadInt(kConfig, L"InPlaceRename", 0);
    m_gotoUpFromRoot = ini.ReadInt(kConfig, L"GotoUpFromRoot", 0);
    m_jumpBeginEnd = ini.ReadInt(kConfig, L"JumpBeginEnd", 0);
    m_newTab = ini.ReadInt(kConfig, L"MClick2NewTab", 0);
    // Grouping is on unless switched off, as the engine reads it.
    m_showFirst = ini.ReadInt(kConfig, L"FileGroupping", 1);
    m_showLast = ini.ReadInt(kConfig, L"FileGroupping2", 1);
    // Whole values: what the engine reads must survive a save.
    m_strFirstMasks = ini.ReadString(kConfig, L"FileGroups");
    m_strLastMasks = ini.ReadString(kConfig, L"FileGroups2");
    m_strPicture = ini.ReadString(kConfig, L"BkgFile");
    m_model.m_marks.cursor.nStyle = ClampStyle(m_model.m_marks.cursor.nStyle);
    m_strFill = FormatFillText(m_model.m_marks.cursor.nFill);
}

void CFilePanelsPage::DoDataExchange(CDataExchange* pDX)
{
    CMarkSetting& cursor = m_model.m_marks.cursor;
    DDX_Check(pDX, IDC_PANEL_LOST_FOCUS, cursor.nEnabled);
    DDX_CBIndex(pDX, IDC_PANEL_MARK_STYLE, cursor.nStyle);
    DDX_Text(pDX, IDC_PANEL_MARK_FILL, m_strFill);
    DDX_Check(pDX, IDC_PANEL_ZIRAVIRURA, m_ziravirura);
    DDX_Check(pDX, IDC_PANEL_BRIEF_SINGLE, m_briefSingleColor);
    DDX_Check(pDX, IDC_PANEL_FIXED_WIDTH, m_changeColumns);
    DDXMinWidth(pDX, IDC_PANEL_WIDTH_LEFT, m_width0);
    DDXMinWidth(pDX, IDC_PANEL_WIDTH_RIGHT, m_width1);
    DDX_Check(pDX, IDC_PANEL_ESC, m_escSpecial);
    DDX_Check(pDX, IDC_PANEL_RENAME, m_inPlaceRename);
    DDX_Check(pDX, IDC_PANEL_GOTO_UP, m_gotoUpFromRoot);
    DDX_Check(pDX, IDC_PANEL_JUMP, m_jumpBeginEnd);
    DDX_Check(pDX, IDC_PANEL_NEW_TAB, m_newTab);
    DDX_Check(pDX, IDC_PANEL_SHOW_FIRST, m_showFirst);
    DDX_Text(pDX, IDC_PANEL_FIRST_MASKS, m_strFirstMasks);
    DDX_Check(pDX, IDC_PANEL_SHOW_LAST, m_showLast);
    DDX_Text(pDX, IDC_PANEL_LAST_MASKS, m_strLastMasks);
    DDX_Text(pDX, IDC_PANEL_PICTURE, m_strPicture);
    DDX_Control(pDX, IDC_PANEL_MARK_COLOR, m_markButton);
    DDX_Control(pDX, IDC_PANEL_AREA_COLOR, m_areaButton);
    DDX_Control(pDX, IDC_PANEL_OPACITY, m_opacity);
    DDX_Control(pDX, IDC_PANEL_FIRST_MASKS, m_firstMasks);
    DDX_Control(pDX, IDC_PANEL_LAST_MASKS, m_lastMasks);
    if (pDX->m_bSaveAndValidate)
        cursor.nStyle = ClampStyle(cursor.nStyle);
}

void CFilePanelsPage::FillMarkStyles()
{
    HWND combo = GetDlgItemHwnd(IDC_PANEL_MARK_STYLE);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (UINT id : kStyleTexts)
        ::SendMessageW(combo, CB_ADDSTRING, 0, (LPARAM)(LPCWSTR)m_model.m_localizer.LoadLocalizedString(id));
    ::SendMessageW(combo, CB_SETCURSEL, m_model.m_marks.cursor.nStyle, 0);
}

void CFilePanelsPage::SetImages()
{
    struct Image {
        int button;
        UINT icon;
    };
    const Image images[] = {
        { IDC_PANEL_PICTURE_BROWSE, IDI_PICTURE_BROWSE }, { IDC_PANEL_FIRST_BEFORE, IDI_MASK_BEFORE },
        { IDC_PANEL_LAST_BEFORE, IDI_MASK_BEFORE },       { IDC_PANEL_FIRST_AFTER, IDI_MASK_AFTER },
        { IDC_PANEL_LAST_AFTER, IDI_MASK_AFTER },
    };
    for (const Image& image : images) {
        HICON icon = (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(image.icon), IMAGE_ICON, 16, 16,
                                         LR_SHARED);
        SendDlgItemMessage(image.button, BM_SETIMAGE, IMAGE_ICON, (LPARAM)icon);
    }
}

BOOL CFilePanelsPage::OnInitDialog()
{
    ReadSettings();
    m_hAccel = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_PAGE_ACCELERATORS));
    {
        CLoadingGuard loading(this);
        FillMarkStyles();
        CPropertyPage::OnInitDialog();
        if (m_tip.Create(this)) {
            m_tip.AddTool(CWnd::FromHandle(GetDlgItemHwnd(IDC_PANEL_PICTURE)), m_model.m_texts.strPictureFile);
            m_tip.Activate(TRUE);
        }
        for (int id : kLocalizedControls)
            m_model.m_localizer.LocalizeDlgItem(id, this);
        m_opacity.SetRange(25, 250, TRUE);
        m_opacity.SetPos(m_retrOpacity);
        m_opacity.SetTipSide(TBTS_BOTTOM);
        m_markButton.SetDefaultColor(::GetSysColor(COLOR_GRADIENTACTIVECAPTION));
        m_markButton.SetColor(m_model.m_marks.cursor.crColour);
        m_areaButton.SetDefaultColor(::GetSysColor(COLOR_HIGHLIGHT));
        m_areaButton.SetColor(m_retrColor);
        SetImages();
    }
    EnableDependents();
    UpdatePictureTip();
    return TRUE;
}

void CFilePanelsPage::EnableDependents()
{
    auto Checked = [this](int id) { return IsDlgButtonChecked(id) == BST_CHECKED; };
    for (const Dependency& d : kDependencies) {
        BOOL on = Checked(d.box);
        for (int id : d.controls)
            if (id)
                ::EnableWindow(GetDlgItemHwnd(id), on);
    }
    // The fill applies to the fading style only.
    BOOL fading = SendDlgItemMessage(IDC_PANEL_MARK_STYLE, CB_GETCURSEL) == 0;
    ::EnableWindow(GetDlgItemHwnd(IDC_PANEL_MARK_FILL), Checked(IDC_PANEL_LOST_FOCUS) && fading);
}

void CFilePanelsPage::UpdatePictureTip()
{
    if (!m_tip.m_hWnd)
        return;
    CString text;
    GetDlgItemText(IDC_PANEL_PICTURE, text);
    m_tip.UpdateTipText(text.IsEmpty() ? (LPCWSTR)m_model.m_texts.strPictureFile : (LPCWSTR)text,
                        CWnd::FromHandle(GetDlgItemHwnd(IDC_PANEL_PICTURE)));
}

void CFilePanelsPage::MarkModified()
{
    m_bModified = TRUE;
    SetModified();
}

void CFilePanelsPage::UpdatePanelControls()
{
    UpdateData(TRUE);
    EnableDependents();
    UpdatePictureTip();
    MarkModified();
}

void CFilePanelsPage::TakeFill()
{
    UpdateData(TRUE);
    int fill = 0;
    m_model.m_marks.cursor.nFill = ParseNumberField(m_strFill, fill) ? fill : kFillWhenInvalid;
    MarkModified();
}

void CFilePanelsPage::TakeMarkColour()
{
    MarkModified();
    m_model.m_marks.cursor.crColour = m_markButton.GetShownColor();
}

void CFilePanelsPage::TakeOpacity(HWND hScroll)
{
    if (!m_opacity.m_hWnd || hScroll != m_opacity.m_hWnd)
        return;
    m_retrOpacity = m_opacity.GetPos();
    MarkModified();
}

void CFilePanelsPage::BrowsePicture()
{
    CString current;
    GetDlgItemText(IDC_PANEL_PICTURE, current);
    CString filter;
    filter.Format(L"%s|*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.tif;*.tiff||", (LPCWSTR)m_model.m_texts.strGraphicFiles);
    // The dialog needs the real path of a host-relative one.
    CFileDialog dialog(TRUE, nullptr, ExpandText(current), OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_strPicture = dialog.GetPathName();
    SetDlgItemText(IDC_PANEL_PICTURE, m_strPicture); // its change handler marks the page
}

void CFilePanelsPage::ShowMasksAtButton(int nButton, int nEdit, int nMode)
{
    CRect rect;
    ::GetWindowRect(GetDlgItemHwnd(nButton), &rect);
    CEdit* edit = nEdit == IDC_PANEL_FIRST_MASKS ? &m_firstMasks : &m_lastMasks;
    ShowMaskMenu(CPoint(rect.left, rect.bottom + 1), edit, this, nMode, m_model.m_hostPaths.strHostIni,
                 m_model.m_texts.strHostFileMasks, m_trackMaskMenu);
}

void CFilePanelsPage::ShowMasksAtFocus()
{
    HWND focus = ::GetFocus();
    CEdit* edit = focus == m_firstMasks.m_hWnd ? &m_firstMasks : focus == m_lastMasks.m_hWnd ? &m_lastMasks : nullptr;
    if (!edit || !focus)
        return;
    CRect rect;
    edit->GetWindowRect(&rect);
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ShowMaskMenu(CPoint(cursor.x, rect.bottom), edit, this, MaskAtSelection, m_model.m_hostPaths.strHostIni,
                 m_model.m_texts.strHostFileMasks, m_trackMaskMenu);
}

BOOL CFilePanelsPage::PreTranslateMessage(MSG* pMsg)
{
    if (m_tip.m_hWnd)
        m_tip.RelayEvent(pMsg);
    if (m_hAccel && m_hWnd && ::TranslateAcceleratorW(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CPropertyPage::PreTranslateMessage(pMsg);
}

BOOL CFilePanelsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == ID_MASK_MENU && code <= 1) {
        ShowMasksAtFocus();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        if (id == IDC_PANEL_PICTURE_BROWSE) {
            BrowsePicture();
            return TRUE;
        }
        for (const MaskButton& b : kMaskButtons) {
            if (id == b.button) {
                ShowMasksAtButton(b.button, b.edit, b.mode);
                return TRUE;
            }
        }
    }
    if (IsLoading())
        return CPropertyPage::OnCommand(wParam, lParam);
    bool box = false;
    for (int checkBox : kCheckBoxes)
        box = box || (code == BN_CLICKED && id == checkBox);
    bool reread = box || (code == CBN_SELCHANGE && id == IDC_PANEL_MARK_STYLE) ||
                  (code == EN_CHANGE && (id == IDC_PANEL_PICTURE || id == IDC_PANEL_FIRST_MASKS ||
                                         id == IDC_PANEL_LAST_MASKS));
    if (reread) {
        if (id == IDC_PANEL_FIXED_WIDTH)
            m_bWidthsChanged = TRUE;
        UpdatePanelControls();
        return TRUE;
    }
    if (code == EN_CHANGE && id == IDC_PANEL_MARK_FILL) {
        TakeFill();
        return TRUE;
    }
    if (code == EN_CHANGE && (id == IDC_PANEL_WIDTH_LEFT || id == IDC_PANEL_WIDTH_RIGHT)) {
        m_bWidthsChanged = TRUE;
        MarkModified();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

LRESULT CFilePanelsPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HSCROLL:
        TakeOpacity((HWND)lParam);
        break;
    case WMU_COLOR_SELENDOK:
        TakeMarkColour();
        return 0;
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

BOOL CFilePanelsPage::CorrectValues()
{
    BOOL corrected = FALSE;
    if (m_retrOpacity < 0 || m_retrOpacity > 255) {
        m_retrOpacity = kDefaultOpacity;
        corrected = TRUE;
    }
    int fill = 0;
    if (!ParseNumberField(m_strFill, fill)) {
        fill = kFillWhenInvalid; // the box keeps the typed text
    }
    m_model.m_marks.cursor.nFill = fill;
    return corrected;
}

BOOL CFilePanelsPage::OnApply()
{
    if (m_bModified) {
        UpdateData(TRUE); // widths below 50 become 200 on the way
        if (CorrectValues() && m_opacity.m_hWnd)
            m_opacity.SetPos(m_retrOpacity);
        CIniHelper ini(m_model.m_strOwnIni);
        ini.WriteInt(kConfig, L"FileGroupping", m_showFirst);
        ini.WriteInt(kConfig, L"FileGroupping2", m_showLast);
        ini.WriteString(kConfig, L"BkgFile", ShortenHostPath(m_strPicture));
        ini.WriteInt(kConfig, L"BriefSingleColor", m_briefSingleColor);
        ini.WriteString(kConfig, L"FileGroups", m_strFirstMasks);
        ini.WriteString(kConfig, L"FileGroups2", m_strLastMasks);
        ini.WriteInt(kConfig, L"Ziravirura", m_ziravirura);
        ini.WriteColour(ColorsSection, L"RetrColor", m_areaButton.GetShownColor());
        ini.WriteInt(ColorsSection, L"RetrOpacity", m_retrOpacity);
        ini.WriteInt(kConfig, L"ChangeColumns", m_changeColumns);
        ini.WriteInt(kConfig, L"ESCSpecial", m_escSpecial);
        ini.WriteInt(kConfig, L"MClick2NewTab", m_newTab);
        ini.WriteInt(kConfig, L"InPlaceRename", m_inPlaceRename);
        ini.WriteInt(kConfig, L"GotoUpFromRoot", m_gotoUpFromRoot);
        ini.WriteInt(kConfig, L"JumpBeginEnd", m_jumpBeginEnd);
        if (m_bWidthsChanged) {
            ini.WriteInt(kConfig, L"ColumnsWidth0", m_width0);
            ini.WriteInt(kConfig, L"ColumnsWidth1", m_width1);
        }
        SaveMarkSettings(m_model.m_marks, ini, m_model.m_backgrounds);
        // What failed is written again by the next OK or Apply.
        m_bModified = !m_model.m_writeReport.Note(ini);
        if (!m_bModified)
            m_bWidthsChanged = FALSE;
    }
    return CPropertyPage::OnApply();
}
