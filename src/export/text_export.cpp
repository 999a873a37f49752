#include "text_export.h"


#include <algorithm>
#include <charconv>
#include <cmath>

#include "cp1250_writer.h"
#include "db/app_conventions.h"
#include "db/ui_hooks.h"
#include "db/work_file.h"
#include "export_source.h"
#include "number_text.h"

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

    WorkFile file(fileName);
    if (!file.open()) {
        ShowMessage(QStringLiteral("A fájl nem írható: %1").arg(fileName));
        return false;
    }
    Cp1250Writer out(file);
    const char separator = char(DecimalSeparator().toLatin1());
    char number[kNumberTextSize];
    do {
        for (const TextColumn& column : layout) {
            std::string_view utf8;
            if (source.textUtf8(column.index, utf8)) {
                out.appendUtf8Field(utf8, column.width, column.leftAligned);
                continue;
            }
            const QVariant value = source.value(column.index);
            // Texts and numbers, most of every list, go straight to the line.
            switch (value.metaType().id()) {
            case QMetaType::QString:
                out.appendField(*static_cast<const QString*>(value.constData()), column.width, column.leftAligned);
                continue;
            case QMetaType::Double: {
                const double x = value.toDouble();
                if (!std::isfinite(x)) break;
                const int size = GeneralNumberText(x, number);
                std::replace(number, number + size, '.', separator);
                out.appendField(std::string_view(number, size_t(size)), column.width, column.leftAligned);
                continue;
            }
            case QMetaType::Int:
            case QMetaType::LongLong: {
                const int size = int(std::to_chars(number, number + sizeof number, value.toLongLong()).ptr - number);
                out.appendField(std::string_view(number, size_t(size)), column.width, column.leftAligned);
                continue;
            }
            default: break;
            }
            out.appendField(ExportValueText(value), column.width, column.leftAligned);
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
