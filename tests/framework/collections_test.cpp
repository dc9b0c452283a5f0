// Arrays, maps and geometry.
#include "Framework.h"
#include <gtest/gtest.h>
#include <map>

TEST(CArrayTest, GrowthIsGeometric)
{
    CDWordArray a;
    int reallocations = 0;
    const DWORD* last = nullptr;
    for (DWORD i = 0; i < 100000; ++i) {
        a.Add(i);
        if (a.GetData() != last) {
            ++reallocations;
            last = a.GetData();
        }
    }
    EXPECT_EQ(100000, a.GetSize());
    EXPECT_LT(reallocations, 40);
    EXPECT_EQ(99999u, a[99999]);

    // SetSize value-initialises new elements and a fixed step is honoured.
    CUIntArray b;
    b.SetSize(3, 10);
    EXPECT_EQ(0u, b[2]);
    EXPECT_EQ(10, b.GetCapacity());
    b.SetSize(11);
    EXPECT_EQ(20, b.GetCapacity());
}

TEST(CArrayTest, InsertRemoveWithObjects)
{
    CStringArray a;
    a.Add(L"b");
    a.Add(L"d");
    a.InsertAt(0, L"a");
    a.InsertAt(2, L"c");
    a.InsertAt(4, L"e", 2);
    ASSERT_EQ(6, a.GetCount());
    CString joined;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        joined += a[i];
    EXPECT_STREQ(L"abcdee", (LPCWSTR)joined);

    a.InsertAt(8, L"g"); // past the end: grows with empty strings
    EXPECT_EQ(9, a.GetSize());
    EXPECT_TRUE(a[7].IsEmpty());
    EXPECT_STREQ(L"g", (LPCWSTR)a[8]);

    a.RemoveAt(1, 2);
    EXPECT_STREQ(L"d", (LPCWSTR)a[1]);
    a.RemoveAt(5, 100); // clipped at the end
    EXPECT_EQ(5, a.GetSize());
    a.RemoveAt(-1);
    a.RemoveAt(5);
    EXPECT_EQ(5, a.GetSize());

    // Adding an element of the array itself while it reallocates.
    CStringArray self;
    self.Add(L"first element, long enough to live on the heap");
    for (int i = 0; i < 50; ++i)
        self.Add(self[0]);
    EXPECT_STREQ((LPCWSTR)self[0], (LPCWSTR)self[50]);
    self.InsertAt(0, self[10], 3);
    EXPECT_EQ(self[0], self[13]);

    CStringArray copy;
    copy.Copy(a);
    copy.Append(copy);
    EXPECT_EQ(10, copy.GetSize());
    EXPECT_EQ(copy[0], copy[5]);
    copy.InsertAt(1, &a);
    EXPECT_EQ(15, copy.GetSize());
    EXPECT_EQ(a[4], copy[5]);
    copy.SetAt(99, L"ignored");
    copy.RemoveAll();
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(CMapTest, LookupSetRemove)
{
    CMapStringToString m;
    m.SetAt(L"one", L"1");
    m[L"two"] = L"2";
    m[L"one"] = L"uno"; // replaces
    EXPECT_EQ(2, m.GetCount());
    CString v;
    EXPECT_TRUE(m.Lookup(L"one", v));
    EXPECT_STREQ(L"uno", (LPCWSTR)v);
    EXPECT_FALSE(m.Lookup(L"ONE", v)); // keys are case-sensitive
    EXPECT_TRUE(m.RemoveKey(L"one"));
    EXPECT_FALSE(m.RemoveKey(L"one"));
    EXPECT_FALSE(m.Lookup(L"one", v));
    EXPECT_EQ(1, m.GetCount());

    CMapStringToPtr p;
    int x = 0;
    p.SetAt(CString(L"k"), &x);
    void* got = nullptr;
    EXPECT_TRUE(p.Lookup(L"k", got));
    EXPECT_EQ(&x, got);
}

TEST(CMapTest, IterationGrowthAndRemovalWhileIterating)
{
    CMap<int, int, int, int> m;
    std::map<int, int> expect;
    for (int i = 0; i < 1000; ++i) {
        m[i * 7] = i;
        expect[i * 7] = i;
    }
    EXPECT_GT(m.GetHashTableSize(), 17u); // rehashed as it grew
    std::map<int, int> seen;
    POSITION pos = m.GetStartPosition();
    while (pos) {
        int k, v;
        m.GetNextAssoc(pos, k, v);
        EXPECT_TRUE(seen.emplace(k, v).second);
        if (k % 2)
            m.RemoveKey(k); // the entry just returned may go
    }
    EXPECT_EQ(expect, seen);
    EXPECT_EQ(500, m.GetCount());
    int v;
    EXPECT_FALSE(m.Lookup(7, v));
    EXPECT_TRUE(m.Lookup(14, v));
    EXPECT_EQ(2, v);
    m.RemoveAll();
    EXPECT_EQ(nullptr, m.GetStartPosition());
}

TEST(Geometry, RectOperations)
{
    CRect r(10, 20, 50, 60);
    EXPECT_EQ(40, r.Width());
    EXPECT_EQ(CPoint(30, 40), r.CenterPoint());
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(50, 59))); // right edge is outside
    r.OffsetRect(5, -5);
    EXPECT_EQ(CRect(15, 15, 55, 55), r);
    r.DeflateRect(5, 5);
    r.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(19, 18, 53, 54), r);
    r.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(53, r.right);

    CRect a(0, 0, 10, 10), b(5, 5, 20, 20), c(30, 30, 40, 40), i;
    EXPECT_TRUE(i.IntersectRect(a, b));
    EXPECT_EQ(CRect(5, 5, 10, 10), i);
    EXPECT_FALSE(i.IntersectRect(a, c));
    EXPECT_TRUE(i.IsRectNull());
    EXPECT_EQ(CRect(0, 0, 40, 40), a | c);
    EXPECT_EQ(a, a | CRect());

    CRect n(10, 10, 0, 0);
    EXPECT_TRUE(n.IsRectEmpty());
    n.NormalizeRect();
    EXPECT_EQ(a, n);
    EXPECT_EQ(CSize(3, 4), CPoint(5, 6) - CPoint(2, 2));
    EXPECT_EQ(CPoint(1, 2), CPoint(MAKELPARAM(1, 2)));
    EXPECT_EQ(CPoint(-1, 2), CPoint(MAKELPARAM(-1, 2)));
}
