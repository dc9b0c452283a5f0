// The folder rules of [AutoView]: what the engine does when a panel shows a
// folder that matches a rule's patterns (view, sort, tab colour and icon,
// list background, grouping, a command to run).
#pragma once
#include <windows.h>
#include <vector>
#include "Strings.h"
#include "EngineContext.h"

// 0x80000000: the rule gives the file list no background colour.
const COLORREF RuleNoBackColor = 0x80000000;
// 0xFF000000: the rule gives the tab no colour.
const COLORREF RuleNoTabColor = 0xFF000000;

struct FolderRule {
    CString name;              // the key in [AutoView]; also the rule's own section
    std::vector<CString> patterns; // upper case, each led by "?", "!" or "^"
    CString viewName;          // "View", the rule's name when missing
    int viewKind = 6;          // row of ViewModeTable; 6 (custom) when none fits
    int sort = 0;              // host sort order; 0 none
    COLORREF backColor = RuleNoBackColor;
    COLORREF tabColor = RuleNoTabColor;
    HICON tabIcon = nullptr;   // owned by the table
    CString backgroundPicture; // "BkgPic", variables expanded
    int grouping = 0;          // 1 when groupMasks is not empty
    CString groupMasks;        // the rule's grouping pattern
    int active = 1;
    int autorun = 0;           // "Autorun"; 2 resolves to whether a command is given
    CString autorunCommand;    // "|"-separated command names
};

// The longest key list of [AutoView] that is read; longer lists give no rules.
const int FolderRuleKeysLimit = 32767;

class CFolderRules {
public:
    CFolderRules() {}
    ~CFolderRules() { Free(); }
    CFolderRules(const CFolderRules&) = delete;
    CFolderRules& operator=(const CFolderRules&) = delete;

    // Rebuilds the table from [AutoView] of `settingsFile` and the custom view
    // titles from [CustomFields] "Titles" of the host's main INI. `extract`
    // loads the tab icons (null: none). Returns the rule count.
    int Read(LPCWSTR settingsFile, LPCWSTR hostIni, PrivateExtractIconsProc extract);
    // Destroys the icons and empties the table.
    void Free();

    int Count() const { return (int)m_rules.size(); }
    const FolderRule& Rule(int index) const { return m_rules[index]; }
    // True when an active rule groups files.
    bool AnyGrouping() const;

    // Index of the first active rule that matches `folder`, else -1. A rule
    // matches when one of its "?" patterns matches, every "!" pattern matches
    // and no "^" pattern does; patterns led by anything else are ignored.
    int FindFolderRule(LPCWSTR folder) const;

    // Index of the rule's view name among the host's custom view titles
    // (without case), else -1.
    int CustomViewIndex(int rule) const;

    // The host commands that switch `side` (0 left, 1 right) to the rule's
    // view and sort, in the order they are posted. A custom view that is not
    // among the titles gives no view command; the sort is given anyway.
    std::vector<UINT> ViewCommands(int rule, int side) const;

    // The picture `relative` found for `folder`: a path led by "\" is joined
    // to the folder's root; one led by "." is looked for in the folder, then
    // in each parent that still matches `rule`. Empty when not found; any
    // other path (network paths too) is returned as it is.
    CString ResolveRulePicture(LPCWSTR relative, int rule, LPCWSTR folder) const;

private:
    void ReadRule(FolderRule& rule, LPCWSTR settingsFile, PrivateExtractIconsProc extract);
    bool Matches(const FolderRule& rule, LPCWSTR folder) const;

    std::vector<FolderRule> m_rules;
    std::vector<CString> m_customTitles;
};
