// The application object's message loop, its temporary window wrappers and
// its menu lookup.
#include "WinApp.h"
#include "Wnd.h"

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount == 0)
        DeleteTempMap(true);
    return FALSE;
}

BOOL CWinApp::PumpMessage()
{
    BOOL got = ::GetMessageW(&m_msgCur, nullptr, 0, 0);
    if (got == 0 || got == -1)
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

int CWinApp::Run()
{
    LONG idleCount = 0;
    for (;;) {
        MSG peek;
        while (!::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                break;
        }
        if (!PumpMessage())
            break;
        idleCount = 0;
    }
    return ExitInstance();
}

CWnd* CWinApp::GetTempWnd(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    CWnd* p = nullptr;
    EnterCriticalSection(&m_tempLock);
    if (!m_tempMap.Lookup(hWnd, p)) {
        // Keep the map from growing with windows that are long gone.
        if (m_tempMap.GetCount() >= 64) {
            LeaveCriticalSection(&m_tempLock);
            DeleteTempMap(true);
            EnterCriticalSection(&m_tempLock);
        }
        p = new (std::nothrow) CWnd(hWnd);
        if (p)
            m_tempMap.SetAt(hWnd, p);
    }
    LeaveCriticalSection(&m_tempLock);
    return p;
}

void CWinApp::DeleteTempMap(bool onlyDeadWindows)
{
    EnterCriticalSection(&m_tempLock);
    POSITION pos = m_tempMap.GetStartPosition();
    while (pos) {
        HWND h;
        CWnd* p;
        m_tempMap.GetNextAssoc(pos, h, p);
        if (onlyDeadWindows && ::IsWindow(h))
            continue;
        m_tempMap.RemoveKey(h);
        p->m_hWnd = nullptr;
        delete p;
    }
    LeaveCriticalSection(&m_tempLock);
}

CMenu* CWinApp::LookupMenu(HMENU hMenu)
{
    CMenu* p = nullptr;
    EnterCriticalSection(&m_tempLock);
    m_menuMap.Lookup(hMenu, p);
    LeaveCriticalSection(&m_tempLock);
    return p;
}

void CWinApp::SetMenuObject(HMENU hMenu, CMenu* pMenu)
{
    if (!hMenu)
        return;
    EnterCriticalSection(&m_tempLock);
    if (pMenu)
        m_menuMap.SetAt(hMenu, pMenu);
    else
        m_menuMap.RemoveKey(hMenu);
    LeaveCriticalSection(&m_tempLock);
}

CWnd* CWinApp::LookupWindow(HWND hWnd)
{
    CWnd* p = nullptr;
    EnterCriticalSection(&m_tempLock);
    m_windowMap.Lookup(hWnd, p);
    LeaveCriticalSection(&m_tempLock);
    return p;
}

void CWinApp::SetWindowObject(HWND hWnd, CWnd* pWnd)
{
    if (!hWnd)
        return;
    EnterCriticalSection(&m_tempLock);
    if (pWnd) {
        m_windowMap.InitHashTable(509);
        m_windowMap.SetAt(hWnd, pWnd);
    } else {
        m_windowMap.RemoveKey(hWnd);
    }
    LeaveCriticalSection(&m_tempLock);
}
