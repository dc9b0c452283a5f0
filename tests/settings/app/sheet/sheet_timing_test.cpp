// The sheet over a large installation appears and filters quickly. Run
// while no other test runs: the bounds are wall-clock times.
#include "KeyPage.h"
#include "KeyPageRows.h"
#include "LargeFixture.h"
#include "Resource.h"
#include "SheetFixture.h"
#include "WinApp.h"
#include <algorithm>
#include <gtest/gtest.h>

// The framework finds its windows through the application object.
CWinApp theApp(L"MerovSet");

TEST(KeyPage, LargeInstallationShowsAndFiltersQuickly)
{
    CModelFiles files(L"large_sheet");
    LargeFixture::Write(files);
    std::unique_ptr<CSettingsModel> model = files.Build();
    CWnd owner;
    owner.CreateEx(0, AfxRegisterWndClass(0), L"owner", WS_OVERLAPPEDWINDOW, 0, 300, 100, 100, nullptr, nullptr);
    DWORD start = GetTickCount();
    CMainSheet sheet(*model);
    ASSERT_TRUE(sheet.Create(&owner));
    sheet.ShowWindow(SW_SHOW);
    sheet.UpdateWindow();
    DWORD shown = GetTickCount() - start;
    EXPECT_LT(shown, 1000u);
    CKeyPage* page = sheet.GetKeyPage();
    const LPCWSTR keystrokes[] = { L"c", L"cm", L"cm_", L"cm_C", L"cm_Command1", L"cm_Command12" };
    // The best of three typing runs: one preemption is not a slow filter.
    DWORD slowest = ~0u;
    for (int run = 0; run < 3 && slowest >= 50; ++run) {
        page->SetDlgItemText(IDC_KEY_FILTER, L"");
        DWORD runSlowest = 0;
        for (LPCWSTR text : keystrokes) {
            DWORD t = GetTickCount();
            page->SetDlgItemText(IDC_KEY_FILTER, text);
            page->GetList().UpdateWindow();
            runSlowest = std::max(runSlowest, GetTickCount() - t);
        }
        slowest = std::min(slowest, runSlowest);
    }
    EXPECT_LT(slowest, 50u);
    EXPECT_STREQ(L"cm_Command12,cm_Command120,", Shown(page).Left(27));
    sheet.DestroyWindow();
    owner.DestroyWindow();
    printf("sheet shown in %lu ms, slowest filter keystroke %lu ms\n", shown, slowest);
}
