// The run level that the system reads from a program's embedded manifest
// (resource 1 of type RT_MANIFEST): an ACTCTX_RUN_LEVEL value, or -1 when
// the program has no manifest the system accepts.
#pragma once
#include <windows.h>

inline int ManifestRunLevel(const wchar_t* program)
{
    ACTCTXW context = {};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = program;
    context.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE handle = CreateActCtxW(&context);
    if (handle == INVALID_HANDLE_VALUE)
        return -1;
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION info = {};
    SIZE_T size = 0;
    BOOL ok = QueryActCtxW(0, handle, nullptr, RunlevelInformationInActivationContext, &info, sizeof(info), &size);
    ReleaseActCtx(handle);
    return ok ? (int)info.RunLevel : -1;
}
