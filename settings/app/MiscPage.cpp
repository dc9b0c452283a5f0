// CMiscPage: reads and writes the general [Config] switches of Merovin.ini.
#include "MiscPage.h"
#include "CmdBrowser.h"
#include "DataExchange.h"
#include "IniHelper.h"
#include "Resource.h"
#include "SettingsModel.h"
#include "StartupSequence.h"
#include "WinApp.h"

namespace {

const WCHAR kConfig[] = L"Config";

const int kLocalizedControls[] = {
    IDC_MISC_AUTO_COMPLETION, IDC_MISC_CLOSE_LISTERS, IDC_MISC_KEEP_BACK_LABEL, IDC_MISC_LL_HOOK,
    IDC_MISC_LISTERS_GROUP, IDC_MISC_LANGUAGE_LABEL, IDC_MISC_STARTUP, IDC_MISC_CHECK_CLOSE,
    IDC_MISC_MULTI_LISTER, IDC_MISC_NEXT_QUICKVIEW, IDC_MISC_QUICKVIEW_OPEN,
};

const UINT kKeepBackTexts[] = { IDS_KEEP_BACK_NEVER, IDS_KEEP_BACK_PANELS, IDS_KEEP_BACK_ALWAYS };

const int kCheckBoxes[] = {
    IDC_MISC_AUTO_COMPLETION, IDC_MISC_LL_HOOK, IDC_MISC_CLOSE_LISTERS, IDC_MISC_STARTUP, IDC_MISC_CHECK_CLOSE,
    IDC_MISC_NEXT_QUICKVIEW, IDC_MISC_QUICKVIEW_OPEN, IDC_MISC_MULTI_LISTER,
};

// An index outside the list (a stored value out of range, or no selection)
// counts as the first entry.
int ClampIndex(int index, INT_PTR count)
{
    return index >= 0 && index < count ? index : 0;
}

BOOL RunCommandBrowser(CSettingsModel& model, CWnd* pParent, CString& command)
{
    CCmdBrowser browser(model, pParent);
    if (browser.DoModal() != IDOK || browser.GetCommand().IsEmpty())
        return FALSE;
    command = browser.GetCommand();
    return TRUE;
}

} // namespace

CMiscPage::CMiscPage(CSettingsModel& model, CStartupSequence& startup)
    : CPropertyPage(IDD_MISCELLANEOUS, IDD_MISCELLANEOUS), m_model(model), m_startup(startup)
{
    m_chooseCommand = [this](CWnd* pParent, CString& command) {
        return RunCommandBrowser(m_model, pParent, command);
    };
    HICON icon = (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_MISC), IMAGE_ICON, 16, 16,
                                     LR_SHARED);
    if (icon) {
        m_psp.dwFlags |= PSP_USEHICON;
        m_psp.hIcon = icon;
    }
}

void CMiscPage::ReadSettings()
{
    CIniHelper ini(m_model.m_strOwnIni);
    m_autoCompletion = ini.ReadInt(kConfig, L"AutoCompletion", 1);
    m_keepBack = ClampIndex(ini.ReadInt(kConfig, L"KeepTCBack", 0), _countof(kKeepBackTexts));
    m_llHook = ini.ReadInt(kConfig, L"UseLLHook", 0);
    m_closeListers = ini.ReadInt(kConfig, L"CloseAllListers", 1);
    m_startupEnabled = ini.ReadInt(kConfig, L"EnableStartupSequence", 0);
    m_checkClose = ini.ReadInt(kConfig, L"CheckCloseTC", 1);
    m_nextQuickView = ini.ReadInt(kConfig, L"NextQuickView", 0);
    m_quickViewOpen = ini.ReadInt(kConfig, L"NextQuickViewOpen", 0);
    m_multiLister = ini.ReadInt(kConfig, L"CheckMultiLister", 0);
    m_strStartup = m_startup.GetText();
}

void CMiscPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_MISC_AUTO_COMPLETION, m_autoCompletion);
    DDX_CBIndex(pDX, IDC_MISC_KEEP_BACK, m_keepBack);
    DDX_Check(pDX, IDC_MISC_LL_HOOK, m_llHook);
    DDX_Check(pDX, IDC_MISC_CLOSE_LISTERS, m_closeListers);
    DDX_CBIndex(pDX, IDC_MISC_LANGUAGE, m_language);
    DDX_Text(pDX, IDC_MISC_STARTUP_TEXT, m_strStartup);
    DDX_Check(pDX, IDC_MISC_STARTUP, m_startupEnabled);
    DDX_Check(pDX, IDC_MISC_CHECK_CLOSE, m_checkClose);
    DDX_Check(pDX, IDC_MISC_NEXT_QUICKVIEW, m_nextQuickView);
    DDX_Check(pDX, IDC_MISC_QUICKVIEW_OPEN, m_quickViewOpen);
    DDX_Check(pDX, IDC_MISC_MULTI_LISTER, m_multiLister);
    if (pDX->m_bSaveAndValidate) {
        m_keepBack = ClampIndex(m_keepBack, _countof(kKeepBackTexts));
        m_language = ClampIndex(m_language, m_languages.GetSize());
    }
}

void CMiscPage::FillKeepBack()
{
    HWND combo = GetDlgItemHwnd(IDC_MISC_KEEP_BACK);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (UINT id : kKeepBackTexts)
        ::SendMessageW(combo, CB_ADDSTRING, 0, (LPARAM)(LPCWSTR)m_model.m_localizer.LoadLocalizedString(id));
    ::SendMessageW(combo, CB_SETCURSEL, m_keepBack, 0);
}

