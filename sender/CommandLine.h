// The sender's command line: an engine command name, or a module key and a
// command number joined by the first ",".
#pragma once

#include <windows.h>

const int kMaxCommandLine = 259;   // characters of the command line that count
const int kMaxPluginValue = 520;   // characters of a "PluginList" value

struct SenderCommand {
    int number;                              // wParam of the WM_SETTEXT
    wchar_t text[kMaxCommandLine + 1];       // the module key; empty for an engine command
};

// Copies at most kMaxCommandLine characters of the command line.
void CopyCommandLine(const wchar_t* source, wchar_t (&line)[kMaxCommandLine + 1]);

// The path of "merovin.ini" in the program's own folder; false when the
// program's path does not fit.
bool GetSettingsPath(wchar_t* path, DWORD capacity);

// Turns the command line into the command to send; false for an unknown
// command. A module key must have a non-empty value in "PluginList" of the
// settings file at iniPath, and its number must not be -1.
bool ParseCommandLine(const wchar_t* line, const wchar_t* iniPath, SenderCommand* command);
