// CProfileFile.
#include "ProfileFile.h"
#include <algorithm>
#include <cstring>

namespace {

// Largest file read (bytes): a damaged file must not eat memory.
const LONGLONG kMaxBytes = 256LL * 1024 * 1024;

// The blanks of the profile functions: the ASCII ones and the DOS
// end-of-file mark, not the other Unicode spaces.
bool IsBlank(WCHAR c)
{
    return (c >= 0x09 && c <= 0x0D) || c == L' ' || c == 0x1A;
}

// Names compare without the case of the letters A to Z only, as the
// profile functions compare them here.
std::wstring Lower(std::wstring text)
{
    for (WCHAR& c : text) {
        if (c >= L'A' && c <= L'Z')
            c = WCHAR(c - L'A' + L'a');
    }
    return text;
}

// The text up to its first zero: the profile functions keep names and
// values as zero-terminated texts.
std::wstring Text(const WCHAR* first, const WCHAR* last)
{
    return std::wstring(first, std::find(first, last, L'\0'));
}

// The text without blanks around it, up to its first zero.
std::wstring Trimmed(const WCHAR* first, const WCHAR* last)
{
    last = std::find(first, last, L'\0');
    while (first < last && IsBlank(*first))
        ++first;
    while (last > first && IsBlank(last[-1]))
        --last;
    return std::wstring(first, last);
}

std::wstring Trimmed(LPCWSTR lpszText)
{
    const WCHAR* text = lpszText ? lpszText : L"";
    return Trimmed(text, text + wcslen(text));
}

bool ReadBytes(LPCWSTR lpszPath, std::string& bytes)
{
    HANDLE file = ::CreateFileW(lpszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart <= kMaxBytes;
    if (ok && size.QuadPart > 0) {
        bytes.resize((size_t)size.QuadPart);
        DWORD read = 0;
        ok = ::ReadFile(file, &bytes[0], (DWORD)bytes.size(), &read, nullptr) && read == bytes.size();
    }
    ::CloseHandle(file);
    return ok;
}

std::wstring FromCodePage(UINT nCodePage, const char* data, size_t size)
{
    std::wstring text;
    int chars = size ? ::MultiByteToWideChar(nCodePage, 0, data, (int)size, nullptr, 0) : 0;
    if (chars > 0) {
        text.resize(chars);
        ::MultiByteToWideChar(nCodePage, 0, data, (int)size, &text[0], chars);
    }
    return text;
}

std::wstring Decode(const std::string& bytes)
{
    const char* data = bytes.data();
    size_t size = bytes.size();
    if (size >= 3 && memcmp(data, "\xEF\xBB\xBF", 3) == 0)
        return FromCodePage(CP_UTF8, data + 3, size - 3);
    bool little = size >= 2 && memcmp(data, "\xFF\xFE", 2) == 0;
    if (!little && !(size >= 2 && memcmp(data, "\xFE\xFF", 2) == 0))
        return FromCodePage(CP_ACP, data, size);
    std::wstring text((size - 2) / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        BYTE first = (BYTE)data[2 + 2 * i], second = (BYTE)data[3 + 2 * i];
        text[i] = little ? WCHAR(first | second << 8) : WCHAR(second | first << 8);
    }
    return text;
}

} // namespace

BOOL CProfileFile::Load(LPCWSTR lpszFile)
{
    m_sections.clear();
    m_firstByName.clear();
    CString path(lpszFile ? lpszFile : L"");
    if (path.IsEmpty())
        return FALSE;
    if (path.Find(L'\\') < 0 && path.Find(L'/') < 0 && path.Find(L':') < 0) {
        WCHAR windows[MAX_PATH + 1] = {};
        ::GetWindowsDirectoryW(windows, MAX_PATH + 1);
        path = CString(windows) + L"\\" + path;
    }
    std::string bytes;
    if (!ReadBytes(path, bytes))
        return FALSE;
    Parse(Decode(bytes));
    return TRUE;
}

// Lines end at "\r" or "\n"; blanks around a line, around a key's name and
// before its value are dropped. A line beginning with "[" and holding a "]"
// after it heads a section named by the text up to its last "]", without
// blanks around it; any other line is a key, "name=value" or a bare name.
void CProfileFile::Parse(const std::wstring& text)
{
    static const WCHAR kLineEnds[] = L"\r\n";
    m_sections.assign(1, CSection());
    const WCHAR* next = text.data();
    const WCHAR* end = next + text.size();
    while (next < end) {
        const WCHAR* start = next;
        const WCHAR* stop = std::find_first_of(start, end, kLineEnds, kLineEnds + 2);
        next = stop == end ? end : stop + 1;
        while (start < stop && IsBlank(*start))
            ++start;
        while (stop > start && IsBlank(stop[-1]))
            --stop;
        if (start == stop)
            continue;
        if (*start == L'[') {
            const WCHAR* close = stop - 1;
            while (close > start && *close != L']')
                --close;
            if (close > start) {
                CSection section;
                section.name = Trimmed(start + 1, close);
                m_firstByName.emplace(Lower(section.name), m_sections.size());
                m_sections.push_back(std::move(section));
                continue;
            }
        }
        CEntry entry;
        const WCHAR* equals = std::find(start, stop, L'=');
        const WCHAR* nameEnd = stop;
        entry.bHasValue = equals != stop;
        if (entry.bHasValue) {
            nameEnd = equals;
            while (nameEnd > start && IsBlank(nameEnd[-1]))
                --nameEnd;
            const WCHAR* value = equals + 1;
            while (value < stop && IsBlank(*value))
                ++value;
            entry.value = Text(value, stop);
        }
        entry.name = Text(start, nameEnd);
        m_sections.back().entries.push_back(std::move(entry));
    }
}

void CProfileFile::GetSectionNames(CStringArray& names) const
{
    names.RemoveAll();
    for (const CSection& section : m_sections) {
        if (!section.name.empty())
            names.Add(CString(section.name.c_str()));
    }
}

CString CProfileFile::GetString(LPCWSTR lpszSection, LPCWSTR lpszKey, int nSize) const
{
    if (nSize <= 0)
        return CString();
    const WCHAR* value = L"";
    auto found = m_firstByName.find(Lower(Trimmed(lpszSection)));
    if (found != m_firstByName.end()) {
        std::wstring key = Lower(Trimmed(lpszKey));
        for (const CEntry& entry : m_sections[found->second].entries) {
            if (Lower(entry.name) != key)
                continue;
            if (entry.bHasValue)
                value = entry.value.c_str();
            break;
        }
    }
    // One pair of enclosing quotes goes; the closing one is dropped only when
    // the value fits the buffer, and then the last character kept goes.
    WCHAR quote = 0;
    size_t length = wcslen(value);
    if ((*value == L'"' || *value == L'\'') && length > 1 && value[length - 1] == *value) {
        quote = *value++;
        --length;
    }
    CString text(value, (int)std::min(length, (size_t)nSize - 1));
    if (quote && (size_t)nSize >= length && !text.IsEmpty())
        text = text.Left(text.GetLength() - 1);
    return text;
}
