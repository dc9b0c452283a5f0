// The file-mask menu.
#include "MaskMenu.h"
#include "Controls.h"
#include "IniSection.h"
#include "Menu.h"
#include "Prompt.h"
#include <utility>

namespace {

const WCHAR kSearchSuffix[] = L"_SearchFor";
const int kSearchSuffixLength = 10;

} // namespace

void ReadMaskMenuItems(LPCWSTR lpszHostIni, CMaskMenuItems& items)
{
    items.searches.RemoveAll();
    items.masks.RemoveAll();
    CIniSection searches;
    searches.LoadHost(L"Searches", lpszHostIni);
    for (int i = 0; i < searches.KeyCount(); ++i) {
        const CString& key = searches.Key(i);
        if (key.GetLength() <= kSearchSuffixLength || key.Right(kSearchSuffixLength).CompareNoCase(kSearchSuffix))
            continue;
        if (searches.Text(i).IsEmpty())
            continue;
        items.searches.Add(key.Left(key.GetLength() - kSearchSuffixLength));
    }
    CIniSection selection;
    selection.LoadHost(L"Selection", lpszHostIni);
    for (int n = 0;; ++n) {
        CString key;
        key.Format(L"%d", n);
        CString mask = selection.Text(key);
        if (mask.IsEmpty())
            break;
        if (mask[0] != L'<')
            items.masks.Add(mask);
    }
}

BOOL BuildMaskMenu(CMenu& menu, const CMaskMenuItems& items, LPCWSTR lpszMasksCaption)
{
    INT_PTR searchCount = items.searches.GetSize();
    INT_PTR maskCount = items.masks.GetSize();
    if (!searchCount && !maskCount)
        return FALSE;
    UINT id = 1;
    for (INT_PTR i = 0; i < searchCount; ++i)
        menu.AppendMenu(MF_STRING, id++, items.searches[i]);
    CMenu sub;
    CMenu* target = (searchCount && sub.CreatePopupMenu()) ? &sub : &menu;
    for (INT_PTR i = 0; i < maskCount; ++i)
        target->AppendMenu(MF_STRING, id++, items.masks[i]);
    if (target == &sub) {
        menu.AppendMenu(MF_SEPARATOR);
        // The menu owns the submenu from here on.
        if (menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.m_hMenu, lpszMasksCaption ? lpszMasksCaption : L""))
            sub.Detach();
    }
    return TRUE;
}

CString MaskMenuText(const CMaskMenuItems& items, UINT nID)
{
    INT_PTR index = (INT_PTR)nID - 1;
    INT_PTR searchCount = items.searches.GetSize();
    if (index < 0)
        return CString();
    if (index < searchCount)
        return L"=" + items.searches[index];
    index -= searchCount;
    return index < items.masks.GetSize() ? items.masks[index] : CString();
}

void InsertMask(CEdit* pEdit, LPCWSTR lpszMask, int nMode)
{
    if (!pEdit || !pEdit->m_hWnd || !lpszMask || !*lpszMask)
        return;
    CString text = pEdit->GetWindowText();
    CString mask(lpszMask);
    int start = 0, end = 0;
    if (nMode == MaskAfter) {
        start = end = text.GetLength();
    } else if (nMode == MaskAtSelection) {
        pEdit->GetSel(start, end);
        if (start > end)
            std::swap(start, end);
        if (start < 0 || end > text.GetLength())
            start = end = text.GetLength();
    }
    // Before or after the text the masks are joined with "|". At the
    // selection a "|" goes only where the mask would touch another mask:
    // with the caret at either end that is "mask|text" or "text|mask".
    bool join = nMode != MaskAtSelection;
    CString before = text.Left(start);
    CString after = text.Mid(end);
    bool head = !before.IsEmpty() && (join || before[before.GetLength() - 1] != L'|');
    bool tail = !after.IsEmpty() && (join || after[0] != L'|');
    CString joined = before + (head ? L"|" : L"") + mask + (tail ? L"|" : L"") + after;
    pEdit->SetWindowText(joined);
    int selStart = before.GetLength() + (head ? 1 : 0);
    pEdit->SetSel(selStart, selStart + mask.GetLength());
    pEdit->ScrollCaret();
}

UINT TrackMaskMenu(CMenu& menu, CPoint point, CWnd* pOwner)
{
    return (UINT)menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, pOwner);
}

void ShowMaskMenu(CPoint point, CEdit* pEdit, CWnd* pOwner, int nMode, LPCWSTR lpszHostIni,
                  LPCWSTR lpszMasksCaption, const CMaskMenuTracker& track)
{
    if (!pEdit || !pEdit->m_hWnd || !pEdit->IsWindowEnabled())
        return;
    CMaskMenuItems items;
    ReadMaskMenuItems(lpszHostIni, items);
    CMenu menu;
    if (!menu.CreatePopupMenu() || !BuildMaskMenu(menu, items, lpszMasksCaption)) {
        AfxMessageBeep(MB_ICONASTERISK);
        return;
    }
    CWnd* owner = pOwner ? pOwner : pEdit;
    UINT id = track ? track(menu, point, owner) : TrackMaskMenu(menu, point, owner);
    if (id)
        InsertMask(pEdit, MaskMenuText(items, id), nMode);
}
