#include "CalcHistory.h"

BOOL CCalcHistory::Add(LPCWSTR expression, LPCWSTR result)
{
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (m_expressions[i] == expression && m_results[i] == result)
            return FALSE;
    }
    m_expressions.Add(expression);
    m_results.Add(result);
    return TRUE;
}
