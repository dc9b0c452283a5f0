// A small content plug-in (HostModelProbe.dll) that the stand-in host loads
// so that the host model runs inside the host's process: it subclasses the
// host main window, answers the probe message and captures popups there.
#pragma once
#include <windows.h>

const wchar_t* const ProbeMessageName = L"HostModelProbe-{5c0f4f7e-2b1e-4b53-9d3b-0d6c0b8a4e11}";

enum ProbeOp {
    // Both scans in the host's process. Answer: bit 0 query scan passed,
    // bit 1 walk passed, bit 2 they agree on every field both fill.
    ProbeCompareScans = 1,
    // QueryHostMenuIndex on the tab control of a side. lParam: MAKELPARAM(flags, position);
    // the answer is ProbeAnswerBase + the captured position (0 stays a failed send).
    ProbeQueryMenu = 2,
    // The answer of a second query asked from inside the popup of the last ProbeQueryMenu.
    ProbeNestedResult = 3,
    // lParam scans of the walk (ProbeTimeWalk) or the query scan (ProbeTimeQuery);
    // the answer is their total time in microseconds, -1 when a scan failed.
    ProbeTimeWalk = 4,
    ProbeTimeQuery = 5,
};

const LRESULT ProbeAnswerBase = 1000;

// Flags of ProbeQueryMenu.
const int ProbeRightSide = 1;
const int ProbeReversed = 2;
const int ProbeAskNested = 4;

inline UINT ProbeMessage() { return RegisterWindowMessageW(ProbeMessageName); }
