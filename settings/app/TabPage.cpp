// CTabPage: reads and writes the folder-tab keys of [Config] and
// [Colors&Styles] in Merovin.ini.
#include "TabPage.h"
#include "ColorSetting.h"
#include "DataExchange.h"
#include "IniHelper.h"
#include "Localizer.h"
#include "Resource.h"
#include "SettingsModel.h"

namespace {

const WCHAR kConfig[] = L"Config";
const COLORREF kActiveTabDefault = 0xB4E6E6;

const int kLocalizedControls[] = {
    IDC_TAB_AUTO_SCROLL, IDC_TAB_DESKTOP_INI, IDC_TAB_OVERRIDE_VISUAL, IDC_TAB_COLORED, IDC_TAB_KEEP_COLORS,
    IDC_TAB_DBLCLICK_DIR, IDC_TAB_LIST, IDC_TAB_WHEEL, IDC_TAB_SORT_LIST, IDC_TAB_MARK_LOCKED,
    IDC_TAB_MARK_SIDE_LABEL, IDC_TAB_LOCKED_LABEL, IDC_TAB_LOCKED_DCA_LABEL, IDC_TAB_SKIP_DISCONNECTED,
    IDC_TAB_HIGHLIGHT_ACTIVE, IDC_TAB_COLOR_LABEL, IDC_TAB_PRIORITY_LABEL,
};

const UINT kMarkSideTexts[] = { IDS_MARK_LEFT, IDS_MARK_RIGHT, IDS_MARK_BELOW };
const UINT kPriorityTexts[] = { IDS_PRIORITY_HIGHEST, IDS_PRIORITY_LOWEST };

// Which box enables which controls.
struct Dependency {
    int box;
    int controls[3];
};
const Dependency kDependencies[] = {
    { IDC_TAB_COLORED, { IDC_TAB_KEEP_COLORS } },
    { IDC_TAB_DESKTOP_INI, { IDC_TAB_OVERRIDE_VISUAL, IDC_TAB_SKIP_DISCONNECTED } },
    { IDC_TAB_LIST, { IDC_TAB_SORT_LIST } },
    { IDC_TAB_MARK_LOCKED, { IDC_TAB_MARK_SIDE, IDC_TAB_LOCKED_COLOR, IDC_TAB_LOCKED_DCA_COLOR } },
    { IDC_TAB_HIGHLIGHT_ACTIVE, { IDC_TAB_ACTIVE_COLOR, IDC_TAB_PRIORITY } },
};

// A combo index outside the list (a stored value out of range, or no
// selection) counts as the first entry.
int ClampIndex(int index, int count)
{
    return index >= 0 && index < count ? index : 0;
}

} // namespace

CTabPage::CTabPage(CSettingsModel& model)
    : CPropertyPage(IDD_TAB_OPTIONS, IDD_TAB_OPTIONS), m_model(model), m_lockedButton(model.m_localizer),
      m_lockedDcaButton(model.m_localizer), m_activeButton(model.m_localizer)
{
}

