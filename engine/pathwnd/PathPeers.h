// What the path windows (and the folder tabs they decorate) ask of the
// engine's features: the folder rules, the tabs' source of decorations and
// the engine menu a middle click opens.
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
    // The engine menu for the panel of `side` at a screen point.
    virtual void ShowEngineMenu(int side, POINT screen) = 0;
};
