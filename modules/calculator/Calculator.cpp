#include "Calculator.h"
#include "CalcArithmetic.h"
#include "CalcLiterals.h"
#include "ResultFormat.h"
#include <cmath>
#include <cwchar>

namespace {

void SystemBeep(UINT type)
{
    MessageBeep(type);
}

// Copies at most size - 1 characters and terminates; returns the length.
size_t CopyText(WCHAR* target, size_t size, LPCWSTR source)
{
    size_t length = wcsnlen(source, size - 1);
    wmemcpy(target, source, length);
    target[length] = 0;
    return length;
}

UINT SystemTrackMenu(HMENU menu, UINT flags, POINT point, HWND owner)
{
    return (UINT)TrackPopupMenu(menu, flags, point.x, point.y, 0, owner, nullptr);
}

BOOL SystemShiftState()
{
    return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
}

int SystemHistoryPopup(CCalculator& calculator, EditRequest* request, BOOL reverse)
{
    return calculator.ShowHistoryPopup(request, reverse);
}

} // namespace

CCalculator::CCalculator()
    : m_beep(SystemBeep), m_historyPopup(SystemHistoryPopup), m_trackMenu(SystemTrackMenu),
      m_shiftState(SystemShiftState), m_popListLoop(nullptr), m_userFunctions(new _UFDEntry[UserFunctionSlots]),
      m_countCell(0), m_nesting(0), m_tableGeneration(0), m_functionTextLimit(1023), m_commentTextLimit(31), m_popupOpen(FALSE)
{
    m_settingsPath[0] = 0;
    wcscpy(m_commentDelimiter, L";");
    for (int i = 0; i < UserFunctionSlots; ++i)
        ClearEntry(m_userFunctions[i]);
    for (int i = 0; i < UfdParameters; ++i)
        m_parameterCells[i] = 0;
}

CCalculator::~CCalculator()
{
    if (GetActive() == this)
        SetActive(nullptr);
    for (int i = 0; i < (int)m_variables.GetSize(); ++i)
        delete m_variables[i];
    for (int i = 0; i < (int)m_userConstants.GetSize(); ++i)
        delete m_userConstants[i];
    delete[] m_userFunctions;
}

void CCalculator::Initialize(LPCWSTR moduleFile)
{
    const WCHAR name[] = L"Numbra.ini";
    CopyText(m_settingsPath, SettingsPathLength, moduleFile);
    const WCHAR* slash = wcsrchr(m_settingsPath, L'\\');
    size_t folder = slash ? (size_t)(slash - m_settingsPath) + 1 : 0;
    if (folder + wcslen(name) >= SettingsPathLength)
        folder = 0; // no room: the name alone (never an overflow)
    wcscpy(m_settingsPath + folder, name);
    m_settings.SetPath(m_settingsPath);
    m_settings.Refresh();
    SetActive(this);
    m_tree.RemoveChildren();
    SetUpParser(m_parser, TRUE);
}

// The settings are those of the last Refresh: the start-up, or the start of
// the current Process call (one look at the file for all the user-function
// calls of one evaluation).
int CCalculator::SetUpParser(mu::Parser& parser, BOOL buildTree)
{
    // The shifts bind tighter than everything, power and prefix minus
    // included; the others bind like "+" and "-", left to right with them.
    const unsigned Additive = mu::prADD_SUB;
    const unsigned Shift = mu::prPOW + 1;
    parser.DefineOprt(L"&", BitAnd, Additive, mu::oaLEFT);
    parser.DefineOprt(L"|", BitOr, Additive, mu::oaLEFT);
    parser.DefineOprt(L"^", BitXor, Additive, mu::oaLEFT);
    parser.DefineOprt(L">>", ShiftRight, Shift, mu::oaLEFT);
    parser.DefineOprt(L"<<", ShiftLeft, Shift, mu::oaLEFT);
    parser.DefineOprt(L"%", Modulo, Additive, mu::oaLEFT);
    parser.DefineOprt(L"%%", Percent, Additive, mu::oaLEFT);

    parser.DefineInfixOprt(L"!", LogicalNot, mu::prINFIX);
    parser.DefineInfixOprt(L"~", Complement, mu::prINFIX);

    parser.SetVarFactory(CreateUnknownVariable, this);

    // Tried in reverse order of addition, all before the decimal reader.
    parser.AddValIdent(ReadHexLiteral);
    parser.AddValIdent(ReadBinaryLiteral);
    parser.AddValIdent(ReadStringLengthLiteral);

    parser.DefineFun(L"pow", Power);
    // The library shortens pi when built with GCC; the calculator uses the
    // full double value whatever compiler built it.
    parser.DefineConst(L"_pi", 3.14159265358979323846);

    ReadCommentDelimiter();
    LoadUserConstants(parser);
    m_tableGeneration = 0;
    for (int i = 0; i < UserFunctionSlots; ++i)
        ClearEntry(m_userFunctions[i]);
    m_sectionPath.RemoveAll();
    int used = LoadUserFunctions(parser, L"Functions", 0, buildTree ? &m_tree : nullptr, buildTree);
    m_tableGeneration = m_settings.GetGeneration();
    return used;
}

