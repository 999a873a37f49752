#pragma once
// Opening a working directory the way the program starts: its TARVEDO.INI
// names the system and the company databases. Used by the command-line tool
// (which has no login) and by the desktop start-up.
#include <QString>

struct SessionResult {
    bool ok = false;
    QString error;  // the start-up's own message when !ok
};

// Reads TARVEDO.INI of `dir` (the current directory becomes `dir`), connects
// the system database, the company database and the second company
// connection, reads the installation record and picks the company row named
// by DEFAULTCEG/DEFAULTEV. The built-in user "KARDO" becomes the user.
SessionResult OpenWorkingDirectory(const QString& dir);

// Records in the setting VANARFOLYAM whether the item table of the company
// connected now keeps exchange rates (its column ARFOLYAM), so that the
// voucher storage writes the rate the same way from every start.
void RecordRateColumn();

// Drops every connection of the run.
void CloseSession();
