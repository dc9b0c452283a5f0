// The module loader with the test modules, on windows of the test's own:
// a main window with two file lists, a tab control on the left side, an
// "Edit" and a "TEdit".
#include <gtest/gtest.h>
#include <memory>
#include "ModuleTestHost.h"

namespace {

const WCHAR MainClass[] = L"TTOTAL_CMD";

void RegisterClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    WNDCLASSW main = {};
    main.lpfnWndProc = DefWindowProcW;
    main.hInstance = GetModuleHandleW(nullptr);
    main.lpszClassName = MainClass;
    RegisterClassW(&main);
    // The host's edit class: an "Edit" under another name.
    WNDCLASSW edit = {};
    GetClassInfoW(nullptr, L"Edit", &edit);
    edit.hInstance = GetModuleHandleW(nullptr);
    edit.lpszClassName = L"TEdit";
    RegisterClassW(&edit);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
}

int Count(const std::wstring& text, const std::wstring& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

void Selection(HWND edit, DWORD& start, DWORD& end)
{
    SendMessageW(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
}

std::wstring WindowText(HWND window)
{
    WCHAR text[2048] = {};
    GetWindowTextW(window, text, 2048);
    return text;
}

} // namespace

class ModuleLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterClasses();
        host.engineFolder = folder.Path();
        host.settingsFile = folder.File(L"Merovin.ini");
        host.mainWindow = CreateWindowExW(0, MainClass, L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                          0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        HWND main = host.mainWindow;
        left = Child(L"LISTBOX", 0, 0, 300, 300);
        right = Child(L"LISTBOX", 320, 0, 280, 250);
        leftTab = Child(WC_TABCONTROLW, 0, 300, 300, 20);
        edit = Child(L"Edit", 0, 330, 300, 20);
        tedit = Child(L"TEdit", 0, 360, 300, 20);
        host.fileLists[0] = left;
        host.fileLists[1] = right;
        host.tabControls[0] = leftTab;
        SetForegroundWindow(main);
        SetFocus(edit);
        loader.reset(new CModuleLoader(host));
        host.timerTarget = loader.get();
    }
    void TearDown() override
    {
        loader.reset();
        DestroyWindow(host.mainWindow);
    }

    HWND Child(LPCWSTR cls, int x, int y, int w, int h)
    {
        return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE, x, y, w, h, host.mainWindow,
                               nullptr, nullptr, nullptr);
    }
    void Settings(const std::wstring& pluginList, const std::wstring& plugins = L"")
    {
        folder.WriteIni(L"Merovin.ini", L"[Config]\r\nEnablePlugins=1\r\n[PluginList]\r\n" + pluginList +
                                            L"[Plugins]\r\n" + plugins);
    }
    void Module(LPCWSTR dll, const std::wstring& lines)
    {
        std::wstring ini(dll);
        ini = ini.substr(0, ini.rfind(L'.')) + L".ini";
        folder.WriteIni(ini.c_str(), L"[Module]\r\n" + lines);
    }
    std::wstring Main() const { return HandleText(host.mainWindow); }

    CModuleFolder folder;
    CTestModuleHost host;
    std::unique_ptr<CModuleLoader> loader;
    HWND left = nullptr, right = nullptr, leftTab = nullptr, edit = nullptr, tedit = nullptr;
};

TEST_F(ModuleLoaderTest, BothListFormsLoadTheirModuleOnce)
{
    Settings(L"TestMod=TestMod.dll\r\n" + folder.Path() + L"TestModB64.dll=Other\r\n");
    loader->LoadModuleList();
    ASSERT_EQ(2, loader->ModuleCount());
    EXPECT_STREQ(L"TestMod", loader->Entry(0)->name);
    EXPECT_EQ(folder.File(L"TestMod64.dll"), loader->Entry(0)->path);
    EXPECT_STREQ(L"Other", loader->Entry(1)->name);
    EXPECT_EQ(folder.File(L"TestModB64.dll"), loader->Entry(1)->path);
    EXPECT_TRUE(GetModuleHandleW(L"TestMod64.dll"));
    EXPECT_TRUE(GetModuleHandleW(L"TestModB64.dll"));
    EXPECT_EQ(L"GetInfo\nLoad " + Main() + L"|null\n", ModuleLog(L"TestMod64.dll"));
    EXPECT_EQ(L"GetInfo\nLoad " + Main() + L"|null\n", ModuleLog(L"TestModB64.dll"));
}

