// The engine's hidden dispatcher window: the engine's command entry from
// outside and the receiver of the settings reload message.
#pragma once
#include <windows.h>
#include "Framework.h"
#include "TCProtocol.h"

class CMerovinApp;

class CDispWnd : public CWnd {
public:
    explicit CDispWnd(CMerovinApp& engine) : m_engine(engine) {}

    // Registers the class with DefWindowProcW as its procedure (an existing
    // class is fine: none of its procedures points into the engine, so it may
    // outlive the library), creates the invisible 50 x 50 top-level window
    // and subclasses it.
    bool Create(HINSTANCE instance);
    // Destroys the window; safe from inside the window's own handler.
    void Destroy();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeferredHotkey(WPARAM wParam, LPARAM lParam);
    LRESULT OnPanelRefresh(WPARAM wParam, LPARAM lParam);
    LRESULT OnSettingsReload();
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(MINMAXINFO* info);

private:
    CMerovinApp& m_engine;
};
