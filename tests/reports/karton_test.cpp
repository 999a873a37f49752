// Account cards: the debit and credit lines of the card's query, their
// order and columns, and the printed card with its groups, totals and
// voucher numbers.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ledger_items.h"
#include "report_engine_samples.h"
#include "export/sql_export.h"
#include "reports/frkarton.h"
#include "reports/karton.h"
#include "support/test_db.h"

namespace {

class Karton : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec("update CEG set NEV = 'Minta Kft.'");
        db1AfterConnect();
        items::Post({
            {"311", "911", 1000, "VE", "2025.01.15", "V1", "1", "BIZ-V", "számla", "2025.01.16"},
            {"384", "311", 400, "BK", "2025.02.10", "B1", "2", "BIZ-B", "jóváírás", "2025.02.11"},
            {"311", "312", 250, "VV", "2025.03.01", "E1", "3", "BIZ-E", "átvezetés", "2025.03.02"},
            {"381", "311", 100, "PT", "2025.03.05", "P1", "4", "BIZ-P", "befizetés", "2025.03.06"},
            {"521", "454", 300, "SZ", "2025.04.05", "S1", "5", "", "szállítói", "2025.04.06"},
        });
    }
};

const QStringList Columns = {"SZLA", "ESZLA", "TART_ERT", "KOV_ERT", "NTIPUS", "KONYVBIZ", "SZLANEV"};

}  // namespace

TEST_F(Karton, APrefixListsAnItemBetweenTwoOfItsAccountsTwice) {
    const ReportRun r = RunKarton({.szla = "31"});
    EXPECT_EQ(r.rows, 5);
    EXPECT_EQ(items::Rows(r.querySql, Columns, r.params),
              QStringList({"311 | 911 | 1000 | 0 | VE | V1 | Belföldi követelések (vevők)",
                           "311 | 384 | 0 | 400 | BK | B1 | Belföldi követelések (vevők)",
                           "311 | 312 | 250 | 0 | VV | E1 | Belföldi követelések (vevők)",
                           "311 | 381 | 0 | 100 | PT | P1 | Belföldi követelések (vevők)",
                           "312 | 311 | 0 | 250 | VV | E1 | Külföldi követelések (vevők)"}));
    EXPECT_EQ(r.whivparam, "Naplótípus : ;   Számlaszám : 31  Követelések áruszállításból és szolgáltatásból (vevők)");
}

TEST_F(Karton, AccountsMissingFromTheChartAreListedWithoutAName) {
    // Before the first chart account of the prefix, between two, after the last, and the collector itself.
    items::Post({{"3100", "911", 1, "VV"}, {"313", "911", 2, "VV"}, {"3199", "911", 3, "VV"}, {"31", "911", 4, "VV"}});
    const ReportRun r = RunKarton({.szla = "31", .ntipus = "VV"});
    EXPECT_EQ(items::Rows(r.querySql, {"SZLA", "TART_ERT", "SZLANEV"}, r.params),
              QStringList({"31 | 4 | Követelések áruszállításból és szolgáltatásból (vevők)", "3100 | 1 | ",
                           "311 | 250 | Belföldi követelések (vevők)", "312 | 0 | Külföldi követelések (vevők)",
                           "313 | 2 | ", "3199 | 3 | "}));
}

