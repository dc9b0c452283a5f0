#include "MenuBuilder.h"
#include "KeyPattern.h"
#include "MenuItems.h"
#include "EditClassifier.h"

namespace {

// Submenus nest at most this deep (the system refuses menus nested about
// twice as deep).
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
    CKeyPattern expression;
    return expression.Compile(pattern) && expression.Search(text, group, found);
}

// The outermost public call starts a build: no sections read, no entries yet.
class CMenuBuilder::CBuildScope
{
public:
    explicit CBuildScope(CMenuBuilder& builder) : m_builder(builder)
    {
        if (m_builder.m_buildDepth++ == 0) {
            m_builder.m_sections.clear();
            m_builder.m_openSections.RemoveAll();
            m_builder.m_itemCount = 0;
            m_builder.m_submenuCount = 0;
            m_builder.m_full = false;
        }
    }
    ~CBuildScope()
    {
        if (--m_builder.m_buildDepth == 0)
            m_builder.m_sections.clear();
    }
    CBuildScope(const CBuildScope&) = delete;
    CBuildScope& operator=(const CBuildScope&) = delete;

private:
    CMenuBuilder& m_builder;
};

CMenuBuilder::CMenuBuilder(LPCWSTR settingsFile, LPCWSTR hostIni)
    : m_settingsFile(settingsFile ? settingsFile : L""), m_hostIni(hostIni ? hostIni : L"")
{
}

UINT CMenuBuilder::BuildMenuFromSection(HMENU menu, LPCWSTR section, UINT firstId)
{
    CBuildScope build(*this);
    return BuildSection(menu, section, firstId, 0);
}

UINT CMenuBuilder::BuildSection(HMENU menu, LPCWSTR section, UINT firstId, int depth)
{
    const CIniSection& entries = ReadSection(m_settingsFile, section, false);
    bool menuSection = IsMenuSection(section);
    m_openSections.Add(section);
    UINT id = firstId;
    for (int i = 0; i < entries.KeyCount() && HasRoom(); ++i) {
        const CString& key = entries.Key(i);
        CString value = entries.Text(i);
        if (menuSection && key.CompareNoCase(L"UseMenu") == 0)
            continue; // names the section shown in this one's place
        CString name;
        if (key.CompareNoCase(L"$sep") == 0 || value.CompareNoCase(L"$sep") == 0) {
            AddSeparator(menu);
        } else if (StartsWithNoCase(value, L"$sub(")) {
            if (BracketName(value, name) && depth < MaxSubmenuDepth && !IsOpen(name)) {
                HMENU submenu = BeginSubmenu();
                if (!submenu)
                    break;
                id += BuildSection(submenu, name, id + 1, depth + 1);
                AppendSubmenu(menu, submenu, key);
            } else {
                AddText(menu, id, L"($sub)", nullptr);
            }
        } else if (StartsWithNoCase(value, L"$swat(")) {
            SwatArgs args;
            if (ParseSwatArgs((LPCWSTR)value + 6, args)) {
                HMENU submenu = BeginSubmenu();
                if (!submenu)
                    break;
                id += AddSectionItems(submenu, id + 1, args);
                AppendSubmenu(menu, submenu, key);
            }
        } else if (StartsWithNoCase(value, L"$sec(")) {
            if (BracketName(value, name)) {
                HMENU submenu = BeginSubmenu();
                if (!submenu)
                    break;
                id += AddHostSection(submenu, name, id);
                AppendSubmenu(menu, submenu, key);
            }
        } else {
            AddText(menu, id, key, value);
        }
        ++id;
    }
    m_openSections.RemoveAt(m_openSections.GetSize() - 1);
    return id - firstId;
}

// Section names compare as the profile functions look them up: without
// case and surrounding blanks.
bool CMenuBuilder::IsOpen(LPCWSTR section) const
{
    CString name(section);
    name.Trim(L" \t");
    for (INT_PTR i = 0; i < m_openSections.GetSize(); ++i) {
        CString open(m_openSections[i]);
        open.Trim(L" \t");
        if (open.CompareNoCase(name) == 0)
            return true;
    }
    return false;
}

const CIniSection& CMenuBuilder::ReadSection(LPCWSTR file, LPCWSTR section, bool host)
{
    CString name(host ? L"h" : L"f");
    name += file;
    name += L"\n";
    name += section;
    name.MakeLower();
    std::unique_ptr<CIniSection>& entry = m_sections[std::wstring((LPCWSTR)name)];
    if (!entry) {
        entry.reset(new CIniSection(IniValueLength));
        if (host)
            entry->LoadHost(section, file);
        else
            entry->Load(section, file);
    }
    return *entry;
}

void CMenuBuilder::AddText(HMENU menu, UINT id, LPCWSTR caption, LPCWSTR text)
{
    AppendTextItem(menu, id, caption, text);
    ++m_itemCount;
}

