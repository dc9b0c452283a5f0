#include "EngineSettings.h"
#include "ColorSetting.h"

namespace {

const WCHAR ConfigSection[] = L"Config";

int ConfigInt(LPCWSTR key, int defaultValue, LPCWSTR ini)
{
    return (int)GetPrivateProfileIntW(ConfigSection, key, defaultValue, ini);
}

int StyleInt(LPCWSTR key, int defaultValue, LPCWSTR ini)
{
    return (int)GetPrivateProfileIntW(ColorsSection, key, defaultValue, ini);
}

COLORREF Color(LPCWSTR key, COLORREF defaultColor, LPCWSTR ini)
{
    return ReadColorSetting(key, defaultColor, nullptr, ini);
}

CString ExpandedText(LPCWSTR section, LPCWSTR key, LPCWSTR ini)
{
    WCHAR text[1025];
    GetPrivateProfileStringW(section, key, L"", text, 1024, ini);
    WCHAR expanded[1025];
    DWORD length = ExpandEnvironmentStringsW(text, expanded, 1024);
    if (length == 0 || length > 1024)
        return CString(text);
    return CString(expanded);
}

} // namespace

EngineSettings::EngineSettings()
{
    StickColor = GetSysColor(COLOR_ACTIVECAPTION);
    RetrColor = GetSysColor(COLOR_HIGHLIGHT);
    LockedTabColor = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    LockedDCATabColor = GetSysColor(COLOR_INACTIVECAPTION);
}

void EngineSettings::ResetFeatureSwitches()
{
    AutoCompletion = 0;
    EnablePlugins = 0;
    AutoView = 0;
    KeepScope = 0;
    DriveList = 0;
    ColoredTabs = 0;
    UseDesktopINI = 0;
    KeepTCBack = 0;
    CheckCloseTC = 0;
    CheckMultiLister = 0;
    ESCSpecial = 0;
    GotoUpFromRoot = 0;
    MarkLockedTabs = 0;
    NextQuickView = 0;
    NextQuickViewOpen = 0;
    driveListStyle = 0;
}

UINT DriveListStyleOf(const EngineSettings& s)
{
    UINT style = 0;
    if (s.DrivesAnyLanguage)
        style |= 1;
    if (s.DontShowIcons)
        style |= 2;
    if (s.UDIDriveList)
        style |= 4;
    if (s.CustomDLIcons)
        style |= 8;
    return style + (UINT)s.groupingActive;
}

