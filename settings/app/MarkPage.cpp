// CMarkPage and its two pages: the mark's controls, the preview, the
// command list and the shared background.
#include "MarkPage.h"
#include "DataExchange.h"
#include "KeyPage.h"
#include "Localizer.h"
#include "MainSheet.h"
#include "PageFunctions.h"
#include "Resource.h"
#include "SettingsModel.h"
#include "WinApp.h"

namespace {

const int kLocalizedControls[] = {
    IDC_MARK_ENABLE,      IDC_MARK_COLOR_LABEL, IDC_MARK_STYLE_LABEL,   IDC_MARK_FILL_LABEL,
    IDC_MARK_KEYS_LABEL,  IDC_MARK_KEYS_BUTTON, IDC_MARK_PREVIEW_LABEL,
};

const UINT kStyleTexts[] = {IDS_MARK_ALPHA, IDS_FILL_FRAME, IDS_FILL_SOLID, IDS_MARK_UNDERLINE};

const CMarkPage::CCommandRow kStickyRows[] = {
    {182, L"StickIt"}, {183, L"UnStickIt"}, {184, L"StickConfig"}, {181, L"ToggleStick"}, {202, L"UnStickAll"},
};

const CMarkPage::CCommandRow kBookmarkRows[] = {
    {190, L"ToggleBookMark"}, {193, L"BookMarkNext"},  {192, L"BookMarkPrev"},
    {191, L"JumpBookMark"},   {196, L"Book2Selection"}, {194, L"CopyBookMark"},
    {195, L"PasteBookMark"},  {197, L"ClearBookMark"},  {198, L"ToggleSaveBookmark"},
};

const int kInvalidFill = 33;

CPreviewMark PreviewMark(const CMarkSetting& mark)
{
    CPreviewMark preview;
    preview.nEnabled = mark.nEnabled;
    preview.crColour = mark.crColour;
    preview.nStyle = mark.nStyle;
    preview.nFill = mark.nFill;
    return preview;
}

} // namespace

CMarkPage::CMarkPage(UINT nIDTemplate, CSettingsModel& model, CMainSheet* pSheet, CMarkSetting CMarkSettings::*pMark,
                     int nExtraId, const CCommandRow* pRows, int nRows, LPCWSTR lpszFilter, COLORREF crDefault)
    : CPropertyPage(nIDTemplate, nIDTemplate), m_model(model), m_pSheet(pSheet), m_pMark(pMark),
      m_nExtraId(nExtraId), m_pRows(pRows), m_nRows(nRows), m_strFilter(lpszFilter), m_crDefault(crDefault),
      m_colorButton(model.m_localizer)
{
}

CStickyFilesPage::CStickyFilesPage(CSettingsModel& model, CMainSheet* pSheet)
    : CMarkPage(IDD_STICKY_FILES, model, pSheet, &CMarkSettings::sticky, IDC_STICKY_SORT, kStickyRows,
                _countof(kStickyRows), L"Stick", ::GetSysColor(COLOR_ACTIVECAPTION))
{
}

CBookmarksPage::CBookmarksPage(CSettingsModel& model, CMainSheet* pSheet)
    : CMarkPage(IDD_BOOKMARKS, model, pSheet, &CMarkSettings::bookmark, IDC_BOOKMARKS_PERSIST, kBookmarkRows,
                _countof(kBookmarkRows), L"Book", 0xE696E6)
{
}

CMarkSetting& CMarkPage::Mark()
{
    return m_model.m_marks.*m_pMark;
}

void CMarkPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_MARK_COLOR, m_colorButton);
    DDX_Control(pDX, IDC_MARK_PREVIEW, m_preview);
    DDX_Control(pDX, IDC_MARK_KEYS, m_keyList);
    CMarkSetting& mark = Mark();
    DDX_Check(pDX, IDC_MARK_ENABLE, mark.nEnabled);
    DDX_Check(pDX, m_nExtraId, mark.nExtra);
    DDX_CBIndex(pDX, IDC_MARK_STYLE, mark.nStyle);
    DDX_Text(pDX, IDC_MARK_FILL, m_strFill);
    if (pDX->m_bSaveAndValidate) {
        if (mark.nStyle < 0 || mark.nStyle >= (int)_countof(kStyleTexts))
            mark.nStyle = 0;
        mark.crColour = m_colorButton.GetShownColor();
    } else {
        m_colorButton.SetColor(mark.crColour);
    }
}

BOOL CMarkPage::OnInitDialog()
{
    CLoadingGuard loading(this);
    m_strFill = FormatFillText(Mark().nFill);
    CPropertyPage::OnInitDialog();
    const CLocalizer& localizer = m_model.m_localizer;
    for (int id : kLocalizedControls)
        localizer.LocalizeDlgItem(id, this);
    localizer.LocalizeDlgItem(m_nExtraId, this);

    FillBackgroundCombo();
    LoadBackground();

    m_keyList.InsertColumn(0, localizer.LoadLocalizedString(IDS_MARK_COMMANDS_COLUMN));
    m_keyList.InsertColumn(1, localizer.LoadLocalizedString(IDS_MARK_HOTKEYS_COLUMN));
    m_keyList.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
    m_keyList.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);

    HWND style = GetDlgItemHwnd(IDC_MARK_STYLE);
    for (UINT text : kStyleTexts)
        ::SendMessageW(style, CB_ADDSTRING, 0, (LPARAM)(LPCWSTR)localizer.LoadLocalizedString(text));
    ::SendMessageW(style, CB_SETCURSEL, Mark().nStyle, 0);

    m_colorButton.SetDefaultColor(m_crDefault);
    m_colorButton.SetColor(Mark().crColour);
    return TRUE;
}

