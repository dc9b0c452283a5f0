// The subclassing helper across threads and processes: attach through the
// temporary hook, detach and default handling from another thread, a window
// whose thread ended, and a window of another process.
#include "SubclassTestSupport.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>

using namespace subtest;

namespace {

// A host window on a thread of its own with a message loop.
class CWindowThread
{
public:
    HostLog log;
    HWND hWnd = nullptr;
    DWORD threadId = 0;
    bool destroyAtEnd = true;

    CWindowThread()
    {
        m_ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_thread = CreateThread(nullptr, 0, Run, this, 0, &threadId);
        WaitForSingleObject(m_ready, 5000);
    }
    ~CWindowThread() { Stop(); }
    void Stop()
    {
        if (!m_thread)
            return;
        PostThreadMessageW(threadId, WM_QUIT, 0, 0);
        WaitForSingleObject(m_thread, 5000);
        CloseHandle(m_thread);
        CloseHandle(m_ready);
        m_thread = nullptr;
    }

private:
    static DWORD WINAPI Run(LPVOID p)
    {
        auto* self = static_cast<CWindowThread*>(p);
        self->hWnd = CreateHostWindow(&self->log);
        MSG m;
        PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue exists before the signal
        SetEvent(self->m_ready);
        while (GetMessageW(&m, nullptr, 0, 0) > 0)
            DispatchMessageW(&m);
        if (self->destroyAtEnd)
            DestroyWindow(self->hWnd);
        return 0;
    }
    HANDLE m_ready = nullptr;
    HANDLE m_thread = nullptr;
};

TEST(SubclassThreads, AttachFromAnotherThread)
{
    LONG blocks = SubclassLiveBlocks();
    CWindowThread b;
    ASSERT_NE(nullptr, b.hWnd);
    WNDPROC original = (WNDPROC)GetWindowLongPtrW(b.hWnd, GWLP_WNDPROC);
    CCountWnd a(10);
    ASSERT_EQ(1, SubclassAttach(&a, b.hWnd));
    EXPECT_EQ(b.hWnd, a.m_hWnd);

    EXPECT_EQ(11, SendMessageW(b.hWnd, kPing, 0, 0));
    EXPECT_EQ(b.threadId, a.lastThread); // the handler runs on the window's thread
    // Default handling asked for here travels to the window's thread.
    EXPECT_EQ(1, SubclassDefault(&a, kPing, 0, 0));
    EXPECT_EQ(2, b.log.Count(kPing));
    EXPECT_EQ(1, a.pings);
    EXPECT_EQ(0, a.hookMessages);

    EXPECT_EQ(1, SubclassDetach(&a));
    EXPECT_EQ(nullptr, a.m_hWnd);
    EXPECT_EQ(original, (WNDPROC)GetWindowLongPtrW(b.hWnd, GWLP_WNDPROC));
    EXPECT_EQ(1, SendMessageW(b.hWnd, kPing, 0, 0));
    EXPECT_EQ(1, a.pings);
    EXPECT_EQ(blocks, SubclassLiveBlocks());

    // The temporary hook is gone: an attach request with a live block in
    // place, sent without the helper's hook, does nothing.
    CCountWnd c(100);
    SubclassBlock fake = { SubclassBlockLive, 0, 0, 1 };
    WCHAR name[128];
    swprintf(name, 128, L"SC_PROP-{cc3650cf-ee36-40b3-840f-41203a9ebf54}-%08X%08X", (UINT)(UINT_PTR)b.hWnd,
             (UINT)(UINT_PTR)&c);
    ASSERT_TRUE(SetPropW(b.hWnd, name, &fake));
    SendMessageW(b.hWnd, SubclassHookMessage(), SubclassHookAttach, (LPARAM)&c);
    EXPECT_EQ(nullptr, c.m_hWnd);
    EXPECT_EQ(original, (WNDPROC)GetWindowLongPtrW(b.hWnd, GWLP_WNDPROC));
    RemovePropW(b.hWnd, name);
    EXPECT_EQ(0, PropCount(b.hWnd));
}

TEST(SubclassThreads, MixedThreadsOnOneWindow)
{
    LONG blocks = SubclassLiveBlocks();
    CWindowThread b;
    CCountWnd lower(10), upper(100);
    ASSERT_EQ(1, SubclassAttach(&lower, b.hWnd));
    // An attached object on the window does not take the attach request.
    ASSERT_EQ(1, SubclassAttach(&upper, b.hWnd));
    EXPECT_EQ(111, SendMessageW(b.hWnd, kPing, 0, 0));
    EXPECT_EQ(0, lower.hookMessages + upper.hookMessages);
    EXPECT_EQ(1, SubclassDetach(&lower)); // the lower one first, from here
    EXPECT_EQ(101, SendMessageW(b.hWnd, kPing, 0, 0));
    // Deleting an attached object on another thread detaches it there.
    auto* extra = new CCountWnd(1000);
    ASSERT_EQ(1, SubclassAttach(extra, b.hWnd));
    EXPECT_EQ(1101, SendMessageW(b.hWnd, kPing, 0, 0));
    delete extra;
    EXPECT_EQ(101, SendMessageW(b.hWnd, kPing, 0, 0));
    b.Stop(); // the window is destroyed on its thread with `upper` attached
    EXPECT_EQ(nullptr, upper.m_hWnd);
    EXPECT_EQ(1, upper.ncDestroys);
    EXPECT_EQ(blocks, SubclassLiveBlocks());
}

TEST(SubclassThreads, WindowWhoseThreadEnded)
{
    LONG blocks = SubclassLiveBlocks();
    CWindowThread b;
    b.destroyAtEnd = false;
    CCountWnd a(10);
    ASSERT_EQ(1, SubclassAttach(&a, b.hWnd));
    b.Stop();
    EXPECT_FALSE(IsWindow(b.hWnd));
    EXPECT_EQ(1, SubclassDetach(&a));
    EXPECT_EQ(nullptr, a.m_hWnd);
    EXPECT_EQ(blocks, SubclassLiveBlocks());
}

// The peer program's window, in another process.
class CPeer
{
public:
    HWND hWnd = nullptr;
    CPeer()
    {
        WCHAR path[MAX_PATH];
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        wcscpy(wcsrchr(path, L'\\') + 1, L"subclass_peer.exe");
        SECURITY_ATTRIBUTES sa = { sizeof(sa), nullptr, TRUE };
        HANDLE readEnd = nullptr, writeEnd = nullptr;
        if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
            return;
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW si = { sizeof(si) };
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = writeEnd;
        si.hStdError = writeEnd;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        if (CreateProcessW(path, nullptr, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &m_pi)) {
            CloseHandle(writeEnd);
            writeEnd = nullptr;
            char line[64] = {};
            DWORD got = 0, total = 0;
            while (total < sizeof(line) - 1 && ReadFile(readEnd, line + total, 1, &got, nullptr) && got) {
                if (line[total] == '\n')
                    break;
                total += got;
            }
            hWnd = (HWND)(UINT_PTR)strtoull(line, nullptr, 16);
        }
        if (writeEnd)
            CloseHandle(writeEnd);
        CloseHandle(readEnd);
    }
    ~CPeer()
    {
        if (!m_pi.hProcess)
            return;
        PostMessageW(hWnd, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_pi.hProcess, 5000) != WAIT_OBJECT_0)
            TerminateProcess(m_pi.hProcess, 1);
        CloseHandle(m_pi.hProcess);
        CloseHandle(m_pi.hThread);
    }

private:
    PROCESS_INFORMATION m_pi = {};
};

TEST(SubclassProcesses, WindowOfAnotherProcessRefusedWithNothingLeft)
{
    CPeer peer;
    ASSERT_TRUE(IsWindow(peer.hWnd));
    LONG blocks = SubclassLiveBlocks();
    LRESULT props = SendMessageW(peer.hWnd, kPropCount, 0, 0);
    WNDPROC proc = (WNDPROC)GetWindowLongPtrW(peer.hWnd, GWLP_WNDPROC);
    CCountWnd a(10);
    EXPECT_EQ(0, SubclassAttach(&a, peer.hWnd));
    EXPECT_EQ(nullptr, a.m_hWnd);
    EXPECT_EQ(props, SendMessageW(peer.hWnd, kPropCount, 0, 0));
    EXPECT_EQ(proc, (WNDPROC)GetWindowLongPtrW(peer.hWnd, GWLP_WNDPROC));
    EXPECT_EQ(blocks, SubclassLiveBlocks());
    EXPECT_EQ(1, SendMessageW(peer.hWnd, kPing, 0, 0));
    EXPECT_EQ(0, a.pings);
    EXPECT_EQ(1, SubclassDetach(&a));
}

} // namespace
