#include "TCFileList.h"

LRESULT CTCFileList::DrawListItem(CSubclassWnd& host, DRAWITEMSTRUCT*)
{
    return host.Default();
}
