// Value recognisers for the calculator's own literal forms. Each gets the
// expression at the current position, and on success stores the value,
// advances *position by the characters it consumed and returns 1; it returns
// 0 when the text there is not its literal.
#pragma once

// "text"L: the number of characters between the quotes; a backslash and the
// character after it count as one.
int ReadStringLengthLiteral(const wchar_t* text, int* position, double* value);
// Groups of binary digits separated by spaces ("1010 1111"); at least two
// groups and at most 32 digits.
int ReadBinaryLiteral(const wchar_t* text, int* position, double* value);
// "0x" and 1 to 8 significant hexadecimal digits.
int ReadHexLiteral(const wchar_t* text, int* position, double* value);
