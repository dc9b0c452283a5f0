// Attaching to the host's window tree: the main window's subclass, the live
// snapshot of the tree, the engine's objects on the panels, the retry and
// tree-check timers, and re-attaching what the host recreated.
#pragma once
#include <windows.h>
#include "AttachState.h"
#include "PanelObjects.h"
#include "TCInfo.h"
#include "TCWnd.h"
#include "WindowWatch.h"

class CEngineContext;

class CHostAttach {
public:
    explicit CHostAttach(CEngineContext& engine) : m_engine(engine), m_mainWnd(engine) {}
    CHostAttach(const CHostAttach&) = delete;
    CHostAttach& operator=(const CHostAttach&) = delete;

    // Puts the subclass on the host main window (unless it is there).
    void AttachMainWindow(HWND main);
    void DetachMainWindow();
    // Subclasses `main` when it has no subclass and the host is not closing,
    // scans its tree and creates the panel objects. Without a complete tree
    // the retry timer starts and the result is 0.
    int Attach(HWND main);
    // Deletes the panel objects and forgets the tree.
    void DeleteAll();

    // Timer handlers: the tree check after windows were created, the unload
    // after a detach request.
    void OnTreeCheck(HWND main);
    void OnDetachUnload(HWND main);
    // The dispatcher's panel refresh: `what` 0 the file list, 2 the tabs of `side`.
    void RefreshPanel(int side, int what);
    // The watcher's work for one message sent to a window of the thread;
    // returns the actions that belong to other parts (the Lister handling).
    WatchAction OnWatchedMessage(const CWPSTRUCT& sent);

    const HostTreeSnapshot& Tree() const { return m_tree; }
    CPanelObjects& Panels() { return m_panels; }
    const CPanelObjects& Panels() const { return m_panels; }
    CTCWnd& MainWnd() { return m_mainWnd; }
    // Objects attached to a window, the main window's subclass included.
    int SubclassCount() const;
    // "key=value" lines for the engine's state dump.
    CString Describe() const;

private:
    void CreatePanelObjects();
    // Re-attaches what the host recreated since the snapshot `old`.
    void ReattachChanged(const HostTreeSnapshot& old);

    CEngineContext& m_engine;
    CTCInfo64 m_tree; // the live snapshot
    CPanelObjects m_panels;
    CTCWnd m_mainWnd;
    CAttachState m_state;
};
