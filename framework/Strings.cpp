// CString and CStringA.
#include "Strings.h"
#include "WinApp.h"

#include <stdarg.h>
#include <stdio.h>
#include <wchar.h>
#include <algorithm>

namespace {

const WCHAR kWhitespace[] = L" \t\r\n\v\f";

std::wstring Widen(LPCSTR pch, int n)
{
    std::wstring out;
    if (!pch || n <= 0)
        return out;
    int cch = MultiByteToWideChar(CP_ACP, 0, pch, n, nullptr, 0);
    if (cch <= 0)
        return out;
    out.resize(cch);
    MultiByteToWideChar(CP_ACP, 0, pch, n, &out[0], cch);
    return out;
}

bool InSet(WCHAR ch, LPCWSTR set)
{
    return set && ch && wcschr(set, ch) != nullptr;
}

// Formats with msvcrt's printf family, whose %s in a wide format is a wide
// string (mingw's C99 functions would read it as narrow). The buffer grows
// until the text fits.
template <class Ch, class Measure, class Print>
std::basic_string<Ch> FormatWith(const Ch* fmt, va_list args, Measure measure, Print print)
{
    std::basic_string<Ch> out;
    if (!fmt)
        return out;
    va_list probe;
    va_copy(probe, args);
    int need = measure(fmt, probe);
    va_end(probe);
    size_t cap = need >= 0 ? (size_t)need + 1 : 256;
    for (int attempt = 0; attempt < 16; ++attempt) {
        out.resize(cap);
        va_list copy;
        va_copy(copy, args);
        int n = print(&out[0], cap, fmt, copy);
        va_end(copy);
        if (n >= 0 && (size_t)n < cap) {
            out.resize(n);
            return out;
        }
        if (cap > (1u << 26))
            break;
        cap *= 2;
    }
    out.clear();
    return out;
}

std::wstring FormatWide(LPCWSTR fmt, va_list args)
{
    return FormatWith(fmt, args, _vscwprintf, _vsnwprintf);
}

std::string FormatNarrow(LPCSTR fmt, va_list args)
{
    return FormatWith(fmt, args, _vscprintf, _vsnprintf);
}

} // namespace

CString::CString(LPCWSTR psz)
{
    if (psz && IS_INTRESOURCE(psz))
        LoadString((UINT)(UINT_PTR)psz);
    else if (psz)
        m_str = psz;
}

CString::CString(LPCWSTR pch, int nLength)
{
    if (pch && nLength > 0)
        m_str.assign(pch, nLength);
}

CString::CString(LPCSTR psz)
{
    if (psz)
        m_str = Widen(psz, (int)strlen(psz));
}

CString::CString(LPCSTR pch, int nLength)
{
    m_str = Widen(pch, nLength);
}

CString::CString(WCHAR ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(nRepeat, ch);
}

CString& CString::operator=(LPCWSTR psz)
{
    if (!psz)
        m_str.clear();
    else if (psz < m_str.c_str() || psz > m_str.c_str() + m_str.size())
        m_str = psz;
    else
        m_str = std::wstring(psz); // a pointer into ourselves
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    m_str = psz ? Widen(psz, (int)strlen(psz)) : std::wstring();
    return *this;
}

CString& CString::operator=(WCHAR ch)
{
    m_str.assign(1, ch);
    return *this;
}

void CString::Append(LPCWSTR pch, int n)
{
    if (pch && n > 0)
        m_str.append(pch, wcsnlen(pch, n));
}

int CString::Compare(LPCWSTR psz) const
{
    return wcscmp(m_str.c_str(), psz ? psz : L"");
}

int CString::CompareNoCase(LPCWSTR psz) const
{
    // Ordinal comparison with the system's upper-case mapping, so that
    // letters beyond ASCII compare equal in either case, independent of locale.
    int r = CompareStringOrdinal(m_str.c_str(), (int)m_str.size(), psz ? psz : L"", -1, TRUE);
    return r ? r - CSTR_EQUAL : _wcsicmp(m_str.c_str(), psz ? psz : L"");
}

int CString::Find(WCHAR ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    size_t pos = m_str.find(ch, nStart);
    return pos == std::wstring::npos ? -1 : (int)pos;
}

int CString::Find(LPCWSTR psz, int nStart) const
{
    if (!psz || nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(psz, nStart);
    return pos == std::wstring::npos ? -1 : (int)pos;
}

int CString::ReverseFind(WCHAR ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::wstring::npos ? -1 : (int)pos;
}

int CString::FindOneOf(LPCWSTR pszCharSet) const
{
    if (!pszCharSet || !*pszCharSet)
        return -1;
    size_t pos = m_str.find_first_of(pszCharSet);
    return pos == std::wstring::npos ? -1 : (int)pos;
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst >= GetLength())
        return CString();
    if (nCount > GetLength() - nFirst)
        nCount = GetLength() - nFirst;
    return CString(m_str.substr(nFirst, nCount));
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount <= 0)
        return CString();
    if (nCount >= GetLength())
        return *this;
    return CString(m_str.substr(GetLength() - nCount));
}

CString CString::SpanIncluding(LPCWSTR pszCharSet) const
{
    if (!pszCharSet || !*pszCharSet)
        return CString();
    return Left((int)wcsspn(m_str.c_str(), pszCharSet));
}

