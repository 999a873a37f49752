#pragma once
// The conversions of imported values, as other programs and spreadsheets
// write dates and amounts.
#include <QString>

// A date to "yyyy.mm.dd": "yyyy.mm.dd", "yyyy.mm.dd.", "yyyy-mm-dd",
// "yyyy/mm/dd", "yyyymmdd", or a spreadsheet's day number. False when it
// is no valid date.
bool ImportDate(const QString& text, QString& date);

// A number with a decimal comma or point; blanks as thousands separators,
// and with both marks the last one is the decimal mark. False when it is
// no number.
bool ImportNumber(const QString& text, double& value);
