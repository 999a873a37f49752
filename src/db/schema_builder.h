#pragma once
// New databases are made from the definitions in db/schema, which travel
// inside the program: the company template and the system database.
#include <QString>
#include <QStringList>

enum class SchemaKind { Company, System };

// The definition files of a kind, in the order they run.
QStringList SchemaFiles(SchemaKind kind);

// Creates the database at `address` and runs every definition file on it.
// DDL files run statement by statement; a file whose name ends in
// "_data.sql" runs in one transaction. Returns an empty text on success,
// else a Hungarian message naming the file and the failed statement.
QString BuildDatabase(const QString& address, SchemaKind kind);
