#include "ProfileFile.h"
#include "IniSection.h"
#include <map>

namespace {

// The whole section as "key=value" lines; empty when it holds none.
std::vector<WCHAR> ReadSection(LPCWSTR file, LPCWSTR section)
{
    std::vector<WCHAR> buffer(4096);
    for (;;) {
        DWORD got = ::GetPrivateProfileSectionW(section, buffer.data(), (DWORD)buffer.size(), file);
        if (got + 2 < buffer.size()) {
            buffer.resize(got + 1);
            buffer[got] = 0;
            return buffer;
        }
        buffer.resize(buffer.size() * 4);
    }
}

// The key as a positive decimal number written without leading zeros; 0 otherwise.
int KeyNumber(const CString& key)
{
    if (key.IsEmpty() || key.GetLength() > 9 || key[0] == L'0')
        return 0;
    int number = 0;
    for (int i = 0; i < key.GetLength(); ++i) {
        if (key[i] < L'0' || key[i] > L'9')
            return 0;
        number = number * 10 + (key[i] - L'0');
    }
    return number;
}

} // namespace

bool ReadNumberedSection(LPCWSTR file, LPCWSTR section, int maxKeys, std::vector<CString>& values)
{
    if (!file || !*file || !section)
        return false;
    std::vector<WCHAR> text = ReadSection(file, section);
    if (!text[0])
        return false;
    std::map<int, CString> byKey;
    for (LPCWSTR line = text.data(); *line; line += wcslen(line) + 1) {
        LPCWSTR equals = wcschr(line, L'=');
        if (!equals)
            continue;
        CString key(line, (int)(equals - line));
        key.Trim(L" \t");
        int number = KeyNumber(key);
        if (number > 0 && !byKey.count(number)) // the first of a repeated key counts
            byKey[number] = ProfileValue(equals + 1);
    }
    for (int key = 1; maxKeys <= 0 || key <= maxKeys; ++key) {
        auto found = byKey.find(key);
        if (found == byKey.end() || found->second.IsEmpty())
            break;
        values.push_back(found->second);
    }
    return true;
}

bool WriteNumberedSection(LPCWSTR file, LPCWSTR section, const std::vector<CString>& values)
{
    if (values.empty())
        return ::WritePrivateProfileStringW(section, nullptr, nullptr, file) != FALSE;
    std::wstring lines;
    for (size_t i = 0; i < values.size(); ++i) {
        lines += std::to_wstring(i + 1);
        lines += L'=';
        lines += (LPCWSTR)values[i];
        lines += L'\0';
    }
    lines += L'\0';
    return ::WritePrivateProfileSectionW(section, lines.c_str(), file) != FALSE;
}

DWORD CreateUnicodeProfile(LPCWSTR file)
{
    HANDLE handle = ::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return ::GetLastError();
    static const BYTE bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    DWORD error = ::WriteFile(handle, bom, sizeof bom, &written, nullptr) && written == sizeof bom ? 0 : ::GetLastError();
    ::CloseHandle(handle);
    return error;
}

bool ProfileFileExists(LPCWSTR file)
{
    DWORD attributes = ::GetFileAttributesW(file);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
