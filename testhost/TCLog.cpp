#include "TCLog.h"
#include <cstdio>

static std::wstring Escape(const std::wstring& s)
{
    std::wstring out;
    for (wchar_t c : s) {
        if (c == L'\t') out += L"\\t";
        else if (c == L'\n') out += L"\\n";
        else if (c == L'\r') out += L"\\r";
        else if (c == L'\\') out += L"\\\\";
        else out += c;
    }
    return out;
}

CTCLogLine& CTCLogLine::Add(const wchar_t* key, const std::wstring& value)
{
    m_text += L'\t';
    m_text += key;
    m_text += L'=';
    m_text += Escape(value);
    return *this;
}

CTCLogLine& CTCLogLine::Add(const wchar_t* key, long long value)
{
    wchar_t buf[32];
    _snwprintf(buf, 32, L"%lld", value);
    buf[31] = 0;
    return Add(key, std::wstring(buf));
}

CTCLogLine& CTCLogLine::AddHex(const wchar_t* key, ULONG_PTR value)
{
    wchar_t buf[32];
    _snwprintf(buf, 32, L"0x%llX", (unsigned long long)value);
    buf[31] = 0;
    return Add(key, std::wstring(buf));
}

CTCLogLine& CTCLogLine::AddWindow(const wchar_t* key, HWND wnd)
{
    AddHex(key, (ULONG_PTR)wnd);
    wchar_t cls[64] = L"";
    if (wnd)
        GetClassNameW(wnd, cls, 64);
    std::wstring classKey = std::wstring(key) + L"Class";
    return Add(classKey.c_str(), std::wstring(cls));
}

CTCLog::~CTCLog()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
}

bool CTCLog::Open(const std::wstring& path)
{
    m_file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_file != INVALID_HANDLE_VALUE;
}

void CTCLog::Write(const CTCLogLine& line)
{
    ++m_count;
    wchar_t head[64];
    size_t kindEnd = line.Text().find(L'\t');
    std::wstring kind = line.Text().substr(0, kindEnd);
    std::wstring rest = kindEnd == std::wstring::npos ? L"" : line.Text().substr(kindEnd);
    _snwprintf(head, 64, L"\tseq=%d\ttick=%lu", m_count, GetTickCount());
    head[63] = 0;
    std::wstring text = kind + head + rest + L"\n";
    if (m_file == INVALID_HANDLE_VALUE)
        return;
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &utf8[0], bytes, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(m_file, utf8.data(), (DWORD)utf8.size(), &written, nullptr);
}
