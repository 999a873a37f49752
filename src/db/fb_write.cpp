#include "fb_write.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_status.h"

void FbParams::reset(int count) {
    // Every value sets the fields of its place it needs, the others stay 0:
    // the places are cleared only when there are more of them.
    if (m_bytes.size() < qsizetype(XSQLDA_LENGTH(count))) {
        m_bytes.fill('\0', qsizetype(XSQLDA_LENGTH(count)));
        m_texts.resize(size_t(count));
        m_numbers.resize(size_t(count));
        m_null.resize(size_t(count));
    }
    da()->version = SQLDA_VERSION1;
    da()->sqln = da()->sqld = short(count);
}

void FbParams::text(int i, const QString& value, bool null) {
    XSQLVAR& var = da()->sqlvar[i];
    // The UTF-8 bytes go into the place's own buffer, which keeps its size from row to row.
    QByteArray& bytes = m_texts[size_t(i)];
    bytes.resize(m_encoder.requiredSpace(value.size()));
    bytes.resize(m_encoder.appendToBuffer(bytes.data(), value) - bytes.data());
    var.sqltype = SQL_TEXT + 1;
    var.sqllen = short(bytes.size());
    var.sqldata = bytes.data();
    m_null[size_t(i)] = null ? -1 : 0;
    var.sqlind = &m_null[size_t(i)];
}

void FbParams::number(int i, double value) {
    XSQLVAR& var = da()->sqlvar[i];
    m_numbers[size_t(i)] = value;
    var.sqltype = SQL_DOUBLE + 1;
    var.sqllen = sizeof(double);
    var.sqldata = reinterpret_cast<char*>(&m_numbers[size_t(i)]);
    m_null[size_t(i)] = 0;
    var.sqlind = &m_null[size_t(i)];
}

FbWriteTransaction::FbWriteTransaction(const QString& connection) {
    const QVariant handle = Connection(connection).driver()->handle();
    if (!handle.isValid() || handle.metaType().sizeOf() != int(sizeof(isc_db_handle)))
        throw DbError(QStringLiteral("Nem Firebird kapcsolat: ") + connection);
    m_database = *static_cast<const isc_db_handle*>(handle.constData());
    static const char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_wait};
    if (isc_start_transaction(m_status, &m_transaction, 1, &m_database, short(sizeof tpb), tpb))
        throw DbError(FbStatusText(m_status));
}

FbWriteTransaction::~FbWriteTransaction() {
    ISC_STATUS_ARRAY ignored;
    for (isc_stmt_handle statement : std::as_const(m_statements)) isc_dsql_free_statement(ignored, &statement, DSQL_drop);
    if (m_transaction) isc_rollback_transaction(ignored, &m_transaction);
}

void FbWriteTransaction::execute(const QString& sql) {
    const QByteArray text = sql.toUtf8();
    if (isc_dsql_execute_immediate(m_status, &m_database, &m_transaction, 0, text.constData(), SQL_DIALECT_V6, nullptr))
        throw DbError(FbStatusText(m_status));
}

qint64 FbWriteTransaction::selectInteger(const QString& sql) {
    const QByteArray text = sql.toUtf8();
    QByteArray outBytes(qsizetype(XSQLDA_LENGTH(1)), '\0');
    auto* out = reinterpret_cast<XSQLDA*>(outBytes.data());
    out->version = SQLDA_VERSION1;
    out->sqln = out->sqld = 1;
    qint64 value = 0;
    short isNull = 0;
    out->sqlvar[0].sqltype = SQL_INT64 + 1;
    out->sqlvar[0].sqllen = sizeof value;
    out->sqlvar[0].sqldata = reinterpret_cast<char*>(&value);
    out->sqlvar[0].sqlind = &isNull;
    if (isc_dsql_exec_immed2(m_status, &m_database, &m_transaction, 0, text.constData(), SQL_DIALECT_V6, nullptr, out))
        throw DbError(FbStatusText(m_status));
    return isNull ? 0 : value;
}

isc_stmt_handle FbWriteTransaction::prepare(const QString& sql) {
    isc_stmt_handle& statement = m_statements[sql];
    if (!statement) {
        const QByteArray text = sql.toUtf8();
        if (isc_dsql_allocate_statement(m_status, &m_database, &statement) ||
            isc_dsql_prepare(m_status, &m_transaction, &statement, 0, text.constData(), SQL_DIALECT_V6, nullptr)) {
            const QString message = FbStatusText(m_status);
            if (statement) {
                ISC_STATUS_ARRAY ignored;
                isc_dsql_free_statement(ignored, &statement, DSQL_drop);
            }
            m_statements.remove(sql);
            throw DbError(message);
        }
    }
    return statement;
}

void FbWriteTransaction::execute(isc_stmt_handle statement, FbParams& params) {
    if (isc_dsql_execute(m_status, &m_transaction, &statement, SQLDA_VERSION1, params.da()))
        throw DbError(FbStatusText(m_status), QString::number(isc_sqlcode(m_status)));
}

void FbWriteTransaction::commit() {
    if (isc_commit_transaction(m_status, &m_transaction)) throw DbError(FbStatusText(m_status));
    m_transaction = 0;
}
