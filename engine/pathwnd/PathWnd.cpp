#include "PathWnd.h"
#include "EngineHelpers.h"

CString CPathWnd::GetPathFromWindow() const
{
    if (!m_hWnd)
        return CString();
    int length = ::GetWindowTextLengthW(m_hWnd);
    CString text;
    if (length > 0) {
        ::GetWindowTextW(m_hWnd, text.GetBuffer(length + 1), length + 1);
        text.ReleaseBuffer();
    }
    return FolderOfPathText(text);
}
