// Icon menus built, measured and drawn without tracking: item records,
// measured sizes, the pixels of every style and part, the texts drawn and
// the shared fonts' lifetime.
#include <gtest/gtest.h>
#include "ColorConvert.h"
#include "IconMenuShared.h"
#include "MemoryCanvas.h"
#include "MenuTestSupport.h"

// Menu objects are found by their handles through the application object.
CWinApp theApp(L"IconMenuTests");

namespace {

CSize TextSize(LPCWSTR text, bool bold)
{
    CClientDC dc(nullptr);
    dc.SelectObject(bold ? CIconMenuShared::BoldFont() : CIconMenuShared::NormalFont());
    return dc.GetTextExtent(text, lstrlenW(text));
}

// Item `position` of `menu` drawn into `dc` at `rect`.
void Draw(CIconMenu& menu, UINT position, HDC dc, RECT rect, UINT state = 0)
{
    DRAWITEMSTRUCT dis = {ODT_MENU, 0, menu.GetMenuItemID((int)position), ODA_DRAWENTIRE, state,
                          (HWND)menu.m_hMenu, dc, rect, (ULONG_PTR)menu.GetItem(position, TRUE)};
    menu.DrawItem(&dis);
}

// A menu item 240 x 28 drawn into a picture 60 pixels high.
struct CDrawn : CMemoryCanvas {
    CDrawn(CIconMenu& menu, UINT position, UINT state = 0) : CMemoryCanvas(240, 60)
    {
        Draw(menu, position, dc, {0, 0, 240, 28}, state);
    }
};

HICON GreenIcon()
{
    std::vector<BYTE> opaque(32, 0);
    std::vector<DWORD> green(256, 0x00FF00);
    return CreateIcon(nullptr, 16, 16, 1, 32, opaque.data(), (const BYTE*)green.data());
}

} // namespace

TEST(IconMenuBuild, RecordsAndMeasuredSizes)
{
    CIconMenu menu;
    menu.SetIconSize(20);
    menu.SetIndent(5);
    menu.AddItem(L"&Open", 11);
    menu.AddItemWithHint(L"Copy", L"Ctrl+C", 12);
    menu.AddItem(L"", 0, MF_SEPARATOR);
    menu.AddItem(L"Drives", 0, MF_SEPARATOR);
    auto* bold = new IconMenuItem;
    bold->caption = L"&Open";
    ASSERT_TRUE(menu.InsertItem(13, bold, MFS_DEFAULT, 1)); // before "Copy"
    auto* sub = new CIconMenu;
    sub->SetIconSize(48); // the parent's size holds for the item in the parent
    ASSERT_TRUE(menu.AddSubmenu(sub, L"More"));
    EXPECT_EQ(6, menu.GetItemCount());
    EXPECT_EQ(bold, menu.GetItem(13, FALSE));
    EXPECT_EQ(&menu, sub->GetParentMenu());

    // Records follow the insert; width: indent + icon + text + 6; height:
    // the larger of icon and text plus 4, a titled separator's text (at
    // least 5) plus 4, a plain line 4. The default item is measured bold.
    const LPCWSTR captions[] = {L"&Open", L"&Open", L"Copy\tCtrl+C", L"", L"Drives", L"More"};
    for (UINT i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const IconMenuItem* item = menu.GetItem(i, TRUE);
        ASSERT_TRUE(item);
        EXPECT_EQ((int)i, item->position);
        EXPECT_STREQ(captions[i], item->caption);
        EXPECT_EQ(i == 3 || i == 4, item->IsSeparator());
        CSize text = TextSize(captions[i], i == 1);
        int height = !item->IsSeparator() ? std::max(20, (int)text.cy) + 4
                     : item->caption.IsEmpty() ? 4 : std::max((int)text.cy, 5) + 4;
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, menu.GetMenuItemID((int)i), 0, 0, (ULONG_PTR)item};
        if (i == 5)
            mis.itemID = (UINT)(UINT_PTR)sub->m_hMenu; // measured through the submenu
        (i == 5 ? *sub : menu).MeasureItem(&mis);
        EXPECT_EQ(5 + 20 + text.cx + 6, (int)mis.itemWidth);
        EXPECT_EQ(height, (int)mis.itemHeight);
    }
}

