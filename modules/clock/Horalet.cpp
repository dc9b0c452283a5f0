// Horalet: a stopwatch and clock window for the engine. Exports the module
// interface; every export catches whatever its work throws.
#include "HoraletApp.h"
#include "ModuleExports.h"

CHoraletApp theApp;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_DETACH) {
        if (reserved)
            // Process end: the timer thread is gone already; waiting for it
            // could block the exit.
            theApp.Clock().AbandonTimer();
        else
            // Freed without "Unload": stop the timer and close the window
            // before the code they call goes away.
            theApp.Unload();
    }
    return AfxDllMain(instance, reason, reserved);
}

static void SetText(WCHAR* target, size_t capacity, LPCWSTR text)
{
    lstrcpynW(target, text, (int)capacity);
}

CHoraletApp::CHoraletApp() : m_info{}, m_commands{}
{
    SetText(m_info.name, ModuleNameLength, L"Stopwatch");
    m_info.flags = OwnWindow;
    m_info.width = -1; // the picture's size is written at every GetInfo
    m_info.height = -1;
    static const LPCWSTR texts[3] = {
        L"Start/Stop|Start or Reset Stopwatch timer",
        L"Pause/Resume|Pause or Resume Stopwatch timer",
        L"Show/Hide|Show or Hide Stopwatch timer",
    };
    for (int i = 0; i < 3; ++i) {
        m_commands[i].id = i + 1;
        SetText(m_commands[i].text, ModuleTextLength, texts[i]);
    }
    m_info.commandCount = 3;
    m_info.commands = m_commands;
}

BOOL CHoraletApp::InitInstance()
{
    m_clock.LoadResources(m_hInstance);
    return CWinApp::InitInstance();
}

ModuleInfo* CHoraletApp::GetInfo()
{
    SIZE size = m_clock.Size();
    m_info.width = size.cx;
    m_info.height = size.cy;
    return &m_info;
}

void CHoraletApp::Load(HWND host)
{
    m_clock.CreateClockWindow(host);
}

void CHoraletApp::Unload()
{
    m_clock.DestroyClockWindow();
}

int CHoraletApp::Process(int command)
{
    return m_clock.RunCommand(command);
}

extern "C" {

ModuleInfo* WINAPI GetInfo()
{
    try {
        return theApp.GetInfo();
    } catch (...) {
        return nullptr;
    }
}

// The place the engine passes is not used: the clock opens at the
// bottom-right corner of the host window.
void WINAPI Load(HWND parent, POINT*)
{
    try {
        theApp.Load(parent);
    } catch (...) {
    }
}

void WINAPI Unload()
{
    try {
        theApp.Unload();
    } catch (...) {
    }
}

// The request is not read: the command alone decides.
INT WINAPI Process(EditRequest*, INT command)
{
    try {
        return theApp.Process(command);
    } catch (...) {
        return ResultNone;
    }
}

} // extern "C"
