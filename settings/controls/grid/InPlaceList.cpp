// CInPlaceList and CComboEdit.
#include "InPlaceList.h"
#include "InPlaceEdit.h"

IMPLEMENT_DYNAMIC(CComboEdit, CEdit)
IMPLEMENT_DYNAMIC(CInPlaceList, CComboBox)

namespace {

const UINT kComboEditId = 1001;
const int kDropRows = 4;

bool IsPageOrArrow(UINT key)
{
    return key == VK_PRIOR || key == VK_NEXT || (key >= VK_LEFT && key <= VK_DOWN);
}

} // namespace

LRESULT CComboEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND list = ::GetParent(m_hWnd);
    switch (message) {
    case WM_KEYDOWN:
        if (IsPageOrArrow((UINT)wParam) && ::GetKeyState(VK_CONTROL) < 0) {
            ::SendMessageW(list, message, wParam, lParam);
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE) {
            ::SendMessageW(list, message, wParam, lParam);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE)
            return 0; // ended on key up
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_KILLFOCUS: {
        LRESULT result = Default();
        if ((HWND)wParam != list)
            if (auto* owner = dynamic_cast<CInPlaceList*>(FromHandlePermanent(list)))
                owner->EndEdit();
        return result;
    }
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

BOOL CComboEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSCHAR)
        return TRUE;
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) {
        // At once, before any dialog takes Tab, Enter or Esc for itself.
        ::TranslateMessage(pMsg);
        ::DispatchMessageW(pMsg);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

CInPlaceList::CInPlaceList(int nRow, int nCol, LPCWSTR pszText, COLORREF crText, COLORREF crBack)
    : m_row(nRow), m_col(nCol), m_initText(pszText ? pszText : L""), m_textColour(crText), m_background(crBack)
{
}

CInPlaceList* CInPlaceList::Begin(CWnd* pGrid, CRect rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                                  COLORREF crText, COLORREF crBack, const CStringArray& options,
                                  LPCWSTR pszText, UINT nFirstChar)
{
    int cellHeight = rect.Height();
    rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL) + kDropRows * cellHeight;
    CInPlaceList* list = new CInPlaceList(nRow, nCol, pszText, crText, crBack);
    if (!list->Create(dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_AUTOHSCROLL, rect, pGrid, nID)) {
        delete list;
        return nullptr;
    }
    list->m_selfDeleting = TRUE;
    list->SetFont(pGrid->GetFont());
    for (INT_PTR i = 0; i < options.GetSize(); ++i)
        list->AddString(options[i]);
    list->SetItemHeight(-1, cellHeight);
    list->SetDroppedWidth(list->DropWidth());
    list->SetHorizontalExtent(0);
    // The exact option; a drop-down list cannot show another text, so no
    // match there means no choice.
    list->m_initIndex = list->FindStringExact(-1, list->m_initText);
    if (list->m_initIndex >= 0)
        list->SetCurSel(list->m_initIndex);
    else if (list->IsDropDownList())
        list->SetCurSel(-1);
    else
        list->SetWindowText(list->m_initText);

    if (!list->IsDropDownList()) {
        if (HWND editWnd = list->GetDlgItemHwnd(kComboEditId)) {
            CComboEdit* edit = new CComboEdit;
            if (!edit->SubclassWindow(editWnd))
                delete edit;
        }
        int length = list->GetWindowTextLength();
        if (nFirstChar == VK_LBUTTON || nFirstChar == VK_RETURN || nFirstChar == VK_BACK) {
            list->SetEditSel(length, length);
            if (nFirstChar == VK_BACK)
                list->SendDlgItemMessage(kComboEditId, WM_CHAR, VK_BACK);
        } else {
            list->SetEditSel(0, -1);
            // A restart after a keyboard move is not typed; a typed
            // character is, whatever its code.
            if (!(nFirstChar & GridMoveRestart))
                list->SendDlgItemMessage(kComboEditId, WM_CHAR, nFirstChar);
        }
    }
    list->ShowDropDown(TRUE);
    list->SetFocus();
    return list;
}

int CInPlaceList::DropWidth()
{
    CClientDC dc(this);
    if (HFONT font = GetFont())
        dc.SelectObject((HGDIOBJ)font);
    int widest = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CString text;
        GetLBText(i, text);
        int cx = dc.GetTextExtent(text).cx;
        if (cx > widest)
            widest = cx;
    }
    int width = widest + ::GetSystemMetrics(SM_CXVSCROLL) + dc.GetTextExtent(L"0", 1).cx;
    return width > 200 ? 200 : width;
}

void CInPlaceList::Restore()
{
    if (IsDropDownList())
        SetCurSel(m_initIndex);
    else
        SetWindowText(m_initText);
}

void CInPlaceList::Finish()
{
    HWND self = m_hWnd;
    ::SetFocus(::GetParent(self));
    // A drop-down list ended on losing the focus; an editable one ends here.
    if (::IsWindow(self) && FromHandlePermanent(self) == this)
        EndEdit();
}

void CInPlaceList::EndEdit()
{
    if (m_ending || !::IsWindow(m_hWnd))
        return;
    m_ending = TRUE;
    HWND self = m_hWnd;
    SendEndEditRecord(self, m_row, m_col, GetCurSel(), GetWindowText());
    if (::IsWindow(self))
        ::PostMessageW(self, WM_CLOSE, 0, 0);
}

LRESULT CInPlaceList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (IsPageOrArrow((UINT)wParam) && (m_exitOnArrows || ::GetKeyState(VK_CONTROL) < 0)) {
            m_lastChar = (UINT)wParam;
            Finish();
            return 0;
        }
        // Esc closes a dropped list, which ends the edit: with the
        // starting choice.
        if (wParam == VK_ESCAPE)
            Restore();
        break;
    case WM_KEYUP:
        if (wParam == VK_ESCAPE)
            Restore();
        if (wParam == VK_ESCAPE || wParam == VK_TAB || wParam == VK_RETURN) {
            m_lastChar = (UINT)wParam;
            Finish();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE)
            return 0; // ended on key up
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_KILLFOCUS: {
        LRESULT result = Default();
        if (IsDropDownList())
            EndEdit();
        return result;
    }
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}

BOOL CInPlaceList::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (HIWORD(wParam) == CBN_DROPDOWN) {
            SetDroppedWidth(DropWidth());
        } else if (HIWORD(wParam) == CBN_CLOSEUP) {
            // The list closes once the edit is over: not again.
            if (!m_ending) {
                HWND self = m_hWnd;
                ::SetFocus(::GetParent(self));
                if (::IsWindow(self) && FromHandlePermanent(self) == this)
                    EndEdit();
            }
        }
    }
    return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
}

void CInPlaceList::PostNcDestroy()
{
    if (m_selfDeleting)
        delete this;
}
