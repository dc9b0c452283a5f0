// Merovcall: delivers one engine or module command to the engine inside the
// host process that started it (directly or through other processes).
// Exit code 0 after the unknown-command box, 1 in every other case.
#include "CommandLine.h"
#include "Delivery.h"
#include "EngineFinder.h"
#include "SenderMessages.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int)
{
    wchar_t line[kMaxCommandLine + 1];
    CopyCommandLine(commandLine, line);

    wchar_t iniPath[1024];
    if (!GetSettingsPath(iniPath, 1024))
        iniPath[0] = L'\0';

    SenderCommand command;
    if (!ParseCommandLine(line, iniPath, &command)) {
        ShowUnknownCommand(line);
        return 0;
    }

    HWND dispatcher = nullptr;
    DWORD error = 0;
    switch (FindEngineDispatcher(GetCurrentProcessId(), &dispatcher, &error)) {
    case FindResult::Found:
        DeliverCommand(dispatcher, command);
        break;
    case FindResult::NotFound:
        ShowCannotFindEngine();
        break;
    case FindResult::SnapshotFailed:
        ShowSystemError(error, L"CreateSnapshot");
        break;
    }
    return 1;
}
