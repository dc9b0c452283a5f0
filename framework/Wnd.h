// CWnd: a thin object around an HWND.
//
// Lookup: a window that has a CWnd object of its own (made by Create/CreateEx,
// SubclassWindow or Attach) is entered in the application object's window
// map, which FromHandlePermanent reads (every message needs the lookup, and a
// window property would cost a call into the system each time). It also
// carries a window property naming the object, the lookup of a deliverable
// without an application object. The property name includes this module's
// address, so every deliverable that links the framework keeps its own
// objects apart. Nothing else is kept per window: another party (such as the
// engine's own subclassing helper) may chain further window procedures on
// the same window; each CWnd keeps the procedure it replaced in m_pfnSuper.
//
// Messages arrive in the virtual WindowProc. A derived class handles them in
// a plain switch with OnXxx members and passes the rest to the base class,
// which ends in Default() (the replaced or the default window procedure):
//
//     LRESULT CMyWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
//     {
//         switch (msg) {
//         case WM_PAINT: return OnPaint(wParam, lParam);
//         case WM_SIZE:  return OnSize(wParam, lParam);
//         }
//         return CWnd::WindowProc(msg, wParam, lParam);
//     }
//
// Notifications a child sends to its parent (WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM, WM_COMPAREITEM, WM_CTLCOLOR*,
// WM_HSCROLL/WM_VSCROLL from a scroll control) are first offered to the
// child's own object through OnChildNotify; only when it returns FALSE does
// the parent's WindowProc see them.
//
// Creation: windows of the framework's own classes get their object at
// WM_NCCREATE; windows of other classes (controls, dialogs, property sheets)
// get it from a creation hook before their first message, so WM_NCCREATE,
// WM_CREATE, WM_INITDIALOG and the WM_MEASUREITEM a control sends while it
// is created all reach the object.
//
// Owner-drawn menu items: WM_MEASUREITEM and WM_DRAWITEM for a menu item go
// to the CMenu object of the menu that holds the item (see Menu.h).
//
// Modal loops: RunModalLoop is the framework's own loop over a window; each
// message is first offered to PreTranslateMessage from its window up to
// this one. A WM_QUIT ends the loop and is posted again for the outer loop.
//
// Destruction: after WM_NCDESTROY the object is detached and PostNcDestroy
// runs last; an object may delete itself there and is never touched again.
// The destructor never destroys a window or sends messages: it only detaches
// (restoring the window procedure when it is still ours). Destroy a window
// with DestroyWindow before its object goes away.
#pragma once

#include <windows.h>
#include "Object.h"
#include "Strings.h"
#include "Geometry.h"

class CWnd : public CObject
{
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() {}
    // A plain wrapper: no lookup entry, no subclassing.
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    // The window procedure this object replaced (NULL: ::DefWindowProcW).
    WNDPROC m_pfnSuper = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Creation. A NULL or empty class name uses the framework's default class
    // (CS_DBLCLKS, arrow cursor, window-colour background). Windows of the
    // framework's classes are attached from WM_NCCREATE on; windows of other
    // classes are subclassed by the creation hook before their first message.
    virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                          int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    // A child window (WS_CHILD is added).
    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    // May adjust the creation parameters; FALSE cancels the creation.
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    // Called once a window runs through this object, whether it was
    // subclassed or created by CreateEx (then before the window's first
    // message).
    virtual void PreSubclassWindow();
    virtual BOOL DestroyWindow();

    // Attach/Detach bind the object for lookup only; messages keep going to
    // the window's own procedure.
    BOOL Attach(HWND hWnd);
    HWND Detach();
    // Routes the window's messages through this object. Fails when the
    // window already has an object of this module.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Restores the replaced procedure when ours is still the current one.
    // When someone has chained a procedure after ours, that chain keeps
    // working: our procedure stays in it and passes everything on.
    HWND UnsubclassWindow();

