// View modes and mark settings through a save and a new load, and the
// engine reading the saved marks.
#include "EngineSettings.h"
#include "ModelFiles.h"
#include <gtest/gtest.h>

namespace {

// "x[1]" and "Config" cannot name modes here: their lines stay as read.
const char kModes[] = "[Config]\r\nAutoView=1\r\n[Keyboard]\r\ncm_Copy=F5\r\n"
                      "[ViewModes]\r\nA=Alpha\r\nBare=Plain\r\nx[1]=\"Bracket\"\r\nM=\r\nGone=Old\r\n"
                      "Config=Reserved\r\n"
                      "[A]\r\nBkgColor=FF8000\r\nTabIcon=%COMMANDER_PATH%\\icons.dll,5\r\nFileGroups=*.txt\r\n"
                      "[Gone]\r\nSort=2\r\n[AutoView]\r\nA=?src\r\nLegacy=?*OLD*\r\nConfig=?x\r\n"
                      "x[1]=?*.tmp\r\n[Legacy]\r\nView=Brief\r\nActive=0\r\n";

std::string Names(const CModeArray& modes)
{
    std::string names;
    for (int i = 0; i < modes.GetCount(); ++i)
        names += CStringA(modes.GetAt(i).strName + L"=" + modes.GetAt(i).strText + L";").GetString();
    return names;
}

} // namespace

TEST(ViewModes, LoadEditSaveAndLoadAgain)
{
    CModelFiles files(L"vm_cycle");
    files.WriteOwn(L"Merovin.ini", kModes);
    CPromptScript script;
    std::unique_ptr<CSettingsModel> model = files.Build();
    CModeArray& modes = model->m_modes;

    // [AutoView]-only modes count; no mode takes a reserved name.
    EXPECT_EQ("A=Alpha;Bare=Plain;M=;Gone=Old;Legacy=<None>;", Names(modes));
    const _tModeDef& a = modes.GetAt(0);
    EXPECT_EQ(RGB(255, 128, 0), a.crBkgColor);
    EXPECT_EQ(files.Host(L"icons.dll"), a.strIconFile);
    EXPECT_EQ(5, a.nIconIndex);
    EXPECT_EQ(1, a.nGroupping);
    EXPECT_EQ(0, a.nGroupping2);
    EXPECT_STREQ(L"?src", a.strRules);
    const _tModeDef& bare = modes.GetAt(1);
    EXPECT_EQ(1, bare.nActive);
    EXPECT_EQ(ModeNoColour, bare.crBkgColor);
    EXPECT_EQ(ModeNoColour, bare.crTabColor);
    EXPECT_EQ(0, bare.nGroupping + bare.nAutorun);
    EXPECT_EQ(0, modes.GetAt(4).nActive);

    // Names that cannot be sections are refused with a message.
    const struct
    {
        LPCWSTR name;
        int index;
        CModeArray::NameCheck check;
    } names[] = {
        { L"config", -1, CModeArray::NameReserved }, { L"a=b", -1, CModeArray::NameReserved },
        { L"[x]", -1, CModeArray::NameReserved },    { L" B", -1, CModeArray::NameReserved },
        { L"bare", -1, CModeArray::NameTaken },      { L"bare", 1, CModeArray::NameValid },
        { L"New", -1, CModeArray::NameValid },
    };
    for (const auto& n : names)
        EXPECT_EQ(n.check, modes.CheckName(n.name, n.index)) << CStringA(n.name).GetString();
    EXPECT_FALSE(modes.AcceptName(L"Keyboard", -1, model->m_localizer));
    EXPECT_FALSE(modes.AcceptName(L"M", -1, model->m_localizer));
    // (The first prompt: [Keyboard] names a command of a host list that is missing.)
    ASSERT_EQ(3, script.m_prompts.GetSize());
    EXPECT_EQ(0, script.Text(1).Find(L"'Keyboard' cannot name a view mode"));
    EXPECT_STREQ(L"View mode 'M' already exists.", script.Text(2));

    // Rename, delete, add with long values, reorder; a record named after a
    // settings section is never allowed to delete it.
    modes.Rename(0, L"B");
    modes.Rename(0, L"B2");
    modes.RemoveAt(3);
    _tModeDef added;
    added.strName = L"New";
    added.strText = L"Fresh";
    added.strGroups = CString(L'g', 600);
    added.strBkgPic = L"C:\\" + CString(L'p', 1000) + L".png";
    added.nGroupping = 2;
    modes.Add(added);
    modes.Move(3, 0);
    _tModeDef keyboard;
    keyboard.strName = L"Keyboard";
    modes.Add(keyboard);
    modes.RemoveAt(modes.GetCount() - 1);
    {
        CEnvironmentValue host(L"COMMANDER_PATH", files.Host());
        modes.SaveModes();
    }

    std::string ini = files.OwnIni();
    // Lines of modes the utility cannot edit keep their places in the order read.
    EXPECT_EQ("Legacy=<None>\r\nB2=Alpha\r\nx[1]=\"Bracket\"\r\nBare=Plain\r\nM=\r\nConfig=Reserved\r\n"
              "New=Fresh\r\n",
              CModelFiles::Section(ini, "ViewModes"));
    EXPECT_EQ("Legacy=?*OLD*\r\nB2=?src\r\nConfig=?x\r\nx[1]=?*.tmp\r\n", CModelFiles::Section(ini, "AutoView"));
    EXPECT_EQ("AutoView=1\r\nKeepScope=1\r\n", CModelFiles::Section(ini, "Config"));
    EXPECT_EQ(std::string::npos, ini.find("[A]"));
    EXPECT_EQ(std::string::npos, ini.find("[Gone]"));
    EXPECT_EQ("cm_Copy=F5\r\n", CModelFiles::Section(ini, "Keyboard"));
    EXPECT_NE(std::string::npos, ini.find("TabIcon=%COMMANDER_PATH%\\icons.dll,5\r\n"));
    EXPECT_EQ(0u, CModelFiles::Section(ini, "Legacy").find("View=Brief\r\nActive=0\r\nSort=0\r\n"));

    // Two more cycles give the same modes and file.
    for (int cycle = 0; cycle < 2; ++cycle) {
        std::unique_ptr<CSettingsModel> again = files.Build();
        EXPECT_EQ("Legacy=<None>;B2=Alpha;Bare=Plain;M=;New=Fresh;", Names(again->m_modes));
        const _tModeDef& fresh = again->m_modes.GetAt(4);
        EXPECT_EQ(added.strGroups, fresh.strGroups);
        EXPECT_EQ(added.strBkgPic, fresh.strBkgPic);
        EXPECT_EQ(1, fresh.nGroupping);
        CEnvironmentValue host(L"COMMANDER_PATH", files.Host());
        again->m_modes.SaveModes();
        EXPECT_EQ(ini, files.OwnIni());
    }
}

