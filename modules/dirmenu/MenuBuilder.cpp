#include "MenuBuilder.h"
#include "IniSection.h"
#include "MenuItems.h"
#include "EditClassifier.h"
#include <regex>

namespace {

// Submenus may name each other; deeper nesting than this is a loop.
const int MaxSubmenuDepth = 16;

bool StartsWithNoCase(const CString& text, LPCWSTR prefix)
{
    int length = lstrlenW(prefix);
    return text.GetLength() >= length && _wcsnicmp(text, prefix, length) == 0;
}

bool IsMenuSection(LPCWSTR section)
{
    for (int kind = 0; kind < MenuKindCount; ++kind) {
        if (lstrcmpiW(section, MenuSectionName(kind)) == 0)
            return true;
    }
    return false;
}

// The name inside "$sub(" or "$sec(": up to the first ")" from the seventh
// character on. False without one.
bool BracketName(const CString& value, CString& name)
{
    int close = value.Find(L')', 6);
    if (close < 0)
        return false;
    name = value.Mid(5, close - 5);
    return true;
}

CString ExpandEnvironment(const CString& text)
{
    WCHAR expanded[1024] = {};
    DWORD length = ExpandEnvironmentStringsW(text, expanded, 1024);
    if (length == 0 || length > 1024)
        return text;
    return CString(expanded);
}

// "cd " followed by a drive path or a network path.
bool HotlistPath(const CString& command, CString& path)
{
    CString expanded = ExpandEnvironment(command);
    if (!StartsWithNoCase(expanded, L"cd "))
        return false;
    CString rest = expanded.Mid(3);
    bool drive = iswalpha(rest[0]) && rest[1] == L':';
    bool network = rest[0] == L'\\' && rest[1] == L'\\' && rest[2] != 0 && rest[2] != L'\\';
    if (!drive && !network)
        return false;
    path = rest;
    return true;
}

} // namespace

bool ParseSwatArgs(LPCWSTR value, SwatArgs& args)
{
    args = SwatArgs();
    if (!value)
        return false;
    // The argument list runs to the ")" that closes "$swat(".
    int depth = 1;
    LPCWSTR end = value;
    for (; *end; ++end) {
        if (*end == L'(')
            ++depth;
        else if (*end == L')' && --depth == 0)
            break;
    }
    if (!*end)
        return false;

    CString pieces[6];
    int count = 0;
    CString list(value, (int)(end - value));
    int start = 0;
    while (count < 6) {
        int comma = list.Find(L',', start);
        if (comma < 0) {
            pieces[count++] = list.Mid(start);
            break;
        }
        pieces[count++] = list.Mid(start, comma - start);
        start = comma + 1;
    }
    args.section = pieces[0];
    if (!pieces[1].IsEmpty())
        args.captionKind = _wtoi(pieces[1]);
    if (!pieces[2].IsEmpty())
        args.dataKind = _wtoi(pieces[2]);
    args.pattern = pieces[3];
    args.group = _wtoi(pieces[4]);
    args.iniFile = pieces[5];
    return true;
}

bool RegexGroup(LPCWSTR text, LPCWSTR pattern, int group, CString& found)
{
    found.Empty();
    try {
        std::wregex expression(pattern, std::regex_constants::ECMAScript);
        std::wcmatch match;
        if (!std::regex_search(text, match, expression))
            return false;
        if (group >= 0 && (size_t)group < match.size())
            found = CString(match[group].str());
        return true;
    } catch (...) {
        return false;
    }
}

CMenuBuilder::CMenuBuilder(LPCWSTR settingsFile, LPCWSTR hostIni)
    : m_settingsFile(settingsFile ? settingsFile : L""), m_hostIni(hostIni ? hostIni : L"")
{
}

UINT CMenuBuilder::BuildMenuFromSection(HMENU menu, LPCWSTR section, UINT firstId)
{
    return BuildSection(menu, section, firstId, 0);
}

UINT CMenuBuilder::BuildSection(HMENU menu, LPCWSTR section, UINT firstId, int depth)
{
    CIniSection entries;
    entries.Read(m_settingsFile, section);
    bool menuSection = IsMenuSection(section);
    UINT id = firstId;
    for (int i = 0; i < entries.GetKeyCount(); ++i) {
        const CString& key = entries.GetKey(i);
        CString value = entries.GetValue(i);
        if (menuSection && key.CompareNoCase(L"UseMenu") == 0)
            continue; // names the section shown in this one's place
        CString name;
        if (key.CompareNoCase(L"$sep") == 0 || value.CompareNoCase(L"$sep") == 0) {
            AppendSeparator(menu);
        } else if (StartsWithNoCase(value, L"$sub(")) {
            if (BracketName(value, name) && depth < MaxSubmenuDepth) {
                HMENU submenu = CreatePopupMenu();
                id += BuildSection(submenu, name, id + 1, depth + 1);
                AppendSubmenu(menu, submenu, key);
            } else {
                AppendTextItem(menu, id, L"($sub)", nullptr);
            }
        } else if (StartsWithNoCase(value, L"$swat(")) {
            SwatArgs args;
            if (ParseSwatArgs((LPCWSTR)value + 6, args)) {
                HMENU submenu = CreatePopupMenu();
                id += AddSectionItems(submenu, id + 1, args);
                AppendSubmenu(menu, submenu, key);
            }
        } else if (StartsWithNoCase(value, L"$sec(")) {
            if (BracketName(value, name)) {
                HMENU submenu = CreatePopupMenu();
                id += AddHostSection(submenu, name, id);
                AppendSubmenu(menu, submenu, key);
            }
        } else {
            AppendTextItem(menu, id, key, value);
        }
        ++id;
    }
    return id - firstId;
}

