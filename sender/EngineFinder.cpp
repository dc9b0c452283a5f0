#include "EngineFinder.h"
#include "TCProtocol.h"

#include <tlhelp32.h>

namespace {

bool HasClass(HWND hwnd, const wchar_t* className)
{
    wchar_t name[257] = {};
    int length = GetClassNameW(hwnd, name, 257);
    return length > 0 && CompareStringOrdinal(name, length, className, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

bool GetParentProcessId(DWORD processId, DWORD* parent)
{
    *parent = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == processId) {
            *parent = entry.th32ParentProcessID;
            break;
        }
    }
    CloseHandle(snapshot);
    return true;
}

BOOL CALLBACK FindEngineWindowProc(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<EngineWindowSearch*>(param);
    if (search->mode == 1) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != search->processId || !HasClass(hwnd, HostMainClassName))
            return TRUE;
    } else if (!HasClass(hwnd, DispatcherClassName)) {
        return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}

HWND FindDispatcherOfProcess(DWORD processId)
{
    EngineWindowSearch host = {1, processId, nullptr};
    EnumWindows(FindEngineWindowProc, reinterpret_cast<LPARAM>(&host));
    if (!host.found)
        return nullptr;
    DWORD thread = GetWindowThreadProcessId(host.found, nullptr);
    EngineWindowSearch dispatcher = {2, processId, nullptr};
    EnumThreadWindows(thread, FindEngineWindowProc, reinterpret_cast<LPARAM>(&dispatcher));
    return dispatcher.found;
}

FindResult FindEngineDispatcher(DWORD startProcessId, HWND* dispatcher, DWORD* error,
                                ParentLookup parentOf, DispatcherLookup dispatcherOf)
{
    *dispatcher = nullptr;
    *error = 0;
    DWORD visited[kMaxAncestorSteps + 1];
    int count = 0;
    visited[count++] = startProcessId;
    DWORD current = startProcessId;
    for (int step = 0; step < kMaxAncestorSteps; ++step) {
        DWORD parent = 0;
        if (!parentOf(current, &parent)) {
            *error = GetLastError();
            return FindResult::SnapshotFailed;
        }
        if (parent == 0)
            return FindResult::NotFound;
        for (int i = 0; i < count; ++i) {
            if (visited[i] == parent)
                return FindResult::NotFound;
        }
        visited[count++] = parent;
        if (HWND found = dispatcherOf(parent)) {
            *dispatcher = found;
            return FindResult::Found;
        }
        current = parent;
    }
    return FindResult::NotFound;
}
