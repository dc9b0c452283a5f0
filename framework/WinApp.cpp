// The application object's life cycle: construction, DLL attach/detach and
// the program entry.
#include "WinApp.h"
#include "ThisModule.h"
#include "Wnd.h"

namespace {

// The one application object of this deliverable.
CWinApp* g_pApp = nullptr;

} // namespace

CWinApp::CWinApp(LPCWSTR pszAppName)
{
    InitializeCriticalSection(&m_tempLock);
    if (pszAppName) {
        m_strAppName = pszAppName;
        m_pszAppName = m_strAppName;
    }
    if (!g_pApp)
        g_pApp = this;
}

CWinApp::~CWinApp()
{
    DeleteTempMap();
    DeleteCriticalSection(&m_tempLock);
    if (g_pApp == this)
        g_pApp = nullptr;
}

int CWinApp::ExitInstance()
{
    DeleteTempMap();
    return (int)m_msgCur.wParam;
}

void CWinApp::SetModule(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    if (m_strAppName.IsEmpty()) {
        // Default name: the module's file name without folder and extension.
        WCHAR path[MAX_PATH] = {};
        DWORD n = GetModuleFileNameW(hInstance, path, MAX_PATH);
        if (n > 0 && n < MAX_PATH) {
            CString name(path);
            name = name.Mid(name.ReverseFind(L'\\') + 1);
            int dot = name.ReverseFind(L'.');
            if (dot > 0)
                name = name.Left(dot);
            m_strAppName = name;
        }
    }
    m_pszAppName = m_strAppName;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_pApp && g_pApp->m_hInstance)
        return g_pApp->m_hInstance;
    return ThisModule();
}

HINSTANCE AfxGetResourceHandle()
{
    if (g_pApp && g_pApp->m_hResource)
        return g_pApp->m_hResource;
    return AfxGetInstanceHandle();
}

BOOL AfxDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved)
{
    CWinApp* app = g_pApp;
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        if (!app)
            return TRUE;
        app->m_bIsDll = true;
        app->SetModule(hInstance);
        try {
            return app->InitInstance();
        } catch (...) {
            return FALSE;
        }
    case DLL_PROCESS_DETACH:
        // At process termination other threads are gone and the heap will
        // be dropped as a whole: touch nothing.
        if (lpReserved != nullptr)
            return TRUE;
        // Dynamic unload: the plug-in has already torn itself down; only
        // release what the framework holds.
        if (app)
            app->DeleteTempMap();
        AfxTermWndLookup();
        return TRUE;
    default:
        return TRUE;
    }
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = g_pApp;
    if (!app)
        return -1;
    app->SetModule(hInstance);
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    try {
        if (!app->InitInstance())
            return app->ExitInstance();
        return app->Run();
    } catch (...) {
        return -1;
    }
}

CString CWinApp::GetModulePath() const
{
    CString path;
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        LPWSTR buffer = path.GetBuffer((int)size);
        DWORD length = GetModuleFileNameW(m_hInstance, buffer, size);
        path.ReleaseBuffer(length < size ? (int)length : 0);
        if (length == 0 || length < size)
            return path;
    }
    return CString();
}
