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

    // Pieces between runs of separators: the name, then the parameter names
    // (those beyond the ninth are ignored).
    int piece = 0;
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
        if (piece == 0)
            CopyBounded(entry.name, UfdNameLength, text);
        else if (piece <= UfdParameters)
            CopyBounded(entry.parameters[piece - 1], UfdTextLength, text);
        ++piece;
    }
    entry.parameterCount = piece > 1 ? (piece - 1 > UfdParameters ? UfdParameters : piece - 1) : 0;
    CopyBounded(entry.expression, UfdTextLength, body);
    CopyBounded(entry.comment, UfdTextLength, comment);
}
