#pragma once
// The indexes of TETEL switched off while a large load goes into a database
// nobody else uses yet, and built again once at the end: one sort per index
// instead of keeping every index up row by row. Indexes of constraints stay.
// Each switch commits on its own, so no transaction may be open on the
// connection when one is made.
#include <QString>
#include <QStringList>

class LedgerIndexesOff {
public:
    explicit LedgerIndexesOff(const QString& connection);
    // Builds what restore() has not built; an error is left to the failure
    // that ends the load.
    ~LedgerIndexesOff();
    LedgerIndexesOff(const LedgerIndexesOff&) = delete;
    LedgerIndexesOff& operator=(const LedgerIndexesOff&) = delete;
    // Builds the indexes again; throws DbError.
    void restore();

private:
    QString m_connection;
    QStringList m_indexes;
};
