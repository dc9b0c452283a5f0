// Run-time classes, drawing objects, device contexts and image lists: every
// wrapper releases what it made and leaves what it was given.
#include "Framework.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

class CCreatableList : public CListBox
{
    DECLARE_DYNCREATE(CCreatableList)
};
IMPLEMENT_DYNCREATE(CCreatableList, CListBox)

TEST(CRuntimeClassTest, NamesKindsAndCreation)
{
    CListBox list;
    CCreatableList creatable;
    CPen pen;
    const struct
    {
        const CObject* object;
        const CRuntimeClass* of;
        bool kind;
    } kinds[] = {
        { &list, RUNTIME_CLASS(CWnd), true },          { &list, RUNTIME_CLASS(CComboBox), false },
        { &creatable, RUNTIME_CLASS(CListBox), true }, { &creatable, RUNTIME_CLASS(CObject), true },
        { &pen, RUNTIME_CLASS(CGdiObject), true },     { &pen, RUNTIME_CLASS(CWnd), false },
        { &pen, nullptr, false },
    };
    for (const auto& k : kinds)
        EXPECT_EQ(k.kind, !!k.object->IsKindOf(k.of)) << k.object->GetRuntimeClassName();
    EXPECT_STREQ("CListBox", list.GetRuntimeClassName());
    EXPECT_STREQ("CCreatableList", creatable.GetRuntimeClassName());

    std::unique_ptr<CObject> made(RUNTIME_CLASS(CCreatableList)->CreateObject());
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CCreatableList)));
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CListBox)->CreateObject()); // not creatable at run time
}

TEST(CGdiObjectTest, WrappersDeleteWhatTheyMadeOnly)
{
    const std::pair<const char*, std::function<CGdiObject*()>> makers[] = {
        { "pen", [] { auto* p = new CPen; p->CreatePen(PS_SOLID, 2, RGB(1, 2, 3)); return p; } },
        { "brush", [] { auto* p = new CBrush; p->CreateHatchBrush(HS_CROSS, RGB(1, 2, 3)); return p; } },
        { "font", [] { auto* p = new CFont; p->CreatePointFont(90, L"Tahoma"); return p; } },
        { "bitmap", [] { auto* p = new CBitmap; p->CreateCompatibleBitmap(nullptr, 8, 8); return p; } },
        { "dib", [] { auto* p = new CBitmap; p->CreateDIB32(8, 8); return p; } },
        { "palette", [] {
              LOGPALETTE lp = { 0x300, 1, { { 255, 0, 0, 0 } } };
              auto* p = new CPalette;
              p->CreatePalette(&lp);
              return p;
          } },
        { "region", [] { auto* p = new CRgn; p->CreateRectRgn(0, 0, 4, 4); return p; } },
    };
    LONG start = AfxGetGdiResourceCount();
    for (const auto& m : makers) {
        SCOPED_TRACE(m.first);
        std::unique_ptr<CGdiObject> made(m.second());
        HGDIOBJ h = made->m_hObject;
        ASSERT_TRUE(h);
        EXPECT_EQ(start + 1, AfxGetGdiResourceCount());
        made.reset();
        EXPECT_EQ(start, AfxGetGdiResourceCount());
        EXPECT_EQ(0u, GetObjectType(h)); // really gone

        // A wrapper that was given the object leaves it alone.
        made.reset(m.second());
        h = made->Detach();
        EXPECT_EQ(start, AfxGetGdiResourceCount());
        {
            CGdiObject given;
            EXPECT_TRUE(given.Attach(h));
        }
        EXPECT_NE(0u, GetObjectType(h));
        DeleteObject(h);
    }
}

// A 16 x 16 icon of one colour.
HICON SolidIcon(COLORREF color)
{
    CBitmap image, mask;
    DWORD* bits = nullptr;
    image.CreateDIB32(16, 16, reinterpret_cast<void**>(&bits));
    for (int i = 0; i < 256; ++i)
        bits[i] = 0xFF000000 | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    BYTE zeros[32] = {};
    mask.CreateBitmap(16, 16, 1, 1, zeros);
    ICONINFO ii = { TRUE, 0, 0, mask, image };
    return CreateIconIndirect(&ii);
}

TEST(CDCTest, DrawingThroughWrappersReleasesEverything)
{
    LONG start = AfxGetGdiResourceCount();
    HICON red = SolidIcon(RGB(255, 0, 0));
    HICON blue = SolidIcon(RGB(0, 0, 255));
    HDC memHandle = nullptr;
    {
        CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
        CBrush brush(RGB(0, 255, 0));
        CMemoryDC mem(nullptr, 32, 32);
        ASSERT_TRUE(mem.m_hDC);
        memHandle = mem.m_hDC;
        EXPECT_EQ(start + 4, AfxGetGdiResourceCount()); // pen, brush, DC, its bitmap
        EXPECT_EQ(GetStockObject(BLACK_PEN), mem.SelectObject(&pen));
        EXPECT_EQ(GetStockObject(WHITE_BRUSH), mem.SelectObject(&brush));
        mem.FillSolidRect(0, 0, 32, 32, RGB(255, 255, 255));
        mem.Rectangle(0, 0, 10, 10);
        EXPECT_EQ(RGB(0, 0, 255), mem.GetPixel(0, 5)); // the pen's edge
        EXPECT_EQ(RGB(0, 255, 0), mem.GetPixel(5, 5)); // the brush inside

        CImageList images;
        ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1));
        EXPECT_EQ(0, images.Add(red));
        EXPECT_EQ(1, images.Add(red));
        EXPECT_TRUE(images.Replace(1, blue));
        EXPECT_TRUE(images.Draw(&mem, 1, CPoint(16, 16), ILD_NORMAL));
        EXPECT_EQ(RGB(0, 0, 255), mem.GetPixel(20, 20));
        EXPECT_TRUE(images.Remove(0));
        EXPECT_EQ(1, images.GetImageCount());
        EXPECT_EQ(start + 5, AfxGetGdiResourceCount());

        CClientDC screen(nullptr);
        EXPECT_TRUE(screen.m_hDC);
        EXPECT_EQ(start + 6, AfxGetGdiResourceCount());
    }
    EXPECT_EQ(start, AfxGetGdiResourceCount());
    EXPECT_EQ(0u, GetObjectType(memHandle));

    // Attached DCs and image lists stay with their owner.
    HDC given = CreateCompatibleDC(nullptr);
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 0, 1);
    {
        CDC dc;
        CImageList images;
        EXPECT_TRUE(dc.Attach(given));
        EXPECT_TRUE(images.Attach(list));
    }
    EXPECT_NE(0u, GetObjectType(given));
    EXPECT_TRUE(ImageList_Destroy(list));
    DeleteDC(given);
    DestroyIcon(red);
    DestroyIcon(blue);
    EXPECT_EQ(start, AfxGetGdiResourceCount());
}

} // namespace
