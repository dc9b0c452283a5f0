// A parser prepared for one user function's body: the calculator's set-up,
// the user's variables, the parameters, "_cnt" and the body text, kept from
// call to call while the settings, the user's variables and the body stay as
// they were when it was built. Names in the body that nothing defines become
// cells of its own, 0 at the start of every call, as on a new parser.
#pragma once
#include "Framework.h"
#include <muParser.h>
#include <memory>
#include <vector>

class CPreparedBody {
public:
    CPreparedBody() = default;
    CPreparedBody(const CPreparedBody&) = delete;
    CPreparedBody& operator=(const CPreparedBody&) = delete;

    // For the set-up before SetBody.
    mu::Parser& GetParser() { return m_parser; }
    // Puts the body on the parser and remembers what it was built for.
    void SetBody(LPCWSTR expression, UINT settingsGeneration, size_t variableCount);
    bool Fits(LPCWSTR expression, UINT settingsGeneration, size_t variableCount) const;
    bool IsStale(UINT settingsGeneration, size_t variableCount) const;
    // True while an evaluation runs: a body that calls its own function
    // again needs a second parser.
    bool IsBusy() const { return m_busy; }

    // Evaluates the body; parser errors propagate.
    double Evaluate();

private:
    static double* CreateOwnVariable(const wchar_t* name, void* body);

    mu::Parser m_parser;
    CString m_expression;
    UINT m_settingsGeneration = 0;
    size_t m_variableCount = 0;
    std::vector<std::unique_ptr<double>> m_ownVariables;
    bool m_busy = false;
};
