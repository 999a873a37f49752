#pragma once
// Ledger rows written in blocks: one EXECUTE BLOCK inserts many rows, so a
// large import pays the statement overhead of the client library once per
// block instead of once per row. Rows are written as LedgerItemWriter
// writes them (empty texts, never nulls). The caller holds the
// transaction; the writer belongs to it.
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <memory>

#include "ledger/ledger_item.h"

class LedgerBatchWriter {
public:
    explicit LedgerBatchWriter(QString connection);
    ~LedgerBatchWriter();
    void write(const LedgerItem& item);
    // Writes the rows still waiting for a full block.
    void finish();

private:
    void writeBlock();

    QString m_connection;
    QList<LedgerItem> m_pending;
    std::unique_ptr<QSqlQuery> m_block;
    LedgerItemWriter m_single;
    bool m_singlePrepared = false;
};