TEST_F(ModuleLoaderTest, IncompleteModulesAreFreedAndTriedAgainAtTheirCommand)
{
    Settings(L"NoProcess=NoProcess.dll\r\nNullInfo=NullInfo.dll\r\nTestMod=TestMod.dll\r\n"
             L"Missing=Missing.dll\r\nTestModB=TestModB.dll\r\n",
             L"Ctrl+A=NoProcess\r\nCtrl+B=NullInfo\r\nCtrl+C=TestMod,4\r\nCtrl+D=Missing\r\n"
             L"Ctrl+E=TestModB\r\n");
    Module(L"TestMod64.dll", L"Count=-1\r\n");
    Module(L"TestModB64.dll", L"Count=2\r\nNullCommands=1\r\n");
    loader->LoadModuleList();
    ASSERT_EQ(5, loader->ModuleCount());
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(loader->Entry(i)->module) << i;
    for (LPCWSTR dll : {L"NoProcess64.dll", L"NullInfo64.dll", L"TestMod64.dll", L"TestModB64.dll"})
        EXPECT_FALSE(GetModuleHandleW(dll)) << dll;
    // Their hotkeys stay bound, and do nothing while the module cannot load.
    EXPECT_EQ(5, host.ModuleHotkeyRows());
    SetWindowTextW(edit, L"12");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(0, loader->RunModuleCommand(i, edit)) << i;

    // Once the module is whole, its next command loads and runs it.
    Module(L"TestMod64.dll", L"Count=0\r\nResult=1\r\n");
    EXPECT_EQ(1, loader->RunModuleCommand(2, edit));
    EXPECT_TRUE(loader->Entry(2)->module);
    EXPECT_EQ(L"GetInfo\nLoad " + Main() + L"|null\nProcess 0|4|0,0|" + HandleText(edit) + L"|12\n",
              ModuleLog(L"TestMod64.dll"));
}

TEST_F(ModuleLoaderTest, HotkeyNumbersAndParameters)
{
    host.hotkeys.push_back({L"Ctrl+Q", 2002, false}); // a [Keyboard] binding
    Settings(L"TestMod=TestMod.dll\r\n",
             L"Ctrl+Q=TestMod,3;calc\r\nCtrl+W=Unlisted,1\r\nAlt+F5= TestMod ;x,9\r\n");
    loader->LoadModuleList();
    ASSERT_EQ(3, loader->HotkeyCount());
    EXPECT_EQ(65499u, loader->Hotkey(0)->number);
    EXPECT_EQ(65498u, loader->Hotkey(1)->number);
    EXPECT_EQ(65497u, loader->Hotkey(2)->number);
    EXPECT_EQ(0, loader->Hotkey(0)->moduleIndex);
    EXPECT_EQ(-1, loader->Hotkey(1)->moduleIndex);
    EXPECT_EQ(3, loader->Hotkey(0)->parameter);
    EXPECT_EQ(0, loader->Hotkey(2)->parameter);
    EXPECT_NE(-1, loader->Describe().Find(L"ModuleHotkey1=65498|-1|1\n"));
    EXPECT_EQ(0, loader->ModuleHotkeyIndex(65499));
    EXPECT_EQ(2, loader->ModuleHotkeyIndex(65497));
    EXPECT_EQ(-1, loader->ModuleHotkeyIndex(65496));
    EXPECT_EQ(-1, loader->ModuleHotkeyIndex(65500));
    // The unlisted module's line takes its number and binds nothing; module
    // hotkeys come after the other entries.
    ASSERT_EQ(3u, host.hotkeys.size());
    EXPECT_EQ(2002u, host.hotkeys[0].number);
    EXPECT_EQ(L"Ctrl+Q", host.hotkeys[1].text);
    EXPECT_EQ(65499u, host.hotkeys[1].number);
    EXPECT_EQ(L"Alt+F5", host.hotkeys[2].text);
    EXPECT_EQ(65497u, host.hotkeys[2].number);

    SetWindowTextW(edit, L"7");
    Module(L"TestMod64.dll", L"Result=1\r\n");
    ClearModuleLog(L"TestMod64.dll");
    EXPECT_EQ(1, loader->RunModuleCommand(0, edit));
    EXPECT_EQ(0, loader->RunModuleCommand(1, edit));
    EXPECT_EQ(0, loader->RunModuleCommand(3, edit));
    EXPECT_EQ(L"Process 0|3|0,0|" + HandleText(edit) + L"|7\n", ModuleLog(L"TestMod64.dll"));
}

