// The icon picker: its results through a scripted and a stand-in shell
// dialog, the added "Clear" button, and environment expansion of the path.
#include <gtest/gtest.h>
#include <string>
#include "IconDialog.h"
#include "Prompt.h"
#include "WinApp.h"

CWinApp theApp(L"IconDialogTests");

namespace {

std::wstring OwnPath()
{
    WCHAR path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// A prompt service that answers while it lives.
template <class TService> struct CInstalled : TService {
    CPromptService* old = AfxSetPromptService(this);
    ~CInstalled() { AfxSetPromptService(old); }
};

// Runs a stand-in for the shell's dialog from this program's resources, and
// closes it with the button the test names (3: the added "Clear").
class CStandInShell : public CPromptService
{
public:
    int templateId = 100, press = 3;
    bool pickingDuringRun = false, sameFont = false;
    HWND clear = nullptr;
    CRect clearRect, wantedRect; // the added button's, and OK's size at the anchor's left

    int PickIcon(HWND hWndOwner, LPWSTR lpszPath, UINT, int* pIndex) override
    {
        pickingDuringRun = CIconDialog::IsPicking();
        INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), hWndOwner,
                                         DialogProc, (LPARAM)this);
        if (result == IDOK) {
            lstrcpynW(lpszPath, OwnPath().c_str(), MAX_PATH);
            *pIndex = 2;
        }
        return (int)result;
    }

private:
    static CRect Place(HWND dialog, int id)
    {
        CRect r;
        if (HWND control = GetDlgItem(dialog, id)) {
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, dialog, (LPPOINT)&r, 2);
        }
        return r;
    }
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        if (message != WM_INITDIALOG)
            return FALSE;
        auto* self = reinterpret_cast<CStandInShell*>(lParam);
        // The hook ran before this procedure: the button stands already.
        self->clear = GetDlgItem(dialog, CIconDialog::ClearButtonId);
        self->clearRect = Place(dialog, CIconDialog::ClearButtonId);
        CRect ok = Place(dialog, IDOK);
        self->wantedRect = CRect(POINT{Place(dialog, CIconDialog::AnchorId).left, ok.top}, ok.Size());
        self->sameFont = self->clear && SendMessageW(self->clear, WM_GETFONT, 0, 0) ==
                                            SendMessageW(GetDlgItem(dialog, IDOK), WM_GETFONT, 0, 0);
        if (HWND button = GetDlgItem(dialog, self->press))
            PostMessageW(button, BM_CLICK, 0, 0);
        else
            EndDialog(dialog, self->press == IDOK ? IDOK : 0);
        return TRUE;
    }
};

// Cancels whatever dialog the real shell might show.
void CALLBACK CancelDialogs(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", nullptr);
    if (dialog && GetWindowThreadProcessId(dialog, nullptr) == GetCurrentThreadId())
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

TEST(IconDialog, ResultsOfTheShellDialog)
{
    {
        // Cancel keeps what an earlier OK chose; a raw result other than 1 is
        // no OK; without an answer the shell dialog is missing.
        CInstalled<CScriptedPrompt> script;
        script.AddIconAnswer(1, OwnPath().c_str(), 1);
        script.AddIconAnswer(0, L"C:\\other.dll", 4);
        script.AddIconAnswer(-1, L"C:\\other.dll", 4);
        CIconDialog dialog(L"", 0);
        struct { const char* name; INT_PTR result; } cases[] = {{"ok", CIconDialog::IconChosen},
            {"cancel", CIconDialog::IconCancelled}, {"raw -1", CIconDialog::IconCancelled},
            {"no dialog", CIconDialog::IconCancelled}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(c.result, dialog.DoModal());
            EXPECT_EQ(OwnPath(), dialog.GetPath());
            EXPECT_EQ(1, dialog.GetIndex());
            EXPECT_EQ(3u, dialog.GetIconCount());
            EXPECT_NE(nullptr, dialog.GetIcon());
            EXPECT_FALSE(CIconDialog::IsPicking());
        }
    }
    // The real shell: where it shows nothing (-1), or is cancelled, nothing is chosen.
    UINT_PTR timer = SetTimer(nullptr, 0, 200, CancelDialogs);
    CIconDialog real(L"%SystemRoot%\\system32\\shell32.dll", 3);
    EXPECT_EQ(CIconDialog::IconCancelled, real.DoModal());
    KillTimer(nullptr, timer);
    EXPECT_EQ(nullptr, real.GetIcon());
    EXPECT_EQ(0u, real.GetIconCount());
    EXPECT_FALSE(CIconDialog::IsPicking());
}

TEST(IconDialog, AddedButtonTakesOkPlaceAndClears)
{
    struct { const char* name; int templateId, press; INT_PTR result; bool button; } cases[] = {
        {"clear", 100, CIconDialog::ClearButtonId, CIconDialog::IconCleared, true},
        {"ok", 100, IDOK, CIconDialog::IconChosen, true},
        {"cancel", 100, IDCANCEL, CIconDialog::IconCancelled, true},
        {"no anchor", 101, IDOK, CIconDialog::IconChosen, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CInstalled<CStandInShell> shell;
        shell.templateId = c.templateId, shell.press = c.press;
        CIconDialog dialog(L"C:\\before.ico", 7);
        EXPECT_EQ(c.result, dialog.DoModal());
        EXPECT_TRUE(shell.pickingDuringRun);
        EXPECT_FALSE(CIconDialog::IsPicking());
        EXPECT_EQ(c.button, shell.clear != nullptr);
        if (shell.clear) {
            EXPECT_FALSE(IsWindow(shell.clear));
            const CRect& r = shell.clearRect;
            EXPECT_EQ(shell.wantedRect, r) << r.left << "," << r.top << " " << r.Width() << "x" << r.Height();
            EXPECT_TRUE(shell.sameFont);
        }
        bool chosen = c.result == CIconDialog::IconChosen;
        EXPECT_EQ(chosen ? OwnPath() : std::wstring(L"C:\\before.ico"), dialog.GetPath());
        EXPECT_EQ(chosen ? 2 : 7, dialog.GetIndex());
    }
}

TEST(IconDialog, PathExpansionNeverOverflows)
{
    SetEnvironmentVariableW(L"ICONTEST_DIR", L"C:\\icons");
    SetEnvironmentVariableW(L"ICONTEST_LONG", std::wstring(300, L'x').c_str());
    struct { std::wstring path, expected; } cases[] = {
        {L"%ICONTEST_DIR%\\a.dll", L"C:\\icons\\a.dll"},
        {L"%ICONTEST_LONG%\\a.dll", L"%ICONTEST_LONG%\\a.dll"}, // kept unexpanded
        {L"C:\\" + std::wstring(270, L'y'), L""},               // cannot be held at all
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CIconDialog(c.path.c_str(), 0).GetPath());
    // The shell's answer is expanded again.
    CInstalled<CScriptedPrompt> script;
    script.AddIconAnswer(1, L"%ICONTEST_DIR%\\none.ico", 5);
    CIconDialog dialog(L"", 0);
    EXPECT_EQ(CIconDialog::IconChosen, dialog.DoModal());
    EXPECT_STREQ(L"C:\\icons\\none.ico", dialog.GetPath());
    EXPECT_EQ(5, dialog.GetIndex());
    EXPECT_EQ(nullptr, dialog.GetIcon()); // no such file: no icon, still chosen
    EXPECT_EQ(0u, dialog.GetIconCount());
}
