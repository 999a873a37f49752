#include "reports/afalista_table.h"

#include <QSqlError>
#include <QSqlQuery>

#include "db/dat.h"
#include "db/db_error.h"
#include "reports/afalista.h"

void CreateAfalistaTable(const QString& name, const QStringList& dynamicColumns) {
    ResultTable table;
    table.prepare(AfalistaPrefix, AfalistaColumns(dynamicColumns), [&](const QString&) { return name; });
}

void InsertAfalistaRows(const QString& table, const AfalistaResult& result) {
    QStringList columns = {QStringLiteral("NTIPUS"),   QStringLiteral("FIZLEV"),    QStringLiteral("AFASZLA"),
                           QStringLiteral("SZAMLASZAM"), QStringLiteral("UGYFELKOD"), QStringLiteral("TELJKELT"),
                           QStringLiteral("SZLAKELT"), QStringLiteral("FIZHATIDO"), QStringLiteral("KOD"),
                           QStringLiteral("SZNEV"),    QStringLiteral("ALAP"),      QStringLiteral("AFA"),
                           QStringLiteral("BRUTTO"),   QStringLiteral("KONYVBIZ"),  QStringLiteral("NTNEV"),
                           QStringLiteral("KAPOCS"),   QStringLiteral("SZOVEG")};
    for (const QString& column : result.columns) columns << u'"' + column + u'"';
    const QString sql = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + columns.join(u',') +
                        QStringLiteral(") VALUES (") + QStringList(columns.size(), QStringLiteral("?")).join(u',') +
                        u')';
    DbTransaction transaction(d_tarvedo);
    QSqlQuery insert(Connection(d_tarvedo));
    if (!insert.prepare(sql)) throw DbError(insert.lastError(), sql);
    for (const AfalistaRow& r : result.rows) {
        int i = 0;
        for (const QVariant& v : {QVariant(r.ntipus), QVariant(r.fizlev), QVariant(r.afaszla), QVariant(r.szamlaszam),
                                  r.ugyfelkod, QVariant(r.teljkelt), QVariant(r.szlakelt), QVariant(r.fizhatido),
                                  QVariant(r.kod), QVariant(r.sznev), QVariant(r.alap), QVariant(r.afa),
                                  QVariant(r.brutto), QVariant(r.konyvbiz), QVariant(r.ntnev), QVariant(r.kapocs),
                                  QVariant(r.szoveg)})
            insert.bindValue(i++, v);
        for (double amount : r.columns) insert.bindValue(i++, amount);
        if (!insert.exec()) throw DbError(insert.lastError(), sql);
    }
    transaction.commit();
}
