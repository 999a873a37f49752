#pragma once
// What the database itself says about its tables: whether a table exists,
// a column's type, length and nullability, a table's key, and the CREATE
// TABLE statement of a table under another name.
#include <QSqlField>
#include <QString>
#include <QStringList>

bool TableExists(const QString& name);

// Column facts from the catalogue. Not found: length 0, type name "nil", false.
bool IbFieldInfo(const QString& table, const QString& column, int& length, bool& notNull, QString& typeName);
bool FieldInfo(const QString& table, const QString& column, int& length, bool& notNull, QString& typeName);
bool DomainNotNull(const QString& domain);

// The system's type vocabulary: VARCHAR, INTEGER, SMALLINT, DOUBLE PRECISION,
// MEMO, BLOB; other catalogue names come back unchanged.
QString IbTypeName(const QString& catalogueTypeName, int subType);
// The type name of a column of an opened result: VARCHAR, SMALLINT, INTEGER,
// BOOLEAN, FLOAT, BLOB, MEMO or Unknown.
QString FieldTypeName(const QSqlField& field);
// Display width in characters: VARCHAR its width, INTEGER/SMALLINT 10,
// FLOAT/DOUBLE PRECISION 13, MEMO/BLOB -1, others 8.
int FieldDisplayWidth(const QSqlField& field, QString& typeName);

// The primary-key columns joined by ",", in key order.
QString PkFields(const QString& table, int& count);

// Builds (and with `execute` runs) the CREATE TABLE statement of `source`
// under `newName`. False when the source has no columns. The statement is
// handed back in `statement` even when it is not run.
bool CopyTableDdl(const QString& source, const QString& newName, bool execute, bool withKey,
                  QStringList* statement = nullptr);
