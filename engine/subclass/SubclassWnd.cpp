// CSubclassWnd: the framework side of an engine object on a host window.
#include "Subclass.h"

CSubclassWnd::~CSubclassWnd()
{
    for (Call* c = m_pCall; c; c = c->pPrev)
        c->deleted = true;
    m_pCall = nullptr;
    if (m_hWnd)
        SubclassDetach(this);
}

LRESULT CSubclassWnd::Default()
{
    if (!m_pCall)
        return 0;
    return SubclassDefault(this, m_pCall->message, m_pCall->wParam, m_pCall->lParam);
}

LRESULT CSubclassWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SubclassDefault(this, message, wParam, lParam);
}

// The framework's attachment: the object knows its window, and the first
// object of this module on a window is also found by the framework's lookup
// (FromHandle, child-notification reflection). The window procedure is not
// touched: the object's fallback is its DefWindowProc above.
void CSubclassWnd::BindWindow(HWND hWnd, SubclassBlock* block)
{
    if (!Attach(hWnd))
        m_hWnd = hWnd;
    m_pfnSuper = nullptr;
    m_pBlock = block;
}

void CSubclassWnd::UnbindWindow()
{
    Detach(); // drops the lookup entry only when it is this object's
    m_pBlock = nullptr;
}

LRESULT CSubclassWnd::RouteMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool* pDeleted)
{
    Call call = { message, wParam, lParam, m_pCall, false };
    m_pCall = &call;
    LRESULT result = 0;
    // An exception must not unwind through the system's dispatch code.
    try {
        if (!ReflectChildNotify(hWnd, message, wParam, lParam, &result) && !call.deleted)
            result = WindowProc(message, wParam, lParam);
    } catch (...) {
        result = 0;
    }
    *pDeleted = call.deleted;
    if (!call.deleted)
        m_pCall = call.pPrev;
    return result;
}
