// CDriveInfo: the type of every drive letter A to Z and whether it is in use,
// from the local logical drives and the user's network connections
// (remembered and connected). A drive menu refreshes it each time it opens.
#pragma once
#include <windows.h>
#include <winnetwk.h>

// The network enumeration functions; the default is the system's (mpr).
struct NetworkSource {
    DWORD (WINAPI* open)(DWORD scope, DWORD type, DWORD usage, LPNETRESOURCEW resource, LPHANDLE handle);
    DWORD (WINAPI* enumerate)(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD size);
    DWORD (WINAPI* close)(HANDLE handle);
};
const NetworkSource& SystemNetworkSource();

class CDriveInfo {
public:
    struct Entry {
        DWORD type;       // GetDriveTypeW's value; 4 remote
        DWORD connected;  // 0 for a remembered network letter that is not connected
        WCHAR remote[261];
    };

    CDriveInfo() { Clear(); }
    virtual ~CDriveInfo() {}

    void SetNetworkSource(const NetworkSource* source) { m_net = source ? source : &SystemNetworkSource(); }

    void Clear();
    // Clear, the network scan, the local scan; 1 only when both succeed.
    int Refresh();
    DWORD DriveMask() const { return m_mask; }
    // The type of the path's first character: 0 for anything but "A" to "Z".
    DWORD DriveType(LPCWSTR path) const { return EntryOf(path ? path[0] : 0).type; }
    const Entry& EntryOf(WCHAR letter) const;
    static int LetterIndex(WCHAR letter) { return letter >= L'A' && letter <= L'Z' ? letter - L'A' : -1; }

    // The letters of logical drives; network letters only when the network
    // scan failed (a mapped drive then keeps its place).
    int ScanLocal(bool takeRemote);
    int ScanNetwork();

private:
    Entry m_entries[27];  // the last one is the spare, always zero
    DWORD m_mask;
    const NetworkSource* m_net = &SystemNetworkSource();
};
