#pragma once
// The turnover rows of a load that writes many items in one transaction
// (an import, a posted file): instead of the trigger adding one FORGALOM row per item
// row, the load adds one row per key of the sums of its own rows. Fewer
// rows are written, and none are left for a merge to delete.
//
// Made in the load's transaction before its items are written; add() takes
// every item row as it is written; write() before the commit.
#include <QString>
#include <map>
#include <tuple>

struct LedgerItem;

class FbWriteTransaction;

class TurnoverLoad {
public:
    // In the connection's transaction.
    explicit TurnoverLoad(QString connection);
    // In a transaction of the client library on the connection's attachment.
    TurnoverLoad(QString connection, FbWriteTransaction& transaction);
    void add(const LedgerItem& row);
    void write();

private:
    using Key = std::tuple<QString, QString, QString, QString>;  // SZLA, ESZLA, TELJKELT, NTIPUS
    qint64 selectInteger(const QString& sql);

    QString m_connection;
    FbWriteTransaction* m_transaction = nullptr;
    bool m_hasTable = false;
    std::map<Key, double> m_sums;
};
