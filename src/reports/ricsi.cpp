#include "reports/ricsi.h"

#include <QFileInfo>

#include "export/export_source.h"

namespace {

QString padded(const QString& text, int width, bool text_column) {
    return text_column ? text.leftJustified(width) : text.rightJustified(width);
}

// One rich-text character: ASCII as it is (with its specials escaped), the
// rest as a Unicode escape with a "?" for readers that know none.
void appendRtf(QByteArray& out, QChar c) {
    const ushort u = c.unicode();
    if (u == '\\' || u == '{' || u == '}') {
        out += '\\';
        out += char(u);
    } else if (u < 0x80) {
        out += char(u);
    } else {
        out += "\\u" + QByteArray::number(short(u)) + '?';
    }
}

}  // namespace

QStringList RicsiLines(ExportSource& rows, const QString& title) {
    QStringList lines;
    if (!title.isEmpty()) lines << title << QString();
    const QList<ExportColumn>& columns = rows.columns();
    QList<int> widths;
    QString header;
    for (const ExportColumn& c : columns) {
        const int width = c.displayWidth >= 0 ? c.displayWidth : int(c.displayLabel.size());
        widths << width;
        const QString label = c.displayLabel.size() > width ? c.displayLabel.left(width) : c.displayLabel;
        header += padded(label, width, c.isText()) + QLatin1Char(' ');
    }
    lines << header << QString();
    for (bool more = rows.first(); more; more = rows.next()) {
        QString line;
        for (int i = 0; i < columns.size(); ++i) {
            QString value = ExportValueText(rows.value(i));
            value.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
            line += padded(value, widths[i], columns[i].isText()) + QLatin1Char(' ');
        }
        lines << line;
    }
    return lines;
}

QString RicsiFileName(const QString& chosen) {
    if (QFileInfo(chosen).suffix().compare(QLatin1String("RTF"), Qt::CaseInsensitive) == 0) return chosen;
    return chosen + QStringLiteral(".RTF");
}

QByteArray RicsiRtf(const QStringList& lines, const QString& fontFamily, int pointSize) {
    QByteArray out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern ";
    for (QChar c : fontFamily) appendRtf(out, c);
    out += ";}}\n\\f0\\fs" + QByteArray::number(pointSize * 2) + "\n";
    for (const QString& line : lines) {
        for (QChar c : line) appendRtf(out, c);
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}
