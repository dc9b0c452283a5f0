// CWaitCursor: the hourglass while the object lives; the cursor shown
// before comes back when it goes.
#pragma once

#include <windows.h>

class CWaitCursor
{
public:
    CWaitCursor() : m_previous(::SetCursor(::LoadCursorW(nullptr, (LPCWSTR)IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
