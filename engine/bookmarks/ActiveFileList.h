// The file list the bookmark and sticky commands act on.
#pragma once
#include <windows.h>

class CEngineContext;
class CTCFileList;

// The engine's object on the focused file list (left or right), or null.
// `commandLine` tells whether the focus is in the host's command line (the
// bottom bar's child, or the command-line combo box and anything inside it).
CTCFileList* ActiveFileList(CEngineContext& engine, bool* commandLine = nullptr);
