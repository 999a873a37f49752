#pragma once
// An import format as the table BEOVEZ describes it: the row with SORREND 0
// describes the file, the rows 1, 2, ... map the file's columns to the
// columns of TETEL.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "db/amount_text.h"

struct ImportColumn {
    int order = 0;         // SORREND
    QString source;        // OSZLOP: heading text, column letter or 1-based number; empty: the default only
    QString field;         // MEZO: the TETEL column
    QString defaultValue;  // ALAPERTEK: used when the source is empty
    QString conversion;    // ATALAKITAS: "", NAGYBETU, DATUM, SZAM, ELOJEL
    bool required = false; // KOTELEZO "I"
};

struct ImportFormat {
    QString name;          // FORMATUM
    QString description;   // MEGNEVEZES
    QString fileType;      // FAJLTIPUS: XLSX, CSV or TXT
    QChar separator = QLatin1Char(';');
    QString encoding;      // KODLAP
    int headingLines = 0;  // FEJLECSOR
    QString sheetName;     // LAPNEV
    QString voucherKey;    // BIZONYLATKULCS: a source column
    // TIZEDESJEL: "," or "." when the file says which mark is its decimal
    // one; empty: each amount has to tell by itself.
    DecimalMark decimalMark = DecimalMark::Either;
    QList<ImportColumn> columns;
};

// The TETEL columns a format may fill; the item serial number, the link
// number and the voucher number are always given by the import.
const QStringList& ImportableFields();

// Reads the format from BEOVEZ; false with a Hungarian message when it is
// missing or faulty.
bool LoadImportFormat(const QString& name, ImportFormat& format, QString& error);
// The formats, with their descriptions: "NAME" and "MEGNEVEZES".
QList<QPair<QString, QString>> ImportFormats();
// The format for a file when none is named: the first whose file type
// matches the extension (.xlsx: XLSX, anything else CSV or TXT).
QString DefaultImportFormat(const QString& path);
