// Formatting of localised message texts.
#include "ModelTexts.h"

CString FormatLocalText(LPCWSTR lpszFormat, LPCWSTR lpszFirst, LPCWSTR lpszSecond)
{
    CString text;
    LPCWSTR args[2] = { lpszFirst, lpszSecond };
    int next = 0;
    for (LPCWSTR p = lpszFormat ? lpszFormat : L""; *p; ++p) {
        if (p[0] == L'%' && p[1] == L's') {
            if (next < 2 && args[next])
                text += args[next];
            ++next;
            ++p;
        } else if (p[0] == L'%' && p[1] == L'%') {
            text += L'%';
            ++p;
        } else {
            text += *p;
        }
    }
    return text;
}
