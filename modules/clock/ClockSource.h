// Where the clock takes the local time and the millisecond tick from. The
// window uses the system's; tests put in a source of their own.
#pragma once
#include <windows.h>

class CClockSource
{
public:
    virtual ~CClockSource() {}
    virtual void GetLocalTime(SYSTEMTIME* time) = 0;
    virtual DWORD GetTickCount() = 0;
};

class CSystemClock : public CClockSource
{
public:
    void GetLocalTime(SYSTEMTIME* time) override { ::GetLocalTime(time); }
    DWORD GetTickCount() override { return ::GetTickCount(); }
};
