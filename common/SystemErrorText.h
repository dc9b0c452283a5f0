// The system's text for an error code, for messages that name the reason.
#pragma once
#include <windows.h>
#include "Strings.h"

// Without its line end; "Error n" when the system has no text for it.
inline CString SystemErrorText(DWORD error)
{
    WCHAR text[512] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 512, nullptr);
    CString result(text);
    result.TrimRight();
    if (result.IsEmpty())
        result.Format(L"Error %lu", error);
    return result;
}
