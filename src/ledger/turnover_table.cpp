#include "ledger/turnover_table.h"

#include "db/dat.h"
#include "db/db_error.h"

bool HasTurnoverTable(const QString& connection) {
    return SelectValue(connection, QStringLiteral("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = :NAME"),
                       {{QStringLiteral("NAME"), TurnoverTable}})
               .toInt() > 0;
}

qint64 UnmergedTurnoverRows(const QString& connection) {
    return SelectValue(connection, QStringLiteral("select count(*) from FORGALOM where OSSZEVONT is null")).toLongLong();
}

bool MergeTurnovers(const QString& connection) {
    // Every row this transaction can see is claimed first (mark 2): the
    // claim locks them, so a second merge at the same time fails on the
    // first locked row and changes nothing; rows of items not yet
    // committed elsewhere are invisible here and stay as they are.
    try {
        DbTransaction transaction(connection);
        ExecSql(connection, QStringLiteral("update FORGALOM set OSSZEVONT = 2"));
        ExecSql(connection, QStringLiteral(
            "insert into FORGALOM (SZLA, ESZLA, TELJKELT, NTIPUS, ERTEK, OSSZEVONT)\n"
            "select SZLA, ESZLA, TELJKELT, NTIPUS, sum(ERTEK), 3 from FORGALOM where OSSZEVONT = 2\n"
            "group by SZLA, ESZLA, TELJKELT, NTIPUS having sum(ERTEK) <> 0"));
        ExecSql(connection, QStringLiteral("delete from FORGALOM where OSSZEVONT = 2"));
        ExecSql(connection, QStringLiteral("update FORGALOM set OSSZEVONT = 1 where OSSZEVONT = 3"));
        transaction.commit();
        return true;
    } catch (const DbError&) {
        return false;
    }
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
