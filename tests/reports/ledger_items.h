#pragma once
// Ledger items written straight into TETEL for the report tests, and the
// rows of a result table read back.
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

#include "db/dat.h"
#include "support/ledger_rows.h"
#include "export/export_source.h"

namespace items {

struct Item {
    QString szla, eszla;
    double ertek;
    QString ntipus = QStringLiteral("VV");
    QString teljkelt = QStringLiteral("2025.03.10");
    QString konyvbiz = QStringLiteral("V1");
    QString sorszam = QStringLiteral("1");
    QString bizonylat = QString("");
    QString szoveg = QStringLiteral("tétel");
    QString konyvelve = QStringLiteral("2025.03.12");
    QString bizkelt = QStringLiteral("2025.03.09");
    QString szamlaszam = QString("");
};

inline void Post(const QList<Item>& list) {
    for (const Item& i : list)
        InsertLedgerRow({{"SZLA", i.szla}, {"ESZLA", i.eszla}, {"ERTEK", i.ertek}, {"NTIPUS", i.ntipus},
                         {"TELJKELT", i.teljkelt}, {"KONYVBIZ", i.konyvbiz}, {"SORSZAM", i.sorszam},
                         {"BIZONYLAT", i.bizonylat}, {"SZOVEG", i.szoveg}, {"KONYVELVE", i.konyvelve},
                         {"BIZKELT", i.bizkelt}, {"SZAMLASZAM", i.szamlaszam}, {"SZLAKELT", i.teljkelt},
                         {"FIZHATIDO", i.teljkelt}});
}

// The named columns of a statement's rows as the reports read them (CHAR
// values without their padding), joined by " | ", numbers in general form.
inline QStringList Rows(const QString& sql, const QStringList& columns, const QVariantMap& params = {}) {
    QStringList out;
    QueryExportSource rows(ExecSql(d_tarvedo, sql, params), QStringLiteral("q_rows"));
    QList<int> at;
    for (const QString& column : columns)
        for (int i = 0; i < rows.columns().size(); ++i)
            if (rows.columns().at(i).name.compare(column, Qt::CaseInsensitive) == 0) at << i;
    for (bool more = rows.first(); more; more = rows.next()) {
        QStringList values;
        for (int i : at) {
            const QVariant v = rows.value(i);
            values << (v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 15) : v.toString());
        }
        out << values.join(QStringLiteral(" | "));
    }
    return out;
}

// Two customer invoices and a bank payment over two months: the small
// ledger the report windows are tried on.
inline void PostSample() {
    Post({
        {"311", "911", 1000, "VE", "2025.01.15", "V1", "1"},
        {"384", "311", 1000, "BK", "2025.02.10", "B1", "2"},
        {"312", "911", 500, "VE", "2025.02.20", "V2", "3"},
    });
}

}  // namespace items
