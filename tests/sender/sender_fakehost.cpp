// sender_fakehost [--no-dispatcher] [--report=PATH] -- CHILD COMMAND LINE
// A stand-in for the host with the engine inside: a top-level "TTOTAL_CMD"
// window and, on the same thread, a top-level "DispIniFileClass" window that
// records every WM_SETTEXT (wParam, text) and returns TRUE. It starts the
// rest of its command line (verbatim) as its child, pumps messages until the
// child exits and writes a UTF-16 report:
//   settext <wParam as a signed number> <text>
//   exit <child's exit code>
// Its own exit code is the child's (98: the child did not start, 99: the
// child was still running after 30 s and was ended).
#include <windows.h>
#include <string>

namespace {

std::wstring g_report;

LRESULT CALLBACK DispatcherProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SETTEXT) {
        const wchar_t* text = reinterpret_cast<const wchar_t*>(lp);
        g_report += L"settext " + std::to_wstring(static_cast<long long>(static_cast<INT_PTR>(wp))) +
                    L" " + (text ? text : L"(null)") + L"\n";
        return TRUE;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool Register(const wchar_t* name, WNDPROC proc, HINSTANCE inst)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.lpszClassName = name;
    return RegisterClassW(&wc) != 0;
}

// Reads one blank-separated token (quotes group and are removed).
const wchar_t* NextToken(const wchar_t* p, std::wstring* token)
{
    token->clear();
    while (*p == L' ' || *p == L'\t')
        ++p;
    bool quoted = false;
    for (; *p && (quoted || (*p != L' ' && *p != L'\t')); ++p) {
        if (*p == L'"')
            quoted = !quoted;
        else
            *token += *p;
    }
    return p;
}

void WriteReport(const std::wstring& path)
{
    if (path.empty())
        return;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, g_report.data(), static_cast<DWORD>(g_report.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, LPWSTR, int)
{
    std::wstring token, reportPath;
    bool dispatcher = true;
    const wchar_t* p = NextToken(GetCommandLineW(), &token);  // the program itself
    for (;;) {
        p = NextToken(p, &token);
        if (token.empty() || token == L"--")
            break;
        if (token == L"--no-dispatcher")
            dispatcher = false;
        else if (token.compare(0, 9, L"--report=") == 0)
            reportPath = token.substr(9);
    }
    while (*p == L' ')
        ++p;
    std::wstring child(p);

    if (!Register(L"TTOTAL_CMD", DefWindowProcW, inst) || !Register(L"DispIniFileClass", DispatcherProc, inst))
        return 97;
    HWND main = CreateWindowExW(0, L"TTOTAL_CMD", L"Fake host", WS_OVERLAPPEDWINDOW,
                                0, 0, 400, 300, nullptr, nullptr, inst, nullptr);
    HWND disp = dispatcher ? CreateWindowExW(0, L"DispIniFileClass", L"Dispatcher", WS_OVERLAPPED,
                                             0, 0, 50, 50, nullptr, nullptr, inst, nullptr)
                           : nullptr;
    if (!main || (dispatcher && !disp))
        return 97;

    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (child.empty() || !CreateProcessW(nullptr, &child[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        g_report += L"nochild\n";
        WriteReport(reportPath);
        return 98;
    }
    DWORD start = GetTickCount();
    DWORD code = 99;
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= 30000) {
            TerminateProcess(pi.hProcess, 99);
            g_report += L"timeout\n";
            break;
        }
        DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 30000 - elapsed, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) {
            GetExitCodeProcess(pi.hProcess, &code);
            break;
        }
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    g_report += L"exit " + std::to_wstring(code) + L"\n";
    WriteReport(reportPath);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DestroyWindow(disp);
    DestroyWindow(main);
    return static_cast<int>(code);
}
