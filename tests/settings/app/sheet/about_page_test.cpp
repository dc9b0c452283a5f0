// The About page: the last page, its run-time quotations, nothing saved.
#include "AboutPage.h"
#include "Resource.h"
#include "SheetFixture.h"
#include <gtest/gtest.h>

TEST(AboutPage, LastPageShowsItsQuotationsAndSavesNothing)
{
    const std::string ini = "[Config]\r\nColoredTabs=1\r\n";
    CSheetFixture f(L"about_page", CStringArray(), ini);
    ASSERT_TRUE(f.created);
    CPropertyPage* page = f.sheet->GetPage(f.sheet->GetPageCount() - 1);
    ASSERT_TRUE(page->IsKindOf(RUNTIME_CLASS(CAboutPage)));
    f.sheet->SetActivePage(page);
    CString text;
    page->GetDlgItemText(IDC_ABOUT_QUOTE_1, text);
    EXPECT_STREQ(AboutQuoteSea, (LPCWSTR)text);
    page->GetDlgItemText(IDC_ABOUT_QUOTE_2, text);
    EXPECT_STREQ(AboutQuoteNight, (LPCWSTR)text);
    EXPECT_NE(nullptr, (HBITMAP)page->SendDlgItemMessage(IDC_ABOUT_PICTURE_4, STM_GETIMAGE, IMAGE_BITMAP, 0));
    f.sheet->SendMessage(PSM_APPLY);
    EXPECT_EQ(ini, f.files.OwnIni());
}
