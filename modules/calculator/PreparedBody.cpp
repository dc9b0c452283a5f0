#include "PreparedBody.h"

void CPreparedBody::SetBody(LPCWSTR expression, UINT settingsGeneration, size_t variableCount)
{
    m_parser.SetVarFactory(CreateOwnVariable, this);
    m_parser.SetExpr(expression);
    m_expression = expression;
    m_settingsGeneration = settingsGeneration;
    m_variableCount = variableCount;
}

bool CPreparedBody::Fits(LPCWSTR expression, UINT settingsGeneration, size_t variableCount) const
{
    return !IsStale(settingsGeneration, variableCount) && m_expression == expression;
}

bool CPreparedBody::IsStale(UINT settingsGeneration, size_t variableCount) const
{
    return settingsGeneration != m_settingsGeneration || variableCount != m_variableCount;
}

double CPreparedBody::Evaluate()
{
    for (auto& cell : m_ownVariables)
        *cell = 0;
    struct CBusyScope {
        bool& busy;
        explicit CBusyScope(bool& flag) : busy(flag) { busy = true; }
        ~CBusyScope() { busy = false; }
    } scope(m_busy);
    return m_parser.Eval();
}

double* CPreparedBody::CreateOwnVariable(const wchar_t* name, void* body)
{
    (void)name;
    CPreparedBody* self = static_cast<CPreparedBody*>(body);
    self->m_ownVariables.emplace_back(new double(0));
    return self->m_ownVariables.back().get();
}
