// Reading the host's log lines.
#include "HostDriver.h"
#include <cwchar>

std::wstring CHostLogEntry::Get(const std::wstring& key) const
{
    auto it = m_fields.find(key);
    return it == m_fields.end() ? std::wstring() : it->second;
}

long long CHostLogEntry::Int(const std::wstring& key, long long fallback) const
{
    auto it = m_fields.find(key);
    if (it == m_fields.end() || it->second.empty())
        return fallback;
    return wcstoll(it->second.c_str(), nullptr, 0);
}

static std::wstring Unescape(const std::wstring& s)
{
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'\\' && i + 1 < s.size()) {
            wchar_t c = s[++i];
            out += c == L't' ? L'\t' : c == L'n' ? L'\n' : c == L'r' ? L'\r' : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::vector<CHostLogEntry> ParseHostLog(const std::string& utf8)
{
    std::vector<CHostLogEntry> entries;
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), nullptr, 0);
    std::wstring text(n, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &text[0], n);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            break;  // a line still being written
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        CHostLogEntry e;
        size_t pos = 0;
        bool first = true;
        while (pos <= line.size()) {
            size_t tab = line.find(L'\t', pos);
            std::wstring part = line.substr(pos, tab == std::wstring::npos ? std::wstring::npos : tab - pos);
            if (first) {
                e.m_kind = part;
                first = false;
            } else {
                size_t eq = part.find(L'=');
                if (eq != std::wstring::npos)
                    e.m_fields[part.substr(0, eq)] = Unescape(part.substr(eq + 1));
            }
            if (tab == std::wstring::npos)
                break;
            pos = tab + 1;
        }
        entries.push_back(e);
    }
    return entries;
}
