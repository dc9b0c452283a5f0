#include "FolderRules.h"
#include <shlwapi.h>
#include "ColorSetting.h"
#include "EngineHelpers.h"
#include "GroupSettings.h"
#include "IniReaders.h"
#include "IniSection.h"

namespace {

// The rule's texts are read as a 1024-character profile buffer reads them.
const int RuleValueLength = 1025;

CString Expanded(const CString& text)
{
    WCHAR expanded[2049];
    DWORD length = ExpandEnvironmentStringsW(text, expanded, 2048);
    return (length > 0 && length <= 2048) ? CString(expanded) : text;
}

// Splits at "|"; an empty text gives one empty part.
std::vector<CString> SplitBars(const CString& text)
{
    std::vector<CString> parts;
    int start = 0;
    for (;;) {
        int bar = text.Find(L'|', start);
        if (bar < 0) {
            parts.push_back(text.Mid(start));
            return parts;
        }
        parts.push_back(text.Mid(start, bar - start));
        start = bar + 1;
    }
}

bool FileExists(LPCWSTR path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// "X:" of a drive folder, "\\server\share" of a network folder, else empty.
CString RootOf(const CString& folder)
{
    if (folder.GetLength() >= 2 && folder[1] == L':')
        return folder.Left(2);
    if (folder.Left(2) == L"\\\\") {
        int share = folder.Find(L'\\', 2);
        if (share < 0)
            return folder;
        int end = folder.Find(L'\\', share + 1);
        return end < 0 ? folder : folder.Left(end);
    }
    return CString();
}

} // namespace

int CFolderRules::Read(LPCWSTR settingsFile, LPCWSTR hostIni, PrivateExtractIconsProc extract)
{
    Free();
    m_customTitles.clear();
    if (hostIni && *hostIni) {
        CIniSection fields;
        fields.LoadHost(L"CustomFields", hostIni);
        CString titles = fields.Text(L"Titles");
        if (!titles.IsEmpty())
            m_customTitles = SplitBars(titles);
    }

    std::vector<WCHAR> keys;
    int length = ReadIniSection(L"AutoView", nullptr, L"", keys, 0, settingsFile);
    if (length <= 0 || length > FolderRuleKeysLimit - 2)
        return 0;
    CIniSection patterns;
    patterns.Load(L"AutoView", settingsFile);
    for (LPCWSTR key = keys.data(); *key; key += wcslen(key) + 1) {
        FolderRule rule;
        rule.name = key;
        CString value = patterns.Text(key);
        value.MakeUpper();
        rule.patterns = SplitBars(value);
        ReadRule(rule, settingsFile, extract);
        m_rules.push_back(rule);
    }
    return Count();
}

void CFolderRules::ReadRule(FolderRule& rule, LPCWSTR settingsFile, PrivateExtractIconsProc extract)
{
    CIniSection keys(RuleValueLength);
    keys.Load(rule.name, settingsFile);
    rule.backgroundPicture = Expanded(keys.Text(L"BkgPic"));
    rule.viewName = keys.Has(L"View") ? keys.Text(L"View") : rule.name.Left(RuleValueLength - 1);
    int kind = ViewModeWord(rule.viewName);
    rule.viewKind = kind < 0 ? ViewModeCount - 1 : kind;
    rule.sort = keys.Int(L"Sort", 0);
    rule.backColor = ParseColorText(keys.Text(L"BkgColor"), RuleNoBackColor);
    rule.tabColor = ParseColorText(keys.Text(L"TabColor"), RuleNoTabColor);
    rule.tabIcon = IconFromText(keys.Text(L"TabIcon"), extract);
    rule.grouping = ReadGroupPattern(rule.name, settingsFile, rule.groupMasks);
    rule.active = keys.Int(L"Active", 1);
    rule.autorunCommand = keys.Text(L"AutorunCmd");
    rule.autorun = keys.Int(L"Autorun", 2);
    if (rule.autorun == 2)
        rule.autorun = rule.autorunCommand.IsEmpty() ? 0 : 1;
}

void CFolderRules::Free()
{
    for (FolderRule& rule : m_rules)
        if (rule.tabIcon)
            DestroyIcon(rule.tabIcon);
    m_rules.clear();
}

bool CFolderRules::AnyGrouping() const
{
    for (const FolderRule& rule : m_rules)
        if (rule.active && rule.grouping)
            return true;
    return false;
}

bool CFolderRules::Matches(const FolderRule& rule, LPCWSTR folder) const
{
    bool matched = false;
    for (const CString& pattern : rule.patterns) {
        if (pattern.IsEmpty())
            continue;
        LPCWSTR mask = pattern.GetString() + 1;
        switch (pattern[0]) {
        case L'?':
            if (PathMatchSpecW(folder, mask))
                matched = true;
            break;
        case L'!':
            if (!PathMatchSpecW(folder, mask))
                return false;
            break;
        case L'^':
            if (PathMatchSpecW(folder, mask))
                return false;
            break;
        default:
            break;
        }
    }
    return matched;
}

int CFolderRules::FindFolderRule(LPCWSTR folder) const
{
    if (!folder || !*folder)
        return -1;
    for (int i = 0; i < Count(); ++i)
        if (m_rules[i].active && Matches(m_rules[i], folder))
            return i;
    return -1;
}

int CFolderRules::CustomViewIndex(int rule) const
{
    if (rule < 0 || rule >= Count())
        return -1;
    for (size_t i = 0; i < m_customTitles.size(); ++i)
        if (m_customTitles[i].CompareNoCase(m_rules[rule].viewName) == 0)
            return (int)i;
    return -1;
}

std::vector<UINT> CFolderRules::ViewCommands(int rule, int side) const
{
    std::vector<UINT> commands;
    if (rule < 0 || rule >= Count())
        return commands;
    const FolderRule& r = m_rules[rule];
    int offset = 0;
    if (r.viewKind == ViewModeCount - 1)
        offset = CustomViewIndex(rule);
    if (offset >= 0) {
        // The table gives the left panel's command and the step to the right one.
        const ViewModeRow& row = ViewModeTable[r.viewKind];
        UINT left = (UINT)(row.values[0] + offset);
        commands.push_back(side == 0 ? left : left + (UINT)row.values[1]);
    }
    if (r.sort != 0) {
        commands.push_back(side == 0 ? 125 : 225);
        commands.push_back((UINT)((side == 0 ? 6200 : 6300) + r.sort));
    }
    return commands;
}

CString CFolderRules::ResolveRulePicture(LPCWSTR relative, int rule, LPCWSTR folder) const
{
    CString path(relative ? relative : L"");
    CString current(folder ? folder : L"");
    if (path.IsEmpty())
        return path;
    // A network path ("\\server\...") is whole already: only a single
    // leading "\" names the folder's root.
    if (path.Left(2) == L"\\\\")
        return path;
    if (path[0] == L'\\') {
        CString root = RootOf(current);
        if (root.IsEmpty())
            return CString();
        CString joined = root + path;
        return FileExists(joined) ? joined : CString();
    }
    if (path[0] != L'.')
        return path;
    for (;;) {
        CString candidate = current + L"\\" + path;
        if (FileExists(candidate)) {
            WCHAR clean[MAX_PATH];
            if (candidate.GetLength() < MAX_PATH && PathCanonicalizeW(clean, candidate))
                return CString(clean);
            return candidate;
        }
        int slash = current.ReverseFind(L'\\');
        if (slash <= 0)
            return CString();
        current = current.Left(slash);
        if (FindFolderRule(current) != rule)
            return CString();
    }
}
