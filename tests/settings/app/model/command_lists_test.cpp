// Command lists: rows from text, the host's list with its translations and
// user commands, the engine's own list.
#include "CommandList.h"
#include "EngineCommands.h"
#include "LargeFixture.h"
#include "ModelFiles.h"
#include "OwnCommands.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// "Блокнот" in UTF-8 after the UTF-8 byte-order mark.
const char kMarkedMenu[] = "\xEF\xBB\xBF\xD0\x91\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBD\xD0\xBE\xD1\x82";

std::string Utf16(const wchar_t* text, bool bigEndian = false)
{
    std::string bytes(bigEndian ? "\xFE\xFF" : "\xFF\xFE", 2);
    for (; *text; ++text) {
        char low = char(*text & 0xFF), high = char(*text >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::string RowText(const _CLItem& row)
{
    CString text;
    text.Format(L"%d|%s|%s|%s", row.nFlags, (LPCWSTR)row.strName, (LPCWSTR)row.strNumber,
                (LPCWSTR)row.strDescription);
    return CStringA(text).GetString();
}

} // namespace

TEST(CommandLists, ParseAndAdd)
{
    const struct
    {
        LPCWSTR text;
        int flags;
        int index;
        LPCWSTR name, number, description;
    } cases[] = {
        { L"cm_Copy=3101;Copy files", 0, 0, L"cm_Copy", L"3101", L"Copy files" },
        { L"cm_X=5", 0, 1, L"cm_X", L"N/A", L"N/A" },
        { L"  cm_Y = 7 ; text ", 0, 2, L"cm_Y", L"7", L"text" },
        { L"plain", 0, 3, L"plain", L"", L"" },
        { L"CM_COPY=1;again", RowLanguageIni, -1, nullptr, nullptr, nullptr },
        { L"em_new=;menu", RowLanguageIni, 4, L"em_new", L"", L"menu" },
    };
    CCommandList list(CCommandList::HostCommands);
    for (const auto& c : cases) {
        int index = list.ParseAndAdd(c.text, c.flags);
        ASSERT_EQ(c.index, index) << CStringA(c.text).GetString();
        if (index < 0)
            continue;
        EXPECT_STREQ(c.name, list.GetAt(index).strName);
        EXPECT_STREQ(c.number, list.GetAt(index).strNumber);
        EXPECT_STREQ(c.description, list.GetAt(index).strDescription);
    }
    EXPECT_EQ(0, list.FindCommand(L"3101"));
    EXPECT_EQ(2, list.FindCommand(L"CM_y"));
}

TEST(CommandLists, HostListWithTranslationsAndUserCommands)
{
    const std::string translations = "Files=\"Dateien\"\r\n3101=\"Kopieren\"\r\n5=x\r\nMisc=\"\"\r\n";
    const std::string encodings[] = {
        Utf16(L"Files=\"Dateien\"\r\n3101=\"Kopieren\"\r\n5=x\r\nMisc=\"\"\r\n"),
        "\xEF\xBB\xBF" + translations,
    };
    for (const std::string& translated : encodings) {
        CModelFiles files(L"cl_host");
        CreateDirectoryW(files.Host(L"LANGUAGE"), nullptr);
        files.WriteHost(L"totalcmd.inc", "; comment\r\n[_____Files_____]=0\r\ncm_Copy=3101;Copy files\r\ncm_X=5;Five\r\n"
                                         "  cm_Y = 7 ; text \r\nplain\r\n\r\n[Misc]\r\ncm_Z=8;Zed\r\n"
                                         "[_Commands with parameters_]\r\ncm_Hidden=9;never\r\n");
        files.WriteHost(L"wincmd.ini", "[Configuration]\r\nLanguageINI=WCMD_X.LNG\r\n");
        files.WriteHost(L"LANGUAGE\\WCMD_X.inc", translated);
        files.WriteHost(L"LANGUAGE\\WCMD_X.ini", "[em_tool]\r\nmenu=Werkzeug\r\n[em_lang]\r\nmenu=Sprache\r\n");
        files.WriteHost(L"usercmd.ini", "[em_tool]\r\nmenu=Tool\r\n[other]\r\nx=1\r\n");
        std::unique_ptr<CSettingsModel> model = files.Build();
        const CCommandList& list = model->m_hostList;
        const char* expected[] = {
            "1|Dateien||",        "0|cm_Copy|3101|Kopieren", "0|cm_X|5|x",    "0|cm_Y|7|text",
            "0|plain||",          "1|Misc||",                "0|cm_Z|8|Zed", "1|User-defined commands||",
            "0|em_tool||Tool",    "128|em_lang||Sprache",
        };
        ASSERT_EQ((int)(sizeof(expected) / sizeof(expected[0])), list.GetCount());
        for (int i = 0; i < list.GetCount(); ++i)
            EXPECT_EQ(expected[i], RowText(list.GetAt(i))) << i;
    }
}

// The user commands of a file read once are those that a profile read per
// section gives: its encodings, names and keys in any case, quotes, blanks,
// repeated sections and keys, odd lines and the cut of long menu texts.
TEST(CommandLists, UserCommandsAsTheProfileFunctionsReadThem)
{
    const std::string quirks =
        "menu=before any section\r\n[em_a]\r\nMENU = \"quoted\" \r\n[EM_b]\r\nmenu=x\r\n[em_c]\r\ncmd=1\r\n"
        "  Menu\t=  spaced \x1A \r\n[em_A]\r\nmenu=second of its name\r\n[em_d ]\r\nmenu=trailing blank\r\n"
        "[ em_e]\r\nmenu=leading blank\r\n[em_f\r\nmenu=no bracket\r\n[em_g]\r\nmenu\r\nmenu=after a bare key\r\n"
        "[em_h]x]\r\nmenu=last bracket\r\n[em_i]\r\nmenu='single'\r\n[em_j]\r\nmenu=\"half\r\n[em_k]\nmenu=lf\r"
        "cr\n[em_l]\rmenu=cr only\r[em_m]\r\nmenu=\"\"\r\n[]\r\nmenu=unnamed\r\n[em_n]\r\n=x\r\nmenu = a = b\r\n"
        "[em_o]\r\nmenu=\"" + std::string(1023, 'q') + "\"\r\n[em_p]\r\nmenu=\"" + std::string(1022, 'q') + "\"\r\n"
        "[em_q]\r\nmenu=" + std::string(1500, 'l') + "\r\n[em_r]\r\nmenu=" + std::string(1023, 'r') + "\r\n"
        "[em_s]\r\nmenu=" + std::string(1024, 's') + "\r\n[em_t]\r\nmenu=\"" + std::string(1030, 't') + "\"\r\n[em_u]";
    const std::string other = "\r\n[em_\xC3\x84]\r\nmenu=\xE2\x82\xAC 1\r\n[em_\xC3\xA4]\r\nmenu=2\r\n[em_v]\r\nmenu=\xC3\xA9\r\n"
                              "[em_y]\r\nmenu=\xC2\xA0\xE3\x80\x80\xC2\x85wide\x1C\x0B\x0C\xE3\x80\x80\xC2\xA0\r\n";
    const struct
    {
        const char* name;
        std::string bytes;
    } files[] = {
        { "ansi", quirks + "\r\n[em_\xC4]\r\nmenu=\x80 \xA0\r\n[em_\xE4]\r\nmenu=\xA0\xE9" },
        { "utf8", "\xEF\xBB\xBF" + quirks + other },
        { "utf16", Utf16(L"[em_\x00C4]\r\nmenu=\x20AC 1\r\n[em_\x00E4]\r\nmenu=2\r\n[EM_x]\r\nmenu=3\r\n[em_X]\r\nmenu=4") },
        { "utf16be", Utf16(L"[em_w]\nmenu=big \x20AC", true) },
        { "empty", "" },
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        CModelFiles model(L"cl_profile");
        CString path = model.WriteHost(L"usercmd.ini", file.bytes);
        std::wstring expected;
        std::vector<WCHAR> names(65536);
        GetPrivateProfileSectionNamesW(names.data(), (DWORD)names.size(), path);
        for (const WCHAR* name = names.data(); *name; name += wcslen(name) + 1) {
            if (wcsncmp(name, L"em_", 3) != 0)
                continue;
            WCHAR menu[1025] = {};
            GetPrivateProfileStringW(name, L"menu", L"", menu, 1024, path);
            CString text(menu);
            text.Trim(L" \t");
            expected += std::wstring(name) + L"=" + text.GetString() + L"\n";
        }
        std::wstring listed;
        std::unique_ptr<CSettingsModel> built = model.Build();
        for (int i = 0; i < built->m_hostList.GetCount(); ++i) {
            const _CLItem& row = built->m_hostList.GetAt(i);
            if (!(row.nFlags & RowGroup))
                listed += std::wstring(row.strName.GetString()) + L"=" + row.strDescription.GetString() + L"\n";
        }
        EXPECT_EQ(expected, listed);
    }
}

// Run twice by ctest: under the ANSI code page 1252 the marked text stays as
// the profile functions read it; under 1251 it is decoded again as UTF-8.
TEST(CommandLists, Utf8MarkedMenuText)
{
    CModelFiles files(L"cl_marker");
    files.WriteHost(L"usercmd.ini", std::string("[em_marked]\r\nmenu=") + kMarkedMenu + "\r\n");
    // The second run says which code page it must have.
    WCHAR codePage[16] = {};
    if (GetEnvironmentVariableW(L"MEROVIN_EXPECT_ACP", codePage, 16)) {
        ASSERT_EQ((UINT)_wtoi(codePage), GetACP());
    }
    std::unique_ptr<CSettingsModel> model = files.Build();
    ASSERT_EQ(2, model->m_hostList.GetCount());
    WCHAR asRead[64] = {};
    MultiByteToWideChar(CP_ACP, 0, kMarkedMenu, -1, asRead, 64);
    LPCWSTR expected = GetACP() == 1251 ? L"\x0411\x043B\x043E\x043A\x043D\x043E\x0442" : asRead;
    EXPECT_STREQ(expected, model->m_hostList.GetAt(1).strDescription) << GetACP();
}

TEST(CommandLists, LargeHostListAndOwnList)
{
    CModelFiles files(L"cl_large");
    LargeFixture::Write(files);
    files.WriteOwn(L"lang.ini", "[Prefector]\r\n113=Anheften\r\n127=Verschiedenes\r\n");
    WritePrivateProfileStringW(L"Config", L"Localizator", files.Own(L"lang.ini"), files.Own(L"Merovin.ini"));
    std::unique_ptr<CSettingsModel> model = files.Build();

    const CCommandList& host = model->m_hostList;
    using namespace LargeFixture;
    ASSERT_EQ(kCategories + kCommands + 1 + kUserCommands, host.GetCount());
    EXPECT_EQ("1|Kategorie 0||", RowText(host.GetAt(0)));
    EXPECT_EQ("0|cm_Command699|1699|Befehl 699", RowText(host.GetAt(host.FindCommand(L"1699"))));
    EXPECT_EQ(-1, host.FindCommand(L"cm_WithParameter"));
    EXPECT_EQ("0|em_user49||User command 49", RowText(host.GetAt(host.GetCount() - 1)));

    const CCommandList& own = model->m_ownList;
    ASSERT_EQ(28, own.GetCount());
    ASSERT_EQ(28, OwnCommandRowCount());
    for (int i = 0; i < own.GetCount(); ++i) {
        const OwnCommandRow& row = OwnCommandRows()[i];
        EXPECT_EQ(row.groupTextId ? RowGroup : 0, own.GetAt(i).nFlags & RowGroup) << i;
        if (!row.groupTextId) {
            EXPECT_STREQ(EngineCommandName(row.command), own.GetAt(i).strName) << i;
        }
    }
    const struct
    {
        int row;
        const char* text;
    } rows[] = {
        { 0, "1|Sticky Files||" },      { 1, "0|StickIt||Anheften" },
        { 2, "0|UnStickIt||Unstick the file under cursor" },
        { 6, "1|Bookmarks||" },         { 16, "1|Verschiedenes||" },
        { 27, "0|GotoDirRelative||Set other panel to relative dir" },
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.text, RowText(own.GetAt(r.row))) << r.row;
    EXPECT_EQ(9, BookmarkPageCommandCount());
    EXPECT_EQ(5, StickyPageCommandCount());
    EXPECT_STREQ(L"ToggleSaveBookmark", EngineCommandName(BookmarkPageCommands()[8].command));
}
