#pragma once
// Numbers as the exported files write them, made straight into a character
// buffer (the text and SQL files write millions of them).

// At least this many characters fit every result.
constexpr int kNumberTextSize = 400;

// As a list shows it: up to 15 significant digits, trailing zeros dropped,
// an exponent only for very large or small values ("1e+20"); a point as
// decimal separator. Returns the length.
int GeneralNumberText(double x, char* out);
// Without exponent, in as few digits as read back the same value. Returns
// the length.
int PlainNumberText(double x, char* out);
