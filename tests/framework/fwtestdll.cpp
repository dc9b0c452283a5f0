// A plug-in-like DLL with its own application object, for the DLL tests.
#include "Framework.h"
#include "fwtest_res.h"

namespace {

class CDllApp : public CWinApp
{
public:
    int initCalls = 0;
    int* pExitFlag = nullptr;
    BOOL InitInstance() override
    {
        ++initCalls;
        return TRUE;
    }
    int ExitInstance() override
    {
        if (pExitFlag)
            *pExitFlag = 1;
        return CWinApp::ExitInstance();
    }
};

CDllApp theApp;

class CDllWnd : public CWnd
{
public:
    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override
    {
        if (msg == WM_APP + 9)
            return 900;
        return CWnd::WindowProc(msg, w, l);
    }
};

CDllWnd* g_pWnd = nullptr;

} // namespace

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved)
{
    return AfxDllMain(hInstance, dwReason, lpReserved);
}

// "init=<n>;own=<0|1>;name=<app name>;text=<string 201>"
extern "C" __declspec(dllexport) int WINAPI FwTestState(WCHAR* buf, int cch)
{
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&theApp), &self);
    CString text;
    text.LoadString(IDS_FWTEST_DLL);
    CString s;
    s.Format(L"init=%d;own=%d;name=%s;text=%s", theApp.initCalls, theApp.m_hInstance == self ? 1 : 0,
             theApp.m_pszAppName, (LPCWSTR)text);
    if (!buf || cch <= 0)
        return 0;
    lstrcpynW(buf, s, cch);
    return s.GetLength();
}

extern "C" __declspec(dllexport) void WINAPI FwTestSetExitFlag(int* pFlag)
{
    theApp.pExitFlag = pFlag;
}

extern "C" __declspec(dllexport) BOOL WINAPI FwTestSubclass(HWND hWnd)
{
    if (g_pWnd)
        return FALSE;
    g_pWnd = new CDllWnd;
    if (g_pWnd->SubclassWindow(hWnd))
        return TRUE;
    delete g_pWnd;
    g_pWnd = nullptr;
    return FALSE;
}

extern "C" __declspec(dllexport) BOOL WINAPI FwTestIsPermanent(HWND hWnd)
{
    return CWnd::FromHandlePermanent(hWnd) != nullptr;
}

extern "C" __declspec(dllexport) void WINAPI FwTestUnsubclass()
{
    if (g_pWnd) {
        g_pWnd->UnsubclassWindow();
        delete g_pWnd;
        g_pWnd = nullptr;
    }
}
