#include "TCHostApp.h"
#include "HostProtocol.h"
#include "TCClasses.h"
#include <ole2.h>
#include <shellapi.h>

using namespace TCHost;

static CTCHostApp theApp;

CTCHostApp& TheApp()
{
    return theApp;
}

static std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n < MAX_PATH ? n : 0);
    size_t slash = s.find_last_of(L'\\');
    return slash == std::wstring::npos ? L"." : s.substr(0, slash);
}

void CTCHostApp::SetUpEnvironment()
{
    m_home = m_options.m_home.empty() ? ProgramFolder() : m_options.m_home;
    while (m_home.size() > 3 && m_home.back() == L'\\')
        m_home.pop_back();
    SetEnvironmentVariableW(L"COMMANDER_PATH", m_home.c_str());
    if (m_options.m_noCommanderIni)
        SetEnvironmentVariableW(L"COMMANDER_INI", nullptr);
    else
        SetEnvironmentVariableW(L"COMMANDER_INI", (m_home + L"\\wincmd.ini").c_str());
    std::wstring ini = m_home + L"\\wincmd.ini";
    m_dirBrackets = GetPrivateProfileIntW(L"Configuration", L"DirBrackets", 1, ini.c_str()) != 0;
    int back = (int)GetPrivateProfileIntW(L"Colors", L"BackColor", -1, ini.c_str());
    int back2 = (int)GetPrivateProfileIntW(L"Colors", L"BackColor2", -1, ini.c_str());
    m_backColor = back == -1 ? GetSysColor(COLOR_WINDOW) : (COLORREF)back;
    m_backColor2 = back2 == -1 ? m_backColor : (COLORREF)back2;
    static const wchar_t* const defaults[2] = {L"C:\\data\\left", L"C:\\data\\right"};
    for (int i = 0; i < 2; ++i) {
        if (m_options.m_folders[i].empty())
            m_options.m_folders[i] = IsFolderPath(defaults[i]) ? defaults[i] : m_home;
    }
}

void CTCHostApp::OpenEvents()
{
    wchar_t name[64];
    DWORD pid = GetCurrentProcessId();
    EventName(name, 64, pid, L"ready");
    m_ready = CreateEventW(nullptr, TRUE, FALSE, name);
    EventName(name, 64, pid, L"flush");
    m_flush = CreateEventW(nullptr, FALSE, FALSE, name);
    EventName(name, 64, pid, L"keys");
    m_keys = CreateEventW(nullptr, FALSE, FALSE, name);
}

static bool IsModifierKey(WPARAM vk)
{
    return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || vk == VK_LWIN || vk == VK_RWIN;
}

// Sees every message the thread takes from its queue, also inside modal
// loops: the sentinel key's release tells the driver the keys are through;
// a modifier's press, in whichever window has the focus, that a chord's key
// may follow now.
LRESULT CALLBACK CTCHostApp::GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG* msg = (const MSG*)lParam;
        if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && IsModifierKey(msg->wParam))
            theApp.Log(CTCLogLine(L"modifier").AddHex(L"vk", msg->wParam).AddWindow(L"wnd", msg->hwnd));
        theApp.m_postedValid = msg->message == HostCommandMessage && msg->hwnd == theApp.m_main.m_hwnd;
        theApp.m_postedWParam = msg->wParam;
        theApp.m_postedLParam = msg->lParam;
        if (msg->message == WM_KEYUP && msg->wParam == SentinelKey) {
            theApp.Log(CTCLogLine(L"sentinel").AddWindow(L"wnd", msg->hwnd));
            theApp.SignalKeys();
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool CTCHostApp::TakePostedCommand(WPARAM wParam, LPARAM lParam)
{
    bool posted = m_postedValid && m_postedWParam == wParam && m_postedLParam == lParam;
    m_postedValid = false;
    return posted;
}

bool CTCHostApp::LoadPlugin()
{
    if (m_options.m_plugin.empty())
        return false;
    return m_plugin.Load(m_options.m_plugin, m_home + L"\\contplug.ini");
}

int CTCHostApp::Run(HINSTANCE instance, int argc, wchar_t** argv)
{
    m_instance = instance;
    std::wstring error;
    if (!m_options.Parse(argc, argv, error)) {
        MessageBoxW(nullptr, error.c_str(), L"tchost", MB_OK | MB_ICONERROR);
        return 2;
    }
    SetUpEnvironment();
    // As the real host: OLE on the GUI thread (drag and drop, the shell's menus).
    HRESULT ole = OleInitialize(nullptr);
    // As in the real host, which plays sounds and shows the common dialogs,
    // these system libraries stay loaded for its life. Under Wine some of
    // them leave handles open each time they are freed (the audio compression
    // manager's registry keys, the print spooler's named mutex); a plug-in
    // that links them would otherwise be charged with those at every reload.
    HMODULE systemLibraries[] = {LoadLibraryW(L"winmm.dll"), LoadLibraryW(L"comdlg32.dll")};
    m_log.Open(m_options.m_log.empty() ? m_home + L"\\tchost.log" : m_options.m_log);
    OpenEvents();
    Log(CTCLogLine(L"start").Add(L"home", m_home).Add(L"pid", (long long)GetCurrentProcessId())
            .Add(L"tid", (long long)GetCurrentThreadId()));
    if (!RegisterTCClasses(instance, CTCMainWnd::WindowProc, CTCMainWnd::OnDemandProc) || !m_main.Create(m_options)) {
        Log(CTCLogLine(L"error").Add(L"what", L"window classes or main window"));
        return 1;
    }
    m_getMessageHook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
    if (!m_options.m_lateWindows)
        m_main.BuildTree();
    LoadPlugin();
    if (m_options.m_lateWindows) {
        SetTimer(m_main.m_hwnd, TimerLateWindows, 300, nullptr);
    } else {
        SignalReady();
        Log(CTCLogLine(L"ready").Add(L"late", 0));
    }
    if (m_options.m_tour && !m_tour.Start(m_options.m_tourDir))
        Log(CTCLogLine(L"error").Add(L"what", L"tour thread"));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (m_plugin.Loaded())
        m_plugin.Unload();
    if (m_getMessageHook)
        UnhookWindowsHookEx(m_getMessageHook);
    if (SUCCEEDED(ole))
        OleUninitialize();
    for (HMODULE library : systemLibraries) {
        if (library)
            FreeLibrary(library);
    }
    int rc = (int)msg.wParam;
    if (m_options.m_tour)
        rc = m_tour.Finish() == 0 ? 0 : 1;
    Log(CTCLogLine(L"exit").Add(L"code", rc));
    return rc;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    int rc = theApp.Run(instance, argc > 0 ? argc - 1 : 0, argv ? argv + 1 : nullptr);
    LocalFree(argv);
    return rc;
}
