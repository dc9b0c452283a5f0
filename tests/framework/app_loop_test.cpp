// The application object: the message loop with PreTranslateMessage, and
// the main window ending the loop.
#include "Framework.h"
#include "fwtest_res.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class CTestApp : public CWinApp
{
public:
    CTestApp() : CWinApp(L"FrameworkTest") {}
    std::vector<UINT> appSaw;
    bool eatAppKey = true;
    int exitCalls = 0;
    BOOL initResult = TRUE;
    BOOL InitInstance() override
    {
        if (initResult)
            PostQuitMessage(3);
        return initResult;
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (CWinApp::PreTranslateMessage(pMsg))
            return TRUE;
        if (pMsg->message == WM_KEYDOWN) {
            appSaw.push_back((UINT)pMsg->wParam);
            if (eatAppKey && pMsg->wParam == VK_F6)
                return TRUE;
        }
        return FALSE;
    }
    int ExitInstance() override
    {
        ++exitCalls;
        return CWinApp::ExitInstance();
    }
};

CTestApp theApp;

class CKeyWnd : public CWnd
{
public:
    UINT eats = 0; // key this window's PreTranslateMessage takes
    std::vector<UINT> preSaw;
    std::vector<UINT> keys;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        preSaw.push_back((UINT)pMsg->wParam);
        return eats && pMsg->wParam == eats;
    }
    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override
    {
        switch (msg) {
        case WM_KEYDOWN:
            keys.push_back((UINT)w);
            return 0;
        }
        return CWnd::WindowProc(msg, w, l);
    }
};

VOID CALLBACK SafetyQuit(HWND, UINT, UINT_PTR, DWORD)
{
    PostQuitMessage(99);
}

TEST(CWinAppLoop, PreTranslateWalksUpThenApp)
{
    EXPECT_EQ(&theApp, AfxGetApp());
    EXPECT_STREQ(L"FrameworkTest", theApp.m_pszAppName);

    CKeyWnd parent, child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"p", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr));
    ASSERT_TRUE(child.Create(nullptr, L"c", WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 1));
    parent.eats = VK_F5;
    child.eats = VK_F4;
    theApp.m_pMainWnd = &parent;

    child.PostMessage(WM_KEYDOWN, VK_F4, 0); // taken by the child itself
    child.PostMessage(WM_KEYDOWN, VK_F5, 0); // taken by the parent
    child.PostMessage(WM_KEYDOWN, VK_F6, 0); // taken by the application
    child.PostMessage(WM_KEYDOWN, VK_F7, 0); // reaches the child's WindowProc
    parent.PostMessage(WM_CLOSE);            // destroying the main window ends the loop
    UINT_PTR safety = SetTimer(nullptr, 0, 5000, SafetyQuit);

    int rc = theApp.Run();
    KillTimer(nullptr, safety);
    EXPECT_EQ(0, rc); // not the safety timer's 99
    EXPECT_EQ(1, theApp.exitCalls);
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    EXPECT_FALSE(parent.IsWindow());

    EXPECT_EQ((std::vector<UINT>{ VK_F4, VK_F5, VK_F6, VK_F7 }), child.preSaw);
    EXPECT_EQ((std::vector<UINT>{ VK_F5, VK_F6, VK_F7 }), parent.preSaw);
    EXPECT_EQ((std::vector<UINT>{ VK_F6, VK_F7 }), theApp.appSaw);
    EXPECT_EQ((std::vector<UINT>{ VK_F7 }), child.keys);
}

TEST(CWinAppLoop, ProgramEntry)
{
    // InitInstance fails: no loop, the exit code is ExitInstance's.
    theApp.initResult = FALSE;
    theApp.exitCalls = 0;
    theApp.m_msgCur.wParam = 0;
    EXPECT_EQ(0, AfxWinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L"-x"), SW_HIDE));
    EXPECT_EQ(1, theApp.exitCalls);
    EXPECT_EQ(GetModuleHandleW(nullptr), theApp.m_hInstance);
    EXPECT_STREQ(L"-x", theApp.m_lpCmdLine);
    EXPECT_EQ(SW_HIDE, theApp.m_nCmdShow);

    // InitInstance succeeds: the loop runs until WM_QUIT and returns its code.
    theApp.initResult = TRUE;
    EXPECT_EQ(3, AfxWinMain(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOW));
    EXPECT_EQ(2, theApp.exitCalls);
    EXPECT_STREQ(L"FrameworkTest", theApp.m_pszAppName);
}

TEST(CWinAppLoop, ResourceHandleServesLoadString)
{
    CString s;
    EXPECT_FALSE(s.LoadString(IDS_FWTEST_DLL));
    HMODULE res = LoadLibraryExW(L"fwtestdll.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(res);
    theApp.m_hResource = res;
    EXPECT_TRUE(s.LoadString(IDS_FWTEST_DLL));
    EXPECT_STREQ(L"String of the test DLL", (LPCWSTR)s);
    theApp.m_hResource = nullptr;
    FreeLibrary(res);
}

} // namespace
