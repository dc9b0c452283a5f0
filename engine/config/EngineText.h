// The engine's localised texts.
#pragma once
#include <windows.h>
#include "Strings.h"

// Key "<id>" of section "Merovin" of the localisation file; when that is empty
// and `resourceId` is not 0, string resource `resourceId` of `instance`.
CString LoadEngineText(int id, UINT resourceId, LPCWSTR localizationFile, HINSTANCE instance);