TEST(IconMenuBuild, SharedFontsLiveWithTheLastMenu)
{
    HFONT normal, bold;
    HMENU subHandle;
    {
        CIconMenu menu;
        normal = CIconMenuShared::NormalFont();
        bold = CIconMenuShared::BoldFont();
        delete new CIconMenu; // an empty submenu dropped while the menu is built
        EXPECT_EQ((DWORD)OBJ_FONT, GetObjectType(normal));
        auto* sub = new CIconMenu;
        subHandle = sub->m_hMenu;
        menu.AddSubmenu(sub, L"sub");
        EXPECT_EQ(2, CIconMenuShared::FontReferences());
    }
    EXPECT_EQ(0u, GetObjectType(normal));
    EXPECT_EQ(0u, GetObjectType(bold));
    EXPECT_FALSE(IsMenu(subHandle));
}

TEST(IconMenuDraw, CaptionStylesByPixels)
{
    const int bar = 16 + 6; // icon size, no indent
    for (int style = 1; style <= 5; ++style) {
        MenuColors colors = TestColors(style);
        CIconMenu menu;
        menu.SetColors(colors);
        menu.SetIconSize(16);
        menu.AddItem(L"Item", 1);
        menu.AddItem(L"Title", 0, MF_SEPARATOR);
        struct Mode { const char* name; UINT position, state; int left; COLORREF c1, c2; } modes[] = {
            {"normal", 0, 0, bar, colors.menu1st, colors.menu2nd},
            {"selected", 0, ODS_SELECTED, bar, colors.select1st, colors.select2nd},
            {"separator", 1, 0, 0, colors.separator1st, colors.separator2nd},
        };
        for (const Mode& m : modes) {
            SCOPED_TRACE(testing::Message() << m.name << " style " << style);
            CDrawn d(menu, m.position, m.state);
            // Top left and bottom right of the caption's background.
            DWORD expected[5][2] = {
                {GradientAt(m.c1, m.c2, 240 - m.left, 0), BandColor(m.c1, m.c2, 254)}, // horizontal
                {GradientAt(m.c1, m.c2, 28, 0), BandColor(m.c1, m.c2, 254)},           // vertical
                {GradientAt(m.c1, m.c2, 14, 0), BandColor(m.c2, m.c1, 254)},           // to the middle and back
                {Hex(m.c2), Hex(m.c2)},                                                // framed
                {Hex(m.c1), Hex(m.c1)},                                                // plain
            };
            EXPECT_EQ(expected[style - 1][0], d.At(m.left, 0));
            EXPECT_EQ(expected[style - 1][1], d.At(239, 27));
            if (style >= 4) {
                EXPECT_EQ(Hex(m.c1), d.At(m.left + 1, 1));
            }
            if (m.position == 0) {
                EXPECT_EQ(Hex(colors.iconBar), d.At(bar - 1, 14));
            }
        }
    }
    MenuColors equal = TestColors(1); // equal colours: plain
    equal.menu2nd = equal.menu1st;
    CIconMenu menu;
    menu.SetColors(equal);
    menu.AddItem(L"Item", 1);
    EXPECT_EQ(Hex(equal.menu1st), CDrawn(menu, 0).At(239, 0));
}

