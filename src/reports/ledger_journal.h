#pragma once
// The ledger as a plain-text double-entry journal that ledger-cli and
// hledger read: one transaction per item row, dated by its fulfilment date,
// the amount to the debit account and its negation to the credit account.
// Accounts are written as digit paths, 311 as "3:31:311", so that a parent's
// balance is the sum over the account numbers beginning with it, as in the
// trial balance.
#include <QString>

// "3:31:311" for "311".
QString LedgerAccountPath(const QString& szla);

// Writes every item of TETEL to `path` (UTF-8). Returns the transactions
// written; throws DbError when reading fails and std::runtime_error when the
// file cannot be written.
qint64 WriteLedgerJournal(const QString& path);