void CTabPage::ReadSettings()
{
    CIniHelper ini(m_model.m_strOwnIni);
    LPCWSTR file = m_model.m_strOwnIni;
    m_coloredTabs = ini.ReadInt(kConfig, L"ColoredTabs", 1);
    m_keepTabColors = ini.ReadInt(kConfig, L"KeepTabColors", 0);
    m_dblClickGotoDir = ini.ReadInt(kConfig, L"DblClickGotoDir", 1);
    m_useDesktopIni = ini.ReadInt(kConfig, L"UseDesktopINI", 0);
    m_overrideVisualMode = ini.ReadInt(kConfig, L"OverrideVisualMode", 0);
    m_skipDisconnected = ini.ReadInt(kConfig, L"SkipDisconnected", 0);
    m_returnTabs = ini.ReadInt(kConfig, L"ReturnTabs", 0);
    m_tabsWheel = ini.ReadInt(kConfig, L"TabsWheel", 0);
    m_tabsToFav = ini.ReadInt(kConfig, L"TabsToFav", 0);
    m_sortTabList = ini.ReadInt(kConfig, L"SortTabList", 0);
    m_markLockedTabs = ini.ReadInt(kConfig, L"MarkLockedTabs", 0);
    m_enableAtc = ini.ReadInt(kConfig, L"EnableATC", 0);
    m_lockedTabMark = ClampIndex(ini.ReadInt(ColorsSection, L"LockedTabMark", 0), _countof(kMarkSideTexts));
    m_colorPriority = ClampIndex(ini.ReadInt(ColorsSection, L"ColorPriority", 0), _countof(kPriorityTexts));
    m_lockedColor = CIniHelper::ReadColour(ColorsSection, L"LockedTabColor", file,
                                           ::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    m_lockedDcaColor = CIniHelper::ReadColour(ColorsSection, L"LockedDCATabColor", file,
                                              ::GetSysColor(COLOR_INACTIVECAPTION));
    m_activeColor = CIniHelper::ReadColour(ColorsSection, L"ActiveTabColor", file, kActiveTabDefault);
}

void CTabPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_TAB_COLORED, m_coloredTabs);
    DDX_Check(pDX, IDC_TAB_KEEP_COLORS, m_keepTabColors);
    DDX_Check(pDX, IDC_TAB_DBLCLICK_DIR, m_dblClickGotoDir);
    DDX_Check(pDX, IDC_TAB_DESKTOP_INI, m_useDesktopIni);
    DDX_Check(pDX, IDC_TAB_OVERRIDE_VISUAL, m_overrideVisualMode);
    DDX_Check(pDX, IDC_TAB_SKIP_DISCONNECTED, m_skipDisconnected);
    DDX_Check(pDX, IDC_TAB_AUTO_SCROLL, m_returnTabs);
    DDX_Check(pDX, IDC_TAB_WHEEL, m_tabsWheel);
    DDX_Check(pDX, IDC_TAB_LIST, m_tabsToFav);
    DDX_Check(pDX, IDC_TAB_SORT_LIST, m_sortTabList);
    DDX_Check(pDX, IDC_TAB_MARK_LOCKED, m_markLockedTabs);
    DDX_Check(pDX, IDC_TAB_HIGHLIGHT_ACTIVE, m_enableAtc);
    DDX_CBIndex(pDX, IDC_TAB_MARK_SIDE, m_lockedTabMark);
    DDX_CBIndex(pDX, IDC_TAB_PRIORITY, m_colorPriority);
    DDX_Control(pDX, IDC_TAB_LOCKED_COLOR, m_lockedButton);
    DDX_Control(pDX, IDC_TAB_LOCKED_DCA_COLOR, m_lockedDcaButton);
    DDX_Control(pDX, IDC_TAB_ACTIVE_COLOR, m_activeButton);
    if (pDX->m_bSaveAndValidate) {
        m_lockedTabMark = ClampIndex(m_lockedTabMark, _countof(kMarkSideTexts));
        m_colorPriority = ClampIndex(m_colorPriority, _countof(kPriorityTexts));
        m_activeColor = m_activeButton.GetShownColor();
    } else {
        m_activeButton.SetColor(m_activeColor);
    }
}

void CTabPage::FillCombo(int nID, const UINT* texts, int count, int selection)
{
    HWND combo = GetDlgItemHwnd(nID);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i)
        ::SendMessageW(combo, CB_ADDSTRING, 0, (LPARAM)(LPCWSTR)m_model.m_localizer.LoadLocalizedString(texts[i]));
    ::SendMessageW(combo, CB_SETCURSEL, selection, 0);
}

