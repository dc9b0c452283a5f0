// Files: CFile keeps Win32 errors; CStdioFile reads and writes lines.
#include "Framework.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class FileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WCHAR dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        m_path.Format(L"%sfwfile_%lu.bin", dir, GetCurrentProcessId());
    }
    void TearDown() override { DeleteFileW(m_path); }

    void WriteBytes(const std::string& bytes)
    {
        CFile f;
        ASSERT_TRUE(f.Open(m_path, CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(f.Write(bytes.data(), (UINT)bytes.size()));
    }
    std::string ReadBytes()
    {
        CFile f;
        std::string bytes(4096, '\0');
        if (!f.Open(m_path, CFile::modeRead))
            return "<missing>";
        bytes.resize(f.Read(&bytes[0], (UINT)bytes.size()));
        return bytes;
    }

    CString m_path;
};

TEST_F(FileTest, ReadWriteSeekLengthAndErrors)
{
    CFile missing;
    EXPECT_FALSE(missing.Open(m_path + L".none", CFile::modeRead));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, missing.GetError());
    EXPECT_EQ(0u, missing.Read(nullptr, 0));

    CFile f;
    ASSERT_TRUE(f.Open(m_path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive));
    EXPECT_TRUE(f.Write("0123456789", 10));
    EXPECT_EQ(10u, f.GetLength());
    EXPECT_EQ(6u, f.Seek(-4, CFile::end));
    char buf[8] = {};
    EXPECT_EQ(4u, f.Read(buf, 8));
    EXPECT_STREQ("6789", buf);
    EXPECT_EQ(0u, f.Read(buf, 8)); // at the end
    EXPECT_EQ(CFile::kError, f.Seek(-20, CFile::begin));
    EXPECT_EQ((DWORD)ERROR_NEGATIVE_SEEK, f.GetError());

    CFile second;
    EXPECT_FALSE(second.Open(m_path, CFile::modeRead));
    EXPECT_EQ((DWORD)ERROR_SHARING_VIOLATION, second.GetError());
    EXPECT_TRUE(f.SetLength(5));
    f.Close();

    CFile keep; // modeNoTruncate keeps what is there
    ASSERT_TRUE(keep.Open(m_path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    EXPECT_EQ(5u, keep.GetLength());
}

struct LinesCase
{
    const char* name;
    std::string bytes;
    UINT type;
    std::vector<CString> lines;
};

TEST_F(FileTest, StdioFileReadsLines)
{
    const LinesCase cases[] = {
        { "TextMode", "a\r\nb\nc", CFile::typeText, { L"a", L"b", L"c" } },
        { "BinaryKeepsCarriageReturn", "a\r\nb", CFile::typeBinary, { L"a\r", L"b" } },
        { "Empty", "", CFile::typeText, {} },
        { "NoLineAfterTheLastFeed", "x\n", CFile::typeText, { L"x" } },
        { "EmptyLines", "\n\n", CFile::typeText, { L"", L"" } },
        { "AnsiCodePage", "\xE4\xFC", CFile::typeText, { L"\u00E4\u00FC" } },
        { "LongLine", std::string(10000, 'w') + "\nz", CFile::typeText, { CString(L'w', 10000), L"z" } },
    };
    for (const LinesCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(c.bytes);
        CStdioFile f;
        ASSERT_TRUE(f.Open(m_path, CFile::modeRead | c.type));
        std::vector<CString> lines;
        CString line;
        while (f.ReadString(line))
            lines.push_back(line);
        EXPECT_EQ(c.lines, lines);
        EXPECT_TRUE(line.IsEmpty());
        EXPECT_EQ(c.bytes.size(), f.GetPosition());
    }
}

TEST_F(FileTest, StdioFileWritesLinesAndMixesWithReads)
{
    {
        CStdioFile f;
        ASSERT_TRUE(f.Open(m_path, CFile::modeCreate | CFile::modeWrite));
        EXPECT_TRUE(f.WriteString(L"one\ntwo\n"));
    }
    EXPECT_EQ("one\r\ntwo\r\n", ReadBytes());
    {
        CStdioFile f;
        ASSERT_TRUE(f.Open(m_path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        EXPECT_TRUE(f.WriteString(L"one\ntwo"));
    }
    EXPECT_EQ("one\ntwo", ReadBytes());

    // Reads, seeks and writes agree on the position despite the read buffer.
    CStdioFile f;
    ASSERT_TRUE(f.Open(m_path, CFile::modeReadWrite | CFile::typeBinary));
    CString line;
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(4u, f.GetPosition());
    EXPECT_EQ(1u, f.Seek(-3, CFile::current));
    char two[3] = {};
    EXPECT_EQ(2u, f.Read(two, 2));
    EXPECT_STREQ("ne", two);
    EXPECT_TRUE(f.Write("N", 1));
    WCHAR buf[3];
    EXPECT_TRUE(f.ReadString(buf, 3)); // at most two characters
    EXPECT_STREQ(L"tw", buf);
    f.Close();
    EXPECT_EQ("oneNtwo", ReadBytes());
}

} // namespace
