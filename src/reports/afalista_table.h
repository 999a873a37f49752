#pragma once
// The VAT list's result table: made under a new name for each computation,
// with the dynamic columns of the period, and filled in one transaction.
#include <QString>
#include <QStringList>

struct AfalistaResult;

// A global temporary table (rows private to the connection) with the
// list's fixed columns and `dynamicColumns`.
void CreateAfalistaTable(const QString& name, const QStringList& dynamicColumns);
// All rows in one transaction: on an error none of them stays.
void InsertAfalistaRows(const QString& table, const AfalistaResult& result);
