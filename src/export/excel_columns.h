#pragma once
// Spreadsheet column names: A, B, ..., Z, AA, ..., ZZ, AAA, ..., XFD.
#include <QString>

// The name of the 0-based column `index`; "NINCS" beyond the last column a
// worksheet can have (16384) and for a negative index.
QString ExcelColumnName(int index);

// The 0-based index of a column named by one or two letters (any case,
// surrounding blanks ignored); -1 for anything else.
int ExcelColumnIndex(const QString& name);
