// The sticky file "Merovin.stk": one section per folder (the folder's path
// without a trailing "\"), keys "1" .. "n" holding bare names in sticky
// order. SetStickyPosition is its one writer; CStickyFile serves the file
// lists' sticky commands and the "Order" column, whose reads are cached per
// folder and safe on any thread.
#pragma once
#include <windows.h>
#include <map>
#include <string>
#include <vector>
#include "StickyStore.h"

class CEngineContext;
class CTCFileList;

// What SetStickyPosition did.
enum StickyWrite { StickyUnchanged = 0, StickyWritten = 1, StickyRefused = 2 };

// Moves `name` in `folder`'s section: -3 removes the section, -2 toggles
// (removed when sticky, else first), -1 and below remove, 0 and 1 put it
// first, n > 1 at place n. Nothing is written when nothing changes; every
// key of the section is kept; a new file starts with a UTF-16 byte-order
// mark. An empty folder or name is refused.
int SetStickyPosition(LPCWSTR stickyFile, LPCWSTR folder, LPCWSTR name, int position);

// Whether host item `index` of `list` shows as sticky: its row, less a
// leading "..", is below the number of sticky items found in the listing.
bool IsStickyItem(bool stickyFiles, CTCFileList& list, int index);

class CStickyFile : public CStickyStore {
public:
    explicit CStickyFile(CEngineContext& engine);
    ~CStickyFile() override;
    CStickyFile(const CStickyFile&) = delete;
    CStickyFile& operator=(const CStickyFile&) = delete;

    // The 1-based key of the path's name in its folder's section; 0 when
    // the path holds no "\", the section is absent or the name not in it.
    int Order(LPCWSTR path);
    // SetStickyPosition on the engine's sticky file.
    int SetStickyPosition(LPCWSTR folder, LPCWSTR name, int position);

    // CStickyStore
    // A refused change (no folder) beeps.
    void SetPosition(LPCWSTR folder, LPCWSTR name, int place) override;
    // The sticky-files dialog (ShowDialog).
    void RunDialog(HWND owner, LPCWSTR folder, BOOL sort) override;

    // The sticky-files dialog, modal over `owner`, on the engine's sticky
    // file with `folder` shown first; its end code (IDOK after saving). A
    // settings reload that arrives meanwhile waits until it has ended.
    INT_PTR ShowDialog(HWND owner, LPCWSTR folder, BOOL sort);

private:
    // Drops the cached sections when the file changed on disk.
    void CheckFileTime(LPCWSTR file);

    CEngineContext& m_engine;
    CRITICAL_SECTION m_lock;
    std::map<std::wstring, std::vector<std::wstring>> m_sections; // folded folder -> folded names
    FILETIME m_fileTime = {};
    DWORD m_checkedAt = 0;
};