    // The window's own object, or a temporary wrapper (kept by the
    // application object and freed at idle time): don't store it. NULL for
    // a NULL handle, or when the deliverable has no application object.
    static CWnd* FromHandle(HWND hWnd);
    // The window's own object of this module, or NULL.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Offers pMsg to the objects from pMsg->hwnd up the parent chain,
    // stopping after hWndStop; TRUE when one of them took it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // Offers a parent's notification to the object of the child that sent
    // it; TRUE when the child handled it (*pResult is then the answer).
    static BOOL ReflectChildNotify(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam,
                                   LRESULT* pResult);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Passes the message being handled on to the replaced/default procedure.
    // Virtual: a class with another chain (such as the engine's subclass
    // objects) passes messages on its own way, also when called through a
    // CWnd pointer.
    virtual LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Runs after the window is gone and the object detached.
    virtual void PostNcDestroy();
    // WM_COMMAND and WM_NOTIFY as CWnd::WindowProc routes them; TRUE = handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification this window sent to its parent, offered back to it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // The framework's modal loop over this window (see above). Returns the
    // code given to EndModalLoop, or -1 when the loop ended otherwise (the
    // window was destroyed, WM_QUIT arrived).
    int RunModalLoop();
    // TRUE while the modal loop should go on.
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);
    BOOL IsInModalLoop() const { return m_pModal != nullptr; }

    // Forwarders.
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendMessageW(m_hWnd, msg, wParam, lParam); }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::PostMessageW(m_hWnd, msg, wParam, lParam); }
    DWORD GetStyle() const { return (DWORD)::GetWindowLongPtrW(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID); }

    void SetWindowText(LPCWSTR psz) { ::SetWindowTextW(m_hWnd, psz); }
    int GetWindowText(LPWSTR psz, int nMaxCount) const { return ::GetWindowTextW(m_hWnd, psz, nMaxCount); }
    void GetWindowText(CString& str) const;
    CString GetWindowText() const { CString s; GetWindowText(s); return s; }
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    CString GetClassName() const;
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE) { SendMessage(WM_SETFONT, (WPARAM)hFont, bRedraw); }
    HFONT GetFont() const { return (HFONT)SendMessage(WM_GETFONT); }

    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    HWND GetDlgItemHwnd(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    void SetDlgItemText(int nID, LPCWSTR psz) { ::SetDlgItemTextW(m_hWnd, nID, psz); }
    int GetDlgItemText(int nID, CString& str) const;
    UINT GetDlgItemInt(int nID, BOOL* pTrans = nullptr, BOOL bSigned = TRUE) const
    { return ::GetDlgItemInt(m_hWnd, nID, pTrans, bSigned); }
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
    void CheckDlgButton(int nID, UINT nCheck) { ::CheckDlgButton(m_hWnd, nID, nCheck); }
    UINT IsDlgButtonChecked(int nID) const { return ::IsDlgButtonChecked(m_hWnd, nID); }
    LRESULT SendDlgItemMessage(int nID, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendDlgItemMessageW(m_hWnd, nID, msg, wParam, lParam); }

    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    // The owner set by SetOwner, else the system's owner window. A child
    // window has no system owner: SetOwner names the window its
    // notifications go to without changing its parent.
    CWnd* GetOwner() const { return FromHandle(GetOwnerHwnd()); }
    HWND GetOwnerHwnd() const { return m_hWndOwner ? m_hWndOwner : ::GetWindow(m_hWnd, GW_OWNER); }
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr; }
    CWnd* SetParent(CWnd* pNewParent) { return FromHandle(::SetParent(m_hWnd, pNewParent ? pNewParent->m_hWnd : nullptr)); }
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }
    BOOL IsChild(const CWnd* pWnd) const { return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd); }

    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, nullptr, (LPPOINT)lpRect, 2); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)lpRect, 2); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
    { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
    { MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint); }
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    { return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags); }

    // Centres the window over pAlternateOwner, else its owner (a child: its
    // parent), kept inside the owner's work area (a child: the parent's
    // client area); without a visible owner over the work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
    { return (HICON)SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon); }
    HICON GetIcon(BOOL bBigIcon) const { return (HICON)SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL); }

    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    BOOL RedrawWindow(LPCRECT lpRect = nullptr, HRGN hRgn = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    { return ::RedrawWindow(m_hWnd, lpRect, hRgn, flags); }
    void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw); }
    HDC GetDC() { return ::GetDC(m_hWnd); }
    int ReleaseDC(HDC hDC) { return ::ReleaseDC(m_hWnd, hDC); }

    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr)
    { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    BOOL SetMenu(HMENU hMenu) { return ::SetMenu(m_hWnd, hMenu); }
    int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpInfo) const { return ::GetScrollInfo(m_hWnd, nBar, lpInfo); }
    int SetScrollInfo(int nBar, LPCSCROLLINFO lpInfo, BOOL bRedraw = TRUE)
    { return ::SetScrollInfo(m_hWnd, nBar, lpInfo, bRedraw); }
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
    // The largest position the bar's thumb can reach (range maximum less
    // the page, plus one).
    int GetScrollLimit(int nBar) const;

private:
    // One message being handled by this object (innermost first). The
    // destructor marks every active frame, so the dispatcher knows not to
    // touch a deleted object when the handler returns.
    struct Frame
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        Frame* pPrev;
        bool deleted;
    };

    static LRESULT CALLBACK StdWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void AttachHandle(HWND hWnd);
    // Removes this object's lookup entries of hWnd (property and map).
    void DropLookup(HWND hWnd);
    void OnWindowGone();

    // The modal loop running over this object (innermost first); the
    // destructor marks it, so the loop leaves a deleted object alone.
    struct ModalState
    {
        bool running;
        bool deleted;
        int result;
        ModalState* pPrev;
    };

    Frame* m_pFrame = nullptr;
    ModalState* m_pModal = nullptr;
    HWND m_hWndOwner = nullptr;

    friend CString AfxRegisterWndClass(UINT, HCURSOR, HBRUSH, HICON);
    friend class CCreationHook;
};

// Attaches an object to the next window created on this thread, before the
// window's first message (a WH_CBT hook, set while the guard lives). Used
// around the creation of dialogs, property sheets and controls; nested
// guards share one hook. Windows of the IME class are passed over.
class CCreationHook
{
public:
    explicit CCreationHook(CWnd* pWnd);
    ~CCreationHook();
    CCreationHook(const CCreationHook&) = delete;
    CCreationHook& operator=(const CCreationHook&) = delete;

private:
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);
    CWnd* m_pPrevInit;
    bool m_bHooked;
};

// Deletes this module's window-lookup atoms. Called when the module is
// unloaded dynamically (never at process termination).
void AfxTermWndLookup();

// Registers (once) a window class of this module whose windows run through
// CWnd, and returns its name.
CString AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
