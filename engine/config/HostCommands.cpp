#include "HostCommands.h"
#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

const WCHAR HostRegistryKey[] = L"Software\\Ghisler\\Total Commander";

CString RegistryInstallDir(HKEY root)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, HostRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return CString();
    WCHAR value[1025] = {};
    DWORD type = 0;
    DWORD bytes = 1023 * sizeof(WCHAR);
    LONG result = RegQueryValueExW(key, L"InstallDir", nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return CString();
    value[std::min<DWORD>(bytes / sizeof(WCHAR), 1023)] = 0;
    if (type == REG_EXPAND_SZ) {
        WCHAR expanded[1025];
        DWORD length = ExpandEnvironmentStringsW(value, expanded, 1024);
        if (length > 0 && length <= 1024)
            return CString(expanded);
    }
    return CString(value);
}

bool FileExists(const CString& path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring LowerName(const WCHAR* text, size_t length)
{
    std::wstring name(text, length);
    if (!name.empty())
        CharLowerBuffW(&name[0], (DWORD)name.size());
    return name;
}

} // namespace

CString FindHostFolder()
{
    WCHAR folder[1025];
    DWORD length = ExpandEnvironmentStringsW(L"%COMMANDER_PATH%", folder, 1024);
    if (length > 0 && length <= 1024 && folder[0] != L'%')
        return CString(folder);
    CString registry = RegistryInstallDir(HKEY_CURRENT_USER);
    if (registry.IsEmpty())
        registry = RegistryInstallDir(HKEY_LOCAL_MACHINE);
    return registry;
}

CString FindHostCommandFile()
{
    CString folder = FindHostFolder();
    if (folder.IsEmpty())
        return CString();
    if (folder[folder.GetLength() - 1] != L'\\')
        folder += L'\\';
    CString path = folder + L"totalcmd.inc";
    if (FileExists(path))
        return path;
    path = folder + L"wincmd.inc";
    if (FileExists(path))
        return path;
    return CString();
}

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
