// CPropPageFrame: what the tree property sheet asks of the frame around its
// pages: an optional caption strip (text and icon) on top, and a message
// shown where no page is (the text of a tree node without a page).
#pragma once

#include <windows.h>
#include "Dc.h"
#include "Geometry.h"
#include "Strings.h"

class CWnd;

namespace TreePropSheet
{

class CPropPageFrame
{
public:
    CPropPageFrame() {}
    virtual ~CPropPageFrame() {}

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pwndParent, UINT nID) = 0;
    // The frame's window.
    virtual CWnd* GetWnd() = 0;

    // Each stores its value and repaints what it changes.
    virtual void ShowCaption(BOOL bEnable);
    virtual void SetCaptionHeight(int nCaptionHeight);
    // The icon is not owned (a frame may keep a copy).
    virtual void SetCaption(LPCWSTR lpszCaption, HICON hIcon = nullptr);
    virtual void SetMessageText(LPCWSTR lpszMsg);
    // DrawText flags of the message.
    virtual void SetMessageFormat(DWORD dwFormat);

    BOOL GetShowCaption() const { return m_bShowCaption; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    CString GetCaption(HICON* pIcon = nullptr) const;
    const CString& GetMessageText() const { return m_strMsg; }
    DWORD GetMessageFormat() const { return m_dwMsgFormat; }

    // The caption (when shown), then the message.
    virtual void Draw(CDC* pDc);
    // The client area below the caption.
    virtual CRect CalcMessageRect();
    virtual void DrawMessage(CDC* pDc, CRect rect, LPCWSTR lpszMsg, DWORD dwFormat);
    // The client area's top strip of the caption's height (none when hidden).
    virtual CRect CalcCaptionRect();
    virtual void DrawCaption(CDC* pDc, CRect rect, LPCWSTR lpszCaption, HICON hIcon);

protected:
    // Repaints a part of the frame's window when it exists.
    void SafeInvalidateRect(const CRect* pRect);
    CRect GetClientRect();

private:
    BOOL m_bShowCaption = FALSE;
    int m_nCaptionHeight = 0;
    CString m_strCaption;
    HICON m_hCaptionIcon = nullptr;
    CString m_strMsg;
    DWORD m_dwMsgFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
};

} // namespace TreePropSheet
