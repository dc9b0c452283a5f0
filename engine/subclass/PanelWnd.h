// The base of the engine's objects on a panel's host windows (file list,
// folder tabs, path bar, drive combo box): one side, the running engine, and
// attaching through the subclassing helper.
#pragma once
#include <windows.h>
#include "Subclass.h"

class CEngineContext;

class CPanelWnd : public CSubclassWnd {
public:
    CPanelWnd(CEngineContext& engine, int side) : m_engine(engine), m_side(side) {}

    // Puts the object on `window`, leaving a previous window first. True
    // when it is attached to `window` afterwards (also when it already was).
    bool AttachTo(HWND window);
    void DetachFromWindow();
    HWND Window() const { return m_hWnd; }
    int Side() const { return m_side; }

protected:
    CEngineContext& m_engine;

private:
    int m_side;
};
