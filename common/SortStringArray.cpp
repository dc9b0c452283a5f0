#include "SortStringArray.h"
#include <algorithm>
#include <vector>

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

DWORD CSortStringArray::ReadAttributes(LPCWSTR path) const
{
    return GetFileAttributesW(path);
}

// A name that does not exist on disk counts as a file; so does every name
// without a folder, which would otherwise be looked up at the drive's root.
BOOL CSortStringArray::IsFolder(int index) const
{
    if (m_folder.IsEmpty())
        return FALSE;
    CString path = m_folder + L"\\" + GetAt(index);
    DWORD attributes = ReadAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Folders move ahead of files and, with byName, names follow their order
// without case; elements that compare equal keep their order (a stable sort,
// the same order as repeated passes of neighbour swaps).
void CSortStringArray::Sort(BOOL byName)
{
    m_sortByName = byName;
    int count = (int)GetSize();
    if (count < 2)
        return;
    struct Item {
        BOOL folder;
        CString name;
    };
    std::vector<Item> items;
    items.reserve(count);
    for (int i = 0; i < count; ++i)
        items.push_back({IsFolder(i), std::move(GetAt(i))});
    std::stable_sort(items.begin(), items.end(), [byName](const Item& a, const Item& b) {
        if (a.folder != b.folder)
            return a.folder > b.folder;
        return byName && a.name.CompareNoCase(b.name) < 0;
    });
    for (int i = 0; i < count; ++i)
        GetAt(i) = std::move(items[i].name);
}
