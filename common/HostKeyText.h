// The host's own way of writing a hotkey ("CS+F1", "A+OEM_.") read and
// rewritten as a hotkey text ("Ctrl+Shift+F1", "Alt+Dot").
#pragma once
#include <windows.h>
#include <string>

// Appends the hotkey text of a host key text to out: blanks are removed; the
// first of the host's OEM key names found in the text is replaced, once, by
// its word; when the text holds "+", its leading letters from "WACS" (Win,
// Alt, Ctrl, Shift) are taken as modifiers and written in the order Win, Alt,
// Ctrl, Shift before the rest. A null text appends nothing.
void TranslateHostKey(const WCHAR* hostKey, std::wstring& out);
