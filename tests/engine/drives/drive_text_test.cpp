#include <gtest/gtest.h>
#include <vector>
#include "DriveInfo.h"
#include "DriveListText.h"

TEST(DriveListText, SizesAndFreeSpace)
{
    SizeUnits units;
    struct { ULONGLONG bytes; LPCWSTR text; } sizes[] = {
        {1024, L"1024.00b"}, {1025, L"1.00Kb"}, {1048577, L"1024.00Kb"}, {1049600, L"1.00Mb"},
        {5ULL << 40, L"5.00Tb"}, {3000ULL << 40, L"3000.00Tb"}};
    for (auto& s : sizes)
        EXPECT_STREQ(s.text, ScaleSize(s.bytes, units)) << s.bytes;
    EXPECT_STREQ(L"\t 1.00Kb/1024.00b ", FreeSpaceText(1025, 1024, units));

    // A localised text with fewer than five units keeps the built-in rest.
    units.Read(L"B|KB");
    EXPECT_STREQ(L"1.00KB", ScaleSize(1025, units));
    EXPECT_STREQ(L"2.00Gb", ScaleSize(2ULL << 30, units));

    struct { UINT type; WCHAR letter; bool categorised; bool shows; } space[] = {
        {DRIVE_FIXED, L'A', false, true}, {DRIVE_REMOVABLE, L'C', false, false}, {DRIVE_REMOVABLE, L'C', true, true},
        {DRIVE_REMOVABLE, L'B', true, false}, {DRIVE_REMOVABLE, L'D', false, true}, {DRIVE_REMOTE, L'Y', true, false},
        {DRIVE_CDROM, L'E', false, false}};
    for (auto& s : space)
        EXPECT_EQ(s.shows, ShowsFreeSpace(s.type, s.letter, s.categorised)) << s.type << char(s.letter);
}

TEST(DriveListText, DisplayNameForShowDriveLettersFirst)
{
    struct { LPCWSTR name; int value; UINT type; LPCWSTR shown; } rules[] = {
        {L"Work (D:)", 0, DRIVE_FIXED, L"Work "},
        {L"Work (D:)", 1, DRIVE_FIXED, L"Work "},
        {L"share (\\\\srv) (Y:)", 1, DRIVE_REMOTE, L" (Y:)"},
        {L"share (\\\\srv) (Y:)", 0, DRIVE_REMOTE, L"share (\\\\srv) "},
        {L"(D:) Work", 4, DRIVE_FIXED, L" Work"},
        {L"Plain", 4, DRIVE_FIXED, L"Plain"},
        {L"Plain", 1, DRIVE_REMOTE, L"Plain"},
        {L"Plain", 0, DRIVE_FIXED, L"Plain"},
        {L"Work (D:)", 2, DRIVE_FIXED, L"Work (D:)"},
    };
    for (auto& r : rules)
        EXPECT_STREQ(r.shown, DriveNameForSetting(r.name, r.value, r.type)) << r.name << " " << r.value;
}

TEST(DriveListText, FtpLogSlots)
{
    FtpSlots slots;
    for (LPCWSTR line : {L"0 hostname=ftp.example.org", L"0 username=anon", L"1 hostname=h1", L"2 hostname=h2",
                         L"12 hostname=big", L"x hostname=none", L"1 QUIT", L"2 :QUIT now", L"05 hostname=five",
                         L"03 hostname=three", L"003 :QUIT", L"010 hostname=ten"})
        slots.ReadLine(line);
    EXPECT_STREQ(L"ftp.example.org(anon)", slots.host[0]);
    EXPECT_STREQ(L"", slots.host[1]);
    EXPECT_STREQ(L"", slots.host[2]);
    EXPECT_STREQ(L"five", slots.host[5]); // leading zeros: the slot is the number
    EXPECT_STREQ(L"", slots.host[3]);
}

