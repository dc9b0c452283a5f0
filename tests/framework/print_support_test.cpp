// What printing code takes from the framework: the date of a page footer and
// the wait cursor around long work.
#include "Framework.h"
#include <gtest/gtest.h>

namespace {

TEST(CTimeFormat, LocalFieldsAndLimits)
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    CTime t = CTime::GetCurrentTime();
    CString year;
    year.Format(L"%04d", now.wYear);
    EXPECT_STREQ(year, t.Format(L"%Y"));
    // The locale's date and time: it holds the year in some form.
    CString full = t.Format(L"%c");
    EXPECT_GE(full.Find(year.Right(2)), 0) << (LPCWSTR)full;

    EXPECT_STREQ(L"1970", CTime(12 * 3600).Format(L"%Y"));
    EXPECT_TRUE(t.Format(nullptr).IsEmpty());
    EXPECT_EQ(2000, t.Format(CString(L'x', 2000)).GetLength()); // not cut short
}

TEST(CWaitCursorTest, HourglassWhileAliveThenThePreviousCursor)
{
    HCURSOR arrow = ::LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    ::SetCursor(arrow);
    {
        CWaitCursor wait;
        EXPECT_EQ(::LoadCursorW(nullptr, (LPCWSTR)IDC_WAIT), ::GetCursor());
    }
    EXPECT_EQ(arrow, ::GetCursor());
}

} // namespace
