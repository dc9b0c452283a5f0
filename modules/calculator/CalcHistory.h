// The evaluation history: pairs of expression and result text, appended at
// the end and never trimmed. A failed evaluation has an empty result.
#pragma once
#include "Framework.h"

class CCalcHistory {
public:
    int GetCount() const { return (int)m_expressions.GetSize(); }
    const CString& GetExpression(int index) const { return m_expressions[index]; }
    const CString& GetResult(int index) const { return m_results[index]; }

    // Appends the pair unless an equal pair (both texts, with case) exists;
    // the search runs from the newest pair. Returns TRUE when appended.
    BOOL Add(LPCWSTR expression, LPCWSTR result);

private:
    CStringArray m_expressions;
    CStringArray m_results;
};
