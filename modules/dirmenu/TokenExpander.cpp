#include "TokenExpander.h"
#include "PathfanServices.h"
#include <clocale>
#include <ctime>
#include <cwchar>

namespace {

enum TokenId {
    TokenCnt, TokenEdt, TokenUdt, TokenEnv, TokenDir, TokenPath, TokenClip, TokenCmd,
    TokenSel, TokenSrc, TokenParent, TokenFbrowse, TokenDbrowse, TokenSwat, TokenCount
};

const TokenRow Tokens[TokenCount] = {
    {L"cnt", false}, {L"edt", true}, {L"udt", true}, {L"env", true}, {L"dir", false},
    {L"path", false}, {L"clip", true}, {L"cmd", false}, {L"sel", false}, {L"src", false},
    {L"parent", false}, {L"fbrowse", true}, {L"dbrowse", true}, {L"swat", true},
};

// Keywords of $clip and the host commands that put their texts on the clipboard.
const TokenRow ClipKeywords[] = {
    {L"fileall", false}, {L"file", false}, {L"srcpath", false}, {L"trgpath", false},
};
const UINT ClipCommands[] = {2036, 2017, 2029, 2030};
const int ClipFile = 1;
const UINT HostCommandToClipboard = 2924;

// Conversion letters strftime knows; anything else is refused before the run
// time sees it (some run times end the process on an unknown one).
const wchar_t TimeConversions[] = L"aAbBcdHIjmMpSUwWxXyYzZ%";

bool ValidTimeFormat(LPCWSTR format)
{
    for (LPCWSTR p = format; *p; ++p) {
        if (*p != L'%')
            continue;
        ++p;
        if (*p == L'#')
            ++p;
        if (!*p || !wcschr(TimeConversions, *p))
            return false;
    }
    return true;
}

// Appends while the text stays within the limit.
void AppendBounded(CString& out, LPCWSTR text, int length = -1)
{
    if (length < 0)
        length = lstrlenW(text);
    int room = ExpandedTextLimit - out.GetLength();
    if (room <= 0)
        return;
    out.Append(text, length < room ? length : room);
}

} // namespace

int FindToken(const TokenRow* table, int rows, LPCWSTR text)
{
    for (int row = 0; row < rows; ++row) {
        int length = lstrlenW(table[row].name);
        if (_wcsnicmp(text, table[row].name, length) != 0)
            continue;
        if (table[row].takesArgument && text[length] != L'(')
            continue;
        return row;
    }
    return -1;
}

void SetUserLocale()
{
    WCHAR language[128] = {}, country[128] = {}, codePage[16] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE, language, 128);
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SENGCOUNTRY, country, 128);
    GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, codePage, 16);
    CString name;
    name.Format(L"%s_%s.%s", language, country, codePage);
    _wsetlocale(LC_ALL, name);
}

