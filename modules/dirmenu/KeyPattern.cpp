#include "KeyPattern.h"
#include <boost/regex.hpp>

struct CKeyPattern::CExpression {
    boost::wregex regex;
};

CKeyPattern::CKeyPattern() = default;
CKeyPattern::~CKeyPattern() = default;

bool CKeyPattern::Compile(LPCWSTR pattern)
{
    m_expression.reset();
    if (!pattern)
        return false;
    try {
        std::unique_ptr<CExpression> expression(new CExpression);
        expression->regex.assign(pattern, boost::regex_constants::ECMAScript);
        m_expression = std::move(expression);
        return true;
    } catch (...) {
        return false;
    }
}

bool CKeyPattern::Search(LPCWSTR text, int group, CString& found) const
{
    found.Empty();
    if (!m_expression || !text)
        return false;
    try {
        // Errors ("ran out of stack space", "complexity exceeded") are
        // exceptions here, never a stack overflow.
        boost::wcmatch match;
        if (!boost::regex_search(text, match, m_expression->regex))
            return false;
        if (group >= 0 && (size_t)group < match.size() && match[group].matched)
            found = CString(match[group].first, (int)(match[group].second - match[group].first));
        return true;
    } catch (...) {
        return false;
    }
}
