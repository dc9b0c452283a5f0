// User definitions put on a parser, and the evaluation of a user function:
// three families of entry points, one per slot, lead to EvaluateUserFunction.
#include "Calculator.h"
#include "CalcArithmetic.h"
#include <algorithm>
#include <array>
#include <cwchar>
#include <memory>
#include <utility>

namespace {

const LPCWSTR Blanks = L" \t";
const WCHAR WrongParameters[] = L"Wrong parameters number";
const WCHAR NestingTooDeep[] = L"User functions nested too deeply";
const WCHAR BodyFailed[] = L"User function failed";

CCalculator* g_activeCalculator = nullptr;

// TRUE when text begins with prefix, without case.
BOOL StartsWithNoCase(const CString& text, LPCWSTR prefix)
{
    int length = (int)wcslen(prefix);
    return text.GetLength() >= length && text.Left(length).CompareNoCase(prefix) == 0;
}

// The section named by "$sub(name)" or "$ins(name)": ")" is searched from
// the seventh character on; FALSE without one.
BOOL NamedSection(const CString& value, CString& section)
{
    int close = value.Find(L')', 6);
    if (close < 0)
        return FALSE;
    section = value.Mid(5, close - 5);
    return TRUE;
}

// Counts running user-function calls for the lifetime of one call.
class CNestingScope {
public:
    explicit CNestingScope(int& nesting) : m_nesting(nesting) { ++m_nesting; }
    ~CNestingScope() { --m_nesting; }
    CNestingScope(const CNestingScope&) = delete;
    CNestingScope& operator=(const CNestingScope&) = delete;

private:
    int& m_nesting;
};

} // namespace

CCalculator* CCalculator::GetActive()
{
    return g_activeCalculator;
}

void CCalculator::SetActive(CCalculator* calculator)
{
    g_activeCalculator = calculator;
}

// The entry points: the parser's callbacks carry no context, so each slot
// has its own function, made from a template.
template <int N>
double CCalculator::FunctionThunk(const double* arguments, int count)
{
    return CallUserFunction(N, arguments, count);
}

template <int N>
double CCalculator::OperatorThunk(double left, double right)
{
    double arguments[2] = {left, right};
    return CallUserFunction(N, arguments, 2);
}

template <int N>
double CCalculator::PostfixThunk(double operand)
{
    return CallUserFunction(N, &operand, 1);
}

struct CUserThunks {
    template <size_t... I>
    static constexpr std::array<mu::multfun_type, sizeof...(I)> Functions(std::index_sequence<I...>)
    {
        return {{&CCalculator::FunctionThunk<(int)I>...}};
    }
    template <size_t... I>
    static constexpr std::array<mu::fun_type2, sizeof...(I)> Operators(std::index_sequence<I...>)
    {
        return {{&CCalculator::OperatorThunk<(int)I>...}};
    }
    template <size_t... I>
    static constexpr std::array<mu::fun_type1, sizeof...(I)> Postfixes(std::index_sequence<I...>)
    {
        return {{&CCalculator::PostfixThunk<(int)I>...}};
    }
    static const std::array<mu::multfun_type, UserFunctionSlots> functions;
    static const std::array<mu::fun_type2, UserFunctionSlots> operators;
    static const std::array<mu::fun_type1, UserFunctionSlots> postfixes;
};

const std::array<mu::multfun_type, UserFunctionSlots> CUserThunks::functions =
    CUserThunks::Functions(std::make_index_sequence<UserFunctionSlots>());
const std::array<mu::fun_type2, UserFunctionSlots> CUserThunks::operators =
    CUserThunks::Operators(std::make_index_sequence<UserFunctionSlots>());
const std::array<mu::fun_type1, UserFunctionSlots> CUserThunks::postfixes =
    CUserThunks::Postfixes(std::make_index_sequence<UserFunctionSlots>());

