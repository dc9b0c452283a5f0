#include "SortStringArray.h"

void CSortStringArray::Clear()
{
    m_counter = 0;
    RemoveAll();
}

int CSortStringArray::ReverseFind(LPCWSTR name, BOOL matchCase) const
{
    for (int i = (int)GetSize() - 1; i >= 0; --i) {
        const CString& element = GetAt(i);
        if (matchCase ? element.Compare(name) == 0 : element.CompareNoCase(name) == 0)
            return i;
    }
    return -1;
}

// Repeated passes until one swaps nothing; only neighbours swap, so the
// order of equal elements is kept.
void CSortStringArray::Sort(BOOL byName)
{
    m_sortByName = byName;
    int count = (int)GetSize();
    if (count < 2)
        return;
    BOOL swapped;
    do {
        swapped = FALSE;
        for (int i = 0; i + 1 < count; ++i) {
            if (CompareAndSwap(i))
                swapped = TRUE;
        }
    } while (swapped);
}

// A name that does not exist on disk counts as a file.
BOOL CSortStringArray::IsFolder(int index) const
{
    CString path = m_folder + L"\\" + GetAt(index);
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

BOOL CSortStringArray::CompareAndSwap(int index)
{
    BOOL firstFolder = IsFolder(index);
    BOOL secondFolder = IsFolder(index + 1);
    BOOL swap = FALSE;
    if (secondFolder && !firstFolder)
        swap = TRUE;
    else if (firstFolder == secondFolder && m_sortByName && GetAt(index).CompareNoCase(GetAt(index + 1)) > 0)
        swap = TRUE;
    if (swap) {
        CString first = GetAt(index);
        GetAt(index) = GetAt(index + 1);
        GetAt(index + 1) = first;
    }
    return swap;
}
