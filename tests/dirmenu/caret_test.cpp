// Where popups open over an edit control.
#include <gtest/gtest.h>
#include "CaretPopupPoint.h"

namespace {

struct EditWindow {
    explicit EditWindow(DWORD style, LPCWSTR text)
    {
        window = CreateWindowExW(0, L"EDIT", text, WS_POPUP | style, 40, 50, 200, 80, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~EditWindow() { DestroyWindow(window); }
    HWND window;
};

POINT CharPoint(HWND edit, int index, int down)
{
    LRESULT answer = SendMessageW(edit, EM_POSFROMCHAR, index, 0);
    POINT point = {(short)LOWORD(answer), (short)HIWORD(answer) + down};
    ClientToScreen(edit, &point);
    return point;
}

TEST(CaretPopupPointTest, MultiLineSingleLineAndEmpty)
{
    EditWindow memo(ES_MULTILINE, L"ab\r\ncdef");
    // At the text's end: under its last character, 15 pixels down.
    POINT end = GetCaretPopupPoint(memo.window, 8, 8);
    POINT last = CharPoint(memo.window, 7, 15);
    EXPECT_EQ(last.x, end.x);
    EXPECT_EQ(last.y, end.y);
    // Inside the text: under the character at the selection start (second line).
    POINT inside = GetCaretPopupPoint(memo.window, 8, 5);
    POINT fifth = CharPoint(memo.window, 5, 15);
    EXPECT_EQ(fifth.x, inside.x);
    EXPECT_EQ(fifth.y, inside.y);
    EXPECT_GT(inside.y, CharPoint(memo.window, 0, 15).y);

    EditWindow empty(ES_MULTILINE, L"");
    POINT origin = {0, 0};
    ClientToScreen(empty.window, &origin);
    POINT point = GetCaretPopupPoint(empty.window, 0, 0);
    EXPECT_EQ(origin.x, point.x);
    EXPECT_EQ(origin.y, point.y);

    EditWindow single(0, L"abc");
    RECT rect;
    GetWindowRect(single.window, &rect);
    point = GetCaretPopupPoint(single.window, 3, 3);
    EXPECT_EQ(rect.left, point.x);
    EXPECT_EQ(rect.bottom + 1, point.y);
}

} // namespace
