// "ReturnTabs": the current folder tab scrolled back into view.
#pragma once
#include <windows.h>

// When the tab control has two tabs or more, its scroll arrows are shown and
// less than 30 pixels of the current tab are visible left of them, the
// current tab is scrolled into view (the tab before it is selected, then the
// current one again).
void EnsureTabVisible(HWND tabs);
