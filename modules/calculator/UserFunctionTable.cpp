#include "UserFunctionTable.h"
#include <cwchar>

namespace {

const LPCWSTR Blanks = L" \t";
const LPCWSTR SignatureSeparators = L"( ,)";

} // namespace

void ClearEntry(_UFDEntry& entry)
{
    entry.key[0] = 0;
    entry.name[0] = 0;
    entry.expression[0] = 0;
    entry.comment[0] = 0;
    for (int i = 0; i < UfdParameters; ++i)
        entry.parameters[i][0] = 0;
    entry.parameterCount = 0;
    entry.value = 0;
}

void CopyBounded(WCHAR* target, size_t size, LPCWSTR source)
{
    size_t length = wcsnlen(source, size - 1);
    wmemcpy(target, source, length);
    target[length] = 0;
}

void SplitComment(CString& value, CString& comment, LPCWSTR delimiter)
{
    comment.Empty();
    int position = delimiter[0] ? value.Find(delimiter) : -1;
    if (position >= 0) {
        comment = value.Mid(position);
        comment.Trim(Blanks);
        value = value.Left(position);
    }
    value.Trim(Blanks);
}

void ParseFunctionDefinition(LPCWSTR key, LPCWSTR value, LPCWSTR delimiter, _UFDEntry& entry)
{
    ClearEntry(entry);
    CString body = value;
    CString comment;
    SplitComment(body, comment, delimiter);
    CString signature = key;
    signature.Trim(Blanks);
    CopyBounded(entry.key, UfdNameLength, signature);

    // Words between runs of separators: the name, then the parameter names
    // (those beyond the ninth are ignored).
    int token = 0;
    int length = signature.GetLength();
    int i = 0;
    while (i < length) {
        while (i < length && wcschr(SignatureSeparators, signature[i]))
            ++i;
        int start = i;
        while (i < length && !wcschr(SignatureSeparators, signature[i]))
            ++i;
        if (i == start)
            break;
        CString text = signature.Mid(start, i - start);
        if (token == 0)
            CopyBounded(entry.name, UfdNameLength, text);
        else if (token <= UfdParameters)
            CopyBounded(entry.parameters[token - 1], UfdTextLength, text);
        ++token;
    }
    entry.parameterCount = token > 1 ? (token - 1 > UfdParameters ? UfdParameters : token - 1) : 0;
    CopyBounded(entry.expression, UfdTextLength, body);
    CopyBounded(entry.comment, UfdTextLength, comment);
}
