#pragma once
// Amounts as a Hungarian bookkeeper writes them, read the same way wherever
// an amount comes from a user or a file: the voucher window, the posting
// search, voucher files and imports.
//
// Accepted: an optional sign, digits, blanks or dots as thousands separators
// (groups of three), and a decimal comma or point. With both a comma and a
// point the last one is the decimal mark; a single point or comma is the
// decimal mark; several dots are thousands separators. A single point
// before exactly three digits ("1.234", "-12.500") is refused as ambiguous,
// unless the caller knows the file's decimal mark. Anything else
// (letters, exponents, a sign inside the number, two numbers) is refused, and
// so is an amount of 10^15 forints or more in absolute value.
#include <QString>

// The largest absolute value taken as an amount (exclusive).
constexpr double kAmountLimit = 1e15;

// True and `value` set when `text` is an amount. Otherwise false and `error`
// (when given) holds the Hungarian reason, naming the text as typed. An
// empty text is no amount: callers that allow an empty field test for it first.
bool ParseAmount(const QString& text, double& value, QString* error = nullptr);

// Which mark a file's own format declares as its decimal separator. Either:
// the file does not say, and the text alone has to tell. Comma: points group
// thousands ("1.234,5"); Point: commas group thousands ("1,234.5").
enum class DecimalMark { Either, Comma, Point };
bool ParseAmount(const QString& text, double& value, QString* error, DecimalMark mark);

// How far a text being typed into an amount field is from an amount: a
// field accepts Complete and Partial texts while the user types and refuses
// keys that would make the text Invalid.
enum class AmountInput { Complete, Partial, Invalid };
AmountInput CheckAmountInput(const QString& text);
