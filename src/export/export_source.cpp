#include "export_source.h"

#include <QDateTime>
#include <QSqlField>
#include <QSqlRecord>

#include <cmath>

#include "db/app_conventions.h"
#include "db/catalog.h"
#include "db/cp1250.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_cursor.h"
#include "number_text.h"
#include "db/row_prefetch.h"

namespace {

bool isOneOf(const QString& type, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (type == QLatin1String(name)) return true;
    return false;
}

int defaultWidth(const QString& typeName) {
    if (isOneOf(typeName, {"INTEGER", "SMALLINT"})) return 10;
    if (isOneOf(typeName, {"FLOAT", "DOUBLE PRECISION"})) return 13;
    if (isOneOf(typeName, {"MEMO", "BLOB"})) return -1;
    return 8;
}

ExportColumn columnOf(const QSqlField& field) {
    ExportColumn column;
    column.name = field.name();
    column.displayLabel = column.name;
    column.displayWidth = FieldDisplayWidth(field, column.typeName);
    const int valueType = field.metaType().id();
    if (column.typeName == QLatin1String("INTEGER") && valueType == QMetaType::Double) {
        // NUMERIC and DECIMAL columns with decimals are stored as scaled
        // integers, but their values have decimals.
        column.typeName = QStringLiteral("FLOAT");
        column.displayWidth = defaultWidth(column.typeName);
    } else if (column.typeName == QLatin1String("Unknown") && valueType == QMetaType::QString) {
        column.typeName = QStringLiteral("CHAR");  // fixed-length text
        column.displayWidth = field.length() > 0 ? int(field.length() / 4) : 8;  // UTF8: four bytes a character
    }
    return column;
}

}  // namespace

bool ExportColumn::isText() const { return isOneOf(typeName, {"VARCHAR", "CHAR", "MEMO", "BLOB"}); }

bool ExportColumn::isNumeric() const {
    return isOneOf(typeName, {"SMALLINT", "INTEGER", "FLOAT", "DOUBLE PRECISION"});
}

QList<int> ExportSource::visibleColumns() const {
    QList<int> indexes;
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).visible) indexes << i;
    return indexes;
}

// ---------------------------------------------------------------- a query

QueryExportSource::QueryExportSource(QSqlQuery& query, const QString& name) : m_query(&query) {
    m_name = name;
    m_statement = query.lastQuery();
    readColumns();
}

QueryExportSource::QueryExportSource(QSqlQuery&& query, const QString& name)
    : m_owned(std::move(query)), m_query(&m_owned) {
    m_name = name;
    m_statement = m_owned.lastQuery();
    readColumns();
}

QueryExportSource::QueryExportSource(Query& query) {
    m_name = query.name;
    m_statement = query.sql.join(QLatin1Char('\n'));
    if (query.isOpen()) {
        m_query = &query.rows();
    } else {
        m_owned = ExecSql(query.connection(), m_statement);
        m_query = &m_owned;
    }
    readColumns();
}

QueryExportSource::~QueryExportSource() = default;

void QueryExportSource::readColumns() {
    if (!m_query->isActive()) {
        if (!m_query->exec()) throw DbError(m_query->lastError(), m_statement);
    }
    const QSqlRecord record = m_query->record();
    for (int i = 0; i < record.count(); ++i) {
        m_columns << columnOf(record.field(i));
        m_charWidths << (m_columns.last().typeName == QLatin1String("CHAR") ? m_columns.last().displayWidth : 0);
    }
}

QVariant QueryExportSource::value(int column) const {
    QVariant value = !m_prefetch ? m_query->value(column) : m_onPrefetched ? m_prefetch->value(column) : QVariant();
    const int width = m_charWidths.value(column);
    if (width > 0 && !value.isNull()) {
        // The driver pads a CHAR value to its length in bytes (four a
        // character); the column holds `width` characters.
        QString text = value.toString();
        if (text.size() > width) {
            text.truncate(width);
            value = text;
        }
    }
    return value;
}

bool QueryExportSource::textUtf8(int column, std::string_view& utf8) const {
    if (!m_prefetch || !m_onPrefetched || !m_prefetch->text(column, utf8)) return false;
    const int width = m_charWidths.value(column);
    // A CHAR value comes padded to its length in bytes, as in value().
    if (width > 0) utf8 = Utf8Left(utf8, width);
    return true;
}

bool QueryExportSource::first() {
    // Rows read ahead through the cursor have moved it on past the first.
    const bool readAhead = m_prefetch != nullptr;
    m_prefetch.reset();
    m_prefetchTried = false;
    m_onPrefetched = false;
    if (!m_query->isActive() && !m_query->exec()) throw DbError(m_query->lastError(), m_statement);
    if (!m_query->isForwardOnly()) {
        if (m_query->first()) return true;
        if (m_query->lastError().isValid()) throw DbError(m_query->lastError(), m_statement);
        return false;
    }
    const int at = m_query->at();
    if (at == 0 && !readAhead) return true;  // already on the first row
    if (at != QSql::BeforeFirstRow) {
        // Read past its first row: a forward-only query is run again.
        if (!m_query->exec()) throw DbError(m_query->lastError(), m_statement);
    }
    const bool found = m_query->next();
    if (!found && m_query->lastError().isValid()) throw DbError(m_query->lastError(), m_statement);
    return found;
}

