// The journal: debit/credit marks, criteria, the substituted fulfilment
// date and the printed totals.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ledger_items.h"
#include "report_engine_samples.h"
#include "reports/frknaplo.h"
#include "reports/knaplo.h"
#include "support/test_db.h"

namespace {

class Knaplo : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec("update CEG set NEV = 'Minta Kft.'");
        db1AfterConnect();
        items::Post({
            {"311", "454", 1000, "VV", "2025.01.15", "V1", "1", "", "egy", "2025.01.20"},
            {"384", "311", 400, "VV", "2025.02.10", "V1", "2", "", "kettő", "2025.02.12"},
            {"312", "384", 250, "VV", "2025.03.01", "V2", "3", "", "három", "2025.03.05"},
            {"311", "911", 90, "VV", "    .  .  ", "V3", "4", "", "dátum nélkül", "2025.04.01", "2025.03.31"},
            {"311", "911", 70, "VE", "2025.01.15", "S1", "5", "", "más napló", "2025.01.20"},
        });
    }
};

const QStringList Columns = {"KONYVBIZ", "SZLA", "ESZLA", "TARTKOV", "ERTEK", "TELJKELT"};

}  // namespace

TEST_F(Knaplo, MarksAndCriteria) {
    struct Case {
        const char* what;
        KnaploCriteria criteria;
        QStringList rows;
        QString whivparam;
    };
    const Case cases[] = {
        {"account 311",
         {.ntipus = "VV", .szla = "311"},
         {"V1 | 311 | 454 | T | 1000 | 2025.01.15", "V1 | 384 | 311 | K | 400 | 2025.02.10",
          "V3 | 311 | 911 | T | 90 | 2025.03.31"},
         "Naplótípus: VV, Számlaszám: 311  Belföldi követelések (vevők)"},
        {"posting dates alone: all marked K",
         {.ntipus = "VV", .konyvelveTol = "2025.02.01", .konyvelveIg = "2025.03.31"},
         {"V1 | 384 | 311 | K | 400 | 2025.02.10", "V2 | 312 | 384 | K | 250 | 2025.03.01"},
         "Naplótípus: VV, Könyvelve:2025.02.01-tól, Könyvelve:2025.03.31-ig"},
        {"fulfilment dates filter the item's own date",
         {" VV ", "", "    .  .  ", "", "2025.02.01", "2025.12.31"},
         {"V1 | 384 | 311 | K | 400 | 2025.02.10", "V2 | 312 | 384 | K | 250 | 2025.03.01"},
         "Naplótípus: VV, Telj.kelte:2025.02.01-tól, Telj.kelte:2025.12.31-ig"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReportRun r = RunKnaplo(c.criteria);
        EXPECT_EQ(items::Rows(r.querySql, Columns, r.params), c.rows);
        EXPECT_EQ(r.rows, c.rows.size());
        EXPECT_EQ(r.whivparam, c.whivparam);
    }
}

TEST_F(Knaplo, NoJournalTypeIsRefused) {
    try {
        RunKnaplo({.ntipus = " ", .szla = "311"});
        FAIL() << "no journal type given";
    } catch (const std::invalid_argument& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "Adjon meg valamilyen naplótípust!");
    }
}

TEST_F(Knaplo, PrintedJournalGroupsByVoucherAndTotalsTheMarks) {
    const ReportRun r = RunKnaplo({.ntipus = "VV", .szla = "311"});
    QueryExportSource rows(ExecSql(d_tarvedo, r.querySql, r.params), "q_knaplo");
    const ReportLayout layout = Frknaplo(r.whivparam);
    for (int run = 0; run < 2; ++run) {  // the totals start from zero on every run
        const QStringList text = RenderToText(layout, rows, sample::Options());
        EXPECT_EQ(text.mid(2, 1), QStringList({r.whivparam}));
        EXPECT_EQ(text.mid(5), QStringList({
                                   "V1 | 2025.01.20 | 2025.01.15 | ",
                                   "311 | 454 | egy | T | 1 000",
                                   "384 | 311 | kettő | K | 400",
                                   "V3 | 2025.04.01 | 2025.03.31 | ",
                                   "311 | 911 | dátum nélkül | T | 90",
                                   "Összesen | T   1 090",
                                   "K   400",
                               }));
    }
}
