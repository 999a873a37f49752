#include "ledger/turnover_load.h"

#include <QSqlQuery>

#include "db/dat.h"
#include "db/db_error.h"
#include "ledger/ledger_item.h"
#include "ledger/turnover_table.h"

namespace {

// The texts as the item writers store them: empty, never null.
QString stored(const QString& text) { return text.isNull() ? QStringLiteral("") : text; }

}  // namespace

TurnoverLoad::TurnoverLoad(QString connection) : m_connection(std::move(connection)) {
    m_hasTable = HasTurnoverTable(m_connection);
    // Fetched: a select list is only worked out when its row is read.
    if (m_hasTable)
        SelectValue(m_connection,
                    QStringLiteral("select rdb$set_context('USER_TRANSACTION', 'FORGALOM_OSSZEGEZVE', 1) from rdb$database"));
}

void TurnoverLoad::add(const LedgerItem& row) {
    if (m_hasTable) m_sums[{stored(row.szla), stored(row.eszla), stored(row.teljkelt), stored(row.ntipus)}] += row.ertek;
}

void TurnoverLoad::write() {
    if (!m_hasTable) return;
    // A database whose trigger does not know the mark has already added a
    // row for every item of this transaction: the sums are then not wanted.
    const qint64 addedByTrigger =
        SelectValue(m_connection, QStringLiteral("select count(*) from FORGALOM where RDB$RECORD_VERSION = CURRENT_TRANSACTION"))
            .toLongLong();
    if (addedByTrigger == 0) {
        QSqlQuery insert(Connection(m_connection));
        const QString sql = QStringLiteral("insert into FORGALOM (SZLA, ESZLA, TELJKELT, NTIPUS, ERTEK, OSSZEVONT) values (?, ?, ?, ?, ?, 1)");
        if (!insert.prepare(sql)) throw DbError(insert.lastError(), sql);
        for (const auto& [key, sum] : m_sums) {
            if (sum == 0) continue;
            insert.bindValue(0, std::get<0>(key));
            insert.bindValue(1, std::get<1>(key));
            insert.bindValue(2, std::get<2>(key));
            insert.bindValue(3, std::get<3>(key));
            insert.bindValue(4, sum);
            if (!insert.exec()) throw DbError(insert.lastError(), sql);
        }
    }
    m_sums.clear();
}
