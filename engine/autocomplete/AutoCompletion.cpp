#include "AutoCompletion.h"
#include <algorithm>
#include <vector>

namespace {

// Longest expanded path, without its null.
const DWORD ExpandedLength = 2047;

std::wstring EditText(HWND edit)
{
    int length = (int)SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return std::wstring();
    std::vector<WCHAR> buffer(length + 1);
    int read = (int)SendMessageW(edit, WM_GETTEXT, length + 1, (LPARAM)buffer.data());
    return std::wstring(buffer.data(), read > 0 ? std::min(read, length) : 0);
}

void EditSelection(HWND edit, DWORD& start, DWORD& end)
{
    start = end = 0;
    SendMessageW(edit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
}

bool Exists(const std::wstring& path)
{
    return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool OnlyDots(LPCWSTR name)
{
    for (; *name; ++name)
        if (*name != L'.')
            return false;
    return true;
}

} // namespace

bool ExpandEnvironment(const std::wstring& text, std::wstring& expanded)
{
    DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0 || needed > ExpandedLength + 1)
        return false;
    std::vector<WCHAR> buffer(needed + 1);
    DWORD written = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), needed + 1);
    if (written == 0 || written > needed + 1)
        return false;
    expanded = buffer.data();
    return true;
}

int CAutoCompletion::Complete(HWND edit)
{
    std::wstring text = EditText(edit);
    DWORD start = 0, end = 0;
    EditSelection(edit, start, end);
    if (start > end || end > text.size())
        return 1;
    bool continuing = m_cycle && text == m_lastText && start == m_lastStart && end == m_lastEnd;
    if (!continuing) {
        Reset();
        if (!StartCycle(text, start))
            return 1;
    }
    std::wstring name;
    if (!NextName(name))
        return 1;
    SendMessageW(edit, EM_SETSEL, m_nameStart, end);
    SendMessageW(edit, EM_REPLACESEL, TRUE, (LPARAM)name.c_str());
    m_lastText = EditText(edit);
    EditSelection(edit, m_lastStart, m_lastEnd);
    return 1;
}

void CAutoCompletion::Reset()
{
    CloseSearch();
    m_cycle = false;
    m_lastText.clear();
}

bool CAutoCompletion::StartCycle(const std::wstring& text, DWORD selStart)
{
    if (selStart == 0)
        return false;
    size_t slash = text.rfind(L'\\', selStart - 1);
    if (slash == std::wstring::npos)
        return false;
    // The folder part begins where the text up to the last "\" names an
    // existing path: at the start, else after a blank or "\".
    size_t pathStart = 0;
    for (;;) {
        std::wstring candidate;
        if (ExpandEnvironment(text.substr(pathStart, slash - pathStart), candidate) && Exists(candidate))
            break;
        size_t next = text.find_first_of(L" \\", pathStart);
        if (next == std::wstring::npos || next >= slash)
            return false;
        pathStart = next + 1;
    }
    std::wstring typed;
    if (!ExpandEnvironment(text.substr(pathStart, selStart - pathStart), typed))
        return false;
    m_nameStart = int(slash + 1);
    m_pattern = typed + L"?*";
    size_t nameAt = typed.rfind(L'\\');
    m_typed = nameAt == std::wstring::npos ? typed : typed.substr(nameAt + 1);
    m_cycle = true;
    return true;
}

bool CAutoCompletion::Fits(const WIN32_FIND_DATAW& entry) const
{
    // The wildcard also matches short names and treats "?" the DOS way, so
    // the name is checked against the typed part itself.
    int length = lstrlenW(entry.cFileName);
    int typed = (int)m_typed.size();
    if (!length || OnlyDots(entry.cFileName) || length <= typed)
        return false;
    return typed == 0 || CompareStringOrdinal(entry.cFileName, typed, m_typed.c_str(), typed, TRUE) == CSTR_EQUAL;
}

bool CAutoCompletion::NextName(std::wstring& name)
{
    for (int pass = 0; pass < 2; ++pass) {
        WIN32_FIND_DATAW entry = {};
        bool fresh = m_search == INVALID_HANDLE_VALUE;
        bool found;
        if (fresh) {
            m_search = FindFirstFileW(m_pattern.c_str(), &entry);
            found = m_search != INVALID_HANDLE_VALUE;
        } else {
            found = FindNextFileW(m_search, &entry) != FALSE;
        }
        for (; found; found = FindNextFileW(m_search, &entry) != FALSE) {
            if (Fits(entry)) {
                name = entry.cFileName;
                return true;
            }
        }
        // Out of names: the list starts again from the first match.
        CloseSearch();
        if (fresh)
            return false;
    }
    return false;
}

void CAutoCompletion::CloseSearch()
{
    if (m_search != INVALID_HANDLE_VALUE)
        FindClose(m_search);
    m_search = INVALID_HANDLE_VALUE;
}
