// The sticky-files dialog: every folder of the sticky file in a combo box,
// the chosen folder's sticky names in a list (file, folder or missing), and
// buttons that move, delete and save them, empty the folder, or delete the
// entries of every folder. The dialog writes the sticky file itself: on
// Save, on OK when something changed, on a folder change answered Yes, and
// on "delete all".
#pragma once
#include <windows.h>
#include <vector>
#include "CommonControls.h"
#include "Controls.h"
#include "Dialog.h"
#include "ImageList.h"
#include "SortStringArray.h"

class CEngineContext;

// Number of icon buttons of the dialog.
const int StickyButtonCount = 6;

// The list: Shift+Up and Shift+Down reach the dialog as LVN_KEYDOWN only,
// so the list's own selection stays where the move put it.
class CStickyList : public CListCtrl {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CConfigDlg : public CDialog {
public:
    // `owner`: the window the dialog is modal over (may be null).
    CConfigDlg(CEngineContext& engine, HWND owner);
    ~CConfigDlg() override;

    CString m_stickyFile;
    CString m_preselect;  // the folder to show first; empty: the first one
    BOOL m_sort = FALSE;  // the names are sorted: no manual order

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

private:
    void OnMove(int delta);
    void OnDeleteSelected();
    void OnDeleteFolder();
    void OnSave();
    void OnChangeFolder();
    void OnDeleteEvery();
    void OnListKeyDown(const NMLVKEYDOWN* key);

    CString Text(int id, LPCWSTR fallback) const;
    void FillFolders();
    void FillList();
    void UpdateButtons(int modified);
    int Selected() const;
    void Select(int item);
    // Writes the list under the folder it was filled from; with
    // `removeEmptied` an emptied folder leaves the combo box.
    void Save(bool removeEmptied);
    int Ask(int textId, LPCWSTR fallback);

    CEngineContext& m_engine;
    CWnd m_ownerWnd;
    int m_modified = 0;
    CSortStringArray m_names;
    CString m_folder; // the folder the list was filled from
    CStickyList m_list;
    CComboBox m_folders;
    CButton m_buttons[StickyButtonCount];
    CToolTipCtrl m_tips[StickyButtonCount];
    bool m_hasTip[StickyButtonCount] = {};
    CImageList m_images;
    std::vector<HICON> m_icons; // destroyed with the dialog object
};

// Every section name of a profile file, however many there are.
std::vector<CString> ReadSectionNames(LPCWSTR file);
// Deletes every section of the file; false when some could not be removed.
bool DeleteEverySection(LPCWSTR file);
