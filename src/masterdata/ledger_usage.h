#pragma once
// Codes that ledger items refer to: a master-data row whose code items
// still use cannot be deleted, or those items would lose their account,
// partner, journal type or VAT code.
#include <QSqlRecord>
#include <QString>

// The number of ledger items (TETEL rows) that use the code of `row` of
// `table`; 0 for a table that items do not refer to.
int LedgerItemsUsing(const QString& connection, const QString& table, const QSqlRecord& row);

// The refusal shown instead of deleting such a row.
QString UsedCodeMessage(const QString& code, int items);