double* CCalculator::CreateUnknownVariable(const wchar_t* name, void* calculator)
{
    (void)name;
    double* cell = new double(0);
    static_cast<CCalculator*>(calculator)->m_variables.Add(cell);
    return cell;
}

void CCalculator::ReadCommentDelimiter()
{
    CopyText(m_commentDelimiter, CommentDelimiterLength,
        m_settings.GetString(L"Config", L"CommentDelimiter", L";", CommentDelimiterLength));
    if (m_commentDelimiter[0] == 0)
        wcscpy(m_commentDelimiter, L";");
}

int CCalculator::Process(EditRequest* request, int command)
{
    try {
        switch (command) {
        case CommandHistory:
        case CommandVarConst:
            return RunPopupCommand(request, command);
        default:
            return Evaluate(request, command);
        }
    } catch (...) {
        return ResultNone;
    }
}

// The popups pump the host's messages; a second popup command arriving
// meanwhile (a hotkey through the engine) does nothing.
int CCalculator::RunPopupCommand(EditRequest* request, int command)
{
    if (m_popupOpen)
        return ResultNone;
    m_popupOpen = TRUE;
    int result = ResultSetText;
    try {
        m_settings.Refresh();
        if (command == CommandHistory)
            result = ShowHistory(request);
        else
            RunVarConstMenu(request);
    } catch (...) {
        m_popupOpen = FALSE;
        throw;
    }
    m_popupOpen = FALSE;
    return result;
}

int CCalculator::Evaluate(EditRequest* request, int command)
{
    WCHAR expression[ModuleTextLength];
    if (CopyText(expression, ModuleTextLength, request->text) == 0)
        return ResultNone;

    WCHAR resultText[ResultTextLength] = L"";
    int result;
    try {
        m_settings.Refresh();
        m_nesting = 0;
        m_parser.SetExpr(expression);
        double value = m_parser.Eval();
        FormatResult(value, std::isfinite(value) ? command : (int)CommandDecimal, resultText);
        CopyText(request->text, ModuleTextLength, resultText);
        request->selStart = 0;
        request->selEnd = 0;
        result = ResultSetText;
    } catch (mu::ParserError& error) {
        resultText[0] = 0;
        request->selStart = error.GetPos();
        request->selEnd = error.GetPos();
        result = error.GetPos() != 0 ? ResultSelectAndBeep : ResultNone;
    } catch (...) {
        // The calculator's own faults and anything else: no position.
        resultText[0] = 0;
        result = ResultSelectAndBeep;
    }
    m_history.Add(expression, resultText);
    return result;
}

int CCalculator::ShowHistory(EditRequest* request)
{
    int count = m_history.GetCount();
    if (count == 0) {
        m_beep(MB_ICONASTERISK);
        return ResultSetText;
    }
    BOOL reverse = m_settings.GetInt(L"Config", L"ReverseHistory", 0) != 0;
    int row = m_historyPopup ? m_historyPopup(*this, request, reverse) : -1;
    if (row >= 0 && row < count) {
        int index = reverse ? count - 1 - row : row;
        int length = (int)CopyText(request->text, ModuleTextLength, m_history.GetExpression(index));
        request->selStart = length;
        request->selEnd = length;
    }
    return ResultSetText;
}