void CMenuBuilder::AddSeparator(HMENU menu)
{
    AppendSeparator(menu);
    ++m_itemCount;
}

HMENU CMenuBuilder::BeginSubmenu()
{
    if (!HasRoom())
        return nullptr;
    if (m_submenuCount >= MaxSubmenus) {
        m_full = true;
        return nullptr;
    }
    ++m_itemCount;
    ++m_submenuCount;
    return CreatePopupMenu();
}

void CMenuBuilder::DropSubmenu(HMENU submenu)
{
    DestroyMenu(submenu);
    --m_itemCount;
    --m_submenuCount;
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
    CBuildScope build(*this);
    CString file = args.iniFile.IsEmpty() ? m_hostIni : ExpandEnvironment(args.iniFile);
    const CIniSection& section = ReadSection(file, args.section, true);

    // One expression for all keys; one the engine refuses matches nothing.
    bool usePattern = !args.pattern.IsEmpty();
    CKeyPattern expression;
    if (usePattern && !expression.Compile(args.pattern))
        return 0;

    UINT added = 0;
    for (int i = 0; i < section.KeyCount() && HasRoom(); ++i) {
        const CString& key = section.Key(i);
        CString name = key;
        if (usePattern && !expression.Search(key, args.group, name))
            continue;
        CString value = section.Text(i);
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
        AddText(menu, firstId + added, caption, text);
        ++added;
    }
    return added;
}

UINT CMenuBuilder::AddNumberedKeyItems(HMENU menu, LPCWSTR hostSection, UINT firstId)
{
    CBuildScope build(*this);
    const CIniSection& section = ReadSection(m_hostIni, hostSection, true);
    UINT used = 0;
    for (int n = 0; HasRoom(); ++n) {
        WCHAR key[16];
        wsprintfW(key, L"%d", n);
        CString value = section.Text(key);
        if (value.IsEmpty())
            break;
        if (!StartsWithNoCase(value, L"::"))
            AddText(menu, firstId + used, value, value);
        ++used;
    }
    return used;
}

UINT CMenuBuilder::AddHotlistItems(HMENU menu, int firstEntry, UINT firstId)
{
    CBuildScope build(*this);
    const CIniSection& hotlist = ReadSection(m_hostIni, L"DirMenu", true);
    // Submenus nest as deep as the list says: the open ones are kept here,
    // not on the stack.
    std::vector<CHotlistLevel> levels;
    levels.push_back({menu, CString(), firstId, false});
    int skipped = 0; // open submenus nested too deep, left out with their entries
    for (int entry = firstEntry; HasRoom(); ++entry) {
        WCHAR key[32];
        wsprintfW(key, L"Menu%d", entry);
        CString caption = hotlist.Text(key);
        if (caption.IsEmpty())
            break; // the end of the list
        CHotlistLevel& level = levels.back();
        if (caption == L"--") {
            if (skipped > 0)
                --skipped;
            else if (levels.size() > 1)
                CloseHotlistLevel(levels);
            continue;
        }
        bool opens = caption[0] == L'-' && caption != L"-";
        if (skipped > 0 || (opens && (int)levels.size() > MaxSubmenuDepth)) {
            skipped += opens ? 1 : 0;
            continue;
        }
        if (caption == L"-") {
            level.separatorDue = true;
            continue;
        }
        if (opens) {
            HMENU submenu = BeginSubmenu();
            if (!submenu)
                break;
            levels.push_back({submenu, caption.Mid(1), level.id + 1, false});
            continue;
        }
        wsprintfW(key, L"cmd%d", entry);
        CString path;
        if (!HotlistPath(hotlist.Text(key), path))
            continue;
        if (level.separatorDue) {
            if (!HasRoom(2))
                break;
            AddSeparator(level.menu);
            level.separatorDue = false;
        }
        AddText(level.menu, level.id, caption, path);
        ++level.id;
    }
    while (levels.size() > 1)
        CloseHotlistLevel(levels);
    return levels.back().id - firstId;
}

// Ends the innermost hotlist submenu: its parent shows it (after a separator
// that is due) when it got an item, else it is dropped.
void CMenuBuilder::CloseHotlistLevel(std::vector<CHotlistLevel>& levels)
{
    CHotlistLevel level = levels.back();
    levels.pop_back();
    CHotlistLevel& parent = levels.back();
    if (GetMenuItemCount(level.menu) == 0) {
        DropSubmenu(level.menu);
        return;
    }
    if (parent.separatorDue && HasRoom())
        AddSeparator(parent.menu);
    parent.separatorDue = false;
    AppendSubmenu(parent.menu, level.menu, level.caption);
    parent.id = level.id; // the submenu's own id and its items' ids
}
