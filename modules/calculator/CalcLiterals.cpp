#include "CalcLiterals.h"
#include <cstdint>
#include <cwctype>

int ReadStringLengthLiteral(const wchar_t* text, int* position, double* value)
{
    if (text[0] != L'"')
        return 0;
    int count = 0;
    int i = 1;
    for (;;) {
        wchar_t c = text[i];
        if (c == 0)
            return 0;
        if (c == L'\\') {
            if (text[i + 1] == 0)
                return 0;
            i += 2;
            ++count;
        } else if (c == L'"') {
            break;
        } else {
            ++i;
            ++count;
        }
    }
    if (text[i + 1] != L'L')
        return 0;
    *value = count;
    *position += i + 2;
    return 1;
}

int ReadBinaryLiteral(const wchar_t* text, int* position, double* value)
{
    const int MaxDigits = 32;
    uint32_t bits = 0;
    int digits = 0;
    bool afterSpace = false;
    bool twoGroups = false;
    int i = 0;
    for (;; ++i) {
        wchar_t c = text[i];
        if (c == L'0' || c == L'1') {
            if (++digits > MaxDigits)
                return 0;
            bits = (bits << 1) | static_cast<uint32_t>(c - L'0');
            if (afterSpace)
                twoGroups = true;
        } else if (c == L' ' && digits > 0) {
            afterSpace = true;
        } else {
            break;
        }
    }
    if (!twoGroups || std::iswalnum(text[i]))
        return 0;
    *value = bits;
    *position += i;
    return 1;
}

int ReadHexLiteral(const wchar_t* text, int* position, double* value)
{
    if (text[0] != L'0' || text[1] != L'x')
        return 0;
    uint32_t number = 0;
    int significant = 0;
    int i = 2;
    for (;; ++i) {
        wchar_t c = text[i];
        unsigned digit;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        else
            break;
        if (significant > 0 || digit != 0)
            ++significant;
        if (significant > 8)
            return 0; // more than 32 bits: no literal rather than a wrapped value
        number = (number << 4) | digit;
    }
    if (i == 2)
        return 0;
    *value = number;
    *position += i;
    return 1;
}
