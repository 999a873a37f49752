#include "import_source.h"

#include <QFileInfo>
#include <QSet>
#include <future>

#include "import/xlsx_sheet.h"
#include "posting/delimited_text.h"

namespace {

QString headingKey(const QString& text) { return text.trimmed().toUpper(); }

}  // namespace

int SourceTable::columnOf(const QString& source) const {
    const QString s = source.trimmed();
    if (s.isEmpty()) return -1;
    for (const SourceCell& cell : heading.cells())
        if (headingKey(cell.text) == headingKey(s)) return cell.column;
    bool number = false;
    const int n = s.toInt(&number);
    if (number) return n >= 1 ? n - 1 : -1;
    return ColumnIndex(s);
}

QStringList SourceTable::repeatedHeadings() const {
    QSet<QString> seen;
    QStringList repeated;
    for (const SourceCell& cell : heading.cells()) {
        const QString key = headingKey(cell.text);
        if (key.isEmpty()) continue;
        if (seen.contains(key) && !repeated.contains(cell.text.trimmed())) repeated << cell.text.trimmed();
        seen.insert(key);
    }
    return repeated;
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
        all.reserve(rows.size());
        for (SheetRow& row : rows) all << SourceLine{row.number, std::move(row.cells)};
    } else {
        QString& text = table.text;
        // The reader names the file and, for a bad byte or a control
        // character, the first line that holds it.
        if (!ReadTextFile(path, text, format.encoding, &error)) return false;
        int unclosedQuote = 0;
        const QList<DelimitedLine> lines =
            SplitDelimitedText(text, format.separator, &unclosedQuote, DelimitedFields::ViewingText);
        if (unclosedQuote > 0) {
            error = UnclosedQuoteMessage(unclosedQuote);
            return false;
        }
        // Each half of the lines on a core of its own.
        all.resize(lines.size());
        const auto take = [&](qsizetype from, qsizetype to) {
            for (qsizetype l = from; l < to; ++l) {
                const DelimitedLine& line = lines[l];
                SourceLine& source = all[l];
                source.number = line.number;
                source.cells.reserve(line.fields.size());
                for (int i = 0; i < line.fields.size(); ++i) source.cells.set(i, line.fields.at(i));
            }
        };
        auto secondHalf = std::async(std::launch::async, take, lines.size() / 2, lines.size());
        take(0, lines.size() / 2);
        secondHalf.get();
    }
    const int skip = qMin(qMax(format.headingLines, 0), int(all.size()));
    if (skip > 0) {
        table.heading = all.first().cells;
        QString first = table.heading.at(0);
        if (first.startsWith(QChar(0xFEFF))) table.heading.set(0, first.remove(0, 1));
    }
    all.remove(0, skip);
    table.lines = std::move(all);
    return true;
}
