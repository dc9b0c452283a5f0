// CDriveListPage: the drive-list switches and the drive menu's colours.
#include "DriveListPage.h"
#include <shellapi.h>
#include "ColorSetting.h"
#include "DataExchange.h"
#include "IniHelper.h"
#include "Localizer.h"
#include "PageFunctions.h"
#include "Resource.h"
#include "SettingsModel.h"

namespace {

const WCHAR kConfig[] = L"Config";

const int kLocalizedControls[] = {
    IDC_DRIVE_NO_ICONS,   IDC_DRIVE_LIST_TYPE_LABEL, IDC_DRIVE_COLORS_GROUP, IDC_DRIVE_ITEM_TYPE_LABEL,
    IDC_DRIVE_FILL_STYLE_LABEL, IDC_DRIVE_TEXT_LABEL, IDC_DRIVE_START_LABEL, IDC_DRIVE_END_LABEL,
    IDC_DRIVE_ICON_BAR_LABEL, IDC_DRIVE_PREVIEW_LABEL, IDC_DRIVE_USER_ITEMS, IDC_DRIVE_CUSTOM_ICONS,
};

// Fill Style index -> held style.
const int kFillStyles[] = {4, 5, 1, 2, 3};

// The default colours of Start, End and Text by item type.
const int kDefaultColours[3][3] = {
    {COLOR_MENU, COLOR_MENU, COLOR_MENUTEXT},
    {COLOR_MENUHILIGHT, COLOR_MENUHILIGHT, COLOR_MENUTEXT},
    {COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_MENU},
};

struct CSampleEntry
{
    LPCWSTR lpszText;
    int nKind;
    int nIcon; // in SHELL32.DLL; -1 none
};

const CSampleEntry kSamples[] = {
    {L"C - System+33.80Gb/78.85Gb", PreviewNormal, 8},
    {L"D - Work+8.50Gb/78.85Gb", PreviewHighlighted, 8},
    {L"E - Backup+20.25Gb/90.75Gb", PreviewNormal, 8},
    {L"Removable", PreviewTitle, -1},
    {L"A - 3\x00BD Floppy", PreviewNormal, 7},
    {L"I - CF Card+75.80Mb/1.96Gb", PreviewNormal, 7},
    {L"J - SD/MMC", PreviewNormal, 7},
    {L"CD/DVD", PreviewTitle, -1},
    {L"K - DVD-RW Drive", PreviewNormal, 11},
    {L"Network", PreviewTitle, -1},
    {L"Network && plugins", PreviewNormal, 17},
    {L"0 - ftp.example.org", PreviewNormal, 9},
};

} // namespace

int FillIndexOfStyle(int nHeldStyle)
{
    switch (nHeldStyle) {
    case 1: return 2;
    case 2: return 3;
    case 3: return 4;
    case 4: return 0;
    default: return 1;
    }
}

int StyleOfFillIndex(int nIndex)
{
    return nIndex >= 0 && nIndex < (int)_countof(kFillStyles) ? kFillStyles[nIndex] : kFillStyles[1];
}

CDriveListPage::CDriveListPage(CSettingsModel& model)
    : CPropertyPage(IDD_DRIVE_LIST, IDD_DRIVE_LIST), m_model(model), m_textButton(model.m_localizer),
      m_startButton(model.m_localizer), m_endButton(model.m_localizer), m_iconBarButton(model.m_localizer)
{
}

void CDriveListPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_DRIVE_TEXT_COLOR, m_textButton);
    DDX_Control(pDX, IDC_DRIVE_START_COLOR, m_startButton);
    DDX_Control(pDX, IDC_DRIVE_END_COLOR, m_endButton);
    DDX_Control(pDX, IDC_DRIVE_ICON_BAR_COLOR, m_iconBarButton);
    DDX_Control(pDX, IDC_DRIVE_PREVIEW, m_preview);
    DDX_Check(pDX, IDC_DRIVE_NO_ICONS, m_nDontShowIcons);
    DDX_Check(pDX, IDC_DRIVE_USER_ITEMS, m_nUserItems);
    DDX_Check(pDX, IDC_DRIVE_CUSTOM_ICONS, m_nCustomIcons);
}

void CDriveListPage::FillCombo(int nID, UINT nFirstText, int nCount, int nSelection)
{
    HWND combo = GetDlgItemHwnd(nID);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < nCount; ++i)
        ::SendMessageW(combo, CB_ADDSTRING, 0, (LPARAM)(LPCWSTR)m_model.m_localizer.LoadLocalizedString(nFirstText + i));
    ::SendMessageW(combo, CB_SETCURSEL, nSelection, 0);
}

