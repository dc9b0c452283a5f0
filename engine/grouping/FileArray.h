// The items of a host file list as file grouping sorts them: one entry per
// host item with its name, its index in the host's order and its group key,
// and the map from a host index to the item's place in the sorted order.
#pragma once
#include "Framework.h"
#include "GroupPattern.h"

struct CFileEntry {
    CString name;
    int index = -1;          // place in the host's own order; -1 until set
    UINT group = NoGroupKey; // group key (the file list may add its own high bits)
};

class CFileArray : public CArray<CFileEntry, const CFileEntry&> {
public:
    const CString& GetFolder() const { return m_folder; }
    void SetFolder(LPCWSTR folder) { m_folder = folder; }

    // The pattern in force (empty: no grouping). Saved searches are
    // read from `hostIni` here, once, not per name.
    const CString& GetPattern() const { return m_spec; }
    void SetPattern(LPCWSTR spec, LPCWSTR hostIni);
    const CGroupPattern& Groups() const { return m_groups; }

    // Host index -> place in the sorted order. Empty after FinishOrder means
    // the host's own order.
    const CUIntArray& GetOrder() const { return m_order; }
    // 1 when the sorted order differs from the host's order anywhere.
    int IsChanged() const { return m_changed; }
    // No entries and no order map: the host's own order.
    void Clear()
    {
        RemoveAll();
        m_order.RemoveAll();
        m_changed = 0;
    }

private:
    friend void FinishOrder(CFileArray& array);

    CString m_folder;
    CString m_spec;
    CGroupPattern m_groups;
    CUIntArray m_order;
    int m_changed = 0;
};

// The group key of a name under the array's pattern.
UINT GroupOf(const CFileArray& array, LPCWSTR name);

// Sorts by (group, index), both unsigned; ascending or descending. The host
// index is part of the key, so equal groups keep the host's order.
void SortEntries(CFileArray& array, bool ascending);

// After the entries are filled: drops entries without a host index, sorts
// ascending and fills the order map. When the host indexes are not exactly
// 0..count-1 (an item the file list skipped, a repeated index) the map stays
// empty and the host's own order is kept.
void FinishOrder(CFileArray& array);