CString FormatLocalTime(LPCWSTR format, const SYSTEMTIME& time)
{
    if (!format || !*format || !ValidTimeFormat(format))
        return CString();
    struct tm parts = {};
    parts.tm_year = time.wYear - 1900;
    parts.tm_mon = time.wMonth - 1;
    parts.tm_mday = time.wDay;
    parts.tm_hour = time.wHour;
    parts.tm_min = time.wMinute;
    parts.tm_sec = time.wSecond;
    parts.tm_wday = time.wDayOfWeek;
    parts.tm_isdst = -1;
    // Day of the year from the date itself.
    static const int monthStart[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    int year = time.wYear;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (parts.tm_mon >= 0 && parts.tm_mon < 12)
        parts.tm_yday = monthStart[parts.tm_mon] + parts.tm_mday - 1 + (leap && parts.tm_mon > 1 ? 1 : 0);
    WCHAR buffer[ModuleTextLength] = {};
    size_t length = wcsftime(buffer, ModuleTextLength, format, &parts);
    return CString(buffer, (int)length);
}

CString RequestText(const EditRequest* request)
{
    if (!request)
        return CString();
    int length = (int)wcsnlen(request->text, ModuleTextLength - 1);
    return CString(request->text, length);
}

void ClampSelection(const EditRequest* request, int length, int& start, int& end)
{
    start = request ? request->selStart : 0;
    end = request ? request->selEnd : 0;
    if (start < 0)
        start = 0;
    if (start > length)
        start = length;
    if (end < start)
        end = start;
    if (end > length)
        end = length;
}

CTokenExpander::CTokenExpander(CPathfanServices& services, HWND host, int& counter)
    : m_services(services), m_host(host), m_counter(counter)
{
}

bool CTokenExpander::ExpandTokens(CString& text, const EditRequest* request)
{
    m_services.GetLocalTime(&m_now);
    CString out;
    int length = text.GetLength();
    int pos = 0;
    while (pos < length) {
        WCHAR ch = text[pos];
        if (ch != L'$') {
            AppendBounded(out, &ch, 1);
            ++pos;
            continue;
        }
        LPCWSTR rest = (LPCWSTR)text + pos + 1;
        int row = FindToken(Tokens, TokenCount, rest);
        int next = pos + 1 + (row >= 0 ? lstrlenW(Tokens[row].name) : 0);
        CString argument;
        if (row >= 0 && Tokens[row].takesArgument) {
            // The argument runs to the last ")" of the text; without one the
            // "$" stays plain text.
            int close = text.ReverseFind(L')');
            if (close <= next)
                row = -1;
            else {
                argument = text.Mid(next + 1, close - next - 1);
                next = close + 1;
            }
        }
        if (row < 0) {
            AppendBounded(out, L"$");
            ++pos;
            continue;
        }
        CString expansion;
        if (!ExpandToken(row, argument, request, expansion))
            return false;
        AppendBounded(out, expansion, expansion.GetLength());
        pos = next;
    }
    text = out;
    return true;
}

bool CTokenExpander::ExpandToken(int row, const CString& argument, const EditRequest* request,
                                 CString& out)
{
    switch (row) {
    case TokenCnt:
        out.Format(L"%d", m_counter);
        ++m_counter;
        return true;
    case TokenEdt:
        out = FormatLocalTime(argument, m_now);
        return true;
    case TokenUdt: {
        // The run time's locale is shared with the host: put back what was there.
        const wchar_t* current = _wsetlocale(LC_ALL, nullptr);
        CString previous(current ? current : L"C");
        SetUserLocale();
        out = FormatLocalTime(argument, m_now);
        _wsetlocale(LC_ALL, previous);
        return true;
    }
    case TokenEnv: {
        WCHAR expanded[ModuleTextLength] = {};
        DWORD length = ExpandEnvironmentStringsW(argument, expanded, ModuleTextLength);
        out = (length == 0 || length > ModuleTextLength) ? CString() : CString(expanded);
        return true;
    }
    case TokenDir: {
        CString folder = m_services.GetCurrentDirectory();
        int slash = folder.ReverseFind(L'\\');
        if (slash >= 0)
            out = folder.Mid(slash + 1);
        return true;
    }
    case TokenPath: {
        CString folder = m_services.GetCurrentDirectory();
        if (folder.Left(2) == L"\\\\")
            out = folder.Mid(2);
        else {
            int slash = folder.Find(L'\\');
            if (slash >= 0)
                out = folder.Mid(slash + 1);
        }
        return true;
    }
    case TokenParent: {
        CString folder = m_services.GetCurrentDirectory();
        int last = folder.ReverseFind(L'\\');
        if (last > 0) {
            int before = folder.Left(last).ReverseFind(L'\\');
            if (before >= 0)
                out = folder.Mid(before + 1, last - before - 1);
        }
        return true;
    }
    case TokenClip:
        out = ReadClipboardToken(argument, request);
        return true;
    case TokenCmd:
        return CommandText(out);
    case TokenSel: {
        CString text = RequestText(request);
        int start, end;
        ClampSelection(request, text.GetLength(), start, end);
        out = text.Mid(start, end - start);
        return true;
    }
    case TokenSrc:
        out = RequestText(request);
        return true;
    case TokenFbrowse: {
        CString filter;
        if (!argument.IsEmpty())
            filter.Format(L"%s||", (LPCWSTR)argument);
        CString path;
        if (m_services.BrowseFile(filter, path))
            out = path;
        return true;
    }
    case TokenDbrowse: {
        CString path;
        if (m_services.BrowseFolder(argument, path))
            out = path;
        return true;
    }
    default: // $swat: dropped with its argument
        return true;
    }
}

CString CTokenExpander::ReadClipboardToken(const CString& keyword, const EditRequest* request)
{
    int which = FindToken(ClipKeywords, 4, keyword);
    if (which < 0)
        return CString();
    m_services.SendHostCommand(m_host, ClipCommands[which]);
    WCHAR buffer[ModuleTextLength] = {};
    if (m_services.GetClipboardText(m_host, buffer, ModuleTextLength) != ClipboardText)
        return CString();
    CString text(buffer);
    // File names go on one line in a single-line edit.
    if (which == ClipFile && request && request->window &&
        !(GetWindowLongPtrW(request->window, GWL_STYLE) & ES_MULTILINE)) {
        text.Replace(L'\r', L' ');
        text.Replace(L'\n', L' ');
    }
    return text;
}

bool CTokenExpander::CommandText(CString& out)
{
    if (!m_services.EmptyClipboard(m_host)) {
        m_services.Beep(MB_ICONASTERISK);
        return false;
    }
    m_services.SendHostCommand(m_host, HostCommandToClipboard);
    WCHAR buffer[ModuleTextLength] = {};
    ClipboardRead read = m_services.GetClipboardText(m_host, buffer, ModuleTextLength);
    if (read == ClipboardClosed)
        m_services.Beep(MB_ICONASTERISK);
    if (read != ClipboardText || !buffer[0])
        return false;
    out = buffer;
    return true;
}
