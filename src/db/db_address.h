#pragma once
// A database address as the settings file and the company registry hold it:
// either a local path, or "server:path" for a Firebird server on port 3050.
#include <QString>
#include <QStringList>

struct DbAddress {
    QString server;  // empty for a local database
    QString path;    // the database path, as the engine is to see it
    bool isRemote() const { return !server.isEmpty(); }
};

// The rules of the address string: when the first character is a letter and
// there is at most one colon, the whole text is a local path (a drive letter
// path such as C:\DATA\A.GDB); otherwise the server is the text before the
// first colon and the path is the rest.
DbAddress ParseDbAddress(const QString& address);

// The connection parameter lines of the InterBase driver, in their order.
QStringList ConnectionParams(const QString& driver, const QString& address, const QString& user,
                             const QString& password);

// A path as the engine on this machine reads it: folders written with "\"
// become "/" on systems whose folders are written with "/".
QString NativeDbPath(const QString& path);
