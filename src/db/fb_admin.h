#pragma once
// The few things the SQL driver cannot do, done through the Firebird client
// library directly: creating a database file and switching forced writes.
#include <QString>

struct FbCredentials {
    QString user;
    QString password;
};
// DBUSER / DBPASSWORD from the settings, else the administrator account.
FbCredentials DbCredentials();

// Creates an empty database (UTF8, 16 KiB pages: room for a large ledger)
// at the address (a local path or "server:path"). Returns an empty text on
// success, else the engine's message.
QString CreateDatabaseFile(const QString& address, const FbCredentials& credentials,
                           int pageSize = 16384);

// Forced writes on: every commit is on the disk before it returns. Off is
// only for building a database nobody uses yet.
QString SetForcedWrites(const QString& address, const FbCredentials& credentials, bool on);
