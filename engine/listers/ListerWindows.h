// The engine's handling of the host's Lister windows ("TLister"): the
// "Close All" item in each Lister's system menu, closing every Lister at
// once, the question before a Lister that shows several files closes, and
// the quick view's "NextQuickView" key. Everything runs on the host's GUI
// thread, from the executor, the get-message hook and the window watcher.
#pragma once
#include <windows.h>
#include <set>

class CEngineContext;

// The id of the engine's item in a Lister's system menu.
const UINT ListerCloseAllId = 2;
// A Lister with at least this many menu-bar items shows several files.
const int MultiListerMenuItems = 7;

class CListerWindows {
public:
    explicit CListerWindows(CEngineContext& engine) : m_engine(engine) {}
    CListerWindows(const CListerWindows&) = delete;
    CListerWindows& operator=(const CListerWindows&) = delete;

    // The "Close All" item in every Lister of the thread ("CloseAllListers").
    void AddMenuItems();
    // Takes the item out of every Lister again and puts back any window
    // procedure still replaced for a close check.
    void RemoveMenuItems();
    // A separator and the item "Close All<tab>hotkey", once per Lister.
    void AddMenuItem(HWND lister);
    // Removes the item, and the separator before it when it is one.
    static void RemoveMenuItem(HWND lister);

    // Posts WM_CLOSE to every Lister of the thread; with `checkFocus` only
    // when the focus is inside a Lister (else 0: not handled).
    int CloseAll(bool checkFocus);
    // Whether `lister` may close: asks (OK/Cancel) when "CheckMultiLister"
    // is on and the Lister shows several files. While that question is
    // open, further close requests for the same Lister are refused.
    bool ConfirmClose(HWND lister);

    // The get-message hook: close requests of Listers are checked (a
    // refused one becomes WM_NULL); the system-menu item closes all.
    void OnGetMessage(MSG& message);
    // The watcher saw a WM_CLOSE being sent to `lister`: its procedure is
    // replaced for that one message, which gets the close check.
    void CheckSentClose(HWND lister);

    // "NextQuickView": whether it acts on the current focus.
    bool NextQuickViewApplies();
    // Sends "4" to the quick view (or opens it); 0 when nothing was done.
    int NextQuickView();

private:
    static LRESULT CALLBACK OneShotListerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void RestoreProcedure(HWND lister);
    HWND QuickView() const;

    CEngineContext& m_engine;
    std::set<HWND> m_asking; // Listers whose close question is open
};
