#include "HostScan.h"
#include <algorithm>

std::wstring TestBinFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n < MAX_PATH ? n : 0);
    return s.substr(0, s.find_last_of(L'\\'));
}

std::wstring WindowText(HWND wnd)
{
    wchar_t buf[2048] = L"";
    GetWindowTextW(wnd, buf, 2048);
    return buf;
}

std::wstring ClassOf(HWND wnd)
{
    wchar_t buf[64] = L"";
    GetClassNameW(wnd, buf, 64);
    return buf;
}
