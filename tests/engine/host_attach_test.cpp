// The engine attached to the stand-in host in its own process, seen from
// outside: the properties its objects leave on the host's windows, parts the
// host recreates (with the engine's debug traces read as a debugger reads
// them), the host declining its close, and a teardown that leaves every
// window's properties as they were.
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include "EngineHost.h"
#include "HostTestSupport.h"

namespace {

std::set<std::wstring> Properties(HWND window)
{
    std::set<std::wstring> names;
    EnumPropsExW(window, [](HWND, LPWSTR name, HANDLE, ULONG_PTR data) -> BOOL {
        reinterpret_cast<std::set<std::wstring>*>(data)->insert(IS_INTRESOURCE(name) ? L"#atom" : name);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&names));
    return names;
}

bool EngineOn(HWND window)
{
    for (const std::wstring& name : Properties(window))
        if (name.compare(0, 8, L"SC_PROP-") == 0)
            return true;
    return false;
}

std::vector<HWND> HostWindows(HWND main)
{
    return WindowAndDescendants(main);
}

// Reads a running process's debug output as a debugger does: attaches to it
// on a thread of its own and collects the debug-string events.
class CDebugOutputReader {
public:
    explicit CDebugOutputReader(DWORD pid) : m_pid(pid)
    {
        m_attached = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_thread = CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr);
        WaitForSingleObject(m_attached, 5000);
    }
    ~CDebugOutputReader()
    {
        m_stop = true;
        WaitForSingleObject(m_thread, 5000);
        CloseHandle(m_thread);
        CloseHandle(m_attached);
    }
    bool Attached() const { return m_ok; }
    std::vector<std::string> Lines()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_lines;
    }

private:
    static DWORD WINAPI ThreadProc(LPVOID self)
    {
        static_cast<CDebugOutputReader*>(self)->Run();
        return 0;
    }
    void Run()
    {
        m_ok = DebugActiveProcess(m_pid) != FALSE;
        if (m_ok)
            DebugSetProcessKillOnExit(FALSE);
        SetEvent(m_attached);
        if (!m_ok)
            return;
        HANDLE process = nullptr;
        while (!m_stop) {
            DEBUG_EVENT event;
            if (!WaitForDebugEvent(&event, 50))
                continue;
            DWORD status = DBG_CONTINUE;
            switch (event.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT:
                process = event.u.CreateProcessInfo.hProcess;
                if (event.u.CreateProcessInfo.hFile)
                    CloseHandle(event.u.CreateProcessInfo.hFile);
                break;
            case LOAD_DLL_DEBUG_EVENT:
                if (event.u.LoadDll.hFile)
                    CloseHandle(event.u.LoadDll.hFile);
                break;
            case OUTPUT_DEBUG_STRING_EVENT: {
                const OUTPUT_DEBUG_STRING_INFO& info = event.u.DebugString;
                size_t units = std::min<size_t>(info.nDebugStringLength, 1024);
                std::string line;
                if (info.fUnicode) {
                    std::wstring wide(units, 0);
                    ReadProcessMemory(process, info.lpDebugStringData, &wide[0], units * 2, nullptr);
                    line.assign(wide.begin(), wide.end());
                } else {
                    line.assign(units, 0);
                    ReadProcessMemory(process, info.lpDebugStringData, &line[0], units, nullptr);
                }
                line.resize(strlen(line.c_str()));
                std::lock_guard<std::mutex> guard(m_lock);
                m_lines.push_back(line);
                break;
            }
            case EXCEPTION_DEBUG_EVENT:
                if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                    status = DBG_EXCEPTION_NOT_HANDLED;
                break;
            }
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        }
        DebugActiveProcessStop(m_pid);
    }

    DWORD m_pid;
    HANDLE m_thread = nullptr;
    HANDLE m_attached = nullptr;
    volatile bool m_stop = false;
    bool m_ok = false;
    std::mutex m_lock;
    std::vector<std::string> m_lines;
};

class EngineAttachInHost : public ::testing::Test {
protected:
    bool StartHost(std::vector<std::wstring> args = {})
    {
        return m_host.Start(
            EngineHostSetup("[Config]\r\nUseLLHook=0\r\nStickyFiles=1\r\nCheckCloseTC=0\r\n", args));
    }
    CHostDriver m_host;
};

} // namespace

TEST_F(EngineAttachInHost, RecreatedPartsGetTheirObjectsBack)
{
    ASSERT_TRUE(StartHost({L"--tabs=both"})) << m_host.LastError();
    ASSERT_TRUE(WaitFor(3000, [&] { return EngineOn(m_host.Query(1)); }));
    // Codes: 1/2 file lists, 9/10 path bars, 13/14 drive combo boxes, 26/27 tabs.
    for (int code : {1, 2, 9, 10, 13, 14, 26, 27})
        EXPECT_TRUE(EngineOn(m_host.Query(code))) << code;
    EXPECT_TRUE(EngineOn(m_host.Main()));

    HWND tabs = m_host.Recreate(0, TCHost::RecreateTabs);
    HWND path = m_host.Recreate(1, TCHost::RecreatePathBar);
    HWND list = m_host.Recreate(1, TCHost::RecreateList);
    ASSERT_TRUE(tabs && path && list);
    EXPECT_TRUE(WaitFor(3000, [&] { return EngineOn(tabs) && EngineOn(path) && EngineOn(list); }));

    // Tabs appearing on a panel that had none are taken on as well.
    ASSERT_TRUE(m_host.Flush());
    EXPECT_EQ(0, m_host.Stop());
    ASSERT_TRUE(StartHost({L"--tabs=left"})) << m_host.LastError();
    EXPECT_EQ(nullptr, m_host.Query(27));
    HWND right = m_host.Recreate(1, TCHost::RecreateTabs);
    ASSERT_NE(nullptr, right);
    EXPECT_TRUE(WaitFor(3000, [&] { return EngineOn(right); }));
    EXPECT_EQ(0, m_host.Stop());
}

