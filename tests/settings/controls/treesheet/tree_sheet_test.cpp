// The tree property sheet: page paths as a tree with images and captions,
// layout, selection through the tree and the keys, enabled pages, and the
// painted page frame.
#include "PropPageFrameEx.h"
#include "TreePropSheetBase.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

using namespace TreePropSheet;

namespace {

const UINT WM_STEP = WM_APP + 40;
const int IDC_EDIT = 1001;

void PushDword(std::vector<WORD>& w, DWORD d)
{
    w.push_back(LOWORD(d));
    w.push_back(HIWORD(d));
}

// An in-memory page: a child dialog with one edit.
std::vector<WORD> PageTemplate()
{
    std::vector<WORD> w;
    PushDword(w, DS_SETFONT | DS_CONTROL | WS_CHILD | WS_CAPTION);
    PushDword(w, 0);
    w.insert(w.end(), { 1, 0, 0, 160, 80, 0, 0, 0, 8 }); // one item, place, no menu/class/title, 8 pt
    for (WCHAR c : std::wstring(L"MS Shell Dlg"))
        w.push_back(c);
    w.push_back(0);
    if (w.size() % 2)
        w.push_back(0);
    PushDword(w, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL);
    PushDword(w, 0);
    w.insert(w.end(), { 5, 5, 80, 12, IDC_EDIT, 0xFFFF, 0x0081, 0, 0 });
    return w;
}

// Records the keys that reach an edit.
class CKeyLog : public CWnd
{
public:
    std::vector<WPARAM> keys;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_KEYDOWN)
            keys.push_back(wParam);
        return CWnd::WindowProc(msg, wParam, lParam);
    }
};

class CTestPage : public CPropertyPage
{
public:
    CTestPage(const std::vector<WORD>& tmpl, LPCWSTR caption, HICON icon = nullptr)
        : CPropertyPage(reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()), caption)
    {
        if (icon) {
            m_psp.dwFlags |= PSP_USEHICON;
            m_psp.hIcon = icon;
        }
    }
    BOOL allowLeave = TRUE;
    CKeyLog edit;
    BOOL OnInitDialog() override
    {
        edit.SubclassDlgItem(IDC_EDIT, this);
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnKillActive() override { return allowLeave && CPropertyPage::OnKillActive(); }
};

class CTestSheet : public CTreePropSheetBase
{
public:
    CTestSheet() : CTreePropSheetBase(L"Tree sheet") {}
    std::function<void(int)> script; // steps posted from the sheet's initialisation on
    HIMAGELIST comctlTabImages = nullptr;
    void OnSheetInitialized() override { comctlTabImages = TabCtrl_GetImageList(GetTabControl()); }
    BOOL OnInitDialog() override
    {
        BOOL r = CTreePropSheetBase::OnInitDialog();
        if (script)
            PostMessage(WM_STEP, 0);
        return r;
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_STEP && script) {
            script((int)wParam);
            return 0;
        }
        return CTreePropSheetBase::WindowProc(msg, wParam, lParam);
    }
    HTREEITEM Item(LPCWSTR text) const { return Find(GetPageTreeControl()->GetRootItem(), text); }
    int Selected() const
    {
        HTREEITEM h = GetPageTreeControl()->GetSelectedItem();
        return h ? (int)(INT_PTR)GetPageTreeControl()->GetItemData(h) : -2;
    }

private:
    HTREEITEM Find(HTREEITEM first, LPCWSTR text) const
    {
        CTreeCtrl* tree = GetPageTreeControl();
        for (HTREEITEM h = first; h; h = tree->GetNextSiblingItem(h)) {
            if (tree->GetItemText(h) == text)
                return h;
            if (HTREEITEM found = Find(tree->GetChildItem(h), text))
                return found;
        }
        return nullptr;
    }
};

// "text[page:image]{children}" for every item.
std::wstring Describe(CTreeCtrl* tree, HTREEITEM first)
{
    std::wstring s;
    for (HTREEITEM h = first; h; h = tree->GetNextSiblingItem(h)) {
        if (!s.empty())
            s += L",";
        int image = -1, selected = -1;
        tree->GetItemImage(h, image, selected);
        INT_PTR page = (INT_PTR)tree->GetItemData(h);
        s += tree->GetItemText(h).GetString();
        s += L"[" + (page < 0 ? std::wstring(L"-") : std::to_wstring(page)) + L":" + std::to_wstring(image) + L"]";
        if (HTREEITEM child = tree->GetChildItem(h))
            s += L"{" + Describe(tree, child) + L"}";
    }
    return s;
}

CRect ChildRect(CWnd& parent, HWND child)
{
    CRect r;
    ::GetWindowRect(child, &r);
    parent.ScreenToClient(&r);
    return r;
}

