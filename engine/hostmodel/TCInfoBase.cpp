// Rescan and the query scan: the host answers a child window for each code.
#include "TCInfo.h"
#include <cwchar>

void ReadWindowClass(HWND wnd, wchar_t (&name)[64])
{
    name[0] = 0;
    if (GetClassNameW(wnd, name, 64) <= 0)
        name[0] = 0;
    name[63] = 0;
}

bool CTCInfoBase::Rescan(HWND main)
{
    if (!main)
        main = this->main;
    Clear();
    m_failure = ScanFailure::None;
    m_failedSide = -1;
    if (!main || !IsWindow(main))
        return Fail(ScanFailure::NoMainWindow);
    wchar_t cls[64];
    ReadWindowClass(main, cls);
    if (wcscmp(cls, L"TTOTAL_CMD") != 0)
        return Fail(ScanFailure::NotHostWindow);
    this->main = main;
    threadId = GetWindowThreadProcessId(main, &processId);
    if (!Scan())
        return false;
    valid = 1;
    return true;
}

bool CTCInfoBase::Scan()
{
    for (int code = HostQueryFirstCode; code <= HostQueryLastCode; ++code) {
        if (code == 24 || code == 25) {
            // Asked and read as the host expects; the engine keeps nothing of it.
            HWND answer = (HWND)SendMessageW(main, HostQueryMessage, code, 0);
            wchar_t text[SnapshotTextLength];
            text[0] = 0;
            if (answer)
                GetWindowTextW(answer, text, SnapshotTextLength);
            continue;
        }
        bool required = false;
        HWND* field = SnapshotFieldForCode(*this, code, &required);
        if (!field)
            continue;  // codes the engine does not ask (3, 4)
        *field = (HWND)SendMessageW(main, HostQueryMessage, code, 0);
        if (!*field && required)
            return Fail(ScanFailure::RequiredMissing);
    }
    if (commandCombo && !commandEdit)
        commandEdit = GetWindow(commandCombo, GW_CHILD);
    if (!commandEdit)
        return Fail(ScanFailure::NoCommandLine);
    return true;
}
