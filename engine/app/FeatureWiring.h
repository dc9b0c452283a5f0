// Where the engine's features plug into the engine: the start-up steps that
// read their settings and files, the teardown steps that free them, the
// watcher's Lister events, the feature timers, and the executor's calls into
// the features (CCommandTargets). Each feature adds its handler here, at the
// one method named for it; until then the engine behaves as the comment says.
#pragma once
#include <windows.h>
#include "AutoCompletion.h"
#include "Bookmarks.h"
#include "CommandTargets.h"
#include "ContentColumns.h"
#include "EngineMenu.h"
#include "EngineTexts.h"
#include "EngineTimer.h"
#include "FolderRules.h"
#include "ListerWindows.h"
#include "RowMarks.h"
#include "ListPeers.h"
#include "PathPeers.h"
#include "RuleDecorations.h"
#include "StickyFile.h"
#include "Strings.h"

class CEngineContext;

class CFeatureWiring : public CCommandTargets, public CRowMarkSource, public CListPeers, public CPathPeers {
public:
    explicit CFeatureWiring(CEngineContext& engine)
        : m_engine(engine), m_bookmarks(engine), m_sticky(engine), m_columns(engine, m_bookmarks, m_sticky),
          m_listers(engine), m_menu(engine, m_bookmarks),
          m_tabDecorations(m_folderRules, CDecorationOptions()) {}
    CFeatureWiring(const CFeatureWiring&) = delete;
    CFeatureWiring& operator=(const CFeatureWiring&) = delete;

    // Start-up steps, in the engine's start-up order.
    // The [Config] grouping pattern; returns whether grouping is active.
    int ReadGroupingSettings(CString& pattern);
    void LoadEngineTexts();
    void ReadDriveListIcons();
    void ReadBookmarks();
    void ReadFolderRules();
    void InitIconMenu();
    // With the get-message hook: the engine's item in every open Lister.
    void AddListerMenuItems();

    // Teardown steps.
    void RemoveListerMenuItems();
    void FreeStartupTables();

    // The window watcher's Lister events.
    void AddListerMenuItem(HWND lister);
    void SubclassListerOnClose(HWND lister);
    // A message the get-message hook saw (Lister handling).
    void OnGetMessage(MSG& message);
    // A feature timer fired; false when no feature owns it.
    bool OnTimer(EngineTimer kind, UINT_PTR key);

    // CCommandTargets
    int SpecialKeyFilter(const HotkeyEntry& entry, HWND focus) override;
    void OnKeyUp(bool shiftDown) override;
    bool NextQuickViewApplies() override;
    int RunAutoCompletion(HWND focus) override;
    int RunFeatureCommand(UINT number) override;
    bool IsDriveListFocus(HWND focus) override;
    HWND DriveComboWindow(int side) override;
    int ShowEngineMenu(int side, POINT point) override;

    // CRowMarkSource: sticky rows and bookmarked items.
    UINT RowMarks(CTCFileList& list, int index) override;
    // CListPeers: "TabsWheel" and "MClick2NewTab".
    bool OfferWheelToTabs(WPARAM wParam, LPARAM lParam) override;
    void OpenInNewTab(CTCFileList& list, LPCWSTR path) override;

    // The bookmarks and the content columns (the engine's exports).
    CBookmarks& Bookmarks() { return m_bookmarks; }
    CContentColumns& Columns() { return m_columns; }
    // The engine's texts of this start.
    const CEngineTexts& Texts() const { return m_texts; }
    // CPathPeers: the folder rules read at start-up (empty without
    // "AutoView") and the tabs' decorations.
    const CFolderRules& FolderRules() const override { return m_folderRules; }
    CTabDecorationSource* TabDecorations() override;

private:
    int RunStickyCommand(int op);
    int UseFileGrouping();

    CEngineContext& m_engine;
    CBookmarks m_bookmarks;   // kept across teardown and reloads
    CStickyFile m_sticky;
    CContentColumns m_columns;
    CListerWindows m_listers;
    CAutoCompletion m_completion; // the running completion cycle
    CEngineMenu m_menu;
    CEngineTexts m_texts;
    CFolderRules m_folderRules;   // from start-up to teardown
    CRuleTabDecorations m_tabDecorations; // over m_folderRules
};
