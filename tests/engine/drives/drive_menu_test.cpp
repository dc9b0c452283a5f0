// The drive menu built over a real combo box (without tracking), with the
// system's drives and replaced network, device and remote-session sources;
// the choices it applies and the keys it answers.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "FakeEngine.h"
#include "GoToPath.h"
#include "IconMenu.h"
#include "IconMenuShared.h"
#include "MyCombo.h"
#include "TCProtocol.h"
#include "TestFiles.h"

namespace {

std::vector<std::string> g_events; // "cmd:<id>,<code>,<cursel>", "cd:<block>", "em:<name>"

LRESULT CALLBACK RecordProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
        int cursel = int(SendMessageW(HWND(lParam), CB_GETCURSEL, 0, 0));
        g_events.push_back("cmd:" + std::to_string(LOWORD(wParam)) + "," + std::to_string(cursel));
        return 0;
    }
    if (message == WM_COPYDATA) {
        auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        std::string bytes(static_cast<const char*>(data->lpData), data->cbData);
        g_events.push_back((data->dwData == CopyDataUserCommand ? "em:" : "cd:") + bytes);
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class CFakeSources : public CDriveListSources {
public:
    int beeps = 0;
    bool RemoteSession() override { return true; }
    void ClientShares(CStringArray& names) override
    {
        for (LPCWSTR name : {L"b", L"A", L"c"})
            names.Add(name);
    }
    SHORT KeyScan(WCHAR ch) override { return ch == 0x421 ? SHORT('C') : SHORT(-1); }
    void Beep() override { ++beeps; }
    DWORD_PTR FileInfo(LPCWSTR path, SHFILEINFOW& info, UINT flags) override
    {
        EXPECT_EQ(0u, flags & SHGFI_ICONLOCATION); // it writes the icon's file over the name
        BYTE and_[32], xor_[32];
        memset(and_, 0xFF, 32);
        memset(xor_, 0, 32);
        info.hIcon = (flags & SHGFI_ICON) ? CreateIcon(nullptr, 16, 16, 1, 1, and_, xor_) : nullptr;
        wcscpy(info.szDisplayName, (flags & SHGFI_PIDL) ? L"Folder" : L"Disk (X:)");
        (void)path;
        return 1;
    }
    int ShowDriveLettersFirst() override { return 0; }
};

// Network: Y remembered. Devices: two portable ones.
DWORD WINAPI NetOpen(DWORD, DWORD, DWORD, LPNETRESOURCEW, LPHANDLE handle) { *handle = HANDLE(1); return NO_ERROR; }
int g_netCalls = 0;
DWORD WINAPI NetEnum(HANDLE, LPDWORD count, LPVOID buffer, LPDWORD)
{
    if (g_netCalls++ % 2)
        return ERROR_NO_MORE_ITEMS;
    static WCHAR local[] = L"Y:", remote[] = L"\\\\srv\\y";
    auto* r = static_cast<NETRESOURCEW*>(buffer);
    r->lpLocalName = local;
    r->lpRemoteName = remote;
    *count = 1;
    return NO_ERROR;
}
DWORD WINAPI NetClose(HANDLE) { return NO_ERROR; }
const NetworkSource FakeNet = {NetOpen, NetEnum, NetClose};

BOOL WINAPI NoIcon(const GUID*, HICON*, PINT) { return FALSE; }
HDEVINFO WINAPI Devs(const GUID*, PCWSTR, HWND, DWORD) { return HDEVINFO(1); }
BOOL WINAPI Ifaces(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD index, PSP_DEVICE_INTERFACE_DATA data)
{
    data->Reserved = index;
    return index < 2;
}
BOOL WINAPI Detail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail, DWORD,
                   PDWORD needed, PSP_DEVINFO_DATA info)
{
    if (needed)
        *needed = 64;
    if (!detail)
        return FALSE;
    wcscpy(detail->DevicePath, data->Reserved ? L"dev1" : L"dev0");
    info->ClassGuid = PortableDeviceClass;
    info->Reserved = data->Reserved;
    return TRUE;
}
BOOL WINAPI Prop(HDEVINFO, PSP_DEVINFO_DATA info, DWORD, PDWORD, PBYTE buffer, DWORD, PDWORD)
{
    wcscpy(reinterpret_cast<WCHAR*>(buffer), info->Reserved ? L"Dev 1" : L"Dev 0");
    return TRUE;
}
BOOL WINAPI Gone(HDEVINFO) { return TRUE; }
const DeviceSetupSource FakeDevices = {NoIcon, Devs, Ifaces, Detail, Prop, Gone};

