// Cost of the drive menu's build with six drives, warm (after one build: the
// shell's first start is slow): the drive part alone (the builder's own
// "Build drv list" trace is the same span) and the whole build before the
// menu shows. Prints "name: value unit" (the best of several rounds).
#include <windows.h>
#include <cstdio>
#include "FakeEngine.h"
#include "IconMenu.h"
#include "MyCombo.h"
#include "BenchTiming.h"

CWinApp theApp(L"DrivesBench");

namespace {

// Four remembered network letters beside the system's C: and Z:.
DWORD WINAPI NetOpen(DWORD, DWORD, DWORD, LPNETRESOURCEW, LPHANDLE handle)
{
    *handle = HANDLE(1);
    return NO_ERROR;
}
int g_calls = 0;
DWORD WINAPI NetEnum(HANDLE, LPDWORD count, LPVOID buffer, LPDWORD)
{
    if (g_calls++ % 2)
        return ERROR_NO_MORE_ITEMS;
    static WCHAR letters[4][3] = {L"V:", L"W:", L"X:", L"Y:"};
    static WCHAR remote[] = L"\\\\server\\share";
    auto* r = static_cast<NETRESOURCEW*>(buffer);
    for (int i = 0; i < 4; ++i) {
        r[i].lpLocalName = letters[i];
        r[i].lpRemoteName = remote;
    }
    *count = 4;
    return NO_ERROR;
}
DWORD WINAPI NetClose(HANDLE) { return NO_ERROR; }
const NetworkSource SixDrives = {NetOpen, NetEnum, NetClose};

} // namespace

class CBenchEngine : public CFakeEngine {
public:
    EnginePaths paths;
    const EnginePaths& Paths() const override { return paths; }
};

int wmain()
{
    CoInitialize(nullptr);
    CBenchEngine engine;
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    CString commands;
    commands.Format(L"%sdrives_bench_%lu.ini", temp, GetCurrentProcessId());
    for (int i = 0; i < 20; ++i) {
        CString section;
        section.Format(L"em_mvdl_%d", i);
        WritePrivateProfileStringW(section, L"Menu", i % 5 ? L"Command" : L"Group|Command", commands);
    }
    engine.paths.userCmdIni = commands;
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND box = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 80, 200, parent,
                               HMENU(1), nullptr, nullptr);
    for (LPCWSTR entry : {L"[-c-]", L"[-v-]", L"[-w-]", L"[-x-]", L"[-y-]", L"[-z-]", L"\\ Network"})
        SendMessageW(box, CB_ADDSTRING, 0, LPARAM(entry));
    CMyCombo combo(engine, 0);
    if (!combo.AttachTo(box))
        return 1;
    combo.Drives().SetNetworkSource(&SixDrives);
    // The drives alone (no user commands), then everything before the menu shows.
    for (UINT style : {0u, UINT(DriveListUserCommands)}) {
        for (bool alphabetic : {true, false}) {
            combo.SetStyle(alphabetic, style);
            auto build = [&] {
                CIconMenu menu;
                combo.BuildDriveMenu(menu);
                combo.FreeMenuIcons();
            };
            build(); // the shell's first start
            printf("drive_menu_%s_%s: %.2f ms\n", style ? "whole" : "drives", alphabetic ? "alphabetic" : "categorised",
                   BestMs(10, build));
        }
    }
    combo.DetachFromWindow();
    DestroyWindow(parent);
    DeleteFileW(commands);
    return 0;
}
