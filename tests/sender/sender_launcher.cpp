// sender_launcher CHILD COMMAND LINE: a process that is not a host; it starts
// the rest of its command line (verbatim), waits for it and passes its exit
// code through (98: the child did not start).
#include <windows.h>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int)
{
    std::wstring child(commandLine);
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (child.empty() || !CreateProcessW(nullptr, &child[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 98;
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 98;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}
