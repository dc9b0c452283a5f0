// Counts of the calling process's GDI objects, windows, kernel handles and
// free TLS indexes, for leak checks. Wine answers GetGuiResources with 0 and does not count in
// GetProcessHandleCount, so the counts are taken by probing instead.
#pragma once
#include <windows.h>

namespace ResourceCount {

// GDI objects: every handle index that names a live object.
inline long GdiObjects()
{
    long n = 0;
    for (ULONG_PTR i = 1; i < 65536; ++i) {
        if (GetObjectType((HGDIOBJ)i))
            ++n;
    }
    return n;
}

struct CWindowTally {
    DWORD pid;
    long n;
};

inline BOOL CALLBACK TallyChild(HWND wnd, LPARAM lParam)
{
    CWindowTally* tally = reinterpret_cast<CWindowTally*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == tally->pid)
        ++tally->n;
    return TRUE;
}

inline BOOL CALLBACK TallyTop(HWND wnd, LPARAM lParam)
{
    TallyChild(wnd, lParam);
    EnumChildWindows(wnd, TallyChild, lParam);
    return TRUE;
}

// Windows of this process: top-level ones with all their descendants, and
// message-only ones. The thread's IME window comes and goes with its first
// and last window: keep one window open across a comparison.
inline long Windows()
{
    CWindowTally tally = {GetCurrentProcessId(), 0};
    EnumWindows(TallyTop, (LPARAM)&tally);
    for (HWND wnd = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); wnd;
         wnd = FindWindowExW(HWND_MESSAGE, wnd, nullptr, nullptr))
        TallyTop(wnd, (LPARAM)&tally);
    return tally.n;
}

// Kernel handles: the handle values (multiples of 4) that are open. The
// table is dense from the bottom, so the probe ends after a long empty run.
inline long KernelHandles()
{
    long n = 0;
    ULONG_PTR misses = 0;
    for (ULONG_PTR value = 4; misses < 4096; value += 4) {
        DWORD flags;
        if (GetHandleInformation((HANDLE)value, &flags)) {
            ++n;
            misses = 0;
        } else {
            ++misses;
        }
    }
    return n;
}

// Free TLS indexes: how many more TlsAlloc could give (about 1,088 in all).
inline long FreeTlsIndexes()
{
    DWORD taken[1100];
    long n = 0;
    for (DWORD index; n < 1100 && (index = TlsAlloc()) != TLS_OUT_OF_INDEXES;)
        taken[n++] = index;
    for (long i = 0; i < n; ++i)
        TlsFree(taken[i]);
    return n;
}

} // namespace ResourceCount
