// The income statement: the formula kinds over the trial balance, the
// rounding to thousand forints, the order of the lines, the profit kept
// for the balance sheet, the title and the listing.
#include <gtest/gtest.h>

#include "db/altproc.h"
#include "ledger_items.h"
#include "reports/eredmeny.h"
#include "support/test_db.h"

namespace {

struct Line {
    int id;
    QString sorszam, keplethol, keplet;
    double targyev = 0;
};

void SetEredmeny(const QList<Line>& lines) {
    Exec("delete from EREDMENY");
    for (const Line& l : lines)
        ExecSql(d_tarvedo,
                "insert into EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) "
                "values (:ID, :S, :M, :H, :K, 0, :T)",
                {{"ID", l.id}, {"S", l.sorszam}, {"M", "sor " + l.sorszam}, {"H", l.keplethol}, {"K", l.keplet},
                 {"T", l.targyev}});
}

QStringList Targyev() { return items::Rows("select SORSZAM, TARGYEV from EREDMENY order by ID", {"SORSZAM", "TARGYEV"}); }

class Eredmeny : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        db1AfterConnect();
        Td().IncomeResult = 0;
        items::Post({
            {"311", "911", 1499},   // a credit balance of 1 499 forints: 1
            {"311", "912", 1500},   // of 1 500 forints: 2
            {"521", "454", 10400},  // 10
            {"522", "454", 3600},   // 4
            {"523", "454", 2000},   // 2
        });
    }
    ResultTable fokiv;
};

}  // namespace

TEST_F(Eredmeny, FormulaKindsRoundingAndLineOrder) {
    SetEredmeny({
        {10, "A", "KE", "911"},
        {20, "B", "KE", "912"},
        {30, "C", "TE", "521"},
        {40, "D", "TE", "522"},
        {50, "S1", "E", "A+B-C-D"},      // A + B - (C + D)
        {60, "S2", "E", "A-B+D"},        // A - (B + D): a "+" after the first "-" is subtracted too
        {70, "N", "TE", "599"},          // an account without movement
        {80, "T", "TE", "521+521+522"},  // an account listed twice counts once
        {90, "Z", "TE", ""},             // no formula
        {100, "Q", "XX", "911"},         // an unknown kind
        {110, "L", "e", "LATER"},        // a later line still holds its previous value
        {120, "LATER", "TE", "523", 7},
        {130, "G.", "E", "A+B"},
        {140, "P", "E", "S1+-"},         // an empty subtracted list takes nothing away
    });
    ComputeEredmeny({}, fokiv);
    EXPECT_EQ(Targyev(), QStringList({"A | 1", "B | 2", "C | 10", "D | 4", "S1 | -11", "S2 | -5", "N | 0", "T | 14",
                                      "Z | 0", "Q | 0", "L | 7", "LATER | 2", "G. | 3", "P | -11"}));
    EXPECT_EQ(Td().IncomeResult, 3);
    EXPECT_TRUE(fokiv.name.startsWith("TMP_FOKIV_"));
}

TEST_F(Eredmeny, ProfitIsTheLastLineBeginningWithG) {
    SetEredmeny({{10, "A", "KE", "911+912"}, {20, "G1", "E", "A"}, {30, "C", "TE", "521"}, {40, " G2", "E", "A-C"}});
    ComputeEredmeny({}, fokiv);
    EXPECT_EQ(Td().IncomeResult, 3 - 10);

    // Without a profit line the value of the run stays as it was.
    SetEredmeny({{10, "A", "KE", "911"}});
    ComputeEredmeny({}, fokiv);
    EXPECT_EQ(Td().IncomeResult, -7);
}

TEST_F(Eredmeny, ASecondRunWithoutComputingOnlyLists) {
    SetEredmeny({{10, "C", "TE", "521"}, {20, "Z", "TE", "599"}, {30, "G.", "E", "C"}});
    ReportRun run = RunEredmeny({}, fokiv, true, false);
    EXPECT_EQ(run.rows, 3);
    items::Post({{"521", "454", 5000}});
    run = RunEredmeny({}, fokiv, false, false);
    EXPECT_EQ(Targyev(), QStringList({"C | 10", "Z | 0", "G. | 10"}));
    EXPECT_EQ(items::Rows(run.querySql, {"SORSZAM"}), QStringList({"C", "Z", "G."}));

    // Leaving out the lines where both years are 0.
    run = RunEredmeny({}, fokiv, true, true);
    EXPECT_EQ(run.rows, 2);
    EXPECT_EQ(items::Rows(run.querySql, {"SORSZAM", "TARGYEV"}), QStringList({"C | 15", "G. | 15"}));
}

TEST_F(Eredmeny, TrialBalanceCriteriaLimitTheStatement) {
    SetEredmeny({{10, "C", "TE", "521"}});
    items::Post({{"521", "454", 50000, "VV", "2025.07.01"}});
    FokivCriteria c;
    c.datumIg = "2025.06.30";
    ComputeEredmeny(c, fokiv);
    EXPECT_EQ(Targyev(), QStringList({"C | 10"}));
    ComputeEredmeny({}, fokiv);
    EXPECT_EQ(Targyev(), QStringList({"C | 60"}));
}

TEST(EredmenyTitle, ByTheCompanysMethod) {
    const QList<QPair<QString, QString>> cases = {
        {"O", "\"A\" Eredménykimutatás (összköltség eljárással)"},
        {"o", "\"A\" Eredménykimutatás (összköltség eljárással)"},
        {"F", "\"A\" Eredménykimutatás (forgalmi költség eljárással)"},
        {"X", "\"A\" Eredménykimutatás (eljárás nincs meghatározva!!!)"},
        {"", "\"A\" Eredménykimutatás (eljárás nincs meghatározva!!!)"},
    };
    for (const auto& [method, title] : cases) EXPECT_EQ(EredmenyTitle(method), title) << method.toStdString();
}

TEST(EredmenyFormula, ListsSplitAtTheFirstMinus) {
    const struct {
        QString formula;
        QStringList added, subtracted;
    } cases[] = {
        {"A.+B.-C.-D.", {"A.", "B."}, {"C.", "D."}},
        {" A.-B.+C. ", {"A."}, {"B.", "C."}},
        {"A.+", {"A."}, {}},
        {"-C.", {}, {"C."}},
        {"A. + B.", {"A. ", " B."}, {}},  // items as they stand: " B." is no line number
        {"A-" + QString(99, 'x') + "-B", {"A"}, {QString(99, 'x')}},  // the subtracted part reads 100 characters
    };
    for (const auto& c : cases) {
        const LineFormulaLists lists = SplitLineFormula(c.formula);
        EXPECT_EQ(lists.added, c.added) << c.formula.toStdString();
        EXPECT_EQ(lists.subtracted, c.subtracted) << c.formula.toStdString();
    }
}
