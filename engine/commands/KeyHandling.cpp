// The executor's side of the keyboard hooks: the thread hook runs hotkeys at
// once, the low-level hook defers them through the dispatcher.
#include "CommandExec.h"
#include "EngineContext.h"
#include "FocusClass.h"

namespace {

// Scan code of the right Shift key.
const DWORD RightShiftScan = 0x36;

// The sided code of a generic modifier key (others unchanged).
UINT SidedKey(UINT vk, DWORD scanCode, bool extended)
{
    switch (vk) {
    case VK_SHIFT:
        return scanCode == RightShiftScan ? VK_RSHIFT : VK_LSHIFT;
    case VK_CONTROL:
        return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU:
        return extended ? VK_RMENU : VK_LMENU;
    default:
        return vk;
    }
}

// The focus is in the host: its main window, a window it owns, a Lister or
// the associate dialog.
bool IsHostFocus(HWND focus, HWND main)
{
    HWND top = TopLevelParent(focus);
    if (!top)
        return false;
    if (main && (top == main || GetWindow(top, GW_OWNER) == main))
        return true;
    return HasClass(top, L"TLister") || HasClass(top, L"TASSOCIATEDLG");
}

} // namespace

bool CCommandExecutor::OnThreadKeyDown(UINT vk, LPARAM lParam)
{
    // Keys typed into a command's own menus and boxes are theirs, except the
    // command's own key read once more by such a loop.
    if (m_depth > 0)
        return IsRunningKey(vk, lParam);
    BYTE state[256];
    int index = HotkeyNotFound;
    // The keyboard state is read (a costly call) only for a key the table binds.
    if (m_engine.Hotkeys().BindsKey(vk) && GetKeyboardState(state)) {
        // The thread's state does not hold the key being handled yet.
        UINT own = SidedKey(vk & 0xFF, DWORD(lParam >> 16) & 0xFF, (lParam & (1 << 24)) != 0);
        state[own] |= 0x80;
        state[vk & 0xFF] |= 0x80;
        index = m_engine.Hotkeys().FindHotkey(vk, state);
    }
    if (index < 0) {
        m_escCount = 0;
        return false;
    }
    m_runningVk = vk;
    m_runningKeyData = lParam;
    m_runningKeyQueued = true;
    bool handled = ExecuteHotkey(index, true) != 0;
    m_runningKeyQueued = false;
    return handled;
}

bool CCommandExecutor::IsRunningKey(UINT vk, LPARAM lParam)
{
    if (m_depth == 0 || !m_runningKeyQueued || vk != m_runningVk || lParam != m_runningKeyData)
        return false;
    m_runningKeyQueued = false;
    return true;
}

void CCommandExecutor::OnThreadKeyUp()
{
    m_targets.OnKeyUp(GetAsyncKeyState(VK_SHIFT) < 0);
}

bool CCommandExecutor::OnLowLevelKey(UINT vk, DWORD scanCode, DWORD flags, bool down)
{
    vk = SidedKey(vk & 0xFF, scanCode, (flags & LLKHF_EXTENDED) != 0);
    m_lowLevelState[vk] = down ? 0x80 : 0;
    if (!down) {
        // The asynchronous key state changes only after this hook returns:
        // Shift is read from the hook's own table.
        m_targets.OnKeyUp((m_lowLevelState[VK_LSHIFT] | m_lowLevelState[VK_RSHIFT] | m_lowLevelState[VK_SHIFT]) != 0);
        return false;
    }
    if (m_depth > 0 || !m_engine.Hotkeys().BindsKey(vk))
        return false;
    if (!IsHostFocus(GetFocus(), m_engine.Host().mainWindow))
        return false;
    int index = m_engine.Hotkeys().FindHotkey(vk, m_lowLevelState);
    if (index < 0)
        return false;
    return ExecuteHotkey(index, false) != 0;
}
