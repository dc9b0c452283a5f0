// CInPlaceEdit.
#include "InPlaceEdit.h"

IMPLEMENT_DYNAMIC(CInPlaceEdit, CEdit)

CInPlaceEdit::CInPlaceEdit(int nRow, int nCol, LPCWSTR pszText, UINT nFirstChar, const CRect& rect)
    : m_row(nRow), m_col(nCol), m_initText(pszText ? pszText : L""), m_exitOnArrows(nFirstChar != VK_LBUTTON),
      m_rect(rect)
{
}

CInPlaceEdit* CInPlaceEdit::Begin(CWnd* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                                  LPCWSTR pszText, UINT nFirstChar)
{
    CInPlaceEdit* edit = new CInPlaceEdit(nRow, nCol, pszText, nFirstChar, rect);
    if (!edit->Create(dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, pGrid, nID)) {
        delete edit;
        return nullptr;
    }
    edit->m_selfDeleting = TRUE;
    edit->SetFont(pGrid->GetFont());
    edit->SetWindowText(edit->m_initText);
    edit->SetFocus();
    int length = edit->m_initText.GetLength();
    // A restart after a keyboard move (or Tab) selects the text; a typed
    // character of any other code is typed.
    if ((nFirstChar & GridMoveRestart) || nFirstChar == VK_TAB) {
        edit->SetSel(0, -1);
        return edit;
    }
    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        edit->SetSel(length, length);
        return edit;
    case VK_BACK:
        edit->SetSel(length, length);
        break;
    default:
        edit->SetSel(0, -1);
        break;
    }
    edit->SendMessage(WM_CHAR, nFirstChar);
    return edit;
}

void CInPlaceEdit::PostNcDestroy()
{
    if (m_selfDeleting)
        delete this;
}

void CInPlaceEdit::FinishWith(UINT nKey)
{
    HWND self = m_hWnd;
    m_lastChar = nKey;
    ::SetFocus(::GetParent(self)); // losing the focus ends the edit
    // Still here: the editor did not have the focus, so end it now.
    if (::IsWindow(self) && FromHandlePermanent(self) == this)
        EndEdit();
}

void SendEndEditRecord(HWND hEditor, int nRow, int nCol, int nValue, const CString& strText)
{
    GridDisplayInfo info = {};
    info.hdr.hwndFrom = hEditor;
    info.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(hEditor);
    info.hdr.code = (UINT)LVN_ENDLABELEDITW;
    info.item.mask = LVIF_TEXT | LVIF_PARAM;
    info.item.row = nRow;
    info.item.col = nCol;
    info.item.userValue = nValue;
    info.item.text = strText;
    ::SendMessageW(::GetParent(hEditor), WM_NOTIFY, info.hdr.idFrom, (LPARAM)&info);
}

void CInPlaceEdit::EndEdit()
{
    if (m_ending || !::IsWindow(m_hWnd))
        return;
    m_ending = TRUE;
    HWND self = m_hWnd;
    SendEndEditRecord(self, m_row, m_col, (int)m_lastChar, GetWindowText());
    // The grid may have gone, and this object with it.
    if (::IsWindow(self))
        ::SendMessageW(self, WM_CLOSE, 0, 0);
}

void CInPlaceEdit::Grow()
{
    CString text = GetWindowText() + L"  ";
    CSize size;
    {
        CClientDC dc(this);
        if (HFONT font = GetFont())
            dc.SelectObject((HGDIOBJ)font);
        size = dc.GetTextExtent(text);
    }
    if (size.cx <= m_rect.Width())
        return;
    CRect parentClient;
    ::GetClientRect(::GetParent(m_hWnd), &parentClient);
    m_rect.right = m_rect.left + size.cx;
    if (m_rect.right > parentClient.right)
        m_rect.right = parentClient.right;
    MoveWindow(&m_rect);
}

LRESULT CInPlaceEdit::OnKeyDown(WPARAM wParam, LPARAM)
{
    UINT key = (UINT)wParam;
    if (IsGridMoveKey(key) && (m_exitOnArrows || ::GetKeyState(VK_CONTROL) < 0)) {
        FinishWith(key);
        return 0;
    }
    return Default();
}

LRESULT CInPlaceEdit::OnChar(WPARAM wParam, LPARAM)
{
    UINT ch = (UINT)wParam;
    if (ch == VK_TAB || ch == VK_RETURN) {
        FinishWith(ch);
        return 0;
    }
    if (ch == VK_ESCAPE) {
        SetWindowText(m_initText);
        FinishWith(ch);
        return 0;
    }
    LRESULT result = Default();
    Grow();
    return result;
}

LRESULT CInPlaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    case WM_CHAR:
        return OnChar(wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_KILLFOCUS: {
        LRESULT result = Default();
        EndEdit();
        return result;
    }
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSCHAR)
        return TRUE; // no menu mnemonics while editing
    return CEdit::PreTranslateMessage(pMsg);
}