// A host section under a "$sec(" entry whose own id is `keyId`.
UINT CMenuBuilder::AddHostSection(HMENU menu, const CString& name, UINT keyId)
{
    SwatArgs args;
    args.captionKind = 1;
    args.dataKind = 1;
    args.group = 1;
    args.section = name;
    if (name.CompareNoCase(L"Alias") == 0 || name.CompareNoCase(L"FileSystemPlugins") == 0) {
        args.group = 0;
        return AddSectionItems(menu, keyId + 1, args);
    }
    if (name.CompareNoCase(L"Searches") == 0)
        args.pattern = L"(.+)_SearchFor";
    else if (name.CompareNoCase(L"rename") == 0)
        args.pattern = L"(.+)_name";
    else if (name.CompareNoCase(L"SyncOptions") == 0)
        args.pattern = L"(.+)_Wcs";
    if (!args.pattern.IsEmpty())
        return AddSectionItems(menu, keyId + 1, args);
    if (name.CompareNoCase(L"DirMenu") == 0) {
        UINT used = AddHotlistItems(menu, 1, keyId + 1);
        m_hotlistLow = keyId;
        m_hotlistHigh = keyId + used;
        return used;
    }
    return AddNumberedKeyItems(menu, name, keyId + 1);
}

UINT CMenuBuilder::AddSectionItems(HMENU menu, UINT firstId, const SwatArgs& args)
{
    CString file = args.iniFile.IsEmpty() ? m_hostIni : ExpandEnvironment(args.iniFile);
    CIniSection section;
    section.ReadHost(file, args.section);

    // One expression for all keys; one the engine refuses matches nothing.
    bool usePattern = !args.pattern.IsEmpty();
    bool validPattern = false;
    std::wregex expression;
    if (usePattern) {
        try {
            expression = std::wregex((LPCWSTR)args.pattern, std::regex_constants::ECMAScript);
            validPattern = true;
        } catch (...) {
        }
    }

    UINT added = 0;
    for (int i = 0; i < section.GetKeyCount(); ++i) {
        const CString& key = section.GetKey(i);
        CString name = key;
        if (usePattern) {
            if (!validPattern)
                break;
            try {
                std::wcmatch match;
                if (!std::regex_search((LPCWSTR)key, match, expression))
                    continue;
                name = (args.group >= 0 && (size_t)args.group < match.size())
                           ? CString(match[args.group].str())
                           : CString();
            } catch (...) {
                continue;
            }
        }
        CString value = section.GetValue(i);
        CString caption;
        if (args.captionKind == 2)
            caption = value;
        else if (args.captionKind == 3)
            caption.Format(L"%s\t%s", (LPCWSTR)name, (LPCWSTR)value);
        else
            caption = name;
        LPCWSTR text = L"";
        if (args.dataKind == 1)
            text = name;
        else if (args.dataKind == 2)
            text = value;
        AppendTextItem(menu, firstId + added, caption, text);
        ++added;
    }
    return added;
}

UINT CMenuBuilder::AddNumberedKeyItems(HMENU menu, LPCWSTR hostSection, UINT firstId)
{
    CIniSection section;
    section.ReadHost(m_hostIni, hostSection);
    UINT used = 0;
    for (int n = 0;; ++n) {
        WCHAR key[16];
        wsprintfW(key, L"%d", n);
        CString value = section.GetValue(key);
        if (value.IsEmpty())
            break;
        if (!StartsWithNoCase(value, L"::"))
            AppendTextItem(menu, firstId + used, value, value);
        ++used;
    }
    return used;
}

UINT CMenuBuilder::AddHotlistItems(HMENU menu, int firstEntry, UINT firstId)
{
    CIniSection hotlist;
    hotlist.ReadHost(m_hostIni, L"DirMenu");
    int entry = firstEntry;
    bool ended = false;
    return AddHotlistLevel(menu, hotlist, entry, firstId, false, ended);
}

// Entries from `entry` on up to the "--" that closes a submenu (`nested`) or
// the empty caption that ends the list (`ended`).
UINT CMenuBuilder::AddHotlistLevel(HMENU menu, const CIniSection& hotlist, int& entry,
                                   UINT firstId, bool nested, bool& ended)
{
    UINT id = firstId;
    bool separatorDue = false;
    while (!ended) {
        WCHAR key[32];
        wsprintfW(key, L"Menu%d", entry);
        CString caption = hotlist.GetValue(key);
        if (caption.IsEmpty()) {
            ended = true;
            break;
        }
        wsprintfW(key, L"cmd%d", entry);
        ++entry;
        if (caption == L"--") {
            if (nested)
                break;
            continue;
        }
        if (caption == L"-") {
            separatorDue = true;
            continue;
        }
        if (caption[0] == L'-') {
            HMENU submenu = CreatePopupMenu();
            UINT used = AddHotlistLevel(submenu, hotlist, entry, id + 1, true, ended);
            if (GetMenuItemCount(submenu) > 0) {
                if (separatorDue)
                    AppendSeparator(menu);
                separatorDue = false;
                AppendSubmenu(menu, submenu, caption.Mid(1));
                id += used + 1;
            } else {
                DestroyMenu(submenu);
            }
            continue;
        }
        CString path;
        if (!HotlistPath(hotlist.GetValue(key), path))
            continue;
        if (separatorDue)
            AppendSeparator(menu);
        separatorDue = false;
        AppendTextItem(menu, id, caption, path);
        ++id;
    }
    return id - firstId;
}
