#include "WindowWatch.h"
#include "TCInfo.h"
#include <cwchar>

WatchAction ClassifyWatchedMessage(UINT msg, LPCWSTR className, const WatchSwitches& switches)
{
    LPCWSTR cls = className ? className : L"";
    bool lister = _wcsicmp(cls, L"TLister") == 0;
    if (msg == WM_CLOSE)
        return lister && switches.checkMultiLister ? WatchAction::SubclassLister : WatchAction::None;
    if (msg != WM_CREATE)
        return WatchAction::None;
    if (_wcsicmp(cls, L"#32770") == 0 || _wcsicmp(cls, L"Edit") == 0)
        return WatchAction::None;
    if (lister && switches.closeAllListers)
        return WatchAction::AddListerItems;
    if (_wcsicmp(cls, L"TQUICKSEARCH") == 0)
        return WatchAction::QuickSearch;
    return WatchAction::TreeCheck;
}

WatchAction ClassifyWatchedMessage(const CWPSTRUCT& sent, const WatchSwitches& switches)
{
    if (sent.message != WM_CREATE && sent.message != WM_CLOSE)
        return WatchAction::None;
    wchar_t cls[64];
    ReadWindowClass(sent.hwnd, cls);
    return ClassifyWatchedMessage(sent.message, cls, switches);
}
