// The engine's start-up sequence, in its fixed order.
#include "MerovinApp.h"
#include "FileVersionInfo.h"
#include "HostIniRedirect.h"
#include "ScopedLock.h"
#include <shlobj.h>
#include <shellapi.h>
#include <vector>

namespace {

CString ExpandVariable(LPCWSTR text)
{
    WCHAR expanded[EnginePathLength + 1];
    DWORD length = ExpandEnvironmentStringsW(text, expanded, EnginePathLength);
    if (length == 0 || length > EnginePathLength || expanded[0] == L'%')
        return CString();
    return CString(expanded);
}

CString ModuleFileName(HMODULE module)
{
    std::vector<WCHAR> name(EnginePathLength + 1);
    for (;;) {
        DWORD length = GetModuleFileNameW(module, name.data(), (DWORD)name.size());
        if (length == 0)
            return CString();
        if (length < name.size() - 1)
            return CString(name.data(), (int)length);
        if (name.size() > 32768)
            return CString();
        name.resize(name.size() * 2);
    }
}

// The "FileVersion" string of the first translation of a file's version resource.
CString FirstTranslationFileVersion(LPCWSTR path)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0)
        return CString();
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data()))
        return CString();
    VersionTranslation* table = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&table), &length) ||
        !table || length < sizeof(VersionTranslation))
        return CString();
    WCHAR query[64];
    wsprintfW(query, L"\\StringFileInfo\\%04X%04X\\FileVersion", table[0].language, table[0].codePage);
    LPWSTR text = nullptr;
    UINT textLength = 0;
    if (!VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&text), &textLength) || !text)
        return CString();
    int n = 0;
    while (n < (int)textLength && n < 50 && text[n])
        ++n;
    return CString(text, n);
}

// A key's decimal value (text of at most 260 characters); empty or missing
// gives the default. No file: the default.
int ReadIniNumber(LPCWSTR section, LPCWSTR key, int defaultValue, LPCWSTR file)
{
    if (!file[0])
        return defaultValue;
    WCHAR text[HostIniPathLength + 1];
    GetPrivateProfileStringW(section, key, L"", text, HostIniPathLength, file);
    return text[0] ? (int)wcstol(text, nullptr, 10) : defaultValue;
}

BOOL CALLBACK FindHostWindowProc(HWND window, LPARAM found)
{
    WCHAR name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, HostMainClassName) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

int CMerovinApp::StartEngine(LPCWSTR defaultIni)
{
    BuildTitle();                               // 1
    ReadDesktopName();                          // 2
    FindHostIni(defaultIni);                    // 3
    m_host.mainWindow = FindHostMainWindow();   // 4
    LoadUser32();                               // 5
    BuildOwnPaths();                            // 6
    CreateDispatcher();                         // 7
    LoadHostCommands();                         // 8
    ReadEngineSettings();                       // 9
    m_features.ReadBookmarks();                 // 10
    ReadHostValues();                           // 11
    if (m_settings.AutoView)                    // 12
        m_features.ReadFolderRules();
    m_features.InitIconMenu();                  // 13
    ReadHostVersion();                          // 14
    InstallHooks();                             // 15, 16
    m_attach.AttachMainWindow(m_host.mainWindow); // 17
    m_hooks.InstallWatcher(m_hInstance);        // 18
    AttachPanels();                             // 19
    m_commands.RunStartupSequence();            // 20
    m_running = true;
    return 1;
}

void CMerovinApp::BuildTitle()
{
    CFileVersionInfo version;
    version.Create(m_hInstance);
    CString suffix;
    if (!version.GetSpecialBuild().empty())
        suffix.Format(L"(%s)", version.GetSpecialBuild().c_str());
    m_title.Format(L"%s\tv%d.%d%s", L"Merovin", (int)version.GetFileVersion(3),
                   (int)version.GetFileVersion(2), suffix.GetString());
}

void CMerovinApp::ReadDesktopName()
{
    m_host.desktopName.Empty();
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)) || !desktop)
        return;
    SHFILEINFOW info = {};
    if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(desktop), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME))
        m_host.desktopName = info.szDisplayName;
    CoTaskMemFree(desktop);
}

void CMerovinApp::FindHostIni(LPCWSTR defaultIni)
{
    CString expanded = ExpandVariable(L"%COMMANDER_INI%");
    if (!expanded.IsEmpty()) {
        m_paths.hostIni = expanded;
        int slash = expanded.ReverseFind(L'\\');
        m_paths.userCmdIni = slash >= 0 ? expanded.Left(slash) + L"\\usercmd.ini" : CString();
        return;
    }
    if (!defaultIni) {
        // A reload keeps the files found at the first start.
        return;
    }
    m_paths.userCmdIni.Empty();
    CString path(defaultIni);
    int slash = path.ReverseFind(L'\\');
    m_paths.hostIni = slash >= 0 ? path.Left(slash + 1) + L"wincmd.ini" : CString();
}

