#include "ledger/turnover_table.h"

#include "db/dat.h"
#include "db/fb_snapshot.h"

bool HasTurnoverTable(const QString& connection) {
    return SelectValue(connection, QStringLiteral("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = :NAME"),
                       {{QStringLiteral("NAME"), TurnoverTable}})
               .toInt() > 0;
}

qint64 UnmergedTurnoverRows(const QString& connection) {
    return SelectValue(connection, QStringLiteral("select count(*) from FORGALOM where OSSZEVONT is null")).toLongLong();
}

bool MergeTurnovers(const QString& connection) {
    // Only the added rows are merged; rows merged before stay as they are,
    // so a merge costs what was added since the last one, and leaves only
    // that many deleted rows for the engine to clean up. In one snapshot
    // both statements see the same added rows: rows of items committed
    // meanwhile elsewhere stay for the next merge. A merge running at the
    // same time elsewhere holds the rows, and this one gives up at once.
    const bool merged = ExecSnapshotNoWait(
        connection,
        {QStringLiteral("insert into FORGALOM (SZLA, ESZLA, TELJKELT, NTIPUS, ERTEK, OSSZEVONT)\n"
                        "select SZLA, ESZLA, TELJKELT, NTIPUS, sum(ERTEK), 1 from FORGALOM where OSSZEVONT is null\n"
                        "group by SZLA, ESZLA, TELJKELT, NTIPUS having sum(ERTEK) <> 0"),
         QStringLiteral("delete from FORGALOM where OSSZEVONT is null")});
    // The engine cleans up deleted rows when a read next meets them; one
    // read now makes that part of the merge instead of the next report.
    if (merged) SelectValue(connection, QStringLiteral("select count(*) from FORGALOM"));
    return merged;
}

void MergeTurnoversIfMany(const QString& connection) {
    if (UnmergedTurnoverRows(connection) > TurnoverMergeThreshold) MergeTurnovers(connection);
}

void SetTurnoverTrigger(const QString& connection, bool active) {
    ExecSql(connection, QStringLiteral("alter trigger TETEL_FORGALOM ") + (active ? QStringLiteral("active") : QStringLiteral("inactive")));
}

void RebuildTurnovers(const QString& connection) {
    DbTransaction transaction(connection);
    ExecSql(connection, QStringLiteral("delete from FORGALOM"));
    ExecSql(connection, QStringLiteral(
        "insert into FORGALOM (SZLA, ESZLA, TELJKELT, NTIPUS, ERTEK, OSSZEVONT)\n"
        "select SZLA, ESZLA, TELJKELT, NTIPUS, sum(ERTEK), 1 from TETEL\n"
        "group by SZLA, ESZLA, TELJKELT, NTIPUS having sum(ERTEK) <> 0"));
    transaction.commit();
}
