#pragma once
// The audit trail of master data (DOKU): who changed which column of which
// row, when, from what to what, and which rows were deleted.
#include <QSqlRecord>
#include <QString>
#include <QStringList>

#include "masterdata/sql_statement.h"

// True when the database keeps the trail.
bool AuditAvailable(const QString& connection);

// One row per column whose value the stored statement changed; `before` is
// the row as it was read (empty for a new record). action: "insert" or
// "update". The key value is taken from the statement's new values.
void AuditStore(const QString& connection, const QString& table, const QStringList& keyFields, const QString& action,
                const QSqlRecord& before, const SqlStatement& stored);

// One row for a deleted row, its values in MIROL.
void AuditDelete(const QString& connection, const QString& table, const QStringList& keyFields, const QSqlRecord& row);
