// The module library loaded by name, its exports called as the engine calls
// them, with the text of a real edit control.
#include "NumbraLoader.h"
#include <gtest/gtest.h>

TEST(NumbraDll, ExportsAndCommandTable)
{
    CNumbraLoader numbra;
    ASSERT_NE(numbra.Module(), nullptr);
    ASSERT_TRUE(numbra.getInfo && numbra.load && numbra.unload && numbra.process && numbra.getCount);
    ModuleInfo* info = numbra.getInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_STREQ(info->name, L"Calculator");
    EXPECT_EQ(info->flags, (UINT)EditOnly);
    EXPECT_EQ(info->width, -1);
    EXPECT_EQ(info->height, -1);
    ASSERT_EQ(info->commandCount, 6);
    const wchar_t* texts[] = {
        L"Hex|Shows output in hex format",
        L"Dec|Shows output in decimal format",
        L"Bin|Shows output in binary format",
        L"Var&&Const|Shows variables, constants and functions list",
        L"History|Shows evaluation history",
        L"Science|Shows output in science notation",
    };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(info->commands[i].id, i + 1);
        EXPECT_STREQ(info->commands[i].text, texts[i]);
    }
    POINT point = {10, 20};
    EXPECT_EQ(numbra.load(nullptr, &point), 1);
    EXPECT_EQ(numbra.getCount(), 0);
    numbra.unload();
    EXPECT_EQ(numbra.getInfo(), info);
}

TEST(NumbraDll, EvaluatesTheTextOfAnEditControl)
{
    CNumbraLoader numbra("[Config]\r\nCommentDelimiter=#\r\n");
    ASSERT_NE(numbra.process, nullptr);
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 24, nullptr, nullptr,
        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);

    // Typed text, caret at the end; the engine fills the request from it.
    auto run = [&](const wchar_t* typed, int command, EditRequest& request) {
        SetWindowTextW(edit, typed);
        SendMessageW(edit, EM_SETSEL, 3, 3);
        request = EditRequest();
        GetWindowTextW(edit, request.text, ModuleTextLength);
        SendMessageW(edit, EM_GETSEL, (WPARAM)&request.selStart, (LPARAM)&request.selEnd);
        request.window = edit;
        int result = numbra.process(&request, command);
        if (result == ResultSetText)
            SetWindowTextW(edit, request.text);
        return result;
    };
    WCHAR text[ModuleTextLength];
    EditRequest request;
    EXPECT_EQ(run(L"1+2", 2, request), ResultSetText);
    GetWindowTextW(edit, text, ModuleTextLength);
    EXPECT_STREQ(text, L"3");
    EXPECT_EQ(request.selStart, 0);
    EXPECT_EQ(request.selEnd, 0);

    EXPECT_EQ(run(L"255.4", 1, request), ResultSetText);
    EXPECT_STREQ(request.text, L"0xFF");
    EXPECT_EQ(run(L"1023", 3, request), ResultSetText);
    EXPECT_STREQ(request.text, L" 11 1111 1111");
    // Command numbers outside the table write scientific text.
    for (int command : {6, 0, 7, -1, 65536}) {
        EXPECT_EQ(run(L"1234.5", command, request), ResultSetText) << command;
        EXPECT_STREQ(request.text, L"1.2345e+3") << command;
    }
    // Variables live as long as the library.
    EXPECT_EQ(run(L"x=5", 2, request), ResultSetText);
    EXPECT_EQ(run(L"x*2", 2, request), ResultSetText);
    EXPECT_STREQ(request.text, L"10");

    EXPECT_EQ(run(L"2*(3", 2, request), ResultSelectAndBeep);
    GetWindowTextW(edit, text, ModuleTextLength);
    EXPECT_STREQ(text, L"2*(3");
    EXPECT_EQ(request.selStart, 5);
    EXPECT_EQ(run(L"*3", 2, request), ResultNone);
    EXPECT_EQ(run(L"7%0", 2, request), ResultSelectAndBeep);
    EXPECT_EQ(request.selStart, 3);
    EXPECT_EQ(run(L"", 2, request), ResultNone);

    // History with pairs but no popup to choose from: text unchanged.
    EXPECT_EQ(run(L"abc", 5, request), ResultSetText);
    EXPECT_STREQ(request.text, L"abc");
    EXPECT_EQ(run(L"abc", 4, request), ResultSetText);
    EXPECT_STREQ(request.text, L"abc");
    EXPECT_EQ(numbra.process(nullptr, 2), ResultNone);
    DestroyWindow(edit);
}

TEST(NumbraDll, EmptyHistoryReturnsSetTextUnchanged)
{
    CNumbraLoader numbra;
    ASSERT_NE(numbra.process, nullptr);
    EditRequest request = {};
    wcscpy(request.text, L"1+2");
    request.selStart = 1;
    request.selEnd = 2;
    EXPECT_EQ(numbra.process(&request, 5), ResultSetText);
    EXPECT_STREQ(request.text, L"1+2");
    EXPECT_EQ(request.selStart, 1);
    EXPECT_EQ(request.selEnd, 2);
}
