#include "ledger/turnover_load.h"

#include <QSqlQuery>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_write.h"
#include "ledger/ledger_item.h"
#include "ledger/turnover_table.h"

namespace {

// The texts as the item writers store them: empty, never null.
QString stored(const QString& text) { return text.isNull() ? QStringLiteral("") : text; }

const QString kMark = QStringLiteral("select rdb$set_context('USER_TRANSACTION', 'FORGALOM_OSSZEGEZVE', 1) from rdb$database");
const QString kInsert =
    QStringLiteral("insert into FORGALOM (SZLA, ESZLA, TELJKELT, NTIPUS, ERTEK, OSSZEVONT) values (?, ?, ?, ?, ?, 1)");

}  // namespace

TurnoverLoad::TurnoverLoad(QString connection) : m_connection(std::move(connection)) {
    m_hasTable = HasTurnoverTable(m_connection);
    // Fetched: a select list is only worked out when its row is read.
    if (m_hasTable) selectInteger(kMark);
}

TurnoverLoad::TurnoverLoad(QString connection, FbWriteTransaction& transaction)
    : m_connection(std::move(connection)), m_transaction(&transaction) {
    m_hasTable = HasTurnoverTable(m_connection);
    if (m_hasTable) selectInteger(kMark);
}

qint64 TurnoverLoad::selectInteger(const QString& sql) {
    return m_transaction ? m_transaction->selectInteger(sql) : SelectValue(m_connection, sql).toLongLong();
}

void TurnoverLoad::add(const LedgerItem& row) {
    if (m_hasTable) m_sums[{stored(row.szla), stored(row.eszla), stored(row.teljkelt), stored(row.ntipus)}] += row.ertek;
}

void TurnoverLoad::write() {
    if (!m_hasTable) return;
    // A database whose trigger does not know the mark has already added a
    // row for every item of this transaction: the sums are then not wanted.
    const qint64 addedByTrigger =
        selectInteger(QStringLiteral("select count(*) from FORGALOM where RDB$RECORD_VERSION = CURRENT_TRANSACTION"));
    if (addedByTrigger == 0) {
        if (m_transaction) {
            FbParams params;
            const isc_stmt_handle insert = m_transaction->prepare(kInsert);
            for (const auto& [key, sum] : m_sums) {
                if (sum == 0) continue;
                params.reset(5);
                params.text(0, std::get<0>(key));
                params.text(1, std::get<1>(key));
                params.text(2, std::get<2>(key));
                params.text(3, std::get<3>(key));
                params.number(4, sum);
                m_transaction->execute(insert, params);
            }
        } else {
            QSqlQuery insert(Connection(m_connection));
            if (!insert.prepare(kInsert)) throw DbError(insert.lastError(), kInsert);
            for (const auto& [key, sum] : m_sums) {
                if (sum == 0) continue;
                insert.bindValue(0, std::get<0>(key));
                insert.bindValue(1, std::get<1>(key));
                insert.bindValue(2, std::get<2>(key));
                insert.bindValue(3, std::get<3>(key));
                insert.bindValue(4, sum);
                if (!insert.exec()) throw DbError(insert.lastError(), kInsert);
            }
        }
    }
    m_sums.clear();
}
