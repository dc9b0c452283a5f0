// What the path windows (and the folder tabs they decorate) ask of the
// engine's features: the folder rules and the tabs' source of decorations.
#pragma once
#include <windows.h>

class CFolderRules;
class CTabDecorationSource;

class CPathPeers {
public:
    virtual ~CPathPeers() {}
    // The rules read at start-up (empty without "AutoView").
    virtual const CFolderRules& FolderRules() const = 0;
    // Where the tabs look up a folder's icon and colour; null: nowhere.
    virtual CTabDecorationSource* TabDecorations() = 0;
};
