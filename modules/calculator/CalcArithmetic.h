// Integer conversions and the calculator's own operators. Every conversion
// from floating point is explicit, so no value (NaN, infinity, out of range)
// reaches undefined behaviour, and no operation can raise a hardware trap.
#pragma once
#include <cstdint>

// An evaluation failure raised by the calculator itself rather than by the
// parser (the parser's own errors carry a position; this one does not).
class CCalcFault {
public:
    explicit CCalcFault(const wchar_t* text) : m_text(text) {}
    const wchar_t* GetText() const { return m_text; }

private:
    const wchar_t* m_text;
};

// Rounded half away from zero; NaN and values outside the range give the
// type's minimum value.
int32_t RoundToInt32(double value);
int64_t RoundToInt64(double value);
// Truncated toward zero; NaN and values outside the range give INT32_MIN.
int32_t TruncateToInt32(double value);

// Binary operators.
double BitAnd(double left, double right);
double BitOr(double left, double right);
double BitXor(double left, double right);
double ShiftRight(double left, double right);
double ShiftLeft(double left, double right);
double Modulo(double left, double right);
double Percent(double left, double right);

// Prefix operators.
double LogicalNot(double value);
double Complement(double value);

// The function "pow".
double Power(double base, double exponent);
