#pragma once
// The cells of one worksheet as the XML of its sheetData, made row by row
// and handed to a deflate stream, so that a sheet of any length takes no
// memory. What goes before the rows (the used range, the column widths) is
// known only at the end: head() and tail() make it then.
#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "byte_buffer.h"

class DeflateStream;

// A cell outside the sheet's grid.
class SheetGridError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A column's width and look, for the sheet's head.
struct SheetColumn {
    double width = 0;  // characters; 0 with hidden
    bool hidden = false;
    int style = 0;     // the format of the column's empty cells
};

class SheetXml {
public:
    static constexpr int kMaxColumns = 16384;
    static constexpr int kMaxRows = 1048576;

    explicit SheetXml(DeflateStream& rows);

    // Starts sheet row `row` (1-based, rising); the previous one ends.
    void beginRow(int row);
    // Cells of the current row, in any column order; a second value in one
    // column replaces the first.
    void text(int column, QStringView text, int style);
    void text(int column, std::string_view utf8, int style);
    void number(int column, double value, int style);
    void boolean(int column, bool value, int style);
    // formula: without "=", as UTF-8; value: what it gives.
    void formula(int column, const QByteArray& formula, double value, int style);
    void blank(int column, int style);
    // Ends the last row.
    void end();

    void merge(int firstColumn, int lastColumn, int row);
    // The parts around the rows: the sheet's used range, columns (0-based
    // index -> look) and whether it is the selected sheet.
    QByteArray head(const QList<SheetColumn>& columns, bool selected) const;
    QByteArray tail() const;

private:
    struct CellSpan {
        int column;
        qsizetype start;
        qsizetype end;
    };
    void openCell(int column, int style, const char* type);
    void closeCell();
    void endRow();
    const QByteArray& columnName(int column);

    DeflateStream& m_out;
    ByteBuffer m_rowXml;     // the cells of the current row
    std::vector<CellSpan> m_cells;
    bool m_sorted = true;
    int m_row = 0;           // 0: no row open
    char m_rowText[16];
    int m_rowTextSize = 0;
    int m_firstRow = 0, m_lastRow = 0, m_firstColumn = -1, m_lastColumn = -1;
    QList<QByteArray> m_columnNames;
    QStringList m_merges;
};

// Writes a text as XML character data in UTF-8 at `out`, which has room
// for 7 bytes a character: markup characters as entities, control
// characters as _xHHHH_. Returns the end.
char* WriteXmlText(char* out, QStringView text);
char* WriteXmlText(char* out, std::string_view utf8);
// The same, appended to `out`.
void AppendXmlText(QByteArray& out, QStringView text);
void AppendXmlText(QByteArray& out, std::string_view utf8);
// Appends a number as the shortest text that reads back as the same value.
void AppendNumber(QByteArray& out, double value);
