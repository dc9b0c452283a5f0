// The engine's window subclassing helper.
//
// An engine object is a framework window object (CSubclassWnd) that sits on a
// window the host created and keeps owning. SubclassAttach puts the object
// into the window's common-controls subclass chain, so that several objects
// (and the host's own subclasses) coexist on one window and can be removed in
// any order. Messages the object does not handle go on to the next procedure
// in the chain:
//
//     class CMyList : public CSubclassWnd
//     {
//         LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
//         {
//             switch (msg) {
//             case WM_SETTEXT: return OnSetText(wParam, lParam);
//             }
//             return CSubclassWnd::WindowProc(msg, wParam, lParam);
//         }
//         LRESULT OnSetText(WPARAM, LPARAM) { ...; return Default(); }
//     };
//
//     CMyList* list = new CMyList;
//     if (!SubclassAttach(list, hostList)) ...
//     ...
//     SubclassDetach(list); delete list;
//
// Attach, detach and the default handling always run on the window's own
// thread; called from another thread of the process they are carried there
// by the registered message SC_HOOK (attaching through a short-lived
// call-window-procedure hook on that thread). Windows of other processes are
// refused. When the window is destroyed, WM_NCDESTROY detaches the object,
// then its PostNcDestroy runs (it may delete the object).
#pragma once

#include <windows.h>
#include "Wnd.h"

// Per attached object, allocated by the helper and named by the window
// property "SC_PROP-{...}-<window><object>". Touched only on the window's thread.
struct SubclassBlock
{
    UINT magic;      // SubclassBlockLive; SubclassBlockFreed just before it is freed
    UINT calls;      // calls into the object's message handling now running
    UINT inDefault;  // 1 while the object's default handling runs
    UINT refs;       // 1 for the attachment, plus one per running call through it
};
static_assert(sizeof(SubclassBlock) == 16, "SubclassBlock is 16 bytes");

const UINT SubclassBlockLive = 0x77773333;
const UINT SubclassBlockFreed = 0xDEADC0DE;

// wParam values of the SC_HOOK message.
const WPARAM SubclassHookAttach = 1;  // lParam: the object
const WPARAM SubclassHookDetach = 2;  // lParam: the object
const WPARAM SubclassHookDefault = 3; // lParam: SubclassDefaultRecord*

// What SC_HOOK 3 carries. The object names whose default handling it is, so
// that the message skips the objects above it in the chain (null: the first
// object met handles it).
class CSubclassWnd;
struct SubclassDefaultRecord
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    CSubclassWnd* object;
};

// The base class of every engine object on a host window. Its default
// handling (Default(), and DefWindowProc for everything CWnd::WindowProc
// does not handle) is SubclassDefault. Deleting an attached object detaches
// it first.
class CSubclassWnd : public CWnd
{
public:
    CSubclassWnd() {}
    ~CSubclassWnd() override;

    // Passes the message being handled on to the next procedure in the
    // window's chain; 0 outside a message.
    LRESULT Default() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The object's block while it is attached, else null (for diagnostics).
    const SubclassBlock* GetSubclassBlock() const { return m_pBlock; }

private:
    // One message being handled (innermost first); the destructor marks
    // them, so the subclass procedure leaves a deleted object alone.
    struct Call
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        Call* pPrev;
        bool deleted;
    };

    void BindWindow(HWND hWnd, SubclassBlock* block);
    void UnbindWindow();
    // Runs one message through the object as the framework's window
    // procedure does; *pDeleted tells whether the object is gone.
    LRESULT RouteMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool* pDeleted);

    SubclassBlock* m_pBlock = nullptr;
    Call* m_pCall = nullptr;

    friend struct SubclassInternals;
};

// The SC_HOOK message, registered on first use (the engine asks for it once
// when it is loaded); 0 when it cannot be registered.
UINT SubclassHookMessage();

// 1 when `object` now receives the messages of `window`; 0 when the window
// does not exist or belongs to another process, the object is null or
// already attached, or SC_HOOK is not registered. A failed attach leaves
// nothing behind.
int SubclassAttach(CSubclassWnd* object, HWND window);

// 0 for a null object; 1 when the object has no window (any more) or was
// detached; 0 when it could not be detached.
int SubclassDetach(CSubclassWnd* object);

// The object's default handling: the next procedure in its window's chain.
// Inside a call of the object's message handling this is a direct call;
// otherwise (another thread, outside a message, or within the default
// handling already) the message travels as SC_HOOK 3. An object without a
// block goes to DefWindowProcW; an object without a window answers 0.
LRESULT SubclassDefault(CSubclassWnd* object, UINT message, WPARAM wParam, LPARAM lParam);

// Number of blocks allocated and not yet freed in this module (for tests).
LONG SubclassLiveBlocks();
