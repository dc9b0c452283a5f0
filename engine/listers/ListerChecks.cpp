#include "ListerChecks.h"
#include "EngineContext.h"
#include "EngineSettings.h"
#include "Framework.h"

namespace {

BOOL CALLBACK CountVisibleListers(HWND window, LPARAM count)
{
    WCHAR name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, L"TLister") == 0 && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

} // namespace

bool ConfirmHostClose(CEngineContext& engine)
{
    if (!engine.Settings().CheckCloseTC)
        return true;
    int listers = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountVisibleListers, reinterpret_cast<LPARAM>(&listers));
    if (listers == 0)
        return true;
    CString text = engine.LoadText(120);
    if (text.IsEmpty())
        text = L"There are %d open Lister(s).|Exit TC anyway?";
    // The count goes in by replacement: a localised text is no format string.
    WCHAR number[16];
    wsprintfW(number, L"%d", listers);
    text.Replace(L"%d", number);
    text.Replace(L"|", L"\n");
    return AfxGetPromptService().MessageBox(engine.Host().mainWindow, text, L"Merovin", MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}
