#include "FocusClass.h"

namespace {

const WCHAR* const EditClasses[] = {
    L"TAltEdit", L"Edit", L"TInEdit", L"TMemo", L"TEdit", L"TMyMemo", L"TTabEdit",
};

} // namespace

bool HasClass(HWND window, LPCWSTR name, bool ignoreCase)
{
    WCHAR text[64] = {};
    if (!window || !GetClassNameW(window, text, 64))
        return false;
    return (ignoreCase ? lstrcmpiW(text, name) : lstrcmpW(text, name)) == 0;
}

UINT ClassifyFocus(HWND window)
{
    if (!window)
        return 0;
    UINT result = 0;
    for (const WCHAR* name : EditClasses) {
        if (HasClass(window, name)) {
            result |= FocusEdit;
            break;
        }
    }
    HWND top = window;
    while ((GetWindowLongPtrW(top, GWL_STYLE) & WS_CHILD) != 0) {
        HWND parent = GetParent(top);
        if (!parent)
            break;
        top = parent;
    }
    result |= HasClass(top, L"TTOTAL_CMD") ? FocusHostMain : FocusOtherTopLevel;
    return result;
}

HWND TopLevelParent(HWND window)
{
    // Bounded: a parent chain is never this deep, and a broken one must not hang the host.
    for (int depth = 0; window && depth < 256; ++depth) {
        HWND parent = GetParent(window);
        if (!parent)
            return window;
        window = parent;
    }
    return window;
}
