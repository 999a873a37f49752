#pragma once
// The turnover table FORGALOM: the ledger items summed by debit account,
// credit account, fulfilment date and journal type, kept by a trigger on
// TETEL that only ever adds rows. Reports read it instead of every item;
// from time to time the added rows are merged into one row per key.
#include <QString>

inline const QString TurnoverTable = QStringLiteral("FORGALOM");

// Above this many added rows a report merges them before reading: reading a
// few tens of thousands of rows costs less than merging them.
inline constexpr qint64 TurnoverMergeThreshold = 20000;

// Whether the company database has the turnover table (databases made
// before it existed are summed from TETEL).
bool HasTurnoverTable(const QString& connection);

// Rows added by the trigger since the last merge.
qint64 UnmergedTurnoverRows(const QString& connection);

// Merges the rows added since the last merge into one row per key, in one
// transaction; the sums stay the same. Rows of other workstations' items
// that are not committed yet are left for a later merge. False when
// another workstation was merging at the same time (nothing changed; the
// rows are merged by whoever won).
bool MergeTurnovers(const QString& connection);

// Merges when more than TurnoverMergeThreshold rows were added.
void MergeTurnoversIfMany(const QString& connection);

// For a load into a database no one else uses: the trigger off while the
// items are written, then the table made afresh from the items in one
// grouped pass. Merging a load's worth of added rows would leave as many
// deleted rows for the engine to clean up at the next read.
void SetTurnoverTrigger(const QString& connection, bool active);
void RebuildTurnovers(const QString& connection);