TEST_F(EngineAttachInHost, RetriesUntilTheHostAddsTheMissingBar)
{
    ASSERT_TRUE(StartHost({L"--bars=3"})) << m_host.LastError();
    Sleep(300);
    EXPECT_FALSE(EngineOn(m_host.Query(1)));
    EXPECT_TRUE(EngineOn(m_host.Main()));
    m_host.Recreate(0, TCHost::AddFourthBar);
    m_host.Recreate(1, TCHost::AddFourthBar);
    EXPECT_TRUE(WaitFor(3000, [&] { return EngineOn(m_host.Query(1)) && EngineOn(m_host.Query(2)); }));
    EXPECT_EQ(0, m_host.Stop());
}

TEST_F(EngineAttachInHost, DeclinedCloseKeepsTheEngineAttached)
{
    ASSERT_TRUE(StartHost()) << m_host.LastError();
    m_host.Send(TCHost::MsgSetRefuseClose, 1);
    size_t mark = m_host.LogMark();
    m_host.Post(WM_CLOSE);
    ASSERT_TRUE(m_host.WaitForLog(mark, L"close", L"refused", L"1"));
    // The host got the close with the engine's subclass already gone ...
    EXPECT_FALSE(EngineOn(m_host.Main()));
    EXPECT_EQ(1u, m_host.LogSince(mark, L"close").size());
    // ... and a second later the engine is back on its window.
    EXPECT_TRUE(WaitFor(2000, [&] { return EngineOn(m_host.Main()); }));
    EXPECT_TRUE(EngineOn(m_host.Query(1)));
    EXPECT_TRUE(m_host.Running());
    // Now the close goes through.
    EXPECT_EQ(0, m_host.Stop());
}

TEST_F(EngineAttachInHost, TeardownLeavesThePropertiesAsTheyWere)
{
    ASSERT_TRUE(StartHost({L"--tabs=both"})) << m_host.LastError();
    m_host.UnloadPlugin();
    Sleep(300);
    std::vector<HWND> windows = HostWindows(m_host.Main());
    std::vector<std::set<std::wstring>> before;
    for (HWND w : windows) {
        EXPECT_FALSE(EngineOn(w));
        before.push_back(Properties(w));
    }
    // Loaded again it attaches, and its teardown takes everything away again.
    ASSERT_TRUE(m_host.LoadPlugin());
    EXPECT_TRUE(WaitFor(3000, [&] { return EngineOn(m_host.Query(1)); }));
    EXPECT_TRUE(EngineOn(m_host.Main()));
    m_host.UnloadPlugin();
    for (size_t i = 0; i < windows.size(); ++i)
        EXPECT_EQ(before[i], Properties(windows[i])) << i;
    Sleep(300);
    // The host keeps working without the library.
    ASSERT_TRUE(m_host.Focus(m_host.Query(1)));
    EXPECT_TRUE(m_host.Sync());
    m_host.Recreate(0, TCHost::RecreateList);
    EXPECT_TRUE(m_host.Flush());
    EXPECT_EQ(0, m_host.Stop());
}

TEST_F(EngineAttachInHost, ReattachTracesReachTheDebugger)
{
    ASSERT_TRUE(StartHost({L"--tabs=both"})) << m_host.LastError();
    CDebugOutputReader reader(m_host.ProcessId());
    ASSERT_TRUE(reader.Attached());
    HWND tabs = m_host.Recreate(0, TCHost::RecreateTabs);
    ASSERT_TRUE(WaitFor(3000, [&] { return EngineOn(tabs); }));
    HWND list = m_host.Recreate(1, TCHost::RecreateList);
    ASSERT_TRUE(WaitFor(3000, [&] { return EngineOn(list); }));
    HWND path = m_host.Recreate(0, TCHost::RecreatePathBar);
    ASSERT_TRUE(WaitFor(3000, [&] { return EngineOn(path); }));
    ASSERT_TRUE(m_host.Flush());
    Sleep(100);
    std::vector<std::string> traces;
    for (const std::string& line : reader.Lines())
        if (line.find("Created") != std::string::npos || line.find("InitTab") != std::string::npos)
            traces.push_back(line);
    std::vector<std::string> expected = {"Left Tab Created\n", "CMerovinApp::InitTab 0", "Right List Created\n",
                                         "Left Path Panel Created\n"};
    EXPECT_EQ(expected, traces);
    EXPECT_EQ(0, m_host.Stop());
}
