#pragma once
// A database error that an operation does not handle itself. It travels to
// the caller; the desktop program shows it as the platform's error message
// and abandons the event, the command-line tool prints it and exits non-zero.
#include <QSqlError>
#include <QString>
#include <stdexcept>

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, const QString& nativeCode = {})
        : std::runtime_error(message.toStdString()), m_message(message), m_nativeCode(nativeCode) {}
    DbError(const QSqlError& error, const QString& statement = {});

    const QString& message() const { return m_message; }
    // Firebird's SQLCODE as text, for example "-913" for a lock conflict.
    const QString& nativeCode() const { return m_nativeCode; }
    // Two transactions wanted the same row: the work may simply be retried.
    bool isLockConflict() const;

private:
    QString m_message;
    QString m_nativeCode;
};
