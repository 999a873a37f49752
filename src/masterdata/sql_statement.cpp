#include "sql_statement.h"

#include "db/db_error.h"

void SqlStatement::setSql(const QStringList& lines) {
    sql = lines;
    const QStringList names = paramNames();
    for (auto it = m_values.begin(); it != m_values.end();) {
        if (names.contains(it.key()))
            ++it;
        else
            it = m_values.erase(it);
    }
}

QStringList SqlStatement::paramNames() const {
    QStringList names;
    for (const QString& name : ToPositional(text()).names)
        if (!names.contains(name)) names << name;
    return names;
}

int SqlStatement::exec() const {
    QSqlQuery query = ExecSql(connection, text(), m_values);
    return query.numRowsAffected();
}

QSqlQuery SqlStatement::open() const {
    return ExecSql(connection, text(), m_values);
}

bool IsValueMismatch(const DbError& error) {
    // -802: string truncation or numeric overflow, -413: conversion error.
    return error.nativeCode() == QLatin1String("-802") || error.nativeCode() == QLatin1String("-413");
}
