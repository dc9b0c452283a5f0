// The variables and constants menu: the parser's functions in a "muParser"
// submenu, then the user functions, variables, constants and user constants;
// the chosen name goes over the selection of the host's edit control.
#include "Calculator.h"
#include "CalcArithmetic.h"
#include "CaretPopupPoint.h"
#include "ResultFormat.h"
#include "SortStringArray.h"
#include <cwchar>

namespace {

// The item's text from a menu, by id.
CString MenuText(HMENU menu, UINT id)
{
    int length = GetMenuStringW(menu, id, nullptr, 0, MF_BYCOMMAND);
    if (length <= 0)
        return CString();
    CString text;
    LPWSTR buffer = text.GetBuffer(length + 1);
    int copied = GetMenuStringW(menu, id, buffer, length + 1, MF_BYCOMMAND);
    text.ReleaseBuffer(copied > 0 ? copied : 0);
    return text;
}

// Appends the sorted (or unsorted) texts with ids from *id on, after a
// separator when the menu has items.
void AppendItems(HMENU menu, CSortStringArray& items, BOOL sort, int* id)
{
    if (sort)
        items.Sort(TRUE);
    if (GetMenuItemCount(menu) > 0)
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (int i = 0; i < (int)items.GetSize(); ++i)
        AppendMenuW(menu, MF_STRING, (UINT_PTR)(*id)++, items[i]);
}

} // namespace

// "%d" for whole numbers in the 32-bit range, else 15 significant digits.
CString CCalculator::ValueText(double value)
{
    CString text;
    if ((double)TruncateToInt32(value) == value) {
        text.Format(L"%d", TruncateToInt32(value));
    } else {
        WCHAR buffer[64];
        FormatNumber(buffer, 64, value, 15);
        text = buffer;
    }
    return text;
}

// The first `limit` characters and "..." unless the text is shorter than the
// limit; nothing at all when the limit is 0.
CString CCalculator::ShownText(LPCWSTR text, int limit) const
{
    if (limit == 0)
        return CString();
    CString full = text;
    if (limit > 0 && full.GetLength() < limit)
        return full;
    if (limit > 0)
        full = full.Left(limit);
    return full + L"...";
}

CString CCalculator::FormatUserFunctionItem(const _UFDEntry& entry)
{
    CString expression = ShownText(entry.expression, m_functionTextLimit);
    CString comment = ShownText(entry.comment, m_commentTextLimit);
    CString symbol = m_settings.GetString(L"Operators2", entry.name, L"", 16);
    if (symbol.IsEmpty())
        symbol = m_settings.GetString(L"Operators1", entry.name, L"", 16);
    CString operatorPart;
    if (!symbol.IsEmpty())
        operatorPart.Format(L"[%s]", (LPCWSTR)symbol);
    CString text;
    text.Format(L"%s %s\t%s%s%s", entry.key, (LPCWSTR)operatorPart, (LPCWSTR)expression,
        comment.IsEmpty() ? L"" : L" ", (LPCWSTR)comment);
    return text;
}

