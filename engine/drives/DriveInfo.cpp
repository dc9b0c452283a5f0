#include "DriveInfo.h"
#include <string.h>

namespace {

const DWORD NetBufferSize = 16384;

const NetworkSource SystemNet = {WNetOpenEnumW, WNetEnumResourceW, WNetCloseEnum};

} // namespace

const NetworkSource& SystemNetworkSource()
{
    return SystemNet;
}

void CDriveInfo::Clear()
{
    memset(m_entries, 0, sizeof m_entries);
    m_mask = 0;
}

const CDriveInfo::Entry& CDriveInfo::EntryOf(WCHAR letter) const
{
    int index = LetterIndex(letter);
    return m_entries[index < 0 ? 26 : index];
}

int CDriveInfo::Refresh()
{
    Clear();
    int network = ScanNetwork();
    int local = ScanLocal(!network);
    return network && local ? 1 : 0;
}

int CDriveInfo::ScanLocal(bool takeRemote)
{
    DWORD logical = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(logical & (1u << i)))
            continue;
        WCHAR root[3] = {WCHAR(L'A' + i), L':', 0};
        UINT type = GetDriveTypeW(root);
        if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR)
            continue;
        if (type == DRIVE_REMOTE && (!takeRemote || (m_mask & (1u << i))))
            continue;
        m_entries[i].type = type;
        m_entries[i].connected = 1;
        m_mask |= 1u << i;
    }
    return 1;
}

int CDriveInfo::ScanNetwork()
{
    BYTE* buffer = static_cast<BYTE*>(GlobalAlloc(GPTR, NetBufferSize));
    if (!buffer)
        return 0;
    DWORD last = ERROR_NO_MORE_ITEMS;
    const DWORD scopes[2] = {RESOURCE_REMEMBERED, RESOURCE_CONNECTED};
    for (DWORD pass = 0; pass < 2; ++pass) {
        HANDLE handle = nullptr;
        last = m_net->open(scopes[pass], RESOURCETYPE_DISK, 0, nullptr, &handle);
        if (last != NO_ERROR)
            break;
        for (;;) {
            memset(buffer, 0, NetBufferSize);
            DWORD count = DWORD(-1), size = NetBufferSize;
            last = m_net->enumerate(handle, &count, buffer, &size);
            if (last != NO_ERROR)
                break;
            const NETRESOURCEW* resources = reinterpret_cast<const NETRESOURCEW*>(buffer);
            for (DWORD i = 0; i < count && (i + 1) * sizeof(NETRESOURCEW) <= NetBufferSize; ++i) {
                LPCWSTR local = resources[i].lpLocalName;
                if (!local || local[0] < L'A' || local[0] > L'Z')
                    continue;
                Entry& entry = m_entries[local[0] - L'A'];
                entry.type = DRIVE_REMOTE;
                entry.connected = pass;
                memset(entry.remote, 0, sizeof entry.remote);
                if (resources[i].lpRemoteName)
                    wcsncpy(entry.remote, resources[i].lpRemoteName, 260);
                m_mask |= 1u << (local[0] - L'A');
            }
        }
        m_net->close(handle);
        if (last != ERROR_NO_MORE_ITEMS)
            break; // a pass that ended in an error ends the scan
    }
    GlobalFree(buffer);
    return last == ERROR_NO_MORE_ITEMS ? 1 : 0;
}
