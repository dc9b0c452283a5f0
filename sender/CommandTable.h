// The engine commands the sender knows by name.
#pragma once

// The command number of an engine command name (compared without case), or 0
// when the name is not in the table.
int FindEngineCommand(const wchar_t* name);