HWND CMerovinApp::FindHostMainWindow() const
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindHostWindowProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CMerovinApp::LoadUser32()
{
    if (!m_user32)
        m_user32 = LoadLibraryW(L"user32.dll");
    m_host.extractIcons = m_user32 ? reinterpret_cast<PrivateExtractIconsProc>(
                                    reinterpret_cast<void*>(GetProcAddress(m_user32, "PrivateExtractIconsW")))
                              : nullptr;
}

void CMerovinApp::BuildOwnPaths()
{
    CString module = ModuleFileName(m_hInstance);
    m_paths.engineFolder = module.Left(module.ReverseFind(L'\\') + 1);
    m_paths.settingsFile = m_paths.engineFolder + L"Merovin.ini";
    m_paths.bookmarksFile = m_paths.engineFolder + L"Merovin.bkm";
    CString stickyFile = m_paths.engineFolder + L"Merovin.stk";
    {
        CScopedLock lock(m_pathLock);
        m_paths.stickyFile = stickyFile;
    }
    WCHAR text[EnginePathLength + 1];
    GetPrivateProfileStringW(L"Config", L"Localizator", L"", text, EnginePathLength, m_paths.settingsFile);
    WCHAR expanded[EnginePathLength + 1];
    DWORD length = ExpandEnvironmentStringsW(text, expanded, EnginePathLength);
    m_paths.localizationFile = (length > 0 && length <= EnginePathLength) ? expanded : text;
    // A name the profile functions cannot join to the Windows folder is no
    // file: the texts come from the resources.
    if (IsOverlongBareName(m_paths.localizationFile))
        m_paths.localizationFile.Empty();
}

void CMerovinApp::CreateDispatcher()
{
    if (m_dispWnd.GetSafeHwnd())
        return;
    m_dispWnd.Create(m_hInstance);
    // Names over 255 characters are refused: the reload message then stays 0,
    // which is never matched and never broadcast.
    m_reloadMessage = RegisterWindowMessageW(m_paths.settingsFile);
    if (m_reloadMessage == 0 && !m_reloadFailureReported) {
        OutputDebugStringW(L"Merovin: settings path too long for the reload message; reload disabled\n");
        m_reloadFailureReported = true;
    }
}

void CMerovinApp::LoadHostCommands()
{
    m_paths.hostCommandFile = FindHostCommandFile();
    m_hostCommands.Load(m_paths.hostCommandFile);
}

void CMerovinApp::ReadEngineSettings()
{
    // With the menu colours and the grouping pattern.
    CString groupingPattern;
    ReadSettingsTable(m_settings, m_paths.settingsFile, m_features.ReadGroupingSettings(groupingPattern));
    m_settings.groupingPattern = groupingPattern;
    BuildKeyboardTable();
    m_features.LoadEngineTexts();
    m_features.ReadDriveListIcons();
}

void CMerovinApp::ReadHostValues()
{
    // Each section's file is found once through the redirection rule.
    WCHAR configuration[HostIniPathLength + 1];
    WCHAR colors[HostIniPathLength + 1];
    ResolveHostIniFile(L"Configuration", m_paths.hostIni, configuration, HostIniPathLength + 1);
    ResolveHostIniFile(L"Colors", m_paths.hostIni, colors, HostIniPathLength + 1);
    m_host.dirBrackets = ReadIniNumber(L"Configuration", L"DirBrackets", 1, configuration);
    m_host.sizeStyle = ReadIniNumber(L"Configuration", L"SizeStyle", 0, configuration);
    m_host.useRightButton = ReadIniNumber(L"Configuration", L"UseRightButton", 1, configuration);
    m_host.thumbWidthNoCache = ReadIniNumber(L"Configuration", L"ThumbWidthNoCache", 96, configuration);
    int back = ReadIniNumber(L"Colors", L"BackColor", -1, colors);
    m_host.backColor = back == -1 ? GetSysColor(COLOR_WINDOW) : (COLORREF)back;
    int back2 = ReadIniNumber(L"Colors", L"BackColor2", -1, colors);
    m_host.backColor2 = back2 == -1 ? m_host.backColor : (COLORREF)back2;
    m_host.inverseCursor = ReadIniNumber(L"Colors", L"InverseCursor", 0, colors);
}

void CMerovinApp::ReadHostVersion()
{
    m_host.version = FirstTranslationFileVersion(ModuleFileName(nullptr));
}

void CMerovinApp::InstallHooks()
{
    m_hooks.InstallKeyboard(m_hInstance, m_settings.UseLLHook != 0);
    if (m_settings.CloseAllListers || m_settings.CheckMultiLister) {
        if (!m_hooks.GetMessageHook()) {
            m_hooks.InstallGetMessage(m_hInstance);
            m_features.AddListerMenuItems();
        }
    }
}
