#include "import_source.h"

#include <QFileInfo>

#include "import/xlsx_sheet.h"
#include "posting/delimited_text.h"

int SourceTable::columnOf(const QString& source) const {
    const QString s = source.trimmed();
    if (s.isEmpty()) return -1;
    for (int i = 0; i < heading.size(); ++i)
        if (heading[i].trimmed().compare(s, Qt::CaseInsensitive) == 0) return i;
    bool number = false;
    const int n = s.toInt(&number);
    if (number) return n >= 1 ? n - 1 : -1;
    return ColumnIndex(s);
}

bool ReadImportSource(const QString& path, const ImportFormat& format, SourceTable& table, QString& error) {
    table = SourceTable();
    if (!QFileInfo::exists(path)) {
        error = QStringLiteral("A fájl nem található: ") + path;
        return false;
    }
    QList<SourceLine> all;
    if (format.fileType == QLatin1String("XLSX")) {
        QList<SheetRow> rows;
        if (!ReadXlsxSheet(path, format.sheetName, rows, error)) return false;
        for (const SheetRow& row : rows) all << SourceLine{row.number, row.cells};
    } else {
        QString text;
        if (!ReadTextFile(path, text, format.encoding)) {
            error = QStringLiteral("A fájl nem olvasható: ") + path;
            return false;
        }
        for (const DelimitedLine& line : SplitDelimitedText(text, format.separator)) all << SourceLine{line.number, line.fields};
    }
    const int skip = qMin(qMax(format.headingLines, 0), int(all.size()));
    if (skip > 0) {
        table.heading = all.first().cells;
        if (!table.heading.isEmpty() && table.heading.first().startsWith(QChar(0xFEFF))) table.heading.first().remove(0, 1);
    }
    table.lines = all.mid(skip);
    return true;
}