TEST(MarkSettings, RoundTripBackgroundsAndTheEngine)
{
    CModelFiles files(L"mk_marks");
    files.WriteOwn(L"Merovin.ini", "[Config]\r\nDefPreviewFile=b-2.bkg.bmp\r\n"
                                   "[Colors&Styles]\r\nStickStyle=1\r\nMarkPercent=40\r\nBookMarkColor=E696E6\r\n");
    files.WriteOwn(L"a-1.bkg.bmp", "BM");
    files.WriteOwn(L"b-2.bkg.bmp", "BM");
    std::unique_ptr<CSettingsModel> model = files.Build();
    ASSERT_EQ(3, model->m_backgrounds.GetSize());
    EXPECT_STREQ(L"<Default>", model->m_backgrounds[0]);
    EXPECT_STREQ(L"b-2.bkg.bmp", model->m_backgrounds[model->m_marks.nBackground]);

    CMarkSettings& marks = model->m_marks;
    EXPECT_EQ(0, marks.sticky.nStyle);
    EXPECT_EQ(1, marks.cursor.nStyle);
    EXPECT_EQ(40, marks.bookmark.nFill);
    EXPECT_EQ(40, marks.cursor.nFill);
    EXPECT_EQ((COLORREF)0xE696E6, marks.bookmark.crColour);
    EXPECT_EQ(ColorAutomatic, marks.cursor.crColour);
    EXPECT_EQ(1, marks.sticky.nExtra);

    marks.bookmark.nEnabled = 1;
    marks.bookmark.nStyle = 2;
    marks.bookmark.crColour = RGB(255, 128, 0);
    marks.sticky.nFill = 150;
    SaveMarkSettings(marks, CIniHelper(files.Own(L"Merovin.ini")), model->m_backgrounds);
    std::string ini = files.OwnIni();
    EXPECT_EQ("DefPreviewFile=b-2.bkg.bmp\r\nStickyFiles=0\r\nStickySort=1\r\nBookMarks=1\r\nPersistBookmarks=0\r\n"
              "LostFocus=0\r\n",
              CModelFiles::Section(ini, "Config"));
    CString stick;
    stick.Format(L"StickColor=#%02X%02X%02X\r\n", GetRValue(GetSysColor(COLOR_ACTIVECAPTION)),
                 GetGValue(GetSysColor(COLOR_ACTIVECAPTION)), GetBValue(GetSysColor(COLOR_ACTIVECAPTION)));
    EXPECT_EQ("StickStyle=2\r\nMarkPercent=40\r\nBookMarkColor=#FF8000\r\n" + std::string(CStringA(stick).GetString()) +
                  "MarkPercentStick=150\r\nBookMarkStyle=4\r\nMarkPercentBM=40\r\nLostFocusStyle=3\r\n"
                  "MarkPercentCursor=40\r\n",
              CModelFiles::Section(ini, "Colors&Styles"));

    EngineSettings engine;
    ReadSettingsTable(engine, files.Own(L"Merovin.ini"), 0);
    EXPECT_EQ(1, engine.BookMarks);
    EXPECT_EQ(RGB(255, 128, 0), engine.BookMarkColor);
    EXPECT_EQ(5, engine.BookMarkStyle);
    EXPECT_EQ(3, engine.StickStyle);
    EXPECT_EQ(150, engine.MarkPercentStick);
    EXPECT_EQ(40, engine.MarkPercentBM);

    // "<Default>" removes the key.
    marks.nBackground = 0;
    SaveMarkSettings(marks, CIniHelper(files.Own(L"Merovin.ini")), model->m_backgrounds);
    EXPECT_EQ(std::string::npos, files.OwnIni().find("DefPreviewFile"));
}
