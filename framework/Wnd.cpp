// CWnd: lookup, creation, subclassing and message dispatch.
#include "Wnd.h"
#include "Menu.h"
#include "ThreadState.h"
#include "WinApp.h"
#include "ThisModule.h"
#include <initializer_list>

namespace {


// Property names are unique per module: "FwWnd.<module>" holds the object,
// "FwSuper.<module>" the procedure our subclass replaced (kept so that our
// procedure can pass messages on even after its object has let go). They are
// used as global atoms, which saves the system a name look-up on every
// message; AfxTermWndLookup deletes them when the module is unloaded.
volatile SHORT g_objectAtom = 0;
volatile SHORT g_superAtom = 0;

LPCWSTR PropAtom(volatile SHORT& atom, LPCWSTR prefix)
{
    if (!atom) {
        WCHAR name[48];
        _snwprintf(name, 48, L"%ls.%p", prefix, (void*)ThisModule());
        name[47] = 0;
        ATOM added = ::GlobalAddAtomW(name);
        // Two threads may get here at once: keep one reference only.
        if (added && InterlockedCompareExchange16(&atom, (SHORT)added, 0) != 0)
            ::GlobalDeleteAtom(added);
    }
    return MAKEINTATOM((ATOM)atom);
}

LPCWSTR ObjectProp()
{
    return PropAtom(g_objectAtom, L"FwWnd");
}

LPCWSTR SuperProp()
{
    return PropAtom(g_superAtom, L"FwSuper");
}

// What CreateEx hands to a window of a framework class through
// lpCreateParams; the dispatcher swaps the caller's own lpParam back in.
struct CreatePacket
{
    DWORD magic;
    CWnd* pWnd;
    LPVOID lpParam;
};
const DWORD kPacketMagic = 0x46775063; // "cPwF"

} // namespace

IMPLEMENT_DYNAMIC(CWnd, CObject)

void AfxTermWndLookup()
{
    for (volatile SHORT* slot : { &g_objectAtom, &g_superAtom }) {
        SHORT a = *slot;
        if (a && InterlockedCompareExchange16(slot, 0, a) == a)
            ::GlobalDeleteAtom((ATOM)a);
    }
}

CWnd::~CWnd()
{
    for (Frame* f = m_pFrame; f; f = f->pPrev)
        f->deleted = true;
    for (ModalState* m = m_pModal; m; m = m->pPrev)
        m->deleted = true;
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        if (m_pfnSuper)
            UnsubclassWindow();
        else
            Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    // The application object's map answers without asking the system; the
    // window property serves a deliverable without one.
    if (CWinApp* app = AfxGetApp())
        return app->LookupWindow(hWnd);
    return static_cast<CWnd*>(::GetPropW(hWnd, ObjectProp()));
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd))
        return p;
    CWinApp* app = AfxGetApp();
    return app ? app->GetTempWnd(hWnd) : nullptr;
}

void CWnd::AttachHandle(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetPropW(hWnd, ObjectProp(), this);
    if (CWinApp* app = AfxGetApp())
        app->SetWindowObject(hWnd, this);
}

void CWnd::DropLookup(HWND hWnd)
{
    if (::GetPropW(hWnd, ObjectProp()) == this)
        ::RemovePropW(hWnd, ObjectProp());
    CWinApp* app = AfxGetApp();
    if (app && app->LookupWindow(hWnd) == this)
        app->SetWindowObject(hWnd, nullptr);
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (m_hWnd || !::IsWindow(hWnd) || FromHandlePermanent(hWnd))
        return FALSE;
    AttachHandle(hWnd);
    return TRUE;
}

