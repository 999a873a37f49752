#include "reports/frszotar.h"

#include <QFileInfo>

#include "db/ini.h"
#include "export/export_source.h"

namespace {

const QString FixedPitchFont = QStringLiteral("DejaVu Sans Mono");
constexpr double NormalPoints = 8;
constexpr double SmallestPoints = 4;
// The advance of a fixed-pitch character: 0.6 em, in millimetres a point.
constexpr double CharMmPerPoint = 0.602 * 25.4 / 72;
constexpr double PaddingMm = 1;  // the painter's padding on both sides of a field

// A value on one line: memo texts may hold line breaks.
QString oneLine(const QVariant& value) {
    QString text = ExportValueText(value);
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))) return text;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

}  // namespace

QList<GeneralListColumn> GeneralListColumns(const QList<ExportColumn>& columns) {
    QList<GeneralListColumn> list;
    for (const ExportColumn& c : columns) {
        GeneralListColumn column;
        column.name = c.name;
        column.width = 2 + qMax(int(c.name.size()), c.displayWidth);
        column.numeric = c.isNumeric();
        list << column;
    }
    return list;
}

QString GeneralListHeader(const QList<GeneralListColumn>& columns) {
    QString line;
    for (const GeneralListColumn& c : columns) line += c.name.leftJustified(c.width);
    return line;
}

QString GeneralListLine(const QList<GeneralListColumn>& columns, const QVariantList& values) {
    QString line;
    qsizetype length = 0;
    for (const GeneralListColumn& c : columns) length += c.width;
    line.reserve(length);
    for (int i = 0; i < columns.size(); ++i) {
        const GeneralListColumn& c = columns[i];
        const QString text = oneLine(values.value(i));
        const qsizetype blanks = qMax<qsizetype>(0, (c.numeric ? c.width - 1 : c.width) - text.size());
        if (c.numeric) {
            line.append(QString(blanks, QLatin1Char(' '))).append(text).append(QLatin1Char(' '));
        } else {
            line.append(text).append(QString(blanks, QLatin1Char(' ')));
        }
    }
    return line;
}

ReportLayout Frszotar(const QString& title, const QList<ExportColumn>& exportColumns, const QString& logoFile) {
    const QList<GeneralListColumn> columns = GeneralListColumns(exportColumns);
    int characters = 0;
    for (const GeneralListColumn& c : columns) characters += c.width;

    // Portrait while the lines fit at the normal size, then landscape, then
    // a smaller type until they fit.
    ReportLayout r;
    r.setTitle(title);
    const double needed = characters * CharMmPerPoint * NormalPoints + 2 * PaddingMm;
    r.setLandscape(needed > r.contentWidth());
    double points = NormalPoints;
    if (needed > r.contentWidth())
        points = qMax(SmallestPoints, (r.contentWidth() - 2 * PaddingMm) / (characters * CharMmPerPoint));
    r.setFont(FixedPitchFont, points);
    const double width = r.contentWidth();
    const double lineMm = qMax(3.0, points * 25.4 / 72 * 1.35);

    ReportBand& page = r.pageHeader(20);
    if (!logoFile.isEmpty()) page.picture(logoFile, 0, 40).name(QStringLiteral("logo")).place(0, 15);
    page.title(45, width - 90).name(QStringLiteral("l_cim")).size(12).bold().center().place(4, 8);
    page.printDate(width - 45, 45).name(QStringLiteral("l_keszult")).prefix(QStringLiteral("Készült: ")).size(8).right().place(0, 5);
    page.pageNumber(width - 45, 45).name(QStringLiteral("l_lapszam")).prefix(QStringLiteral("Lapszám: ")).size(8).right().place(5, 5);

    r.columnHeader(lineMm + 1).frame(Frame::Bottom).label(GeneralListHeader(columns), 0, width).name(QStringLiteral("l_fejlec"));
    r.detail(lineMm).value(
        [columns](const ReportRow& row) {
            QVariantList values;
            values.reserve(columns.size());
            for (int i = 0; i < columns.size(); ++i) values << row.at(i);
            return QVariant(GeneralListLine(columns, values));
        },
        0, width).name(QStringLiteral("sor"));
    return r;
}

QString GeneralListLogo() {
    QString file;
    IniGet(QStringLiteral("LOGO_KEP"), file);
    file = file.trimmed();
    if (file.isEmpty()) return {};
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QFileInfo(file).isFile() ? file : QString();
}
