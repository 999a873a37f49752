#pragma once
// Statements run together in a snapshot transaction of their own on the
// connection's attachment, one that does not wait for rows other
// transactions hold: for housekeeping that can as well be left for later
// when another workstation is doing the same at that moment.
#include <QString>
#include <QStringList>

// True when the statements ran and were committed; false when a row held
// by another transaction stopped them (nothing is changed). Throws DbError
// on any other error.
bool ExecSnapshotNoWait(const QString& connection, const QStringList& statements);