class CDriveEngine : public CFakeEngine {
public:
    EnginePaths paths;
    HostValues host;
    HostTreeSnapshot tree = {};
    std::vector<UINT_PTR> timers;
    const EnginePaths& Paths() const override { return paths; }
    const HostValues& Host() const override { return host; }
    const HostTreeSnapshot& Tree() const override { return tree; }
    UINT_PTR StartTimer(EngineTimer kind, UINT_PTR key, UINT) override
    {
        if (kind == EngineTimer::DriveSwitch)
            timers.push_back(key);
        return 1;
    }
};

class DriveMenu : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RecordProc;
        wc.lpszClassName = L"DriveMenuRecorder";
        RegisterClassW(&wc);
        m_main = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        m_panel = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
        m_comboWnd = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 80, 200,
                                     m_panel, HMENU(77), nullptr, nullptr);
        for (LPCWSTR entry : {L"[-c-]", L"[-y-]", L"[-z-]", L"\\ Network", L"+ My Computer", L"0 ftp", L"[-q-]"})
            SendMessageW(m_comboWnd, CB_ADDSTRING, 0, LPARAM(entry));
        m_log = CreateWindowExW(0, L"ListBox", L"W_FtpLogList", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        for (LPCWSTR line : {L"0 hostname=ftp.example.org", L"0 username=anon", L"1 hostname=h1"})
            SendMessageW(m_log, LB_ADDSTRING, 0, LPARAM(line));
        WriteText(m_files.File(L"usercmd.ini"),
                  "[em_mvdl_a]\r\nMenu=Tools|Editor\r\nButton=%windir%\\notepad.exe\r\n[EM_MVDL_b]\r\nMenu=Calc\r\n"
                  "[em_mvdl_c]\r\nMenu=\r\n[em_other]\r\nMenu=Other\r\n");
        m_engine.paths.userCmdIni = m_files.File(L"usercmd.ini").c_str();
        m_engine.paths.hostIni = m_files.File(L"wincmd.ini").c_str();
        m_engine.paths.engineFolder = (m_files.Path() + L"\\").c_str();
        m_engine.host.mainWindow = m_main;
        m_engine.host.extractIcons =
            reinterpret_cast<PrivateExtractIconsProc>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "PrivateExtractIconsW"));
        m_engine.tree.ftpLogList = m_log;
        m_engine.hotkeys.AddNamedHotkey(L"Ctrl+Alt+E", L"em_mvdl_a");
        m_engine.commands = &m_executor;
        ASSERT_TRUE(m_combo.AttachTo(m_comboWnd));
        m_combo.SetSources(&m_sources);
        m_combo.Drives().SetNetworkSource(&FakeNet);
        m_combo.Devices().SetSource(&FakeDevices);
        g_events.clear();
    }
    void TearDown() override
    {
        m_combo.DetachFromWindow();
        for (HWND window : {m_log, m_panel, m_main})
            DestroyWindow(window);
    }

    // "id caption [sep] tag" per item; a free-space part shows as "\t#".
    std::vector<std::wstring> Items(CIconMenu& menu)
    {
        std::vector<std::wstring> items;
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            IconMenuItem* item = menu.GetItem(UINT(i), TRUE);
            std::wstring caption = item->caption.GetString();
            size_t tab = caption.find(L"\t ");
            if (tab != std::wstring::npos)
                caption = caption.substr(0, tab) + L"\t#";
            UINT id = GetMenuItemID(menu.m_hMenu, i);
            items.push_back((id == UINT(-1) ? L"popup" : std::to_wstring(id)) + L" " + caption +
                            (item->IsSeparator() ? L" [sep]" : L"") + L" " + std::to_wstring(id == UINT(-1) ? 0 : int(item->tag)));
        }
        return items;
    }

    CTempFolder m_files{L"drivemenu"};
    CDriveEngine m_engine;
    CNoTargets m_targets;
    CCommandExecutor m_executor{m_engine, m_targets};
    CMyCombo m_combo{m_engine, 0};
    CFakeSources m_sources;
    HWND m_main = nullptr, m_panel = nullptr, m_comboWnd = nullptr, m_log = nullptr;
};

} // namespace