BOOL CDriveListPage::OnInitDialog()
{
    CIniHelper ini(m_model.m_strOwnIni);
    m_nDontShowIcons = ini.ReadInt(kConfig, L"DontShowIcons", 0);
    m_nUserItems = ini.ReadInt(kConfig, L"UDIDriveList", 1);
    m_nCustomIcons = ini.ReadInt(kConfig, L"CustomDLIcons", 0);
    m_nListType = ini.ReadInt(kConfig, L"DriveList", 1);
    if (m_nListType < 0 || m_nListType > 2)
        m_nListType = 1; // a value the list does not offer: the default
    {
        CLoadingGuard loading(this);
        CPropertyPage::OnInitDialog();
        for (int id : kLocalizedControls)
            m_model.m_localizer.LocalizeDlgItem(id, this);
        FillCombo(IDC_DRIVE_LIST_TYPE, IDS_LIST_NONE, 3, m_nListType);
        FillCombo(IDC_DRIVE_ITEM_TYPE, IDS_ITEM_NORMAL, 3, 0);
        FillCombo(IDC_DRIVE_FILL_STYLE, IDS_FILL_FRAME, 5, 0);

        MenuColors colors;
        ReadMenuColors(colors, m_model.m_strOwnIni, false);
        m_preview.KindColors(PreviewNormal) = {colors.menu1st, colors.menu2nd, colors.menuText, colors.menuTextStyle};
        m_preview.KindColors(PreviewHighlighted) = {colors.select1st, colors.select2nd, colors.selectText,
                                                    colors.selectStyle};
        m_preview.KindColors(PreviewTitle) = {colors.separator1st, colors.separator2nd, colors.separatorText,
                                              colors.separatorStyle};
        m_preview.SetIconColumnColor(colors.iconBar);
        m_preview.SetHideIcons(m_nDontShowIcons);
        AddSampleEntries();
        m_iconBarButton.SetDefaultColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        ShowItemType(0);
    }
    UpdateEnabling();
    return TRUE;
}

