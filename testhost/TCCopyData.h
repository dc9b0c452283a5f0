// Parsing of the WM_COPYDATA blocks the host accepts. Every parser reads only
// within cbData and never relies on a terminating zero it has not found.
#pragma once
#include <windows.h>
#include <string>

// A "CD" block: [13] EF BB BF <UTF-8 path> [13] 0 <flags> 0.
struct CTCChangeDir {
    bool second = false;   // leading CR: the path is the second one (right / target)
    std::wstring path;
    bool source = false;   // "S": first/second mean source/target
    bool always = false;   // "A"
    bool newTab = false;   // "T"
};

// Returns false and a reason for a malformed block.
bool ParseChangeDir(const BYTE* data, DWORD size, CTCChangeDir& out, std::wstring& reason);

// An "em_" user-command name: ANSI text with its zero inside cbData.
bool ParseUserCommand(const BYTE* data, DWORD size, std::string& name, std::wstring& reason);

// A "GW" request: "LP" or "RP" (a trailing zero is allowed). side 0 left, 1 right.
bool ParseGetPath(const BYTE* data, DWORD size, int& side, std::wstring& reason);
