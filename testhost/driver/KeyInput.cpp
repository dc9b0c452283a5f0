// SendInput with real scan codes: a key with scan 0 has no name for
// GetKeyNameTextW, and the right-hand and navigation keys need the extended flag.
#include "HostDriver.h"

bool IsExtendedKey(WORD vk)
{
    switch (vk) {
    case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS:
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_SNAPSHOT:
        return true;
    }
    return false;
}

INPUT MakeKeyInput(WORD vk, bool up)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = (WORD)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

bool SendKeys(const std::vector<INPUT>& inputs)
{
    if (inputs.empty())
        return true;
    UINT n = SendInput((UINT)inputs.size(), const_cast<INPUT*>(inputs.data()), sizeof(INPUT));
    return n == inputs.size();
}

std::vector<INPUT> BuildChord(std::initializer_list<WORD> modifiers, WORD vk)
{
    std::vector<INPUT> v;
    for (WORD m : modifiers)
        v.push_back(MakeKeyInput(m, false));
    v.push_back(MakeKeyInput(vk, false));
    v.push_back(MakeKeyInput(vk, true));
    std::vector<WORD> mods(modifiers);
    for (auto it = mods.rbegin(); it != mods.rend(); ++it)
        v.push_back(MakeKeyInput(*it, true));
    return v;
}
