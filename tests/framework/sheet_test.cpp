// Property sheets: the sheet's object from before WM_INITDIALOG, page
// objects at their WM_INITDIALOG, the page answers through DWLP_MSGRESULT,
// pages added and removed at run time, and the modal loop's end.
#include "Framework.h"
#include "fwtest_res.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace {

const UINT WM_STEP = WM_APP + 30;

void PushDword(std::vector<WORD>& w, DWORD d)
{
    w.push_back(LOWORD(d));
    w.push_back(HIWORD(d));
}

void PushText(std::vector<WORD>& w, LPCWSTR s)
{
    while (*s)
        w.push_back(*s++);
    w.push_back(0);
}

// An in-memory page template: a child dialog with one edit.
std::vector<WORD> PageTemplate()
{
    std::vector<WORD> w;
    PushDword(w, DS_SETFONT | DS_CONTROL | WS_CHILD | WS_CAPTION);
    PushDword(w, 0);
    w.insert(w.end(), { 1, 0, 0, 120, 60, 0, 0 }); // one item, x, y, cx, cy, no menu, default class
    PushText(w, L"");
    w.push_back(8);
    PushText(w, L"MS Shell Dlg");
    if (w.size() % 2)
        w.push_back(0); // items start on a DWORD
    PushDword(w, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL);
    PushDword(w, 0);
    w.insert(w.end(), { 5, 5, 80, 12, IDC_FWTEST_EDIT, 0xFFFF, 0x0081 }); // place, id, "Edit"
    PushText(w, L"");
    w.push_back(0);
    return w;
}

class CTestPage : public CPropertyPage
{
public:
    CTestPage(const std::vector<WORD>& tmpl, LPCWSTR caption)
        : CPropertyPage(reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()), caption) {}
    bool foundAtInit = false;
    BOOL allow = TRUE; // answer to PSN_APPLY and PSN_QUERYCANCEL
    int applies = 0;
    int resets = 0;

    BOOL OnInitDialog() override
    {
        foundAtInit = FromHandlePermanent(m_hWnd) == this;
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnApply() override
    {
        ++applies;
        return allow;
    }
    void OnReset() override { ++resets; }
    BOOL OnQueryCancel() override { return allow; }
};

class CTestSheet : public CPropertySheet
{
public:
    CTestSheet(CWnd* pOwner) : CPropertySheet(L"Sheet", pOwner) {}
    bool subclassedAtInit = false;
    std::function<void(int)> script;

    BOOL OnInitDialog() override
    {
        subclassedAtInit = FromHandlePermanent(m_hWnd) == this;
        BOOL r = CPropertySheet::OnInitDialog();
        PostMessage(WM_STEP, 0);
        return r;
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        switch (msg) {
        case WM_STEP:
            script((int)wParam);
            return 0;
        }
        return CPropertySheet::WindowProc(msg, wParam, lParam);
    }
    void Press(int id) { SendDlgItemMessage(id, BM_CLICK); }
};

CPropertySheet* g_sheet = nullptr;

VOID CALLBACK SafetyEnd(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_sheet)
        g_sheet->EndDialog(-99);
}

struct SheetCase
{
    const char* name;
    int button;
    bool refuseFirst;
    INT_PTR result;
    int appliesOfFirstPage;
    int appliesOfSecondPage; // the sheet stops at the first page that refuses
    LONG_PTR refusal; // DWLP_MSGRESULT of the refusing page
};

TEST(CPropertySheetModal, PagesAnswerAndTheLoopEnds)
{
    const SheetCase cases[] = {
        { "Ok", IDOK, false, IDOK, 1, 1, 0 },
        { "OkRefusedThenAccepted", IDOK, true, IDOK, 2, 1, PSNRET_INVALID_NOCHANGEPAGE },
        { "Cancel", IDCANCEL, false, IDCANCEL, 0, 0, 0 },
        { "CancelRefusedThenAccepted", IDCANCEL, true, IDCANCEL, 0, 0, TRUE },
    };
    std::vector<WORD> tmpl = PageTemplate();
    for (const SheetCase& c : cases) {
        SCOPED_TRACE(c.name);
        CWnd owner;
        ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                   nullptr));
        CTestPage first(tmpl, L"First"), second(tmpl, L"Second"), extra(tmpl, L"Extra");
        CTestSheet sheet(&owner);
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        bool ownerDisabled = false, openAfterRefusal = false;
        int tabsWithExtra = 0, tabsAfterRemoval = 0;
        LONG_PTR refusal = 0;
        sheet.script = [&](int step) {
            if (step == 0) {
                ownerDisabled = !owner.IsWindowEnabled();
                sheet.SetActivePage(1); // makes the second page's window
                sheet.SetActivePage(0);
                sheet.AddPage(&extra);
                tabsWithExtra = TabCtrl_GetItemCount(sheet.GetTabControl());
                sheet.RemovePage(&extra);
                tabsAfterRemoval = TabCtrl_GetItemCount(sheet.GetTabControl());
                first.allow = !c.refuseFirst;
            } else {
                openAfterRefusal = sheet.SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
                refusal = GetWindowLongPtrW(first.m_hWnd, DWLP_MSGRESULT);
                first.allow = TRUE;
            }
            sheet.Press(c.button);
            if (step == 0 && c.refuseFirst)
                sheet.PostMessage(WM_STEP, 1);
        };
        g_sheet = &sheet;
        UINT_PTR safety = SetTimer(nullptr, 0, 5000, SafetyEnd);
        INT_PTR result = sheet.DoModal();
        KillTimer(nullptr, safety);
        g_sheet = nullptr;

        EXPECT_EQ(c.result, result);
        EXPECT_TRUE(sheet.subclassedAtInit);
        EXPECT_TRUE(first.foundAtInit);
        EXPECT_TRUE(second.foundAtInit);
        EXPECT_FALSE(extra.foundAtInit); // never shown
        EXPECT_EQ(3, tabsWithExtra);
        EXPECT_EQ(2, tabsAfterRemoval);
        EXPECT_EQ(2, sheet.GetPageCount());
        EXPECT_EQ(c.appliesOfFirstPage, first.applies);
        EXPECT_EQ(c.appliesOfSecondPage, second.applies);
        EXPECT_EQ(c.button == IDCANCEL, first.resets > 0);
        EXPECT_EQ(c.refuseFirst, openAfterRefusal);
        EXPECT_EQ(c.refusal, refusal);
        EXPECT_TRUE(ownerDisabled);
        EXPECT_TRUE(owner.IsWindowEnabled());
        EXPECT_EQ(nullptr, sheet.m_hWnd);
        EXPECT_EQ(nullptr, first.m_hWnd);
        owner.DestroyWindow();
    }
}

