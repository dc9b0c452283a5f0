#include <gtest/gtest.h>
#include <windows.h>

TEST(Platform, Smoke)
{
    EXPECT_NE(GetDesktopWindow(), nullptr);
}
