#include "masterdata/read_only_query.h"

#include <QSqlDriver>

#include <cstring>

#include <ibase.h>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_cursor.h"
#include "db/fb_status.h"
#include "db/row_prefetch.h"

namespace {

constexpr int kUtf8 = 4;  // the character set id of UTF8

XSQLDA* descriptorOf(QByteArray& bytes) { return reinterpret_cast<XSQLDA*>(bytes.data()); }

isc_db_handle attachmentOf(const QString& connection) {
    const QVariant handle = Connection(connection).driver()->handle();
    if (!handle.isValid() || handle.metaType().sizeOf() != int(sizeof(isc_db_handle)))
        throw DbError(QStringLiteral("Nem Firebird kapcsolat: ") + connection);
    return *static_cast<const isc_db_handle*>(handle.constData());
}

// The engine's kind of a prepared statement (isc_info_sql_stmt_...).
int statementKind(isc_stmt_handle* statement) {
    ISC_STATUS_ARRAY status;
    const char items[] = {isc_info_sql_stmt_type};
    char buffer[16] = {};
    if (isc_dsql_sql_info(status, statement, sizeof items, items, sizeof buffer, buffer)) return 0;
    if (buffer[0] != isc_info_sql_stmt_type) return 0;
    const short length = short(isc_vax_integer(buffer + 1, 2));
    return int(isc_vax_integer(buffer + 3, length));
}

ExportColumn columnOf(const FbCursor::ColumnInfo& info) {
    ExportColumn column;
    column.name = info.name;
    column.displayLabel = info.name;
    switch (info.type) {
    case SQL_VARYING: column.typeName = QStringLiteral("VARCHAR"); column.displayWidth = info.length / 4; break;
    case SQL_TEXT: column.typeName = QStringLiteral("CHAR"); column.displayWidth = info.length / 4; break;
    case SQL_SHORT: column.typeName = QStringLiteral("SMALLINT"); column.displayWidth = 10; break;
    case SQL_LONG:
    case SQL_INT64:
        // NUMERIC and DECIMAL with decimals are scaled integers whose values have decimals.
        column.typeName = info.scale < 0 ? QStringLiteral("FLOAT") : QStringLiteral("INTEGER");
        column.displayWidth = info.scale < 0 ? 13 : 10;
        break;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: column.typeName = QStringLiteral("FLOAT"); column.displayWidth = 13; break;
    case SQL_BOOLEAN: column.typeName = QStringLiteral("BOOLEAN"); column.displayWidth = 8; break;
    case SQL_BLOB:
        column.typeName = info.subType == 1 ? QStringLiteral("MEMO") : QStringLiteral("BLOB");
        column.displayWidth = -1;
        break;
    case SQL_TYPE_DATE: column.typeName = QStringLiteral("Unknown"); column.displayWidth = 10; break;
    case SQL_TIMESTAMP: column.typeName = QStringLiteral("Unknown"); column.displayWidth = 19; break;
    default: column.typeName = QStringLiteral("Unknown"); column.displayWidth = 8; break;
    }
    return column;
}

}  // namespace

