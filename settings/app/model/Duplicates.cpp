// FindDuplicates and MarkMultiKeyCommands: keys are compared in one
// lower-case form, grouped through a map rather than pair by pair.
#include "Duplicates.h"
#include "CommandList.h"
#include "HotKeyHolder.h"
#include <unordered_map>
#include <unordered_set>
#include <vector>

int FindDuplicates(const CHotKeyHolder& holder, CHKDuplicates& dups)
{
    dups.RemoveAll();
    // Entries of each key, in holder order.
    std::unordered_map<std::wstring, std::vector<int>> byKey;
    std::vector<const std::vector<int>*> groupOf(holder.GetCount(), nullptr);
    for (int i = 0; i < holder.GetCount(); ++i) {
        const CHKEntry& entry = holder.GetAt(i);
        if ((entry.nFlags & EntryDeleted) || entry.strKey.IsEmpty())
            continue;
        std::vector<int>& group = byKey[LowerKey(entry.strKey)];
        group.push_back(i);
        groupOf[i] = &group;
    }
    for (int i = 0; i < holder.GetCount(); ++i) {
        if (!groupOf[i] || groupOf[i]->size() < 2)
            continue;
        CString first = holder.CommandText(i);
        for (int j : *groupOf[i]) {
            if (j <= i)
                continue;
            HKDup dup;
            dup.strFirst = first;
            dup.strKey = holder.GetAt(i).strKey;
            dup.strSecond = holder.CommandText(j);
            dups.Add(dup);
        }
    }
    return (int)dups.GetSize();
}

void MarkMultiKeyCommands(CCommandList& hostList, const CHotKeyHolder& holder)
{
    // The distinct keys of each command, as CollectHotkeys counts them.
    std::unordered_map<std::wstring, std::unordered_set<std::wstring>> keysOf;
    for (int i = 0; i < holder.GetCount(); ++i) {
        const CHKEntry& entry = holder.GetAt(i);
        if ((entry.nFlags & EntryDeleted) || entry.nType == EntryKeptLine)
            continue;
        keysOf[LowerKey(holder.CommandText(i))].insert(LowerKey(entry.strKey));
    }
    for (int row = 0; row < hostList.GetCount(); ++row) {
        const _CLItem& item = hostList.GetAt(row);
        int flags = item.nFlags & ~RowMultiKey;
        auto found = keysOf.find(LowerKey(item.strName));
        if (!(item.nFlags & RowGroup) && found != keysOf.end() && found->second.size() > 1)
            flags |= RowMultiKey;
        hostList.SetFlags(row, flags);
    }
}
