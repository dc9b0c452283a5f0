// One file panel of the stand-in host: the panel window with its drive combo
// box, four bars and optional tab control, and the file list, which is a
// direct child of the main window.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct CTCOptions;

class CTCPanel {
public:
    enum Bar { BarFree = 0, BarPath = 1, BarHeader = 2, BarStatus = 3 };

    int m_side = 0;
    HWND m_panel = nullptr;
    HWND m_drive = nullptr;
    HWND m_bars[4] = {};     // panel bars 1 to 4: free space, path, header, status
    HWND m_tabs = nullptr;
    HWND m_list = nullptr;
    std::wstring m_folder;   // current folder, without a trailing "\" except for a root
    std::vector<std::wstring> m_tabFolders;
    std::vector<int> m_tabLocks;  // 0 none, 1 locked, 2 locked with folder changes
    int m_currentTab = 0;

    // Builds the panel in the main window's client rectangle rc.
    void Create(HWND main, const CTCOptions& options, bool withTabs, const RECT& rc);
    HWND CreateTabs();
    void DestroyTabs();
    HWND RecreatePathBar();
    HWND RecreateList();
    HWND AddHeaderBar();

    // Shows a folder: path bar text, list rows, status bar; logs the change.
    // The caret goes to `caretName` when the folder holds it.
    void SetFolder(const std::wstring& path, const std::wstring& caretName = std::wstring());
    void AddTab(const std::wstring& path);
    // Moves a tab the host's way (insert a copy, delete the old one), the
    // delete `deleteAfterMs` after the insert.
    bool MoveTab(int from, int to, DWORD deleteAfterMs);
    void InsertTabItem(int index, std::wstring name);
    // The drive combo box's selection changed (its WM_COMMAND): log it and
    // show the chosen drive's root.
    void OnDriveSelected();
    void SelectTab(int index);
    // Fills the list from the folder; afterwards the caret is on `caretName`
    // (else the first row), `distance` rows below the top (-1: top row 0).
    void Refill(const std::wstring& caretName = std::wstring(), int distance = -1);
    // Fills the list again, keeping the caret item and its distance from the top.
    void Reread();
    std::wstring PathText() const;  // folder + "\*.*"
    std::wstring RowText(int index) const;
    std::wstring ItemName(int index) const;
    // Status bar: selected and total size, files and folders (".." not counted).
    void UpdateStatus();

    // Paints one row of the file list or the drive combo box.
    static void DrawItem(const DRAWITEMSTRUCT* dis);
    static void DrawComboItem(const DRAWITEMSTRUCT* dis);

private:
    HWND CreateBar(int bar, int x, int y, int w, int h, const wchar_t* text, bool hidden);
    RECT ListRect() const;
    void UpdateFreeSpace();

    HWND m_main = nullptr;
    int m_files = 0, m_dirs = 0;  // totals of the folder shown
    ULONGLONG m_bytes = 0;
    RECT m_rc = {};
    int m_hiddenBars = 0;
};

// True for an existing folder; a name whose attributes cannot be read is none.
bool IsFolderPath(const std::wstring& path);

// Splits a row text "name\tsize\tdate" into its columns.
std::vector<std::wstring> SplitRow(const std::wstring& row);

// What a row text tells: "name.ext\tsize\tdate", "name\t<DIR>\tdate",
// "name >size date" or "name ><DIR> date".
struct CTCRow {
    std::wstring name;
    bool dir = false;
    ULONGLONG size = 0;
};
CTCRow ParseRow(const std::wstring& text);

// Control ids of the drive combo boxes, left and right.
const int DriveComboId = 1001;

// Column width of the multi-column view.
const int BriefColumnWidth = 120;
