#include "EngineSettings.h"
#include "ColorSetting.h"
#include "IniSection.h"

namespace {

// The two sections, each read with one profile call.
struct SettingsSource {
    CIniSection config;
    CIniSection colors;
};

CString ExpandedText(const CString& value)
{
    CString text = value.Left(1024);
    WCHAR expanded[1025];
    DWORD length = ExpandEnvironmentStringsW(text, expanded, 1024);
    if (length == 0 || length > 1024)
        return text;
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
    return style;
}

void ReadSettingsTable(EngineSettings& s, LPCWSTR ini, int groupingActive)
{
    SettingsSource source;
    source.config.Load(L"Config", ini);
    source.colors.Load(ColorsSection, ini);
    auto ConfigInt = [&](LPCWSTR key, int value) { return source.config.Int(key, value); };
    auto StyleInt = [&](LPCWSTR key, int value) { return source.colors.Int(key, value); };
    auto Color = [&](LPCWSTR key, COLORREF value) {
        return ParseColorText(source.colors.Text(key).Left(512), value);
    };
    s = EngineSettings();
    s.AutoCompletion = ConfigInt(L"AutoCompletion", 1);
    s.EnablePlugins = ConfigInt(L"EnablePlugins", 1);
    s.AutoView = ConfigInt(L"AutoView", 0);
    s.KeepScope = ConfigInt(L"KeepScope", 1);
    s.DriveList = ConfigInt(L"DriveList", 1);
    s.CloseAllListers = ConfigInt(L"CloseAllListers", 1);
    s.BookMarks = ConfigInt(L"BookMarks", 0);
    s.ColoredTabs = ConfigInt(L"ColoredTabs", 1);
    s.UseDesktopINI = ConfigInt(L"UseDesktopINI", 0);
    s.OverrideVisualMode = ConfigInt(L"OverrideVisualMode", 0);
    s.SkipDisconnected = ConfigInt(L"SkipDisconnected", 0);
    s.KeepTCBack = ConfigInt(L"KeepTCBack", 0);
    s.StickyFiles = ConfigInt(L"StickyFiles", 0);
    s.UseLLHook = ConfigInt(L"UseLLHook", 0);
    s.DblClickGotoDir = ConfigInt(L"DblClickGotoDir", 1);
    s.PersistBookmarks = ConfigInt(L"PersistBookmarks", 0);
    s.CheckCloseTC = ConfigInt(L"CheckCloseTC", 1);
    s.CheckMultiLister = ConfigInt(L"CheckMultiLister", 0);
    s.DrivesAnyLanguage = ConfigInt(L"DrivesAnyLanguage", 1);
    s.DontShowIcons = ConfigInt(L"DontShowIcons", 0);
    s.UDIDriveList = ConfigInt(L"UDIDriveList", 1);
    s.CustomDLIcons = ConfigInt(L"CustomDLIcons", 0);
    s.ESCSpecial = ConfigInt(L"ESCSpecial", 0);
    s.NextQuickView = ConfigInt(L"NextQuickView", 0);
    s.NextQuickViewOpen = ConfigInt(L"NextQuickViewOpen", 0);
    s.TabsToFav = ConfigInt(L"TabsToFav", 0);
    s.SortTabList = ConfigInt(L"SortTabList", 0);
    s.TabsWheel = ConfigInt(L"TabsWheel", 0);
    s.GotoUpFromRoot = ConfigInt(L"GotoUpFromRoot", 0);
    s.JumpBeginEnd = ConfigInt(L"JumpBeginEnd", 0);
    s.MClick2NewTab = ConfigInt(L"MClick2NewTab", 0);
    if (s.ColoredTabs)
        s.KeepTabColors = ConfigInt(L"KeepTabColors", 0);
    s.StickySort = ConfigInt(L"StickySort", 1);
    s.StickColor = Color(L"StickColor", GetSysColor(COLOR_ACTIVECAPTION));
    s.StickStyle = StyleInt(L"StickStyle", 0) + 1;
    s.BookMarkColor = Color(L"BookMarkColor", 0xE696E6);
    s.BookMarkStyle = StyleInt(L"BookMarkStyle", 0) + 1;
    s.LostFocus = ConfigInt(L"LostFocus", 0);
    s.LostFocusColor = s.LostFocus ? Color(L"LostFocusColor", GetSysColor(COLOR_GRADIENTACTIVECAPTION))
                                   : ColorNone;
    s.LostFocusStyle = StyleInt(L"LostFocusStyle", 3) + 1;
    s.MarkPercent = StyleInt(L"MarkPercent", 33);
    s.MarkPercentCursor = StyleInt(L"MarkPercentCursor", s.MarkPercent);
    s.MarkPercentStick = StyleInt(L"MarkPercentStick", s.MarkPercent);
    s.MarkPercentBM = StyleInt(L"MarkPercentBM", s.MarkPercent);
    s.ReturnTabs = ConfigInt(L"ReturnTabs", 0);
    s.KeepSelection = ConfigInt(L"KeepSelection", 1);
    s.BriefSingleColor = ConfigInt(L"BriefSingleColor", 0);
    s.Ziravirura = ConfigInt(L"Ziravirura", 0);
    s.RetrColor = Color(L"RetrColor", GetSysColor(COLOR_HIGHLIGHT));
    s.RetrOpacity = StyleInt(L"RetrOpacity", 64);
    s.InPlaceRename = ConfigInt(L"InPlaceRename", 0);
    s.CustomScreenX = ConfigInt(L"CustomScreenX", 0);
    s.CustomScreenY = ConfigInt(L"CustomScreenY", 0);
    s.BkgFile = ExpandedText(source.config.Text(L"BkgFile"));
    s.groupingActive = groupingActive;
    s.ChangeColumns = ConfigInt(L"ChangeColumns", 0);
    s.ColumnsWidth0 = ConfigInt(L"ColumnsWidth0", 200);
    s.ColumnsWidth1 = ConfigInt(L"ColumnsWidth1", 200);
    s.MarkLockedTabs = ConfigInt(L"MarkLockedTabs", 0);
    s.EnableATC = ConfigInt(L"EnableATC", 0);
    if (s.EnableATC) {
        s.ActiveTabColor = Color(L"ActiveTabColor", 0xB4E6E6);
        s.ColorPriority = StyleInt(L"ColorPriority", 0);
    }
    if (s.MarkLockedTabs) {
        s.LockedTabMark = StyleInt(L"LockedTabMark", 0);
        if (s.LockedTabMark < 0 || s.LockedTabMark > 2)
            s.LockedTabMark = 0;
        s.LockedTabColor = Color(L"LockedTabColor", GetSysColor(COLOR_INACTIVECAPTIONTEXT));
        s.LockedDCATabColor = Color(L"LockedDCATabColor", GetSysColor(COLOR_INACTIVECAPTION));
    }
    s.EnableStartupSequence = ConfigInt(L"EnableStartupSequence", 0);

    s.stickyOrGrouping = (s.StickyFiles || s.groupingActive) ? 1 : 0;
    s.fileListsNeeded = (s.BookMarks || s.StickyFiles || s.AutoView || s.KeepTCBack || s.ChangeColumns ||
                         s.ReturnTabs || s.BriefSingleColor || s.groupingActive || s.Ziravirura ||
                         s.LostFocus || !s.BkgFile.IsEmpty() || s.MClick2NewTab) ? 1 : 0;
    s.tabsNeeded = (s.UseDesktopINI || s.ColoredTabs || s.AutoView || s.DblClickGotoDir || s.ReturnTabs) ? 1 : 0;
    s.driveListStyle = DriveListStyleOf(s);

    ReadMenuColorsWith(s.menuColors, [&](LPCWSTR key) { return std::wstring((LPCWSTR)source.colors.Text(key).Left(512)); }, true);
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
    text.AppendFormat(L"groupingPattern=%s\n", groupingPattern.GetString());
    return text;
}
