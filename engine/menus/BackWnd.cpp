#include "BackWnd.h"
#include <cwchar>
#include <new>
#include "ColorGradient.h"
#include "IconMenu.h"
#include "IconMenuShared.h"

namespace {

const int ClassNameLength = 260;
const WCHAR MenuWindowClass[] = L"#32768";

int& LiveObjects()
{
    static int live = 0;
    return live;
}

} // namespace

CBackWnd::CBackWnd(BOOL visualStyles) : m_visualStyles(visualStyles)
{
    ++LiveObjects();
}

CBackWnd::~CBackWnd()
{
    --LiveObjects();
}

int CBackWnd::LiveCount()
{
    return LiveObjects();
}

LRESULT CALLBACK CBackWnd::TrackingHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call && call->message == WM_CREATE && !CIconMenuShared::ContextMenuShown()) {
        WCHAR name[ClassNameLength] = {};
        if (::GetClassNameW(call->hwnd, name, ClassNameLength) && wcscmp(name, MenuWindowClass) == 0) {
            CBackWnd* back = new (std::nothrow) CBackWnd(CIconMenuShared::VisualStyles());
            if (back && !back->SubclassWindow(call->hwnd))
                delete back;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CBackWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(wParam, lParam);
    case WM_ERASEBKGND:
        return OnEraseBkgnd(wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CBackWnd::PostNcDestroy()
{
    delete this;
}

LRESULT CBackWnd::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1)
        return -1;
    // Classic (unthemed) menus are sent a key-up of no key when they open.
    if (!m_visualStyles)
        SendMessage(WM_KEYUP, 0, 0);
    return 0;
}

LRESULT CBackWnd::OnEraseBkgnd(WPARAM wParam, LPARAM)
{
    CIconMenu* menu = CIconMenu::FromHandle(reinterpret_cast<HMENU>(SendMessage(MN_GETHMENU)));
    if (!menu || !wParam)
        return Default();
    SendMessage(WM_NCPAINT, 1);
    CRect client;
    GetClientRect(&client);
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    FillGradient(&dc, &client, menu->GetColors().menu1st, menu->GetColors().menu2nd, 1);
    dc.Detach();
    return TRUE;
}
