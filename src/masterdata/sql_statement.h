#pragma once
// A statement of the engine: its text lines, the connection it runs on and
// the values of its ":NAME" parameters. The values live between calls, so
// the defaults prepared for a new record stay until it is stored.
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "db/dat.h"

class DbError;

class SqlStatement {
public:
    explicit SqlStatement(QString connection = d_tarvedo) : connection(std::move(connection)) {}

    QString connection;
    QStringList sql;

    QString text() const { return sql.join(QLatin1Char('\n')); }
    // Changes the text; values of parameters that the new text has no more are dropped.
    void setSql(const QStringList& lines);
    // The parameter names in the order of the text, upper case, each once.
    QStringList paramNames() const;

    bool isAssigned(const QString& name) const { return m_values.contains(name.toUpper()); }
    QVariant value(const QString& name) const { return m_values.value(name.toUpper()); }
    // A null value of a type is sent as NULL.
    void setValue(const QString& name, const QVariant& value) { m_values.insert(name.toUpper(), value); }
    void unassign(const QString& name) { m_values.remove(name.toUpper()); }
    void clearValues() { m_values.clear(); }

    // Runs the statement; unassigned parameters are NULL. Returns the rows
    // affected. Throws DbError.
    int exec() const;
    // Runs a select and hands back its rows (forward only). Throws DbError.
    QSqlQuery open() const;

private:
    QVariantMap m_values;  // by upper-case name
};

// The database refused a typed value that cannot be compared with its
// column (longer than the column, not a number): no row can hold it.
bool IsValueMismatch(const DbError& error);
