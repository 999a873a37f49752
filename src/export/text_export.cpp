#include "text_export.h"

#include <QSaveFile>

#include "cp1250_writer.h"
#include "db/ui_hooks.h"
#include "export_source.h"

namespace {

struct TextColumn {
    int index;
    int width;
    bool leftAligned;  // texts; numbers and the rest are right-aligned
};

}  // namespace

bool ExportToText(ExportSource& source, const QString& fileName) {
    if (!source.first()) return false;

    QList<TextColumn> layout;
    for (int i : source.visibleColumns()) {
        const ExportColumn& column = source.columns().at(i);
        layout << TextColumn{i, qMax(int(column.displayLabel.size()), column.displayWidth), column.isText()};
    }

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        ShowMessage(QStringLiteral("A fájl nem írható: %1").arg(fileName));
        return false;
    }
    Cp1250Writer out(file);
    do {
        for (const TextColumn& column : layout) {
            QString value = ExportValueText(source.value(column.index));
            // A line break inside a value would split the row in two.
            if (value.contains(u'\n') || value.contains(u'\r')) {
                value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
                value.replace(u'\r', u' ').replace(u'\n', u' ');
            }
            if (column.leftAligned) {
                out.append(value);
                out.appendBlanks(column.width + 2 - value.size());
            } else {
                out.appendBlanks(column.width - value.size());
                out.append(value);
                out.appendBlanks(2);
            }
        }
        out.endLine();
    } while (source.next());
    out.flush();
    if (!file.commit()) {
        ShowMessage(QStringLiteral("A fájl nem írható: %1").arg(fileName));
        return false;
    }
    return true;
}
