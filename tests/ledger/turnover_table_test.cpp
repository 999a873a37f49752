#include <QSqlQuery>

#include "db/dat.h"
#include "ledger/turnover_table.h"
#include "reports/fokiv.h"
#include "support/test_db.h"
#include "support/turnover_sums.h"

namespace {

using TurnoverTableTest = CompanyDbTest;

qint64 Rows(const QString& where = QString()) {
    return SelectValue(d_tarvedo, QStringLiteral("select count(*) from FORGALOM ") + where).toLongLong();
}

void Item(const QString& sorszam, const QString& szla, const QString& eszla, double ertek, const QString& connection = d_tarvedo) {
    ExecSql(connection,
            QStringLiteral("insert into TETEL (SORSZAM, SZLA, ESZLA, ERTEK, TELJKELT, NTIPUS, SZOVEG) "
                           "values (:S, :SZLA, :ESZLA, :ERTEK, '2025.03.10', 'VV', 'tétel')"),
            {{"S", sorszam}, {"SZLA", szla}, {"ESZLA", eszla}, {"ERTEK", ertek}});
}

TEST_F(TurnoverTableTest, EveryChangeOfTheItemsKeepsTheSumsAndMergingKeepsThem) {
    Item("1", "311", "911", 1000);
    Item("2", "311", "911", 250.5);
    Item("3", "384", "311", 700);
    const struct {
        const char* what;
        const char* sql;
        qint64 rowsAdded;
    } steps[] = {
        {"a narrative only", "update TETEL set SZOVEG = 'más' where SORSZAM = '1'", 0},
        {"an amount", "update TETEL set ERTEK = 1200 where SORSZAM = '1'", 2},
        {"an account", "update TETEL set ESZLA = '381' where SORSZAM = '3'", 2},
        {"a fulfilment date", "update TETEL set TELJKELT = '2025.04.01' where SORSZAM = '2'", 2},
        {"a deletion", "delete from TETEL where SORSZAM = '2'", 1},
        {"an amount set to null", "update TETEL set ERTEK = null where SORSZAM = '3'", 2},
    };
    EXPECT_EQ(Rows(), 3);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        const qint64 before = Rows();
        Exec(QString::fromUtf8(step.sql));
        EXPECT_EQ(Rows() - before, step.rowsAdded);
        EXPECT_EQ(TurnoverSums(TurnoverTable), TurnoverSums(QStringLiteral("TETEL")));
    }
    EXPECT_EQ(UnmergedTurnoverRows(d_tarvedo), Rows());
    ASSERT_TRUE(MergeTurnovers(d_tarvedo));
    EXPECT_EQ(UnmergedTurnoverRows(d_tarvedo), 0);
    EXPECT_EQ(TurnoverSums(TurnoverTable), TurnoverSums(QStringLiteral("TETEL")));
    EXPECT_EQ(Rows(), TurnoverSums(TurnoverTable).size());  // one row per key, none for a zero sum
    Item("4", "311", "911", 99);  // after a merge the trigger adds again
    EXPECT_EQ(UnmergedTurnoverRows(d_tarvedo), 1);
    EXPECT_EQ(TurnoverSums(TurnoverTable), TurnoverSums(QStringLiteral("TETEL")));
    // A later merge groups only what was added since: the rows merged
    // before stay, so a key may have a merged row of each merge.
    const qint64 merged = Rows();
    Item("5", "311", "911", 1);
    ASSERT_TRUE(MergeTurnovers(d_tarvedo));
    EXPECT_EQ(Rows(), merged);  // 4 and 5 share a key: one new row for the pair
    EXPECT_EQ(UnmergedTurnoverRows(d_tarvedo), 0);
    EXPECT_EQ(TurnoverSums(TurnoverTable), TurnoverSums(QStringLiteral("TETEL")));
}

TEST_F(TurnoverTableTest, AMergeGivesUpAtOnceWhileAnotherWorkstationIsMerging) {
    Item("1", "311", "911", 1000);
    Item("2", "311", "911", 500);
    ASSERT_TRUE(DbConnect(d_tarvedo2, db.path()));
    {
        // The other workstation's merge has run its statements and not yet committed.
        DbTransaction other(d_tarvedo2);
        ExecSql(d_tarvedo2, QStringLiteral("insert into FORGALOM (SZLA, ESZLA, TELJKELT, NTIPUS, ERTEK, OSSZEVONT) "
                                           "select SZLA, ESZLA, TELJKELT, NTIPUS, sum(ERTEK), 1 from FORGALOM "
                                           "where OSSZEVONT is null group by 1, 2, 3, 4"));
        ExecSql(d_tarvedo2, QStringLiteral("delete from FORGALOM where OSSZEVONT is null"));
        EXPECT_FALSE(MergeTurnovers(d_tarvedo));
        EXPECT_EQ(Rows(), 2);  // nothing of ours changed
        other.commit();
    }
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(TurnoverSums(TurnoverTable), TurnoverSums(QStringLiteral("TETEL")));
    DbDisconnect(d_tarvedo2);
}

TEST_F(TurnoverTableTest, AMergeLeavesAnotherWorkstationsUncommittedItemAlone) {
    Item("1", "311", "911", 1000);
    ASSERT_TRUE(DbConnect(d_tarvedo2, db.path()));
    {
        DbTransaction other(d_tarvedo2);
        Item("2", "311", "911", 500, d_tarvedo2);
        ASSERT_TRUE(MergeTurnovers(d_tarvedo));
        other.commit();
    }
    EXPECT_EQ(TurnoverSums(TurnoverTable), TurnoverSums(QStringLiteral("TETEL")));
    EXPECT_EQ(UnmergedTurnoverRows(d_tarvedo), 1);
    DbDisconnect(d_tarvedo2);
}

TEST_F(TurnoverTableTest, TheTrialBalanceOfADatabaseWithoutTheTableSumsTheItems) {
    Item("1", "311", "911", 1000);
    Item("2", "384", "311", 400);
    const FokivCriteria all;
    const std::vector<FokivRow> withTable = ComputeFokiv(all);
    Exec(QStringLiteral("drop trigger TETEL_FORGALOM"));
    Exec(QStringLiteral("drop table FORGALOM"));
    ASSERT_FALSE(HasTurnoverTable(d_tarvedo));
    EXPECT_EQ(ComputeFokiv(all), withTable);
    EXPECT_EQ(ComputeFokivPerAccount(all), withTable);
    EXPECT_FALSE(withTable.empty());
}

}  // namespace
