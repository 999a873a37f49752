#pragma once
// The turnover of every account on both sides from one grouped pass over
// the turnover table (the ledger items summed by account pair, date and
// journal type; the items themselves in a database without it): the sums
// by pair of debit and credit account, added up here into the debit sums
// by SZLA and the credit sums by ESZLA of the rows that pass the
// conditions. The conditions may name SZLA, ESZLA, TELJKELT and NTIPUS.
#include <QHash>
#include <QString>
#include <QVariantMap>

struct AccountTurnovers {
    QHash<QString, double> debit;   // by the item's debit account
    QHash<QString, double> credit;  // by the item's credit account
};

// `where`: conditions on both sides, each line beginning with " and ".
// `debitOnly` / `creditOnly`: a condition that an item's debit / credit
// side must also meet to be summed on that side (empty: none).
AccountTurnovers ReadTurnovers(const QString& where, const QString& debitOnly, const QString& creditOnly,
                               const QVariantMap& params);
