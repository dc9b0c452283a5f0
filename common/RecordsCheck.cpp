// Compiled in both widths so the layout checks of the shared records run for each.
#include "ModuleInterface.h"
#include "ContentPlugin.h"
