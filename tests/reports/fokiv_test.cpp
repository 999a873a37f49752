// The trial balance: its rows in the result table, the same rows as the
// statement per account gives, and the printed layout.
#include <gtest/gtest.h>

#include "db/catalog.h"
#include "ledger_items.h"
#include "report_engine_samples.h"
#include "reports/fokiv.h"
#include "reports/frfokiv.h"
#include "support/test_db.h"

using items::Item;

namespace {

const QStringList Columns = {"TIPUS", "SZLA", "TART_ERT", "KOV_ERT", "TART_EGY", "KOV_EGY"};

class Fokiv : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        items::Post({
            {"311", "911", 1000, "VE", "2025.01.15"},
            {"384", "311", 1000, "BK", "2025.02.10"},  // 311 equal turnovers
            {"312", "911", 500, "VE", "2025.02.20"},   // 312 debit only
            {"3191", "312", 70, "VV", "2025.03.01"},   // account beyond the range 311-319 as texts
            {"384", "491", 200, "NY", "2025.01.01"},   // opening item
            {"521", "454", 300, "SZ", "2025.04.05"},
        });
    }

    QStringList run(const FokivCriteria& c) {
        const ReportRun r = RunFokiv(c, table);
        EXPECT_EQ(r.rows, CountRows(r.table));
        return items::Rows(r.querySql, Columns);
    }
    ResultTable table;
};

}  // namespace

