#include "CalcArithmetic.h"
#include <cmath>

namespace {

// Adds 0.5 with the value's sign and truncates toward zero.
double RoundHalfAway(double value)
{
    return std::trunc(value >= 0 ? value + 0.5 : value - 0.5);
}

const double Int32Low = -2147483648.0;
const double Int32High = 2147483647.0;
const double Int64Low = -9223372036854775808.0; // -2^63, exact
const double Int64End = 9223372036854775808.0;  // 2^63, first value out of range

int32_t ToInt32(double whole)
{
    if (!(whole >= Int32Low && whole <= Int32High)) // also NaN
        return INT32_MIN;
    return static_cast<int32_t>(whole);
}

} // namespace

int32_t RoundToInt32(double value)
{
    return ToInt32(RoundHalfAway(value));
}

int64_t RoundToInt64(double value)
{
    double whole = RoundHalfAway(value);
    if (!(whole >= Int64Low && whole < Int64End))
        return INT64_MIN;
    return static_cast<int64_t>(whole);
}

int32_t TruncateToInt32(double value)
{
    return ToInt32(std::trunc(value));
}

double BitAnd(double left, double right)
{
    return RoundToInt32(left) & RoundToInt32(right);
}

double BitOr(double left, double right)
{
    return RoundToInt32(left) | RoundToInt32(right);
}

double BitXor(double left, double right)
{
    return RoundToInt32(left) ^ RoundToInt32(right);
}

// Shifts work on the 64-bit two's complement of the left operand; only the
// low 6 bits of the count matter.
double ShiftRight(double left, double right)
{
    uint64_t bits = static_cast<uint64_t>(RoundToInt64(left));
    unsigned count = static_cast<unsigned>(static_cast<uint64_t>(RoundToInt64(right)) & 63);
    return static_cast<double>(bits >> count);
}

double ShiftLeft(double left, double right)
{
    uint64_t bits = static_cast<uint64_t>(RoundToInt64(left));
    unsigned count = static_cast<unsigned>(static_cast<uint64_t>(RoundToInt64(right)) & 63);
    return static_cast<double>(bits << count);
}

// The remainder has the sign of the left operand. A divisor of 0 fails the
// evaluation; INT32_MIN % -1 (whose quotient overflows) is 0.
double Modulo(double left, double right)
{
    int32_t dividend = RoundToInt32(left);
    int32_t divisor = RoundToInt32(right);
    if (divisor == 0)
        throw CCalcFault(L"Division by zero");
    if (divisor == -1)
        return 0;
    return dividend % divisor;
}

double Percent(double left, double right)
{
    return left * right / 100;
}

double LogicalNot(double value)
{
    return RoundToInt32(value) == 0 ? 1 : 0;
}

double Complement(double value)
{
    uint32_t low = static_cast<uint32_t>(static_cast<uint64_t>(RoundToInt64(value)));
    return static_cast<double>(~low);
}

double Power(double base, double exponent)
{
    return std::pow(base, exponent);
}
