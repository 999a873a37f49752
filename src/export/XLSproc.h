#pragma once
// Spreadsheet export: result sets written as worksheets of a workbook, with
// an optional title, group subtotals and a grand total. The workbook file is
// written directly (.xlsx format); no spreadsheet program is needed.
#include <QList>
#include <QString>
#include <QStringList>

class ExportSource;
class ExportProgress;

// How one result set is laid out on its worksheet. Column lists are
// comma-separated display labels.
struct TXLSParams {
    QString SheetName;
    QString SumFields;          // columns with subtotals and a grand total
    QString GroupFields;        // columns whose change of value closes a group
    QStringList ColumnTitles;   // captions; only when there is one for every column
    bool NoTotal = false;       // no grand-total row
    QString ReportTitle;        // merged bold title above the captions; empty: none
    QString IntegerFields;      // sum columns shown without decimals
    QString BlankIfNullFields;  // numeric columns whose zeros stay blank
};

// Rows one worksheet takes in the format the name's extension asks for:
// 65 536 for ".XLS" (as the older format held), 1 048 576 otherwise.
int RowsPerWorksheet(const QString& fileName);

// Writes each result set onto a worksheet of its own, laid out by the
// parameters at the same position (the set's name as sheet name when there
// are none). fileName: the workbook's name; empty: asked for; "TEMP" (any
// case): a temporary workbook opened with the desktop's spreadsheet program.
// An existing file is overwritten only after asking, unless nameConfirmed.
// askToOpen: the closing message offers to open the workbook. chosenFileName
// receives the name written. False when nothing was written: no rows in any
// set, no valid name, or the file could not be written (the user is told).
bool ExportToExcel(const QList<ExportSource*>& sources, const QList<TXLSParams>& params, QString& chosenFileName,
                   bool askToOpen, ExportProgress* progress, bool nameConfirmed, const QString& fileName);