HWND CWnd::Detach()
{
    // A subclassed window keeps our procedure, which passes everything on.
    HWND h = m_hWnd;
    if (h)
        DropLookup(h);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd || !::IsWindow(hWnd) || FromHandlePermanent(hWnd) || ::GetPropW(hWnd, SuperProp()))
        return FALSE;
    AttachHandle(hWnd);
    WNDPROC old = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)&CWnd::StdWndProc);
    if (!old) {
        Detach();
        return FALSE;
    }
    // A window of a framework class that lost its object: its own procedure
    // is ours already, so the next one down is the default procedure.
    m_pfnSuper = old == &CWnd::StdWndProc ? &::DefWindowProcW : old;
    ::SetPropW(hWnd, SuperProp(), (HANDLE)m_pfnSuper);
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent)
        return FALSE;
    HWND h = ::GetDlgItem(pParent->m_hWnd, nID);
    return h ? SubclassWindow(h) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND h = m_hWnd;
    if (!h)
        return nullptr;
    if (m_pfnSuper) {
        WNDPROC cur = (WNDPROC)::GetWindowLongPtrW(h, GWLP_WNDPROC);
        if (cur == &CWnd::StdWndProc) {
            ::SetWindowLongPtrW(h, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
            ::RemovePropW(h, SuperProp());
        }
        // Otherwise a later procedure still calls ours: the "FwSuper"
        // property stays, so ours keeps passing messages down the chain.
    }
    m_pfnSuper = nullptr;
    return Detach();
}

CString AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    HINSTANCE hInst = ThisModule();
    CString name;
    name.Format(L"FwWnd.%p.%x.%p.%p.%p", (void*)hInst, nClassStyle, (void*)hCursor, (void*)hbrBackground,
                (void*)hIcon);
    WNDCLASSEXW wc = { sizeof(wc) };
    if (::GetClassInfoExW(hInst, name, &wc)) {
        if (wc.lpfnWndProc == &CWnd::StdWndProc)
            return name;
        // Left behind by an earlier module at this address.
        ::UnregisterClassW(name, hInst);
    }
    wc = { sizeof(wc) };
    wc.style = nClassStyle;
    wc.lpfnWndProc = &CWnd::StdWndProc;
    wc.hInstance = hInst;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    if (!::RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return CString();
    return name;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW&)
{
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

int CWnd::GetScrollLimit(int nBar) const
{
    SCROLLINFO si = { sizeof(si), SIF_RANGE | SIF_PAGE };
    if (!::GetScrollInfo(m_hWnd, nBar, &si))
        return 0;
    int page = (int)si.nPage - 1;
    return si.nMax - (page > 0 ? page : 0);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTW cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = ThisModule();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
        return FALSE;

    CString defaultClass;
    if (!cs.lpszClass || (!IS_INTRESOURCE(cs.lpszClass) && !*cs.lpszClass)) {
        defaultClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1));
        if (defaultClass.IsEmpty())
            return FALSE;
        cs.lpszClass = defaultClass;
    }

    WNDCLASSEXW wc = { sizeof(wc) };
    bool ours = ::GetClassInfoExW(cs.hInstance, cs.lpszClass, &wc) && wc.lpfnWndProc == &CWnd::StdWndProc;
    CreatePacket packet = { kPacketMagic, this, cs.lpCreateParams };
    HWND h;
    if (ours) {
        h = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx, cs.cy,
                              cs.hwndParent, cs.hMenu, cs.hInstance, &packet);
    } else {
        CCreationHook hook(this);
        h = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx, cs.cy,
                              cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    // On failure the object may already be gone (a failed WM_CREATE destroys
    // the window, and PostNcDestroy may delete the object): don't touch it.
    if (!h)
        return FALSE;
    if (ours || FromHandlePermanent(h) == this)
        return TRUE;
    // The hook could not be set: subclass now, after creation.
    if (!SubclassWindow(h)) {
        ::DestroyWindow(h);
        return FALSE;
    }
    return TRUE;
}

CCreationHook::CCreationHook(CWnd* pWnd)
{
    AFX_THREAD_STATE* ts = AfxGetThreadState();
    m_pPrevInit = ts->pWndInit;
    m_bHooked = false;
    if (!ts->hCreationHook) {
        ts->hCreationHook = ::SetWindowsHookExW(WH_CBT, &CCreationHook::CbtProc, nullptr, ::GetCurrentThreadId());
        if (!ts->hCreationHook) {
            ts->pWndInit = nullptr;
            return;
        }
    }
    ++ts->nCreationDepth;
    m_bHooked = true;
    ts->pWndInit = pWnd;
}