// The modifier state GetKeyState reports on this thread.
void SetModifiers(bool ctrl, bool shift)
{
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
}

struct Fixture
{
    std::vector<WORD> tmpl = PageTemplate();
    HICON icon = LoadIconW(nullptr, (LPCWSTR)IDI_APPLICATION);
    CTestPage colours{ tmpl, L"General::Colours", icon };
    CTestPage fonts{ tmpl, L"General::Fonts" };
    CTestPage ab{ tmpl, L"A\\::B", icon };
    CTestPage y{ tmpl, L"X\\\\::Y" };
    CTestPage plain{ tmpl, L"Plain" };
    CTestPage* pages[5] = { &colours, &fonts, &ab, &y, &plain };
    CWnd owner;

    Fixture()
    {
        owner.CreateEx(0, nullptr, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr);
    }
    ~Fixture() { owner.DestroyWindow(); }
    void Setup(CTestSheet& sheet, BOOL caption)
    {
        for (CTestPage* p : pages)
            sheet.AddPage(p);
        sheet.SetTreeViewMode(TRUE, caption, TRUE);
        sheet.SetPageTreeWidth(180);
        sheet.SetAutoExpandTree();
        sheet.SetEmptyPageText(L"Pick %s");
        CImageList defaults;
        defaults.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1);
        defaults.Add(LoadIconW(nullptr, (LPCWSTR)IDI_INFORMATION));
        defaults.Add(LoadIconW(nullptr, (LPCWSTR)IDI_WARNING));
        EXPECT_TRUE(sheet.SetTreeDefaultImages(defaults));
    }
};

TEST(CTreePropSheet, PagePathsMakeTheTreeBesideTheFrame)
{
    for (BOOL caption : { TRUE, FALSE }) {
        SCOPED_TRACE(caption ? "caption" : "no caption");
        Fixture f;
        int plainWidth;
        {
            CPropertySheet plain(L"plain");
            for (CTestPage* p : f.pages)
                plain.AddPage(p);
            ASSERT_TRUE(plain.Create(&f.owner));
            CRect r;
            plain.GetWindowRect(&r);
            plainWidth = r.Width();
            plain.DestroyWindow();
        }
        CTestSheet sheet;
        f.Setup(sheet, caption);
        ASSERT_TRUE(sheet.Create(&f.owner));
        CTreePropSheetTreeCtrl* tree = sheet.GetPageTreeControl();
        ASSERT_NE(nullptr, tree);
        // Two tab icons, then the node picture (2) and the page picture (3).
        EXPECT_EQ(4, sheet.GetPageImages().GetImageCount());
        EXPECT_EQ(L"General[-:2]{Colours[0:0],Fonts[1:3]},A::B[2:1],X\\[-:2]{Y[3:3]},Plain[4:3]",
                  Describe(tree, tree->GetRootItem()));

        HWND tab = sheet.GetTabControl();
        // The sheet set a list of its own on the tabs and left comctl32's alone.
        ASSERT_NE(nullptr, sheet.comctlTabImages);
        EXPECT_NE(sheet.comctlTabImages, TabCtrl_GetImageList(tab));
        EXPECT_EQ(2, ImageList_GetImageCount(sheet.comctlTabImages));
        EXPECT_EQ(2, ImageList_GetImageCount(TabCtrl_GetImageList(tab)));
        EXPECT_FALSE(IsWindowVisible(tab));
        EXPECT_FALSE(IsWindowEnabled(tab));
        CRect sheetRect, tabRect = ChildRect(sheet, tab);
        sheet.GetWindowRect(&sheetRect);
        EXPECT_EQ(plainWidth + 180, sheetRect.Width());
        CPropPageFrame* frame = sheet.GetFrameControl();
        CRect frameRect = ChildRect(sheet, frame->GetWnd()->m_hWnd);
        CRect treeRect = ChildRect(sheet, tree->m_hWnd);
        // The caption is as high as a tab item without an icon.
        RECT item = {};
        TabCtrl_GetItemRect(tab, 0, &item);
        int captionHeight = frame->GetCaptionHeight();
        EXPECT_GT(captionHeight, 0);
        EXPECT_LE(captionHeight, item.bottom - item.top);
        EXPECT_EQ(caption, frame->GetShowCaption());
        // Without a caption the tab row's strip is gone.
        CRect expectedFrame = tabRect;
        if (!caption)
            expectedFrame.top += captionHeight;
        EXPECT_EQ(expectedFrame, frameRect);
        EXPECT_EQ(CRect(frameRect.left - 180, frameRect.top, frameRect.left - 5, frameRect.bottom), treeRect);
        // The first page's window sits inside the frame, below the caption.
        CRect pageRect = ChildRect(sheet, f.colours.m_hWnd);
        EXPECT_GE(pageRect.top, frameRect.top + (caption ? captionHeight : 0));
        EXPECT_GE(pageRect.left, frameRect.left);
        EXPECT_LE(pageRect.bottom, frameRect.bottom);
        EXPECT_STREQ(caption ? L"Colours" : L"", frame->GetCaption());
        sheet.DestroyWindow();
        EXPECT_EQ(nullptr, sheet.GetPageTreeControl());
    }
}

