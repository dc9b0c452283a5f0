// The prompt service: every message box, warning beep and common dialog
// (file open and save, folder browser, colour) of a deliverable goes
// through it. The
// built-in service calls the system; tests install a CScriptedPrompt that
// records each prompt and answers it, so no dialog ever waits for a person.
//
//     CScriptedPrompt script;
//     script.AddAnswer(IDYES);
//     CPromptService* old = AfxSetPromptService(&script);
//     ... code under test calls AfxMessageBox(...) ...
//     AfxSetPromptService(old);
//     // script.m_prompts[0].text, .caption, .type
//
// The service is kept by the application object; without one the built-in
// service is used and cannot be replaced.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include "Collections.h"
#include "Strings.h"

class CPromptService
{
public:
    virtual ~CPromptService() {}
    virtual int MessageBox(HWND hWndOwner, LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType);
    virtual BOOL GetOpenFileName(OPENFILENAMEW* pOfn);
    virtual BOOL GetSaveFileName(OPENFILENAMEW* pOfn);
    // The shell's folder browser (BrowseFolder.h): lpszPath holds
    // MAX_PATH characters, preselects the folder and receives the choice.
    virtual BOOL BrowseForFolder(HWND hWndOwner, LPCWSTR lpszTitle, LPWSTR lpszPath);
    virtual BOOL ChooseColor(CHOOSECOLORW* pCc);
    // The system's sound for uType (MB_ICONASTERISK, MB_ICONEXCLAMATION, ...).
    virtual void MessageBeep(UINT uType);
    // The shell's pick-icon dialog (ordinal 62 of "Shell32.dll"): lpszPath
    // (cchPath characters) and *pIndex preselect the icon and receive the
    // choice. Returns the shell's result as it is (1 for OK; 0 when the
    // dialog is missing); some systems answer -1 without showing anything.
    virtual int PickIcon(HWND hWndOwner, LPWSTR lpszPath, UINT cchPath, int* pIndex);
};

// The current service (the application's, else the built-in one).
CPromptService& AfxGetPromptService();
// Installs a service (NULL: the built-in one); returns the previous one.
// Does nothing without an application object.
CPromptService* AfxSetPromptService(CPromptService* pService);

// A message box owned by the thread's active window (else the main
// window), captioned with the application's name unless one is given.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, LPCWSTR lpszCaption = nullptr);
// The text is string nIDPrompt of the resource module.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);
// A warning beep through the service.
void AfxMessageBeep(UINT uType);

// Records prompts and answers them in order from a list of answers.
class CScriptedPrompt : public CPromptService
{
public:
    enum Kind { kMessageBox, kOpenFile, kSaveFile, kFolder, kColor, kBeep, kIcon };
    struct Prompt
    {
        Kind kind;
        HWND owner;
        CString caption; // message box caption, dialog title
        CString text;    // message box text, initial file name or folder
        DWORD type;      // MB_ flags, OFN_ flags, CC_ flags or the beep's sound
        COLORREF color;  // initial colour of the colour dialog; the icon index
    };
    struct Answer
    {
        int result;     // the button id, or TRUE/FALSE for the dialogs
        CString path;   // chosen file or folder
        COLORREF color; // chosen colour
        int index;      // chosen icon index
    };

    // Queues the next answer. With no answer queued a prompt is answered
    // as a person closing it would: IDOK for MB_OK, IDNO for MB_YESNO,
    // IDCANCEL otherwise, FALSE for the dialogs.
    void AddAnswer(int result, LPCWSTR lpszPath = nullptr, COLORREF color = 0);
    // The pick-icon dialog's answer: its raw result, then (when lpszPath is
    // given) the chosen file and index. Unanswered, the dialog returns 0.
    void AddIconAnswer(int result, LPCWSTR lpszPath = nullptr, int nIndex = 0);
    int PendingAnswers() const { return (int)(m_answers.GetSize() - m_nextAnswer); }

    CArray<Prompt, const Prompt&> m_prompts;

    int MessageBox(HWND hWndOwner, LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType) override;
    BOOL GetOpenFileName(OPENFILENAMEW* pOfn) override;
    BOOL GetSaveFileName(OPENFILENAMEW* pOfn) override;
    BOOL BrowseForFolder(HWND hWndOwner, LPCWSTR lpszTitle, LPWSTR lpszPath) override;
    BOOL ChooseColor(CHOOSECOLORW* pCc) override;
    // Recorded, never sounded; takes no answer.
    void MessageBeep(UINT uType) override;
    int PickIcon(HWND hWndOwner, LPWSTR lpszPath, UINT cchPath, int* pIndex) override;

private:
    bool NextAnswer(Answer& answer);
    BOOL FileDialog(Kind kind, OPENFILENAMEW* pOfn);

    CArray<Answer, const Answer&> m_answers;
    INT_PTR m_nextAnswer = 0;
};
