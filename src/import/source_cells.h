#pragma once
// The filled cells of one line of an import file, by column. Empty cells
// are not kept, so a line costs what it holds, whatever column its last
// cell stands in.
#include <QList>
#include <QString>

struct SourceCell {
    int column = 0;  // A (the first field) is 0
    // A number cell of a worksheet: its text is the stored form, with a
    // decimal point whatever the file's own mark.
    bool number = false;
    QString text;
};

class SourceCells {
public:
    // A later cell of the same column replaces the earlier one; an empty
    // text removes the cell.
    void set(int column, const QString& text, bool number = false);
    // The cell's text; an empty text for a cell that is not there.
    QString at(int column) const;
    // Whether the cell is a worksheet's number cell.
    bool isNumber(int column) const;
    bool isEmpty() const { return m_cells.isEmpty(); }
    void reserve(qsizetype cells) { m_cells.reserve(cells); }
    const QList<SourceCell>& cells() const { return m_cells; }

private:
    const SourceCell* find(int column) const;
    QList<SourceCell> m_cells;  // in column order
};
