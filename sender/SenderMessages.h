// The sender's message boxes: fixed English texts, caption "Merovcall Error".
#pragma once

#include <windows.h>

void ShowUnknownCommand(const wchar_t* commandLine);
void ShowCannotFindEngine();

// "<label>: <the system's text for code>".
void ShowSystemError(DWORD code, const wchar_t* label);