// A parser error raised inside a body carries a position in the body, not in
// the user's text: it leaves the call as a fault without a position.
double CCalculator::CallUserFunction(int slot, const double* arguments, int count)
{
    CCalculator* calculator = g_activeCalculator;
    if (!calculator)
        throw CCalcFault(BodyFailed);
    try {
        return calculator->EvaluateUserFunction(slot, arguments, count);
    } catch (mu::ParserError&) {
        throw CCalcFault(BodyFailed);
    }
}

void CCalculator::LoadUserConstants(mu::Parser& parser)
{
    ReadCommentDelimiter();
    const CArray<CIniLine>& lines = m_settings.GetSection(L"Constants");
    for (int i = 0; i < (int)lines.GetSize(); ++i) {
        CString value = lines[i].value;
        if (value.IsEmpty())
            continue;
        CString comment;
        SplitComment(value, comment, m_commentDelimiter);
        WCHAR name[UfdNameLength];
        CopyBounded(name, UfdNameLength, lines[i].key);
        double number = wcstod(value, nullptr);
        parser.DefineConst(name, number);

        BOOL known = FALSE;
        for (int j = (int)m_userConstants.GetSize() - 1; j >= 0 && !known; --j)
            known = wcscmp(m_userConstants[j]->name, name) == 0;
        if (!known) {
            _UFDEntry* entry = new _UFDEntry;
            ClearEntry(*entry);
            CopyBounded(entry->key, UfdNameLength, name);
            CopyBounded(entry->name, UfdNameLength, name);
            CopyBounded(entry->comment, UfdTextLength, comment);
            entry->value = number;
            m_userConstants.Add(entry);
        }
    }
}

int CCalculator::LoadUserFunctions(mu::Parser& parser, LPCWSTR section, int firstSlot,
    CUserFunctionNode* parent, BOOL buildTree)
{
    // A section that names itself, directly or through others, is read once
    // on each path: the menu structure can't recurse without end.
    for (int i = 0; i < (int)m_sectionPath.GetSize(); ++i) {
        if (m_sectionPath[i].CompareNoCase(section) == 0)
            return 0;
    }
    m_sectionPath.Add(section);
    // Stays valid while nested sections are read: the cache only adds.
    const CArray<CIniLine>& lines = m_settings.GetSection(section);
    int slot = firstSlot;
    for (int i = 0; i < (int)lines.GetSize() && slot < UserFunctionSlots; ++i) {
        const CString& key = lines[i].key;
        const CString& value = lines[i].value;
        CString named;
        if (key.CompareNoCase(L"$sep") == 0 || value.CompareNoCase(L"$sep") == 0) {
            if (buildTree && parent)
                parent->AddChild(nullptr, L"", 0);
        } else if (StartsWithNoCase(value, L"$sub(")) {
            if (!NamedSection(value, named))
                continue;
            CUserFunctionNode* node = buildTree && parent ? parent->AddChild(nullptr, key, 0) : nullptr;
            slot += LoadUserFunctions(parser, named, slot, node, buildTree);
        } else if (StartsWithNoCase(value, L"$ins(")) {
            if (!NamedSection(value, named))
                continue;
            slot += LoadUserFunctions(parser, named, slot, parent, buildTree);
        } else {
            _UFDEntry& entry = m_userFunctions[slot];
            ParseFunctionDefinition(key, value, m_commentDelimiter, entry);
            if (entry.name[0] == 0) {
                ClearEntry(entry); // a signature of separators only names nothing
                continue;
            }
            DefineUserFunction(parser, slot);
            if (buildTree && parent)
                parent->AddChild(&entry, L"", slot + 1);
            ++slot;
        }
    }
    m_sectionPath.RemoveAt(m_sectionPath.GetSize() - 1);
    return slot - firstSlot;
}

