// The host's log: one UTF-8 line per event, "kind<TAB>key=value<TAB>...".
// Every line starts with seq= and tick=; tabs and line breaks in values are
// written as \t and \n. The file is shared for reading while the host runs.
#pragma once
#include <windows.h>
#include <string>

class CTCLogLine {
public:
    explicit CTCLogLine(const wchar_t* kind) : m_text(kind) {}
    CTCLogLine& Add(const wchar_t* key, const std::wstring& value);
    CTCLogLine& Add(const wchar_t* key, const wchar_t* value) { return Add(key, std::wstring(value ? value : L"")); }
    CTCLogLine& Add(const wchar_t* key, long long value);
    CTCLogLine& Add(const wchar_t* key, int value) { return Add(key, (long long)value); }
    CTCLogLine& Add(const wchar_t* key, unsigned value) { return Add(key, (long long)value); }
    CTCLogLine& Add(const wchar_t* key, long value) { return Add(key, (long long)value); }
    CTCLogLine& Add(const wchar_t* key, unsigned long value) { return Add(key, (long long)value); }
    CTCLogLine& AddHex(const wchar_t* key, ULONG_PTR value);
    CTCLogLine& AddWindow(const wchar_t* key, HWND wnd);  // handle and class
    const std::wstring& Text() const { return m_text; }

private:
    std::wstring m_text;
};

class CTCLog {
public:
    ~CTCLog();
    bool Open(const std::wstring& path);
    void Write(const CTCLogLine& line);
    int Count() const { return m_count; }

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    int m_count = 0;
};
