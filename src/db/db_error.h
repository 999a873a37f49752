#pragma once
// A database error that an operation does not handle itself. It travels to
// the caller; the desktop program shows it as the platform's error message
// and abandons the event, the command-line tool prints it and exits non-zero.
//
// What the user reads is Hungarian: what the program was doing and, as far as
// it can be told, why it failed; the engine's own (English) text follows on a
// detail line. The statement is kept for the error file, never shown.
#include <QSqlError>
#include <QString>
#include <stdexcept>

class DbError : public std::runtime_error {
public:
    // A message of the program's own, or the engine's text (`codeOrStatement`
    // is then Firebird's SQLCODE, or the statement that failed).
    explicit DbError(const QString& message, const QString& codeOrStatement = {});
    DbError(const QSqlError& error, const QString& statement = {});

    // The text the user is shown.
    const QString& message() const { return m_message; }
    // The engine's own text; empty for a message of the program's own.
    const QString& engineText() const { return m_engineText; }
    // The statement that failed, when it is known.
    const QString& statement() const { return m_statement; }
    // Firebird's SQLCODE as text, for example "-913" for a lock conflict.
    const QString& nativeCode() const { return m_nativeCode; }
    // Two transactions wanted the same row: the work may simply be retried.
    bool isLockConflict() const;

private:
    struct Parts {
        QString message, engineText, statement, nativeCode;
    };
    explicit DbError(Parts parts);

    QString m_message;
    QString m_engineText;
    QString m_statement;
    QString m_nativeCode;
};

// Whether a text is the engine's rather than a message of the program's own.
bool IsEngineText(const QString& text);
// The Hungarian text of an engine error: the step (told by the statement)
// and the reason, then the engine's text on a detail line.
QString DbErrorUserText(const QString& engineText, const QString& statement);
