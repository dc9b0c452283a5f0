// The stand-in host's application object: options, log, main window,
// content plug-in and the events the driver waits on.
#pragma once
#include <windows.h>
#include <string>
#include "TCLog.h"
#include "TCMainWnd.h"
#include "TCOptions.h"
#include "TCPlugin.h"
#include "TCTour.h"

class CTCHostApp {
public:
    int Run(HINSTANCE instance, int argc, wchar_t** argv);

    CTCMainWnd& Main() { return m_main; }
    CTCPlugin& Plugin() { return m_plugin; }
    const CTCOptions& Options() const { return m_options; }
    const std::wstring& Home() const { return m_home; }
    HINSTANCE Instance() const { return m_instance; }
    bool DirBrackets() const { return m_dirBrackets; }  // [Configuration] DirBrackets of wincmd.ini
    // [Colors] BackColor and BackColor2 of wincmd.ini (-1: the window colour, the first colour).
    COLORREF BackColor(int parity) const { return parity ? m_backColor2 : m_backColor; }
    void Log(const CTCLogLine& line) { m_log.Write(line); }
    int LogCount() const { return m_log.Count(); }

    void SignalReady() { SetEvent(m_ready); }
    void SignalFlush() { SetEvent(m_flush); }
    void SignalKeys() { SetEvent(m_keys); }

    // True when the WM_USER+51 being handled is the posted one the thread has
    // just taken from its queue (a send from this thread is a plain call).
    bool TakePostedCommand(WPARAM wParam, LPARAM lParam);

    // Loads the --plugin library; false when there is none or it fails.
    bool LoadPlugin();

private:
    void SetUpEnvironment();
    void OpenEvents();
    static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);

    HINSTANCE m_instance = nullptr;
    CTCOptions m_options;
    std::wstring m_home;
    bool m_dirBrackets = true;
    COLORREF m_backColor = 0, m_backColor2 = 0;
    CTCLog m_log;
    CTCMainWnd m_main;
    CTCPlugin m_plugin;
    CTour m_tour;
    HANDLE m_ready = nullptr, m_flush = nullptr, m_keys = nullptr;
    HHOOK m_getMessageHook = nullptr;
    // The last message taken from the queue, when it was a posted WM_USER+51.
    bool m_postedValid = false;
    WPARAM m_postedWParam = 0;
    LPARAM m_postedLParam = 0;
};

CTCHostApp& TheApp();
