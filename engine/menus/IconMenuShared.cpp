#include "IconMenuShared.h"
#include "IconMenu.h"
#include "ShellContextMenu.h"

namespace {

// The engine-wide state of the icon menus (see the header).
struct IconMenuState {
    BOOL visualStyles = FALSE;
    int fontReferences = 0;
    HFONT normalFont = nullptr;
    HFONT boldFont = nullptr;
    CIconMenuTracker* tracker = nullptr;
    HHOOK trackingHook = nullptr;
    BOOL contextMenuShown = FALSE;
};

IconMenuState& State()
{
    static IconMenuState state;
    return state;
}

// The system's menu font. The structure size is that of the systems without
// the padded border (500 bytes), which every system accepts.
void MenuLogFont(LOGFONTW& font)
{
    NONCLIENTMETRICSW metrics = {};
    const UINT size = 500;
    static_assert(sizeof(metrics) >= size, "NONCLIENTMETRICSW is smaller than its oldest form");
    metrics.cbSize = size;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, size, &metrics, 0)) {
        font = metrics.lfMenuFont;
        return;
    }
    font = LOGFONTW();
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
}

} // namespace

int CIconMenuTracker::Track(CIconMenu& menu, UINT flags, int x, int y, CWnd* pOwner)
{
    return menu.TrackModal(flags, x, y, pOwner);
}

int CIconMenuTracker::ShowShellMenu(const CStringArray& paths, HWND window, POINT point)
{
    CShellContextMenu shellMenu;
    shellMenu.SetObjects(paths);
    return shellMenu.ShowContextMenu(window, point);
}

void CIconMenuShared::ReadVisualStyles()
{
    BOOL active = FALSE;
    if (HMODULE theme = LoadLibraryW(L"UxTheme.dll")) {
        typedef BOOL(WINAPI * IsThemeActiveProc)();
        auto isThemeActive = reinterpret_cast<IsThemeActiveProc>(
            reinterpret_cast<void*>(GetProcAddress(theme, "IsThemeActive")));
        if (isThemeActive)
            active = isThemeActive();
        FreeLibrary(theme);
    }
    State().visualStyles = active;
}

void CIconMenuShared::SetVisualStyles(BOOL active)
{
    State().visualStyles = active;
}

BOOL CIconMenuShared::VisualStyles()
{
    return State().visualStyles;
}

void CIconMenuShared::AddFontReference()
{
    IconMenuState& s = State();
    if (s.fontReferences++ > 0)
        return;
    LOGFONTW font;
    MenuLogFont(font);
    s.normalFont = CreateFontIndirectW(&font);
    font.lfWeight = FW_BOLD;
    s.boldFont = CreateFontIndirectW(&font);
}

void CIconMenuShared::ReleaseFontReference()
{
    IconMenuState& s = State();
    if (s.fontReferences <= 0 || --s.fontReferences > 0)
        return;
    for (HFONT* font : {&s.normalFont, &s.boldFont}) {
        if (*font)
            DeleteObject(*font);
        *font = nullptr;
    }
}

int CIconMenuShared::FontReferences()
{
    return State().fontReferences;
}

HFONT CIconMenuShared::NormalFont()
{
    return State().normalFont;
}

HFONT CIconMenuShared::BoldFont()
{
    return State().boldFont;
}

CIconMenuTracker& CIconMenuShared::Tracker()
{
    static CIconMenuTracker engineTracker;
    CIconMenuTracker* set = State().tracker;
    return set ? *set : engineTracker;
}

CIconMenuTracker* CIconMenuShared::SetTracker(CIconMenuTracker* tracker)
{
    CIconMenuTracker* previous = State().tracker;
    State().tracker = tracker;
    return previous;
}

HHOOK CIconMenuShared::TrackingHook()
{
    return State().trackingHook;
}

void CIconMenuShared::SetTrackingHook(HHOOK hook)
{
    State().trackingHook = hook;
}

BOOL CIconMenuShared::ContextMenuShown()
{
    return State().contextMenuShown;
}

void CIconMenuShared::SetContextMenuShown(BOOL shown)
{
    State().contextMenuShown = shown;
}
