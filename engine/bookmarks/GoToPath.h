// Making the host show a path: WM_COPYDATA "CD" to the host main window.
#pragma once
#include <windows.h>
#include <string>

class CEngineContext;

// Which panel goes to the path.
enum GoToPanel { GoToLeft = 0, GoToRight = 1, GoToSource = 2, GoToTarget = 3 };

// The block up to and with the converted path holds at most this many bytes.
const size_t GoToPathLimit = 1024;

// The "CD" block: [CR for the right and target panels] EF BB BF, the path in
// UTF-8, [CR for the left and source panels], 0, ["S" for source and
// target] "A" ["T" for a new tab], 0. False, and no block, when the path
// does not fit the limit (it is never cut).
bool BuildGoToPathBlock(LPCWSTR path, int mode, bool newTab, std::string& block);

// Sends the block to the host main window; false (and a beep) when the path
// does not fit or there is no host window.
bool GoToPath(CEngineContext& engine, LPCWSTR path, int mode, bool newTab);
