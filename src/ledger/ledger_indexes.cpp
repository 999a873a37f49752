#include "ledger/ledger_indexes.h"

#include <QSqlQuery>

#include "db/dat.h"
#include "db/db_error.h"

namespace {
QString quoted(const QString& name) { return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"'; }
}  // namespace

LedgerIndexesOff::LedgerIndexesOff(const QString& connection) : m_connection(connection) {
    {
        QSqlQuery q = ExecSql(connection, QStringLiteral("select trim(I.RDB$INDEX_NAME) from RDB$INDICES I where I.RDB$RELATION_NAME = 'TETEL' "
                                                         "and coalesce(I.RDB$INDEX_INACTIVE, 0) = 0 and I.RDB$FOREIGN_KEY is null "
                                                         "and not exists (select 1 from RDB$RELATION_CONSTRAINTS C "
                                                         "where C.RDB$INDEX_NAME = I.RDB$INDEX_NAME)"));
        while (NextRow(q)) m_indexes << q.value(0).toString();
    }
    for (const QString& index : m_indexes) ExecSql(connection, QStringLiteral("alter index %1 inactive").arg(quoted(index)));
}

LedgerIndexesOff::~LedgerIndexesOff() {
    try {
        restore();
    } catch (const DbError&) {
        // a broken connection: the caller reports the failure that caused it
    }
}

void LedgerIndexesOff::restore() {
    while (!m_indexes.isEmpty()) {
        ExecSql(m_connection, QStringLiteral("alter index %1 active").arg(quoted(m_indexes.first())));
        m_indexes.removeFirst();
    }
}