BOOL CTabPage::OnInitDialog()
{
    ReadSettings();
    m_activeButton.SetDefaultColor(kActiveTabDefault);
    m_activeButton.SetNoColorText(m_model.m_localizer.LoadLocalizedString(IDS_NO_COLOR));
    {
        CLoadingGuard loading(this);
        CPropertyPage::OnInitDialog();
        for (int id : kLocalizedControls)
            m_model.m_localizer.LocalizeDlgItem(id, this);
        FillCombo(IDC_TAB_MARK_SIDE, kMarkSideTexts, _countof(kMarkSideTexts), m_lockedTabMark);
        FillCombo(IDC_TAB_PRIORITY, kPriorityTexts, _countof(kPriorityTexts), m_colorPriority);
        m_lockedButton.SetDefaultColor(::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
        m_lockedButton.SetColor(m_lockedColor);
        m_lockedDcaButton.SetDefaultColor(::GetSysColor(COLOR_INACTIVECAPTION));
        m_lockedDcaButton.SetColor(m_lockedDcaColor);
    }
    UpdateTabControls();
    return TRUE;
}

void CTabPage::UpdateTabControls()
{
    UpdateData(TRUE);
    for (const Dependency& d : kDependencies) {
        BOOL on = ::SendMessageW(GetDlgItemHwnd(d.box), BM_GETCHECK, 0, 0) == BST_CHECKED;
        for (int id : d.controls)
            if (id)
                ::EnableWindow(GetDlgItemHwnd(id), on);
    }
    m_bModified = TRUE;
    SetModified();
}

void CTabPage::TakeTabColours()
{
    m_bModified = TRUE;
    SetModified();
    m_lockedColor = m_lockedButton.GetShownColor();
    m_lockedDcaColor = m_lockedDcaButton.GetShownColor();
}

BOOL CTabPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam), code = HIWORD(wParam);
    bool box = code == BN_CLICKED && id != IDC_TAB_LOCKED_COLOR && id != IDC_TAB_LOCKED_DCA_COLOR &&
               id != IDC_TAB_ACTIVE_COLOR && lParam;
    bool combo = code == CBN_SELCHANGE && (id == IDC_TAB_MARK_SIDE || id == IDC_TAB_PRIORITY);
    if ((box || combo) && !IsLoading()) {
        UpdateTabControls();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

LRESULT CTabPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WMU_COLOR_SELENDOK) {
        TakeTabColours();
        return 0;
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

BOOL CTabPage::OnApply()
{
    if (m_bModified) {
        UpdateData(TRUE);
        CIniHelper ini(m_model.m_strOwnIni);
        ini.WriteInt(kConfig, L"ReturnTabs", m_returnTabs);
        ini.WriteInt(kConfig, L"UseDesktopINI", m_useDesktopIni);
        ini.WriteInt(kConfig, L"OverrideVisualMode", m_overrideVisualMode);
        ini.WriteInt(kConfig, L"SkipDisconnected", m_skipDisconnected);
        ini.WriteInt(kConfig, L"ColoredTabs", m_coloredTabs);
        ini.WriteInt(kConfig, L"KeepTabColors", m_keepTabColors);
        ini.WriteInt(kConfig, L"DblClickGotoDir", m_dblClickGotoDir);
        ini.WriteInt(kConfig, L"TabsToFav", m_tabsToFav);
        ini.WriteInt(kConfig, L"TabsWheel", m_tabsWheel);
        ini.WriteInt(kConfig, L"SortTabList", m_sortTabList);
        ini.WriteInt(kConfig, L"MarkLockedTabs", m_markLockedTabs);
        ini.WriteInt(ColorsSection, L"LockedTabMark", m_lockedTabMark);
        ini.WriteColour(ColorsSection, L"LockedTabColor", m_lockedColor);
        ini.WriteColour(ColorsSection, L"LockedDCATabColor", m_lockedDcaColor);
        ini.WriteInt(kConfig, L"EnableATC", m_enableAtc);
        ini.WriteColour(ColorsSection, L"ActiveTabColor", m_activeColor);
        ini.WriteInt(ColorsSection, L"ColorPriority", m_colorPriority);
        // What failed is written again by the next OK or Apply.
        m_bModified = !m_model.m_writeReport.Note(ini);
    }
    return CPropertyPage::OnApply();
}
