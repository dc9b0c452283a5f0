// Completion of a file or folder name in an edit box: the text after the
// last "\" before the caret is replaced by the next name in that folder that
// starts with it; pressing the key again gives the next name, and after the
// last one the names start again from the first. One cycle is kept between
// key presses; it goes on while the edit's text and selection are what the
// last completion left.
#pragma once
#include <windows.h>
#include <string>

class CAutoCompletion {
public:
    CAutoCompletion() {}
    ~CAutoCompletion() { Reset(); }
    CAutoCompletion(const CAutoCompletion&) = delete;
    CAutoCompletion& operator=(const CAutoCompletion&) = delete;

    // Completes in `edit`; always 1 (the key is used up).
    int Complete(HWND edit);
    // Ends the cycle and closes its directory search.
    void Reset();

private:
    // A new cycle for the text and selection start; false when the text
    // holds no folder before the caret.
    bool StartCycle(const std::wstring& text, DWORD selStart);
    // The next name of the search that fits the typed part (restarting the
    // search once when it ran out); false when there is none.
    bool NextName(std::wstring& name);
    bool Fits(const WIN32_FIND_DATAW& entry) const;
    void CloseSearch();

    HANDLE m_search = INVALID_HANDLE_VALUE;
    bool m_cycle = false;
    int m_nameStart = 0;       // just after the last "\" before the caret
    std::wstring m_pattern;    // the folder and typed part, expanded, plus "?*"
    std::wstring m_typed;      // the typed part of the name, expanded
    // The edit as the last completion left it.
    std::wstring m_lastText;
    DWORD m_lastStart = 0;
    DWORD m_lastEnd = 0;
};

// `text` with its environment variables expanded; false when that fails or
// the result is longer than 2047 characters.
bool ExpandEnvironment(const std::wstring& text, std::wstring& expanded);
