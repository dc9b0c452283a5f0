// The modifiers each command's keys hold, gathered once per change of the
// hotkey model, so filtering by modifiers costs one lookup per row instead
// of a walk over every hotkey. A key holds a modifier when its text names it
// (the hotkey model's CollectHotkeys rule): bits 1 Win, 2 Ctrl, 4 Alt, 8 Shift.
#pragma once

#include <windows.h>
#include <string>
#include <unordered_map>
#include <vector>

class CHotKeyHolder;

class CKeyWordIndex
{
public:
    // Forgets everything; the next lookup gathers the keys again.
    void Invalidate() { m_bBuilt = false; }
    // TRUE when one of the command's keys holds every modifier of the mask.
    BOOL Matches(const CHotKeyHolder& holder, LPCWSTR lpszCommand, int nMask);

private:
    void Build(const CHotKeyHolder& holder);

    std::unordered_map<std::wstring, std::vector<int>> m_masks;
    bool m_bBuilt = false;
};
