#pragma once
// The fixed-width text file of a list (".TXT"): one line per row, no header,
// every column padded to its width, in the workstations' code page
// (Windows-1250) with Windows line ends.
#include <QString>

class ExportSource;

// Writes the rows into `fileName`, replacing an existing file. False when
// there are no rows or the file cannot be written (the user is told).
// Throws DbError when reading the rows fails; the old file is then kept.
bool ExportToText(ExportSource& source, const QString& fileName);
