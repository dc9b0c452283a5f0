// The engine menu ("ShowMVMenu", or the path window's middle click for a
// side) and the engine commands that belong to no other feature:
// "ChangeColumns" and "GotoDirRelative".
#pragma once
#include <windows.h>
#include <vector>
#include "Strings.h"

class CEngineContext;
class CBookmarks;
class CIconMenu;
class CTCFileList;

// Menu-only ids: never engine commands.
const UINT MenuBookmarksOff = 65500;  // the greyed bookmark item
const UINT MenuRunSettings = 65521;   // starts the settings utility
// The settings utility beside the engine.
const WCHAR SettingsUtilityName[] = L"MerovSet.exe";

// What the engine menu shows for the list it opens over.
struct EngineMenuState {
    CString title;
    bool stickyFiles = false;     // [Config] "StickyFiles"
    bool hasList = false;
    bool stickyFileShort = false; // the sticky file holds fewer than 3 bytes
    int stickyCount = 0;          // sticky names of the list's folder
    int current = -1;             // the list's current item; -2 for ".."
    bool currentSticky = false;
    bool bookmarks = false;       // [Config] "BookMarks"
    bool columnsEnabled = false;  // a multi-column list with "ChangeColumns" on
    bool customColumns = false;   // the custom column widths are in force
    bool groupingAvailable = false;
    bool groupingOn = false;
};

// Fills `menu` (the bookmark submenu from `bookmarks`).
void BuildEngineMenu(CEngineContext& engine, CIconMenu& menu, const EngineMenuState& state,
                     const std::vector<CString>& bookmarks);

class CEngineMenu {
public:
    CEngineMenu(CEngineContext& engine, CBookmarks& bookmarks) : m_engine(engine), m_bookmarks(bookmarks) {}
    CEngineMenu(const CEngineMenu&) = delete;
    CEngineMenu& operator=(const CEngineMenu&) = delete;

    // Every start: the column widths are as the settings give them.
    void Reset() { m_customColumns = -1; }

    // Side -1: for the focused file list, centred below its path window (0
    // when no file list has the focus). Side 0 or 1: for that side at the
    // point's x, below the side's path window, after asking the host for
    // the side's path. 1 when shown.
    int Show(int side, POINT point);
    // Runs a choice of the menu; `items` are the bookmarks it showed.
    void RunChoice(UINT id, const std::vector<CString>& items);
    // The state the menu shows for `list` (null: no list).
    EngineMenuState ReadState(CTCFileList* list);

    // "ChangeColumns": both lists get their own width, or the host's; the
    // stored widths are never written.
    int ChangeColumns();
    bool CustomColumns() const;
    // "GotoDirRelative": the other panel goes to the folder matching the
    // focused one's.
    int GotoDirRelative();
    // Asks the host for a side's path ("GW" with "LP" or "RP"); the answer
    // goes to the dispatcher.
    void AskPanelPath(int side);

private:
    CEngineContext& m_engine;
    CBookmarks& m_bookmarks;
    int m_customColumns = -1; // -1: as "ChangeColumns" says
};
