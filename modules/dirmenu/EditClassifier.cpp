#include "EditClassifier.h"

namespace {

const LPCWSTR MenuSections[MenuKindCount] = {
    L"Menu", L"CopyMoveMenu", L"PackMenu", L"CmdLineMenu", L"ToolbarMenu",
    L"NewDirFileMenu", L"RenameMenu", L"CommentMenu", L"ContextMenu",
};

const LPCWSTR EditClasses[] = {
    L"TAltEdit", L"Edit", L"TInEdit", L"TMemo", L"TEdit", L"TMyMemo", L"TTabEdit",
};

struct ParentRule {
    int kind;
    LPCWSTR parentClass;
    int test;
    LPCWSTR argument;
};

// Searched in order: the first row whose class and test match decides, so the
// rows with a test come before the plain rows of the same class.
const ParentRule ParentRules[] = {
    {MenuGeneral, L"TCOMBOINPUT", TestDescendantClass, L"TListBox"},
    {MenuGeneral, L"TPanel", TestParentClass, L"TCmpForm"},
    {MenuGeneral, L"TMyPanel", TestParentClass, L"TFileCompForm"},
    {MenuGeneral, L"TCheckEditBox", TestDescendantClass, L"TMyCheckBox"},
    {MenuGeneral, L"TSTDTREEDLG", TestWindowText, L"Combine"},
    {MenuCopyMove, L"TInpComboDlg", TestNone, nullptr},
    {MenuPack, L"TDLGZIP", TestNone, nullptr},
    {MenuPack, L"TDLGUNZIPALL", TestNone, nullptr},
    {MenuCmdLine, L"TMyPanel", TestParentClass, L"TTOTAL_CMD"},
    {MenuToolbar, L"TONEBUTTONCHANGEDLG", TestNone, nullptr},
    {MenuToolbar, L"TBUTTONCHANGEDLG", TestNone, nullptr},
    {MenuToolbar, L"TPanel", TestGrandparentClass, L"TUSERMENUCHANGE"},
    {MenuNewDirFile, L"TCOMBOINPUT", TestNone, nullptr},
    {MenuNewDirFile, L"TCheckEditBox", TestNone, nullptr},
    {MenuNewDirFile, L"TSTDTREEDLG", TestNone, nullptr},
};

const int ClassBufferLength = 1024;

bool HasClass(HWND window, LPCWSTR className)
{
    if (!window)
        return false;
    WCHAR name[ClassBufferLength] = {};
    if (!GetClassNameW(window, name, ClassBufferLength))
        return false;
    return wcscmp(name, className) == 0;
}

struct DescendantSearch {
    LPCWSTR className;
    bool found;
};

BOOL CALLBACK FindDescendantClass(HWND window, LPARAM data)
{
    DescendantSearch* search = (DescendantSearch*)data;
    WCHAR name[260] = {};
    GetClassNameW(window, name, 260);
    if (wcscmp(name, search->className) == 0) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

} // namespace

LPCWSTR MenuSectionName(int kind)
{
    if (kind < 0 || kind >= MenuKindCount)
        return MenuSections[MenuGeneral];
    return MenuSections[kind];
}

bool CheckWindowTest(HWND window, int test, LPCWSTR argument)
{
    if (test == TestNone || !argument)
        return true;
    switch (test) {
    case TestParentClass:
        return HasClass(GetParent(window), argument);
    case TestWindowText: {
        WCHAR text[260] = {};
        GetWindowTextW(window, text, 260);
        return wcscmp(text, argument) == 0;
    }
    case TestDescendantClass: {
        DescendantSearch search = {argument, false};
        EnumChildWindows(window, FindDescendantClass, (LPARAM)&search);
        return search.found;
    }
    case TestGrandparentClass: {
        HWND parent = GetParent(window);
        return parent && HasClass(GetParent(parent), argument);
    }
    default:
        return false;
    }
}

int ClassifyFocusControl(HWND edit)
{
    if (!edit)
        return -1;
    WCHAR name[ClassBufferLength] = {};
    if (!GetClassNameW(edit, name, ClassBufferLength))
        return -1;
    bool isEdit = false;
    for (LPCWSTR editClass : EditClasses) {
        if (wcscmp(name, editClass) == 0)
            isEdit = true;
    }
    if (!isEdit)
        return -1;

    if (wcscmp(name, L"TMyMemo") == 0 || wcscmp(name, L"TTabEdit") == 0)
        return MenuGeneral;
    if (wcscmp(name, L"TInEdit") == 0)
        return MenuRename;
    if (wcscmp(name, L"TMemo") == 0)
        return MenuComment;

    HWND control = edit;
    if (wcscmp(name, L"Edit") == 0) {
        // Only the edit part of the host's combo box counts; the rules then
        // look at the combo box's parent.
        HWND combo = GetParent(edit);
        if (!HasClass(combo, L"TMyComboBox"))
            return MenuGeneral;
        control = combo;
    }

    HWND parent = GetParent(control);
    if (!parent)
        return MenuGeneral;
    WCHAR parentClass[ClassBufferLength] = {};
    GetClassNameW(parent, parentClass, ClassBufferLength);
    for (const ParentRule& rule : ParentRules) {
        if (wcscmp(parentClass, rule.parentClass) == 0 &&
            CheckWindowTest(parent, rule.test, rule.argument))
            return rule.kind;
    }
    return MenuGeneral;
}
