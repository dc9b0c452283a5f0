// A string array of file names that belong to one folder: sorts folders
// before files and, on request, by name without case; finds a name from the
// end, with or without case.
#pragma once
#include "Framework.h"

class CSortStringArray : public CStringArray {
public:
    CSortStringArray() {}
    virtual ~CSortStringArray() {}

    // The folder the names live in; set before sorting. Without a folder
    // (the calculator's use) every name counts as a file.
    const CString& GetFolder() const { return m_folder; }
    void SetFolder(LPCWSTR folder) { m_folder = folder; }

    // A free count for the array's user.
    int GetCounter() const { return m_counter; }
    void SetCounter(int counter) { m_counter = counter; }

    // Counter 0 and all names removed.
    void Clear();
    // Index of the last element equal to the name, or -1.
    int ReverseFind(LPCWSTR name, BOOL matchCase) const;
    // Folders first (stable); with byName, names in each kind without case.
    // Each name's attributes are read once per sort.
    void Sort(BOOL byName);

protected:
    // The attributes of a path on disk (INVALID_FILE_ATTRIBUTES when unknown).
    virtual DWORD ReadAttributes(LPCWSTR path) const;

private:
    BOOL IsFolder(int index) const;

    CString m_folder;
    BOOL m_sortByName = FALSE;
    int m_counter = 0;
};
