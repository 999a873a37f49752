#include "fb_cursor.h"

#include <QDateTime>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlResult>

#include <cmath>
#include <cstring>

#include <ibase.h>

#include "db/fb_status.h"
#include "db_error.h"

namespace {

constexpr qsizetype kAlign = 8;

qsizetype aligned(qsizetype offset) { return (offset + kAlign - 1) / kAlign * kAlign; }

XSQLDA* descriptorOf(QByteArray& bytes) { return reinterpret_cast<XSQLDA*>(bytes.data()); }


const QDate kBaseDate(1858, 11, 17);

// A NULL of the type the driver gives the column.
QVariant nullOf(short type, short scale) {
    if (scale < 0 && (type == SQL_SHORT || type == SQL_LONG || type == SQL_INT64))
        return QVariant(QMetaType(QMetaType::Double));
    switch (type) {
    case SQL_VARYING:
    case SQL_TEXT: return QVariant(QMetaType(QMetaType::QString));
    case SQL_SHORT:
    case SQL_LONG: return QVariant(QMetaType(QMetaType::Int));
    case SQL_INT64: return QVariant(QMetaType(QMetaType::LongLong));
    case SQL_FLOAT:
    case SQL_DOUBLE: return QVariant(QMetaType(QMetaType::Double));
    case SQL_TIMESTAMP: return QVariant(QMetaType(QMetaType::QDateTime));
    case SQL_TYPE_TIME: return QVariant(QMetaType(QMetaType::QTime));
    case SQL_TYPE_DATE: return QVariant(QMetaType(QMetaType::QDate));
    case SQL_BOOLEAN: return QVariant(QMetaType(QMetaType::Bool));
    default: return {};
    }
}

}  // namespace

std::unique_ptr<FbCursor> FbCursor::take(const QSqlQuery& query) {
    if (!query.driver() || query.driver()->dbmsType() != QSqlDriver::Interbase) return nullptr;
    if (!query.isActive() || !query.isSelect() || !query.isForwardOnly() || !query.result()) return nullptr;
    const QVariant handle = query.result()->handle();
    if (!handle.isValid() || handle.metaType().sizeOf() != int(sizeof(isc_stmt_handle))) return nullptr;
    isc_stmt_handle statement = *static_cast<const isc_stmt_handle*>(handle.constData());
    if (!statement) return nullptr;
    return describe(statement, false);
}

std::unique_ptr<FbCursor> FbCursor::describe(unsigned int statement, bool withBlobs) {
    ISC_STATUS_ARRAY status;
    std::unique_ptr<FbCursor> cursor(new FbCursor);
    int count = 1;
    for (int attempt = 0; attempt < 2; ++attempt) {
        cursor->m_descriptor = QByteArray(qsizetype(XSQLDA_LENGTH(count)), '\0');
        XSQLDA* da = descriptorOf(cursor->m_descriptor);
        da->version = SQLDA_VERSION1;
        da->sqln = short(count);
        if (isc_dsql_describe(status, &statement, SQL_DIALECT_V6, da)) return nullptr;
        if (da->sqld <= da->sqln) break;
        count = da->sqld;
    }
    XSQLDA* da = descriptorOf(cursor->m_descriptor);
    if (da->sqld > da->sqln || da->sqld == 0) return nullptr;

    // Every value and its null indicator get a place in one row buffer.
    qsizetype size = 0;
    for (int i = 0; i < da->sqld; ++i) {
        const XSQLVAR& var = da->sqlvar[i];
        Column column;
        column.type = short(var.sqltype & ~1);
        column.scale = var.sqlscale;
        column.length = var.sqllen;
        column.subType = var.sqlsubtype;
        column.name = QString::fromUtf8(var.aliasname, var.aliasname_length);
        if (column.type == SQL_ARRAY || (column.type == SQL_BLOB && !withBlobs)) return nullptr;
        size = aligned(size);
        column.offset = size;
        size += column.type == SQL_VARYING ? qsizetype(var.sqllen) + 2 : qsizetype(var.sqllen);
        size = aligned(size);
        cursor->m_columns << column;
        size += kAlign;  // the indicator
    }
    cursor->m_row = QByteArray(size, '\0');
    qsizetype at = 0;
    for (int i = 0; i < da->sqld; ++i) {
        XSQLVAR& var = da->sqlvar[i];
        Column& column = cursor->m_columns[i];
        var.sqldata = cursor->m_row.data() + column.offset;
        at = aligned(column.offset + (column.type == SQL_VARYING ? var.sqllen + 2 : var.sqllen));
        var.sqlind = reinterpret_cast<short*>(cursor->m_row.data() + at);
        var.sqltype = short(var.sqltype | 1);  // every value may be null
    }
    cursor->m_statement = statement;
    return cursor;
}

