#pragma once
// Renumbering of the ledger items: every row of TETEL gets a serial number
// of its own from the "SORSZAM" counter, in the order of the old numbers,
// larger amounts first.
//
// The rows are first given unique temporary marks and then their new
// numbers, so a new number can never meet an old number not yet processed,
// and rows that share (SORSZAM, SZLA, ESZLA) still get numbers of their own.
// Everything, the counter included, runs in one transaction: all or nothing.
#include <QString>

inline const QString RenumberQuestion = QStringLiteral("Átsorszámozzuk a  bizonylatokat?");

// The number of rows renumbered; -1 when the counter was held by another
// workstation and the user gave up waiting (nothing changed). Database
// errors roll everything back and reach the caller.
int RenumberItems();