void ReadSettingsTable(EngineSettings& s, LPCWSTR ini, int groupingActive)
{
    s = EngineSettings();
    s.AutoCompletion = ConfigInt(L"AutoCompletion", 1, ini);
    s.EnablePlugins = ConfigInt(L"EnablePlugins", 1, ini);
    s.AutoView = ConfigInt(L"AutoView", 0, ini);
    s.KeepScope = ConfigInt(L"KeepScope", 1, ini);
    s.DriveList = ConfigInt(L"DriveList", 1, ini);
    s.CloseAllListers = ConfigInt(L"CloseAllListers", 1, ini);
    s.BookMarks = ConfigInt(L"BookMarks", 0, ini);
    s.ColoredTabs = ConfigInt(L"ColoredTabs", 1, ini);
    s.UseDesktopINI = ConfigInt(L"UseDesktopINI", 0, ini);
    s.OverrideVisualMode = ConfigInt(L"OverrideVisualMode", 0, ini);
    s.SkipDisconnected = ConfigInt(L"SkipDisconnected", 0, ini);
    s.KeepTCBack = ConfigInt(L"KeepTCBack", 0, ini);
    s.StickyFiles = ConfigInt(L"StickyFiles", 0, ini);
    s.UseLLHook = ConfigInt(L"UseLLHook", 0, ini);
    s.DblClickGotoDir = ConfigInt(L"DblClickGotoDir", 1, ini);
    s.PersistBookmarks = ConfigInt(L"PersistBookmarks", 0, ini);
    s.CheckCloseTC = ConfigInt(L"CheckCloseTC", 1, ini);
    s.CheckMultiLister = ConfigInt(L"CheckMultiLister", 0, ini);
    s.DrivesAnyLanguage = ConfigInt(L"DrivesAnyLanguage", 1, ini);
    s.DontShowIcons = ConfigInt(L"DontShowIcons", 0, ini);
    s.UDIDriveList = ConfigInt(L"UDIDriveList", 1, ini);
    s.CustomDLIcons = ConfigInt(L"CustomDLIcons", 0, ini);
    s.ESCSpecial = ConfigInt(L"ESCSpecial", 0, ini);
    s.NextQuickView = ConfigInt(L"NextQuickView", 0, ini);
    s.NextQuickViewOpen = ConfigInt(L"NextQuickViewOpen", 0, ini);
    s.TabsToFav = ConfigInt(L"TabsToFav", 0, ini);
    s.SortTabList = ConfigInt(L"SortTabList", 0, ini);
    s.TabsWheel = ConfigInt(L"TabsWheel", 0, ini);
    s.GotoUpFromRoot = ConfigInt(L"GotoUpFromRoot", 0, ini);
    s.JumpBeginEnd = ConfigInt(L"JumpBeginEnd", 0, ini);
    s.MClick2NewTab = ConfigInt(L"MClick2NewTab", 0, ini);
    if (s.ColoredTabs)
        s.KeepTabColors = ConfigInt(L"KeepTabColors", 0, ini);
    s.StickySort = ConfigInt(L"StickySort", 1, ini);
    s.StickColor = Color(L"StickColor", GetSysColor(COLOR_ACTIVECAPTION), ini);
    s.StickStyle = StyleInt(L"StickStyle", 0, ini) + 1;
    s.BookMarkColor = Color(L"BookMarkColor", 0xE696E6, ini);
    s.BookMarkStyle = StyleInt(L"BookMarkStyle", 0, ini) + 1;
    s.LostFocus = ConfigInt(L"LostFocus", 0, ini);
    s.LostFocusColor = s.LostFocus ? Color(L"LostFocusColor", GetSysColor(COLOR_GRADIENTACTIVECAPTION), ini)
                                   : ColorNone;
    s.LostFocusStyle = StyleInt(L"LostFocusStyle", 3, ini) + 1;
    s.MarkPercent = StyleInt(L"MarkPercent", 33, ini);
    s.MarkPercentCursor = StyleInt(L"MarkPercentCursor", s.MarkPercent, ini);
    s.MarkPercentStick = StyleInt(L"MarkPercentStick", s.MarkPercent, ini);
    s.MarkPercentBM = StyleInt(L"MarkPercentBM", s.MarkPercent, ini);
    s.ReturnTabs = ConfigInt(L"ReturnTabs", 0, ini);
    s.KeepSelection = ConfigInt(L"KeepSelection", 1, ini);
    s.BriefSingleColor = ConfigInt(L"BriefSingleColor", 0, ini);
    s.Ziravirura = ConfigInt(L"Ziravirura", 0, ini);
    s.RetrColor = Color(L"RetrColor", GetSysColor(COLOR_HIGHLIGHT), ini);
    s.RetrOpacity = StyleInt(L"RetrOpacity", 64, ini);
    s.InPlaceRename = ConfigInt(L"InPlaceRename", 0, ini);
    s.CustomScreenX = ConfigInt(L"CustomScreenX", 0, ini);
    s.CustomScreenY = ConfigInt(L"CustomScreenY", 0, ini);
    s.BkgFile = ExpandedText(ConfigSection, L"BkgFile", ini);
    s.groupingActive = groupingActive;
    s.ChangeColumns = ConfigInt(L"ChangeColumns", 0, ini);
    s.ColumnsWidth0 = ConfigInt(L"ColumnsWidth0", 200, ini);
    s.ColumnsWidth1 = ConfigInt(L"ColumnsWidth1", 200, ini);
    s.MarkLockedTabs = ConfigInt(L"MarkLockedTabs", 0, ini);
    s.EnableATC = ConfigInt(L"EnableATC", 0, ini);
    if (s.EnableATC) {
        s.ActiveTabColor = Color(L"ActiveTabColor", 0xB4E6E6, ini);
        s.ColorPriority = StyleInt(L"ColorPriority", 0, ini);
    }
    if (s.MarkLockedTabs) {
        s.LockedTabMark = StyleInt(L"LockedTabMark", 0, ini);
        if (s.LockedTabMark < 0 || s.LockedTabMark > 2)
            s.LockedTabMark = 0;
        s.LockedTabColor = Color(L"LockedTabColor", GetSysColor(COLOR_INACTIVECAPTIONTEXT), ini);
        s.LockedDCATabColor = Color(L"LockedDCATabColor", GetSysColor(COLOR_INACTIVECAPTION), ini);
    }
    s.EnableStartupSequence = ConfigInt(L"EnableStartupSequence", 0, ini);

    s.stickyOrGrouping = (s.StickyFiles || s.groupingActive) ? 1 : 0;
    s.fileListsNeeded = (s.BookMarks || s.StickyFiles || s.AutoView || s.KeepTCBack || s.ChangeColumns ||
                         s.ReturnTabs || s.BriefSingleColor || s.groupingActive || s.Ziravirura ||
                         s.LostFocus || !s.BkgFile.IsEmpty() || s.MClick2NewTab) ? 1 : 0;
    s.tabsNeeded = (s.UseDesktopINI || s.ColoredTabs || s.AutoView || s.DblClickGotoDir || s.ReturnTabs) ? 1 : 0;
    s.driveListStyle = DriveListStyleOf(s);
}

