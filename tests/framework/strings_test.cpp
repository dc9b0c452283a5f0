// CString and CStringA behaviour the rest of the code relies on.
#include "Framework.h"
#include "fwtest_res.h"
#include <gtest/gtest.h>

TEST(CStringFormat, WideS_IsWideString)
{
    // %s in a wide format must take a wide string (Microsoft semantics);
    // C99 wide printf would read it as narrow and print "H" or garbage.
    CString s;
    s.Format(L"<%s>", L"Hello wide");
    EXPECT_STREQ(L"<Hello wide>", (LPCWSTR)s);
    CString name(L"Grüße");
    s.Format(L"%s|%hs|%c", (LPCWSTR)name, "narrow", L'x');
    EXPECT_STREQ(L"Grüße|narrow|x", (LPCWSTR)s);
}

TEST(CStringFormat, IntegersAndAppend)
{
    CString s;
    s.Format(L"%d %I64d %02X %u", -42, (__int64)1234567890123LL, 0xA, 7u);
    EXPECT_STREQ(L"-42 1234567890123 0A 7", (LPCWSTR)s);
    s.AppendFormat(L"+%03d", 5);
    EXPECT_STREQ(L"-42 1234567890123 0A 7+005", (LPCWSTR)s);

    // Longer than any first guess of a buffer size.
    CString big(L'z', 5000);
    s.Format(L"[%s]", (LPCWSTR)big);
    EXPECT_EQ(5002, s.GetLength());
    EXPECT_EQ(L'z', s[4999]);

    CStringA a;
    a.Format("%s=%d", "key", 3);
    EXPECT_STREQ("key=3", (LPCSTR)a);
    EXPECT_EQ(5, a.GetLength());
}

TEST(CStringSearch, FindEdges)
{
    CString s(L"a.b.c");
    EXPECT_EQ(1, s.Find(L'.'));
    EXPECT_EQ(3, s.Find(L'.', 2));
    EXPECT_EQ(-1, s.Find(L'.', 4));
    EXPECT_EQ(-1, s.Find(L'.', 99));
    EXPECT_EQ(-1, s.Find(L'.', -1));
    EXPECT_EQ(2, s.Find(L"b.c"));
    EXPECT_EQ(5, s.Find(L"", 5)); // empty needle at the end
    EXPECT_EQ(-1, s.Find(L"c.", 0));
    EXPECT_EQ(3, s.ReverseFind(L'.'));
    EXPECT_EQ(-1, s.ReverseFind(L'x'));
    EXPECT_EQ(1, s.FindOneOf(L"x.c"));
    EXPECT_EQ(-1, CString().Find(L'a'));
}

TEST(CStringSearch, MidLeftRightClamp)
{
    CString s(L"abcdef");
    EXPECT_STREQ(L"cdef", (LPCWSTR)s.Mid(2));
    EXPECT_STREQ(L"cd", (LPCWSTR)s.Mid(2, 2));
    EXPECT_STREQ(L"ef", (LPCWSTR)s.Mid(4, 100));
    EXPECT_STREQ(L"", (LPCWSTR)s.Mid(6));
    EXPECT_STREQ(L"", (LPCWSTR)s.Mid(99, 1));
    EXPECT_STREQ(L"ab", (LPCWSTR)s.Mid(-3, 2));
    EXPECT_STREQ(L"", (LPCWSTR)s.Left(-1));
    EXPECT_STREQ(L"abcdef", (LPCWSTR)s.Left(10));
    EXPECT_STREQ(L"def", (LPCWSTR)s.Right(3));
    EXPECT_STREQ(L"abcdef", (LPCWSTR)s.Right(30));
    EXPECT_STREQ(L"", (LPCWSTR)s.Right(0));
}

TEST(CStringEdit, ReplaceRemoveInsertDelete)
{
    CString s(L"aaa");
    EXPECT_EQ(1, s.Replace(L"aa", L"b")); // no overlapping matches
    EXPECT_STREQ(L"ba", (LPCWSTR)s);
    s = L"x-y-z";
    EXPECT_EQ(2, s.Replace(L"-", L"--"));  // replacement contains the pattern
    EXPECT_STREQ(L"x--y--z", (LPCWSTR)s);
    EXPECT_EQ(0, s.Replace(L"", L"q"));
    EXPECT_EQ(4, s.Replace(L'-', L'+'));
    EXPECT_EQ(2, s.Replace(L"++", nullptr));
    EXPECT_STREQ(L"xyz", (LPCWSTR)s);
    EXPECT_EQ(1, s.Remove(L'y'));
    EXPECT_EQ(3, s.Insert(1, L'Y'));
    EXPECT_EQ(5, s.Insert(99, L"!!"));
    EXPECT_STREQ(L"xYz!!", (LPCWSTR)s);
    EXPECT_EQ(3, s.Delete(3, 50));
    EXPECT_EQ(3, s.Delete(7));
    EXPECT_STREQ(L"xYz", (LPCWSTR)s);
}

