// The command rows the Keyboard Mapping page's list shows.
#pragma once
#include "KeyPage.h"

// The names of the command rows the list shows, joined by ",".
inline CString Shown(CKeyPage* page)
{
    CString names;
    CCatList& list = page->GetList();
    for (int i = 0; i < list.GetCount(); ++i) {
        const _CLItem* item = list.SelectedItem(i);
        if (item && !(item->nFlags & RowGroup))
            names += (names.IsEmpty() ? L"" : L",") + item->strName;
    }
    return names;
}

