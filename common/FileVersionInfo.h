// Reads the version resource of a file or module: the fixed version numbers
// and the twelve standard strings, in the translation closest to the user's
// language.
#pragma once
#include <windows.h>
#include <string>

// One (language, code page) pair of "\VarFileInfo\Translation".
struct VersionTranslation {
    WORD language;
    WORD codePage;
};

class CFileVersionInfo {
public:
    // The twelve strings, in resource-name order.
    enum StringId {
        CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright,
        OriginalFileName, ProductName, ProductVersion, Comments, LegalTrademarks,
        PrivateBuild, SpecialBuild, StringCount
    };

    CFileVersionInfo();
    virtual ~CFileVersionInfo();
    virtual void Reset();

    // TRUE when the version resource was read; FALSE leaves every field reset.
    // A resource without translations gives the fixed information and empty strings.
    BOOL Create(LPCWSTR path);
    BOOL Create(LPCWSTR path, LANGID userLanguage);
    // Engine only (FileVersionInfoModule.cpp): the module's own file.
    BOOL Create(HMODULE module);
    // Engine only: part 3 major, 2 minor, 1 and 0 the low half's words; else 0.
    WORD GetFileVersion(int part) const;

    const VS_FIXEDFILEINFO& GetFixedInfo() const { return m_fixed; }
    const std::wstring& GetString(StringId id) const { return m_strings[id]; }
    const std::wstring& GetCompanyName() const { return m_strings[CompanyName]; }
    const std::wstring& GetFileDescription() const { return m_strings[FileDescription]; }
    const std::wstring& GetFileVersionText() const { return m_strings[FileVersion]; }
    const std::wstring& GetInternalName() const { return m_strings[InternalName]; }
    const std::wstring& GetLegalCopyright() const { return m_strings[LegalCopyright]; }
    const std::wstring& GetOriginalFileName() const { return m_strings[OriginalFileName]; }
    const std::wstring& GetProductName() const { return m_strings[ProductName]; }
    const std::wstring& GetProductVersion() const { return m_strings[ProductVersion]; }
    const std::wstring& GetComments() const { return m_strings[Comments]; }
    const std::wstring& GetLegalTrademarks() const { return m_strings[LegalTrademarks]; }
    const std::wstring& GetPrivateBuild() const { return m_strings[PrivateBuild]; }
    const std::wstring& GetSpecialBuild() const { return m_strings[SpecialBuild]; }

    // Index of the pair to read for `userLanguage`: the same language, the same
    // primary language, a neutral one, English, else the first; -1 for no pairs.
    static int ChooseTranslation(const VersionTranslation* table, int count, LANGID userLanguage);

    static const WCHAR* const StringNames[StringCount];

private:
    VS_FIXEDFILEINFO m_fixed;
    std::wstring m_strings[StringCount];
};
