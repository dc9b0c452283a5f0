// Dialogs: the modal loop, data exchange with the loading guard, and the
// prompt service.
#include "Framework.h"
#include "fwtest_res.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace {

const UINT WM_STEP = WM_APP + 20;

enum class Step { End42, EscapeInEdit, Quit7, DestroyOwner };

class CModalDialog : public CDialog
{
public:
    CModalDialog(CWnd* pOwner, Step step) : CDialog(IDD_FWTEST_DIALOG, pOwner), m_step(step) {}
    bool attachedAtInit = false;
    bool ownerDisabledAtInit = false;
    std::vector<WPARAM> editKeys;

    BOOL OnInitDialog() override
    {
        attachedAtInit = FromHandlePermanent(m_hWnd) == this;
        ownerDisabledAtInit = !m_pParentWnd->IsWindowEnabled();
        ::PostMessageW(GetDlgItemHwnd(IDC_FWTEST_EDIT), WM_KEYDOWN, 'A', 0);
        PostMessage(WM_STEP);
        return CDialog::OnInitDialog();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == GetDlgItemHwnd(IDC_FWTEST_EDIT))
            editKeys.push_back(pMsg->wParam);
        return CDialog::PreTranslateMessage(pMsg);
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_STEP:
            return OnStep(wParam, lParam);
        }
        return CDialog::WindowProc(msg, wParam, lParam);
    }
    LRESULT OnStep(WPARAM, LPARAM)
    {
        switch (m_step) {
        case Step::End42:
            EndDialog(42);
            break;
        case Step::EscapeInEdit:
            ::PostMessageW(GetDlgItemHwnd(IDC_FWTEST_EDIT), WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        case Step::Quit7:
            PostQuitMessage(7);
            break;
        case Step::DestroyOwner:
            m_pParentWnd->DestroyWindow(); // takes the owned dialog with it
            break;
        }
        return 0;
    }

private:
    Step m_step;
};

CDialog* g_running = nullptr;

VOID CALLBACK SafetyEnd(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_running)
        g_running->EndDialog(-99);
}

struct ModalCase
{
    const char* name;
    Step step;
    INT_PTR result;
    std::vector<WPARAM> editKeys;
    int quitCode; // -1: no WM_QUIT left for the outer loop
    bool ownerAlive;
};

TEST(CDialogModal, LoopEndsAndOwnerComesBack)
{
    const ModalCase cases[] = {
        { "EndDialog", Step::End42, 42, { 'A' }, -1, true },
        { "EscapeInTheEdit", Step::EscapeInEdit, IDCANCEL, { 'A', VK_ESCAPE }, -1, true },
        { "QuitPostedAgain", Step::Quit7, -1, { 'A' }, 7, true },
        { "OwnerDestroyed", Step::DestroyOwner, -1, { 'A' }, -1, false },
    };
    for (const ModalCase& c : cases) {
        SCOPED_TRACE(c.name);
        CWnd owner;
        ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                   nullptr));
        CModalDialog dlg(&owner, c.step);
        g_running = &dlg;
        UINT_PTR safety = SetTimer(nullptr, 0, 5000, SafetyEnd);
        INT_PTR result = dlg.DoModal();
        KillTimer(nullptr, safety);
        g_running = nullptr;

        EXPECT_EQ(c.result, result);
        EXPECT_TRUE(dlg.attachedAtInit);
        EXPECT_TRUE(dlg.ownerDisabledAtInit);
        EXPECT_EQ(c.editKeys, dlg.editKeys);
        EXPECT_EQ(nullptr, dlg.m_hWnd);
        MSG msg;
        bool quit = PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        EXPECT_EQ(c.quitCode >= 0, quit);
        if (quit) {
            EXPECT_EQ(c.quitCode, (int)msg.wParam);
        }
        EXPECT_EQ(c.ownerAlive, !!owner.IsWindow());
        if (owner.IsWindow()) {
            EXPECT_TRUE(owner.IsWindowEnabled());
        }
        owner.DestroyWindow();
    }
}

