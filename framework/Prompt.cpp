// The prompt service: the built-in one and the scripted one.
#include "Prompt.h"
#include "BrowseFolder.h"
#include "Dialog.h"
#include "WinApp.h"

namespace {

CPromptService g_builtInPrompt; // stateless: the system's own prompts

} // namespace

int CPromptService::MessageBox(HWND hWndOwner, LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType)
{
    return ::MessageBoxW(hWndOwner, lpszText, lpszCaption, nType);
}

BOOL CPromptService::GetOpenFileName(OPENFILENAMEW* pOfn)
{
    return ::GetOpenFileNameW(pOfn);
}

BOOL CPromptService::GetSaveFileName(OPENFILENAMEW* pOfn)
{
    return ::GetSaveFileNameW(pOfn);
}

BOOL CPromptService::BrowseForFolder(HWND hWndOwner, LPCWSTR lpszTitle, LPWSTR lpszPath)
{
    return ::BrowseForFolder(lpszTitle, lpszPath, hWndOwner);
}

BOOL CPromptService::ChooseColor(CHOOSECOLORW* pCc)
{
    return ::ChooseColorW(pCc);
}

void CPromptService::MessageBeep(UINT uType)
{
    ::MessageBeep(uType);
}

int CPromptService::PickIcon(HWND hWndOwner, LPWSTR lpszPath, UINT cchPath, int* pIndex)
{
    typedef int(WINAPI * PickIconDlgProc)(HWND, LPWSTR, UINT, int*);
    HMODULE shell = ::LoadLibraryW(L"Shell32.dll");
    if (!shell)
        return 0;
    auto pick = reinterpret_cast<PickIconDlgProc>(reinterpret_cast<void*>(::GetProcAddress(shell, MAKEINTRESOURCEA(62))));
    int result = pick ? pick(hWndOwner, lpszPath, cchPath, pIndex) : 0;
    ::FreeLibrary(shell);
    return result;
}

CPromptService& AfxGetPromptService()
{
    CWinApp* app = AfxGetApp();
    return (app && app->m_pPrompt) ? *app->m_pPrompt : g_builtInPrompt;
}

CPromptService* AfxSetPromptService(CPromptService* pService)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return nullptr;
    CPromptService* old = app->m_pPrompt;
    app->m_pPrompt = pService;
    return old;
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType, LPCWSTR lpszCaption)
{
    CWinApp* app = AfxGetApp();
    if (!lpszCaption)
        lpszCaption = (app && app->m_pszAppName) ? app->m_pszAppName : L"";
    return AfxGetPromptService().MessageBox(AfxGetModalOwner(nullptr), lpszText ? lpszText : L"", lpszCaption,
                                            nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType);
}

void AfxMessageBeep(UINT uType)
{
    AfxGetPromptService().MessageBeep(uType);
}

void CScriptedPrompt::AddAnswer(int result, LPCWSTR lpszPath, COLORREF color)
{
    Answer a = { result, lpszPath ? CString(lpszPath) : CString(), color, 0 };
    m_answers.Add(a);
}

void CScriptedPrompt::AddIconAnswer(int result, LPCWSTR lpszPath, int nIndex)
{
    Answer a = { result, lpszPath ? CString(lpszPath) : CString(), 0, nIndex };
    m_answers.Add(a);
}

bool CScriptedPrompt::NextAnswer(Answer& answer)
{
    if (m_nextAnswer >= m_answers.GetSize())
        return false;
    answer = m_answers[m_nextAnswer++];
    return true;
}

int CScriptedPrompt::MessageBox(HWND hWndOwner, LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType)
{
    Prompt p = { kMessageBox, hWndOwner, lpszCaption, lpszText, nType, 0 };
    m_prompts.Add(p);
    Answer a;
    if (NextAnswer(a))
        return a.result;
    switch (nType & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

BOOL CScriptedPrompt::FileDialog(Kind kind, OPENFILENAMEW* pOfn)
{
    if (!pOfn)
        return FALSE;
    Prompt p = { kind, pOfn->hwndOwner, pOfn->lpstrTitle, pOfn->lpstrFile, pOfn->Flags, 0 };
    m_prompts.Add(p);
    Answer a;
    if (!NextAnswer(a) || !a.result)
        return FALSE;
    // The chosen path must fit the caller's buffer, as in the real dialog.
    if (!pOfn->lpstrFile || (DWORD)a.path.GetLength() + 1 > pOfn->nMaxFile)
        return FALSE;
    lstrcpynW(pOfn->lpstrFile, a.path, (int)pOfn->nMaxFile);
    int slash = a.path.ReverseFind(L'\\');
    int dot = a.path.ReverseFind(L'.');
    pOfn->nFileOffset = (WORD)(slash + 1);
    pOfn->nFileExtension = (WORD)(dot > slash ? dot + 1 : a.path.GetLength());
    return TRUE;
}

BOOL CScriptedPrompt::GetOpenFileName(OPENFILENAMEW* pOfn)
{
    return FileDialog(kOpenFile, pOfn);
}

BOOL CScriptedPrompt::GetSaveFileName(OPENFILENAMEW* pOfn)
{
    return FileDialog(kSaveFile, pOfn);
}

BOOL CScriptedPrompt::BrowseForFolder(HWND hWndOwner, LPCWSTR lpszTitle, LPWSTR lpszPath)
{
    Prompt p = { kFolder, hWndOwner, lpszTitle, lpszPath, 0, 0 };
    m_prompts.Add(p);
    Answer a;
    if (!lpszPath || !NextAnswer(a) || !a.result || a.path.IsEmpty() || a.path.GetLength() >= MAX_PATH)
        return FALSE;
    lstrcpynW(lpszPath, a.path, MAX_PATH);
    return TRUE;
}

BOOL CScriptedPrompt::ChooseColor(CHOOSECOLORW* pCc)
{
    if (!pCc)
        return FALSE;
    Prompt p = { kColor, pCc->hwndOwner, CString(), CString(), pCc->Flags, pCc->rgbResult };
    m_prompts.Add(p);
    Answer a;
    if (!NextAnswer(a) || !a.result)
        return FALSE;
    pCc->rgbResult = a.color;
    return TRUE;
}

void CScriptedPrompt::MessageBeep(UINT uType)
{
    Prompt p = { kBeep, nullptr, CString(), CString(), uType, 0 };
    m_prompts.Add(p);
}

int CScriptedPrompt::PickIcon(HWND hWndOwner, LPWSTR lpszPath, UINT cchPath, int* pIndex)
{
    Prompt p = { kIcon, hWndOwner, CString(), lpszPath, 0, pIndex ? (COLORREF)*pIndex : 0 };
    m_prompts.Add(p);
    Answer a;
    if (!NextAnswer(a))
        return 0;
    // A chosen file must fit the caller's buffer, as in the real dialog.
    if (!a.path.IsEmpty() && lpszPath && (UINT)a.path.GetLength() < cchPath && pIndex) {
        lstrcpynW(lpszPath, a.path, (int)cchPath);
        *pIndex = a.index;
    }
    return a.result;
}
