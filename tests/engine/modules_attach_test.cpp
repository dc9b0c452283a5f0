// The engine's module list across repeated attaching, with the engine and a
// host window tree in the test process, read through the diagnostic dump:
// numbering, module hotkeys as the hotkey table's tail, modules kept loaded,
// an own-window module moved to a new right list, unloading at teardown.
#include <gtest/gtest.h>
#include "EngineHarness.h"
#include "TCProtocol.h"
#include "MiniHost.h"

namespace {

WNDPROC g_hostProc = nullptr;
CMiniHost* g_host = nullptr;

// The host's query answers the drive-list path needs: the lists and the
// command line, but no drive boxes, so every drive-list key attaches again.
LRESULT CALLBACK QueryProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == HostQueryMessage && g_host) {
        switch (wParam) {
        case 1: return (LRESULT)g_host->panels[0].list;
        case 2: return (LRESULT)g_host->panels[1].list;
        case 20: return (LRESULT)g_host->commandCombo;
        default: return 0;
        }
    }
    return CallWindowProcW(g_hostProc, hwnd, msg, wParam, lParam);
}

typedef LPCWSTR(WINAPI* TestModLogProc)();

// The calls the loaded test module logged since it was loaded.
std::wstring ModuleCalls()
{
    HMODULE module = GetModuleHandleW(L"TestMod64.dll");
    auto log = module ? (TestModLogProc)(void*)GetProcAddress(module, "TestModLog") : nullptr;
    return log ? log() : L"";
}

int Count(const std::wstring& text, const std::wstring& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

void PressChord(WORD modifier, WORD vk)
{
    INPUT inputs[4] = {};
    WORD keys[4] = {modifier, vk, vk, modifier};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.wScan = (WORD)MapVirtualKeyW(keys[i], MAPVK_VK_TO_VSC);
        inputs[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, inputs, sizeof(INPUT));
    Pump(150);
}

class ModulesAttach : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_host = &m_host;
        g_hostProc = (WNDPROC)SetWindowLongPtrW(m_host.main, GWLP_WNDPROC, (LONG_PTR)QueryProc);
        for (const wchar_t* module : {L"TestMod64", L"TestModB64"}) {
            std::wstring file = std::wstring(module) + L".dll";
            CopyFileW(BinFile(file.c_str()).c_str(), (m_engine.Folder() + L"\\" + file).c_str(), FALSE);
        }
        std::string ini = "[Module]\r\nFlags=4\r\nWidth=30\r\nHeight=20\r\nLogFile=";
        for (wchar_t ch : SecondLog())
            ini += (char)ch;
        WriteText(m_engine.Folder() + L"\\TestModB64.ini", (ini + "\r\n").c_str());
        WriteText(m_engine.SettingsFile(),
                  "[Config]\r\nUseLLHook=0\r\nDriveList=1\r\n[Keyboard]\r\n131=Alt+F1\r\n"
                  "[PluginList]\r\nTestMod=TestMod.dll\r\nSecond=TestModB.dll\r\n"
                  "[Plugins]\r\nCtrl+Q=TestMod,4;first\r\nCtrl+W=Missing\r\nCtrl+E=Second,2\r\n");
        ASSERT_TRUE(m_engine.Load());
        m_engine.SetDefaultParams("");
        SetForegroundWindow(m_host.main);
        SetFocus(m_host.commandEdit);
    }
    void TearDown() override { g_host = nullptr; }
    // The own-window module logs into a file: its log outlives a reload.
    std::wstring SecondLog() const { return m_engine.Folder() + L"\\second.log"; }
    std::wstring SecondCalls() const
    {
        HANDLE file = CreateFileW(SecondLog().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return L"";
        std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
        DWORD read = 0;
        ReadFile(file, &text[0], (DWORD)(text.size() * sizeof(wchar_t)), &read, nullptr);
        CloseHandle(file);
        return text;
    }

    CMiniHost m_host;
    CEngineHarness m_engine;
};

} // namespace

TEST_F(ModulesAttach, AttachingAgainKeepsOneSetOfModuleHotkeysAndOneLoad)
{
    ASSERT_EQ(1, m_engine.Number(L"treeValid"));
    // Numbers in file order, also for the line whose module is not listed.
    EXPECT_EQ(L"65499|0|4", m_engine.Value(L"ModuleHotkey0"));
    EXPECT_EQ(L"65498|-1|0", m_engine.Value(L"ModuleHotkey1"));
    EXPECT_EQ(L"65497|1|2", m_engine.Value(L"ModuleHotkey2"));
    int hotkeys = m_engine.Number(L"hotkeyCount");
    int runs = m_engine.Number(L"attachRuns");
    HWND right = m_host.panels[1].list;

    PressChord(VK_LMENU, VK_F1);
    PressChord(VK_LMENU, VK_F1);
    ASSERT_EQ(runs + 2, m_engine.Number(L"attachRuns"));
    EXPECT_EQ(hotkeys, m_engine.Number(L"hotkeyCount"));
    EXPECT_EQ(L"65497|1|2", m_engine.Value(L"ModuleHotkey2"));
    EXPECT_EQ(1, Count(ModuleCalls(), L"GetInfo"));
    EXPECT_EQ(1, Count(ModuleCalls(), L"Load "));
    EXPECT_EQ(0, Count(ModuleCalls(), L"Unload"));

    // The module hotkey is still bound once: its command runs on the focused edit.
    SetWindowTextW(m_host.commandEdit, L"text");
    PressChord(VK_LCONTROL, 'Q');
    EXPECT_EQ(1, Count(ModuleCalls(), L"Process 0|4|"));

    // A changed "Plugins" replaces the module hotkeys; a new right list
    // moves the own-window module to it.
    WritePrivateProfileStringW(L"Plugins", L"Ctrl+R", L"TestMod,9", m_engine.SettingsFile().c_str());
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, m_engine.SettingsFile().c_str());
    DestroyWindow(right);
    m_host.panels[1].list = CMiniHost::Child(L"LCLListBox", m_host.panels[1].panel, 0, 110, 400, 360);
    Pump(300);
    SetFocus(m_host.commandEdit);
    PressChord(VK_LMENU, VK_F1);
    EXPECT_EQ(hotkeys + 1, m_engine.Number(L"hotkeyCount"));
    EXPECT_EQ(L"65496|0|9", m_engine.Value(L"ModuleHotkey3"));
    EXPECT_EQ(1, Count(ModuleCalls(), L"Load "));
    std::wstring secondCalls = SecondCalls();
    EXPECT_EQ(2, Count(secondCalls, L"Load "));
    EXPECT_EQ(1, Count(secondCalls, L"Unload"));
    EXPECT_LT(secondCalls.find(L"Unload"), secondCalls.find(L"Detach")) << secondCalls;
    wchar_t expected[64];
    swprintf(expected, 64, L"Load %llx|", (unsigned long long)(ULONG_PTR)m_host.panels[1].list);
    EXPECT_NE(std::wstring::npos, secondCalls.find(expected)) << secondCalls;

    // Teardown frees every module and leaves the engine's table without them.
    m_engine.Unloading();
    EXPECT_EQ(nullptr, GetModuleHandleW(L"TestMod64.dll"));
    EXPECT_EQ(nullptr, GetModuleHandleW(L"TestModB64.dll"));
}
