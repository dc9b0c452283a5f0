// The categorised list (rows, filters, drawing, tooltips and the parent's
// messages) and the combo box with headings.
#include "CatCombo.h"
#include "CatList.h"
#include "MemoryCanvas.h"
#include "WinApp.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

CWinApp theApp(L"CatListTest");

namespace {

const UINT kListId = 1065;
const UINT kComboId = 1066;

// A window with the list and the combo; it answers the list's messages
// through the given functions and records the combo's notifications.
class CListParent : public CWnd
{
public:
    CCatList list;
    CCatCombo combo;
    std::function<LRESULT(const _CLItem&, LPARAM)> matchKeys; // none: not handled
    std::function<CString(const _CLItem&)> tipText;
    std::vector<LPARAM> masks;
    std::vector<WORD> comboCodes;

    explicit CListParent(CCommandList* rows)
    {
        CreateEx(0, AfxRegisterWndClass(0), L"list", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 420, 360, nullptr,
                 nullptr);
        list.Create(WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                    CRect(0, 0, 400, 200), this, kListId);
        list.SetFont((HFONT)GetStockObject(DEFAULT_GUI_FONT));
        list.SetCommandList(rows);
        combo.Create(WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                     CRect(0, 210, 200, 400), this, kComboId);
    }
    ~CListParent() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WMU_CATLIST_MATCHKEYS && matchKeys) {
            masks.push_back(lParam);
            return matchKeys(*(const _CLItem*)wParam, lParam);
        }
        if (message == WMU_CATLIST_TOOLTIP && tipText) {
            *(CString*)lParam = tipText(*(const _CLItem*)wParam);
            return 1;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == kComboId)
            comboCodes.push_back(HIWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // The rows the list shows, in order.
    std::vector<int> Shown() const
    {
        std::vector<int> rows;
        for (int i = 0; i < list.GetCount(); ++i)
            rows.push_back((int)list.GetItemData(i));
        return rows;
    }
};

// Rows 0-6: two categories with commands of each hotkey kind and an empty one.
void FillRows(CCommandList& rows)
{
    rows.AddRow(L"Files", L"", L"", RowGroup);
    rows.AddRow(L"cm_Copy", L"3101", L"Copy files", RowOwnKey);
    rows.AddRow(L"cm_Edit", L"904", L"Edit", RowHostKey);
    rows.AddRow(L"cm_Y", L"6", L"Y command", 0);
    rows.AddRow(L"Empty", L"", L"", RowGroup);
    rows.AddRow(L"Tools", L"", L"", RowGroup);
    rows.AddRow(L"cm_Zip", L"508",
                L"Packs the selected files into an archive whose name and format the dialog that opens asks for",
                RowDefaultKey);
}

DWORD Rgb(COLORREF c)
{
    return ::Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace

TEST(CatList, AddItemTextSplitsLikeTheCommandList)
{
    const struct
    {
        LPCWSTR text;
        LPCWSTR name, number, description;
    } cases[] = {
        { L"a=1;b", L"a", L"1", L"b" },
        { L"a=1", L"a", L"N/A", L"N/A" },
        { L"a", L"a", L"", L"" },
        { L"  cm_X = 12 ; two words  ", L"cm_X", L"12", L"two words" },
    };
    CCommandList rows(CCommandList::LiteralCommands);
    CCatList list;
    EXPECT_EQ(-1, list.AddItemText(L"a=1", 0)); // no command list yet
    list.SetCommandList(&rows);
    for (const auto& c : cases) {
        int row = list.AddItemText(c.text, 0);
        ASSERT_NE(nullptr, list.ItemAt(row));
        EXPECT_STREQ(c.name, list.ItemAt(row)->strName);
        EXPECT_STREQ(c.number, list.ItemAt(row)->strNumber);
        EXPECT_STREQ(c.description, list.ItemAt(row)->strDescription);
    }
    EXPECT_EQ(nullptr, list.ItemAt(-1));
}

TEST(CatList, FilterByFlagsTextAndModifiers)
{
    CCommandList rows(CCommandList::HostCommands);
    FillRows(rows);
    CListParent parent(&rows);
    const struct
    {
        const char* name;
        DWORD mask;
        LPCWSTR filter;
        BOOL hide;
        std::vector<int> shown;
    } cases[] = {
        { "All", 0, L"", FALSE, { 0, 1, 2, 3, 4, 5, 6 } },
        { "WithoutOwnKey", 0x80000002, L"", FALSE, { 0, 2, 3, 4, 5, 6 } },
        { "Unassigned", 0x80000032, L"", TRUE, { 0, 3 } },
        { "OwnOnly", 0x02, L"", TRUE, { 0, 1 } },
        { "AnyKey", 0x32, L"", TRUE, { 0, 1, 2, 5, 6 } },
        { "Name", 0, L"COPY", TRUE, { 0, 1 } },
        { "Description", 0, L"archive", TRUE, { 5, 6 } },
        { "Number", 0, L"90", TRUE, { 0, 2 } },
        { "NothingGroupsKept", 0, L"nothing", FALSE, { 0, 4, 5 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        parent.list.FillFiltered(c.filter, c.mask, FALSE, c.hide);
        EXPECT_EQ(c.shown, parent.Shown());
    }

    // The selection stays on its row while the row is shown.
    parent.list.FillFiltered(L"", 0, FALSE, FALSE);
    parent.list.SetCurSel(3);
    EXPECT_EQ(2, parent.list.FillFiltered(L"y", 0, FALSE, TRUE));
    EXPECT_STREQ(L"cm_Y", parent.list.SelectedItem()->strName);
    EXPECT_EQ(-1, parent.list.FillFiltered(L"zip", 0, FALSE, TRUE));
    EXPECT_EQ(nullptr, parent.list.SelectedItem());
    // Item data 0 is never a row.
    parent.list.FillFiltered(L"", 0, FALSE, FALSE);
    parent.list.SetCurSel(0);
    EXPECT_EQ(nullptr, parent.list.SelectedItem());
    EXPECT_STREQ(L"cm_Edit", parent.list.SelectedItem(2)->strName);

    // Modifier mode: the parent decides, with the letters' mask.
    parent.list.FillFiltered(L"sc", 0, TRUE, TRUE);
    EXPECT_TRUE(parent.Shown().empty()); // not handled: no row passes
    parent.matchKeys = [](const _CLItem& row, LPARAM) { return row.strName == L"cm_Edit" ? 1 : 0; };
    parent.list.FillFiltered(L"sc", 0, TRUE, TRUE);
    EXPECT_EQ(std::vector<int>({ 0, 2 }), parent.Shown());
    ASSERT_FALSE(parent.masks.empty());
    EXPECT_EQ(2 | 8, parent.masks.back());
    EXPECT_TRUE(parent.list.RowPassesFilter(0, L"wa", 2, TRUE));
    EXPECT_EQ(1 | 4, parent.masks.back());
    EXPECT_FALSE(parent.list.RowPassesFilter(0x80000020, L"", 2, FALSE));
}

TEST(CatList, FindAndRemoveRows)
{
    CCommandList rows(CCommandList::LiteralCommands);
    FillRows(rows);
    rows.SetExtra(6, L"Packer,2");
    CCatList list;
    list.SetCommandList(&rows);
    const struct
    {
        LPCWSTR text;
        BOOL exact;
        int row;
    } finds[] = { { L"cm_", FALSE, 6 }, { L"CM_COPY", TRUE, 1 }, { L"cm_", TRUE, -1 }, { L"edi", FALSE, 2 } };
    for (const auto& f : finds)
        EXPECT_EQ(f.row, list.FindItem(f.text, f.exact)) << CStringA(f.text).GetString();
    EXPECT_EQ(6, list.FindItemByExtra(L"packer,2"));
    EXPECT_EQ(-1, list.FindItemByExtra(L"Packer"));
    const int groups[][2] = { { 3, 0 }, { 6, 5 }, { 0, 0 }, { 4, 4 }, { -1, -1 }, { 7, -1 } };
    for (const auto& g : groups)
        EXPECT_EQ(g[1], list.FindGroupRow(g[0])) << g[0];

    EXPECT_EQ(0, list.RemoveGroup(99));
    EXPECT_EQ(1, list.RemoveGroup(4)); // the empty group
    EXPECT_EQ(4, list.RemoveGroup(0));
    ASSERT_EQ(2, rows.GetCount());
    EXPECT_STREQ(L"Tools", rows.GetAt(0).strName);
    EXPECT_EQ(1, rows.FindCommand(L"cm_Zip"));
    EXPECT_EQ(-1, rows.FindCommand(L"cm_Copy"));
}

TEST(CatList, ColoursCutDescriptionsAndTooltips)
{
    CCommandList rows(CCommandList::HostCommands);
    FillRows(rows);
    CListParent parent(&rows);
    parent.list.FillFiltered(L"", 0, FALSE, FALSE);
    parent.list.SetCurSel(3); // cm_Y, selected
    CRect client;
    parent.list.GetClientRect(&client);
    CMemoryCanvas canvas(client.Width(), client.Height());
    parent.list.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc, PRF_CLIENT);

    auto rowHas = [&](int entry, COLORREF colour) {
        CRect r;
        parent.list.GetItemRect(entry, &r);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (canvas.At(x, y) == Rgb(colour))
                    return true;
        return false;
    };
    CRect group;
    parent.list.GetItemRect(0, &group);
    EXPECT_EQ(Rgb(GetSysColor(COLOR_BTNFACE)), canvas.At(group.right - 3, group.top + 2));
    EXPECT_TRUE(rowHas(1, RGB(128, 0, 0)));   // own key
    EXPECT_TRUE(rowHas(2, RGB(0, 64, 0)));    // host key
    EXPECT_TRUE(rowHas(6, RGB(128, 0, 128))); // default key
    CRect selected;
    parent.list.GetItemRect(3, &selected);
    EXPECT_EQ(Rgb(GetSysColor(COLOR_HIGHLIGHT)), canvas.At(selected.right - 3, selected.top + 2));
    EXPECT_TRUE(rowHas(3, GetSysColor(COLOR_HIGHLIGHTTEXT)));
    EXPECT_FALSE(rowHas(2, RGB(128, 0, 0)));

    // Only the long description was cut, and only it tips.
    EXPECT_TRUE(rows.GetAt(6).nFlags & RowTipDescription);
    EXPECT_FALSE(rows.GetAt(1).nFlags & RowTipDescription);
    EXPECT_GT(parent.list.GetNameColumnWidth(), 50);

    auto tipAt = [&](int entry) {
        CRect r;
        parent.list.GetItemRect(entry, &r);
        parent.list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 5, r.top + 2));
        return parent.list.GetTipText();
    };
    EXPECT_STREQ(rows.GetAt(6).strDescription, tipAt(6));
    EXPECT_STREQ(L"", tipAt(1));
    parent.tipText = [](const _CLItem& row) { return row.strName == L"cm_Zip" ? CString(L"Ctrl+Z; F7") : CString(); };
    EXPECT_STREQ(rows.GetAt(6).strDescription + L"\r\nCtrl+Z; F7", tipAt(6));
    EXPECT_STREQ(L"", tipAt(1));
    parent.tipText = [](const _CLItem&) { return CString(L"F5; Ctrl+C"); };
    EXPECT_STREQ(L"F5; Ctrl+C", tipAt(1));
    // Below the last entry there is no row; a press there selects nothing.
    parent.list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, client.bottom - 2));
    EXPECT_STREQ(L"", parent.list.GetTipText());
    parent.list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, client.bottom - 2));
    parent.list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, client.bottom - 2));
    EXPECT_EQ(3, parent.list.GetCurSel());
}

