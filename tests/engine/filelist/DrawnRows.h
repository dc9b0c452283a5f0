// The names the stand-in host drew in each row of a file list when the list
// was painted now (from the host's draw log).
#pragma once
#include <windows.h>
#include <map>
#include <string>
#include "HostDriver.h"

inline std::map<int, std::wstring> DrawnRows(CHostDriver& host, HWND list, int rowHeight = 16)
{
    size_t mark = host.LogMark();
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    host.Flush();
    // A marked row is drawn into a bitmap of its own at 0,0: it is the row
    // after the one painted before it.
    std::map<int, std::wstring> rows;
    int row = -1;
    for (const CHostLogEntry& draw : host.LogSince(mark, L"draw")) {
        if (draw.Int(L"side") != 0 || draw.Int(L"dc") == OBJ_ENHMETADC)
            continue;
        row = draw.Int(L"dc") == OBJ_MEMDC ? row + 1 : (int)draw.Int(L"top") / rowHeight;
        rows[row] = draw.Get(L"name");
    }
    return rows;
}
