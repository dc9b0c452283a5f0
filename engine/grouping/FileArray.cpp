#include "FileArray.h"
#include <utility>

void CFileArray::SetPattern(LPCWSTR spec, LPCWSTR hostIni)
{
    m_spec = spec ? spec : L"";
    m_groups.Set(m_spec, hostIni);
}

UINT GroupOf(const CFileArray& array, LPCWSTR name)
{
    return array.Groups().KeyOf(name);
}

namespace {

struct EntryKey {
    UINT group;
    UINT index;
};

inline bool Before(const EntryKey& a, const EntryKey& b, bool ascending)
{
    if (a.group != b.group)
        return ascending ? a.group < b.group : a.group > b.group;
    return ascending ? a.index < b.index : a.index > b.index;
}

inline EntryKey KeyOf(const CFileEntry& entry)
{
    return {entry.group, (UINT)entry.index};
}

// Hoare partition around the middle element; recursion goes into the smaller
// half and the loop continues with the larger, so the stack stays within
// log2(n) frames on the host's GUI thread.
void QuickSort(CFileEntry* entries, INT_PTR low, INT_PTR high, bool ascending)
{
    while (low < high) {
        EntryKey pivot = KeyOf(entries[low + (high - low) / 2]);
        INT_PTR i = low, j = high;
        while (i <= j) {
            while (Before(KeyOf(entries[i]), pivot, ascending))
                ++i;
            while (Before(pivot, KeyOf(entries[j]), ascending))
                --j;
            if (i <= j) {
                if (i != j)
                    std::swap(entries[i], entries[j]);
                ++i;
                --j;
            }
        }
        if (j - low < high - i) {
            QuickSort(entries, low, j, ascending);
            low = i;
        } else {
            QuickSort(entries, i, high, ascending);
            high = j;
        }
    }
}

} // namespace

void SortEntries(CFileArray& array, bool ascending)
{
    if (array.GetSize() < 2)
        return;
    QuickSort(array.GetData(), 0, array.GetSize() - 1, ascending);
}

void FinishOrder(CFileArray& array)
{
    array.m_changed = 0;
    array.m_order.RemoveAll();
    // Entries without a host index go, the others keep their order.
    INT_PTR kept = 0;
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        if (array[i].index == -1)
            continue;
        if (kept != i)
            array[kept] = std::move(array[i]);
        ++kept;
    }
    array.SetSize(kept);
    SortEntries(array, true);

    const UINT unset = 0xFFFFFFFF;
    array.m_order.SetSize(kept);
    for (INT_PTR p = 0; p < kept; ++p)
        array.m_order[p] = unset;
    int changed = 0;
    for (INT_PTR p = kept - 1; p >= 0; --p) {
        UINT index = (UINT)array[p].index;
        if (index >= (UINT)kept || array.m_order[index] != unset) {
            array.m_order.RemoveAll(); // not a permutation: keep the host's order
            return;
        }
        if (index != (UINT)p)
            changed = 1;
        array.m_order[index] = (UINT)p;
    }
    array.m_changed = changed;
}