void CDriveListPage::AddSampleEntries()
{
    int height = m_preview.CalcItemHeight();
    m_preview.SetItemHeight(0, height);
    for (const CSampleEntry& sample : kSamples) {
        HICON icon = nullptr;
        if (sample.nIcon >= 0)
            ::ExtractIconExW(L"SHELL32.DLL", sample.nIcon, nullptr, &icon, 1);
        m_preview.AddPreviewItem(sample.lpszText, sample.nKind, icon);
    }
    // Wide enough for the widest entry, tall enough for every entry.
    int width = m_preview.GetTextWidth() + CPreviewList::IconColumnWidth;
    int tall = (int)_countof(kSamples) * height + 2 * ::GetSystemMetrics(SM_CYDLGFRAME);
    m_preview.SetWindowPos(nullptr, 0, 0, width, tall, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDriveListPage::ShowItemType(int nType)
{
    m_nItemType = nType >= 0 && nType < 3 ? nType : 0;
    ::SendMessageW(GetDlgItemHwnd(IDC_DRIVE_ITEM_TYPE), CB_SETCURSEL, m_nItemType, 0);
    const CPreviewKindColors& colors = m_preview.KindColors(m_nItemType);
    m_startButton.SetDefaultColor(::GetSysColor(kDefaultColours[m_nItemType][0]));
    m_endButton.SetDefaultColor(::GetSysColor(kDefaultColours[m_nItemType][1]));
    m_textButton.SetDefaultColor(::GetSysColor(kDefaultColours[m_nItemType][2]));
    m_startButton.SetColor(colors.crFirst);
    m_endButton.SetColor(colors.crSecond);
    m_textButton.SetColor(colors.crText);
    m_iconBarButton.SetColor(m_preview.GetIconColumnColor());
    ::SendMessageW(GetDlgItemHwnd(IDC_DRIVE_FILL_STYLE), CB_SETCURSEL, FillIndexOfStyle(colors.nStyle), 0);
}

void CDriveListPage::TakeColours()
{
    MarkModified();
    CPreviewKindColors& colors = m_preview.KindColors(m_nItemType);
    colors.crFirst = m_startButton.GetShownColor();
    colors.crSecond = m_endButton.GetShownColor();
    colors.crText = m_textButton.GetShownColor();
    m_preview.SetIconColumnColor(m_iconBarButton.GetShownColor());
    colors.nStyle = StyleOfFillIndex((int)::SendMessageW(GetDlgItemHwnd(IDC_DRIVE_FILL_STYLE), CB_GETCURSEL, 0, 0));
    m_preview.Invalidate();
}

// Everything but the list type follows the list type; the custom icons
// also need the icons shown.
void CDriveListPage::UpdateEnabling()
{
    HWND listType = GetDlgItemHwnd(IDC_DRIVE_LIST_TYPE);
    m_nListType = (int)::SendMessageW(listType, CB_GETCURSEL, 0, 0);
    BOOL on = m_nListType != 0;
    EnableChildrenExcept(this, GetDlgItem(IDC_DRIVE_LIST_TYPE), on);
    BOOL iconsShown = ::SendMessageW(GetDlgItemHwnd(IDC_DRIVE_NO_ICONS), BM_GETCHECK, 0, 0) != BST_CHECKED;
    ::EnableWindow(GetDlgItemHwnd(IDC_DRIVE_CUSTOM_ICONS), on && iconsShown);
}

void CDriveListPage::MarkModified()
{
    m_bModified = TRUE;
    SetModified();
}

BOOL CDriveListPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam), code = HIWORD(wParam);
    if (IsLoading() || !lParam)
        return CPropertyPage::OnCommand(wParam, lParam);
    if (code == CBN_SELCHANGE && id == IDC_DRIVE_ITEM_TYPE) {
        ShowItemType((int)::SendMessageW((HWND)lParam, CB_GETCURSEL, 0, 0));
    } else if (code == CBN_SELCHANGE && id == IDC_DRIVE_FILL_STYLE) {
        TakeColours();
    } else if (code == CBN_SELCHANGE && id == IDC_DRIVE_LIST_TYPE) {
        MarkModified();
        UpdateEnabling();
    } else if (code == BN_CLICKED && id == IDC_DRIVE_NO_ICONS) {
        UpdateData(TRUE);
        MarkModified();
        m_preview.SetHideIcons(m_nDontShowIcons);
        m_preview.Invalidate();
        UpdateEnabling();
    } else if (code == BN_CLICKED && (id == IDC_DRIVE_USER_ITEMS || id == IDC_DRIVE_CUSTOM_ICONS)) {
        UpdateData(TRUE);
        MarkModified();
    } else {
        return CPropertyPage::OnCommand(wParam, lParam);
    }
    return TRUE;
}

LRESULT CDriveListPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WMU_COLOR_SELENDOK && !IsLoading()) {
        TakeColours();
        return 0;
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

BOOL CDriveListPage::OnApply()
{
    if (m_bModified) {
        UpdateData(TRUE);
        CIniHelper ini(m_model.m_strOwnIni);
        static const LPCWSTR kKindKeys[3][4] = {
            {L"Menu1stColor", L"Menu2ndColor", L"MenuTextColor", L"MenuTextStyle"},
            {L"Select1stColor", L"Select2ndColor", L"SelectTextColor", L"SelectStyle"},
            {L"Separator1stColor", L"Separator2ndColor", L"SeparatorTextColor", L"SeparatorStyle"},
        };
        for (int kind = 0; kind < 3; ++kind) {
            const CPreviewKindColors& colors = m_preview.KindColors(kind);
            ini.WriteColour(ColorsSection, kKindKeys[kind][0], colors.crFirst);
            ini.WriteColour(ColorsSection, kKindKeys[kind][1], colors.crSecond);
            ini.WriteColour(ColorsSection, kKindKeys[kind][2], colors.crText);
            ini.WriteInt(ColorsSection, kKindKeys[kind][3], colors.nStyle - 1);
        }
        ini.WriteColour(ColorsSection, L"IconBarColor", m_preview.GetIconColumnColor());
        ini.WriteInt(kConfig, L"DriveList", m_nListType >= 0 ? m_nListType : 1);
        ini.WriteInt(kConfig, L"DontShowIcons", m_nDontShowIcons);
        ini.WriteInt(kConfig, L"UDIDriveList", m_nUserItems);
        ini.WriteInt(kConfig, L"CustomDLIcons", m_nCustomIcons);
        // What failed is written again by the next OK or Apply.
        m_bModified = !m_model.m_writeReport.Note(ini);
    }
    return CPropertyPage::OnApply();
}