TEST_F(DriveMenu, ContentInBothListStyles)
{
    const std::vector<std::wstring> tail = {
        L"301 Portable devices [sep] 0", L"302 Dev 0 0", L"303 Dev 1 0",
        L"0 Tools [sep] 0", L"200 Editor\tCtrl+Alt+E 0", L"201 Calc 0", L"202 em_mvdl_c 0"};
    struct { bool alphabetic; std::vector<std::wstring> head; } styles[] = {
        {true, {L"1 C - Disk \t# 0", L"2 Y - Disk  1", L"3 Z - Disk \t# 2", L"4 + - My Computer 4",
                L"5 \\ - Network && Plugins 3", L"6 0 - FTP on ftp.example.org(anon) 5", L"popup TS Client 0"}},
        {false, {L"1 C - Disk \t# 0", L"2 Z - Disk \t# 2", L"3 Network [sep] 0", L"4 \\ - Network && Plugins 3",
                 L"5 Y - Disk  1", L"6 0 - FTP on ftp.example.org(anon) 5", L"popup TS Client 0",
                 L"8 Special Folders [sep] 0", L"9 + - My Computer 4"}},
    };
    for (auto& style : styles) {
        m_combo.SetStyle(style.alphabetic, DriveListUserCommands);
        CIconMenu menu;
        m_combo.BuildDriveMenu(menu);
        std::vector<std::wstring> expected = style.head;
        expected.insert(expected.end(), tail.begin(), tail.end());
        EXPECT_EQ(expected, Items(menu)) << style.alphabetic;
        // The client shares, sorted without case, in their own id range.
        CIconMenu* shares = reinterpret_cast<CIconMenu*>(menu.GetItem(6, TRUE)->tag);
        ASSERT_NE(nullptr, shares);
        EXPECT_EQ((std::vector<std::wstring>{L"100 A 0", L"101 b 0", L"102 c 0"}), Items(*shares));
        EXPECT_STREQ(L"em_mvdl_a", menu.GetItem(200, FALSE)->data);
        m_combo.FreeMenuIcons();
    }
    // Without user commands and with the host's INI naming the shares' menu.
    WritePrivateProfileStringW(L"Configuration", L"tsclient", L"Client", m_engine.paths.hostIni);
    m_combo.SetStyle(true, 0);
    CIconMenu menu;
    m_combo.BuildDriveMenu(menu);
    EXPECT_EQ(L"popup Client 0", Items(menu)[6]);
    EXPECT_EQ(10, menu.GetMenuItemCount());

    // 150 user commands: they stop at 299, short of the devices' ids.
    for (int i = 0; i < 150; ++i)
        WritePrivateProfileStringW((L"em_mvdl_x" + std::to_wstring(i)).c_str(), L"Menu", L"X", m_engine.paths.userCmdIni);
    m_combo.SetStyle(true, DriveListUserCommands);
    CIconMenu many;
    m_combo.BuildDriveMenu(many);
    EXPECT_EQ(299u, GetMenuItemID(many.m_hMenu, many.GetMenuItemCount() - 1));
    ASSERT_NE(nullptr, many.GetItem(302, FALSE));
    EXPECT_STREQ(L"Dev 0", many.GetItem(302, FALSE)->caption);
    m_combo.FreeMenuIcons();
}

