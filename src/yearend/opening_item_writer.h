#pragma once
// The opening items of the next year written in blocks: one EXECUTE BLOCK
// inserts many items, and what every opening item shares (the journal type
// "NY", the day of the closing as its entry and document date, the texts
// it leaves empty) is passed once per block instead of once per item. The
// rows are those LedgerItemWriter writes. The caller holds the transaction.
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <memory>

#include "ledger/ledger_item.h"

class OpeningItemWriter {
public:
    // `today`: BIZKELT and KONYVELVE of every item.
    OpeningItemWriter(QString connection, QString today);
    ~OpeningItemWriter();
    // An item's own columns: SORSZAM, SZLA, ESZLA, TELJKELT, SZLAKELT,
    // FIZHATIDO, TIPUS, SZOVEG, ERTEK, UGYFELKOD, KONYVBIZ, SZAMLASZAM,
    // DEVIZANEM, DEVIZAERTEK.
    void write(const LedgerItem& item);
    // Writes the items still waiting for a full block.
    void finish();

private:
    void writeBlock();

    QString m_connection, m_today;
    QList<LedgerItem> m_pending;
    std::unique_ptr<QSqlQuery> m_block;
};
