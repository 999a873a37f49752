#pragma once
// Whether two addresses or two connections reach one and the same database.
// The typed text says little: "DIR/../DIR/A.GDB", a symbolic link to the
// file or a server address may all lead to the file "DIR/A.GDB".
#include <QString>

// Both addresses name one existing file of this machine (as a local path or
// through a server on this machine) once ".", ".." and symbolic links are
// resolved.
bool SameDatabaseFile(const QString& addressA, const QString& addressB);

// Whether two open connections are attached to one database: the engine of
// the first lists the second connection's attachment among its own, or both
// report the same database file created at the same moment.
bool SameDatabase(const QString& connectionA, const QString& connectionB);
