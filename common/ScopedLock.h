// Holds a critical section for the lifetime of the object.
#pragma once
#include <windows.h>

class CScopedLock
{
public:
    explicit CScopedLock(CRITICAL_SECTION& section) : m_section(section) { ::EnterCriticalSection(&m_section); }
    ~CScopedLock() { ::LeaveCriticalSection(&m_section); }
    CScopedLock(const CScopedLock&) = delete;
    CScopedLock& operator=(const CScopedLock&) = delete;

private:
    CRITICAL_SECTION& m_section;
};