int CCalculator::AppendUserFunctionTree(HMENU menu, const CUserFunctionNode& node, int firstId)
{
    int id = firstId;
    for (int i = 0; i < node.GetChildCount(); ++i) {
        const CUserFunctionNode& child = *node.GetChild(i);
        if (child.IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (child.GetChildCount() > 0) {
            HMENU popup = CreatePopupMenu();
            id += AppendUserFunctionTree(popup, child, id);
            AppendMenuW(menu, MF_POPUP, (UINT_PTR)popup, child.GetTitle());
        } else {
            CString text = child.GetData() ? FormatUserFunctionItem(*child.GetData()) : child.GetTitle();
            AppendMenuW(menu, MF_STRING, (UINT_PTR)id++, text);
        }
    }
    return id - firstId;
}

void CCalculator::BuildVarConstMenu(HMENU mainMenu, HMENU subMenu)
{
    m_functionTextLimit = m_settings.GetInt(L"Config", L"FunctionTextLimit", 1023);
    m_commentTextLimit = m_settings.GetInt(L"Config", L"CommentTextLimit", 31);
    BOOL sortByName = m_settings.GetInt(L"Config", L"SortByName", 0) != 0;

    AppendMenuW(mainMenu, MF_POPUP, (UINT_PTR)subMenu, L"muParser");
    AppendMenuW(mainMenu, MF_SEPARATOR, 0, nullptr);
    int id = VarConstMainFirstId + AppendUserFunctionTree(mainMenu, m_tree, VarConstMainFirstId);

    CSortStringArray functions;
    for (const auto& function : m_parser.GetFunDef()) {
        BOOL user = FALSE;
        for (int slot = 0; slot < UserFunctionSlots && !user; ++slot)
            user = function.first == m_userFunctions[slot].name;
        if (!user)
            functions.Add(function.first.c_str());
    }
    functions.Sort(TRUE);
    for (int i = 0; i < (int)functions.GetSize(); ++i)
        AppendMenuW(subMenu, MF_STRING, (UINT_PTR)(i + 1), functions[i]);

    CSortStringArray variables;
    for (const auto& variable : m_parser.GetVar()) {
        CString text;
        text.Format(L"%s\t%s", variable.first.c_str(), (LPCWSTR)ValueText(*variable.second));
        variables.Add(text);
    }
    AppendItems(mainMenu, variables, TRUE, &id);

    CSortStringArray constants;
    for (const auto& constant : m_parser.GetConst()) {
        BOOL user = FALSE;
        for (int i = 0; i < (int)m_userConstants.GetSize() && !user; ++i)
            user = constant.first == m_userConstants[i]->name;
        if (user)
            continue;
        CString text;
        text.Format(L"%s\t%s", constant.first.c_str(), (LPCWSTR)ValueText(constant.second));
        constants.Add(text);
    }
    AppendItems(mainMenu, constants, TRUE, &id);

    CSortStringArray userConstants;
    for (int i = 0; i < (int)m_userConstants.GetSize(); ++i) {
        const _UFDEntry& entry = *m_userConstants[i];
        CString comment = ShownText(entry.comment, m_commentTextLimit);
        CString text;
        text.Format(L"%s\t%s%s%s", entry.name, (LPCWSTR)ValueText(entry.value), comment.IsEmpty() ? L"" : L" ",
            (LPCWSTR)comment);
        userConstants.Add(text);
    }
    AppendItems(mainMenu, userConstants, sortByName, &id);
}

void CCalculator::RunVarConstMenu(EditRequest* request)
{
    HMENU mainMenu = CreatePopupMenu();
    HMENU subMenu = CreatePopupMenu();
    if (!mainMenu || !subMenu) {
        if (mainMenu)
            DestroyMenu(mainMenu);
        if (subMenu)
            DestroyMenu(subMenu);
        return;
    }
    int length = (int)wcsnlen(request->text, ModuleTextLength - 1);
    POINT point = GetCaretPopupPoint(request->window, length, request->selStart);
    try {
        BuildVarConstMenu(mainMenu, subMenu);
    } catch (...) {
        DestroyMenu(mainMenu); // the submenu is attached and goes with it
        throw;
    }
    UINT id = m_trackMenu(mainMenu, TPM_RETURNCMD, point, request->window);
    if (id != 0) {
        BOOL shift = m_shiftState();
        CString text;
        if (id >= (UINT)VarConstMainFirstId) {
            text = MenuText(mainMenu, id);
            int open = text.Find(L'[');
            int close = text.Find(L']');
            if (shift && open >= 0 && close > open)
                text = text.Mid(open + 1, close - open - 1);
            int cut = text.FindOneOf(L" [\t");
            if (cut >= 0)
                text = text.Left(cut);
        } else {
            text = MenuText(subMenu, id);
        }
        InsertText(request, text);
    }
    DestroyMenu(mainMenu);
}

void CCalculator::InsertText(EditRequest* request, LPCWSTR text)
{
    int length = (int)wcsnlen(request->text, ModuleTextLength - 1);
    int start = request->selStart < 0 ? 0 : (request->selStart > length ? length : request->selStart);
    int end = request->selEnd < 0 ? 0 : (request->selEnd > length ? length : request->selEnd);
    if (end < start)
        end = start;
    CString result(request->text, start);
    result += text;
    int caret = result.GetLength();
    result += CString(request->text + end, length - end);
    if (caret > ModuleTextLength - 1)
        caret = ModuleTextLength - 1;
    CopyBounded(request->text, ModuleTextLength, result);
    request->selStart = caret;
    request->selEnd = caret;
}
