#pragma once
// Reading the cells of one worksheet of an .xlsx workbook: the package is
// opened with libzip, the sheet, the shared texts and the workbook's sheet
// list are read with QXmlStreamReader. Cells come back as texts: texts as
// they are, numbers in their stored form (dates are day numbers), booleans
// "1"/"0".
#include <QList>
#include <QString>
#include <QStringList>

struct SheetRow {
    int number = 0;       // the row's number in the sheet (1-based)
    QStringList cells;    // by column: A is 0; missing cells are empty texts
};

// The rows of the sheet named `sheetName`, or of the first sheet when the
// name is empty. Rows without any cell are left out. False with `error`
// (a Hungarian message) when the file is no workbook or has no such sheet.
bool ReadXlsxSheet(const QString& path, const QString& sheetName, QList<SheetRow>& rows, QString& error);

// "A" -> 0, "Z" -> 25, "AA" -> 26; -1 for a text that is no column name.
int ColumnIndex(const QString& letters);
