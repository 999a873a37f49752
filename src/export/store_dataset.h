#pragma once
// The store operation of every list ("&Letárol", "Tárolás táblába",
// "&Táblázat tárolása", "Teljes lista &táblázatba"): the rows go into a file
// whose extension chooses the format: a workbook (".XLSX", ".XLS", ".XLSM"),
// an SQL script (".SQL") or a fixed-width text (".TXT").
#include <QString>

class ExportSource;
class ExportProgress;

// fileName: empty asks for one. tableName: the target table of an SQL
// script (empty: the table the list reads). chosenFileName: the name
// written, empty when nothing was stored. A list without rows is not stored
// ("Nincs adat, amit tárolni lehetne."); a name with any other extension
// stores nothing. Throws DbError when reading the rows fails.
bool StoreDataSet(ExportSource& source, const QString& fileName, const QString& tableName, QString& chosenFileName,
                  ExportProgress* progress = nullptr);
