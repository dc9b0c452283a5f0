#include "ModuleCalls.h"

ModuleInfo* CallGetInfo(ModuleGetInfoProc getInfo)
{
    try {
        return getInfo();
    } catch (...) {
        return nullptr;
    }
}

bool CallLoad(ModuleLoadProc load, HWND parent, POINT* point)
{
    try {
        load(parent, point);
        return true;
    } catch (...) {
        return false;
    }
}

void CallUnload(ModuleUnloadProc unload)
{
    try {
        unload();
    } catch (...) {
    }
}

int CallProcess(ModuleProcessProc process, EditRequest* request, INT parameter)
{
    try {
        return process(request, parameter);
    } catch (...) {
        return ResultNone;
    }
}

bool IsCompleteInfo(const ModuleInfo* info)
{
    if (!info || info->commandCount < 0)
        return false;
    return info->commandCount == 0 || info->commands != nullptr;
}
