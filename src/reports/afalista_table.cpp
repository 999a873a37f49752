#include "reports/afalista_table.h"

#include <QSqlError>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QHash>
#include <cstring>
#include <vector>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_write.h"
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
    // Straight through the client library in a transaction of its own on the
    // connection's attachment: the result table's rows belong to the
    // attachment, so the connection reads them once this commits.
    FbWriteTransaction insert(d_tarvedo);
    QHash<QByteArray, isc_stmt_handle> statements;  // by shape, without building the text per row
    FbParams values;
    std::vector<size_t> filled;
    for (const AfalistaRow& r : result.rows) {
        const QByteArray shape = shapeOf(r);
        filled.resize(size_t(shape.size()) / sizeof(size_t));
        if (!shape.isEmpty()) std::memcpy(filled.data(), shape.constData(), size_t(shape.size()));
        isc_stmt_handle& statement = statements[shape];
        if (!statement) {
            QStringList columns = FixedColumns;
            for (size_t c : filled) columns << u'"' + result.columns.at(qsizetype(c)) + u'"';
            statement = insert.prepare(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + columns.join(u',') +
                                       QStringLiteral(") VALUES (") +
                                       QStringList(columns.size(), QStringLiteral("?")).join(u',') + u')');
        }
        values.reset(int(FixedColumns.size() + qsizetype(filled.size())));
        int i = 0;
        for (const QString* t : {&r.ntipus, &r.fizlev, &r.afaszla, &r.szamlaszam}) values.text(i++, *t, false);
        values.text(i++, r.ugyfelkod.toString(), r.ugyfelkod.isNull());
        for (const QString* t : {&r.teljkelt, &r.szlakelt, &r.fizhatido, &r.kod, &r.sznev}) values.text(i++, *t, false);
        values.number(i++, r.alap);
        values.number(i++, r.afa);
        values.number(i++, r.brutto);
        for (const QString* t : {&r.konyvbiz, &r.ntnev, &r.kapocs, &r.szoveg}) values.text(i++, *t, false);
        for (size_t c : filled) values.number(i++, r.columns[c]);
        insert.execute(statement, values);
    }
    insert.commit();
}
