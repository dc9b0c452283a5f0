// The $-tokens of menu texts: counter, date and time, environment, current
// folder parts, clipboard texts from host commands, the edit's text and
// selection, file and folder dialogs.
#pragma once
#include "Framework.h"
#include "ModuleInterface.h"

class CPathfanServices;

// Expanded texts are cut to this many characters (the request's text buffer
// less its terminator).
const int ExpandedTextLimit = ModuleTextLength - 1;

struct TokenRow {
    LPCWSTR name;
    bool takesArgument;
};

// The first row whose name begins `text` (without regard to case); a name with
// an argument must be followed by "(" at once. -1 when none matches.
int FindToken(const TokenRow* table, int rows, LPCWSTR text);

// Sets the run time's locale (all categories) to the user's: English language
// and country names and the system's ANSI code page ("English_United States.1252").
void SetUserLocale();

// Formats `time` with strftime codes in the run time's current locale. A
// format with an unknown conversion gives an empty text.
CString FormatLocalTime(LPCWSTR format, const SYSTEMTIME& time);

// The request's text (never read past its buffer) and its selection clamped
// to that text.
CString RequestText(const EditRequest* request);
void ClampSelection(const EditRequest* request, int length, int& start, int& end);

class CTokenExpander
{
public:
    // `host` receives the host commands and owns the clipboard while it is
    // read; `counter` is the module's $cnt counter.
    CTokenExpander(CPathfanServices& services, HWND host, int& counter);

    // Expands the tokens of `text` in place. `request` is null where the
    // command has none ($sel and $src then give nothing). False when $cmd
    // found no text.
    bool ExpandTokens(CString& text, const EditRequest* request);

private:
    bool ExpandToken(int row, const CString& argument, const EditRequest* request, CString& out);
    CString ReadClipboardToken(const CString& keyword, const EditRequest* request);
    bool CommandText(CString& out);

    CPathfanServices& m_services;
    HWND m_host;
    int& m_counter;
    SYSTEMTIME m_now = {};
};
