#include "reports/afalista_table.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QHash>
#include <cstring>
#include <memory>
#include <vector>

#include "db/dat.h"
#include "db/db_error.h"
#include "reports/afalista.h"

void CreateAfalistaTable(const QString& name, const QStringList& dynamicColumns) {
    ResultTable table;
    table.prepare(AfalistaPrefix, AfalistaColumns(dynamicColumns), [&](const QString&) { return name; });
}

namespace {

const QStringList FixedColumns = {QStringLiteral("NTIPUS"),   QStringLiteral("FIZLEV"),    QStringLiteral("AFASZLA"),
                                  QStringLiteral("SZAMLASZAM"), QStringLiteral("UGYFELKOD"), QStringLiteral("TELJKELT"),
                                  QStringLiteral("SZLAKELT"), QStringLiteral("FIZHATIDO"), QStringLiteral("KOD"),
                                  QStringLiteral("SZNEV"),    QStringLiteral("ALAP"),      QStringLiteral("AFA"),
                                  QStringLiteral("BRUTTO"),   QStringLiteral("KONYVBIZ"),  QStringLiteral("NTNEV"),
                                  QStringLiteral("KAPOCS"),   QStringLiteral("SZOVEG")};

// The dynamic columns a row fills: a row has amounts under one or two VAT
// codes and accounts, the rest keep their default 0. Few shapes recur, so
// each has its insert prepared once, and a row binds a few values instead
// of every column.
QByteArray shapeOf(const AfalistaRow& row) {
    QByteArray shape;
    for (size_t c = 0; c < row.columns.size(); ++c)
        if (row.columns[c] != 0) shape.append(reinterpret_cast<const char*>(&c), sizeof c);
    return shape;
}

}  // namespace

void InsertAfalistaRows(const QString& table, const AfalistaResult& result) {
    DbTransaction transaction(d_tarvedo);
    QHash<QByteArray, std::shared_ptr<QSqlQuery>> inserts;
    std::vector<size_t> filled;
    for (const AfalistaRow& r : result.rows) {
        const QByteArray shape = shapeOf(r);
        filled.resize(size_t(shape.size()) / sizeof(size_t));
        std::memcpy(filled.data(), shape.constData(), size_t(shape.size()));
        std::shared_ptr<QSqlQuery>& insert = inserts[shape];
        if (!insert) {
            QStringList columns = FixedColumns;
            for (size_t c : filled) columns << u'"' + result.columns.at(qsizetype(c)) + u'"';
            const QString sql = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + columns.join(u',') +
                                QStringLiteral(") VALUES (") + QStringList(columns.size(), QStringLiteral("?")).join(u',') +
                                u')';
            insert = std::make_shared<QSqlQuery>(Connection(d_tarvedo));
            if (!insert->prepare(sql)) throw DbError(insert->lastError(), sql);
        }
        int i = 0;
        for (const QVariant& v : {QVariant(r.ntipus), QVariant(r.fizlev), QVariant(r.afaszla), QVariant(r.szamlaszam),
                                  r.ugyfelkod, QVariant(r.teljkelt), QVariant(r.szlakelt), QVariant(r.fizhatido),
                                  QVariant(r.kod), QVariant(r.sznev), QVariant(r.alap), QVariant(r.afa),
                                  QVariant(r.brutto), QVariant(r.konyvbiz), QVariant(r.ntnev), QVariant(r.kapocs),
                                  QVariant(r.szoveg)})
            insert->bindValue(i++, v);
        for (size_t c : filled) insert->bindValue(i++, r.columns[c]);
        if (!insert->exec()) throw DbError(insert->lastError(), QStringLiteral("INSERT INTO ") + table);
    }
    transaction.commit();
}
