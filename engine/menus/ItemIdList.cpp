#include "ItemIdList.h"
#include <cstring>

namespace {

LPCITEMIDLIST NextItem(LPCITEMIDLIST item)
{
    return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(item) + item->mkid.cb);
}

} // namespace

UINT IdListCount(LPCITEMIDLIST list)
{
    UINT count = 0;
    for (LPCITEMIDLIST item = list; item && item->mkid.cb; item = NextItem(item))
        ++count;
    return count;
}

UINT IdListSize(LPCITEMIDLIST list)
{
    UINT size = 0;
    for (LPCITEMIDLIST item = list; item && item->mkid.cb; item = NextItem(item))
        size += item->mkid.cb;
    return size;
}

LPCITEMIDLIST IdListItemAfter(LPCITEMIDLIST list, UINT n)
{
    LPCITEMIDLIST item = list;
    for (UINT i = 0; i < n; ++i) {
        if (!item || !item->mkid.cb)
            return nullptr;
        item = NextItem(item);
    }
    return (item && (n == 0 || item->mkid.cb)) ? item : nullptr;
}

LPITEMIDLIST IdListCopy(LPCITEMIDLIST list, int bytes)
{
    UINT size = bytes < 0 ? IdListSize(list) : (UINT)bytes;
    auto* copy = static_cast<BYTE*>(CoTaskMemAlloc(size + sizeof(USHORT)));
    if (!copy)
        return nullptr;
    memset(copy, 0, size + sizeof(USHORT));
    if (list && size)
        memcpy(copy, list, size);
    return reinterpret_cast<LPITEMIDLIST>(copy);
}