TEST(CTreePropSheet, SelectionFollowsTheTreeAndPagesComeAndGo)
{
    Fixture f;
    CTestSheet sheet;
    f.Setup(sheet, TRUE);
    ASSERT_TRUE(sheet.Create(&f.owner));
    CTreePropSheetTreeCtrl* tree = sheet.GetPageTreeControl();
    CPropPageFrameEx* frame = static_cast<CPropPageFrameEx*>(sheet.GetFrameControl());

    tree->SelectItem(sheet.Item(L"Fonts"));
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_STREQ(L"Fonts", frame->GetCaption());
    EXPECT_EQ(1, frame->GetCaptionImages().GetImageCount());

    // A node without a page hides the page and shows the empty-page text.
    tree->SelectItem(sheet.Item(L"General"));
    EXPECT_EQ(sheet.Item(L"General"), tree->GetSelectedItem());
    EXPECT_FALSE(IsWindowVisible(f.fonts.m_hWnd));
    EXPECT_STREQ(L"Pick General", frame->GetMessageText());
    tree->SelectItem(sheet.Item(L"Fonts"));
    EXPECT_TRUE(IsWindowVisible(f.fonts.m_hWnd));

    // A page that refuses to go keeps the selection.
    f.fonts.allowLeave = FALSE;
    tree->SelectItem(sheet.Item(L"Plain"));
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_EQ(1, sheet.Selected());
    f.fonts.allowLeave = TRUE;

    // Skip-empty mode goes on to the first page below the node.
    sheet.SetSkipEmptyPages();
    tree->SelectItem(sheet.Item(L"X\\"));
    EXPECT_EQ(3, sheet.Selected());
    EXPECT_EQ(3, sheet.GetActiveIndex());

    // Pages added and removed at run time: the tree follows, the page stays.
    CTestPage added(f.tmpl, L"General::Added");
    sheet.AddPage(&added);
    EXPECT_EQ(L"General[-:2]{Colours[0:0],Fonts[1:3],Added[5:3]},A::B[2:1],X\\[-:2]{Y[3:3]},Plain[4:3]",
              Describe(tree, tree->GetRootItem()));
    EXPECT_EQ(3, sheet.Selected());
    sheet.RemovePage(&f.colours);
    EXPECT_EQ(L"General[-:2]{Fonts[0:3],Added[4:3]},A::B[1:1],X\\[-:2]{Y[2:3]},Plain[3:3]",
              Describe(tree, tree->GetRootItem()));
    EXPECT_EQ(2, sheet.Selected());
    EXPECT_EQ(&f.y, sheet.GetActivePage());
    sheet.DestroyWindow();
}

TEST(CTreePropSheet, EnabledPagesAndTheirColours)
{
    Fixture f;
    CTestSheet sheet;
    f.Setup(sheet, TRUE);
    ASSERT_TRUE(sheet.Create(&f.owner));
    CTreePropSheetTreeCtrl* tree = sheet.GetPageTreeControl();
    sheet.SetActivePage(1); // makes the page's window
    sheet.SetActivePage(0);
    UINT msg = sheet.GetEnablePageMessage();
    ASSERT_NE(0u, msg);

    EXPECT_EQ(1, sheet.SendMessage(msg, (WPARAM)&f.fonts, 0));
    EXPECT_FALSE(sheet.IsPageEnabled(&f.fonts));
    EXPECT_FALSE(IsWindowEnabled(f.fonts.m_hWnd));
    COLORREF color = 0;
    EXPECT_TRUE(tree->GetItemColor(sheet.Item(L"Fonts"), color));
    EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), color);
    // The walk passes the disabled page.
    sheet.ActivateNextPage();
    EXPECT_EQ(2, sheet.GetActiveIndex());
    EXPECT_FALSE(sheet.EnablePage(&f.fonts, TRUE));
    EXPECT_FALSE(tree->GetItemColor(sheet.Item(L"Fonts"), color));

    // With every other page disabled, the active page stays enabled and
    // active; the walk for another page ends.
    for (CTestPage* p : f.pages) {
        if (p != &f.ab)
            sheet.EnablePage(p, FALSE);
    }
    EXPECT_TRUE(sheet.EnablePage(&f.ab, FALSE));
    EXPECT_TRUE(sheet.IsPageEnabled(&f.ab));
    EXPECT_EQ(&f.ab, sheet.GetActivePage());
    sheet.ActivatePreviousPage();
    EXPECT_EQ(&f.ab, sheet.GetActivePage());
    sheet.DestroyWindow();
}

