// Wide string class in the style of the Windows application framework, plus
// a minimal narrow companion. Storage is a std::wstring; the interface uses
// int lengths and indexes like the rest of the Win32 code.
//
// Never pass a CString itself through "..." (wsprintf and the like): pass
// (LPCWSTR)s or s.GetString(). Format and AppendFormat reject such arguments
// at compile time.
#pragma once

#include <windows.h>
#include <string>
#include <type_traits>

class CString;
class CStringA;

// True when no argument is a string object (which "..." cannot carry).
template <class... Args>
constexpr bool AfxFormatArgsOk =
    !(... || (std::is_base_of<CString, std::decay_t<Args>>::value ||
              std::is_base_of<CStringA, std::decay_t<Args>>::value ||
              std::is_same<std::wstring, std::decay_t<Args>>::value ||
              std::is_same<std::string, std::decay_t<Args>>::value));
#define AFX_CHECK_FORMAT_ARGS(Args) \
    static_assert(AfxFormatArgsOk<Args...>, "pass (LPCWSTR)s or s.GetString() instead of a string object")

class CString
{
public:
    CString() {}
    CString(const CString& s) : m_str(s.m_str) {}
    CString(CString&& s) noexcept : m_str(std::move(s.m_str)) {}
    // A resource id made with MAKEINTRESOURCE loads that string.
    CString(LPCWSTR psz);
    CString(LPCWSTR pch, int nLength);
    CString(LPCSTR psz);
    CString(LPCSTR pch, int nLength);
    explicit CString(WCHAR ch, int nRepeat = 1);
    explicit CString(const std::wstring& s) : m_str(s) {}

    CString& operator=(const CString& s) { m_str = s.m_str; return *this; }
    CString& operator=(CString&& s) noexcept { m_str = std::move(s.m_str); return *this; }
    CString& operator=(LPCWSTR psz);
    CString& operator=(LPCSTR psz);
    CString& operator=(WCHAR ch);

    int GetLength() const { return (int)m_str.size(); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    LPCWSTR GetString() const { return m_str.c_str(); }
    operator LPCWSTR() const { return m_str.c_str(); }
    const std::wstring& Str() const { return m_str; }

    // Out-of-range reads give 0, out-of-range writes are ignored.
    WCHAR GetAt(int i) const { return (i >= 0 && i < GetLength()) ? m_str[i] : 0; }
    WCHAR operator[](int i) const { return GetAt(i); }
    void SetAt(int i, WCHAR ch) { if (i >= 0 && i < GetLength()) m_str[i] = ch; }

    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(LPCWSTR psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(WCHAR ch) { m_str += ch; return *this; }
    CString& operator+=(LPCSTR psz) { return *this += CString(psz); }
    void Append(LPCWSTR psz) { *this += psz; }
    void Append(LPCWSTR pch, int n);
    void AppendChar(WCHAR ch) { m_str += ch; }

    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;

    // Searches return -1 when nothing is found.
    int Find(WCHAR ch, int nStart = 0) const;
    int Find(LPCWSTR psz, int nStart = 0) const;
    int ReverseFind(WCHAR ch) const;
    int FindOneOf(LPCWSTR pszCharSet) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCWSTR pszCharSet) const;
    CString SpanExcluding(LPCWSTR pszCharSet) const;
    // Returns the next token after iStart and moves iStart past it; at the
    // end returns an empty string and sets iStart to -1.
    CString Tokenize(LPCWSTR pszTokens, int& iStart) const;

    // Return the number of replacements / removed characters.
    int Replace(WCHAR chOld, WCHAR chNew);
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Remove(WCHAR ch);
    // Return the new length.
    int Insert(int nIndex, WCHAR ch);
    int Insert(int nIndex, LPCWSTR psz);
    int Delete(int nIndex, int nCount = 1);

    CString& Trim();
    CString& Trim(WCHAR ch);
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(WCHAR ch);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(WCHAR ch);
    CString& TrimRight(LPCWSTR pszTargets);
    CString& MakeLower();
    CString& MakeUpper();
    CString& MakeReverse();

    // printf-style formatting with Microsoft semantics: %s is a wide string,
    // %hs a narrow one, %I64d a 64-bit integer.
    template <class... Args>
    void Format(LPCWSTR pszFormat, const Args&... args)
    {
        AFX_CHECK_FORMAT_ARGS(Args);
        FormatImpl(pszFormat, args...);
    }
    template <class... Args>
    void AppendFormat(LPCWSTR pszFormat, const Args&... args)
    {
        AFX_CHECK_FORMAT_ARGS(Args);
        AppendFormatImpl(pszFormat, args...);
    }
    void FormatV(LPCWSTR pszFormat, va_list args);
    void AppendFormatV(LPCWSTR pszFormat, va_list args);
    // Formats with the message-table syntax (%1, %2!d!, ...).
    template <class... Args>
    void FormatMessage(LPCWSTR pszFormat, const Args&... args)
    {
        AFX_CHECK_FORMAT_ARGS(Args);
        FormatMessageImpl(pszFormat, args...);
    }

    // Loads string nID from the application's resource module (see
    // AfxGetResourceHandle) or from an explicit module.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInst, UINT nID);

    // Gives a writable buffer of at least nMinLength characters plus a
    // terminating zero. ReleaseBuffer(-1) takes the length up to the first
    // zero; ReleaseBuffer(n) sets it to n (bounded by the buffer).
    LPWSTR GetBuffer(int nMinLength);
    LPWSTR GetBuffer() { return GetBuffer(GetLength()); }
    LPWSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);
    void Preallocate(int nLength) { if (nLength > 0) m_str.reserve(nLength); }

private:
    void FormatImpl(LPCWSTR pszFormat, ...);
    void AppendFormatImpl(LPCWSTR pszFormat, ...);
    void FormatMessageImpl(LPCWSTR pszFormat, ...);

