#include "TCOptions.h"
#include <cwchar>

static bool Value(const wchar_t* arg, const wchar_t* name, std::wstring& value)
{
    size_t n = wcslen(name);
    if (wcsncmp(arg, name, n) != 0 || arg[n] != L'=')
        return false;
    value = arg + n + 1;
    return true;
}

bool CTCOptions::Parse(int argc, wchar_t** argv, std::wstring& error)
{
    int positional = 0;
    for (int i = 0; i < argc; ++i) {
        const wchar_t* a = argv[i];
        std::wstring v;
        if (Value(a, L"--tabs", v)) {
            if (v == L"both") m_tabs = TabsBoth;
            else if (v == L"left") m_tabs = TabsLeft;
            else if (v == L"right") m_tabs = TabsRight;
            else if (v == L"none") m_tabs = TabsNone;
            else { error = L"bad --tabs value: " + v; return false; }
        } else if (wcscmp(a, L"--stacked") == 0) {
            m_stacked = true;
        } else if (Value(a, L"--bars", v)) {
            m_bars = _wtoi(v.c_str());
            if (m_bars < 3 || m_bars > 4) { error = L"--bars must be 3 or 4"; return false; }
        } else if (Value(a, L"--hidden-bars", v)) {
            m_hiddenBars = _wtoi(v.c_str());
            if (m_hiddenBars < 0 || m_hiddenBars > 2) { error = L"--hidden-bars must be 0, 1 or 2"; return false; }
        } else if (Value(a, L"--view", v)) {
            if (v == L"full") m_view = ViewFull;
            else if (v == L"brief") m_view = ViewBrief;
            else if (v == L"marker") m_view = ViewMarker;
            else if (v == L"thumbs") m_view = ViewThumbs;
            else { error = L"bad --view value: " + v; return false; }
        } else if (wcscmp(a, L"--ftp") == 0) {
            m_ftp = true;
        } else if (wcscmp(a, L"--refill-first") == 0) {
            m_refillFirst = true;
        } else if (wcscmp(a, L"--late-windows") == 0) {
            m_lateWindows = true;
        } else if (wcscmp(a, L"--refuse-close") == 0) {
            m_refuseClose = true;
        } else if (wcscmp(a, L"--no-commander-ini") == 0) {
            m_noCommanderIni = true;
        } else if (Value(a, L"--plugin", v)) {
            m_plugin = v;
        } else if (Value(a, L"--home", v)) {
            m_home = v;
        } else if (Value(a, L"--log", v)) {
            m_log = v;
        } else if (Value(a, L"--tour", v)) {
            m_tour = true;
            m_tourDir = v;
        } else if (a[0] == L'-' && a[1] == L'-') {
            error = std::wstring(L"unknown option ") + a;
            return false;
        } else if (positional < 2) {
            m_folders[positional++] = a;
        } else {
            error = std::wstring(L"too many folders: ") + a;
            return false;
        }
    }
    return true;
}
