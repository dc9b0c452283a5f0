#include "HostCommands.h"
#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

std::wstring LowerName(const WCHAR* text, size_t length)
{
    std::wstring name(text, length);
    if (!name.empty())
        CharLowerBuffW(&name[0], (DWORD)name.size());
    return name;
}

} // namespace

std::wstring DecodeTextFile(const char* data, size_t size)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(data);
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        std::wstring text((size - 2) / 2, 0);
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = (WCHAR)(bytes[2 + 2 * i] | (bytes[3 + 2 * i] << 8));
        return text;
    }
    if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        std::wstring text((size - 2) / 2, 0);
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = (WCHAR)((bytes[2 + 2 * i] << 8) | bytes[3 + 2 * i]);
        return text;
    }
    UINT codePage = CP_ACP;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        codePage = CP_UTF8;
        data += 3;
        size -= 3;
    }
    if (size == 0 || size > 0x7FFFFFFF)
        return std::wstring();
    int length = MultiByteToWideChar(codePage, 0, data, (int)size, nullptr, 0);
    std::wstring text(length > 0 ? length : 0, 0);
    if (length > 0)
        MultiByteToWideChar(codePage, 0, data, (int)size, &text[0], length);
    return text;
}

bool CHostCommandTable::Load(LPCWSTR path)
{
    m_numbers.clear();
    if (!path || !*path)
        return false;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER fileSize = {};
    std::vector<char> data;
    bool ok = GetFileSizeEx(file, &fileSize) && fileSize.QuadPart < 64 * 1024 * 1024;
    if (ok) {
        data.resize((size_t)fileSize.QuadPart);
        DWORD read = 0;
        ok = data.empty() || (ReadFile(file, data.data(), (DWORD)data.size(), &read, nullptr) && read == data.size());
    }
    CloseHandle(file);
    if (!ok)
        return false;

    std::wstring text = DecodeTextFile(data.data(), data.size());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos)
            end = text.size();
        size_t equals = text.find(L'=', start);
        if (equals != std::wstring::npos && equals < end && equals > start) {
            std::wstring value = text.substr(equals + 1, end - equals - 1);
            int number = (int)wcstol(value.c_str(), nullptr, 10);
            m_numbers.emplace(LowerName(text.c_str() + start, equals - start), number);
        }
        start = end + 1;
    }
    return true;
}

int CHostCommandTable::Number(LPCWSTR name) const
{
    if (!name || !*name)
        return 0;
    auto found = m_numbers.find(LowerName(name, wcslen(name)));
    return found == m_numbers.end() ? 0 : found->second;
}
