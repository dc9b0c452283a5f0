// Focus classes as the executor reads them: the host's edit classes by exact
// name, and the top-level window above the focus.
#include <gtest/gtest.h>
#include "FocusClass.h"

namespace {

HWND Make(const wchar_t* className, HWND parent, DWORD style)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    return CreateWindowExW(0, className, L"", style, 0, 0, 100, 50, parent, nullptr, wc.hInstance, nullptr);
}

} // namespace

TEST(FocusClass, EditClassesAndTheirTopLevelWindow)
{
    HWND main = Make(L"TTOTAL_CMD", nullptr, WS_OVERLAPPEDWINDOW);
    HWND panel = Make(L"Window", main, WS_CHILD);
    HWND dialog = Make(L"TDialogLike", main, WS_POPUP); // owned by the main window
    ASSERT_TRUE(main && panel && dialog);
    // Names compare exactly. (Class names are registered without case, so
    // this one comes before "TEdit" is registered.)
    HWND lower = Make(L"tedit", panel, WS_CHILD);
    EXPECT_EQ(FocusHostMain, ClassifyFocus(lower));
    EXPECT_TRUE(HasClass(lower, L"TEdit", true));
    EXPECT_FALSE(HasClass(lower, L"TEdit"));
    DestroyWindow(lower);
    UnregisterClassW(L"tedit", GetModuleHandleW(nullptr));
    for (const wchar_t* name : {L"TAltEdit", L"Edit", L"TInEdit", L"TMemo", L"TEdit", L"TMyMemo", L"TTabEdit"}) {
        HWND inMain = Make(name, panel, WS_CHILD);
        HWND inDialog = Make(name, dialog, WS_CHILD);
        EXPECT_EQ(FocusEdit | FocusHostMain, ClassifyFocus(inMain)) << name;
        EXPECT_EQ(FocusEdit | FocusOtherTopLevel, ClassifyFocus(inDialog)) << name;
        EXPECT_EQ(main, TopLevelParent(inMain));
        DestroyWindow(inMain);
        DestroyWindow(inDialog);
    }
    EXPECT_EQ(FocusHostMain, ClassifyFocus(main));
    EXPECT_EQ(FocusOtherTopLevel, ClassifyFocus(dialog));
    EXPECT_EQ(0u, ClassifyFocus(nullptr));
    DestroyWindow(dialog);
    DestroyWindow(main);
}
