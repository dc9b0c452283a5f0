// The calculator: the global parser with its set-up, the variable cells the
// parser creates for unknown names, the history, and the evaluation road of
// "Process".
#pragma once
#include "Framework.h"
#include "ModuleInterface.h"
#include "CalcHistory.h"
#include <muParser.h>

const int SettingsPathLength = 1024;
const int CommentDelimiterLength = 32;

class CCalculator {
public:
    // Replaceable steps, so tests can count beeps and choose popup rows.
    typedef void (*BeepProc)(UINT type);
    // Shows the history list under the request's window; returns the chosen
    // row or -1.
    typedef int (*HistoryPopupProc)(CCalculator& calculator, EditRequest* request, BOOL reverse);

    CCalculator();
    ~CCalculator();
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

    LPCWSTR GetSettingsPath() const { return m_settingsPath; }
    LPCWSTR GetCommentDelimiter() const { return m_commentDelimiter; }
    mu::Parser& GetParser() { return m_parser; }
    const CCalcHistory& GetHistory() const { return m_history; }
    void SetBeep(BeepProc beep) { m_beep = beep; }
    void SetHistoryPopup(HistoryPopupProc popup) { m_historyPopup = popup; }

private:
    static double* CreateUnknownVariable(const wchar_t* name, void* calculator);
    void ReadCommentDelimiter();
    int Evaluate(EditRequest* request, int command);
    int ShowHistory(EditRequest* request);

    WCHAR m_settingsPath[SettingsPathLength];
    WCHAR m_commentDelimiter[CommentDelimiterLength];
    mu::Parser m_parser;
    CArray<double*, double*> m_variables; // cells of factory-made variables, owned
    CCalcHistory m_history;
    BeepProc m_beep;
    HistoryPopupProc m_historyPopup;
};
