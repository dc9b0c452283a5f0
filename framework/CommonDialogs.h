// The system's common dialogs as dialog objects; they run through the
// prompt service (Prompt.h), so tests answer them with a script.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <string>
#include "Dialog.h"

// Base of dialogs the system runs itself (its DoModal is the class's own).
class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd = nullptr) { m_pParentWnd = pParentWnd; }
};

// File open and save. The filter lists pairs "text|pattern|" and ends with
// "|", such as L"Modules (*.dll)|*.dll||".
class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr, LPCWSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);

    // IDOK when a file was chosen, else IDCANCEL.
    INT_PTR DoModal() override;
    CString GetPathName() const { return m_ofn.lpstrFile; }
    CString GetFileName() const;
    CString GetFileExt() const;

    OPENFILENAMEW m_ofn;

private:
    BOOL m_bOpenFileDialog;
    std::wstring m_filter;
    CString m_defExt;
    WCHAR m_szFileName[MAX_PATH * 4];
};

class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    // IDOK when a colour was chosen, else IDCANCEL.
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLORW m_cc;

private:
    COLORREF m_customColors[16];
};
