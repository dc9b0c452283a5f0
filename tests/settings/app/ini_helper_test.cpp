// CIniHelper: ints, colours, long values and key lists, whole sections, and
// the host's redirected [Shortcuts].
#include "AppTestFiles.h"
#include "IniHelper.h"
#include <gtest/gtest.h>

namespace {

std::string ReadFileText(LPCWSTR path)
{
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
    std::string text;
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof(buf), &n, nullptr) && n)
        text.append(buf, n);
    CloseHandle(h);
    return text;
}

TEST(CIniHelper, ReadsAndWritesExactly)
{
    CTestFolder folder(L"ini");
    CString file = folder.Write(L"Merovin.ini", "[Colors&Styles]\r\nHash=#FF8000\r\nBare=FF8000\r\nBad=#zz\r\n"
                                                "Empty=\r\n");
    CIniHelper ini(file);
    EXPECT_EQ(file, ini.GetFileName());

    for (int value : { -5, 0, 2147483647 }) {
        EXPECT_TRUE(ini.WriteInt(L"Config", L"Number", value));
        EXPECT_EQ(value, ini.ReadInt(L"Config", L"Number", 42));
    }
    EXPECT_EQ(42, ini.ReadInt(L"Config", L"Missing", 42));

    const struct
    {
        LPCWSTR key;
        COLORREF expected;
    } colours[] = {
        { L"Hash", RGB(255, 128, 0) }, { L"Bare", RGB(255, 128, 0) }, { L"Bad", 0 },
        { L"Empty", RGB(1, 2, 3) },    { L"Missing", RGB(1, 2, 3) },
    };
    for (const auto& c : colours)
        EXPECT_EQ(c.expected, CIniHelper::ReadColour(L"Colors&Styles", c.key, file, RGB(1, 2, 3))) << c.key;
    EXPECT_TRUE(CIniHelper::WriteColour(L"Colors&Styles", L"Out", file, RGB(255, 128, 0)));
    EXPECT_NE(std::string::npos, ReadFileText(file).find("Out=#FF8000\r\n"));
    for (COLORREF removed : { (COLORREF)0xFF000000, (COLORREF)0xFFFFFFFF }) {
        CIniHelper::WriteColour(L"Colors&Styles", L"Hash", file, RGB(9, 9, 9));
        CIniHelper::WriteColour(L"Colors&Styles", L"Hash", file, removed);
        EXPECT_EQ(std::string::npos, ReadFileText(file).find("Hash="));
    }

    // Values and a key list longer than the first buffers come back whole.
    for (int length : { 1022, 1023, 1024, 1025, 65535, 70000 }) {
        CString longValue(L'v', length);
        EXPECT_TRUE(ini.WriteString(L"Config", L"StartupSequence", longValue));
        EXPECT_EQ(longValue, ini.ReadString(L"Config", L"StartupSequence")) << length;
    }
    CStringArray lines;
    for (int i = 0; i < 7000; ++i) {
        CString line;
        line.Format(L"Key%06d=%d", i, i);
        lines.Add(line);
    }
    EXPECT_TRUE(ini.WriteSection(L"Keyboard", lines));
    CStringArray keys;
    ini.ReadKeyNames(L"Keyboard", keys);
    ASSERT_EQ(7000, keys.GetSize());
    EXPECT_EQ(CString(L"Key000000"), keys[0]);
    EXPECT_EQ(CString(L"Key006999"), keys[6999]);
    EXPECT_EQ(CString(L"6999"), ini.ReadString(L"Keyboard", L"Key006999"));
    // Rewriting the section replaces its keys.
    CStringArray one;
    one.Add(L"Only=1");
    EXPECT_TRUE(ini.WriteSection(L"Keyboard", one));
    ini.ReadKeyNames(L"Keyboard", keys);
    ASSERT_EQ(1, keys.GetSize());
    EXPECT_EQ(CString(L"Only"), keys[0]);
}

TEST(CIniHelper, HostSectionsFollowTheRedirection)
{
    CTestFolder folder(L"host");
    CString mainIni = folder.Write(L"wincmd.ini", "[Configuration]\r\nAlternateUserIni=alt.ini\r\n"
                                                  "[Shortcuts]\r\nRedirectSection=1\r\nC+M=cm_main\r\n"
                                                  "[Searches]\r\nDocs_SearchFor=*.main\r\n");
    CString altIni = folder.Write(L"alt.ini", "[Shortcuts]\r\nC+A=cm_alt\r\nA+F1=cm_help\r\n"
                                              "[Searches]\r\nDocs_SearchFor=*.doc\r\n");
    EXPECT_EQ(0, altIni.CompareNoCase(CIniHelper::ResolveShortcutsFile(mainIni)));
    std::vector<WCHAR> buffer;
    DWORD n = CIniHelper::ReadHostShortcuts(buffer, mainIni);
    EXPECT_EQ(std::wstring(L"C+A=cm_alt\0A+F1=cm_help\0", 24), std::wstring(buffer.data(), n));
    // [Searches] is not one of the host's fixed sections: the alternate file.
    n = CIniHelper::ReadProfileBuffer(L"Searches", L"Docs_SearchFor", L"", buffer, mainIni, TRUE);
    EXPECT_EQ(std::wstring(L"*.doc"), std::wstring(buffer.data(), n));
    n = CIniHelper::ReadProfileBuffer(L"Searches", L"Docs_SearchFor", L"", buffer, mainIni, FALSE);
    EXPECT_EQ(std::wstring(L"*.main"), std::wstring(buffer.data(), n));
}

} // namespace