struct KeyStep
{
    const char* name;
    WPARAM key;
    bool shift;
    int activeAfter;
};

CTestSheet* g_sheet = nullptr;

VOID CALLBACK SafetyEnd(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_sheet)
        g_sheet->EndDialog(-99);
}

TEST(CTreePropSheet, CtrlKeysSwitchPagesInTheModalLoopAndOtherKeysReachThePage)
{
    const KeyStep steps[] = {
        { "CtrlPgDnOnTheLastWraps", VK_NEXT, false, 0 },
        { "CtrlShiftTabOnTheFirstWraps", VK_TAB, true, 4 },
        { "CtrlPgUp", VK_PRIOR, false, 3 },
        { "CtrlTab", VK_TAB, false, 4 },
        { "CtrlCStaysInTheEdit", 'C', false, 4 },
    };
    Fixture f;
    CTestSheet sheet;
    f.Setup(sheet, TRUE);
    sheet.m_psh.nStartPage = 4;
    std::vector<int> active;
    sheet.script = [&](int step) {
        if (step > 0)
            active.push_back(sheet.GetActiveIndex());
        if (step == (int)(sizeof(steps) / sizeof(steps[0]))) {
            SetModifiers(false, false);
            sheet.PressButton(PSBTN_OK);
            return;
        }
        const KeyStep& k = steps[step];
        SetModifiers(true, k.shift);
        CTestPage* page = static_cast<CTestPage*>(sheet.GetActivePage());
        ::PostMessageW(page->edit.m_hWnd, WM_KEYDOWN, k.key, 1);
        sheet.PostMessage(WM_STEP, step + 1);
    };
    g_sheet = &sheet;
    UINT_PTR safety = SetTimer(nullptr, 0, 10000, SafetyEnd);
    INT_PTR result = sheet.DoModal();
    KillTimer(nullptr, safety);
    g_sheet = nullptr;
    SetModifiers(false, false);

    EXPECT_EQ(IDOK, result);
    ASSERT_EQ(sizeof(steps) / sizeof(steps[0]), active.size());
    for (size_t i = 0; i < active.size(); ++i)
        EXPECT_EQ(steps[i].activeAfter, active[i]) << steps[i].name;
    // Of the keys sent to the last page's edit only Ctrl+C arrived there.
    EXPECT_EQ(std::vector<WPARAM>{ 'C' }, f.plain.edit.keys);
}

class CTestFrame : public CPropPageFrameEx
{
public:
    BOOL themed = FALSE;
    BOOL IsThemed() const override { return themed && CPropPageFrameEx::IsThemed(); }
};

TEST(CPropPageFrameEx, PaintsTheCaptionGradientThemedAndUnthemed)
{
    for (BOOL themed : { FALSE, TRUE }) {
        SCOPED_TRACE(themed ? "themed" : "unthemed");
        CWnd parent;
        ASSERT_TRUE(parent.CreateEx(0, nullptr, L"frame parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                    nullptr));
        CTestFrame frame;
        frame.themed = themed;
        ASSERT_TRUE(frame.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 160), &parent, 0xFFFF));
        EXPECT_STREQ(L"PropPageFrameEx", frame.GetClassName());
        frame.ShowCaption(TRUE);
        frame.SetCaptionHeight(21);
        frame.SetCaption(L"Caption", LoadIconW(nullptr, (LPCWSTR)IDI_APPLICATION));
        EXPECT_EQ(1, frame.GetCaptionImages().GetImageCount());

        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        CBitmap bitmap;
        DWORD* bits = nullptr;
        ASSERT_TRUE(bitmap.CreateDIB32(200, 150, (void**)&bits));
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 200, 150, RGB(1, 2, 3));
        frame.SendMessage(WM_PRINTCLIENT, (WPARAM)dc.m_hDC, PRF_CLIENT);
        GdiFlush();
        auto pixel = [&](int x, int y) {
            DWORD p = bits[y * 200 + x];
            return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        };

        CRect caption = frame.CalcCaptionRect();
        CRect message = frame.CalcMessageRect();
        EXPECT_EQ(21, caption.bottom);
        EXPECT_EQ(22, message.top);
        EXPECT_EQ(GetSysColor(COLOR_INACTIVECAPTION), pixel(caption.left, caption.top + 1));
        if (!themed) {
            EXPECT_EQ(CRect(0, 0, 200, 21), caption);
            EXPECT_EQ(GetSysColor(COLOR_BTNFACE), pixel(199, 149));
        } else {
            EXPECT_NE(RGB(1, 2, 3), pixel(199, 149)); // the theme's pane
        }
        dc.DeleteDC();
        parent.DestroyWindow();
    }
}

} // namespace
