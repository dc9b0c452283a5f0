// The framework's own modal loop (dialogs and property sheets run in it).
#include "Wnd.h"

int CWnd::RunModalLoop()
{
    ModalState state = { true, false, -1, m_pModal };
    m_pModal = &state;
    HWND self = m_hWnd;
    MSG msg;
    for (;;) {
        // ContinueModal may ask the window (a property sheet asks for its
        // current page), so test that the window is still there first.
        if (!m_hWnd || !::IsWindow(m_hWnd) || !ContinueModal())
            break;
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The application is quitting: end here and let the outer loop
            // see the quit message too.
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (got == -1)
            break;
        if (!WalkPreTranslateTree(self, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (state.deleted)
            return -1; // the object went away with its window: touch nothing
    }
    int result = state.running ? -1 : state.result;
    m_pModal = state.pPrev;
    return result;
}

BOOL CWnd::ContinueModal()
{
    return m_pModal && m_pModal->running;
}

void CWnd::EndModalLoop(int nResult)
{
    if (!m_pModal)
        return;
    m_pModal->running = false;
    m_pModal->result = nResult;
    // Wake the loop when this was called outside its message dispatch.
    if (m_hWnd)
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}
