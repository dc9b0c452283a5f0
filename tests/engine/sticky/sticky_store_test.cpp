// The sticky file's writer on a real file: every place code, no write when
// nothing changes, no entry lost past key 100, a new file in UTF-16; and the
// "Order" lookups that follow each write.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "FakeEngine.h"
#include "StickyFile.h"
#include "TestFiles.h"

namespace {

std::string ReadAll(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// The names of a section, "a,b,c".
std::wstring Section(const std::wstring& file, const wchar_t* folder)
{
    std::wstring names;
    for (int key = 1;; ++key) {
        wchar_t value[1024] = {};
        GetPrivateProfileStringW(folder, std::to_wstring(key).c_str(), L"", value, 1024, file.c_str());
        if (!value[0])
            return names;
        names += (key > 1 ? L"," : L"") + std::wstring(value);
    }
}

class CStickyEngine : public CFakeEngine {
public:
    EnginePaths paths;
    const EnginePaths& Paths() const override { return paths; }
};

TEST(StickyStore, PlaceCodesChangeTheSectionOnlyWhenSomethingMoves)
{
    struct Case {
        const wchar_t* before;
        const wchar_t* name;
        int position;
        const wchar_t* after;
        int result;
    } cases[] = {
        {L"a.txt,b.txt", L"c.txt", -2, L"c.txt,a.txt,b.txt", StickyWritten},   // toggle in: first
        {L"c.txt,a.txt,b.txt", L"c.txt", -2, L"a.txt,b.txt", StickyWritten},   // toggle out
        {L"a.txt,b.txt", L"a.txt", 1, L"a.txt,b.txt", StickyUnchanged},        // already first
        {L"a.txt,b.txt", L"c.txt", 5, L"a.txt,b.txt,c.txt", StickyWritten},    // past the end: last
        {L"a.txt,b.txt", L"b.txt", 0, L"b.txt,a.txt", StickyWritten},          // 0 is first
        {L"a.txt,b.txt", L"b.txt", 9, L"a.txt,b.txt", StickyUnchanged},        // already last
        {L"a.txt,b.txt", L"x.txt", -1, L"a.txt,b.txt", StickyUnchanged},       // absent
        {L"a.txt,b.txt", L"x.txt", -7, L"a.txt,b.txt", StickyUnchanged},
        {L"a.txt,b.txt", L"a.txt", -7, L"b.txt", StickyWritten},               // below -3 removes
        {L"report.txt,b.txt", L"REPORT.TXT", 2, L"b.txt,REPORT.TXT", StickyWritten}, // one entry, any case
        {L"a.txt,report.txt", L"REPORT.TXT", 2, L"a.txt,report.txt", StickyUnchanged}, // in place, other case
        {L"a.txt,b.txt", L"a.txt", -3, L"", StickyWritten},                    // the section goes
        {L"", L"a.txt", -3, L"", StickyUnchanged},
    };
    CTempFolder temp(L"stk");
    std::wstring file = temp.File(L"Merovin.stk");
    for (const Case& c : cases) {
        std::string text = "[C:\\Other]\r\n1=keep.txt\r\n";
        std::wstring before = c.before;
        if (!before.empty()) {
            text += "[C:\\Data]\r\n";
            int key = 1;
            for (size_t start = 0; start <= before.size(); ++key) {
                size_t comma = before.find(L',', start);
                std::wstring name = before.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
                text += std::to_string(key) + "=" + std::string(name.begin(), name.end()) + "\r\n";
                start = comma == std::wstring::npos ? before.size() + 1 : comma + 1;
            }
        }
        WriteText(file, text.c_str());
        FILETIME written = {};
        HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        GetFileTime(handle, nullptr, nullptr, &written);
        CloseHandle(handle);
        Sleep(20);
        SCOPED_TRACE(std::wstring(c.before) + L" " + c.name + L" " + std::to_wstring(c.position));
        EXPECT_EQ(c.result, SetStickyPosition(file.c_str(), L"C:\\Data", c.name, c.position));
        EXPECT_EQ(c.after, Section(file, L"C:\\Data"));
        EXPECT_EQ(L"keep.txt", Section(file, L"C:\\Other"));
        if (c.result == StickyUnchanged) {
            EXPECT_EQ(text, ReadAll(file));
            WIN32_FILE_ATTRIBUTE_DATA data = {};
            GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
            EXPECT_EQ(0, CompareFileTime(&written, &data.ftLastWriteTime));
        }
    }
    // Toggling twice gives the section's bytes back; an empty folder is refused.
    WriteText(file, "[C:\\Data]\r\n1=a.txt\r\n2=b.txt\r\n");
    std::string start = ReadAll(file);
    SetStickyPosition(file.c_str(), L"C:\\Data", L"z.txt", -2);
    SetStickyPosition(file.c_str(), L"C:\\Data", L"z.txt", -2);
    EXPECT_EQ(start, ReadAll(file));
    EXPECT_EQ(StickyRefused, SetStickyPosition(file.c_str(), L"", L"a.txt", 1));
    EXPECT_EQ(start, ReadAll(file));
}

TEST(StickyStore, LongSectionsKeepEveryEntryAndNewFilesAreUnicode)
{
    CTempFolder temp(L"stk");
    CStickyEngine engine;
    engine.paths.stickyFile = temp.File(L"Merovin.stk").c_str();
    std::wstring file = engine.paths.stickyFile.GetString();
    CStickyFile sticky(engine);
    // A new file starts with FF FE and keeps names outside the ANSI code page.
    const wchar_t* cyrillic = L"\x0434\x0430\x043D\x043D\x044B\x0435.txt";
    EXPECT_EQ(StickyWritten, sticky.SetStickyPosition(L"C:\\Data", cyrillic, 1));
    EXPECT_EQ(0, ReadAll(file).compare(0, 2, "\xFF\xFE"));
    EXPECT_EQ(1, sticky.Order((L"C:\\DATA\\" + std::wstring(cyrillic)).c_str()));
    // 100 names and one more inserted: the next change drops none of them.
    std::string text = "\xFF\xFE";
    std::wstring lines = L"[C:\\Big]\r\n";
    for (int i = 1; i <= 100; ++i)
        lines += std::to_wstring(i) + L"=f" + std::to_wstring(i) + L".txt\r\n";
    text.append(reinterpret_cast<const char*>(lines.c_str()), lines.size() * 2);
    WriteBytes(file, text.data(), text.size());
    sticky.SetStickyPosition(L"C:\\Big", L"new.txt", 1);
    sticky.SetStickyPosition(L"C:\\Big", L"f50.txt", -1);
    EXPECT_EQ(100, sticky.Order(L"C:\\Big\\f100.txt")); // new.txt came, f50.txt went
    EXPECT_EQ(1, sticky.Order(L"C:\\Big\\NEW.TXT"));
    EXPECT_EQ(0, sticky.Order(L"C:\\Big\\f50.txt"));
    EXPECT_EQ(0, sticky.Order(L"no-folder.txt"));
    EXPECT_EQ(0, sticky.Order(L"C:\\Absent\\f1.txt"));
    // An edit by someone else is seen once the file's time moved.
    WriteText(file, "[C:\\Big]\r\n1=other.txt\r\n");
    Sleep(250);
    EXPECT_EQ(1, sticky.Order(L"C:\\Big\\other.txt"));
}

} // namespace