namespace {

// Network resources per pass (remembered, connected), and how each pass ends.
struct FakeNet {
    std::vector<std::pair<LPCWSTR, LPCWSTR>> pass[2]; // local name, remote name
    DWORD openError[2] = {NO_ERROR, NO_ERROR};
    DWORD endError = ERROR_NO_MORE_ITEMS;
    int current = -1;
    bool given = false;
} g_net;

DWORD WINAPI NetOpen(DWORD scope, DWORD, DWORD, LPNETRESOURCEW, LPHANDLE handle)
{
    g_net.current = scope == RESOURCE_REMEMBERED ? 0 : 1;
    g_net.given = false;
    *handle = HANDLE(1);
    return g_net.openError[g_net.current];
}
DWORD WINAPI NetEnum(HANDLE, LPDWORD count, LPVOID buffer, LPDWORD)
{
    if (g_net.given)
        return g_net.endError;
    g_net.given = true;
    auto& items = g_net.pass[g_net.current];
    auto* resources = static_cast<NETRESOURCEW*>(buffer);
    for (size_t i = 0; i < items.size(); ++i) {
        resources[i].lpLocalName = const_cast<LPWSTR>(items[i].first);
        resources[i].lpRemoteName = const_cast<LPWSTR>(items[i].second);
    }
    *count = DWORD(items.size());
    return NO_ERROR;
}
DWORD WINAPI NetClose(HANDLE) { return NO_ERROR; }
const NetworkSource FakeNetSource = {NetOpen, NetEnum, NetClose};

} // namespace

TEST(DriveInfo, LocalAndNetworkLetters)
{
    std::wstring longName(300, L'r');
    CDriveInfo info;
    // The system: no network here, yet the local letters are complete.
    info.Refresh();
    EXPECT_TRUE(info.DriveMask() & (1u << 2));
    EXPECT_EQ(DWORD(DRIVE_FIXED), info.DriveType(L"C:\\"));
    for (LPCWSTR path : {L"+", L"*", L"\\", L"c:\\", L""})
        EXPECT_EQ(0u, info.DriveType(path)) << path;
    EXPECT_EQ(25, CDriveInfo::LetterIndex(L'Z'));
    EXPECT_EQ(-1, CDriveInfo::LetterIndex(L'a'));

    info.SetNetworkSource(&FakeNetSource);
    g_net.pass[0] = {{L"Y:", L"\\\\srv\\y"}, {L"X:", L"\\\\old\\x"}, {L"w:", L"\\\\srv\\w"}, {nullptr, L"\\\\srv\\n"}};
    g_net.pass[1] = {{L"X:", L"\\\\new\\x"}, {L"V:", longName.c_str()}};
    EXPECT_EQ(1, info.Refresh());
    EXPECT_EQ(DWORD(DRIVE_REMOTE), info.DriveType(L"Y"));
    EXPECT_EQ(0u, info.EntryOf(L'Y').connected);
    EXPECT_EQ(1u, info.EntryOf(L'X').connected);
    EXPECT_STREQ(L"\\\\new\\x", info.EntryOf(L'X').remote);
    EXPECT_EQ(260u, wcslen(info.EntryOf(L'V').remote));
    EXPECT_EQ(0u, info.DriveMask() & (1u << (L'W' - L'A')));

    // An enumeration that ends in an error fails but keeps what it found;
    // a second refresh keeps nothing of the first.
    g_net.pass[0] = {{L"Q:", L"\\\\srv\\q"}};
    g_net.pass[1].clear();
    g_net.endError = ERROR_MORE_DATA;
    EXPECT_EQ(0, info.Refresh());
    EXPECT_EQ(DWORD(DRIVE_REMOTE), info.DriveType(L"Q"));
    EXPECT_EQ(0u, info.DriveType(L"Y"));
    g_net.endError = ERROR_NO_MORE_ITEMS;

    // The first pass cannot open: failure, no second pass, local scan done.
    g_net.openError[0] = ERROR_NO_NETWORK;
    EXPECT_EQ(0, info.Refresh());
    EXPECT_EQ(0u, info.DriveType(L"Q"));
    EXPECT_EQ(DWORD(DRIVE_FIXED), info.DriveType(L"C"));
    g_net.openError[0] = NO_ERROR;
}