TEST_F(ModuleLoaderTest, SetTextWritesBackAndRestoresTheSelectionLater)
{
    Settings(L"TestMod=TestMod.dll\r\n", L"Ctrl+Q=TestMod,3\r\n");
    Module(L"TestMod64.dll", L"Result=2\r\nText=3\r\nSelStart=0\r\nSelEnd=1\r\n");
    loader->LoadModuleList();
    ClearModuleLog(L"TestMod64.dll");
    SetWindowTextW(tedit, L"1+2");
    SetFocus(tedit);
    SendMessageW(tedit, EM_SETSEL, 1, 3);

    EXPECT_EQ(1, loader->RunModuleCommand(0, tedit));
    EXPECT_EQ(L"Process 0|3|1,3|" + HandleText(tedit) + L"|1+2\n", ModuleLog(L"TestMod64.dll"));
    EXPECT_EQ(L"3", WindowText(tedit));
    EXPECT_TRUE(host.timers.IsRunning(EngineTimer::SelectionRestore));
    // The restore also brings the focus back.
    SetFocus(left);
    PumpFor(200);
    EXPECT_FALSE(host.timers.IsRunning(EngineTimer::SelectionRestore));
    EXPECT_EQ(tedit, GetFocus());
    DWORD start = 9, end = 9;
    Selection(tedit, start, end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(1u, end);
}

TEST_F(ModuleLoaderTest, ModuleTextIsCutAtItsBufferAndTheSelectionToTheText)
{
    Settings(L"TestMod=TestMod.dll\r\n", L"Ctrl+Q=TestMod\r\n");
    Module(L"TestMod64.dll", L"Result=2\r\nFillText=1\r\nSelStart=5000\r\nSelEnd=2000\r\n");
    loader->LoadModuleList();
    SetWindowTextW(edit, L"abc");
    EXPECT_EQ(1, loader->RunModuleCommand(0, edit));
    EXPECT_EQ(std::wstring(ModuleTextLength - 1, L'x'), WindowText(edit));
    PumpFor(200);
    DWORD start = 9, end = 9;
    Selection(edit, start, end);
    EXPECT_EQ(1023u, start);
    EXPECT_EQ(1023u, end);
}

TEST_F(ModuleLoaderTest, SelectionBeyond16BitsReachesTheModule)
{
    Settings(L"TestMod=TestMod.dll\r\n", L"Ctrl+Q=TestMod\r\n");
    Module(L"TestMod64.dll", L"Result=0\r\n");
    loader->LoadModuleList();
    SendMessageW(edit, EM_SETLIMITTEXT, 100000, 0);
    SetWindowTextW(edit, std::wstring(70000, L'a').c_str());
    SendMessageW(edit, EM_SETSEL, 66000, 69000);
    ClearModuleLog(L"TestMod64.dll");
    EXPECT_EQ(0, loader->RunModuleCommand(0, edit));
    EXPECT_EQ(0u, ModuleLog(L"TestMod64.dll").find(L"Process 0|0|66000,69000|"));
    // The module's text is the control's text cut to its buffer.
    EXPECT_NE(std::wstring::npos, ModuleLog(L"TestMod64.dll").find(L"|" + std::wstring(1023, L'a') + L"\n"));
}

TEST_F(ModuleLoaderTest, SelectAndBeepFocusesAndSelectsOtherResultsDoNothing)
{
    Settings(L"TestMod=TestMod.dll\r\n", L"Ctrl+Q=TestMod\r\n");
    Module(L"TestMod64.dll", L"Result=3\r\nSelStart=0\r\nSelEnd=2\r\n");
    loader->LoadModuleList();
    SetWindowTextW(edit, L"abcdef");
    SendMessageW(edit, EM_SETSEL, 4, 5);
    SetFocus(left);
    EXPECT_EQ(1, loader->RunModuleCommand(0, edit));
    EXPECT_EQ(edit, GetFocus());
    DWORD start = 9, end = 9;
    Selection(edit, start, end);
    EXPECT_EQ(0u, start);
    EXPECT_EQ(2u, end);
    EXPECT_FALSE(host.timers.IsRunning(EngineTimer::SelectionRestore));

    // Done: handled, nothing changes; None: not handled (the key goes on).
    for (int result : {1, 0}) {
        Module(L"TestMod64.dll", L"Result=" + std::to_wstring(result) + L"\r\nText=zz\r\nSelStart=1\r\nSelEnd=1\r\n");
        SetFocus(left);
        EXPECT_EQ(result, loader->RunModuleCommand(0, edit));
        EXPECT_EQ(L"abcdef", WindowText(edit));
        EXPECT_EQ(left, GetFocus());
    }
}

TEST_F(ModuleLoaderTest, GatesOfTheModuleFlags)
{
    Settings(L"TestMod=TestMod.dll\r\nTestModB=TestModB.dll\r\n",
             L"Ctrl+Q=TestMod\r\nCtrl+W=TestModB,5\r\n");
    Module(L"TestMod64.dll", L"Flags=1\r\nResult=1\r\n");  // EditOnly
    Module(L"TestModB64.dll", L"Flags=8\r\nResult=1\r\n"); // PanelOnly
    loader->LoadModuleList();
    ClearModuleLog(L"TestMod64.dll");
    ClearModuleLog(L"TestModB64.dll");
    SetWindowTextW(edit, L"x");

    EXPECT_EQ(0, loader->RunModuleCommand(0, left));
    EXPECT_EQ(0, loader->RunModuleCommand(0, leftTab));
    EXPECT_EQ(L"", ModuleLog(L"TestMod64.dll"));
    EXPECT_EQ(1, loader->RunModuleCommand(0, edit));
    EXPECT_EQ(1, loader->RunModuleCommand(0, tedit));
    EXPECT_EQ(2, Count(ModuleLog(L"TestMod64.dll"), L"Process "));

    EXPECT_EQ(0, loader->RunModuleCommand(1, edit));
    EXPECT_EQ(0, loader->RunModuleCommand(1, leftTab));
    EXPECT_EQ(0, loader->RunModuleCommand(1, nullptr));
    EXPECT_EQ(L"", ModuleLog(L"TestModB64.dll"));
    // In a file list the request carries that side's tab control (none on the right).
    SendMessageW(left, LB_ADDSTRING, 0, (LPARAM)L"file.txt");
    EXPECT_EQ(1, loader->RunModuleCommand(1, left));
    EXPECT_EQ(1, loader->RunModuleCommand(1, right));
    EXPECT_EQ(L"Process 0|5|0,0|" + HandleText(leftTab) + L"|\nProcess 0|5|0,0|0|\n",
              ModuleLog(L"TestModB64.dll"));
}

TEST_F(ModuleLoaderTest, OwnWindowPlacementAndReloadOnANewWindow)
{
    Settings(L"TestMod=TestMod.dll\r\n", L"Ctrl+Q=TestMod\r\n");
    Module(L"TestMod64.dll", L"Flags=4\r\nWidth=120\r\nHeight=80\r\nLogFile=" + folder.File(L"calls.log") + L"\r\n");
    RECT client;
    // Before the lists are known: the main window and its client rectangle.
    host.fileLists[0] = host.fileLists[1] = nullptr;
    loader->LoadModuleList();
    GetClientRect(host.mainWindow, &client);
    EXPECT_EQ(L"GetInfo\nLoad " + Main() + L"|" + std::to_wstring(client.right - 120) + L"," +
                  std::to_wstring(client.bottom - 80) + L"\n",
              ModuleLog(L"TestMod64.dll"));

    // Attached: loaded again on the right file list.
    host.fileLists[0] = left;
    host.fileLists[1] = right;
    loader->LoadModuleList();
    GetClientRect(right, &client);
    std::wstring onRight = L"Load " + HandleText(right) + L"|" + std::to_wstring(client.right - 120) + L"," +
                           std::to_wstring(client.bottom - 80);
    EXPECT_EQ(L"GetInfo\n" + onRight + L"\n", ModuleLog(L"TestMod64.dll"));
    // Attached again with the same list: kept.
    loader->LoadModuleList();
    EXPECT_EQ(L"GetInfo\n" + onRight + L"\n", ModuleLog(L"TestMod64.dll"));
    std::wstring calls = folder.ReadLog(L"calls.log");
    EXPECT_EQ(1, Count(calls, L"Unload"));
    EXPECT_EQ(2, Count(calls, L"Load "));

    // The file list's end unloads the OwnWindow modules only; their hotkeys stay.
    loader->UnloadModules(OwnWindow);
    EXPECT_FALSE(GetModuleHandleW(L"TestMod64.dll"));
    EXPECT_EQ(1, loader->ModuleCount());
    EXPECT_EQ(1, host.ModuleHotkeyRows());
    EXPECT_EQ(2, Count(folder.ReadLog(L"calls.log"), L"Unload"));
}

TEST_F(ModuleLoaderTest, RunModuleByNameOnTheFocusedWindow)
{
    Settings(L"TestMod=TestMod.dll\r\n");
    Module(L"TestMod64.dll", L"Result=1\r\n");
    loader->LoadModuleList();
    ClearModuleLog(L"TestMod64.dll");
    SetWindowTextW(tedit, L"abc");
    SetFocus(tedit);
    EXPECT_EQ(1, loader->RunModuleByName(L"testmod", 7));
    EXPECT_EQ(1, loader->RunModuleByName(folder.File(L"TestMod64.dll").c_str(), 8));
    EXPECT_EQ(0, loader->RunModuleByName(L"Nobody", 7));
    EXPECT_EQ(0, loader->RunModuleByName(L"", 7));
    std::wstring process = L"0,0|" + HandleText(tedit) + L"|abc\n";
    EXPECT_EQ(L"Process 0|7|" + process + L"Process 0|8|" + process, ModuleLog(L"TestMod64.dll"));
}

TEST_F(ModuleLoaderTest, ExceptionsInModulesLeaveTheHostRunning)
{
    Settings(L"TestMod=TestMod.dll\r\nThrower=Thrower.dll\r\nTestModB=TestModB.dll\r\n",
             L"Ctrl+Q=TestMod\r\nCtrl+T=Thrower\r\n");
    std::wstring log = L"LogFile=" + folder.File(L"calls.log") + L"\r\n";
    Module(L"TestMod64.dll", L"Throw=Process\r\n");
    Module(L"Thrower64.dll", log);
    Module(L"TestModB64.dll", L"Throw=Load\r\n" + log);
    loader->LoadModuleList();
    // A module whose "Load" throws is given its "Unload" and freed.
    EXPECT_FALSE(loader->Entry(2)->module);
    EXPECT_NE(std::wstring::npos,
              folder.ReadLog(L"calls.log").find(L"TestModB64: GetInfo\r\nTestModB64: Load " + Main() +
                                                L"|null\r\nTestModB64: Unload\r\nTestModB64: Detach\r\n"));

    EXPECT_EQ(0, loader->RunModuleCommand(0, edit));
    Module(L"TestMod64.dll", L"Result=1\r\n");
    EXPECT_EQ(1, loader->RunModuleCommand(0, edit));
    EXPECT_EQ(2, Count(ModuleLog(L"TestMod64.dll"), L"Process "));
    EXPECT_EQ(0, loader->RunModuleCommand(1, edit));
    EXPECT_EQ(0, loader->RunModuleCommand(1, edit));

    // "Unload" throws at teardown: the library is freed all the same.
    loader->UnloadModules(0);
    EXPECT_FALSE(GetModuleHandleW(L"Thrower64.dll"));
    EXPECT_FALSE(GetModuleHandleW(L"TestMod64.dll"));
    EXPECT_NE(std::wstring::npos, folder.ReadLog(L"calls.log").find(L"Thrower64: Unload\r\nThrower64: Detach\r\n"));
}

TEST_F(ModuleLoaderTest, PathNoticesReachEachModuleOncePerSide)
{
    Settings(L"TestMod=TestMod.dll\r\nThrower=Thrower.dll\r\nTestModB=TestModB.dll\r\n");
    Module(L"TestMod64.dll", L"Flags=16\r\nThrow=Process\r\n");
    Module(L"TestModB64.dll", L"Flags=16\r\n");
    host.panelPaths[0] = L"C:\\left\\";
    host.panelPaths[1] = L"D:\\right\\";
    SetFocus(edit);
    loader->LoadModuleList();
    std::wstring notices = L"Process 2|0|0,0|" + HandleText(edit) + L"|C:\\left\\\n" +
                           L"Process 2|0|1,0|" + HandleText(edit) + L"|D:\\right\\\n";
    std::wstring loaded = L"GetInfo\nLoad " + Main() + L"|null\n";
    // The first module throws on every notice; the next one is told all the same.
    EXPECT_EQ(loaded + notices, ModuleLog(L"TestMod64.dll"));
    EXPECT_EQ(loaded + notices, ModuleLog(L"TestModB64.dll"));
    EXPECT_EQ(loaded, ModuleLog(L"Thrower64.dll"));

    ClearModuleLog(L"TestModB64.dll");
    loader->NotifyModulesOfPath(left, L"E:\\new", 1);
    EXPECT_EQ(L"Process 2|0|1,0|" + HandleText(left) + L"|E:\\new\n", ModuleLog(L"TestModB64.dll"));
    // Attaching again sends the list-load notices again.
    ClearModuleLog(L"TestModB64.dll");
    loader->LoadModuleList();
    EXPECT_EQ(notices, ModuleLog(L"TestModB64.dll"));
}

TEST_F(ModuleLoaderTest, TeardownUnloadsEveryLoadedModuleInListOrder)
{
    host.hotkeys.push_back({L"F2", 2002, false});
    std::wstring log = L"LogFile=" + folder.File(L"calls.log") + L"\r\n";
    Settings(L"TestModB=TestModB.dll\r\nNoProcess=NoProcess.dll\r\nTestMod=TestMod.dll\r\n",
             L"Ctrl+Q=TestMod\r\nCtrl+W=TestModB\r\nCtrl+E=NoProcess\r\n");
    for (LPCWSTR dll : {L"TestMod64.dll", L"TestModB64.dll", L"NoProcess64.dll"})
        Module(dll, log);
    loader->LoadModuleList();
    EXPECT_EQ(4u, host.hotkeys.size());
    DeleteFileW(folder.File(L"calls.log").c_str());

    loader->UnloadModules(0);
    EXPECT_EQ(L"TestModB64: Unload\r\nTestModB64: Detach\r\nTestMod64: Unload\r\nTestMod64: Detach\r\n",
              folder.ReadLog(L"calls.log"));
    for (LPCWSTR dll : {L"TestMod64.dll", L"TestModB64.dll", L"NoProcess64.dll"})
        EXPECT_FALSE(GetModuleHandleW(dll)) << dll;
    EXPECT_EQ(0, loader->ModuleCount());
    EXPECT_EQ(0, loader->HotkeyCount());
    ASSERT_EQ(1u, host.hotkeys.size());
    EXPECT_EQ(2002u, host.hotkeys[0].number);
    EXPECT_EQ(0, loader->RunModuleCommand(0, edit));
}

TEST_F(ModuleLoaderTest, AttachingAgainKeepsOneSetOfModulesAndHotkeys)
{
    host.hotkeys.push_back({L"F2", 2002, false});
    std::wstring log = L"LogFile=" + folder.File(L"calls.log") + L"\r\n";
    Settings(L"TestMod=TestMod.dll\r\n", L"Ctrl+Q=TestMod\r\nCtrl+W=TestMod,2\r\n");
    Module(L"TestMod64.dll", log);
    Module(L"TestModB64.dll", log);
    for (int i = 0; i < 3; ++i)
        loader->LoadModuleList();
    EXPECT_EQ(L"GetInfo\nLoad " + Main() + L"|null\n", ModuleLog(L"TestMod64.dll"));
    ASSERT_EQ(3u, host.hotkeys.size());
    EXPECT_EQ(2002u, host.hotkeys[0].number);
    EXPECT_EQ(65499u, host.hotkeys[1].number);
    EXPECT_EQ(65498u, host.hotkeys[2].number);

    // A changed list is loaded afresh.
    Settings(L"TestMod=TestMod.dll\r\nTestModB=TestModB.dll\r\n", L"Ctrl+W=TestModB\r\n");
    loader->LoadModuleList();
    EXPECT_EQ(L"TestMod64: GetInfo\r\nTestMod64: Load " + Main() + L"|null\r\n" + L"TestMod64: Unload\r\n" +
                  L"TestMod64: Detach\r\nTestMod64: GetInfo\r\nTestMod64: Load " + Main() + L"|null\r\n" +
                  L"TestModB64: GetInfo\r\nTestModB64: Load " + Main() + L"|null\r\n",
              folder.ReadLog(L"calls.log"));
    ASSERT_EQ(2u, host.hotkeys.size());
    EXPECT_EQ(L"Ctrl+W", host.hotkeys[1].text);
    EXPECT_EQ(1, loader->Hotkey(0)->moduleIndex);
}

TEST_F(ModuleLoaderTest, NothingIsLoadedWhenPluginsAreDisabled)
{
    Settings(L"TestMod=TestMod.dll\r\n", L"Ctrl+Q=TestMod\r\n");
    host.pluginsEnabled = false;
    loader->LoadModuleList();
    EXPECT_EQ(0, loader->ModuleCount());
    EXPECT_FALSE(GetModuleHandleW(L"TestMod64.dll"));
    EXPECT_TRUE(host.hotkeys.empty());
    EXPECT_EQ(0, loader->RunModuleByName(L"TestMod", 1));

    // Switched off after a load: everything goes.
    host.pluginsEnabled = true;
    loader->LoadModuleList();
    EXPECT_TRUE(GetModuleHandleW(L"TestMod64.dll"));
    host.pluginsEnabled = false;
    loader->LoadModuleList();
    EXPECT_FALSE(GetModuleHandleW(L"TestMod64.dll"));
    EXPECT_TRUE(host.hotkeys.empty());
}

namespace {

CModuleLoader* g_unloadTarget = nullptr;

LRESULT CALLBACK UnloadingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 7 && g_unloadTarget)
        g_unloadTarget->UnloadModules(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TEST_F(ModuleLoaderTest, ModulesUnloadedWhileOneRunsAreFreedAfterItReturns)
{
    // A settings reload inside a module's own message loop unloads every module.
    HWND unloader = Child(L"Static", 0, 0, 1, 1);
    SetWindowLongPtrW(unloader, GWLP_WNDPROC, (LONG_PTR)UnloadingProc);
    g_unloadTarget = loader.get();
    std::wstring log = L"LogFile=" + folder.File(L"calls.log") + L"\r\n";
    Settings(L"TestMod=TestMod.dll\r\nTestModB=TestModB.dll\r\n", L"Ctrl+Q=TestMod\r\n");
    Module(L"TestMod64.dll", L"Result=2\r\nText=done\r\nNotify=" + HandleText(unloader) + L"\r\n" + log);
    Module(L"TestModB64.dll", log);
    loader->LoadModuleList();
    DeleteFileW(folder.File(L"calls.log").c_str());

    EXPECT_EQ(1, loader->RunModuleCommand(0, edit));
    g_unloadTarget = nullptr;
    EXPECT_EQ(L"done", WindowText(edit));
    EXPECT_EQ(0, loader->ModuleCount());
    EXPECT_FALSE(GetModuleHandleW(L"TestMod64.dll"));
    EXPECT_FALSE(GetModuleHandleW(L"TestModB64.dll"));
    EXPECT_EQ(L"TestMod64: Process 0|0|0,0|" + HandleText(edit) + L"|\r\nTestMod64: Unload\r\n"
              L"TestModB64: Unload\r\nTestMod64: Detach\r\nTestModB64: Detach\r\n",
              folder.ReadLog(L"calls.log"));
}
