#pragma once
// One row of the ledger item table TETEL, and a writer that inserts rows in
// bulk through one prepared statement (the demo ledger, imports).
#include <QSqlQuery>
#include <QString>
#include <memory>

struct LedgerItem {
    QString sorszam, szla, eszla;
    double ertek = 0;
    QString konyvelve, teljkelt, szlakelt, fizhatido, bizkelt;
    QString ntipus, konyvbiz, bizonylat, szamlaszam, ugyfelkod, ktsghely;
    QString devizanem;
    double arfolyam = 0;
    double devizaertek = 0;
    QString kapocs, tipus, tartKov, szoveg, afakulcs, sor65;
};

class LedgerItemWriter {
public:
    explicit LedgerItemWriter(QString connection);
    ~LedgerItemWriter();
    // Prepares the insert; the caller holds the transaction.
    void prepare();
    void write(const LedgerItem& item);
    void finish();

private:
    QString m_connection;
    std::unique_ptr<QSqlQuery> m_insert;
};
