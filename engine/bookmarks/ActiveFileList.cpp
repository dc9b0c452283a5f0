#include "ActiveFileList.h"
#include "EngineContext.h"
#include "HostTreeSnapshot.h"
#include "PanelObjects.h"

CTCFileList* ActiveFileList(CEngineContext& engine, bool* commandLine)
{
    if (commandLine)
        *commandLine = false;
    HWND focus = ::GetFocus();
    if (!focus)
        return nullptr;
    CPanelObjects& panels = engine.Panels();
    for (CTCFileList* list : panels.fileList)
        if (list && list->Window() == focus)
            return list;
    const HostTreeSnapshot& tree = engine.Tree();
    bool inCommandLine = (tree.bottomBar && ::GetParent(focus) == tree.bottomBar) ||
                         (tree.commandCombo && (focus == tree.commandCombo || ::IsChild(tree.commandCombo, focus)));
    if (commandLine)
        *commandLine = inCommandLine;
    return nullptr;
}
