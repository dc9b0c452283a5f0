// The grid's own default texts.
#include "GridTexts.h"

CString GridDefaultText(UINT nID)
{
    static const struct
    {
        UINT id;
        LPCWSTR text;
    } texts[] = {
        { TextCanContain, L"CAN contain" },
        { TextMustContain, L"MUST contain" },
        { TextNotContains, L"NOT contains" },
    };
    for (const auto& t : texts)
        if (t.id == nID)
            return t.text;
    return CString();
}
