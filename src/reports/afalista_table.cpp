#include "reports/afalista_table.h"

#include <QSqlError>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QStringEncoder>
#include <functional>
#include <QHash>
#include <cstring>
#include <memory>
#include <vector>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_status.h"
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

// Inserts through the Firebird client library in a transaction of its own
// on the connection's attachment: the rows skip the driver's per-value
// bookkeeping, which would cost more than the engine's own work. The
// result table's rows belong to the attachment, so the connection reads
// them once the transaction is committed.
class ClientInsert {
public:
    ClientInsert() {
        const QVariant handle = Connection(d_tarvedo).driver()->handle();
        if (!handle.isValid() || handle.metaType().sizeOf() != int(sizeof(isc_db_handle)))
            throw DbError(QStringLiteral("Nem Firebird kapcsolat: ") + d_tarvedo);
        m_database = *static_cast<const isc_db_handle*>(handle.constData());
        static const char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version,
                                   isc_tpb_wait};
        if (isc_start_transaction(m_status, &m_transaction, 1, &m_database, short(sizeof tpb), tpb))
            throw DbError(FbStatusText(m_status));
    }
    ~ClientInsert() {
        ISC_STATUS_ARRAY ignored;
        for (isc_stmt_handle statement : std::as_const(m_statements)) isc_dsql_free_statement(ignored, &statement, DSQL_drop);
        if (m_transaction) isc_rollback_transaction(ignored, &m_transaction);
    }
    ClientInsert(const ClientInsert&) = delete;
    ClientInsert& operator=(const ClientInsert&) = delete;

    // The statement of a shape, prepared on first use.
    isc_stmt_handle statement(const QByteArray& shape, const std::function<QString()>& sql) {
        isc_stmt_handle& statement = m_statements[shape];
        if (statement) return statement;
        const QByteArray text = sql().toUtf8();
        if (isc_dsql_allocate_statement(m_status, &m_database, &statement) ||
            isc_dsql_prepare(m_status, &m_transaction, &statement, 0, text.constData(), SQL_DIALECT_V6, nullptr))
            throw DbError(FbStatusText(m_status), QString::fromUtf8(text));
        return statement;
    }
    void execute(isc_stmt_handle statement, XSQLDA* values) {
        if (isc_dsql_execute(m_status, &m_transaction, &statement, SQLDA_VERSION1, values))
            throw DbError(FbStatusText(m_status));
    }
    void commit() {
        if (isc_commit_transaction(m_status, &m_transaction)) throw DbError(FbStatusText(m_status));
        m_transaction = 0;
    }

private:
    ISC_STATUS_ARRAY m_status{};
    isc_db_handle m_database = 0;
    isc_tr_handle m_transaction = 0;
    QHash<QByteArray, isc_stmt_handle> m_statements;
};

// One row's values as the client library takes them.
class RowValues {
public:
    // Each value sets the fields of its place it needs, the others stay 0:
    // the places are cleared only when there are more of them.
    void reset(int count) {
        if (m_bytes.size() < qsizetype(XSQLDA_LENGTH(count))) {
            m_bytes.fill('\0', qsizetype(XSQLDA_LENGTH(count)));
            m_texts.resize(size_t(count));
            m_numbers.resize(size_t(count));
            m_null.resize(size_t(count));
        }
        da()->version = SQLDA_VERSION1;
        da()->sqln = da()->sqld = short(count);
    }
    XSQLDA* da() { return reinterpret_cast<XSQLDA*>(m_bytes.data()); }
    // The text's UTF-8 bytes go into the place's own buffer, which keeps
    // its size from row to row.
    void text(int i, const QString& value, bool null = false) {
        XSQLVAR& var = da()->sqlvar[i];
        QByteArray& bytes = m_texts[size_t(i)];
        bytes.resize(m_encoder.requiredSpace(value.size()));
        bytes.resize(m_encoder.appendToBuffer(bytes.data(), value) - bytes.data());
        var.sqltype = SQL_TEXT + 1;
        var.sqllen = short(bytes.size());
        var.sqldata = bytes.data();
        m_null[size_t(i)] = null ? -1 : 0;
        var.sqlind = &m_null[size_t(i)];
    }
    void number(int i, double value) {
        XSQLVAR& var = da()->sqlvar[i];
        m_numbers[size_t(i)] = value;
        var.sqltype = SQL_DOUBLE + 1;
        var.sqllen = sizeof(double);
        var.sqldata = reinterpret_cast<char*>(&m_numbers[size_t(i)]);
        m_null[size_t(i)] = 0;
        var.sqlind = &m_null[size_t(i)];
    }

private:
    QByteArray m_bytes;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    std::vector<QByteArray> m_texts;
    std::vector<double> m_numbers;
    std::vector<short> m_null;
};

}  // namespace

void InsertAfalistaRows(const QString& table, const AfalistaResult& result) {
    ClientInsert insert;
    RowValues values;
    std::vector<size_t> filled;
    for (const AfalistaRow& r : result.rows) {
        const QByteArray shape = shapeOf(r);
        filled.resize(size_t(shape.size()) / sizeof(size_t));
        if (!shape.isEmpty()) std::memcpy(filled.data(), shape.constData(), size_t(shape.size()));
        const isc_stmt_handle statement = insert.statement(shape, [&] {
            QStringList columns = FixedColumns;
            for (size_t c : filled) columns << u'"' + result.columns.at(qsizetype(c)) + u'"';
            return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + columns.join(u',') +
                   QStringLiteral(") VALUES (") + QStringList(columns.size(), QStringLiteral("?")).join(u',') + u')';
        });
        values.reset(int(FixedColumns.size() + qsizetype(filled.size())));
        int i = 0;
        for (const QString* t : {&r.ntipus, &r.fizlev, &r.afaszla, &r.szamlaszam}) values.text(i++, *t);
        values.text(i++, r.ugyfelkod.toString(), r.ugyfelkod.isNull());
        for (const QString* t : {&r.teljkelt, &r.szlakelt, &r.fizhatido, &r.kod, &r.sznev}) values.text(i++, *t);
        values.number(i++, r.alap);
        values.number(i++, r.afa);
        values.number(i++, r.brutto);
        for (const QString* t : {&r.konyvbiz, &r.ntnev, &r.kapocs, &r.szoveg}) values.text(i++, *t);
        for (size_t c : filled) values.number(i++, r.columns[c]);
        insert.execute(statement, values.da());
    }
    insert.commit();
}
