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

} // namespace
