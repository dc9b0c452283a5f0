#include "HostTreeSnapshot.h"
#include <cstring>

void HostTreeSnapshot::Clear()
{
    memset(this, 0, sizeof *this);
}

HWND* SnapshotFieldForCode(HostTreeSnapshot& s, int code, bool* required)
{
    if (required)
        *required = code == 1 || code == 2 || code == 15 || code == 16;
    switch (code) {
    case 1: return &s.fileList[0];
    case 2: return &s.fileList[1];
    case 5: return &s.bar3[0];
    case 6: return &s.bar3[1];
    case 7: return &s.bar1[0];
    case 8: return &s.bar1[1];
    case 9: return &s.bar2[0];
    case 10: return &s.bar2[1];
    case 11: return &s.bar4[0];
    case 12: return &s.bar4[1];
    case 13: return &s.driveCombo[0];
    case 14: return &s.driveCombo[1];
    case 15: return &s.panel[0];
    case 16: return &s.panel[1];
    case 17: return &s.bottomBar;
    case 18: return &s.hostWindow18;
    case 19: return &s.hostWindow19;
    case 20: return &s.commandCombo;
    case 21: return &s.afterCommandLine;
    case 22: return &s.hostWindow22;
    case 23: return &s.hostWindow23;
    case 26: return &s.tabs[0];
    case 27: return &s.tabs[1];
    case 28: return &s.buttonBar;
    case 29: return &s.hostWindow29;
    default: return nullptr;
    }
}

HWND SnapshotWindowForCode(const HostTreeSnapshot& snap, int code)
{
    HWND* field = SnapshotFieldForCode(const_cast<HostTreeSnapshot&>(snap), code);
    return field ? *field : nullptr;
}
