// What the command executor asks of the engine's features. The engine
// implements it once (app/FeatureWiring.cpp), where each feature plugs in
// its handler; tests give their own.
#pragma once
#include <windows.h>

struct HotkeyEntry;

// Answers of SpecialKeyFilter.
enum SpecialKeyAnswer {
    SpecialKeySwallowOnly = 0, // swallow the key, run nothing
    SpecialKeyRun = 1,         // run and swallow
    SpecialKeyPassOnly = 2,    // pass the key, run nothing
    SpecialKeyRunSwallow = 3,  // run and swallow (every entry that is not fixed)
};

class CCommandTargets {
public:
    virtual ~CCommandTargets() {}

    // For a host-command hotkey: whether it runs and whether its key is
    // swallowed (a SpecialKeyAnswer).
    virtual int SpecialKeyFilter(const HotkeyEntry& entry, HWND focus) = 0;
    // A key went up (either keyboard hook); `shiftDown` as the hook knows it.
    virtual void OnKeyUp(bool shiftDown) = 0;
    // Whether "NextQuickView" can act on the current focus.
    virtual bool NextQuickViewApplies() = 0;
    // Auto-completion in the focused edit box; non-zero when it acted.
    virtual int RunAutoCompletion(HWND focus) = 0;
    // An engine command whose handler belongs to a feature: the handler's
    // result (1 handled, 0 not handled: the key goes on to the host).
    virtual int RunFeatureCommand(UINT number) = 0;
    // The focus is where the drive-list keys open the engine's drive menu.
    virtual bool IsDriveListFocus(HWND focus) = 0;
    // The drive combo box of a side (0 left, 1 right), or null.
    virtual HWND DriveComboWindow(int side) = 0;
    // The engine menu for a side (0 left, 1 right) at a screen point, or
    // (side -1) for the focused file list below its path window; 1 handled.
    virtual int ShowEngineMenu(int side, POINT point) { return 0; }
};
