// LoadHostCommands.
#include "HostCommandLoader.h"
#include "CommandList.h"
#include "HostPaths.h"
#include "Localizer.h"
#include "ModelTexts.h"
#include "PageFunctions.h"
#include "ProfileFile.h"
#include "StdioFileEx.h"

namespace {

const WCHAR kStopHeader[] = L"Commands with parameters";
const int kMenuLength = 1024;

typedef std::unordered_map<std::wstring, CString> CTranslationMap;

// The translated command file read once: key (text before the first "=",
// compared exactly) -> value without its enclosing quotes. The first line of
// a key counts.
void LoadTranslations(LPCWSTR lpszFile, CTranslationMap& map)
{
    map.clear();
    CStdioFileEx file;
    if (!lpszFile || !*lpszFile || !file.Open(lpszFile, CFile::modeRead | CFile::shareDenyNone))
        return;
    CString line;
    while (file.ReadString(line)) {
        int equals = line.Find(L'=');
        if (equals <= 0)
            continue;
        CString value = line.Mid(equals + 1);
        // The value is quoted; a value too short for quotes is taken as it is.
        if (value.GetLength() >= 2)
            value = value.Mid(1, value.GetLength() - 2);
        map.emplace(std::wstring(line.GetString(), equals), value);
    }
}

CString Translate(const CTranslationMap& map, const CString& key, const CString& text)
{
    auto found = map.find(key.Str());
    return found == map.end() || found->second.IsEmpty() ? text : found->second;
}

// "[___Name___]": the name after "[" and its run of "_", up to the next "_"
// or "]" (a name is at least one character).
CString HeaderName(const CString& line)
{
    int start = 1;
    while (start < line.GetLength() && line[start] == L'_')
        ++start;
    int end = start + 1;
    while (end < line.GetLength() && line[end] != L'_' && line[end] != L']')
        ++end;
    return line.Mid(start, end - start);
}

// The section's "menu" text. One whose value starts with the UTF-8
// byte-order mark as the Cyrillic code page reads it was written as UTF-8:
// decode it again, without the mark.
CString MenuText(const CProfileFile& file, LPCWSTR lpszSection)
{
    CString text = file.GetString(lpszSection, L"menu", kMenuLength);
    if (text.GetLength() >= 2 && text[0] == 0x043F && text[1] == 0x00BB) {
        RedecodeUtf8(text);
        if (text.GetLength() > 0 && text[0] == 0xFEFF)
            text = text.Mid(1);
    }
    text.Trim(L" \t");
    return text;
}

// Adds the "em_" sections of a file; returns TRUE when the file has any
// section at all.
BOOL AddUserCommands(CCommandList& list, LPCWSTR lpszFile, BOOL bAddGroup, int nFlags, const CLocalizer& localizer)
{
    // Read once: thousands of user commands are not rare.
    CProfileFile file;
    CStringArray sections;
    if (lpszFile && *lpszFile && file.Load(lpszFile))
        file.GetSectionNames(sections);
    if (sections.IsEmpty())
        return FALSE;
    if (bAddGroup)
        list.AddRow(localizer.LoadLocalizedString(IdsUserCommands), L"", L"", RowGroup);
    for (INT_PTR i = 0; i < sections.GetSize(); ++i) {
        const CString& name = sections[i];
        if (name.Left(3) != L"em_")
            continue;
        if ((nFlags & RowLanguageIni) && list.HasName(name))
            continue;
        list.AddRow(name, L"", MenuText(file, name), nFlags);
    }
    return TRUE;
}

void AddCommandFile(CCommandList& list, const CHostPaths& paths)
{
    CStdioFileEx file;
    if (paths.strCommandFile.IsEmpty() || !file.Open(paths.strCommandFile, CFile::modeRead | CFile::shareDenyNone))
        return;
    CTranslationMap translations;
    LoadTranslations(paths.strTranslatedFile, translations);
    CString line;
    while (file.ReadString(line)) {
        if (line.IsEmpty() || line[0] == L';')
            continue;
        if (line[0] == L'[') {
            CString name = HeaderName(line);
            if (name.CompareNoCase(kStopHeader) == 0)
                break;
            list.AddRow(Translate(translations, name, name), L"", L"", RowGroup);
            continue;
        }
        int row = list.ParseAndAdd(line, 0);
        const _CLItem& item = list.GetAt(row);
        int number = _wtoi(item.strNumber);
        if (number == 0)
            continue;
        CString key;
        key.Format(L"%d", number);
        list.SetDescription(row, Translate(translations, key, item.strDescription));
    }
}

} // namespace

void LoadHostCommands(CCommandList& list, const CHostPaths& paths, const CLocalizer& localizer)
{
    list.RemoveAll();
    AddCommandFile(list, paths);
    BOOL bUserGroup = AddUserCommands(list, paths.strUserCommandFile, TRUE, 0, localizer);
    AddUserCommands(list, paths.strTranslatedIni, !bUserGroup, RowLanguageIni, localizer);
}