class CDataDialog : public CDialog
{
public:
    CString text = L"hello";
    int check = BST_CHECKED;
    int number = 5;
    int changes = 0;         // every EN_CHANGE of the text edit
    int handledChanges = 0;  // those the handler acted on
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_FWTEST_EDIT, text);
        DDX_Check(pDX, IDC_FWTEST_CHECK, check);
        DDX_Text(pDX, IDC_FWTEST_NUMBER, number);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_FWTEST_EDIT && HIWORD(wParam) == EN_CHANGE) {
            ++changes;
            if (!IsLoading())
                ++handledChanges;
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
};

TEST(CDialogDataExchange, SetsOnlyChangesAndKeepsHandlersQuietWhileLoading)
{
    CScriptedPrompt script;
    CPromptService* old = AfxSetPromptService(&script);
    CDataDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FWTEST_DIALOG));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetForegroundWindow();
    CString s;
    dlg.GetDlgItemText(IDC_FWTEST_EDIT, s);
    EXPECT_STREQ(L"hello", s);
    EXPECT_EQ((UINT)BST_CHECKED, dlg.IsDlgButtonChecked(IDC_FWTEST_CHECK));
    EXPECT_EQ(1, dlg.changes);
    EXPECT_EQ(0, dlg.handledChanges);

    // The same values again touch no control.
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(1, dlg.changes);
    // A change by the user is handled, and saving takes it.
    dlg.SetDlgItemText(IDC_FWTEST_EDIT, L"typed");
    EXPECT_EQ(1, dlg.handledChanges);
    dlg.CheckDlgButton(IDC_FWTEST_CHECK, BST_UNCHECKED);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ(L"typed", dlg.text);
    EXPECT_EQ(BST_UNCHECKED, dlg.check);

    const struct
    {
        LPCWSTR text;
        bool ok;
        int value;
    } numbers[] = {
        { L" -7 ", true, -7 }, { L"2147483647", true, 2147483647 }, { L"12x", false, 0 },
        { L"", false, 0 },     { L"2147483648", false, 0 },          { L"-", false, 0 },
    };
    for (const auto& n : numbers) {
        SCOPED_TRACE(testing::Message() << "'" << CStringA(n.text).GetString() << "'");
        dlg.number = 99;
        dlg.SetDlgItemText(IDC_FWTEST_NUMBER, n.text);
        INT_PTR prompts = script.m_prompts.GetSize();
        EXPECT_EQ(n.ok, !!dlg.UpdateData(TRUE));
        EXPECT_EQ(n.ok ? n.value : 99, dlg.number);
        EXPECT_EQ(n.ok ? 0 : 1, script.m_prompts.GetSize() - prompts);
        if (!n.ok) {
            EXPECT_EQ(dlg.GetDlgItemHwnd(IDC_FWTEST_NUMBER), ::GetFocus());
        }
    }
    EXPECT_STREQ(L"Please enter an integer.", script.m_prompts[0].text);
    EXPECT_EQ(&script, AfxSetPromptService(old));
    dlg.DestroyWindow();
}

struct PromptCase
{
    const char* name;
    std::function<INT_PTR()> run;
    INT_PTR result;
    CScriptedPrompt::Kind kind;
    LPCWSTR caption;
    LPCWSTR text;
};

