#pragma once
// Numbers under a display mask, as reports and grids print amounts:
// "###,###,##0.##", "#,##0.00", "#####0", "###,###", "#".
//  - "0" places are always printed, "#" places only when the value needs them;
//    the integer part is never cut, however few places the mask has;
//  - a "," before the decimal point groups the integer digits by three with a
//    blank; the mask's "." prints as the workstation's decimal separator;
//  - the value is rounded to the mask's decimals, halves away from zero, so a
//    mask of "#" places only prints nothing for a value that rounds to zero;
//  - a negative value gets a leading "-" (not when it rounds to zero).
// Other characters of the mask are ignored; an empty mask prints the value in
// general form.
#include <QString>

QString FormatMask(double value, const QString& mask);

// Digits grouped by three from the right with the thousands blank: "1234567"
// as "1 234 567".
QString GroupByThree(const QString& digits);