// A page that logs the sheet's notifications and binds its edit to a member.
class CDataPage : public CPropertyPage
{
public:
    CDataPage(const std::vector<WORD>& tmpl, LPCWSTR caption, std::vector<std::wstring>& log)
        : CPropertyPage(reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()), caption), m_log(log), m_name(caption) {}
    CString text;
    int userChanges = 0;

    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_FWTEST_EDIT, text); }
    BOOL OnSetActive() override { return Log(L"set"), CPropertyPage::OnSetActive(); }
    BOOL OnKillActive() override { return Log(L"kill"), CPropertyPage::OnKillActive(); }
    BOOL OnApply() override { return Log(L"apply"), TRUE; }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_FWTEST_EDIT && HIWORD(wParam) == EN_CHANGE && !IsLoading())
            ++userChanges;
        return CPropertyPage::OnCommand(wParam, lParam);
    }

private:
    void Log(LPCWSTR what) { m_log.push_back(m_name + L":" + what); }
    std::vector<std::wstring>& m_log;
    std::wstring m_name;
};

// Records how many pages the sheet lists while comctl32 removes one.
class CCountingSheet : public CPropertySheet
{
public:
    CCountingSheet() : CPropertySheet(L"Sheet") {}
    int pagesWhileRemoving = -1;
    int tabsWhileRemoving = -1;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == PSM_REMOVEPAGE) {
            LRESULT r = Default();
            pagesWhileRemoving = GetPageCount();
            tabsWhileRemoving = TabCtrl_GetItemCount(GetTabControl());
            return r;
        }
        return CPropertySheet::WindowProc(msg, wParam, lParam);
    }
};

TEST(CPropertySheetPages, ApplyOrderAndDataExchangeBothWays)
{
    std::vector<WORD> tmpl = PageTemplate();
    std::vector<std::wstring> log;
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    CDataPage first(tmpl, L"first", log), second(tmpl, L"second", log), third(tmpl, L"third", log);
    first.text = L"loaded";
    CCountingSheet sheet;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.AddPage(&third); // never shown
    ASSERT_TRUE(sheet.Create(&owner));
    HWND edit = first.GetDlgItemHwnd(IDC_FWTEST_EDIT);
    EXPECT_EQ(CString(L"loaded"), CWnd(edit).GetWindowText());
    EXPECT_EQ(0, first.userChanges); // filled while loading
    sheet.SetActivePage(1);
    sheet.SetActivePage(0);

    // Typing reaches the member when the page is left or applied.
    SetWindowTextW(edit, L"typed");
    EXPECT_EQ(1, first.userChanges);
    log.clear();
    sheet.SendMessage(PSM_APPLY);
    const std::vector<std::wstring> order = { L"first:kill", L"first:apply", L"second:apply", L"first:set" };
    EXPECT_EQ(order, log);
    EXPECT_EQ(CString(L"typed"), first.text);

    // Coming back fills the controls from the members, quietly.
    sheet.SetActivePage(1);
    first.text = L"model";
    sheet.SetActivePage(0);
    EXPECT_EQ(CString(L"model"), CWnd(edit).GetWindowText());
    EXPECT_EQ(1, first.userChanges);

    // The page list matches the tabs while a page is removed.
    sheet.RemovePage(&second);
    EXPECT_EQ(2, sheet.pagesWhileRemoving);
    EXPECT_EQ(2, sheet.tabsWhileRemoving);
    sheet.DestroyWindow();
    owner.DestroyWindow();
}

} // namespace
