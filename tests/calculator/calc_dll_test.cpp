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
    numbra.load(nullptr, &point);
    EXPECT_EQ(numbra.getCount(), 0);
    numbra.unload();
    EXPECT_EQ(numbra.getInfo(), info);
}

TEST(NumbraDll, EvaluatesTheTextOfAnEditControl)
{
    CNumbraLoader numbra;
    ASSERT_NE(numbra.process, nullptr);
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 24, nullptr, nullptr,
        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);

    // The request is filled from the control as the engine does, and a
    // SetText result is written back.
    EditRequest request;
    auto run = [&](const wchar_t* typed, int command) {
        SetWindowTextW(edit, typed);
        SendMessageW(edit, EM_SETSEL, 1, 2);
        request = EditRequest();
        GetWindowTextW(edit, request.text, ModuleTextLength);
        SendMessageW(edit, EM_GETSEL, (WPARAM)&request.selStart, (LPARAM)&request.selEnd);
        request.window = edit;
        int result = numbra.process(&request, command);
        if (result == ResultSetText)
            SetWindowTextW(edit, request.text);
        GetWindowTextW(edit, request.text, ModuleTextLength);
        return result;
    };
    // An empty history beeps and leaves text and selection alone.
    EXPECT_EQ(run(L"1+2", 5), ResultSetText);
    EXPECT_STREQ(request.text, L"1+2");
    EXPECT_EQ(request.selStart, 1);

    EXPECT_EQ(run(L"1+2", 2), ResultSetText);
    EXPECT_STREQ(request.text, L"3");
    EXPECT_EQ(request.selStart, 0);
    EXPECT_EQ(request.selEnd, 0);
    EXPECT_EQ(run(L"255.4", 1), ResultSetText);
    EXPECT_STREQ(request.text, L"0xFF");
    for (int command : {6, 0, 7, -1, 65536}) {
        EXPECT_EQ(run(L"1234.5", command), ResultSetText) << command;
        EXPECT_STREQ(request.text, L"1.2345e+3") << command;
    }
    EXPECT_EQ(run(L"x=5", 2), ResultSetText);
    EXPECT_EQ(run(L"x*2", 2), ResultSetText);
    EXPECT_STREQ(request.text, L"10");

    EXPECT_EQ(run(L"2*(3", 2), ResultSelectAndBeep);
    EXPECT_STREQ(request.text, L"2*(3");
    EXPECT_EQ(request.selStart, 5);
    EXPECT_EQ(numbra.process(nullptr, 2), ResultNone);
    DestroyWindow(edit);
}