CString CString::SpanExcluding(LPCWSTR pszCharSet) const
{
    if (!pszCharSet || !*pszCharSet)
        return *this;
    return Left((int)wcscspn(m_str.c_str(), pszCharSet));
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart >= GetLength()) {
        iStart = -1;
        return CString();
    }
    if (!pszTokens || !*pszTokens) {
        CString rest = Mid(iStart);
        iStart = GetLength();
        return rest;
    }
    size_t first = m_str.find_first_not_of(pszTokens, iStart);
    if (first == std::wstring::npos) {
        iStart = -1;
        return CString();
    }
    size_t last = m_str.find_first_of(pszTokens, first);
    if (last == std::wstring::npos)
        last = m_str.size();
    iStart = (int)std::min(last + 1, m_str.size());
    return CString(m_str.substr(first, last - first));
}

int CString::Replace(WCHAR chOld, WCHAR chNew)
{
    int n = 0;
    for (auto& c : m_str) {
        if (c == chOld) {
            c = chNew;
            ++n;
        }
    }
    return n;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    if (!pszOld || !*pszOld)
        return 0;
    std::wstring from(pszOld), to(pszNew ? pszNew : L"");
    std::wstring out;
    int n = 0;
    size_t pos = 0;
    for (;;) {
        size_t hit = m_str.find(from, pos);
        if (hit == std::wstring::npos)
            break;
        out.append(m_str, pos, hit - pos);
        out += to;
        pos = hit + from.size();
        ++n;
    }
    if (n) {
        out.append(m_str, pos, std::wstring::npos);
        m_str.swap(out);
    }
    return n;
}

int CString::Remove(WCHAR ch)
{
    size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return (int)(before - m_str.size());
}

int CString::Insert(int nIndex, WCHAR ch)
{
    nIndex = std::max(0, std::min(nIndex, GetLength()));
    m_str.insert(m_str.begin() + nIndex, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCWSTR psz)
{
    nIndex = std::max(0, std::min(nIndex, GetLength()));
    if (psz)
        m_str.insert(nIndex, std::wstring(psz));
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex < GetLength() && nCount > 0)
        m_str.erase(nIndex, std::min(nCount, GetLength() - nIndex));
    return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(WCHAR ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(LPCWSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }
CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }
CString& CString::TrimRight() { return TrimRight(kWhitespace); }

CString& CString::TrimLeft(WCHAR ch)
{
    WCHAR set[2] = { ch, 0 };
    return TrimLeft(set);
}

CString& CString::TrimRight(WCHAR ch)
{
    WCHAR set[2] = { ch, 0 };
    return TrimRight(set);
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    size_t i = 0;
    while (i < m_str.size() && InSet(m_str[i], pszTargets))
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    size_t n = m_str.size();
    while (n > 0 && InSet(m_str[n - 1], pszTargets))
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        CharLowerBuffW(&m_str[0], (DWORD)m_str.size());
    return *this;
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        CharUpperBuffW(&m_str[0], (DWORD)m_str.size());
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

void CString::FormatV(LPCWSTR pszFormat, va_list args)
{
    m_str = FormatWide(pszFormat, args);
}

void CString::AppendFormatV(LPCWSTR pszFormat, va_list args)
{
    m_str += FormatWide(pszFormat, args);
}

void CString::FormatImpl(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormatImpl(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatMessageImpl(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    LPWSTR buffer = nullptr;
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                               pszFormat, 0, 0, (LPWSTR)&buffer, 0, &args);
    va_end(args);
    if (n && buffer)
        m_str.assign(buffer, n);
    else
        m_str.clear();
    if (buffer)
        LocalFree(buffer);
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInst, UINT nID)
{
    // With a zero buffer size LoadStringW hands out a pointer into the
    // resource itself, so strings of any length load whole.
    LPCWSTR res = nullptr;
    int n = ::LoadStringW(hInst, nID, (LPWSTR)&res, 0);
    if (n <= 0 || !res) {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(res, n);
    return TRUE;
}

LPWSTR CString::GetBuffer(int nMinLength)
{
    if (nMinLength > GetLength())
        m_str.resize(nMinLength);
    return &m_str[0];
}

LPWSTR CString::GetBufferSetLength(int nLength)
{
    m_str.resize(nLength > 0 ? nLength : 0);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)wcsnlen(m_str.c_str(), m_str.size());
    if (nNewLength > GetLength())
        nNewLength = GetLength();
    m_str.resize(nNewLength);
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, LPCWSTR b) { CString r(a); r += b; return r; }
CString operator+(LPCWSTR a, const CString& b) { CString r; r.Append(a); r += b; return r; }
CString operator+(const CString& a, WCHAR b) { CString r(a); r += b; return r; }
CString operator+(WCHAR a, const CString& b) { CString r(a); r += b; return r; }

// CStringA

CStringA::CStringA(LPCSTR pch, int nLength)
{
    if (pch && nLength > 0)
        m_str.assign(pch, strnlen(pch, nLength));
}

CStringA::CStringA(LPCWSTR psz)
{
    if (!psz || !*psz)
        return;
    int n = WideCharToMultiByte(CP_ACP, 0, psz, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return;
    m_str.resize(n);
    WideCharToMultiByte(CP_ACP, 0, psz, -1, &m_str[0], n, nullptr, nullptr);
    m_str.resize(n - 1);
}

void CStringA::FormatV(LPCSTR pszFormat, va_list args)
{
    m_str = FormatNarrow(pszFormat, args);
}

void CStringA::FormatImpl(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CStringA::AppendFormatImpl(LPCSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    m_str += FormatNarrow(pszFormat, args);
    va_end(args);
}

LPSTR CStringA::GetBuffer(int nMinLength)
{
    if (nMinLength > GetLength())
        m_str.resize(nMinLength);
    return &m_str[0];
}

void CStringA::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_str.c_str(), m_str.size());
    if (nNewLength > GetLength())
        nNewLength = GetLength();
    m_str.resize(nNewLength);
}
