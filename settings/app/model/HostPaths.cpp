// Host discovery and the command line.
#include "HostPaths.h"
#include "HostFolder.h"
#include "Localizer.h"
#include "ModelTexts.h"
#include "Prompt.h"

namespace {

// Longest host path the utility takes.
const int kMaxPath = MAX_PATH;

// The variable's value; empty when unset, too long or not expandable.
CString Variable(LPCWSTR lpszName)
{
    CString value = ExpandText(lpszName);
    if (value.IsEmpty() || value[0] == L'%' || value.GetLength() > kMaxPath)
        return CString();
    return value;
}

bool FileExists(const CString& path)
{
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ReportMissing(const CLocalizer& localizer, UINT nID)
{
    AfxMessageBox(localizer.LoadLocalizedString(nID), MB_OK | MB_ICONERROR);
}

// The path with the extension of its file name (from the last ".", else the
// end) replaced.
CString WithExtension(const CString& path, LPCWSTR lpszExtension)
{
    int dot = path.ReverseFind(L'.');
    int slash = path.ReverseFind(L'\\');
    return (dot > slash ? path.Left(dot) : path) + lpszExtension;
}

// Tests a switch against the argument on the switch's own length, case
// included; the rest of the argument after it is returned.
bool MatchSwitch(const CString& arg, LPCWSTR lpszSwitch, CString& rest)
{
    int length = lstrlenW(lpszSwitch);
    if (arg.GetLength() < length || arg.Left(length).Compare(lpszSwitch) != 0)
        return false;
    rest = arg.Mid(length);
    return true;
}

} // namespace

CString ExpandText(LPCWSTR lpszText)
{
    if (!lpszText || !*lpszText)
        return CString();
    DWORD need = ::ExpandEnvironmentStringsW(lpszText, nullptr, 0);
    if (need == 0)
        return CString(lpszText);
    CString text;
    LPWSTR buffer = text.GetBuffer((int)need);
    DWORD n = ::ExpandEnvironmentStringsW(lpszText, buffer, need);
    text.ReleaseBuffer(n > 0 && n <= need ? (int)n - 1 : 0);
    return n > 0 && n <= need ? text : CString(lpszText);
}

void ProvideHostFolderVariable()
{
    if (!Variable(L"%COMMANDER_PATH%").IsEmpty())
        return;
    CString folder = FindHostFolder();
    folder.TrimRight(L'\\');
    if (!folder.IsEmpty() && folder.GetLength() <= kMaxPath)
        ::SetEnvironmentVariableW(L"COMMANDER_PATH", folder);
}

void FindHostPaths(CHostPaths& paths, const CLocalizer& localizer)
{
    paths = CHostPaths();
    paths.strHostFolder = FindHostFolder();
    if (paths.strHostFolder.GetLength() > kMaxPath)
        paths.strHostFolder.Empty();
    paths.strHostFolder.TrimRight(L'\\');
    if (paths.strHostFolder.IsEmpty())
        ReportMissing(localizer, IdsNoHostFolder);
    else
        paths.strCommandFile = FindHostCommandFileIn(paths.strHostFolder);

    paths.strHostIni = Variable(L"%COMMANDER_INI%");
    if (paths.strHostIni.IsEmpty()) {
        CString ini = ReadHostRegistryText(L"IniFileName");
        if (ini.Left(2) == L".\\")
            ini = paths.strHostFolder + ini.Mid(1);
        paths.strHostIni = ExpandText(ini);
    }
    // A missing usercmd.ini or language file is normal; a missing host INI
    // is not.
    if (paths.strHostIni.IsEmpty() || !FileExists(paths.strHostIni))
        ReportMissing(localizer, IdsNoHostIni);
    if (paths.strHostIni.IsEmpty())
        return;
    int slash = paths.strHostIni.ReverseFind(L'\\');
    if (slash >= 0)
        paths.strUserCommandFile = ExpandText(paths.strHostIni.Left(slash) + L"\\usercmd.ini");

    WCHAR language[kMaxPath + 1] = {};
    ::GetPrivateProfileStringW(L"Configuration", L"LanguageINI", L"", language, kMaxPath + 1, paths.strHostIni);
    if (!language[0])
        return;
    CString file;
    if (wcschr(language, L'\\'))
        file = ExpandText(language);
    else
        file.Format(L"%s\\LANGUAGE\\%s", (LPCWSTR)paths.strHostFolder, language);
    paths.strTranslatedFile = WithExtension(file, L".inc");
    paths.strTranslatedIni = WithExtension(file, L".ini");
}

CStartOptions ParseCommandLine(const CStringArray& args)
{
    CStartOptions options;
    for (INT_PTR i = 0; i < args.GetSize(); ++i) {
        CString rest;
        if (MatchSwitch(args[i], L"/inc=", rest)) {
            options.strTranslatedFile = ExpandText(rest);
            options.bTranslatedFile = TRUE;
            break;
        }
        int set = -1;
        if (MatchSwitch(args[i], L"/merov", rest))
            set = 1;
        else if (MatchSwitch(args[i], L"/tcmd", rest))
            set = 0;
        if (set < 0)
            continue;
        options.nCommandSet = set;
        options.strFilter = rest.Left(1) == L"=" ? rest.Mid(1) : CString();
    }
    return options;
}
