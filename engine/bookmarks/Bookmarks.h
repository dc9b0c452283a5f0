// The bookmarks: an ordered list of full file and folder paths, kept in
// "Merovin.bkm" (section "BookMarks", keys "1" .. "n") beside the engine,
// stepped through, copied to the clipboard and back, and turned into a
// selection of files in one panel. The list lives as long as the engine:
// teardown and reloads keep it, and every start-up merges the file into it.
#pragma once
#include <windows.h>
#include <vector>
#include "Strings.h"

class CEngineContext;
class CTCFileList;

class CBookmarks {
public:
    explicit CBookmarks(CEngineContext& engine);
    ~CBookmarks();
    CBookmarks(const CBookmarks&) = delete;
    CBookmarks& operator=(const CBookmarks&) = delete;

    // Merges the file into the list: keys "1" up to the first empty one,
    // paths already held (without case) skipped.
    void Load();
    // With "PersistBookmarks": writes the list, creating the file with a
    // byte-order mark first. A file that cannot be created: the system's
    // error text in an error box, and false.
    bool Save();

    // The 1-based place of `path` (the last equal one, without case); 0.
    // Safe on any thread.
    int IndexOf(LPCWSTR path) const;
    std::vector<CString> Items() const;
    int Current() const { return m_current; }

    // The commands; 1 handled, 0 not (the key goes on to the host).
    int Toggle();
    int Step(bool next);
    int Copy(bool toSelection);
    int Paste();
    int Clear();
    // "JumpBookMark": the bookmark menu at the focused list (or centred on
    // the host for the command line), then the chosen command or bookmark.
    int Jump();
    // A choice of the bookmark menu: an engine command runs, bookmark id
    // 10 + n goes to bookmark n (and makes it the current one).
    int RunMenuChoice(UINT id, const std::vector<CString>& items);

private:
    // Adds or removes under the lock.
    void Replace(std::vector<CString> items);
    // The focused file list, or the command line; false with neither.
    bool HasCommandFocus(CTCFileList** list);
    void RepaintLists();
    // Book2Selection's common folder of the bookmarks: the characters to
    // take off each one; 0 when they have none.
    int CommonPrefix(const std::vector<CString>& items, CString& folder) const;

    CEngineContext& m_engine;
    std::vector<CString> m_items;
    int m_current = 0; // 1-based place of the bookmark last gone to; 0 none
    mutable CRITICAL_SECTION m_lock;
};
