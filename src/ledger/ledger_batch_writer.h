#pragma once
// Ledger rows written many at a time (an import, a posted file of
// vouchers) straight through the client library, in the caller's
// transaction: text columns get empty texts, never nulls.
#include <QString>
#include <QStringList>

#include "db/fb_write.h"
#include "ledger/ledger_item.h"

class LedgerBatchWriter {
public:
    // `columns`: the TETEL columns written (upper case); the others keep
    // their defaults, as an insert naming only them leaves them. Empty:
    // every column.
    explicit LedgerBatchWriter(FbWriteTransaction& transaction, const QStringList& columns = {});
    void write(const LedgerItem& item);

    // The columns named by an insert statement's column list, in its order:
    // "insert into TETEL (SORSZAM, SZLA, ...) values ..." gives SORSZAM, SZLA, ...
    static QStringList ColumnsOf(const QString& insertStatement);

private:
    FbWriteTransaction& m_transaction;
    QList<int> m_columns;  // indexes into the writer's column table
    isc_stmt_handle m_insert;
    FbParams m_params;
};