    std::wstring m_str;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCWSTR b);
CString operator+(LPCWSTR a, const CString& b);
CString operator+(const CString& a, WCHAR b);
CString operator+(WCHAR a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.Str() == b.Str(); }
inline bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, LPCWSTR b) { return !(a == b); }
inline bool operator!=(LPCWSTR a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCWSTR b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, LPCWSTR b) { return a.Compare(b) > 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

// Narrow (ANSI code page) string with only what narrow texts need.
class CStringA
{
public:
    CStringA() {}
    CStringA(LPCSTR psz) : m_str(psz ? psz : "") {}
    CStringA(LPCSTR pch, int nLength);
    // Converts with the ANSI code page.
    explicit CStringA(LPCWSTR psz);

    int GetLength() const { return (int)m_str.size(); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    LPCSTR GetString() const { return m_str.c_str(); }
    operator LPCSTR() const { return m_str.c_str(); }
    char GetAt(int i) const { return (i >= 0 && i < GetLength()) ? m_str[i] : 0; }
    char operator[](int i) const { return GetAt(i); }

    CStringA& operator=(LPCSTR psz) { m_str = psz ? psz : ""; return *this; }
    CStringA& operator+=(LPCSTR psz) { if (psz) m_str += psz; return *this; }
    CStringA& operator+=(char ch) { m_str += ch; return *this; }
    bool operator==(LPCSTR psz) const { return m_str == (psz ? psz : ""); }
    bool operator!=(LPCSTR psz) const { return !(*this == psz); }

    template <class... Args>
    void Format(LPCSTR pszFormat, const Args&... args)
    {
        AFX_CHECK_FORMAT_ARGS(Args);
        FormatImpl(pszFormat, args...);
    }
    template <class... Args>
    void AppendFormat(LPCSTR pszFormat, const Args&... args)
    {
        AFX_CHECK_FORMAT_ARGS(Args);
        AppendFormatImpl(pszFormat, args...);
    }
    void FormatV(LPCSTR pszFormat, va_list args);

    LPSTR GetBuffer(int nMinLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    void FormatImpl(LPCSTR pszFormat, ...);
    void AppendFormatImpl(LPCSTR pszFormat, ...);

    std::string m_str;
};

inline CStringA operator+(const CStringA& a, LPCSTR b) { CStringA r(a); r += b; return r; }
