// The application object: exactly one per deliverable (DLL or program).
//
// A DLL defines one global object of a class derived from CWinApp; the
// framework's own DllMain forwards to AfxDllMain (a DLL that needs more
// defines its own DllMain and calls AfxDllMain from it):
//
//     CMyModuleApp theApp;
//
//   - process attach: sets m_hInstance and calls InitInstance (keep it light:
//     it runs under the loader lock; FALSE fails the load);
//   - detach at process termination (reserved != NULL): does nothing;
//   - detach at a dynamic unload (reserved == NULL): frees the framework's
//     own memory and deletes its window-lookup atoms only. ExitInstance is
//     NOT called there: the plug-in's teardown (windows, hooks, timers) runs
//     earlier from its unload export.
//
// A program defines one global object and forwards its entry point:
//
//     CMyApp theApp;
//     int WINAPI wWinMain(HINSTANCE h, HINSTANCE p, LPWSTR cmd, int show)
//     { return AfxWinMain(h, p, cmd, show); }
//
//   AfxWinMain sets m_hInstance, m_lpCmdLine, m_nCmdShow, calls InitInstance
//   and then Run (the message loop) or, when InitInstance fails, ExitInstance.
#pragma once

#include <windows.h>
#include "Strings.h"
#include "Collections.h"

class CWnd;
class CMenu;
class CPromptService;

class CWinApp
{
public:
    explicit CWinApp(LPCWSTR pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    // Returns the exit code of the program.
    virtual int ExitInstance();

    // The message loop: each message goes through PreTranslateMessage before
    // TranslateMessage/DispatchMessage. Returns ExitInstance's code.
    virtual int Run();
    // Offers a message to the CWnd objects from its window up the parent
    // chain. Override to add application-wide handling (call the base).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Called when the queue runs empty; return TRUE to be called again.
    virtual BOOL OnIdle(LONG lCount);
    // Gets and dispatches one message; FALSE on WM_QUIT.
    BOOL PumpMessage();

    // The full path of this deliverable's file; empty when it cannot be read.
    CString GetModulePath() const;

    HINSTANCE m_hInstance = nullptr;
    // Module that LoadString and resource loading use; NULL = m_hInstance.
    HINSTANCE m_hResource = nullptr;
    LPCWSTR m_pszAppName = nullptr;
    LPWSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    bool m_bIsDll = false;
    MSG m_msgCur = {};

    // Temporary wrappers handed out by CWnd::FromHandle for windows that have
    // no object of their own; freed at idle time and at unload.
    CWnd* GetTempWnd(HWND hWnd);
    void DeleteTempMap(bool onlyDeadWindows = false);

    // Window objects bound to their windows (CWnd::FromHandlePermanent): a
    // lookup in memory, as every message of a framework window needs one.
    CWnd* LookupWindow(HWND hWnd);
    // Binds pWnd to hWnd; NULL removes the entry.
    void SetWindowObject(HWND hWnd, CWnd* pWnd);

    // Menu objects bound to their menus (CMenu::FromHandlePermanent).
    CMenu* LookupMenu(HMENU hMenu);
    // Binds pMenu to hMenu; NULL removes the entry.
    void SetMenuObject(HMENU hMenu, CMenu* pMenu);

    // The prompt service of this deliverable; NULL uses the built-in one
    // (see Prompt.h).
    CPromptService* m_pPrompt = nullptr;

private:
    friend BOOL AfxDllMain(HINSTANCE, DWORD, LPVOID);
    friend int AfxWinMain(HINSTANCE, HINSTANCE, LPWSTR, int);
    void SetModule(HINSTANCE hInstance);

    CString m_strAppName;
    CMap<HWND, HWND, CWnd*, CWnd*> m_tempMap;
    CMap<HMENU, HMENU, CMenu*, CMenu*> m_menuMap;
    CMap<HWND, HWND, CWnd*, CWnd*> m_windowMap;
    CRITICAL_SECTION m_tempLock; // guards the maps
};

CWinApp* AfxGetApp();
// The application's main window, or NULL.
CWnd* AfxGetMainWnd();
// The application's module, or the module containing this code.
HINSTANCE AfxGetInstanceHandle();
// The application's resource module, else its module, else the module
// containing this code.
HINSTANCE AfxGetResourceHandle();

BOOL AfxDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
