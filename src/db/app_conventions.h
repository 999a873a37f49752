#pragma once
// Number and date conventions of the whole run, set once at start: the
// thousands separator is a blank, dates are "yyyy.mm.dd", and the decimal
// separator is the workstation's own (a point or a comma).
#include <QChar>

void SetAppConventions();

QChar DecimalSeparator();
void SetDecimalSeparator(QChar separator);  // tests try both separators

inline constexpr QChar ThousandSeparator = u' ';
inline constexpr QChar DateSeparator = u'.';
inline constexpr const char* ShortDateFormat = "yyyy.MM.dd";
