// A regular expression (ECMAScript syntax) searched in INI keys. The matcher
// keeps its state on the heap and gives up, with an error, on a search that
// would take too much memory or time; such a search counts as no match, so no
// key or pattern from an INI file can overflow the host's stack or hold its
// GUI thread.
#pragma once
#include "Framework.h"
#include <memory>

class CKeyPattern
{
public:
    CKeyPattern();
    ~CKeyPattern();
    CKeyPattern(const CKeyPattern&) = delete;
    CKeyPattern& operator=(const CKeyPattern&) = delete;

    // False when the pattern is refused; nothing matches then.
    bool Compile(LPCWSTR pattern);
    bool IsValid() const { return m_expression != nullptr; }
    // Searches the pattern anywhere in `text`; `found` gets the group's text,
    // empty when the pattern has no such group.
    bool Search(LPCWSTR text, int group, CString& found) const;

private:
    struct CExpression;
    std::unique_ptr<CExpression> m_expression;
};