TEST(CatCombo, HeadingsCannotBeChosen)
{
    CCommandList rows(CCommandList::HostCommands);
    CListParent parent(&rows);
    CCatCombo& combo = parent.combo;
    const struct
    {
        LPCWSTR text;
        DWORD_PTR data;
    } entries[] = { { L"Standard", 1 }, { L"one", 0 }, { L"two", 0 }, { L"Custom", 1 }, { L"three", 0 } };
    for (const auto& e : entries)
        combo.SetItemData(combo.AddString(e.text), e.data);
    combo.SetFocus();

    // Arrowing onto a heading moves on; the parent hears nothing of it.
    combo.SetCurSel(2);
    combo.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(4, combo.GetCurSel());
    EXPECT_TRUE(std::find(parent.comboCodes.begin(), parent.comboCodes.end(), (WORD)CBN_SELCHANGE) ==
                parent.comboCodes.end());

    // Clicks on a heading of the drop-down list go nowhere.
    combo.ShowDropDown(TRUE);
    HWND drop = combo.GetDropList();
    ASSERT_NE(nullptr, drop);
    RECT heading;
    SendMessageW(drop, LB_GETITEMRECT, 3, (LPARAM)&heading);
    SendMessageW(drop, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(heading.left + 5, heading.top + 2));
    SendMessageW(drop, WM_LBUTTONUP, 0, MAKELPARAM(heading.left + 5, heading.top + 2));
    EXPECT_EQ(4, combo.GetCurSel());

    // Space: closed, nothing selected, CBN_SELENDOK to the parent.
    combo.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(-1, combo.GetCurSel());
    ASSERT_FALSE(parent.comboCodes.empty());
    EXPECT_EQ(CBN_SELENDOK, parent.comboCodes.back());
}