bool QueryExportSource::next() {
    if (!m_prefetchTried && m_query->isForwardOnly() && m_query->at() == 0) {
        m_prefetchTried = true;
        if (std::unique_ptr<FbCursor> cursor = FbCursor::take(*m_query))
            m_prefetch = std::make_unique<RowPrefetch>(std::move(cursor));
    }
    if (m_prefetch) {
        try {
            return m_onPrefetched = m_prefetch->next();
        } catch (const DbError& error) {
            // The cursor read ahead knows no statement: name the step by this one.
            if (error.engineText().isEmpty() || !error.statement().isEmpty()) throw;
            throw DbError(error.engineText(), m_statement);
        }
    }
    if (m_query->next()) return true;
    if (m_query->lastError().isValid()) throw DbError(m_query->lastError(), m_statement);
    return false;
}

qint64 QueryExportSource::rowCount() const {
    if (m_query->size() >= 0) return m_query->size();
    if (m_query->isForwardOnly() || !m_query->isActive()) return -1;
    // A scrollable query holds its rows already: counting them reads nothing new.
    const int at = m_query->at();
    const qint64 count = m_query->last() ? m_query->at() + 1 : 0;
    if (at >= 0)
        m_query->seek(at);
    else
        m_query->first();
    return count;
}

// ---------------------------------------------------------------- rows in memory

MemoryExportSource::MemoryExportSource(const QString& name) { m_name = name; }

void MemoryExportSource::addColumn(const QString& name, const QString& typeName, int displayWidth) {
    ExportColumn column;
    column.name = name;
    column.displayLabel = name;
    column.typeName = typeName;
    column.displayWidth = displayWidth == -2 ? defaultWidth(typeName) : displayWidth;
    m_columns << column;
}

void MemoryExportSource::addRow(const QVariantList& values) { m_rows << values; }

bool MemoryExportSource::first() {
    m_current = 0;
    return !m_rows.isEmpty();
}

bool MemoryExportSource::next() {
    if (m_current < m_rows.size()) ++m_current;
    return m_current < m_rows.size();
}

QVariant MemoryExportSource::value(int column) const {
    if (m_current < 0 || m_current >= m_rows.size()) return {};
    const QVariantList& row = m_rows.at(m_current);
    return column < row.size() ? row.at(column) : QVariant();
}

// ---------------------------------------------------------------- values as text

QString ExportValueText(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return {};
    switch (value.metaType().id()) {
    case QMetaType::QString: return value.toString();
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong: return QString::number(value.toLongLong());
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: return QString::number(value.toULongLong());
    case QMetaType::Float:
    case QMetaType::Double: {
        const double x = value.toDouble();
        if (!std::isfinite(x)) return {};
        char text[kNumberTextSize];
        const int size = GeneralNumberText(x, text);
        return QString::fromLatin1(text, size).replace(u'.', DecimalSeparator());
    }
    case QMetaType::QDate: return value.toDate().toString(QStringLiteral("yyyy.MM.dd"));
    case QMetaType::QTime: return value.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QDateTime: return value.toDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss"));
    case QMetaType::QByteArray: {
        // Text blobs arrive as bytes in the connection's character set (UTF8).
        const QByteArray bytes = value.toByteArray();
        const QString text = QString::fromUtf8(bytes);
        return text.toUtf8() == bytes ? text : DecodeCp1250(bytes);
    }
    default: return value.toString();
    }
}

qsizetype Utf8Length(std::string_view utf8) {
    qsizetype length = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) ++length;  // not a continuation byte
        if (byte >= 0xF0) ++length;           // a surrogate pair in UTF-16
    }
    return length;
}

std::string_view Utf8Left(std::string_view utf8, qsizetype characters) {
    size_t end = 0;
    for (qsizetype taken = 0; end < utf8.size(); ++end) {
        const auto byte = static_cast<unsigned char>(utf8[end]);
        if ((byte & 0xC0) == 0x80) continue;
        const qsizetype width = byte >= 0xF0 ? 2 : 1;
        if (taken + width > characters) break;
        taken += width;
    }
    return utf8.substr(0, end);
}

bool IsWholeNumberValue(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return true;
    default: return false;
    }
}

bool IsNumberValue(const QVariant& value) {
    const int type = value.metaType().id();
    return IsWholeNumberValue(value) || type == QMetaType::Float || type == QMetaType::Double;
}
