// tcshot.dll: screenshots of another program's windows for the tour. Under
// the null display driver a window's pixels can be read only inside its own
// process, so the tour hooks the other program's GUI thread with this
// library (the system loads it into that process) and posts the window
// "TCTourShot" with a global atom naming the PNG file. The hook writes the
// picture next to that name and then renames it, so the tour never sees a
// half-written file.
#include "TCShot.h"
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK TourShotHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT shotMessage = RegisterWindowMessageW(L"TCTourShot");
    auto* msg = (MSG*)lParam;
    if (code == HC_ACTION && wParam == PM_REMOVE && msg && msg->message == shotMessage) {
        wchar_t path[MAX_PATH] = L"";
        if (GlobalGetAtomNameW((ATOM)msg->wParam, path, MAX_PATH)) {
            std::wstring part = std::wstring(path) + L".part";
            if (SaveHostPng(GetAncestor(msg->hwnd, GA_ROOT), part))
                MoveFileExW(part.c_str(), path, MOVEFILE_REPLACE_EXISTING);
            else
                DeleteFileW(part.c_str());
        }
        msg->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
