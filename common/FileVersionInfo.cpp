#include "FileVersionInfo.h"
#include <cstdio>
#include <cstring>
#include <vector>

const WCHAR* const CFileVersionInfo::StringNames[StringCount] = {
    L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName",
    L"LegalCopyright", L"OriginalFileName", L"ProductName", L"ProductVersion",
    L"Comments", L"LegalTrademarks", L"PrivateBuild", L"SpecialBuild",
};

CFileVersionInfo::CFileVersionInfo()
{
    Reset();
}

CFileVersionInfo::~CFileVersionInfo() = default;

void CFileVersionInfo::Reset()
{
    memset(&m_fixed, 0, sizeof(m_fixed));
    for (std::wstring& text : m_strings)
        text.clear();
}

int CFileVersionInfo::ChooseTranslation(const VersionTranslation* table, int count, LANGID user)
{
    if (!table || count <= 0)
        return -1;
    for (int i = 0; i < count; ++i)
        if (table[i].language == user)
            return i;
    for (int i = 0; i < count; ++i)
        if (PRIMARYLANGID(table[i].language) == PRIMARYLANGID(user))
            return i;
    for (int i = 0; i < count; ++i)
        if (PRIMARYLANGID(table[i].language) == LANG_NEUTRAL)
            return i;
    for (int i = 0; i < count; ++i)
        if (PRIMARYLANGID(table[i].language) == LANG_ENGLISH)
            return i;
    return 0;
}

BOOL CFileVersionInfo::Create(LPCWSTR path)
{
    return Create(path, GetUserDefaultLangID());
}

BOOL CFileVersionInfo::Create(LPCWSTR path, LANGID userLanguage)
{
    Reset();
    if (!path || !*path)
        return FALSE;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0)
        return FALSE;
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data()))
        return FALSE;

    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", &value, &length) && value &&
        length >= sizeof(VS_FIXEDFILEINFO) &&
        static_cast<VS_FIXEDFILEINFO*>(value)->dwSignature == 0xFEEF04BD)
        memcpy(&m_fixed, value, sizeof(m_fixed));

    value = nullptr;
    length = 0;
    int count = 0;
    if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length) && value)
        count = (int)(length / sizeof(VersionTranslation));
    int chosen = ChooseTranslation(static_cast<VersionTranslation*>(value), count, userLanguage);
    if (chosen < 0)
        return TRUE;
    VersionTranslation pair = static_cast<VersionTranslation*>(value)[chosen];

    for (int i = 0; i < StringCount; ++i) {
        WCHAR query[96];
        _snwprintf(query, 95, L"\\StringFileInfo\\%04X%04X\\%ls", pair.language, pair.codePage, StringNames[i]);
        query[95] = 0;
        LPWSTR text = nullptr;
        UINT textLength = 0;
        if (VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&text), &textLength) && text) {
            // The length may count the terminating null; stop at the first one.
            size_t n = 0;
            while (n < textLength && text[n])
                ++n;
            m_strings[i].assign(text, n);
        }
    }
    return TRUE;
}
