// CIconMenuWnd: the hidden window that owns an icon menu while it is tracked.
// Owner-drawn items reach their menu through the framework's default
// handling of WM_MEASUREITEM and WM_DRAWITEM; typed characters go to the
// caller's owner window when there is one, else to the items' mnemonics; a
// right click on a drive item ("C - ...") opens the shell's context menu of
// that drive's root.
#pragma once
#include <windows.h>
#include "Framework.h"

class CIconMenu;

class CIconMenuWnd : public CWnd {
public:
    CIconMenuWnd(CIconMenu* pMenu, CWnd* pOwner) : m_pMenu(pMenu), m_pOwner(pOwner) {}

    // The hidden window "IconMenuWnd", a child of the owner's window (of the
    // desktop without one).
    BOOL Create();
    CWnd* GetOwnerWindow() const { return m_pOwner; }

    // Whether a caption names a drive: an ASCII letter and a blank.
    static bool IsDriveCaption(const CString& caption);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);

    CIconMenu* m_pMenu;
    CWnd* m_pOwner;
};
