#include "StickyNames.h"

int ReadStickyNames(LPCWSTR stickyFile, LPCWSTR folder, CStringArray& names)
{
    if (!stickyFile || !*stickyFile || !folder || !*folder)
        return 0;
    // A section counts when it holds any line; a short buffer tells that.
    WCHAR probe[4] = {};
    if (::GetPrivateProfileSectionW(folder, probe, 4, stickyFile) == 0)
        return 0;
    int read = 0;
    for (int key = 1; key <= StickyNamesMax; ++key) {
        WCHAR keyText[8];
        wsprintfW(keyText, L"%d", key);
        WCHAR value[1024] = {};
        ::GetPrivateProfileStringW(folder, keyText, L"", value, 1024, stickyFile);
        if (!value[0])
            break;
        names.Add(value);
        ++read;
    }
    return 1 + read;
}
