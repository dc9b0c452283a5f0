// The engine's checks around the host's Lister windows.
#pragma once
#include <windows.h>

class CEngineContext;

// Whether the host may close now: with "CheckCloseTC" on and Lister windows
// open, the user is asked.
bool ConfirmHostClose(CEngineContext& engine);
