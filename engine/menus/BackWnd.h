// CBackWnd: while an icon menu is tracked, every system menu window
// ("#32768") made on the thread is subclassed by one of these, which paints
// the window's background in the icon menu's colours. It deletes itself when
// its window is gone.
#pragma once
#include <windows.h>
#include "Framework.h"

class CBackWnd : public CWnd {
public:
    explicit CBackWnd(BOOL visualStyles);
    ~CBackWnd() override;

    // The call-window-procedure hook of a tracked icon menu: subclasses each
    // menu window as it is created (not those of a shell context menu).
    static LRESULT CALLBACK TrackingHookProc(int code, WPARAM wParam, LPARAM lParam);
    // Objects alive now (all of them go with their menu windows).
    static int LiveCount();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);

    BOOL m_visualStyles;
};
