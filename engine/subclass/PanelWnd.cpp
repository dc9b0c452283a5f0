#include "PanelWnd.h"

bool CPanelWnd::AttachTo(HWND window)
{
    if (!window || !::IsWindow(window))
        return false;
    if (m_hWnd == window)
        return true;
    if (m_hWnd)
        SubclassDetach(this);
    return SubclassAttach(this, window) != 0;
}

void CPanelWnd::DetachFromWindow()
{
    if (m_hWnd)
        SubclassDetach(this);
}
