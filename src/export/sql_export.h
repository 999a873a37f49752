#pragma once
// The SQL script of a list (".SQL"): one INSERT statement per row, so that
// the rows can be loaded into a table of any database. Written in the
// workstations' code page (Windows-1250), like the update scripts.
#include <QString>

class ExportSource;

// Writes an INSERT for every row into `fileName` (asked for when empty).
// The target table is `tableName`, or the one the list's statement reads, or
// the list's name. deleteFirst: a "Delete From" line comes first; append: an
// existing file is continued instead of replaced. False when there are no
// rows, no name was chosen or the file cannot be written. Throws DbError
// when reading the rows fails.
bool ExportToSql(ExportSource& source, const QString& fileName, const QString& tableName, bool deleteFirst,
                 bool append);

// The first word after FROM in a statement text, upper-cased; empty when
// there is none.
QString SqlTableFromStatement(const QString& statement);

// The target table of a list's script.
QString SqlTargetTable(const ExportSource& source, const QString& tableName);

// A text as an SQL literal: apostrophes doubled, comment marks removed.
QString SqlTextLiteral(const QString& text);
