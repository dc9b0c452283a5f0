// The texts a value is written back as: hexadecimal, decimal, binary or
// scientific, chosen by the command number.
#pragma once
#include <cstddef>

const size_t ResultTextLength = 1024;

enum ResultCommand {
    CommandHex = 1,
    CommandDecimal = 2,
    CommandBinary = 3,
    CommandVarConst = 4,
    CommandHistory = 5,
    CommandScience = 6,
};

// Command 1 hex, 2 decimal, 3 binary; every other number scientific.
void FormatResult(double value, int command, wchar_t* out);
// "%ge%+01d" of the mantissa and the decimal exponent; 0 is "0e+0".
void FormatScientific(wchar_t* out, double value);
// The one routine that writes floating-point text: "%.*g" in the "C" locale
// whatever the process locale is; infinity and NaN as "inf", "-inf", "nan".
void FormatNumber(wchar_t* out, size_t size, double value, int precision);
