// Reading [PluginList] and listing a module's commands.
#include "ModuleListing.h"
#include "IniSection.h"
#include "Localizer.h"
#include "ModuleInterface.h"
#include <cwchar>
#include <shlwapi.h>
#include <vector>

namespace {

// Frees the library however listing ends.
class CModuleLoad
{
public:
    explicit CModuleLoad(LPCWSTR lpszFile)
    {
        // A missing dependency fails the load instead of asking the user.
        DWORD oldMode = 0;
        ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
        m_module = ::LoadLibraryW(lpszFile);
        ::SetThreadErrorMode(oldMode, nullptr);
    }
    ~CModuleLoad()
    {
        if (m_module)
            ::FreeLibrary(m_module);
    }
    HMODULE Get() const { return m_module; }

private:
    HMODULE m_module;
};

// A text of a fixed-size field: NULL when no terminating zero lies within it.
LPCWSTR FieldText(const WCHAR* field, size_t size)
{
    return wcsnlen(field, size) < size ? field : nullptr;
}

CString FileBaseName(LPCWSTR lpszPath)
{
    CString name = ::PathFindFileNameW(lpszPath);
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

// The module's rows from its answer; FALSE when the answer cannot be true.
BOOL BuildRows(const ModuleInfo& info, CString& strKey, LPCWSTR lpszPath, const CLocalizer& localizer,
               CModuleRows& rows)
{
    int count = info.commandCount;
    if (count < 0 || count > MaxModuleCommands || (count > 0 && !info.commands))
        return FALSE;
    LPCWSTR name = FieldText(info.name, ModuleNameLength);
    if (!name)
        return FALSE;
    if (strKey.IsEmpty())
        strKey = *name ? CString(name) : FileBaseName(lpszPath);
    CString title = localizer.LoadLocalizedString(0, strKey, FALSE);
    if (title.IsEmpty())
        title = strKey;
    _CLItem group;
    group.nFlags = RowGroup;
    group.strName.Format(L"%s (%s)", (LPCWSTR)title, lpszPath);
    group.strNumber = strKey;
    group.strDescription = title;
    group.strExtra = lpszPath;
    rows.Add(group);
    for (int i = 0; i < count; ++i) {
        const ModuleCommand& command = info.commands[i];
        LPCWSTR text = FieldText(command.text, ModuleTextLength);
        if (!text)
            return FALSE;
        // Caption and description are split at the last "|".
        CString caption(text), description;
        int bar = caption.ReverseFind(L'|');
        if (bar >= 0) {
            description = caption.Mid(bar + 1);
            caption = caption.Left(bar);
        }
        CString localized = localizer.LoadLocalizedString((UINT)command.id, strKey, FALSE);
        _CLItem row;
        row.strName = localized.IsEmpty() ? caption : localized;
        row.strNumber.Format(L"%d", command.id);
        row.strDescription = description;
        row.strExtra.Format(L"%s,%d", (LPCWSTR)strKey, command.id);
        rows.Add(row);
    }
    return TRUE;
}

} // namespace

void ReadPluginList(LPCWSTR lpszIni, CArray<CPluginListLine, const CPluginListLine&>& lines)
{
    lines.RemoveAll();
    CIniSection section;
    section.Load(L"PluginList", lpszIni);
    for (int i = 0; i < section.KeyCount(); ++i) {
        CPluginListLine line;
        const CString& key = section.Key(i);
        line.bPathAsKey = key.Find(L'\\') >= 0;
        line.strPath = line.bPathAsKey ? key : section.Text(i);
        line.strKey = line.bPathAsKey ? section.Text(i) : key;
        lines.Add(line);
    }
}

CString ModuleLoadPath(LPCWSTR lpszPath, LPCWSTR lpszOwnFolder)
{
    CString path(lpszPath);
    DWORD size = ::ExpandEnvironmentStringsW(lpszPath, nullptr, 0);
    if (size > 0) {
        std::vector<WCHAR> expanded(size + 1);
        if (::ExpandEnvironmentStringsW(lpszPath, expanded.data(), size + 1) <= size + 1)
            path = expanded.data();
    }
    if (!path.IsEmpty() && ::PathIsRelativeW(path) && lpszOwnFolder && *lpszOwnFolder)
        path = CString(lpszOwnFolder) + L"\\" + path;
    return path;
}

int ListModule(CString& strKey, LPCWSTR lpszPath, LPCWSTR lpszOwnFolder, const CLocalizer& localizer,
               CModuleRows& rows)
{
    CModuleLoad module(ModuleLoadPath(lpszPath, lpszOwnFolder));
    if (!module.Get())
        return ModuleNotLoaded;
    auto getInfo = (ModuleGetInfoProc)(void*)::GetProcAddress(module.Get(), "GetInfo");
    if (!getInfo)
        return ModuleNoInfo;
    // Built apart and appended whole: a failure leaves no half group behind.
    CModuleRows built;
    CString key = strKey;
    try {
        const ModuleInfo* info = getInfo();
        if (!info || !BuildRows(*info, key, lpszPath, localizer, built))
            return ModuleNoInfo;
    } catch (...) {
        return ModuleNoInfo;
    }
    strKey = key;
    rows.Append(built);
    return ModuleListed;
}

_CLItem FailedModuleRow(LPCWSTR lpszKey, LPCWSTR lpszPath, LPCWSTR lpszFailureWord)
{
    _CLItem group;
    group.nFlags = RowGroup;
    group.strName.Format(L"%s (%s %s)", lpszKey, lpszFailureWord, lpszPath);
    group.strNumber = lpszKey;
    group.strDescription = lpszKey;
    group.strExtra = lpszPath;
    return group;
}
