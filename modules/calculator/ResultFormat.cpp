#include "ResultFormat.h"
#include "CalcArithmetic.h"
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>

void FormatNumber(wchar_t* out, size_t size, double value, int precision)
{
    if (size == 0)
        return;
    char text[64];
    size_t length;
    if (std::isnan(value)) {
        length = 3;
        std::memcpy(text, "nan", 3);
    } else if (std::isinf(value)) {
        const char* name = value < 0 ? "-inf" : "inf";
        length = std::strlen(name);
        std::memcpy(text, name, length);
    } else {
        // to_chars is locale-independent and follows printf's "%.*g".
        auto result = std::to_chars(text, text + sizeof(text), value, std::chars_format::general, precision);
        length = result.ec == std::errc() ? static_cast<size_t>(result.ptr - text) : 0;
    }
    if (length >= size)
        length = size - 1;
    for (size_t i = 0; i < length; ++i)
        out[i] = static_cast<wchar_t>(text[i]);
    out[length] = 0;
}

namespace {

// Scales value by 10^(-exponent) in two steps, so that 10^(-exponent) itself
// never overflows (subnormal values have exponents below -308).
double ScaleByPowerOfTen(double value, int exponent)
{
    int half = exponent / 2;
    return value * std::pow(10.0, -half) * std::pow(10.0, -(exponent - half));
}

void FormatHex(wchar_t* out, double value)
{
    uint32_t low = static_cast<uint32_t>(static_cast<uint64_t>(RoundToInt64(value)));
    std::swprintf(out, ResultTextLength, L"0x%X", low);
}

void FormatDecimal(wchar_t* out, double value)
{
    int32_t whole = TruncateToInt32(value);
    if (static_cast<double>(whole) == value)
        std::swprintf(out, ResultTextLength, L"%d", whole);
    else
        FormatNumber(out, ResultTextLength, value, 15);
}

// The 32-bit two's complement without leading zeros, in groups of 4 digits
// counted from the right, each group preceded by a space.
void FormatBinary(wchar_t* out, double value)
{
    uint32_t bits = static_cast<uint32_t>(TruncateToInt32(value));
    wchar_t digits[33];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + (bits & 1));
        bits >>= 1;
    } while (bits != 0);
    size_t length = 0;
    for (int i = count - 1; i >= 0; --i) {
        if ((i + 1) % 4 == 0 || i == count - 1)
            out[length++] = L' ';
        out[length++] = digits[i];
    }
    out[length] = 0;
}

} // namespace

void FormatScientific(wchar_t* out, double value)
{
    if (!std::isfinite(value)) {
        FormatNumber(out, ResultTextLength, value, 6);
        return;
    }
    if (value == 0) {
        std::wcscpy(out, L"0e+0");
        return;
    }
    int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    wchar_t mantissa[64];
    FormatNumber(mantissa, 64, ScaleByPowerOfTen(value, exponent), 6);
    // A mantissa that rounds up to 10 (999999.5) moves into the next decade.
    if (std::wcscmp(mantissa, L"10") == 0 || std::wcscmp(mantissa, L"-10") == 0) {
        ++exponent;
        FormatNumber(mantissa, 64, ScaleByPowerOfTen(value, exponent), 6);
    }
    std::swprintf(out, ResultTextLength, L"%lse%+01d", mantissa, exponent);
}

void FormatResult(double value, int command, wchar_t* out)
{
    switch (command) {
    case CommandHex:
        FormatHex(out, value);
        break;
    case CommandDecimal:
        FormatDecimal(out, value);
        break;
    case CommandBinary:
        FormatBinary(out, value);
        break;
    default:
        FormatScientific(out, value);
        break;
    }
}