CCreationHook::~CCreationHook()
{
    AFX_THREAD_STATE* ts = AfxGetThreadState();
    ts->pWndInit = m_pPrevInit;
    if (m_bHooked && --ts->nCreationDepth == 0) {
        ::UnhookWindowsHookEx(ts->hCreationHook);
        ts->hCreationHook = nullptr;
    }
}

LRESULT CALLBACK CCreationHook::CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* ts = AfxGetThreadState();
    if (nCode == HCBT_CREATEWND && ts->pWndInit) {
        HWND h = (HWND)wParam;
        // The system may create the thread's input-method window first.
        WCHAR cls[16] = {};
        bool ime = (::GetClassLongPtrW(h, GCL_STYLE) & CS_IME) ||
                   (::GetClassNameW(h, cls, 16) && lstrcmpiW(cls, L"IME") == 0);
        if (!ime) {
            CWnd* p = ts->pWndInit;
            ts->pWndInit = nullptr;
            if (!p->m_hWnd && !CWnd::FromHandlePermanent(h)) {
                try {
                    p->SubclassWindow(h);
                } catch (...) { // nothing may unwind through the hook chain
                }
            }
        }
    }
    return ::CallNextHookEx(ts->hCreationHook, nCode, wParam, lParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    if (!m_pFrame)
        return 0;
    return DefWindowProc(m_pFrame->message, m_pFrame->wParam, m_pFrame->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::OnCommand(WPARAM, LPARAM)
{
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result))
            return result;
        break;
    }
    case WM_MEASUREITEM:
        if (lParam && reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU &&
            CMenu::RouteMeasureItem(m_hWnd, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_DRAWITEM:
        if (lParam && reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU &&
            CMenu::RouteDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    }
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    if (!pMsg)
        return FALSE;
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        CWnd* p = FromHandlePermanent(h);
        if (p && p->PreTranslateMessage(pMsg))
            return TRUE;
        if (h == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::ReflectChildNotify(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    HWND child = nullptr;
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        child = (HWND)lParam;
        break;
    case WM_NOTIFY:
        if (lParam)
            child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
        break;
    case WM_DRAWITEM:
        if (lParam && reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType != ODT_MENU)
            child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_MEASUREITEM:
        if (lParam && reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlType != ODT_MENU)
            child = ::GetDlgItem(hWndParent, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID);
        break;
    case WM_DELETEITEM:
        if (lParam)
            child = reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_COMPAREITEM:
        if (lParam)
            child = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem;
        break;
    default:
        return FALSE;
    }
    if (!child || child == hWndParent)
        return FALSE;
    CWnd* p = FromHandlePermanent(child);
    if (!p)
        return FALSE;
    LRESULT result = 0;
    if (!p->OnChildNotify(message, wParam, lParam, &result))
        return FALSE;
    if (pResult)
        *pResult = result;
    return TRUE;
}

void CWnd::OnWindowGone()
{
    HWND h = m_hWnd;
    if (m_pfnSuper && (WNDPROC)::GetWindowLongPtrW(h, GWLP_WNDPROC) == &CWnd::StdWndProc)
        ::SetWindowLongPtrW(h, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    ::RemovePropW(h, SuperProp());
    DropLookup(h);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        if (!app->m_bIsDll)
            ::PostQuitMessage(0);
    }
    try {
        PostNcDestroy(); // may delete this
    } catch (...) {
    }
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* p = FromHandlePermanent(hWnd);
    CREATESTRUCTW csCopy;
    if (message == WM_NCCREATE || message == WM_CREATE) {
        // A window of a framework class made by CreateEx: bind its object now
        // and show the handlers the caller's own creation parameter.
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* packet = cs ? static_cast<CreatePacket*>(cs->lpCreateParams) : nullptr;
        if (packet && (WNDPROC)::GetClassLongPtrW(hWnd, GCLP_WNDPROC) == &CWnd::StdWndProc &&
            packet->magic == kPacketMagic) {
            if (!p && message == WM_NCCREATE && !packet->pWnd->m_hWnd) {
                packet->pWnd->AttachHandle(hWnd);
                p = packet->pWnd;
                try {
                    p->PreSubclassWindow();
                } catch (...) {
                }
            }
            csCopy = *cs;
            csCopy.lpCreateParams = packet->lpParam;
            lParam = reinterpret_cast<LPARAM>(&csCopy);
        }
    }
    if (!p) {
        // No object (any more): pass the message on to whatever our subclass
        // replaced, or to the default procedure.
        WNDPROC super = (WNDPROC)::GetPropW(hWnd, SuperProp());
        if (message == WM_NCDESTROY)
            ::RemovePropW(hWnd, SuperProp());
        if (super)
            return ::CallWindowProcW(super, hWnd, message, wParam, lParam);
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }

    Frame frame = { message, wParam, lParam, p->m_pFrame, false };
    p->m_pFrame = &frame;
    LRESULT result = 0;
    // An exception must not unwind through the system's dispatch code.
    try {
        if (!ReflectChildNotify(hWnd, message, wParam, lParam, &result) && !frame.deleted)
            result = p->WindowProc(message, wParam, lParam);
    } catch (...) {
        result = 0;
    }
    if (frame.deleted)
        return result;
    p->m_pFrame = frame.pPrev;
    if (message == WM_NCDESTROY && p->m_hWnd == hWnd)
        p->OnWindowGone();
    return result;
}

void CWnd::GetWindowText(CString& str) const
{
    int n = ::GetWindowTextLengthW(m_hWnd);
    if (n <= 0) {
        str.Empty();
        return;
    }
    // The length may grow between the two calls: read what fits.
    LPWSTR buf = str.GetBufferSetLength(n + 1);
    int got = ::GetWindowTextW(m_hWnd, buf, n + 1);
    str.ReleaseBuffer(got >= 0 ? got : 0);
}

int CWnd::GetDlgItemText(int nID, CString& str) const
{
    HWND h = ::GetDlgItem(m_hWnd, nID);
    if (!h) {
        str.Empty();
        return 0;
    }
    CWnd(h).GetWindowText(str);
    return str.GetLength();
}

CString CWnd::GetClassName() const
{
    WCHAR name[257] = {};
    int n = ::GetClassNameW(m_hWnd, name, 257);
    return CString(name, n > 0 ? n : 0);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetStyle();
    DWORD next = (style & ~dwRemove) | dwAdd;
    if (style == next)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (LONG_PTR)next);
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD style = GetExStyle();
    DWORD next = (style & ~dwRemove) | dwAdd;
    if (style == next)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, (LONG_PTR)next);
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    bool child = (GetStyle() & WS_CHILD) != 0;
    HWND center = pAlternateOwner ? pAlternateOwner->m_hWnd
                                  : (child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    CRect area, target, self;
    ::GetWindowRect(m_hWnd, &self);
    if (child) {
        HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &area);
        target = area;
        if (center && center != parent) {
            ::GetWindowRect(center, &target);
            ::MapWindowPoints(nullptr, parent, (LPPOINT)&target, 2);
        }
    } else {
        MONITORINFO mi = { sizeof(mi) };
        ::GetMonitorInfoW(::MonitorFromWindow(center ? center : m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
        area = mi.rcWork;
        target = area;
        if (center && ::IsWindowVisible(center) && !::IsIconic(center))
            ::GetWindowRect(center, &target);
    }
    int x = (target.left + target.right) / 2 - self.Width() / 2;
    int y = (target.top + target.bottom) / 2 - self.Height() / 2;
    // Keep the window inside the area where it fits.
    if (x + self.Width() > area.right)
        x = area.right - self.Width();
    if (x < area.left)
        x = area.left;
    if (y + self.Height() > area.bottom)
        y = area.bottom - self.Height();
    if (y < area.top)
        y = area.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
