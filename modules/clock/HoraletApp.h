// The module's application object: the clock window and the module record.
#pragma once
#include "Framework.h"
#include "ModuleInterface.h"
#include "ClockWindow.h"

class CHoraletApp : public CWinApp
{
public:
    CHoraletApp();
    BOOL InitInstance() override;

    ModuleInfo* GetInfo();
    void Load(HWND host);
    void Unload();
    int Process(int command);

    CClockSW& Clock() { return m_clock; }

private:
    CClockSW m_clock;
    ModuleInfo m_info;
    ModuleCommand m_commands[3];
};

extern CHoraletApp theApp;
