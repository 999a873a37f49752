#include "reports/report_pattern.h"

#include <QDateTime>
#include <QThread>
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

namespace {

// A table is really made or dropped when its transaction commits, and
// another workstation making its own table at the same moment may make that
// commit fail. So the statement runs in a transaction of its own whose
// commit is checked (inside the caller's transaction, the caller's commit
// decides).
void runDdl(const QString& sql) {
    if (InTransaction(d_tarvedo)) {
        ExecSql(d_tarvedo, sql);
        return;
    }
    DbTransaction transaction(d_tarvedo);
    ExecSql(d_tarvedo, sql);
    transaction.commit();
}

// Creating a table, tried again after a short wait when a concurrent
// change of the catalogue made it fail. `makeSql` gives the statement of
// each attempt: a fresh table takes a fresh name, since another
// workstation may have taken the same time-stamped one.
QString createTable(const std::function<QString()>& makeName, const std::function<QString(const QString&)>& makeSql) {
    constexpr int attempts = 5;
    for (int attempt = 1;; ++attempt) {
        const QString table = makeName();
        try {
            runDdl(makeSql(table));
            return table;
        } catch (const DbError&) {
            if (attempt >= attempts || InTransaction(d_tarvedo)) throw;
            QThread::msleep(100 * attempt);
        }
    }
}

}  // namespace

void ResultTable::prepare(const QString& prefix, const QStringList& columnLines,
                          const std::function<QString(const QString&)>& makeName) {
    forgetIfDropped();
    // A global temporary table: its rows belong to this connection and
    // live outside the database pages, so filling it writes nothing to disk.
    const auto createSql = [&](const QString& table) {
        return QStringLiteral("Create Global Temporary Table ") + table + QStringLiteral(" ( \n") +
               columnLines.join(u'\n') + QStringLiteral("\n ) on commit preserve rows");
    };
    if (!name.isEmpty()) {
        // Emptied by making it again: deleting a large result row by row
        // costs as much as filling it.
        try {
            runDdl(QStringLiteral("drop table ") + name);
        } catch (const DbError&) {
            ExecSql(d_tarvedo, QStringLiteral("delete from ") + name);  // still in use: emptied in place
            return;
        }
        createTable([&] { return name; }, createSql);
        return;
    }
    name = createTable([&] { return makeName(prefix); }, createSql);
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