FbCursor::~FbCursor() = default;

bool FbCursor::fetch() {
    ISC_STATUS_ARRAY status;
    isc_stmt_handle statement = m_statement;
    const ISC_STATUS result = isc_dsql_fetch(status, &statement, SQL_DIALECT_V6, descriptorOf(m_descriptor));
    if (result == 100) return false;
    if (result != 0) throw DbError(FbStatusText(status));
    return true;
}

bool FbCursor::text(int column, std::string_view& utf8) const {
    const XSQLVAR& var = reinterpret_cast<const XSQLDA*>(m_descriptor.constData())->sqlvar[column];
    const Column& c = m_columns.at(column);
    if (*var.sqlind) return false;
    if (c.type == SQL_TEXT) {
        utf8 = std::string_view(var.sqldata, size_t(c.length));
        return true;
    }
    if (c.type != SQL_VARYING) return false;
    short length;
    std::memcpy(&length, var.sqldata, sizeof length);
    utf8 = std::string_view(var.sqldata + sizeof(short), size_t(length));
    return true;
}

FbCursor::ColumnInfo FbCursor::info(int column) const {
    const Column& c = m_columns.at(column);
    return {c.name, c.type, c.subType, c.scale, c.length};
}

bool FbCursor::blobId(int column, void* id) const {
    const XSQLVAR& var = reinterpret_cast<const XSQLDA*>(m_descriptor.constData())->sqlvar[column];
    if (*var.sqlind || m_columns.at(column).type != SQL_BLOB) return false;
    std::memcpy(id, var.sqldata, sizeof(ISC_QUAD));
    return true;
}

QVariant FbCursor::value(int column) const {
    const XSQLVAR& var = reinterpret_cast<const XSQLDA*>(m_descriptor.constData())->sqlvar[column];
    const Column& c = m_columns.at(column);
    if (*var.sqlind) return nullOf(c.type, c.scale);
    const char* data = var.sqldata;
    const double scale = c.scale < 0 ? std::pow(10.0, c.scale) : 1.0;
    switch (c.type) {
    case SQL_VARYING: {
        short length;
        std::memcpy(&length, data, sizeof length);
        return QString::fromUtf8(data + sizeof(short), length);
    }
    case SQL_TEXT: return QString::fromUtf8(data, c.length);
    case SQL_INT64: {
        qint64 v;
        std::memcpy(&v, data, sizeof v);
        return c.scale < 0 ? QVariant(v * scale) : QVariant(v);
    }
    case SQL_LONG: {
        if (c.length != 4) {
            qint64 v;
            std::memcpy(&v, data, sizeof v);
            return QVariant(v);
        }
        qint32 v;
        std::memcpy(&v, data, sizeof v);
        return c.scale < 0 ? QVariant(v * scale) : QVariant(v);
    }
    case SQL_SHORT: {
        short v;
        std::memcpy(&v, data, sizeof v);
        return c.scale < 0 ? QVariant(long(v) * scale) : QVariant(int(v));
    }
    case SQL_FLOAT: {
        float v;
        std::memcpy(&v, data, sizeof v);
        return QVariant(double(v));
    }
    case SQL_DOUBLE: {
        double v;
        std::memcpy(&v, data, sizeof v);
        return QVariant(v);
    }
    case SQL_TIMESTAMP: {
        ISC_TIMESTAMP v;
        std::memcpy(&v, data, sizeof v);
        return QDateTime(kBaseDate.addDays(v.timestamp_date), QTime(0, 0).addMSecs(int(v.timestamp_time / 10)));
    }
    case SQL_TYPE_TIME: {
        ISC_TIME v;
        std::memcpy(&v, data, sizeof v);
        return QTime(0, 0).addMSecs(int(v / 10));
    }
    case SQL_TYPE_DATE: {
        ISC_DATE v;
        std::memcpy(&v, data, sizeof v);
        return kBaseDate.addDays(v);
    }
    case SQL_BOOLEAN: return QVariant(bool(*data));
    default: return {};
    }
}