TEST_F(Karton, CriteriaNarrowTheItems) {
    struct Case {
        const char* what;
        KartonCriteria criteria;
        QStringList rows;
    };
    const Case cases[] = {
        {"journal type", {.szla = "311", .ntipus = "BK"}, {"311 | 384 | 0 | 400 | BK | B1 | Belföldi követelések (vevők)"}},
        {"posting dates", {.szla = "311", .konyvelveTol = "2025.02.11", .konyvelveIg = "2025.03.02"},
         {"311 | 384 | 0 | 400 | BK | B1 | Belföldi követelések (vevők)",
          "311 | 312 | 250 | 0 | VV | E1 | Belföldi követelések (vevők)"}},
        {"fulfilment date to, the empty mask is no bound", {.szla = "3", .teljkeltTol = "    .  .  ", .teljkeltIg = "2025.01.31"},
         {"311 | 911 | 1000 | 0 | VE | V1 | Belföldi követelések (vevők)"}},
        {"nothing in the range", {.szla = "5", .teljkeltTol = "2025.05.01"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReportRun r = RunKarton(c.criteria);
        EXPECT_EQ(items::Rows(r.querySql, Columns, r.params), c.rows);
        EXPECT_EQ(r.rows, c.rows.size());
    }
}

TEST_F(Karton, WildcardsInThePrefixKeepTheirLikeMeaning) {
    // The statements narrow the index scan to the prefix's range; accounts
    // just outside it (3, 32, 4) and wildcards inside it must not change
    // which lines are listed.
    items::Post({{"3", "911", 1, "VV"}, {"32", "911", 2, "VV"}, {"4", "911", 3, "VV"}, {"3_1", "911", 4, "VV"}});
    struct Case {
        const char* prefix;
        QStringList accounts;
    };
    const Case cases[] = {
        {"3", {"3", "311", "312", "32", "381", "384", "3_1"}},
        {"31", {"311", "312"}},
        {"3_1", {"311", "381", "3_1"}},
        {"_8", {"381", "384"}},
        {"%1", {"311", "312", "381", "3_1", "521", "911"}},
        {"4", {"4", "454"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prefix);
        const ReportRun r = RunKarton({.szla = c.prefix});
        QStringList accounts = items::Rows(r.querySql, {"SZLA"}, r.params);
        accounts.removeDuplicates();
        EXPECT_EQ(accounts, c.accounts);
    }
}

TEST_F(Karton, LinesFollowAccountDateVoucherItemAndContraAccount) {
    // Posted out of order; an item between two accounts of one prefix is
    // both a debit and a credit line, and an item posted from an account to
    // itself lists its debit line before its credit line.
    items::Post({
        {"384", "313", 7, "BK", "2025.05.01", "B9", "2"},
        {"384", "911", 6, "BK", "2025.05.01", "B9", "1"},
        {"384", "313", 5, "BK", "2025.05.01", "B8", "9"},
        {"384", "384", 3, "BK", "2025.04.01", "B7", "1"},
        {"313", "384", 4, "VV", "2025.04.01", "B7", "1"},
        {"384", "311", 2, "BK", "2025.05.01", "B9", "1"},
    });
    const ReportRun r = RunKarton({.szla = "38", .teljkeltTol = "2025.04.01"});
    EXPECT_EQ(r.rows, 7);
    EXPECT_EQ(items::Rows(r.querySql, {"SZLA", "TELJKELT", "KONYVBIZ", "SORSZAM", "ESZLA", "TART_ERT", "KOV_ERT"}, r.params),
              QStringList({"384 | 2025.04.01 | B7 | 1 | 313 | 0 | 4",
                           "384 | 2025.04.01 | B7 | 1 | 384 | 3 | 0",
                           "384 | 2025.04.01 | B7 | 1 | 384 | 0 | 3",
                           "384 | 2025.05.01 | B8 | 9 | 313 | 5 | 0",
                           "384 | 2025.05.01 | B9 | 1 | 311 | 2 | 0",
                           "384 | 2025.05.01 | B9 | 1 | 911 | 6 | 0",
                           "384 | 2025.05.01 | B9 | 2 | 313 | 7 | 0"}));
}

TEST_F(Karton, TheQueryHasTheColumnsOfTheCardsResultTable) {
    // The stores write every column with its width: they must stay those
    // of the table the card was once written into.
    const ReportRun r = RunKarton({.szla = "311"});
    QueryExportSource rows(ExecSql(d_tarvedo, r.querySql, r.params), "q_karton");
    QStringList columns;
    for (const ExportColumn& c : rows.columns())
        columns << c.name + u' ' + c.typeName + u' ' + QString::number(c.isText() ? c.displayWidth : 0);
    EXPECT_EQ(columns, QStringList({"SZLA VARCHAR 10", "ESZLA VARCHAR 10", "TART_ERT FLOAT 0", "KOV_ERT FLOAT 0",
                                    "TART_EGY FLOAT 0", "KOV_EGY FLOAT 0", "KONYVELVE VARCHAR 10", "NTIPUS VARCHAR 2",
                                    "SZOVEG VARCHAR 120", "SZLANEV VARCHAR 120", "SZAMLASZAM VARCHAR 30",
                                    "TELJKELT VARCHAR 10", "SZLAKELT VARCHAR 10", "FIZHATIDO VARCHAR 10",
                                    "BIZKELT VARCHAR 10", "BIZONYLAT VARCHAR 15", "KONYVBIZ VARCHAR 15",
                                    "SORSZAM VARCHAR 15"}));
    // A stored SQL script names the items' table.
    EXPECT_EQ(SqlTableFromStatement(r.querySql), "TETEL");
}

TEST_F(Karton, TheRunStepsItsProgressToTheEnd) {
    std::vector<std::pair<qint64, qint64>> steps;
    RunKarton({.szla = "31"}, [&](qint64 done, qint64 total) { steps.emplace_back(done, total); });
    ASSERT_FALSE(steps.empty());
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].first, qint64(i) + 1);
        EXPECT_EQ(steps[i].second, steps.back().second);
    }
    EXPECT_EQ(steps.back().first, steps.back().second);
}

TEST_F(Karton, NoAccountIsRefused) {
    try {
        RunKarton({.szla = "  ", .ntipus = "BK"});
        FAIL() << "no account given";
    } catch (const std::invalid_argument& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "Adjon meg valamilyen számlaosztályt!");
    }
}

TEST_F(Karton, PrintedCardShowsVoucherNumbersOfCashAndBankOnlyAndTotals) {
    const ReportRun r = RunKarton({.szla = "31"});
    QueryExportSource rows(ExecSql(d_tarvedo, r.querySql, r.params), "q_karton");
    const QStringList text = RenderToText(Frkarton(r.whivparam), rows, sample::Options());
    EXPECT_EQ(text.mid(0, 3), QStringList({"2026 | Minta Kft. | Készült: 2025.06.30", "Karton | Oldal: 1",
                                           "Naplótípus : ;   Számlaszám : 31  Követelések áruszállításból és szolgáltatásból (vevők)"}));
    EXPECT_EQ(text.mid(5), QStringList({
                               "311 |  |  | 2025.01.15 | VE | 911 | számla | 1 000 | ",
                               "311 |  | BIZ-B | 2025.02.10 | BK | 384 | jóváírás |  | 400",
                               "311 |  |  | 2025.03.01 | VV | 312 | átvezetés | 250 | ",
                               "311 |  | BIZ-P | 2025.03.05 | PT | 381 | befizetés |  | 100",
                               "összesen: | 1 250 | 500",
                               "312 |  |  | 2025.03.01 | VV | 311 | átvezetés |  | 250",
                               "összesen: |  | 250",
                               "Mind összesen: | 1 250 | 750",
                           }));
}
