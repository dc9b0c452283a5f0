// Calls into a module, each inside a catch-all: a C++ exception thrown by a
// module never reaches the host. (A hardware fault such as an access
// violation is not a C++ exception and is not caught here.)
#pragma once
#include "ModuleInterface.h"

// The module's ModuleInfo; null when it answers none or throws.
ModuleInfo* CallGetInfo(ModuleGetInfoProc getInfo);
// False when "Load" throws.
bool CallLoad(ModuleLoadProc load, HWND parent, POINT* point);
void CallUnload(ModuleUnloadProc unload);
// The ProcessResult; 0 when "Process" throws.
int CallProcess(ModuleProcessProc process, EditRequest* request, INT parameter);

// True when the ModuleInfo can be used: a count of at least 0 and, with a
// positive count, a command array.
bool IsCompleteInfo(const ModuleInfo* info);
