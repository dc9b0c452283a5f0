// The shared folder browser, closed by a watcher thread once it is up.
#include <gtest/gtest.h>
#include <thread>
#include "BrowseFolder.h"

namespace {

struct DialogSearch {
    HWND dialog;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data)
{
    WCHAR name[32] = {};
    GetClassNameW(window, name, 32);
    if (wcscmp(name, L"#32770") == 0 && IsWindowVisible(window)) {
        ((DialogSearch*)data)->dialog = window;
        return FALSE;
    }
    return TRUE;
}

// Presses `button` in the first visible dialog of the thread once it is up.
std::thread PressWhenShown(DWORD threadId, WORD button)
{
    return std::thread([=] {
        for (int i = 0; i < 100; ++i) {
            Sleep(100);
            DialogSearch search = {nullptr};
            EnumThreadWindows(threadId, FindDialog, (LPARAM)&search);
            if (search.dialog) {
                Sleep(500); // let the preselection arrive
                PostMessageW(search.dialog, WM_COMMAND, button, 0);
                return;
            }
        }
    });
}

TEST(BrowseFolderTest, ChosenAndCancelled)
{
    WCHAR windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);

    WCHAR path[MAX_PATH];
    lstrcpyW(path, windows);
    std::thread cancel = PressWhenShown(GetCurrentThreadId(), IDCANCEL);
    EXPECT_FALSE(BrowseForFolder(L"Pick", path, nullptr));
    cancel.join();
    EXPECT_STREQ(windows, path);

    // OK takes the preselected folder.
    std::thread ok = PressWhenShown(GetCurrentThreadId(), IDOK);
    BOOL chosen = BrowseForFolder(nullptr, path, nullptr);
    ok.join();
    EXPECT_TRUE(chosen);
    EXPECT_EQ(0, lstrcmpiW(windows, path));
}

} // namespace
