#pragma once
// The few things the SQL driver cannot do, done through the Firebird client
// library directly: creating a database file and switching forced writes.
#include <QByteArray>
#include <QString>

struct FbCredentials {
    QString user;
    QString password;
};
// DBUSER / DBPASSWORD from the settings, else TARVEDO_DB_USER /
// TARVEDO_DB_PASSWORD from the environment, else the administrator account
// with the built-in password (which a server should never keep).
FbCredentials DbCredentials();

// Creates an empty database (UTF8, 16 KiB pages: room for a large ledger)
// at the address (a local path or "server:path"). Returns an empty text on
// success, else the engine's message.
QString CreateDatabaseFile(const QString& address, const FbCredentials& credentials,
                           int pageSize = 16384);

// Forced writes on: every commit is on the disk before it returns. Off is
// only for building a database nobody uses yet.
QString SetForcedWrites(const QString& address, const FbCredentials& credentials, bool on);

// Attaches to the database at the address and detaches again. Returns an
// empty text when it opens, else the engine's message; `missing` is set when
// there is no file of that name.
QString TryAttachDatabase(const QString& address, const FbCredentials& credentials, bool* missing = nullptr);
// Removes the database at the address through its engine. Returns an empty
// text on success, else the engine's message.
QString DropDatabaseFile(const QString& address, const FbCredentials& credentials);

// The address as the client library reads it: "server/3050:path" or the
// local path with its folders written the way this system writes them.
QByteArray FbEngineAddress(const QString& address);
// The services manager of the engine that holds the database at `address`:
// "server/3050:service_mgr", or "service_mgr" of the embedded engine.
QByteArray FbServiceManagerAddress(const QString& address);
// The database path as that engine sees it.
QByteArray FbServicePath(const QString& address);
