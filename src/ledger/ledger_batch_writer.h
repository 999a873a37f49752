#pragma once
// Ledger rows written in blocks of many rows (an import, a posted file of
// vouchers): text columns get empty texts, never nulls. The caller holds
// the transaction; the writer belongs to it.
#include <QString>
#include <QStringList>

#include "db/block_insert.h"
#include "ledger/ledger_item.h"

class LedgerBatchWriter {
public:
    // `columns`: the TETEL columns written (upper case); the others keep
    // their defaults, as an insert naming only them leaves them. Empty:
    // every column.
    explicit LedgerBatchWriter(const QString& connection, const QStringList& columns = {});
    void write(const LedgerItem& item);
    // Writes the rows still waiting for a full block.
    void finish();

    // The columns named by an insert statement's column list, in its order:
    // "insert into TETEL (SORSZAM, SZLA, ...) values ..." gives SORSZAM, SZLA, ...
    static QStringList ColumnsOf(const QString& insertStatement);

private:
    QList<int> m_columns;  // indexes into the writer's column table
    BlockInsert m_insert;
};
