// The four exports of every module, declared once. A module includes this
// header in the file that defines them and lists the names in its .def file,
// so both widths export "GetInfo", "Load", "Unload" and "Process" without
// decoration. The engine binds them by name with the pointer types of
// ModuleInterface.h; the checks below keep both in step.
#pragma once
#include <type_traits>
#include "ModuleInterface.h"

extern "C" {
// The module's static ModuleInfo, valid while the module stays loaded.
ModuleInfo* WINAPI GetInfo();
// The parent window and, for a module with OwnWindow, the point where its
// window goes (null otherwise).
void WINAPI Load(HWND parent, POINT* point);
void WINAPI Unload();
// Runs a command (request code RequestCommand) or takes a panel-path notice
// (RequestPathNotice); returns a ProcessResult. Nothing may be thrown out of it.
INT WINAPI Process(EditRequest* request, INT parameter);
}

static_assert(std::is_same<decltype(&GetInfo), ModuleGetInfoProc>::value, "GetInfo signature");
static_assert(std::is_same<decltype(&Load), ModuleLoadProc>::value, "Load signature");
static_assert(std::is_same<decltype(&Unload), ModuleUnloadProc>::value, "Unload signature");
static_assert(std::is_same<decltype(&Process), ModuleProcessProc>::value, "Process signature");
