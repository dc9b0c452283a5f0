// The calculator: the global parser with its set-up, the variable cells the
// parser creates for unknown names, the user functions and constants of
// "Numbra.ini", the history, the evaluation road of "Process" and its two
// popups (the variables menu and the history list).
#pragma once
#include "Framework.h"
#include "ModuleInterface.h"
#include "CalcHistory.h"
#include "NumbraSettings.h"
#include "PreparedBody.h"
#include "UserFunctionTable.h"
#include <muParser.h>
#include <memory>
#include <vector>

const int SettingsPathLength = 1024;
const int CommentDelimiterLength = 32;
// User-function calls nested deeper than this fail instead of exhausting
// the host's stack.
const int MaxUserFunctionNesting = 32;
// First command id of the variables menu's main level ("muParser" items
// use the ids below it).
const int VarConstMainFirstId = 100;

class CPopList;

class CCalculator {
public:
    // Replaceable steps, so tests can count beeps and choose popup rows.
    typedef void (*BeepProc)(UINT type);
    // Shows the history list under the request's window; returns the chosen
    // row or -1.
    typedef int (*HistoryPopupProc)(CCalculator& calculator, EditRequest* request, BOOL reverse);
    // Shows a popup menu (TrackPopupMenu with TPM_RETURNCMD); returns the id.
    typedef UINT (*TrackMenuProc)(HMENU menu, UINT flags, POINT point, HWND owner);
    // TRUE while Shift is held.
    typedef BOOL (*ShiftStateProc)();
    // Runs the history list's modal loop until it is done.
    typedef void (*PopListLoopProc)(CPopList& list);

    CCalculator();
    ~CCalculator();
    // The calculator whose global parser the user-function entry points
    // serve: the one initialized last.
    static CCalculator* GetActive();
    static void SetActive(CCalculator* calculator);
    CCalculator(const CCalculator&) = delete;
    CCalculator& operator=(const CCalculator&) = delete;

    // Remembers "Numbra.ini" beside the given module file and sets up the
    // global parser. Parser errors propagate (mu::ParserError).
    void Initialize(LPCWSTR moduleFile);

    // Defines the own operators, literal forms, "pow" and the variable
    // factory on a parser and reads the settings; returns the number of
    // user-function slots used.
    int SetUpParser(mu::Parser& parser, BOOL buildTree);

    // Runs a command on a request; returns a ProcessResult. Never throws.
    int Process(EditRequest* request, int command);

    // User definitions ("Numbra.ini" [Constants], [Functions] and the
    // sections it names, [Operators2], [Operators1]).
    void LoadUserConstants(mu::Parser& parser);
    int LoadUserFunctions(mu::Parser& parser, LPCWSTR section, int firstSlot, CUserFunctionNode* parent,
        BOOL buildTree);
    // Evaluates user function `slot` with the parser prepared for its body
    // (built again when the settings, the user's variables or the body text
    // changed); throws CCalcFault or mu::ParserError.
    double EvaluateUserFunction(int slot, const double* arguments, int count);
    void CopyGlobalVariables(mu::Parser& parser);
    const _UFDEntry& GetUserFunction(int slot) const { return m_userFunctions[slot]; }
    int GetUserConstantCount() const { return (int)m_userConstants.GetSize(); }
    const _UFDEntry& GetUserConstant(int index) const { return *m_userConstants[index]; }
    const CUserFunctionNode& GetUserFunctionTree() const { return m_tree; }
    CNumbraSettings& GetSettings() { return m_settings; }

    // The variables menu.
    void RunVarConstMenu(EditRequest* request);
    void BuildVarConstMenu(HMENU mainMenu, HMENU subMenu);
    int AppendUserFunctionTree(HMENU menu, const CUserFunctionNode& node, int firstId);
    CString FormatUserFunctionItem(const _UFDEntry& entry);
    // Puts text over the request's selection (clamped to the text; the result
    // cut at the buffer) and leaves the caret after it.
    static void InsertText(EditRequest* request, LPCWSTR text);

    // The history list; returns the chosen row or -1.
    int ShowHistoryPopup(EditRequest* request, BOOL reverse);

    LPCWSTR GetSettingsPath() const { return m_settingsPath; }
    LPCWSTR GetCommentDelimiter() const { return m_commentDelimiter; }
    mu::Parser& GetParser() { return m_parser; }
    const CCalcHistory& GetHistory() const { return m_history; }
    void SetBeep(BeepProc beep) { m_beep = beep; }
    void SetHistoryPopup(HistoryPopupProc popup) { m_historyPopup = popup; }
    void SetTrackMenu(TrackMenuProc track) { m_trackMenu = track; }
    void SetShiftState(ShiftStateProc shift) { m_shiftState = shift; }
    void SetPopListLoop(PopListLoopProc loop) { m_popListLoop = loop; }

private:
    static double* CreateUnknownVariable(const wchar_t* name, void* calculator);
    void ReadCommentDelimiter();
    int Evaluate(EditRequest* request, int command);
    int ShowHistory(EditRequest* request);
    int RunPopupCommand(EditRequest* request, int command);
    void DefineUserFunction(mu::Parser& parser, int slot);
    CPreparedBody& PrepareBody(int slot);
    CString ShownText(LPCWSTR text, int limit) const;
    static CString ValueText(double value);
    static double CallUserFunction(int slot, const double* arguments, int count);
    template <int N> static double FunctionThunk(const double* arguments, int count);
    template <int N> static double OperatorThunk(double left, double right);
    template <int N> static double PostfixThunk(double operand);
    friend struct CUserThunks;

    WCHAR m_settingsPath[SettingsPathLength];
    WCHAR m_commentDelimiter[CommentDelimiterLength];
    mu::Parser m_parser;
    CArray<double*, double*> m_variables; // cells of factory-made variables, owned
    CCalcHistory m_history;
    BeepProc m_beep;
    HistoryPopupProc m_historyPopup;
    TrackMenuProc m_trackMenu;
    ShiftStateProc m_shiftState;
    PopListLoopProc m_popListLoop;

    CNumbraSettings m_settings;
    _UFDEntry* m_userFunctions;           // UserFunctionSlots records, owned
    CArray<_UFDEntry*> m_userConstants;   // owned; only grows
    CUserFunctionNode m_tree;             // the user-function menu tree
    double m_parameterCells[UfdParameters];
    double m_countCell;
    int m_nesting;                        // user-function calls now running
    CStringArray m_sectionPath;           // sections being read, outermost first
    UINT m_tableGeneration;               // settings generation the function table was read
                                          // in; 0 while it is not read completely
    // Per slot; a second one only while a body calls its own function again.
    std::vector<std::unique_ptr<CPreparedBody>> m_preparedBodies[UserFunctionSlots];
    int m_functionTextLimit;
    int m_commentTextLimit;
    BOOL m_popupOpen;
};
