// CStdioFileEx: lines out of files with and without byte-order marks, and
// the bytes it writes.
#include "StdioFileEx.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

CString TempFile(LPCWSTR name)
{
    WCHAR dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    CString path;
    path.Format(L"%stextfile_%lu_%s", dir, GetCurrentProcessId(), name);
    return path;
}

void WriteBytes(LPCWSTR path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, nullptr);
    CloseHandle(h);
}

std::string ReadBytes(LPCWSTR path)
{
    std::string bytes;
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof(buf), &n, nullptr) && n)
        bytes.append(buf, n);
    CloseHandle(h);
    return bytes;
}

std::string Utf16(const std::wstring& s)
{
    return std::string(reinterpret_cast<const char*>(s.data()), s.size() * 2);
}

std::vector<std::wstring> ReadLines(CStdioFileEx& f)
{
    std::vector<std::wstring> lines;
    CString line;
    while (f.ReadString(line))
        lines.push_back(line.GetString());
    EXPECT_TRUE(line.IsEmpty());
    return lines;
}

struct ReadCase
{
    const char* name;
    std::string bytes;
    std::vector<std::wstring> lines;
};

TEST(CStdioFileEx, ReadsEachEncodingLineByLine)
{
    ASSERT_EQ(1252u, GetACP()); // the ANSI rows below are code page 1252
    const std::wstring longLine(10000, L'x');
    const ReadCase cases[] = {
        { "Utf16Bom", "\xFF\xFE" + Utf16(L"ab\r\n\x0416z\r\nlast"), { L"ab", L"\x0416z", L"last" } },
        { "Utf16OddLastByte", "\xFF\xFE" + Utf16(L"a\nb") + "\x41", { L"a", L"b" } },
        { "Utf8Bom", "\xEF\xBB\xBF" "caf\xC3\xA9\r\nx\n", { L"caf\x00e9", L"x" } },
        { "EfBbAndAnyByteIsUtf8", "\xEF\xBB\x41" "BC\n\xC3\xA9", { L"BC", L"\x00e9" } },
        { "Ansi", "caf\xE9\r\n\xE9t\xE9", { L"caf\x00e9", L"\x00e9t\x00e9" } },
        { "NulCutsTheLine", std::string("a\0b\nc", 5), { L"a", L"c" } },
        { "EmptyLines", "\n\r\nz", { L"", L"", L"z" } },
        { "LongLine", std::string(10000, 'x') + "\nend", { longLine, L"end" } },
        { "LongUtf16Line", "\xFF\xFE" + Utf16(longLine), { longLine } },
        { "Empty", "", {} },
    };
    CString path = TempFile(L"read.txt");
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, c.bytes);
        CStdioFileEx f;
        ASSERT_TRUE(f.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText));
        EXPECT_EQ(c.lines, ReadLines(f));
        // Back at the start the mark is skipped again.
        f.Seek(0, CFile::begin);
        CString first;
        EXPECT_EQ(!c.lines.empty(), f.ReadString(first) != FALSE);
        EXPECT_EQ(c.lines.empty() ? L"" : c.lines[0], std::wstring(first.GetString()));
    }
    // One object reading a UTF-8 file and then an ANSI one reads the second as ANSI.
    CStdioFileEx reused;
    WriteBytes(path, "\xEF\xBB\xBFx");
    ASSERT_TRUE(reused.Open(path, CFile::modeRead));
    reused.Close();
    WriteBytes(path, "\xE9");
    ASSERT_TRUE(reused.Open(path, CFile::modeRead));
    EXPECT_EQ(std::vector<std::wstring>{ L"\x00e9" }, ReadLines(reused));
    reused.Close();
    DeleteFileW(path);
}

struct WriteCase
{
    const char* name;
    UINT flags;
    const char* readFirst; // a file read with the same object first, or NULL
    std::vector<std::wstring> texts;
    std::string bytes;
};

TEST(CStdioFileEx, WritesTheMarkOnceAndConvertsText)
{
    const WriteCase cases[] = {
        { "Utf16", CStdioFileEx::modeUnicode, nullptr, { L"a\x0416\r\n", L"b\r\n" },
          "\xFF\xFE" + Utf16(L"a\x0416\r\nb\r\n") },
        { "AnsiDefaultCharacter", 0, nullptr, { L"\x00e9\x0416\n" }, "\xE9#\n" },
        { "Utf8AfterReadingUtf8", 0, "\xEF\xBB\xBFold", { L"\x0416" }, "\xEF\xBB\xBF\xD0\x96" },
        { "AnsiAfterReadingAnsi", 0, "old", { L"\x00e9" }, "\xE9" },
    };
    CString path = TempFile(L"write.txt");
    CString other = TempFile(L"other.txt");
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        CStdioFileEx f;
        if (c.readFirst) {
            WriteBytes(other, c.readFirst);
            ASSERT_TRUE(f.Open(other, CFile::modeRead));
            f.Close();
        }
        ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText | c.flags));
        for (const std::wstring& t : c.texts)
            EXPECT_TRUE(f.WriteString(t.c_str()));
        f.Close();
        EXPECT_EQ(c.bytes, ReadBytes(path));
    }
    DeleteFileW(path);
    DeleteFileW(other);
}

} // namespace
