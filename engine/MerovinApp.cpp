// Life cycle of the engine: pinning, teardown, reload, unload, timers and the
// diagnostic dump. The start-up steps are in EngineStartup.cpp.
#include "MerovinApp.h"
#include "EngineText.h"

CMerovinApp theApp;

CMerovinApp::CMerovinApp() : CWinApp(L"Merovin")
{
}

CMerovinApp::~CMerovinApp()
{
    // Runs inside the loader's detach: the teardown already ran from
    // ContentPluginUnloading or the host's window destruction, so there is
    // nothing left to release here (and nothing may be freed under the lock).
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
        RemoveListerMenuItems();
        m_hooks.RemoveGetMessage();
    }
    // 3. The host main window's subclass.
    DetachMainWindow();
    // 4. Modules.
    UnloadModules();
    // 5. The dispatcher (may be the window whose handler is running).
    m_dispWnd.Destroy();
    // 6. Panel objects.
    DeletePanelObjects();
    // 7. Folder rules and the other tables read at start-up.
    FreeStartupTables();
    // 8. Hotkey table and the hotkey texts of the engine menu.
    ClearKeyboardTable();
    // 9. Feature switches.
    m_settings.ResetFeatureSwitches();

    m_hostCommands.Clear();
    if (m_user32) {
        FreeLibrary(m_user32);
        m_user32 = nullptr;
        m_extractIcons = nullptr;
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
        if (lstrcmpW(name, L"TTOTAL_CMD") == 0)
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

CString CMerovinApp::LoadText(int id, UINT resourceId) const
{
    return LoadEngineText(id, resourceId, m_localizationFile, m_hInstance);
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
    switch (kind) {
    case EngineTimer::AttachRetry:
        theApp.OnAttachRetry();
        break;
    case EngineTimer::TreeCheck:
        theApp.OnTreeCheck();
        break;
    case EngineTimer::DetachUnload:
        theApp.OnDetachUnload();
        break;
    case EngineTimer::SelectionRestore:
        theApp.m_modules.OnSelectionRestoreTimer();
        break;
    default:
        // Timers whose handlers are not part of the engine yet end at once.
        theApp.m_timers.Kill(kind, key);
        break;
    }
}

void CMerovinApp::OnAttachRetry()
{
    m_timers.Kill(EngineTimer::AttachRetry);
    AttachPanels();
}

// Teardown steps whose parts (Lister handling, the main window's subclass,
// folder rules) fill them in.
void CMerovinApp::RemoveListerMenuItems() {}
void CMerovinApp::FreeStartupTables() {}

CString CMerovinApp::DebugDump() const
{
    CString text;
    text.AppendFormat(L"running=%d\n", m_running ? 1 : 0);
    text.AppendFormat(L"pinned=%d\n", m_selfPin ? 1 : 0);
    text.AppendFormat(L"title=%s\n", m_title.GetString());
    text.AppendFormat(L"engineFolder=%s\n", m_engineFolder.GetString());
    text.AppendFormat(L"settingsFile=%s\n", m_settingsFile.GetString());
    text.AppendFormat(L"bookmarksFile=%s\n", m_bookmarksFile.GetString());
    text.AppendFormat(L"stickyFile=%s\n", m_stickyFile.GetString());
    text.AppendFormat(L"localizationFile=%s\n", m_localizationFile.GetString());
    text.AppendFormat(L"hostIni=%s\n", m_hostIni.GetString());
    text.AppendFormat(L"userCmdIni=%s\n", m_userCmdIni.GetString());
    text.AppendFormat(L"hostCommandFile=%s\n", m_hostCommandFile.GetString());
    text.AppendFormat(L"hostCommandCount=%d\n", m_hostCommands.Count());
    text.AppendFormat(L"hostMain=%p\n", (void*)m_hostMain);
    text.AppendFormat(L"desktopName=%s\n", m_desktopName.GetString());
    text.AppendFormat(L"extractIcons=%d\n", m_extractIcons ? 1 : 0);
    text.AppendFormat(L"dispatcher=%p\n", (void*)m_dispWnd.GetSafeHwnd());
    text.AppendFormat(L"reloadMessage=%u\n", m_reloadMessage);
    text.AppendFormat(L"keyboardHook=%d\n", m_hooks.Keyboard() ? 1 : 0);
    text.AppendFormat(L"keyboardHookLowLevel=%d\n", m_hooks.KeyboardIsLowLevel() ? 1 : 0);
    text.AppendFormat(L"hotkeyCount=%d\n", m_hotkeyTable.GetCount());
    text.AppendFormat(L"hotkeyGeneration=%u\n", m_hotkeyTable.Generation());
    text.AppendFormat(L"getMessageHook=%d\n", m_hooks.GetMessageHook() ? 1 : 0);
    text.AppendFormat(L"watcherHook=%d\n", m_hooks.Watcher() ? 1 : 0);
    text.AppendFormat(L"timers=%d\n", m_timers.Count());
    text.AppendFormat(L"timerList=%s\n", m_timers.Describe().GetString());
    text.AppendFormat(L"subclasses=%d\n", m_panels.AttachedCount() + (m_tcWnd.GetSafeHwnd() ? 1 : 0));
    text += AttachDump();
    text.AppendFormat(L"DirBrackets=%d\n", m_dirBrackets);
    text.AppendFormat(L"SizeStyle=%d\n", m_sizeStyle);
    text.AppendFormat(L"BackColor=0x%08X\n", (unsigned)m_backColor);
    text.AppendFormat(L"BackColor2=0x%08X\n", (unsigned)m_backColor2);
    text.AppendFormat(L"InverseCursor=%d\n", m_inverseCursor);
    text.AppendFormat(L"hostVersion=%s\n", m_hostVersion.GetString());
    text += m_settings.Describe();
    text += m_modules.Describe();
    const MenuColors& m = m_settings.menuColors;
    text.AppendFormat(L"Menu1stColor=0x%08X\nMenu2ndColor=0x%08X\nMenuTextColor=0x%08X\n",
                      (unsigned)m.menu1st, (unsigned)m.menu2nd, (unsigned)m.menuText);
    text.AppendFormat(L"Select1stColor=0x%08X\nSelect2ndColor=0x%08X\nSelectTextColor=0x%08X\n",
                      (unsigned)m.select1st, (unsigned)m.select2nd, (unsigned)m.selectText);
    text.AppendFormat(L"Separator1stColor=0x%08X\nSeparator2ndColor=0x%08X\nSeparatorTextColor=0x%08X\n",
                      (unsigned)m.separator1st, (unsigned)m.separator2nd, (unsigned)m.separatorText);
    text.AppendFormat(L"IconBarColor=0x%08X\nSeparatorStyle=%d\nSelectStyle=%d\nMenuTextStyle=%d\nFlatMenu=%d\n",
                      (unsigned)m.iconBar, m.separatorStyle, m.selectStyle, m.menuTextStyle, m.flatMenu);
    return text;
}
