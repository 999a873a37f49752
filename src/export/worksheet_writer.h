#pragma once
// One result set written onto a worksheet, and onto continuation worksheets
// when it does not fit on one: title, captions, rows, group subtotals, the
// grand total, and at the end the column widths and the hidden marker
// column. Rows are written in order and never revisited, so the workbook
// can stream them to disk.
#include <QList>
#include <QString>
#include <QStringList>

#include <string_view>

#include "XLSproc.h"
#include "workbook_styles.h"

class ExportSource;
class ExportProgress;
class SheetXml;
class XlsxPackage;

// Rows of a group (or of the grand total) on one worksheet, 1-based.
struct SheetRowRange {
    QString sheet;  // empty: the worksheet being written
    int first = 0;
    int last = 0;
};

// One group column while a sheet is written.
struct TGroupSum {
    QString fieldname;     // display label
    int xlsColumn = -1;    // 0-based sheet column
    QString fieldvalue;    // value of the current group
    int fromrow = 0;       // first sheet row (1-based) of the current group
    bool changed = false;  // the value changed on the current row
    int sourceColumn = -1;
    QList<SheetRowRange> earlier;  // the group's rows on worksheets already full
    QList<double> sums;            // per sum column: the group's data rows so far
};

// The comma-separated labels of a parameter list, trimmed.
QStringList FieldLabels(const QString& list);

// "SUMIF(E3:E9,\"<>összesen\",C3:C9)": the sum of column `sumColumn` over
// the rows that are not subtotals; several ranges are added up.
QString SubtotalFormula(const QList<SheetRowRange>& ranges, int markerColumn, int sumColumn);

class WorksheetWriter {
public:
    WorksheetWriter(XlsxPackage& workbook, QStringList& usedSheetNames, ExportSource& source,
                    const TXLSParams& params, int rowsPerSheet, ExportProgress* progress);

    // Throws DbError, SheetGridError or HelperError.
    void write();
    // Column widths and the hidden marker column, on every worksheet written.
    void finish();

private:
    enum class CellKind { Text, Integer, Float, Other };
    struct ColumnRule {
        int source = 0;
        CellKind kind = CellKind::Other;
        bool blankIfNull = false;
        int sumIndex = -1;  // position among the sum columns
        NumberStyle style = NumberStyle::General;
    };
    struct Sheet {
        int index = 0;  // in the workbook
        QString name;
        QList<int> widths;  // characters, per column including the marker
    };

    void prepareColumns();
    void openSheet(const QString& wantedName);
    void ensureRoom();
    void writeDataRow();
    void closeGroups(int first);
    void writeSubtotal(TGroupSum& group);
    void writeGrandTotal();
    void resetGroup(TGroupSum& group);

    void writeOther(int column, const QVariant& value, double& summed);
    void writeText(int column, QStringView text, int style);
    void writeText(int column, std::string_view utf8, int style);
    void writeNumber(int column, double value, NumberStyle style, bool bold);
    void writeSerial(int column, double serial, NumberStyle style);
    void writeFormula(int column, const QString& formula, double value, NumberStyle style);
    void widen(int column, int characters);
    // The row to write on: a new one when the row number has moved on.
    SheetXml& row();

    XlsxPackage& m_workbook;
    SheetXml* m_sheet = nullptr;  // the worksheet being written
    int m_openRow = 0;            // the sheet row that cells go to
    QStringList& m_usedNames;
    ExportSource& m_source;
    const TXLSParams& m_params;
    int m_rowsPerSheet;
    ExportProgress* m_progress;

    QList<ColumnRule> m_columns;  // sheet column -> rule
    QList<int> m_sumColumns;      // sheet columns with sums
    QStringList m_captions;
    int m_marker = 0;             // the column after the last one
    int m_firstDataRow = 2;
    QList<Sheet> m_sheets;
    int* m_widths = nullptr;      // of the worksheet being written
    int m_row = 1;                // the next sheet row to write, 1-based

    QList<TGroupSum> m_groups;
    QStringList m_groupValues;  // of the current source row
    QList<SheetRowRange> m_grandEarlier;
    QList<double> m_grandSums;
};