void CMiscPage::FillLanguages()
{
    // Each entry keeps its file: the path written is the file listed, never
    // one parsed back out of the shown text.
    m_language = BuildLanguageList(m_model.m_strOwnFolder,
                                   m_model.m_localizer.LoadLocalizedString(IDS_DEFAULT_LANGUAGE),
                                   m_model.m_localizer.GetFile(), m_languages);
    m_storedLanguage = m_language;
    HWND combo = GetDlgItemHwnd(IDC_MISC_LANGUAGE);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (INT_PTR i = 0; i < m_languages.GetSize(); ++i)
        ::SendMessageW(combo, CB_ADDSTRING, 0, (LPARAM)(LPCWSTR)m_languages[i].text);
    ::SendMessageW(combo, CB_SETCURSEL, m_language, 0);
}

BOOL CMiscPage::OnInitDialog()
{
    ReadSettings();
    {
        CLoadingGuard loading(this);
        FillKeepBack();
        FillLanguages();
        CPropertyPage::OnInitDialog();
        for (int id : kLocalizedControls)
            m_model.m_localizer.LocalizeDlgItem(id, this);
        HICON icon = (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_COMMAND_BROWSE), IMAGE_ICON,
                                         16, 16, LR_SHARED);
        SendDlgItemMessage(IDC_MISC_BROWSE, BM_SETIMAGE, IMAGE_ICON, (LPARAM)icon);
    }
    EnableDependents();
    return TRUE;
}

void CMiscPage::ShowStartupText()
{
    m_strStartup = m_startup.GetText();
    CLoadingGuard loading(this);
    AfxSetWindowTextIfChanged(GetDlgItemHwnd(IDC_MISC_STARTUP_TEXT), m_strStartup);
}

BOOL CMiscPage::OnSetActive()
{
    // Another page may have added to the sequence meanwhile.
    ShowStartupText();
    return CPropertyPage::OnSetActive();
}

void CMiscPage::EnableDependents()
{
    ::EnableWindow(GetDlgItemHwnd(IDC_MISC_STARTUP_TEXT), IsDlgButtonChecked(IDC_MISC_STARTUP) == BST_CHECKED);
    ::EnableWindow(GetDlgItemHwnd(IDC_MISC_QUICKVIEW_OPEN),
                   IsDlgButtonChecked(IDC_MISC_NEXT_QUICKVIEW) == BST_CHECKED);
}

void CMiscPage::OnChange(BOOL bStartupEdited)
{
    UpdateData(TRUE);
    if (bStartupEdited)
        m_startup.SetText(m_strStartup);
    EnableDependents();
    m_bModified = TRUE;
    SetModified();
}

void CMiscPage::OnBrowse()
{
    CString command;
    if (!m_chooseCommand || !m_chooseCommand(this, command) || command.IsEmpty())
        return;
    m_startup.Append(command);
    ShowStartupText();
    m_bModified = TRUE;
    SetModified();
}

BOOL CMiscPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam), code = HIWORD(wParam);
    if (!IsLoading()) {
        if (id == IDC_MISC_BROWSE && code == BN_CLICKED) {
            OnBrowse();
            return TRUE;
        }
        if (id == IDC_MISC_STARTUP_TEXT && code == EN_CHANGE) {
            OnChange(TRUE);
            return TRUE;
        }
        bool combo = code == CBN_SELCHANGE && (id == IDC_MISC_KEEP_BACK || id == IDC_MISC_LANGUAGE);
        bool box = false;
        for (int checkBox : kCheckBoxes)
            box = box || (code == BN_CLICKED && id == checkBox);
        if (combo || box) {
            OnChange(FALSE);
            return TRUE;
        }
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CMiscPage::OnApply()
{
    if (m_bModified) {
        UpdateData(TRUE);
        CIniHelper ini(m_model.m_strOwnIni);
        ini.WriteInt(kConfig, L"AutoCompletion", m_autoCompletion);
        ini.WriteInt(kConfig, L"KeepTCBack", m_keepBack);
        ini.WriteInt(kConfig, L"CloseAllListers", m_closeListers);
        ini.WriteInt(kConfig, L"UseLLHook", m_llHook);
        ini.WriteInt(kConfig, L"EnableStartupSequence", m_startupEnabled);
        // The shared sequence, with what other pages added to it.
        const CString& sequence = m_startup.GetText();
        ini.WriteString(kConfig, L"StartupSequence", sequence.IsEmpty() ? nullptr : (LPCWSTR)sequence);
        ini.WriteInt(kConfig, L"CheckCloseTC", m_checkClose);
        ini.WriteInt(kConfig, L"CheckMultiLister", m_multiLister);
        ini.WriteInt(kConfig, L"NextQuickView", m_nextQuickView);
        ini.WriteInt(kConfig, L"NextQuickViewOpen", m_quickViewOpen);
        // The language as stored stays as the user wrote it (a
        // "%COMMANDER_PATH%\..." path, say) unless another one was chosen.
        if (m_language != m_storedLanguage) {
            const CString& language = m_languages.GetSize() ? m_languages[m_language].path : CString();
            ini.WriteString(kConfig, L"Localizator", language.IsEmpty() ? nullptr : (LPCWSTR)language);
        }
        // What failed is written again by the next OK or Apply.
        m_bModified = !m_model.m_writeReport.Note(ini);
        if (!m_bModified)
            m_storedLanguage = m_language;
    }
    return CPropertyPage::OnApply();
}
