// CMainSheet: MerovSet's one window, a tree property sheet with the eleven
// pages. OK and Apply make every page write its keys to "Merovin.ini", then
// the sheet writes the start-up sequence the pages share and broadcasts the
// reload message that running engines answer (also when nothing changed).
// F1 shows the readme page. A page's tree item may carry a check box: its
// click (or Space) enables or greys the page; the About page stays enabled.
#pragma once

#include <windows.h>
#include <functional>
#include <memory>
#include <vector>
#include "DupView.h"
#include "StartupSequence.h"
#include "TreePropSheetBase.h"

class CKeyPage;
class CPluginPage;
class CSettingsModel;

// "<own folder>\Readme_<base>.html" for a localisation file "<...>\<base>.<ext>",
// else "<own folder>\Readme.html".
CString ReadmePath(LPCWSTR lpszOwnFolder, LPCWSTR lpszLocalizationFile);

class CMainSheet : public TreePropSheet::CTreePropSheetBase, public CCommandNavigator
{
public:
    // Posted for a tree item whose check box was clicked (lParam the item).
    static const UINT WMU_TREE_CHECK = WM_USER + 100;
    // The page tree's control id.
    static const UINT PageTreeId = 0x7EEE;

    // Title, tree, pictures and the eleven pages, ready to run.
    explicit CMainSheet(CSettingsModel& model);
    ~CMainSheet() override;

    CKeyPage* GetKeyPage() const { return m_pKeyPage; }
    CPluginPage* GetPluginPage() const { return m_pPluginPage; }
    // The page with a dialog id, or NULL.
    CPropertyPage* FindPage(UINT nIDTemplate) const;
    CStartupSequence& GetStartupSequence() { return m_startup; }

    // What OK and Apply do before the sheet's own handling: every page
    // applies, the start-up sequence is written, the reload is broadcast.
    // A failed write is told in one message; returns FALSE then (the pages
    // that failed stay modified).
    BOOL ApplyAndBroadcast();
    // The information box, then the readme page.
    void ShowHelp();
    // The page where the command's key is edited (a beep for none).
    void GoToCommand(LPCWSTR lpszCommand) override;
    // The duplicates of the Keyboard Mapping and Plugins pages.
    void RefreshDuplicates() override;

    // Opens a document as the shell does; returns ShellExecuteW's result.
    std::function<INT_PTR(LPCWSTR)> m_openDocument;

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnSheetInitialized() override;
    LRESULT OnTreeCheck(HTREEITEM hItem);
    BOOL HasTreeItem(HTREEITEM hItem, HTREEITEM hFirst) const;

    CSettingsModel& m_model;
    CStartupSequence m_startup;
    std::vector<std::unique_ptr<CPropertyPage>> m_pages;
    CKeyPage* m_pKeyPage = nullptr;
    CPluginPage* m_pPluginPage = nullptr;
    HICON m_hIconBig = nullptr;
    HICON m_hIconSmall = nullptr;
};
