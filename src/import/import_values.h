#pragma once
// The conversions of imported values, as other programs and spreadsheets
// write dates and amounts.
#include <QString>

#include "db/amount_text.h"

// A date to "yyyy.mm.dd": "yyyy.mm.dd", "yyyy.mm.dd.", "yyyy-mm-dd",
// "yyyy/mm/dd", "yyyymmdd", or a spreadsheet's day number. False when it
// is no valid date.
bool ImportDate(const QString& text, QString& date);

// An amount or other number of an import file, read by the amount reader
// that the voucher window and voucher files use (db/amount_text.h): a sign,
// digits, blanks or dots as thousands separators, a decimal comma or point,
// below 10^15 in absolute value. `mark` is the decimal mark the import
// format declares; without one an amount that could be read either way
// ("1.234") is refused. False with the reason in `error` (when given) for
// anything else.
bool ImportNumber(const QString& text, double& value, QString* error = nullptr, DecimalMark mark = DecimalMark::Either);