ReadOnlyQuery::ReadOnlyQuery(const QString& connection, const QString& sql, const QVariantList& values,
                             const QString& name)
    : m_sql(sql) {
    m_name = name;
    // Refused before the engine sees it: some statements act even in a read-only transaction.
    if (const QString problem = ReadStatementProblem(sql); !problem.isEmpty()) throw DbError(problem);
    m_database = attachmentOf(connection);
    ISC_STATUS_ARRAY status;
    isc_db_handle database = m_database;
    // Read-only, one snapshot for every reading of the rows, waiting for nothing it does not write.
    static const char kTpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_concurrency, isc_tpb_wait};
    isc_tr_handle transaction = 0;
    if (isc_start_transaction(status, &transaction, 1, &database, short(sizeof kTpb), kTpb))
        throw DbError(FbStatusText(status));
    m_transaction = transaction;
    try {
        isc_stmt_handle statement = 0;
        if (isc_dsql_allocate_statement(status, &database, &statement)) throw DbError(FbStatusText(status));
        m_statement = statement;
        const QByteArray text = sql.toUtf8();
        if (isc_dsql_prepare(status, &transaction, &statement, 0, text.constData(), SQL_DIALECT_V6, nullptr))
            throw DbError(FbStatusText(status), sql);
        const int kind = statementKind(&statement);

        // Every value travels as UTF-8 text; the engine converts it to the placeholder's type.
        m_params = QByteArray(qsizetype(XSQLDA_LENGTH(1)), '\0');
        descriptorOf(m_params)->version = SQLDA_VERSION1;
        descriptorOf(m_params)->sqln = 1;
        if (isc_dsql_describe_bind(status, &statement, SQL_DIALECT_V6, descriptorOf(m_params)))
            throw DbError(FbStatusText(status), sql);
        const int wanted = descriptorOf(m_params)->sqld;
        if (wanted != values.size())
            throw DbError(QStringLiteral("Az utasítás %1 értéket vár, %2 érték van megadva.").arg(wanted).arg(values.size()));
        if (wanted > 1) {
            m_params = QByteArray(qsizetype(XSQLDA_LENGTH(wanted)), '\0');
            descriptorOf(m_params)->version = SQLDA_VERSION1;
            descriptorOf(m_params)->sqln = short(wanted);
            if (isc_dsql_describe_bind(status, &statement, SQL_DIALECT_V6, descriptorOf(m_params)))
                throw DbError(FbStatusText(status), sql);
        }
        for (const QVariant& v : values) {
            m_paramValues << v.toString().toUtf8();
            m_paramNulls << short(v.isNull() ? -1 : 0);
        }
        for (int i = 0; i < wanted; ++i) {
            XSQLVAR& var = descriptorOf(m_params)->sqlvar[i];
            var.sqltype = SQL_TEXT | 1;
            var.sqlsubtype = kUtf8;
            var.sqlscale = 0;
            var.sqllen = short(m_paramValues[i].size());
            var.sqldata = m_paramValues[i].data();
            var.sqlind = &m_paramNulls[i];
        }

        m_cursor = FbCursor::describe(m_statement, true);
        if (kind != isc_info_sql_stmt_select || !m_cursor) throw DbError(NotAQueryMessage);
        for (int i = 0; i < m_cursor->columnCount(); ++i) {
            m_columns << columnOf(m_cursor->info(i));
            m_charWidths << (m_columns.last().typeName == QLatin1String("CHAR") ? m_columns.last().displayWidth : 0);
            m_textBlob << (m_columns.last().typeName == QLatin1String("MEMO"));
            m_hasBlobs = m_hasBlobs || m_columns.last().displayWidth < 0;
        }
        execute();
    } catch (...) {
        release();
        throw;
    }
}

std::unique_ptr<ReadOnlyQuery> ReadOnlyQuery::withNames(const QString& connection, const QString& sql,
                                                        const QVariantMap& params, const QString& name) {
    const PositionalSql positional = ToPositional(sql);
    QVariantList values;
    for (const QString& placeholder : positional.names) {
        bool found = false;
        for (auto it = params.begin(); it != params.end(); ++it) {
            if (it.key().compare(placeholder, Qt::CaseInsensitive) == 0) {
                values << it.value();
                found = true;
                break;
            }
        }
        if (!found) throw DbError(QStringLiteral("Hiányzó paraméter: ") + placeholder);
    }
    auto query = std::make_unique<ReadOnlyQuery>(connection, positional.text, values, name);
    query->m_sql = sql;
    return query;
}

ReadOnlyQuery::~ReadOnlyQuery() { release(); }

