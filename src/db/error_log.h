#pragma once
// Reports an error a caller caught: shows its message, writes a three-line
// error file into the working directory describing where it happened, and
// connects the company database again when the error dropped it.
#include <QString>

class QObject;

struct CaughtError {
    QString typeName;  // the kind of error, for example "DbError"
    QString message;
};

// The three lines of the error file.
QStringList ErrorFileLines(const QObject* sender, const CaughtError& error);
// Returns the name of the file written.
QString Hiba_Kezelo(const QObject* sender, const CaughtError& error);
