#pragma once
// The clean-up of temporary tables: the tables and views of the company
// database whose names begin with "TMP_" (the underscore taken literally, so
// that a user's own "TMPX" is never touched), except TMP_TABLAK.
#include <QList>
#include <QString>
#include <QStringList>

class QObject;

inline const QString KeptTmpTable = QStringLiteral("TMP_TABLAK");

// Connects the company database again (its own temporary tables are then
// no longer in use by this workstation) and lists the temporary tables.
QStringList TmpTablesList();

struct TmpDropResult {
    QString table;
    bool dropped = false;
    QString error;
};

// Drops the tables in order (one that a later view of the list stands on is
// tried again once that view is gone). A table that cannot be dropped
// (another workstation still uses it, a view of the user's stands on it)
// stays, with its name and the reason in `error`, which also goes through
// the error log (message, error file, reconnect); the others are still
// dropped. Afterwards the company database is connected again. Nothing
// when it is not connected.
QList<TmpDropResult> TmpTablesDrop(const QStringList& tables, const QObject* sender);

// The clean-up at the end of every run, without a window.
void SilentTmpCleanup(const QObject* sender = nullptr);
