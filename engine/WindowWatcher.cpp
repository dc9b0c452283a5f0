// The window watcher: a call-window-procedure hook on the host's GUI thread
// that notices windows being created (to check the host's tree again) and
// the Lister and quick-search windows.
#include "MerovinApp.h"
#include "WindowWatch.h"

LRESULT CALLBACK WindowWatcherProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && lParam) {
        try {
            theApp.OnWatchedMessage(*reinterpret_cast<const CWPSTRUCT*>(lParam));
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CMerovinApp::OnWatchedMessage(const CWPSTRUCT& sent)
{
    if (sent.message == WM_CREATE)
        m_attach.RecordCreation(sent.hwnd, m_tree);
    WatchSwitches switches;
    switches.closeAllListers = m_settings.CloseAllListers != 0;
    switches.checkMultiLister = m_settings.CheckMultiLister != 0;
    switch (ClassifyWatchedMessage(sent, switches)) {
    case WatchAction::TreeCheck:
        m_attach.lastCreationTick = GetTickCount();
        if (!m_timers.IsRunning(EngineTimer::TreeCheck))
            StartTimer(EngineTimer::TreeCheck, 0, 100);
        break;
    case WatchAction::AddListerItems:
        AddListerMenuItem(sent.hwnd);
        break;
    case WatchAction::QuickSearch: {
        HWND focus = GetFocus();
        for (CTCFileList* list : m_panels.fileList)
            if (list && focus && list->Window() == focus)
                list->quickSearch = true;
        break;
    }
    case WatchAction::SubclassLister:
        SubclassListerOnClose(sent.hwnd);
        break;
    case WatchAction::None:
        break;
    }
}

// Hook points of the Lister handling.
void CMerovinApp::AddListerMenuItem(HWND) {}
void CMerovinApp::SubclassListerOnClose(HWND) {}