void CMarkPage::FillBackgroundCombo()
{
    ::FillBackgroundCombo(GetDlgItem(IDC_MARK_BACKGROUND), m_model.m_backgrounds, m_model.m_marks.nBackground);
}

void CMarkPage::LoadBackground()
{
    int index = m_model.m_marks.nBackground;
    if (index == m_nShownBackground)
        return;
    m_nShownBackground = index;
    if (index > 0 && index < m_model.m_backgrounds.GetSize() &&
        m_preview.SetBackgroundFile(m_model.m_strOwnFolder + L"\\" + m_model.m_backgrounds[index]))
        return;
    m_preview.SetBackgroundBitmap(
        (HBITMAP)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_PREVIEW_FILES), IMAGE_BITMAP, 0, 0, 0));
}

void CMarkPage::ShowMarks()
{
    const CMarkSettings& marks = m_model.m_marks;
    m_preview.SetMark(0, PreviewMark(marks.sticky));
    m_preview.SetMark(1, PreviewMark(marks.bookmark));
    m_preview.SetMark(2, PreviewMark(marks.cursor));
    if (m_preview.m_hWnd)
        m_preview.Invalidate();
}

BOOL CMarkPage::OnSetActive()
{
    {
        CLoadingGuard loading(this);
        m_strFill = FormatFillText(Mark().nFill);
        CPropertyPage::OnSetActive();
        // Another page may have chosen another background meanwhile.
        ::SendMessageW(GetDlgItemHwnd(IDC_MARK_BACKGROUND), CB_SETCURSEL, m_model.m_marks.nBackground, 0);
        LoadBackground();
        ShowMarks();
        FillKeyList();
    }
    UpdateEnabling();
    return TRUE;
}

void CMarkPage::FillKeyList()
{
    m_keyList.DeleteAllItems();
    for (int i = 0; i < m_nRows; ++i) {
        int row = m_keyList.InsertItem(i, m_model.m_localizer.LoadLocalizedString(m_pRows[i].nText));
        int entry = m_model.m_holder.FindByCommand(m_pRows[i].lpszCommand, SourceOwn);
        if (row >= 0 && entry >= 0)
            m_keyList.SetItemText(row, 1, m_model.m_holder.GetAt(entry).strKey);
    }
    m_keyList.SetColumnWidth(0, LVSCW_AUTOSIZE);
    m_keyList.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
}

void CMarkPage::UpdateEnabling()
{
    BOOL on = ::SendMessageW(GetDlgItemHwnd(IDC_MARK_ENABLE), BM_GETCHECK, 0, 0) == BST_CHECKED;
    EnableChildrenExcept(this, GetDlgItem(IDC_MARK_ENABLE), on);
    int style = (int)::SendMessageW(GetDlgItemHwnd(IDC_MARK_STYLE), CB_GETCURSEL, 0, 0);
    ::EnableWindow(GetDlgItemHwnd(IDC_MARK_FILL), on && style == 0);
    if (m_model.m_backgrounds.GetSize() < 2)
        ::EnableWindow(GetDlgItemHwnd(IDC_MARK_BACKGROUND), FALSE);
}

void CMarkPage::TakeFill()
{
    int fill = kInvalidFill;
    if (ParseNumberField(m_strFill, fill))
        Mark().nFill = fill;
    else
        Mark().nFill = kInvalidFill;
    ShowMarks();
}

void CMarkPage::MarkModified()
{
    m_bModified = TRUE;
    SetModified();
}

void CMarkPage::ShowKeyboardPage()
{
    CKeyPage* keys = m_pSheet ? m_pSheet->GetKeyPage() : nullptr;
    if (!keys)
        return;
    m_pSheet->SetActivePage(keys);
    keys->SelectSet(m_strFilter, 1);
}

BOOL CMarkPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam), code = HIWORD(wParam);
    if (IsLoading() || !lParam)
        return CPropertyPage::OnCommand(wParam, lParam);
    if (code == BN_CLICKED && id == IDC_MARK_KEYS_BUTTON) {
        ShowKeyboardPage();
        return TRUE;
    }
    bool handled = true;
    if (code == CBN_SELCHANGE && id == IDC_MARK_STYLE) {
        UpdateData(TRUE);
        ShowMarks();
        UpdateEnabling();
    } else if (code == CBN_SELCHANGE && id == IDC_MARK_BACKGROUND) {
        int index = (int)::SendMessageW((HWND)lParam, CB_GETCURSEL, 0, 0);
        m_model.m_marks.nBackground = index >= 0 ? index : 0;
        LoadBackground();
    } else if (code == BN_CLICKED && id == IDC_MARK_ENABLE) {
        UpdateData(TRUE);
        ShowMarks();
        UpdateEnabling();
    } else if (code == BN_CLICKED && id == m_nExtraId) {
        UpdateData(TRUE);
    } else if (code == EN_CHANGE && id == IDC_MARK_FILL) {
        UpdateData(TRUE);
        TakeFill();
    } else {
        handled = false;
    }
    if (!handled)
        return CPropertyPage::OnCommand(wParam, lParam);
    MarkModified();
    return TRUE;
}

LRESULT CMarkPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WMU_COLOR_SELENDOK && !IsLoading()) {
        UpdateData(TRUE);
        ShowMarks();
        MarkModified();
        return 0;
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

BOOL CMarkPage::OnApply()
{
    if (m_bModified) {
        UpdateData(TRUE);
        TakeFill();
        CIniHelper ini(m_model.m_strOwnIni);
        SaveMarkSettings(m_model.m_marks, ini, m_model.m_backgrounds);
        // What failed is written again by the next OK or Apply.
        m_bModified = !m_model.m_writeReport.Note(ini);
    }
    return CPropertyPage::OnApply();
}