#define SETTING_INT(name) text.AppendFormat(L"%s=%d\n", L"" #name, (int)name);
#define SETTING_COLOR(name) text.AppendFormat(L"%s=0x%08X\n", L"" #name, (unsigned)name);

CString EngineSettings::Describe() const
{
    CString text;
    SETTING_INT(AutoCompletion) SETTING_INT(EnablePlugins) SETTING_INT(AutoView)
    SETTING_INT(KeepScope) SETTING_INT(DriveList) SETTING_INT(CloseAllListers)
    SETTING_INT(BookMarks) SETTING_INT(ColoredTabs) SETTING_INT(UseDesktopINI)
    SETTING_INT(OverrideVisualMode) SETTING_INT(SkipDisconnected) SETTING_INT(KeepTCBack)
    SETTING_INT(StickyFiles) SETTING_INT(UseLLHook) SETTING_INT(DblClickGotoDir)
    SETTING_INT(PersistBookmarks) SETTING_INT(CheckCloseTC) SETTING_INT(CheckMultiLister)
    SETTING_INT(DrivesAnyLanguage) SETTING_INT(DontShowIcons) SETTING_INT(UDIDriveList)
    SETTING_INT(CustomDLIcons) SETTING_INT(ESCSpecial) SETTING_INT(NextQuickView)
    SETTING_INT(NextQuickViewOpen) SETTING_INT(TabsToFav) SETTING_INT(SortTabList)
    SETTING_INT(TabsWheel) SETTING_INT(GotoUpFromRoot) SETTING_INT(JumpBeginEnd)
    SETTING_INT(MClick2NewTab) SETTING_INT(KeepTabColors) SETTING_INT(StickySort)
    SETTING_COLOR(StickColor) SETTING_INT(StickStyle) SETTING_COLOR(BookMarkColor)
    SETTING_INT(BookMarkStyle) SETTING_INT(LostFocus) SETTING_COLOR(LostFocusColor)
    SETTING_INT(LostFocusStyle) SETTING_INT(MarkPercent) SETTING_INT(MarkPercentCursor)
    SETTING_INT(MarkPercentStick) SETTING_INT(MarkPercentBM) SETTING_INT(ReturnTabs)
    SETTING_INT(KeepSelection) SETTING_INT(BriefSingleColor) SETTING_INT(Ziravirura)
    SETTING_COLOR(RetrColor) SETTING_INT(RetrOpacity) SETTING_INT(InPlaceRename)
    SETTING_INT(CustomScreenX) SETTING_INT(CustomScreenY)
    text.AppendFormat(L"BkgFile=%s\n", BkgFile.GetString());
    SETTING_INT(ChangeColumns) SETTING_INT(ColumnsWidth0) SETTING_INT(ColumnsWidth1)
    SETTING_INT(MarkLockedTabs) SETTING_INT(EnableATC) SETTING_COLOR(ActiveTabColor)
    SETTING_INT(ColorPriority) SETTING_INT(LockedTabMark) SETTING_COLOR(LockedTabColor)
    SETTING_COLOR(LockedDCATabColor) SETTING_INT(EnableStartupSequence)
    SETTING_INT(groupingActive) SETTING_INT(stickyOrGrouping) SETTING_INT(fileListsNeeded)
    SETTING_INT(tabsNeeded) SETTING_INT(driveListStyle)
    return text;
}
