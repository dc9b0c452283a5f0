// A DLL's application object: attach, detach at a dynamic unload, its own
// resources and its own window lookup.
#include "Framework.h"
#include "fwtest_res.h"
#include <gtest/gtest.h>

namespace {

typedef int(WINAPI* StateFn)(WCHAR*, int);
typedef void(WINAPI* SetExitFlagFn)(int*);
typedef BOOL(WINAPI* HwndFn)(HWND);
typedef void(WINAPI* VoidFn)();

class CExeWnd : public CWnd
{
public:
    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override
    {
        if (msg == WM_APP + 8)
            return 800;
        return CWnd::WindowProc(msg, w, l);
    }
};

TEST(CWinAppDll, AttachUnloadResourcesAndLookup)
{
    HMODULE dll = LoadLibraryW(L"fwtestdll.dll");
    ASSERT_TRUE(dll);
    auto state = (StateFn)(void*)GetProcAddress(dll, "FwTestState");
    auto setExitFlag = (SetExitFlagFn)(void*)GetProcAddress(dll, "FwTestSetExitFlag");
    auto subclass = (HwndFn)(void*)GetProcAddress(dll, "FwTestSubclass");
    auto isPermanent = (HwndFn)(void*)GetProcAddress(dll, "FwTestIsPermanent");
    auto unsubclass = (VoidFn)(void*)GetProcAddress(dll, "FwTestUnsubclass");
    ASSERT_TRUE(state && setExitFlag && subclass && isPermanent && unsubclass);

    // The DLL's lookup atoms are named after its address. Global atoms
    // outlive processes: drop what a run that died before its unload left.
    WCHAR objectAtom[48], superAtom[48];
    _snwprintf(objectAtom, 48, L"FwWnd.%p", (void*)dll);
    _snwprintf(superAtom, 48, L"FwSuper.%p", (void*)dll);
    for (LPCWSTR name : { objectAtom, superAtom }) {
        for (ATOM a; (a = GlobalFindAtomW(name)) != 0;)
            GlobalDeleteAtom(a);
    }

    WCHAR buf[256] = {};
    state(buf, 256);
    // InitInstance ran once from the attach, with the DLL's own handle; its
    // LoadString reads the DLL's string table, not the program's.
    EXPECT_STREQ(L"init=1;own=1;name=fwtestdll;text=String of the test DLL", buf);
    CString mine;
    EXPECT_FALSE(mine.LoadString(IDS_FWTEST_DLL));

    // The program's and the DLL's objects for one window stay apart.
    CExeWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, L"shared", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    EXPECT_FALSE(isPermanent(w.m_hWnd));
    ASSERT_TRUE(subclass(w.m_hWnd));
    EXPECT_TRUE(isPermanent(w.m_hWnd));
    EXPECT_EQ(&w, CWnd::FromHandlePermanent(w.m_hWnd));
    EXPECT_EQ(900, w.SendMessage(WM_APP + 9));
    EXPECT_EQ(800, w.SendMessage(WM_APP + 8));
    unsubclass();
    EXPECT_EQ(0, w.SendMessage(WM_APP + 9));
    EXPECT_EQ(800, w.SendMessage(WM_APP + 8));

    EXPECT_NE(0, GlobalFindAtomW(objectAtom));
    EXPECT_NE(0, GlobalFindAtomW(superAtom));

    // A dynamic unload does not run the teardown (ExitInstance), and it
    // deletes the lookup atoms.
    int exitFlag = 0;
    setExitFlag(&exitFlag);
    EXPECT_TRUE(FreeLibrary(dll));
    EXPECT_EQ(0, exitFlag);
    EXPECT_EQ(0, GlobalFindAtomW(objectAtom));
    EXPECT_EQ(0, GlobalFindAtomW(superAtom));
    EXPECT_EQ(800, w.SendMessage(WM_APP + 8));
    w.DestroyWindow();
}

} // namespace
