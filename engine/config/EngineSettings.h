// The engine's own settings: every key of [Config] and [Colors&Styles] of
// "Merovin.ini" with its default, and the switches derived from them.
#pragma once
#include <windows.h>
#include "Strings.h"
#include "MenuColors.h"

// 0x80000000: no colour for the file lists' marks and backgrounds.
const COLORREF ColorNone = 0x80000000;

struct EngineSettings {
    int AutoCompletion = 1;
    int EnablePlugins = 1;
    int AutoView = 0;
    int KeepScope = 1;
    int DriveList = 1;
    int CloseAllListers = 1;
    int BookMarks = 0;
    int ColoredTabs = 1;
    int UseDesktopINI = 0;
    int OverrideVisualMode = 0;
    int SkipDisconnected = 0;
    int KeepTCBack = 0;
    int StickyFiles = 0;
    int UseLLHook = 0;
    int DblClickGotoDir = 1;
    int PersistBookmarks = 0;
    int CheckCloseTC = 1;
    int CheckMultiLister = 0;
    int DrivesAnyLanguage = 1;
    int DontShowIcons = 0;
    int UDIDriveList = 1;
    int CustomDLIcons = 0;
    int ESCSpecial = 0;
    int NextQuickView = 0;
    int NextQuickViewOpen = 0;
    int TabsToFav = 0;
    int SortTabList = 0;
    int TabsWheel = 0;
    int GotoUpFromRoot = 0;
    int JumpBeginEnd = 0;
    int MClick2NewTab = 0;
    int KeepTabColors = 0;
    int StickySort = 1;
    COLORREF StickColor = 0;
    int StickStyle = 1;    // the setting plus 1
    COLORREF BookMarkColor = 0xE696E6;
    int BookMarkStyle = 1; // the setting plus 1
    int LostFocus = 0;
    COLORREF LostFocusColor = ColorNone;
    int LostFocusStyle = 4; // the setting plus 1
    int MarkPercent = 33;
    int MarkPercentCursor = 33;
    int MarkPercentStick = 33;
    int MarkPercentBM = 33;
    int ReturnTabs = 0;
    int KeepSelection = 1;
    int BriefSingleColor = 0;
    int Ziravirura = 0;
    COLORREF RetrColor = 0;
    int RetrOpacity = 64;
    int InPlaceRename = 0;
    int CustomScreenX = 0;
    int CustomScreenY = 0;
    CString BkgFile;
    int ChangeColumns = 0;
    int ColumnsWidth0 = 200;
    int ColumnsWidth1 = 200;
    int MarkLockedTabs = 0;
    int EnableATC = 0;
    COLORREF ActiveTabColor = 0xB4E6E6;
    int ColorPriority = 0;
    int LockedTabMark = 0;
    COLORREF LockedTabColor = 0;
    COLORREF LockedDCATabColor = 0;
    int EnableStartupSequence = 0;

    // Derived after reading.
    int groupingActive = 0;
    CString groupingPattern; // [Config]'s group pattern (top part, "<", bottom part)
    int stickyOrGrouping = 0;
    int fileListsNeeded = 0;
    int tabsNeeded = 0;
    UINT driveListStyle = 0; // 1 any language, 2 no icons, 4 user commands, 8 custom icons

    MenuColors menuColors = {};

    // Defaults that depend on the system colours.
    EngineSettings();

    // The switches that start-up and attaching test, back to 0 at teardown.
    void ResetFeatureSwitches();

    // "Name=value" lines of every field, for diagnostics.
    CString Describe() const;
};

// Reads the table of keys from `iniPath` into a fresh set of defaults, in the
// table's order, then the menu colours (the conditional keys only when their switch is set), then
// works out the derived switches. A missing file gives every default.
// `groupingActive` is the result of the grouping settings reader; the caller
// stores its pattern in `groupingPattern` afterwards.
// The menu colours are read from the same [Colors&Styles] read.
void ReadSettingsTable(EngineSettings& settings, LPCWSTR iniPath, int groupingActive);

// The drive-list style flags of the settings.
UINT DriveListStyleOf(const EngineSettings& settings);
