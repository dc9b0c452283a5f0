// The engine's text table: localised overrides, the string table (id + 5000)
// behind an empty override, the defaults, the format check of the texts used
// as formats, the line breaks and the size units.
#include <gtest/gtest.h>
#include "EngineTexts.h"
#include "TestFiles.h"

TEST(EngineTexts, OverridesResourcesDefaultsAndFormats)
{
    CTempFolder folder(L"texts");
    std::wstring language = folder.File(L"lang.lng");
    WriteText(language, "[Merovin]\r\n101=Lesezeichen\r\n102=\r\n106=Alle in '%d'?\r\n"
                        "120=Es gibt %d Lister.|Trotzdem beenden?\r\n121=Mehrere|Dateien\r\n15=B|K|M|G|T|P|E\r\n");
    CEngineTexts texts;
    texts.Load(language.c_str(), GetModuleHandleW(nullptr));
    struct Case {
        int id;
        const wchar_t* text;
    } cases[] = {
        {101, L"Lesezeichen"},                              // override
        {102, L"Resource clear"},                           // empty override: string table
        {110, L"Resource next"},                            // no override: string table
        {111, L"&Prev Bookmark"},                           // neither: default
        {106, L"All files belong to '%s' folder. Apply selection?"}, // "%d" for "%s": default
        {120, L"Es gibt %d Lister.\nTrotzdem beenden?"},    // same specifier, "|" a line break
        {121, L"Mehrere\nDateien"},
        {50, L"Sticked files are sorted automatically.\r\nDisable sorting to set file order manually."},
        {999, L""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.text, texts.Text(c.id).GetString()) << c.id;
    EXPECT_EQ(5u, texts.SizeUnits().size());
    EXPECT_STREQ(L"T", texts.SizeUnits()[4].GetString());

    WriteText(language, "[Merovin]\r\n120=%s Lister|%d\r\n");
    texts.Load(language.c_str(), GetModuleHandleW(nullptr));
    EXPECT_STREQ(L"There are %d open Lister(s).\nExit TC anyway?", texts.Text(120).GetString());
}

TEST(EngineTexts, FormatSpecifiersMustMatch)
{
    struct Case {
        const wchar_t* text;
        bool same;
    } cases[] = {
        {L"'%s' folder", true}, {L"100%% in '%s'", true}, {L"%ls", false}, {L"%s %s", false},
        {L"none", false},       {L"%s %n", false},        {L"%", false},   {L"%-20s", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.same, SameFormatSpecifiers(c.text, L"All in '%s'?")) << c.text;
}
