#pragma once
// The cells of an import file as the format describes it: a text file of
// separated fields or a worksheet, its heading lines apart from its data.
#include <QList>
#include <QString>
#include <QStringList>

#include "import/import_format.h"
#include "import/source_cells.h"

struct SourceLine {
    int number = 0;  // the line of the text file or the row of the sheet (1-based)
    SourceCells cells;
};

struct SourceTable {
    SourceCells heading;  // the first heading line
    QList<SourceLine> lines;
    // A text file's contents: the cells of its lines are views into it, so
    // they are valid while the table lives.
    QString text;
    // The cell index of a source column: a heading text (any case), a
    // column letter or a 1-based column number; -1 when there is none.
    int columnOf(const QString& source) const;
    // The heading texts that stand in more than one column.
    QStringList repeatedHeadings() const;
};

bool ReadImportSource(const QString& path, const ImportFormat& format, SourceTable& table, QString& error);