TEST_F(DriveMenu, IconsMadeByABuildAreDestroyedAndCustomIconsStay)
{
    // The icon library: any file of icons named "mvdl.icl" beside the engine.
    WCHAR shell[MAX_PATH];
    GetSystemDirectoryW(shell, MAX_PATH);
    ASSERT_TRUE(CopyFileW((std::wstring(shell) + L"\\shell32.dll").c_str(), m_files.File(L"mvdl.icl").c_str(), FALSE));
    for (UINT style : {UINT(DriveListUserCommands), UINT(DriveListUserCommands | DriveListCustomIcons)}) {
        m_combo.SetStyle(false, style);
        for (int round = 0; round < 20; ++round) {
            CIconMenu menu;
            m_combo.BuildDriveMenu(menu);
            if (round == 0 && (style & DriveListCustomIcons)) {
                HICON fixed = menu.GetItem(1, FALSE)->icon;
                ICONINFO info = {};
                ASSERT_TRUE(GetIconInfo(fixed, &info)); // the library's first icon
                DeleteObject(info.hbmColor);
                DeleteObject(info.hbmMask);
                EXPECT_NE(fixed, menu.GetItem(2, FALSE)->icon == fixed ? nullptr : fixed);
            }
        }
        m_combo.FreeMenuIcons();
        EXPECT_GT(m_combo.IconsMade(), 0);
        EXPECT_EQ(m_combo.IconsMade(), m_combo.IconsFreed());
    }
    // The custom icons outlive the menus.
    CIconMenu menu;
    m_combo.BuildDriveMenu(menu);
    HICON fixed = menu.GetItem(1, FALSE)->icon;
    m_combo.FreeMenuIcons();
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(fixed, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST_F(DriveMenu, ChoicesSwitchOpenOrRun)
{
    m_combo.SetStyle(true, DriveListUserCommands);
    CIconMenu menu;
    m_combo.BuildDriveMenu(menu);
    std::string share, device;
    BuildGoToPathBlock(L"\\\\tsclient\\b", GoToLeft, false, share);
    BuildGoToPathBlock(L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\dev1", GoToLeft, false, device);
    struct { int id; std::vector<std::string> events; int timers; } choices[] = {
        {2, {"cmd:77,1"}, 1},        // Y: the host's entry 1, 100 ms later
        {6, {"cmd:77,5"}, 1},        // the FTP connection's entry
        {101, {"cd:" + share}, 0},   // a client share by its path
        {303, {"cd:" + device}, 0},  // a portable device
        {200, {"em:em_mvdl_a" + std::string(1, '\0')}, 0},
        {0, {}, 0},                  // nothing chosen
    };
    for (auto& choice : choices) {
        g_events.clear();
        m_engine.timers.clear();
        m_combo.ApplyChoice(menu, choice.id);
        ASSERT_EQ(size_t(choice.timers), m_engine.timers.size()) << choice.id;
        if (choice.timers)
            m_combo.OnDriveSwitchTimer();
        EXPECT_EQ(choice.events, g_events) << choice.id;
    }
    EXPECT_EQ(0, m_sources.beeps);

    // A drive that is in the host's list but not usable, and the network row
    // without a host entry: a beep, no switch.
    m_combo.MenuCharacter(L'q', MF_POPUP, menu.m_hMenu);
    m_combo.ApplyChoice(menu, 0);
    SendMessageW(m_comboWnd, CB_DELETESTRING, 3, 0);
    m_combo.SetStyle(false, 0);
    CIconMenu grouped;
    m_combo.BuildDriveMenu(grouped);
    ASSERT_EQ(CString(L"\\ - Network && Plugins"), grouped.GetItem(4, FALSE)->caption);
    m_combo.ApplyChoice(grouped, 4);
    EXPECT_EQ(2, m_sources.beeps);
    EXPECT_TRUE(m_engine.timers.empty());
    m_combo.FreeMenuIcons();
}

TEST_F(DriveMenu, TypedCharacters)
{
    m_combo.SetStyle(true, 0);
    CIconMenu menu;
    m_combo.BuildDriveMenu(menu);
    int last = menu.GetMenuItemCount() - 1;
    struct { WCHAR ch; UINT style; LRESULT result; } keys[] = {
        {L'$', 0, MAKELRESULT(0, MNC_SELECT)}, {L'#', 0, MAKELRESULT(last, MNC_SELECT)},
        {L'z', 0, MAKELRESULT(0, MNC_CLOSE)}, {L'm', 0, 0},
        {0x421, DriveListAnyLanguage, MAKELRESULT(0, MNC_CLOSE)}, {0x421, 0, 0}};
    for (auto& key : keys) {
        m_combo.SetStyle(true, key.style);
        EXPECT_EQ(key.result, m_combo.MenuCharacter(key.ch, MF_POPUP, menu.m_hMenu)) << int(key.ch);
    }
    // The letter typed last is switched to when the menu closes.
    m_combo.MenuCharacter(L'z', MF_POPUP, menu.m_hMenu);
    m_combo.ApplyChoice(menu, 0);
    m_combo.OnDriveSwitchTimer();
    EXPECT_EQ(std::vector<std::string>{"cmd:77,2"}, g_events);
    m_combo.FreeMenuIcons();
}

// A menu whose popup is gone takes no item: the client shares' submenu goes,
// with the font reference it took.
TEST_F(DriveMenu, MenuThatTakesNoItemKeepsNoSubmenu)
{
    CIconMenu menu;
    ::DestroyMenu(menu.Detach());
    int references = CIconMenuShared::FontReferences();
    m_combo.SetStyle(true, 0);
    m_combo.BuildDriveMenu(menu);
    EXPECT_EQ(0, menu.GetItemCount());
    EXPECT_EQ(references, CIconMenuShared::FontReferences());
    m_combo.FreeMenuIcons();
}

TEST_F(DriveMenu, FtpConnectionsAfterAnEmptyEntryWithTwoDigitSlots)
{
    // An entry with empty text before a second connection, whose log lines
    // write the slot as "05".
    for (LPCWSTR entry : {L"", L"5 ftp"})
        SendMessageW(m_comboWnd, CB_ADDSTRING, 0, LPARAM(entry));
    for (LPCWSTR line : {L"05 hostname=five", L"05 username=me"})
        SendMessageW(m_log, LB_ADDSTRING, 0, LPARAM(line));
    m_combo.SetStyle(true, 0);
    CIconMenu menu;
    m_combo.BuildDriveMenu(menu);
    std::vector<std::wstring> items = Items(menu);
    ASSERT_GE(items.size(), 8u);
    EXPECT_EQ(L"6 0 - FTP on ftp.example.org(anon) 5", items[5]);
    EXPECT_EQ(L"7 5 - FTP on five(me) 8", items[6]);
    m_combo.FreeMenuIcons();
}
