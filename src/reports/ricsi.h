#pragma once
// The rows of a query as text lines, for the text viewer ("RichEdit
// megjelenítő"): the title and an empty line, a header of the column
// captions, an empty line, then one line per row; every column padded to
// its display width (texts on the right, others on the left) and followed
// by a blank.
#include <QByteArray>
#include <QString>
#include <QStringList>

class ExportSource;

QStringList RicsiLines(ExportSource& rows, const QString& title = {});

// The file name the text is stored under: ".RTF" is appended when the name
// has no extension or another one.
QString RicsiFileName(const QString& chosen);
// The lines as a rich-text file in a fixed-pitch font.
QByteArray RicsiRtf(const QStringList& lines, const QString& fontFamily, int pointSize);
