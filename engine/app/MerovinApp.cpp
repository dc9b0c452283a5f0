// Life cycle of the engine: pinning, teardown, reload, unload, attaching and
// the timers. The start-up steps are in EngineStartup.cpp.
#include "MerovinApp.h"
#include "EngineText.h"
#include "KeyboardTable.h"
#include "ScopedLock.h"

CMerovinApp theApp;

CMerovinApp::CMerovinApp() : CWinApp(L"Merovin")
{
    InitializeCriticalSection(&m_pathLock);
}

CMerovinApp::~CMerovinApp()
{
    // Runs inside the loader's detach: the teardown already ran from
    // ContentPluginUnloading or the host's window destruction, so there is
    // nothing left to release here (and nothing may be freed under the lock).
    DeleteCriticalSection(&m_pathLock);
}

BOOL CMerovinApp::InitInstance()
{
    // The self-pin only raises the reference count of this already loaded
    // module, which is safe under the loader lock.
    HMODULE pin = nullptr;
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(&theApp), &pin))
        m_selfPin = pin;
    return CWinApp::InitInstance();
}

int CMerovinApp::ExitInstance()
{
    StopEngine();
    return CWinApp::ExitInstance();
}

void CMerovinApp::StopEngine()
{
    // No timer may fire into the engine once it is stopped (or unloaded).
    m_timers.KillAll();
    // 1. Keyboard hook, then the window watcher.
    m_hooks.RemoveKeyboard();
    m_hooks.RemoveWatcher();
    // 2. Lister menu items and the get-message hook.
    if (m_hooks.GetMessageHook()) {
        m_features.RemoveListerMenuItems();
        m_hooks.RemoveGetMessage();
    }
    // 3. The host main window's subclass.
    m_attach.DetachMainWindow();
    // 4. Modules.
    m_modules.UnloadModules(0);
    // 5. The dispatcher (may be the window whose handler is running).
    m_dispWnd.Destroy();
    // 6. Panel objects.
    m_attach.DeleteAll();
    // 7. Folder rules and the other tables read at start-up.
    m_features.FreeStartupTables();
    // 8. Hotkey table and the hotkey texts of the engine menu.
    ClearKeyboardTable();
    // 9. Feature switches.
    m_settings.ResetFeatureSwitches();

    m_hostCommands.Clear();
    if (m_user32) {
        FreeLibrary(m_user32);
        m_user32 = nullptr;
        m_host.extractIcons = nullptr;
    }
    m_running = false;
}

void CMerovinApp::ReloadEngine()
{
    StopEngine();
    StartEngine(nullptr);
}

void CMerovinApp::UnloadEngine()
{
    StopEngine();
    if (IsHostConfigDialogOpen())
        return; // stays pinned and stopped; the next ContentSetDefaultParams starts it
    HMODULE pin = m_selfPin;
    m_selfPin = nullptr;
    if (!pin)
        return;
    HANDLE thread = CreateThread(nullptr, 0, UnloadThreadProc, pin, 0, nullptr);
    if (thread)
        CloseHandle(thread);
}

DWORD WINAPI CMerovinApp::UnloadThreadProc(LPVOID pin)
{
    Sleep(100);
    FreeLibraryAndExitThread(static_cast<HMODULE>(pin), 0);
    return 0;
}

bool CMerovinApp::IsHostConfigDialogOpen()
{
    for (HWND window = GetFocus(); window; window = GetParent(window)) {
        WCHAR name[64] = {};
        GetClassNameW(window, name, 64);
        if (lstrcmpiW(name, L"TDLGCONFIGALL") == 0 || lstrcmpiW(name, L"TFsPluginConfigForm") == 0)
            return true;
        if (lstrcmpW(name, HostMainClassName) == 0)
            break;
    }
    return false;
}

bool CMerovinApp::BroadcastSettingsReload() const
{
    if (m_reloadMessage == 0)
        return false;
    DWORD recipients = BSM_APPLICATIONS;
    return BroadcastSystemMessageW(BSF_POSTMESSAGE, &recipients, m_reloadMessage, 0, 0) > 0;
}

CString CMerovinApp::StickyFile() const
{
    CScopedLock lock(m_pathLock);
    return m_paths.stickyFile;
}

CString CMerovinApp::LoadText(int id) const
{
    return m_features.Texts().Text(id);
}

UINT_PTR CMerovinApp::StartTimer(EngineTimer kind, UINT_PTR key, UINT elapse)
{
    return m_timers.Start(kind, key, elapse, EngineTimerProc);
}

VOID CALLBACK CMerovinApp::EngineTimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    EngineTimer kind;
    UINT_PTR key = 0;
    if (!theApp.m_timers.Lookup(id, kind, key)) {
        ::KillTimer(nullptr, id);
        return;
    }
    CMerovinApp& app = theApp;
    switch (kind) {
    case EngineTimer::AttachRetry:
        app.m_timers.Kill(EngineTimer::AttachRetry);
        app.AttachPanels();
        break;
    case EngineTimer::TreeCheck:
        app.m_attach.OnTreeCheck(app.m_host.mainWindow);
        break;
    case EngineTimer::DetachUnload:
        app.m_attach.OnDetachUnload(app.m_host.mainWindow);
        break;
    case EngineTimer::SelectionRestore:
        app.m_modules.OnSelectionRestoreTimer();
        break;
    default:
        if (!app.m_features.OnTimer(kind, key))
            app.m_timers.Kill(kind, key);
        break;
    }
}

int CMerovinApp::AttachPanels()
{
    if (!m_host.mainWindow || !IsWindow(m_host.mainWindow))
        m_host.mainWindow = FindHostMainWindow();
    if (!m_attach.Attach(m_host.mainWindow))
        return 0;
    m_modules.LoadModuleList();
    return 1;
}

void CMerovinApp::OnWatchedMessage(const CWPSTRUCT& sent)
{
    switch (m_attach.OnWatchedMessage(sent)) {
    case WatchAction::AddListerItems:
        m_features.AddListerMenuItem(sent.hwnd);
        break;
    case WatchAction::SubclassLister:
        m_features.SubclassListerOnClose(sent.hwnd);
        break;
    default:
        break;
    }
}

void CMerovinApp::OnGetMessage(MSG& message)
{
    m_features.OnGetMessage(message);
}

void CMerovinApp::BuildKeyboardTable()
{
    // The host's command numbers of this start, for the table builder.
    class CHostCommandLookup : public IHostCommandLookup {
    public:
        explicit CHostCommandLookup(const CHostCommandTable& table) : m_table(table) {}
        int HostCommandNumber(LPCWSTR name) const override { return m_table.Number(name); }

    private:
        const CHostCommandTable& m_table;
    };
    KeyboardSwitches switches;
    switches.StickyFiles = m_settings.StickyFiles;
    switches.BookMarks = m_settings.BookMarks;
    switches.CloseAllListers = m_settings.CloseAllListers;
    switches.AutoCompletion = m_settings.AutoCompletion;
    switches.TabsToFav = m_settings.TabsToFav;
    switches.ChangeColumns = m_settings.ChangeColumns;
    switches.ESCSpecial = m_settings.ESCSpecial;
    switches.GotoUpFromRoot = m_settings.GotoUpFromRoot;
    CHostCommandLookup lookup(m_hostCommands);
    ::BuildKeyboardTable(m_hotkeyTable, m_menuHotkeyTexts, m_paths.settingsFile, switches, lookup);
}

void CMerovinApp::ClearKeyboardTable()
{
    m_hotkeyTable.ClearHotkeys();
    m_menuHotkeyTexts.Clear();
    m_commands.Reset();
}