void ReadOnlyQuery::release() {
    m_prefetch.reset();  // its thread stops before the statement goes
    ISC_STATUS_ARRAY status;
    if (m_statement) {
        isc_stmt_handle statement = m_statement;
        isc_dsql_free_statement(status, &statement, DSQL_drop);
        m_statement = 0;
    }
    if (m_transaction) {
        // Nothing was written: rolling back ends it as well as a commit.
        isc_tr_handle transaction = m_transaction;
        isc_rollback_transaction(status, &transaction);
        m_transaction = 0;
    }
    m_cursor.reset();
}

void ReadOnlyQuery::execute() {
    ISC_STATUS_ARRAY status;
    isc_stmt_handle statement = m_statement;
    isc_tr_handle transaction = m_transaction;
    m_prefetch.reset();
    if (m_cursorOpen) {
        isc_dsql_free_statement(status, &statement, DSQL_close);
        m_cursorOpen = false;
    }
    XSQLDA* params = descriptorOf(m_params)->sqld ? descriptorOf(m_params) : nullptr;
    if (isc_dsql_execute(status, &transaction, &statement, SQL_DIALECT_V6, params))
        throw DbError(FbStatusText(status), m_sql);
    m_cursorOpen = true;
    m_onFirst = false;
    m_fetched = false;
    if (!m_hasBlobs) {
        if (std::unique_ptr<FbCursor> cursor = FbCursor::describe(m_statement, false))
            m_prefetch = std::make_unique<RowPrefetch>(std::move(cursor));
    }
}

bool ReadOnlyQuery::fetch() { return m_prefetch ? m_prefetch->next() : m_cursor->fetch(); }

bool ReadOnlyQuery::first() {
    if (m_onFirst) return true;
    if (m_fetched) execute();  // read past its first row: run again in the same snapshot
    m_fetched = true;
    m_onFirst = fetch();
    return m_onFirst;
}

bool ReadOnlyQuery::next() {
    m_fetched = true;
    m_onFirst = false;
    return fetch();
}

QVariant ReadOnlyQuery::value(int column) const {
    if (m_columns[column].typeName == QLatin1String("MEMO") || m_columns[column].typeName == QLatin1String("BLOB"))
        return blobValue(column);
    QVariant value = m_prefetch ? m_prefetch->value(column) : m_cursor->value(column);
    const int width = m_charWidths.value(column);
    if (width > 0 && !value.isNull()) {
        // A CHAR value comes padded to its length in bytes (four a character).
        QString text = value.toString();
        if (text.size() > width) value = text.left(width);
    }
    return value;
}

bool ReadOnlyQuery::textUtf8(int column, std::string_view& utf8) const {
    if (!(m_prefetch ? m_prefetch->text(column, utf8) : m_cursor->text(column, utf8))) return false;
    if (const int width = m_charWidths.value(column); width > 0) utf8 = Utf8Left(utf8, width);
    return true;
}

QVariant ReadOnlyQuery::blobValue(int column) const {
    const bool text = m_textBlob.value(column);
    ISC_QUAD id;
    if (!m_cursor->blobId(column, &id)) return text ? QVariant(QMetaType(QMetaType::QString)) : QVariant(QMetaType(QMetaType::QByteArray));
    ISC_STATUS_ARRAY status;
    isc_db_handle database = m_database;
    isc_tr_handle transaction = m_transaction;
    isc_blob_handle blob = 0;
    if (isc_open_blob2(status, &database, &transaction, &blob, &id, 0, nullptr)) throw DbError(FbStatusText(status));
    QByteArray bytes;
    char segment[8192];
    for (;;) {
        unsigned short got = 0;
        const ISC_STATUS result = isc_get_segment(status, &blob, &got, sizeof segment, segment);
        if (result != 0 && result != isc_segment) {
            if (result == isc_segstr_eof) break;
            const QString message = FbStatusText(status);
            isc_close_blob(status, &blob);
            throw DbError(message);
        }
        bytes.append(segment, got);
    }
    isc_close_blob(status, &blob);
    return text ? QVariant(QString::fromUtf8(bytes)) : QVariant(bytes);
}
