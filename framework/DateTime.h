// CTime: a point in time in whole seconds, formatted in the local time zone.
#pragma once

#include <ctime>
#include "Strings.h"

// The system headers' old name for GetTickCount would hide the member below.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class CTime
{
public:
    CTime() {}
    explicit CTime(time_t t) : m_time(t) {}
    static CTime GetCurrentTime() { return CTime(::time(nullptr)); }
    time_t GetTime() const { return m_time; }

    // strftime fields (%c: the locale's date and time) in full; empty when
    // the time cannot be expressed.
    CString Format(LPCWSTR pszFormat) const;

private:
    time_t m_time = 0;
};
