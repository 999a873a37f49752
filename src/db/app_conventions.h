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

// Hungarian month and day names and Hungarian texts in the toolkit's own
// dialogs (file, print, message box buttons): the Hungarian default locale
// and the toolkit's Hungarian translation, when it is installed. The
// program's own numbers and dates keep the conventions above: they are
// written by its own helpers, never through the locale, and the decimal
// separator stays the workstation's. False when the translation was not
// found (the dialogs then stay in the toolkit's own language).
bool UseHungarianTexts();
