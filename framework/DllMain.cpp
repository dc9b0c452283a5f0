// The entry point of a DLL built on the framework: hands every call to the
// application object. A DLL that needs more defines its own DllMain, which
// the linker then takes instead of this one.
#include "WinApp.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    return AfxDllMain(instance, reason, reserved);
}