TEST_F(Fokiv, RowsByCriteria) {
    struct Case {
        const char* what;
        FokivCriteria criteria;
        QStringList rows;
    };
    const Case cases[] = {
        {"everything",
         {},
         {"G | 3 | 2770 | 1070 | 1700 | 0", "G | 31 | 1570 | 1070 | 500 | 0", "K | 311 | 1000 | 1000 | 0 | 0",
          "K | 312 | 500 | 70 | 430 | 0", "K | 319 | 70 | 0 | 70 | 0", "G | 38 | 1200 | 0 | 1200 | 0",
          "K | 384 | 1200 | 0 | 1200 | 0", "G | 4 | 0 | 500 | 0 | 500", "G | 45 | 0 | 300 | 0 | 300",
          "K | 454 | 0 | 300 | 0 | 300", "G | 49 | 0 | 200 | 0 | 200", "K | 491 | 0 | 200 | 0 | 200",
          "G | 5 | 300 | 0 | 300 | 0", "G | 52 | 300 | 0 | 300 | 0", "K | 521 | 300 | 0 | 300 | 0",
          "G | 9 | 0 | 1500 | 0 | 1500", "G | 91 | 0 | 1500 | 0 | 1500", "K | 911 | 0 | 1500 | 0 | 1500"}},
        {"classes 1 to 4 and collectors only",
         {"1", "4", "", "", "", "", true, false},
         {"G | 3 | 2770 | 1070 | 1700 | 0", "G | 31 | 1570 | 1070 | 500 | 0", "G | 38 | 1200 | 0 | 1200 | 0",
          "G | 4 | 0 | 500 | 0 | 500", "G | 45 | 0 | 300 | 0 | 300", "G | 49 | 0 | 200 | 0 | 200"}},
        {"class from 5 alone",
         {"5", "", "", "", "", "", true, false},
         {"G | 5 | 300 | 0 | 300 | 0", "G | 52 | 300 | 0 | 300 | 0", "G | 9 | 0 | 1500 | 0 | 1500",
          "G | 91 | 0 | 1500 | 0 | 1500"}},
        {"account range 311 to 319 leaves out 3191",
         {"", "", "311", "319", "", "", false, false},
         {"G | 3 | 1500 | 1070 | 430 | 0", "G | 31 | 1500 | 1070 | 430 | 0", "K | 311 | 1000 | 1000 | 0 | 0",
          "K | 312 | 500 | 70 | 430 | 0"}},
        {"fulfilment dates, the empty mask is no bound",
         {"", "", "", "", "2025.02.01", "    .  .  ", false, false},
         {"G | 3 | 1570 | 1070 | 500 | 0", "G | 31 | 570 | 1070 | 0 | 500", "K | 311 | 0 | 1000 | 0 | 1000",
          "K | 312 | 500 | 70 | 430 | 0", "K | 319 | 70 | 0 | 70 | 0", "G | 38 | 1000 | 0 | 1000 | 0",
          "K | 384 | 1000 | 0 | 1000 | 0", "G | 4 | 0 | 300 | 0 | 300", "G | 45 | 0 | 300 | 0 | 300",
          "K | 454 | 0 | 300 | 0 | 300", "G | 5 | 300 | 0 | 300 | 0", "G | 52 | 300 | 0 | 300 | 0",
          "K | 521 | 300 | 0 | 300 | 0", "G | 9 | 0 | 500 | 0 | 500", "G | 91 | 0 | 500 | 0 | 500",
          "K | 911 | 0 | 500 | 0 | 500"}},
        {"opening items only",
         {"", "", "", "", "", "", false, true},
         {"G | 3 | 200 | 0 | 200 | 0", "G | 38 | 200 | 0 | 200 | 0", "K | 384 | 200 | 0 | 200 | 0",
          "G | 4 | 0 | 200 | 0 | 200", "G | 49 | 0 | 200 | 0 | 200", "K | 491 | 0 | 200 | 0 | 200"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(run(c.criteria), c.rows);
        EXPECT_EQ(ComputeFokiv(c.criteria), ComputeFokivPerAccount(c.criteria));
    }
}

TEST_F(Fokiv, TheTableIsRememberedEmptiedAndForgottenWhenDropped) {
    RunFokiv({}, table);
    const QString first = table.name;
    EXPECT_TRUE(first.startsWith("TMP_FOKIV_"));
    EXPECT_EQ(first.size(), QString("TMP_FOKIV_").size() + 15);
    const ReportRun again = RunFokiv({"5", "", "", "", "", "", false, false}, table);
    EXPECT_EQ(again.table, first);
    EXPECT_EQ(again.rows, 6);

    Exec("drop table " + first);
    table.forgetIfDropped();
    EXPECT_TRUE(table.name.isEmpty());
    const ReportRun fresh = RunFokiv({}, table);
    EXPECT_NE(fresh.table, first);
    EXPECT_TRUE(TableExists(fresh.table));
}

TEST_F(Fokiv, ACallerOtherThanTheMenuGetsTheTableWithoutParameterLine) {
    const ReportRun r = RunFokiv({"", "", "", "", "", "", true, true}, table, FokivCallerMerleg);
    EXPECT_TRUE(r.whivparam.isEmpty());
    EXPECT_EQ(r.rows, 4);
    const ReportRun fromMenu = RunFokiv({"", "", "", "", "", "", true, true}, table);
    EXPECT_EQ(fromMenu.whivparam, "Lekérdezés csak gyűjtőre, Csak nyitó tételek");
}

TEST_F(Fokiv, EqualTurnoversPrintBlankBalances) {
    Exec("update CEG set NEV = 'Minta Kft.'");
    db1AfterConnect();
    const ReportRun r = RunFokiv({"", "", "311", "312", "", "", false, false}, table);
    QueryExportSource rows(ExecSql(d_tarvedo, r.querySql), "q_fokiv");
    const QStringList text = RenderToText(Frfokiv(r.whivparam), rows, sample::Options());
    EXPECT_EQ(text.mid(5), QStringList({"G | 3 | Követelések, értékpapírok, pénzeszközök, aktív időbeli elhatárolások | 1 500 | 1 070 | 430 | ",
                                        "G | 31 | Követelések áruszállításból és szolgáltatásból (vevők) | 1 500 | 1 070 | 430 | ",
                                        "K | 311 | Belföldi követelések (vevők) | 1 000 | 1 000 |  | ",
                                        "K | 312 | Külföldi követelések (vevők) | 500 | 70 | 430 | ",
                                        "Lista vége"}));
    EXPECT_EQ(text.mid(2, 2), QStringList({"", "Forgalom | Egyenleg"}));
}

TEST_F(Fokiv, NoMovementNoRows) {
    const ReportRun r = RunFokiv({"", "", "", "", "2026.01.01", "", false, false}, table);
    EXPECT_EQ(r.rows, 0);
    EXPECT_TRUE(TableExists(r.table));
}

// A reversal keyed as a negative amount is turnover of its account: the
// sub-accounts are listed and add up to their collector on both sides.
TEST_F(Fokiv, NegativeTurnoverIsListedAndAddsUpToTheCollector) {
    items::Post({
        {"384", "531", 67500, "BK", "2025.05.02"},
        {"384", "532", -1500.5, "BK", "2025.05.03"},  // reversal keyed with a minus sign
        {"539", "384", 100, "BK", "2025.05.04"},      // keyed and cancelled: no turnover
        {"539", "384", -100, "BK", "2025.05.05"},
    });
    const FokivCriteria class5{"5", "5", "", "", "", "", false, false};
    // 67 500 - 1 500,5 = 65 999,5 on the credit side of 53 and 5; 532 alone
    // has a negative credit turnover, which is a debit balance of 1 500,5.
    EXPECT_EQ(run(class5), QStringList({"G | 5 | 300 | 65999.5 | 0 | 65699.5", "G | 52 | 300 | 0 | 300 | 0",
                                        "K | 521 | 300 | 0 | 300 | 0", "G | 53 | 0 | 65999.5 | 0 | 65999.5",
                                        "K | 531 | 0 | 67500 | 0 | 67500", "K | 532 | 0 | -1500.5 | 1500.5 | 0"}));
    EXPECT_EQ(ComputeFokiv(class5), ComputeFokivPerAccount(class5));

    // Every collector's turnover is the sum of its listed analytic accounts.
    const std::vector<FokivRow> rows = ComputeFokiv({});
    for (const FokivRow& collector : rows) {
        if (collector.tipus != "G") continue;
        double tart = 0, kov = 0;
        for (const FokivRow& row : rows)
            if (row.tipus == "K" && row.szla.startsWith(collector.szla.trimmed())) {
                tart += row.tartErt;
                kov += row.kovErt;
            }
        EXPECT_DOUBLE_EQ(tart, collector.tartErt) << collector.szla.toStdString();
        EXPECT_DOUBLE_EQ(kov, collector.kovErt) << collector.szla.toStdString();
    }
}
