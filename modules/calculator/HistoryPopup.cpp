// The history list: the pairs of the history in a popup list under the
// host's edit control; the chosen row is returned.
#include "Calculator.h"
#include "PopList.h"

namespace {

void InsertColumn(CPopList& list, LPCWSTR title)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<LPWSTR>(title);
    list.SendMessage(LVM_INSERTCOLUMNW, 0, (LPARAM)&column);
}

void InsertPair(CPopList& list, const CString& expression, const CString& result)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = 0;
    item.pszText = const_cast<LPWSTR>((LPCWSTR)expression);
    int row = (int)list.SendMessage(LVM_INSERTITEMW, 0, (LPARAM)&item);
    if (row < 0)
        return;
    LVITEMW sub = {};
    sub.iSubItem = 1;
    sub.pszText = const_cast<LPWSTR>((LPCWSTR)result);
    list.SendMessage(LVM_SETITEMTEXTW, row, (LPARAM)&sub);
}

} // namespace

int CCalculator::ShowHistoryPopup(EditRequest* request, BOOL reverse)
{
    if (!request->window || !::IsWindow(request->window))
        return -1;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    CPopList list(request->window);
    if (!list.CreateAtOwner())
        return -1;
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    InsertColumn(list, L"Expression");
    InsertColumn(list, L"Result");
    int count = m_history.GetCount();
    // Each pair goes in at row 0: the last one inserted ends on top.
    for (int n = 0; n < count; ++n) {
        int index = reverse ? n : count - 1 - n;
        InsertPair(list, m_history.GetExpression(index), m_history.GetResult(index));
    }
    return list.Run(m_popListLoop);
}
