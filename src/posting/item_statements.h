#pragma once
// The statements that write items, prepared once in the transaction that
// runs them, so a voucher of many items does not prepare them again for
// each. They belong to that transaction: make a new set after a commit.
#include <QSqlQuery>
#include <QHash>
#include <QString>
#include <QVariantMap>
#include <memory>

#include "db/dat.h"
#include "posting/voucher_statements.h"

// One statement with ":NAME" parameters, prepared on first use.
class PreparedStatement {
public:
    explicit PreparedStatement(const QString& sql);
    // Binds the parameters by name (any case; absent ones as null texts) and
    // runs the statement. Throws DbError.
    QSqlQuery& exec(const QVariantMap& params);

private:
    QString m_sql;
    PositionalSql m_positional;
    std::unique_ptr<QSqlQuery> m_query;
};

class ItemStatements {
public:
    explicit ItemStatements(const VoucherStatements& statements);

    void insert(const QVariantMap& params);
    // The greatest link number of a voucher, read as a number; 0 for none.
    // Read once per voucher; the items inserted here keep it up to date, so a
    // voucher of many items is not read again for each of them.
    int maxLink(const QString& ntipus, const QString& konyvbiz);
    // The next number of `kind` (a journal type or "SORSZAM") in the
    // business year, taken apart from the caller's transaction so that no
    // other workstation waits for it (a number of work rolled back stays unused).
    QString nextNumber(const QString& kind);

private:
    PreparedStatement m_insert;
    PreparedStatement m_maxLink;
    QHash<QString, int> m_maxLinks;  // voucher -> greatest link number
};
