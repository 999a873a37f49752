// Account cards: the debit and credit lines in the result table and the
// printed card with its groups, totals and voucher numbers.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ledger_items.h"
#include "report_engine_samples.h"
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
        KartonResultTable().name.clear();  // each test has a database of its own
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
    EXPECT_TRUE(r.table.startsWith("TMP_KR_"));
    EXPECT_EQ(items::Rows(r.querySql, Columns),
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
    EXPECT_EQ(items::Rows(r.querySql, {"SZLA", "TART_ERT", "SZLANEV"}),
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
        EXPECT_EQ(items::Rows(r.querySql, Columns), c.rows);
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
        QStringList accounts = items::Rows(r.querySql, {"SZLA"});
        accounts.removeDuplicates();
        EXPECT_EQ(accounts, c.accounts);
    }
}

TEST_F(Karton, TheRunStepsItsProgressToTheEnd) {
    std::vector<std::pair<qint64, qint64>> steps;
    RunKarton({.szla = "31"}, KartonResultTable(), [&](qint64 done, qint64 total) { steps.emplace_back(done, total); });
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
    QueryExportSource rows(ExecSql(d_tarvedo, r.querySql), "q_karton");
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
