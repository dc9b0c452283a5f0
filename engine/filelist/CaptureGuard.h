// Takes a file list's capturing flag for a scope and gives back what it held.
#pragma once
#include <windows.h>

class CCaptureGuard {
public:
    explicit CCaptureGuard(volatile LONG& flag) : m_flag(flag), m_previous(InterlockedExchange(&flag, 1)) {}
    ~CCaptureGuard() { InterlockedExchange(&m_flag, m_previous); }
    CCaptureGuard(const CCaptureGuard&) = delete;
    CCaptureGuard& operator=(const CCaptureGuard&) = delete;
    // False when the flag was taken already (a rebuild or capture runs).
    bool WasFree() const { return m_previous == 0; }

private:
    volatile LONG& m_flag;
    LONG m_previous;
};
