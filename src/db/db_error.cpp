#include "db_error.h"

namespace {
QString describe(const QSqlError& error, const QString& statement) {
    QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (!error.driverText().isEmpty() && !text.contains(error.driverText()))
        text = error.driverText() + QLatin1String(": ") + text;
    if (!statement.isEmpty()) text += QLatin1String("\n") + statement;
    return text;
}
}  // namespace

DbError::DbError(const QSqlError& error, const QString& statement)
    : DbError(describe(error, statement), error.nativeErrorCode()) {}

bool DbError::isLockConflict() const {
    if (m_nativeCode == QLatin1String("-913")) return true;
    const QString lower = m_message.toLower();
    return lower.contains(QLatin1String("deadlock")) || lower.contains(QLatin1String("update conflict"))
        || lower.contains(QLatin1String("lock conflict"));
}
