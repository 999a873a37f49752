#pragma once
// "Adatbázis mentése" and "Adatbázis visszatöltése": the company database
// saved to a backup file on this workstation and a database made from one,
// with a progress bar.
class QWidget;

// Asks for the file and saves the open company database into it.
void ShowBackupFm(QWidget* parent);
// Asks for the backup file and the new database's address and restores it.
// An existing database is never overwritten from here.
void ShowRestoreFm(QWidget* parent);
