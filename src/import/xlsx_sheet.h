#pragma once
// Reading the cells of one worksheet of an .xlsx workbook: the package is
// opened with libzip, the sheet, the shared texts and the workbook's sheet
// list are read with QXmlStreamReader as they are unpacked, a block at a
// time, so a sheet never sits in memory unpacked. Cells come back as texts:
// texts as they are, numbers in their stored form (dates are day numbers),
// booleans "1"/"0". Only filled cells are kept.
//
// A workbook beyond the limits below is refused with a message rather than
// read: a small file can unpack into gigabytes.
#include <QList>
#include <QString>

#include "import/source_cells.h"

struct SheetRow {
    int number = 0;  // the row's number in the sheet (1-based)
    SourceCells cells;
};

struct SheetLimits {
    int columns = 16384;           // XFD, the last column of a worksheet
    int rows = 1048576;            // the last row of a worksheet
    qint64 cells = 4000000;        // filled cells kept
    int cellChars = 32767;         // characters of one cell, as in the spreadsheet programs themselves
    qint64 textChars = 64 << 20;   // characters of all cells kept, a shared text counted in every cell it fills
    qint64 sheetBytes = qint64(512) << 20;   // the sheet unpacked
    qint64 sharedBytes = qint64(128) << 20;  // the shared texts unpacked
    qint64 otherBytes = qint64(16) << 20;    // the workbook's sheet list and its relations unpacked
    qint64 markupGap = 1 << 20;    // bytes without markup: no cell text is this long
};

// The rows of the sheet named `sheetName`, or of the first sheet when the
// name is empty. Rows without any filled cell are left out. False with
// `error` (a Hungarian message) when the file is no workbook, has no such
// sheet, is damaged or goes beyond the limits.
bool ReadXlsxSheet(const QString& path, const QString& sheetName, QList<SheetRow>& rows, QString& error,
                   const SheetLimits& limits = SheetLimits());

// "A" -> 0, "Z" -> 25, "AA" -> 26, "XFD" -> 16383; -1 for a text that is no
// column name or lies beyond the last column of a worksheet.
int ColumnIndex(const QString& letters);
