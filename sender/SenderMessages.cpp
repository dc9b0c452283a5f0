#include "SenderMessages.h"

namespace {

const wchar_t kCaption[] = L"Merovcall Error";

void ShowBox(const wchar_t* text)
{
    // Connects the thread to its desktop first: under Wine a box that is the
    // thread's first window on a desktop other than the default one never
    // appears and never returns.
    GetDesktopWindow();
    MessageBoxW(nullptr, text, kCaption, MB_ICONINFORMATION);
}

// Appends source to buffer (capacity in characters, terminator included).
void Append(wchar_t* buffer, int capacity, const wchar_t* source)
{
    int used = lstrlenW(buffer);
    if (used < capacity - 1)
        lstrcpynW(buffer + used, source, capacity - used);
}

}  // namespace

void ShowUnknownCommand(const wchar_t* commandLine)
{
    wchar_t text[300] = L"Unknown command <";
    Append(text, 300 - 1, commandLine);
    Append(text, 300, L">");
    ShowBox(text);
}

void ShowCannotFindEngine()
{
    ShowBox(L"Cannot find Merovin.");
}

void ShowSystemError(DWORD code, const wchar_t* label)
{
    wchar_t system[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, system, 512, nullptr);
    // The system's texts end with a line break.
    while (length > 0 && (system[length - 1] == L'\r' || system[length - 1] == L'\n' || system[length - 1] == L' '))
        system[--length] = L'\0';

    wchar_t text[512] = {};
    Append(text, 512, label);
    Append(text, 512, L": ");
    Append(text, 512, system);
    ShowBox(text);
}
