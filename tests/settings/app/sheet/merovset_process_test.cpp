// MerovSet.exe itself, started over a fixture installation: its title from
// both version resources, its page tree, and the reload message it
// broadcasts after OK and each Apply, received by a window that registered
// the settings path in upper case, as an engine does.
#include "HostTestSupport.h"
#include "RunLevel.h"
#include "SheetFixture.h"
#include <gtest/gtest.h>

namespace {

struct CFindSheet
{
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindSheet(HWND wnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<CFindSheet*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == find->pid && IsWindowVisible(wnd) && GetDlgItem(wnd, CMainSheet::PageTreeId)) {
        find->found = wnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

TEST(MerovSetProgram, TitleTreeAndOneReloadPerOkOrApply)
{
    CModelFiles files(L"program");
    WriteSheetFixture(files);
    ASSERT_TRUE(CopyFileW(BinFile(L"MerovSet.exe").c_str(), files.Own(L"MerovSet.exe"), FALSE));
    ASSERT_TRUE(CopyFileW(BinFile(L"Merovin.wdx").c_str(), files.Own(L"Merovin.wdx"), FALSE));
    CEnvironmentValue path(L"COMMANDER_PATH", files.Host());
    CEnvironmentValue ini(L"COMMANDER_INI", files.Host(L"wincmd.ini"));
    CReloadCounter counter(files.Own(L"Merovin.ini"));
    ASSERT_NE(0u, counter.message);

    struct Case
    {
        const char* name;
        std::vector<WPARAM> presses; // the last one closes the sheet
        int reloads;
    };
    const Case cases[] = {
        { "OK", { IDOK }, 1 },
        { "Apply, Apply, Cancel", { 0x3021, 0x3021, IDCANCEL }, 2 },
        { "Cancel", { IDCANCEL }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        counter.count = 0;
        CString command = L"\"" + files.Own(L"MerovSet.exe") + L"\" /tcmd";
        STARTUPINFOW si = { sizeof(si) };
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessW(nullptr, command.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr,
                                   files.Own(), &si, &pi));
        command.ReleaseBuffer();
        CFindSheet find = { pi.dwProcessId, nullptr };
        DWORD start = GetTickCount();
        while (!find.found && GetTickCount() - start < 10000) {
            EnumWindows(FindSheet, (LPARAM)&find);
            PumpFor(20);
        }
        ASSERT_NE(nullptr, find.found);
        WCHAR title[128] = {};
        GetWindowTextW(find.found, title, 128);
        EXPECT_STREQ(L"Merovin Prefector (Class B) v1.0 (1.0)", title);
        HWND tree = GetDlgItem(find.found, CMainSheet::PageTreeId);
        EXPECT_EQ(11, (int)SendMessageW(tree, TVM_GETCOUNT, 0, 0));
        for (WPARAM press : c.presses) {
            PostMessageW(find.found, WM_COMMAND, press, 0);
            PumpFor(200);
        }
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 10000));
        PumpFor(300);
        EXPECT_EQ(c.reloads, counter.count);
        TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

// Its manifest asks to run as the invoker: without it the 32-bit program's
// writes under Program Files would be redirected unseen.
TEST(MerovSetProgram, ManifestRunsAsInvoker)
{
    EXPECT_EQ(ACTCTX_RUN_LEVEL_AS_INVOKER, ManifestRunLevel(BinFile(L"MerovSet.exe").c_str()));
}