// The function and, when the settings name one, its binary or else postfix
// operator. Symbols are cut at the comment delimiter and trimmed (the parser
// never accepts blanks in a symbol).
void CCalculator::DefineUserFunction(mu::Parser& parser, int slot)
{
    const _UFDEntry& entry = m_userFunctions[slot];
    parser.DefineFun(entry.name, CUserThunks::functions[slot], false);

    CString symbol = m_settings.GetString(L"Operators2", entry.name, L"");
    BOOL binary = !symbol.IsEmpty();
    if (!binary)
        symbol = m_settings.GetString(L"Operators1", entry.name, L"");
    if (symbol.IsEmpty())
        return;
    int position = symbol.Find(m_commentDelimiter);
    if (position >= 0)
        symbol = symbol.Left(position);
    symbol.Trim(Blanks);
    if (symbol.IsEmpty())
        return;
    if (binary)
        parser.DefineOprt((LPCWSTR)symbol, CUserThunks::operators[slot], mu::prPOW + 1, mu::oaLEFT, false);
    else
        parser.DefinePostfixOprt((LPCWSTR)symbol, CUserThunks::postfixes[slot], false);
}

void CCalculator::CopyGlobalVariables(mu::Parser& parser)
{
    const mu::varmap_type& variables = m_parser.GetVar();
    for (const auto& variable : variables)
        parser.DefineVar(variable.first, variable.second);
    parser.DefineVar(L"_cnt", &m_countCell);
}

// The parser for the slot's body as the settings give it now. The function
// table is read again (by the set-up of a new parser) whenever the settings
// changed since it was read; a parser built for other settings, other user's
// variables or another body text is built again.
CPreparedBody& CCalculator::PrepareBody(int slot)
{
    UINT generation = m_settings.GetGeneration();
    size_t variables = m_parser.GetVar().size();
    std::vector<std::unique_ptr<CPreparedBody>>& bodies = m_preparedBodies[slot];
    if (m_tableGeneration == generation) {
        for (const auto& body : bodies) {
            if (!body->IsBusy() && body->Fits(m_userFunctions[slot].expression, generation, variables))
                return *body;
        }
    }
    // Idle parsers of older settings go; busy ones belong to calls still running.
    bodies.erase(std::remove_if(bodies.begin(), bodies.end(),
                     [&](const std::unique_ptr<CPreparedBody>& body) {
                         return !body->IsBusy() && body->IsStale(generation, variables);
                     }),
        bodies.end());

    std::unique_ptr<CPreparedBody> body(new CPreparedBody);
    mu::Parser& parser = body->GetParser();
    SetUpParser(parser, FALSE);
    CopyGlobalVariables(parser);
    const _UFDEntry& entry = m_userFunctions[slot];
    for (int i = 0; i < UfdParameters; ++i) {
        WCHAR name[UfdNameLength];
        if (entry.parameters[i][0])
            CopyBounded(name, UfdNameLength, entry.parameters[i]);
        else
            swprintf(name, UfdNameLength, L"p%d", i + 1);
        parser.DefineVar(name, &m_parameterCells[i]);
    }
    body->SetBody(entry.expression, generation, variables);
    bodies.push_back(std::move(body));
    return *bodies.back();
}

double CCalculator::EvaluateUserFunction(int slot, const double* arguments, int count)
{
    if (slot < 0 || slot >= UserFunctionSlots)
        throw CCalcFault(WrongParameters);
    if (m_nesting >= MaxUserFunctionNesting)
        throw CCalcFault(NestingTooDeep);
    CNestingScope scope(m_nesting);

    CPreparedBody& body = PrepareBody(slot);
    const _UFDEntry& entry = m_userFunctions[slot];
    if (entry.parameterCount != 0 && entry.parameterCount != count)
        throw CCalcFault(WrongParameters);
    m_countCell = count;
    for (int i = 0; i < UfdParameters; ++i)
        m_parameterCells[i] = i < count ? arguments[i] : 0;
    return body.Evaluate();
}