TEST(CPromptServiceScript, RecordsEachPromptAndAnswersIt)
{
    CScriptedPrompt script;
    CPromptService* old = AfxSetPromptService(&script);
    script.AddAnswer(IDYES);
    script.AddAnswer(TRUE, L"C:\\data\\mod.dll");
    script.AddAnswer(TRUE, CString(L'x', 2000)); // longer than the dialog's buffer
    script.AddAnswer(TRUE, nullptr, RGB(1, 2, 3));
    script.AddAnswer(TRUE, L"C:\\chosen");

    CFileDialog open(TRUE, nullptr, L"old.dll", OFN_FILEMUSTEXIST, L"Modules (*.dll)|*.dll||");
    CColorDialog color(RGB(9, 9, 9), CC_FULLOPEN);
    WCHAR folder[MAX_PATH] = L"C:\\start";
    WCHAR icon[MAX_PATH] = L"C:\\old.ico";
    int iconIndex = 2;
    auto pickIcon = [&] { return (INT_PTR)AfxGetPromptService().PickIcon(nullptr, icon, MAX_PATH, &iconIndex); };
    const PromptCase cases[] = {
        { "QuestionAnswered", [] { return (INT_PTR)AfxMessageBox(L"Save changes?", MB_YESNO | MB_ICONQUESTION); }, IDYES,
          CScriptedPrompt::kMessageBox, L"FrameworkTest", L"Save changes?" },
        { "OpenFile", [&] { return open.DoModal(); }, IDOK, CScriptedPrompt::kOpenFile, L"", L"old.dll" },
        { "SavePathTooLong", [] { return CFileDialog(FALSE, L"ini").DoModal(); }, IDCANCEL, CScriptedPrompt::kSaveFile,
          L"", L"" },
        { "Colour", [&] { return color.DoModal(); }, IDOK, CScriptedPrompt::kColor, L"", L"" },
        { "Folder", [&] { return (INT_PTR)AfxGetPromptService().BrowseForFolder(nullptr, L"Pick", folder); }, TRUE,
          CScriptedPrompt::kFolder, L"Pick", L"C:\\start" },
        { "UnansweredYesNo", [] { return (INT_PTR)AfxMessageBox(L"Go?", MB_YESNO, L"Own"); }, IDNO,
          CScriptedPrompt::kMessageBox, L"Own", L"Go?" },
        { "UnansweredOk", [] { return (INT_PTR)AfxMessageBox(L"Done."); }, IDOK, CScriptedPrompt::kMessageBox,
          L"FrameworkTest", L"Done." },
        { "Beep", [] { AfxMessageBeep(MB_ICONASTERISK); return (INT_PTR)0; }, 0, CScriptedPrompt::kBeep, L"", L"" },
        { "Icon", [&] {
              script.AddIconAnswer(1, L"C:\\icons.dll", 5);
              script.AddIconAnswer(-1, L"C:\\ignored.dll", 7); // a raw result, not an OK
              return pickIcon();
          }, 1, CScriptedPrompt::kIcon, L"", L"C:\\old.ico" },
        { "IconRawResult", pickIcon, -1, CScriptedPrompt::kIcon, L"", L"C:\\icons.dll" },
        { "IconUnanswered", pickIcon, 0, CScriptedPrompt::kIcon, L"", L"C:\\ignored.dll" },
    };
    for (const PromptCase& c : cases) {
        SCOPED_TRACE(c.name);
        INT_PTR before = script.m_prompts.GetSize();
        EXPECT_EQ(c.result, c.run());
        ASSERT_EQ(before + 1, script.m_prompts.GetSize());
        const CScriptedPrompt::Prompt& p = script.m_prompts[before];
        EXPECT_EQ(c.kind, p.kind);
        EXPECT_STREQ(c.caption, p.caption);
        EXPECT_STREQ(c.text, p.text);
    }
    EXPECT_EQ((DWORD)(MB_YESNO | MB_ICONQUESTION), script.m_prompts[0].type);
    EXPECT_EQ(0, memcmp(L"Modules (*.dll)\0*.dll\0\0", open.m_ofn.lpstrFilter, 24 * sizeof(WCHAR)));
    EXPECT_STREQ(L"C:\\data\\mod.dll", open.GetPathName());
    EXPECT_STREQ(L"mod.dll", open.GetFileName());
    EXPECT_STREQ(L"dll", open.GetFileExt());
    EXPECT_EQ(RGB(9, 9, 9), script.m_prompts[3].color);
    EXPECT_EQ(RGB(1, 2, 3), color.GetColor());
    EXPECT_STREQ(L"C:\\chosen", folder);
    EXPECT_EQ((DWORD)MB_ICONASTERISK, script.m_prompts[7].type);
    EXPECT_EQ((COLORREF)2, script.m_prompts[8].color); // the preselected index
    EXPECT_STREQ(L"C:\\ignored.dll", icon);           // the shell's last word stands
    EXPECT_EQ(7, iconIndex);
    EXPECT_EQ(0, script.PendingAnswers());
    AfxSetPromptService(old);
}

} // namespace
