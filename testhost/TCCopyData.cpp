#include "TCCopyData.h"

bool ParseChangeDir(const BYTE* data, DWORD size, CTCChangeDir& out, std::wstring& reason)
{
    out = CTCChangeDir();
    if (!data || size == 0) { reason = L"empty"; return false; }
    DWORD i = 0;
    if (data[0] == 13) {
        out.second = true;
        i = 1;
    }
    if (size < i + 3 || data[i] != 0xEF || data[i + 1] != 0xBB || data[i + 2] != 0xBF) {
        reason = L"no UTF-8 mark";
        return false;
    }
    i += 3;
    DWORD start = i;
    while (i < size && data[i] != 13 && data[i] != 0)
        ++i;
    if (i >= size) { reason = L"path not terminated"; return false; }
    DWORD end = i;
    if (data[i] == 13) {
        if (out.second) { reason = L"both leading and trailing CR"; return false; }
        ++i;
    } else if (!out.second) {
        reason = L"neither leading nor trailing CR";
        return false;
    }
    if (i >= size || data[i] != 0) { reason = L"no zero after the path"; return false; }
    ++i;
    DWORD flagsEnd = i;
    while (flagsEnd < size && data[flagsEnd] != 0)
        ++flagsEnd;
    if (flagsEnd >= size) { reason = L"flags not terminated"; return false; }
    for (DWORD k = i; k < flagsEnd; ++k) {
        if (data[k] == 'S') out.source = true;
        else if (data[k] == 'A') out.always = true;
        else if (data[k] == 'T') out.newTab = true;
    }
    if (end == start) { reason = L"empty path"; return false; }
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, (const char*)data + start, (int)(end - start), nullptr, 0);
    if (n <= 0) { reason = L"invalid UTF-8"; return false; }
    out.path.assign(n, L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, (const char*)data + start, (int)(end - start), &out.path[0], n);
    return true;
}

bool ParseUserCommand(const BYTE* data, DWORD size, std::string& name, std::wstring& reason)
{
    if (!data || size < 2) { reason = L"too short"; return false; }
    DWORD n = 0;
    while (n < size && data[n] != 0)
        ++n;
    if (n >= size) { reason = L"no terminating zero"; return false; }
    if (n == 0) { reason = L"empty name"; return false; }
    name.assign((const char*)data, n);
    return true;
}

bool ParseGetPath(const BYTE* data, DWORD size, int& side, std::wstring& reason)
{
    if (!data || size < 2) { reason = L"too short"; return false; }
    if (size > 3 || (size == 3 && data[2] != 0)) { reason = L"too long"; return false; }
    if (data[1] != 'P' || (data[0] != 'L' && data[0] != 'R')) { reason = L"not LP or RP"; return false; }
    side = data[0] == 'L' ? 0 : 1;
    return true;
}
