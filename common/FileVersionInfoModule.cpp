// The engine's extras of CFileVersionInfo: reading a loaded module's version
// and the parts of the file version number.
#include "FileVersionInfo.h"
#include <vector>

BOOL CFileVersionInfo::Create(HMODULE module)
{
    std::vector<WCHAR> name(1024);
    for (;;) {
        DWORD length = GetModuleFileNameW(module, name.data(), (DWORD)name.size());
        if (length == 0) {
            Reset();
            return FALSE;
        }
        if (length < name.size() - 1)
            break;
        if (name.size() >= 32768) {
            Reset();
            return FALSE;
        }
        name.resize(name.size() * 2);
    }
    return Create(name.data());
}

WORD CFileVersionInfo::GetFileVersion(int part) const
{
    switch (part) {
    case 3: return HIWORD(m_fixed.dwFileVersionMS);
    case 2: return LOWORD(m_fixed.dwFileVersionMS);
    case 1: return HIWORD(m_fixed.dwFileVersionLS);
    case 0: return LOWORD(m_fixed.dwFileVersionLS);
    default: return 0;
    }
}