TEST(IconMenuDraw, LineGreyTextIconMarkAndBelowTheLastItem)
{
    MenuColors colors = TestColors(5);
    CIconMenu menu;
    menu.SetColors(colors);
    menu.SetIconSize(16);
    menu.SetIndent(2);
    menu.AddItem(L"", 0, MF_SEPARATOR);
    menu.AddItem(L"MIMI HIH Gone", 1);
    EnableMenuItem(menu, 1, MF_BYPOSITION | MF_GRAYED);
    auto* marked = new IconMenuItem;
    marked->caption = L"Marked";
    marked->mark = 1;
    marked->markColor = RGB(1, 2, 3);
    marked->icon = GreenIcon();
    menu.InsertItem(2, marked, 0);

    // The line: a row in the menu colours darker by 40 %, one lighter by 40 %.
    CDrawn line(menu, 0);
    for (int row = 0; row < 3; ++row) {
        int percent = row == 1 ? -40 : row == 2 ? 40 : 0;
        auto adjust = [percent](COLORREF c) { return percent ? AdjustColor(c, percent, 0) : c; };
        EXPECT_EQ(GradientAt(adjust(colors.menu1st), adjust(colors.menu2nd), 240, 0), line.At(0, row));
    }
    // A greyed item's text is grey, never the menu's text colour.
    CDrawn grey(menu, 1);
    int greyPixels = 0, textPixels = 0;
    for (int i = 0; i < 240 * 28; ++i) {
        greyPixels += grey.At(i % 240, i / 240) == 0x7F7F7F;
        textPixels += grey.At(i % 240, i / 240) == Hex(colors.menuText);
    }
    EXPECT_GT(greyPixels, 10);
    EXPECT_EQ(0, textPixels);

    for (BOOL noIcons : {FALSE, TRUE}) {
        menu.SetNoIcons(noIcons);
        CDrawn last(menu, 2);
        EXPECT_EQ(noIcons ? Hex(colors.iconBar) : 0x00FF00u, last.At(4 + 8, 2 + 8)); // the icon at (4, 2)
        const int x = 2 + 16; // the mark: x + 3 and x + 4, from top + 1 to bottom - 2
        EXPECT_EQ(0x010203u, last.At(x + 3, 1));
        EXPECT_EQ(0x010203u, last.At(x + 4, 26));
        EXPECT_NE(0x010203u, last.At(x + 3, 27));
        EXPECT_NE(0x010203u, last.At(x + 5, 14));
        // Below the last item: the icon bar and the menu's gradient.
        EXPECT_EQ(Hex(colors.iconBar), last.At(1, 40));
        EXPECT_EQ(GradientAt(colors.menu1st, colors.menu2nd, 240 - (x + 6), 0), last.At(x + 6, 40));
    }
    DestroyIcon(marked->icon);
}

TEST(IconMenuDraw, TabSplitsOffARightAlignedPart)
{
    CIconMenu menu;
    menu.SetIconSize(16);
    menu.AddItemWithHint(L"Copy", L"Ctrl+C", 1);
    menu.AddItem(L"Plain", 2);
    for (UINT position : {0u, 1u}) {
        HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        Draw(menu, position, dc, {0, 0, 300, 24});
        HENHMETAFILE emf = CloseEnhMetaFile(dc);
        std::vector<std::pair<CString, int>> texts; // text, x
        EnumEnhMetaFile(nullptr, emf, [](HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM data) -> int {
            auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(r);
            if (r->iType == EMR_EXTTEXTOUTW && text->emrtext.nChars) // (solid fills are empty texts)
                reinterpret_cast<std::vector<std::pair<CString, int>>*>(data)->push_back(
                    {CString((LPCWSTR)((const BYTE*)r + text->emrtext.offString), (int)text->emrtext.nChars),
                     (int)text->emrtext.ptlReference.x});
            return 1;
        }, &texts, nullptr);
        DeleteEnhMetaFile(emf);
        auto expected = position == 0
            ? std::vector<std::pair<CString, int>>{{L"Copy", 22 + 4}, {L"Ctrl+C ", 300 - TextSize(L"Ctrl+C ", false).cx}}
            : std::vector<std::pair<CString, int>>{{L"Plain", 22 + 4}};
        EXPECT_EQ(expected, texts);
    }
}
