// The file version reader: choice of translation, strings, failures.
#include <gtest/gtest.h>
#include "HostTestSupport.h"
#include "FileVersionInfo.h"
#include "TestFiles.h"

namespace {

} // namespace

TEST(FileVersionInfo, ChooseTranslation)
{
    const VersionTranslation germanEnglish[] = {{0x0407, 1252}, {0x0409, 1200}};
    EXPECT_EQ(0, CFileVersionInfo::ChooseTranslation(germanEnglish, 2, 0x0407));
    EXPECT_EQ(0, CFileVersionInfo::ChooseTranslation(germanEnglish, 2, 0x0C07)); // Austrian: same primary
    EXPECT_EQ(1, CFileVersionInfo::ChooseTranslation(germanEnglish, 2, 0x0809)); // British: same primary
    EXPECT_EQ(1, CFileVersionInfo::ChooseTranslation(germanEnglish, 2, 0x040C)); // French: English
    const VersionTranslation englishOnly[] = {{0x0409, 1200}};
    EXPECT_EQ(0, CFileVersionInfo::ChooseTranslation(englishOnly, 1, 0x040C));
    const VersionTranslation withNeutral[] = {{0x0407, 1252}, {0x0409, 1200}, {0x0000, 1200}};
    EXPECT_EQ(2, CFileVersionInfo::ChooseTranslation(withNeutral, 3, 0x040C));
    const VersionTranslation noRule[] = {{0x0411, 932}, {0x0412, 949}};
    EXPECT_EQ(0, CFileVersionInfo::ChooseTranslation(noRule, 2, 0x040C));
    EXPECT_EQ(-1, CFileVersionInfo::ChooseTranslation(nullptr, 0, 0x0409));
}

TEST(FileVersionInfo, ReadsTheChosenBlock)
{
    CFileVersionInfo info;
    std::wstring path = BinFile(L"ver_multi.dll");
    ASSERT_TRUE(info.Create(path.c_str(), 0x0407));
    EXPECT_STREQ(L"Firma", info.GetCompanyName().c_str());
    EXPECT_STREQ(L"Beschreibung", info.GetFileDescription().c_str());
    EXPECT_STREQ(L"1.2.3.4 de", info.GetFileVersionText().c_str());
    EXPECT_STREQ(L"intern", info.GetInternalName().c_str());
    EXPECT_STREQ(L"Recht", info.GetLegalCopyright().c_str());
    EXPECT_STREQ(L"original.dll", info.GetOriginalFileName().c_str());
    EXPECT_STREQ(L"Produkt", info.GetProductName().c_str());
    EXPECT_STREQ(L"1.2 de", info.GetProductVersion().c_str());
    EXPECT_STREQ(L"Kommentar", info.GetComments().c_str());
    EXPECT_STREQ(L"Marke", info.GetLegalTrademarks().c_str());
    EXPECT_STREQ(L"privat", info.GetPrivateBuild().c_str());
    EXPECT_STREQ(L"besonders", info.GetSpecialBuild().c_str());
    EXPECT_EQ(1, info.GetFileVersion(3));
    EXPECT_EQ(2, info.GetFileVersion(2));
    EXPECT_EQ(3, info.GetFileVersion(1));
    EXPECT_EQ(4, info.GetFileVersion(0));
    EXPECT_EQ(0, info.GetFileVersion(7));

    ASSERT_TRUE(info.Create(path.c_str(), 0x040C));
    EXPECT_STREQ(L"special", info.GetSpecialBuild().c_str());
    ASSERT_TRUE(info.Create(BinFile(L"ver_english.dll").c_str(), 0x0407));
    EXPECT_STREQ(L"English only", info.GetProductName().c_str());
    EXPECT_TRUE(info.GetCompanyName().empty());
    EXPECT_EQ(5, info.GetFileVersion(3));
}

TEST(FileVersionInfo, FailuresResetEverything)
{
    CFileVersionInfo info;
    ASSERT_TRUE(info.Create(BinFile(L"ver_multi.dll").c_str(), 0x0409));
    EXPECT_FALSE(info.Create(BinFile(L"ver_none.dll").c_str(), 0x0409));
    EXPECT_TRUE(info.GetSpecialBuild().empty());
    EXPECT_TRUE(info.GetProductName().empty());
    EXPECT_EQ(0u, info.GetFixedInfo().dwFileVersionMS);
    EXPECT_FALSE(info.Create(L"C:\\no\\such.dll"));

    // A resource without a translation table: the fixed part only.
    ASSERT_TRUE(info.Create(BinFile(L"ver_notrans.dll").c_str(), 0x0409));
    EXPECT_EQ(9, info.GetFileVersion(3));
    EXPECT_TRUE(info.GetFileVersionText().empty());
}

TEST(FileVersionInfo, ModuleInADeepFolder)
{
    CTempFolder folder(L"deep");
    std::wstring path = folder.Path();
    while (path.size() < 300) {
        path += L"\\folder_with_a_long_name";
        CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr);
    }
    std::wstring target = path + L"\\ver_multi.dll";
    ASSERT_TRUE(CopyFileW(BinFile(L"ver_multi.dll").c_str(), (L"\\\\?\\" + target).c_str(), FALSE));
    HMODULE module = LoadLibraryW(target.c_str());
    if (!module)
        module = LoadLibraryW((L"\\\\?\\" + target).c_str());
    if (!module)
        GTEST_SKIP() << "this system cannot load a library from a path this long";
    CFileVersionInfo info;
    wchar_t probe[1024];
    DWORD length = GetModuleFileNameW(module, probe, 1024);
    if (length == 0)
        GTEST_SKIP() << "no module file name for a data-file load";
    EXPECT_TRUE(info.Create(module));
    EXPECT_EQ(2, info.GetFileVersion(2));
    FreeLibrary(module);
}

TEST(FileVersionInfo, ModuleOfThisProgram)
{
    CFileVersionInfo info;
    EXPECT_TRUE(info.Create(GetModuleHandleW(nullptr)));
    EXPECT_STREQ(L"11.00", info.GetFileVersionText().c_str());
}
