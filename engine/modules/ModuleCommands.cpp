// Running a module command on the focused control and acting on its result.
#include "ModuleLoader.h"
#include "Prompt.h"
#include <cwchar>

namespace {

int Clamp(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

// A module's answer is used only within its buffer, and its selection
// only within its text (-1 keeps EM_SETSEL's meaning of "none"/"to the end").
void BoundRequest(EditRequest& request)
{
    request.text[ModuleTextLength - 1] = 0;
    int length = (int)wcslen(request.text);
    request.selStart = Clamp(request.selStart, -1, length);
    request.selEnd = Clamp(request.selEnd, -1, length);
}

} // namespace

int CModuleLoader::RunModuleCommand(int value, HWND focus, LPCWSTR name)
{
    int index;
    int parameter;
    if (name) {
        index = LoadModule(FindModule(name));
        parameter = value;
    } else {
        if (value < 0 || value >= HotkeyCount())
            return 0;
        parameter = m_hotkeys[value].parameter;
        index = LoadModule(value, true);
    }
    if (index < 0)
        return 0;
    UINT flags = m_entries[index].flags;

    bool edit = focus && (m_host.ClassifyFocus(focus) & FocusEdit);
    if ((flags & EditOnly) && !edit)
        return 0;

    EditRequest request = {};
    request.code = RequestCommand;
    if (flags & PanelOnly) {
        int side;
        if (focus && focus == m_host.FileList(1))
            side = 1;
        else if (focus && focus == m_host.FileList(0))
            side = 0;
        else
            return 0;
        request.window = m_host.TabControl(side);
    } else {
        request.window = focus;
    }
    if (focus)
        GetWindowTextW(focus, request.text, ModuleTextLength);
    if (edit) {
        // The DWORD form: the packed return value stops at 65535.
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(focus, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        request.selStart = (int)start;
        request.selEnd = (int)end;
    }

    int result = ProcessRequest(index, request, parameter);
    if (result == ResultNone)
        return 0;
    BoundRequest(request);
    ActOnResult(result, focus, request);
    return 1;
}

int CModuleLoader::RunModuleByName(LPCWSTR name, int parameter)
{
    if (!name || !*name)
        return 0;
    return RunModuleCommand(parameter, GetFocus(), name);
}

void CModuleLoader::ActOnResult(int result, HWND focus, EditRequest& request)
{
    switch (result) {
    case ResultSetText:
        SetWindowTextW(focus, request.text);
        m_keptRequest = request;
        m_host.StartTimer(EngineTimer::SelectionRestore, SelectionRestoreDelay);
        break;
    case ResultSelectAndBeep:
        SetFocus(focus);
        SendMessageW(focus, EM_SETSEL, (WPARAM)request.selStart, (LPARAM)request.selEnd);
        AfxMessageBeep(MB_ICONASTERISK);
        break;
    default:
        break;
    }
}

void CModuleLoader::OnSelectionRestoreTimer()
{
    m_host.KillTimer(EngineTimer::SelectionRestore);
    HWND window = m_keptRequest.window;
    if (!window || !IsWindow(window))
        return;
    SetFocus(window);
    SendMessageW(window, EM_SETSEL, (WPARAM)m_keptRequest.selStart, (LPARAM)m_keptRequest.selEnd);
}
