#include "import_format.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include "db/dat.h"

namespace {

// A column's text; empty for a column the database does not have.
QString text(const QSqlQuery& q, const char* column) {
    const int at = q.record().indexOf(QLatin1String(column));
    return at < 0 ? QString() : q.value(at).toString().trimmed();
}

}  // namespace

const QStringList& ImportableFields() {
    static const QStringList fields{"NTIPUS",    "KONYVELVE", "TELJKELT",   "SZLAKELT",  "FIZHATIDO", "BIZKELT",
                                    "UGYFELKOD", "KTSGHELY",  "SZAMLASZAM", "BIZONYLAT", "SZOVEG",    "SZLA",
                                    "ESZLA",     "ERTEK",     "TART_KOV",   "AFAKULCS",  "SOR65",     "DEVIZANEM",
                                    "DEVIZAERTEK", "ARFOLYAM", "TIPUS"};
    return fields;
}

bool LoadImportFormat(const QString& name, ImportFormat& format, QString& error) {
    format = ImportFormat();
    format.name = name.trimmed().toUpper();
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select * from BEOVEZ where FORMATUM = cast(:F as varchar(250)) order by SORREND"),
                          {{QStringLiteral("F"), format.name}});
    bool described = false;
    while (NextRow(q)) {
        const int order = q.value(QStringLiteral("SORREND")).toInt();
        if (order == 0) {
            described = true;
            format.description = text(q, "MEGNEVEZES");
            format.fileType = text(q, "FAJLTIPUS").toUpper();
            const QString separator = text(q, "ELVALASZTO");
            if (separator.compare(QLatin1String("TAB"), Qt::CaseInsensitive) == 0) format.separator = QLatin1Char('\t');
            else if (!separator.isEmpty()) format.separator = separator.at(0);
            format.encoding = text(q, "KODLAP");
            format.headingLines = q.value(QStringLiteral("FEJLECSOR")).toInt();
            format.sheetName = text(q, "LAPNEV");
            format.voucherKey = text(q, "BIZONYLATKULCS");
            // Databases made before the column existed have none: the amounts tell.
            const QString mark = text(q, "TIZEDESJEL");
            if (mark == QLatin1String(","))
                format.decimalMark = DecimalMark::Comma;
            else if (mark == QLatin1String("."))
                format.decimalMark = DecimalMark::Point;
            else if (!mark.isEmpty()) {
                error = QStringLiteral("%1 formátum: a tizedesjel vessző vagy pont lehet, nem „%2”.").arg(format.name, mark);
                return false;
            }
            continue;
        }
        ImportColumn column;
        column.order = order;
        column.source = text(q, "OSZLOP");
        column.field = text(q, "MEZO").toUpper();
        column.defaultValue = q.value(QStringLiteral("ALAPERTEK")).toString();
        column.conversion = text(q, "ATALAKITAS").toUpper();
        column.required = text(q, "KOTELEZO").toUpper() == QLatin1String("I");
        format.columns << column;
    }
    if (!described) {
        error = QStringLiteral("Nincs ilyen átvételi formátum: ") + format.name;
        return false;
    }
    static const QStringList conversions{"", "NAGYBETU", "DATUM", "SZAM", "ELOJEL"};
    for (const ImportColumn& column : format.columns) {
        const QString where = QStringLiteral("%1 formátum, %2. sor: ").arg(format.name).arg(column.order);
        if (!ImportableFields().contains(column.field)) {
            error = where + QStringLiteral("a(z) %1 mezőt nem tölti az átvétel.").arg(column.field);
            return false;
        }
        if (!conversions.contains(column.conversion)) {
            error = where + QStringLiteral("ismeretlen átalakítás: ") + column.conversion;
            return false;
        }
    }
    return true;
}

QList<QPair<QString, QString>> ImportFormats() {
    QList<QPair<QString, QString>> formats;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select FORMATUM, MEGNEVEZES from BEOVEZ where SORREND = 0 order by FORMATUM"));
    while (NextRow(q)) formats << qMakePair(q.value(0).toString().trimmed(), q.value(1).toString());
    return formats;
}

QString DefaultImportFormat(const QString& path) {
    const bool spreadsheet = QFileInfo(path).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select FORMATUM, FAJLTIPUS from BEOVEZ where SORREND = 0 order by FORMATUM"));
    while (NextRow(q)) {
        const QString type = q.value(1).toString().trimmed().toUpper();
        if ((type == QLatin1String("XLSX")) == spreadsheet) return q.value(0).toString().trimmed();
    }
    return {};
}