TEST(CStringEdit, TrimAndCase)
{
    CString s(L" \t x y \r\n");
    s.Trim();
    EXPECT_STREQ(L"x y", (LPCWSTR)s);
    s = L"--a-b--";
    EXPECT_STREQ(L"a-b--", (LPCWSTR)CString(s).TrimLeft(L'-'));
    EXPECT_STREQ(L"--a-b", (LPCWSTR)CString(s).TrimRight(L"-"));
    EXPECT_STREQ(L"a", (LPCWSTR)CString(L"xyaxy").Trim(L"xy"));
    EXPECT_STREQ(L"", (LPCWSTR)CString(L"   ").Trim());
    s = L"ÄbC";
    EXPECT_STREQ(L"äbc", (LPCWSTR)CString(s).MakeLower());
    EXPECT_STREQ(L"ÄBC", (LPCWSTR)CString(s).MakeUpper());
    EXPECT_EQ(0, s.CompareNoCase(L"äBc"));
    EXPECT_NE(0, s.Compare(L"äbc"));
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_TRUE(L"abc" == CString(L"abc"));
    EXPECT_TRUE(CString(L"abc") != L"abd");
}

TEST(CStringEdit, TokenizeAndSpans)
{
    CString s(L";a;;bc;");
    int pos = 0;
    EXPECT_STREQ(L"a", (LPCWSTR)s.Tokenize(L";", pos));
    EXPECT_STREQ(L"bc", (LPCWSTR)s.Tokenize(L";", pos));
    EXPECT_STREQ(L"", (LPCWSTR)s.Tokenize(L";", pos));
    EXPECT_EQ(-1, pos);
    EXPECT_STREQ(L"123", (LPCWSTR)CString(L"123abc").SpanIncluding(L"0123456789"));
    EXPECT_STREQ(L"key", (LPCWSTR)CString(L"key=value").SpanExcluding(L"=;"));
}

TEST(CStringBuffer, GetBufferReleaseBuffer)
{
    CString s(L"abc");
    LPWSTR p = s.GetBuffer(10);
    wcscpy(p, L"longer text"); // 11 characters: 10 asked for plus the terminator slot
    s.ReleaseBuffer();
    EXPECT_STREQ(L"longer text", (LPCWSTR)s);

    p = s.GetBuffer(3); // never shrinks the buffer
    p[2] = 0;
    s.ReleaseBuffer();
    EXPECT_STREQ(L"lo", (LPCWSTR)s);

    p = s.GetBufferSetLength(4);
    memcpy(p, L"wxyz", 4 * sizeof(WCHAR));
    s.ReleaseBuffer(2);
    EXPECT_STREQ(L"wx", (LPCWSTR)s);
    s.GetBuffer(5);
    s.ReleaseBuffer(500); // bounded by the buffer
    EXPECT_EQ(5, s.GetLength());

    DWORD n = GetModuleFileNameW(nullptr, s.GetBuffer(MAX_PATH), MAX_PATH);
    s.ReleaseBuffer();
    EXPECT_EQ((int)n, s.GetLength());
}

TEST(CStringMisc, ConversionAndConcatenation)
{
    CString narrow("plain ascii");
    EXPECT_STREQ(L"plain ascii", (LPCWSTR)narrow);
    CString s = CString(L"a") + L"b" + L'c' + CString(L"d");
    EXPECT_STREQ(L"abcd", (LPCWSTR)s);
    s = s.GetString() + 1; // assignment from a pointer into itself
    EXPECT_STREQ(L"bcd", (LPCWSTR)s);
    EXPECT_EQ(0, s[-1]);
    EXPECT_EQ(0, s[3]);
    s.SetAt(10, L'q'); // ignored
    EXPECT_STREQ(L"bcd", (LPCWSTR)s);
    CStringA a(L"wide");
    EXPECT_STREQ("wide", (LPCSTR)a);
}

TEST(CStringResource, LoadStringFromModule)
{
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_FWTEST_HELLO));
    EXPECT_STREQ(L"Hello from the string table", (LPCWSTR)s);
    EXPECT_FALSE(s.LoadString(IDS_FWTEST_MISSING));
    EXPECT_TRUE(s.IsEmpty());
    CString byId(MAKEINTRESOURCEW(IDS_FWTEST_LONG));
    EXPECT_EQ(600, byId.GetLength());
}
