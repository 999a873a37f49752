#include "reports/report_pattern.h"

#include <QDateTime>
#include <stdexcept>

#include "db/altproc.h"
#include "db/catalog.h"
#include "db/dat.h"
#include "db/db_error.h"

#include <QSqlError>

QString DateCriterion(const QString& text) {
    const QString trimmed = text.trimmed();
    return trimmed == QLatin1String(".  .") ? QString("") : trimmed;
}

QString CriterionParam(const QString& name, const QString& value) {
    // The widest text the engine binds, in characters of four bytes.
    constexpr qsizetype widest = 8191;
    if (value.size() > widest)
        throw std::invalid_argument(QStringLiteral("Túl hosszú feltétel: %1...").arg(value.left(20)).toStdString());
    return QStringLiteral("cast(:%1 as varchar(%2))").arg(name).arg(qMax<qsizetype>(value.size(), 1));
}

QString StampedTableName(const QString& prefix) {
    return prefix + QDateTime::currentDateTime().toString(QStringLiteral("yyMMddhhmmsszzz"));
}

QString UserTableName(const QString& prefix) { return TmpTableName(Td().CurrentUserKod, prefix); }

void ResultTable::forgetIfDropped() {
    if (!name.isEmpty() && !TableExists(name)) name.clear();
}

void ResultTable::prepare(const QString& prefix, const QStringList& columnLines,
                          const std::function<QString(const QString&)>& makeName) {
    forgetIfDropped();
    const auto create = [&](const QString& table) {
        // A global temporary table: its rows belong to this connection and
        // live outside the database pages, so filling it writes nothing to disk.
        ExecSql(d_tarvedo, QStringLiteral("Create Global Temporary Table ") + table + QStringLiteral(" ( \n") +
                               columnLines.join(u'\n') + QStringLiteral("\n ) on commit preserve rows"));
    };
    if (!name.isEmpty()) {
        // Emptied by making it again: deleting a large result row by row
        // costs as much as filling it.
        try {
            ExecSql(d_tarvedo, QStringLiteral("drop table ") + name);
        } catch (const DbError&) {
            ExecSql(d_tarvedo, QStringLiteral("delete from ") + name);  // still in use: emptied in place
            return;
        }
        create(name);
        return;
    }
    const QString fresh = makeName(prefix);
    create(fresh);
    name = fresh;
}

QString ReportQueryText(const QString& table, const QString& orderBy) {
    return QStringLiteral("select * from \n") + table + u'\n' + orderBy;
}

qint64 CountRows(const QString& table) {
    return SelectValue(d_tarvedo, QStringLiteral("select count(*) from ") + table).toLongLong();
}

RowInsert::RowInsert(const QString& sql) : m_sql(sql) {
    const PositionalSql positional = ToPositional(sql);
    m_names = positional.names;
    m_query = std::make_unique<QSqlQuery>(Connection(d_tarvedo));
    if (!m_query->prepare(positional.text)) throw DbError(m_query->lastError(), sql);
}

void RowInsert::run(const QVariantMap& values) {
    for (int i = 0; i < m_names.size(); ++i) {
        QVariant value;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            if (it.key().compare(m_names.at(i), Qt::CaseInsensitive) == 0) value = it.value();
        m_query->bindValue(i, value);
    }
    if (!m_query->exec()) throw DbError(m_query->lastError(), m_sql);
}
