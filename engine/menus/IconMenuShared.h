// What all icon menus of the engine share: the two menu fonts, whether visual
// styles are active, the hook that lives while a menu is tracked, the flag
// that is set while a shell context menu is shown over a menu, and the
// tracker that shows the menus. All of it is used on the host's GUI thread
// by one tracked menu at a time.
#pragma once
#include <windows.h>
#include "Framework.h"

class CIconMenu;

// Shows icon menus and the shell's context menu over them. The engine uses
// this one; tests derive from it to see a built menu and answer for the user
// without a modal loop.
class CIconMenuTracker {
public:
    virtual ~CIconMenuTracker() {}
    // The menu tracked for real (CIconMenu::TrackModal); its result.
    virtual int Track(CIconMenu& menu, UINT flags, int x, int y, CWnd* pOwner);
    // The shell's context menu of `paths` owned by `window` at a screen point.
    virtual int ShowShellMenu(const CStringArray& paths, HWND window, POINT point);
};

class CIconMenuShared {
public:
    // Start-up: "IsThemeActive" of "UxTheme.dll"; 0 when the library or the
    // export is missing.
    static void ReadVisualStyles();
    static void SetVisualStyles(BOOL active);
    static BOOL VisualStyles();

    // The menu fonts live from the first live icon menu to the last: the
    // system's menu font and the same in bold.
    static void AddFontReference();
    static void ReleaseFontReference();
    static int FontReferences();
    static HFONT NormalFont();
    static HFONT BoldFont();

    // The engine's tracker unless another one is set; null sets it back.
    // Returns the tracker that was set before (null: the engine's).
    static CIconMenuTracker& Tracker();
    static CIconMenuTracker* SetTracker(CIconMenuTracker* tracker);

    // The call-window-procedure hook of the menu being tracked (null when none).
    static HHOOK TrackingHook();
    static void SetTrackingHook(HHOOK hook);
    // Set while a shell context menu is shown over a tracked menu.
    static BOOL ContextMenuShown();
    static void SetContextMenuShown(BOOL shown);
};
