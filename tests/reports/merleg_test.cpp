// The balance sheet: account formulas on the two sides, the netted
// settlement accounts, the kinds of lines, their order, the profit line
// and the listing.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ledger_items.h"
#include "reports/eredmeny.h"
#include "reports/merleg.h"
#include "support/test_db.h"

namespace {

FokivBalances Balances(const QList<QPair<QString, double>>& rows) {
    FokivBalances b;
    for (const auto& [szla, v] : rows) b.set(szla, v);
    return b;
}

struct Line {
    int id, szsorszam;
    QString sorszam, keplethol, keplet;
    double targyev = 0;
};

void SetMerleg(const QList<Line>& lines) {
    Exec("delete from MERLEG");
    for (const Line& l : lines)
        ExecSql(d_tarvedo,
                "insert into MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) "
                "values (:ID, :SZ, :S, 'sor', :H, :K, 0, :T)",
                {{"ID", l.id}, {"SZ", l.szsorszam}, {"S", l.sorszam}, {"H", l.keplethol}, {"K", l.keplet}, {"T", l.targyev}});
}

QStringList Targyev() { return items::Rows("select ID, TARGYEV from MERLEG order by ID", {"ID", "TARGYEV"}); }

class Merleg : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        db1AfterConnect();
        Td().IncomeResult = 0;
        items::Post({
            {"311", "911", 10000},
            {"312", "911", 2000},
            {"529", "319", 1000},
            {"521", "454", 5000},
            {"521", "455", 700},
            {"479", "384", 400},
            {"4667", "384", 5000},  // a debit balance on the netted VAT payable: an asset
            {"521", "462", 2000},
            {"521", "4631", 1500},
            {"521", "4691", 500},
            {"521", "471", 1000},
        });
    }
    ResultTable fokiv;
};

}  // namespace

TEST(MerlegFormula, AccountFormulaBySide) {
    const FokivBalances b = Balances({{"311", 1000}, {"312", -200}, {"319", -300}, {"454", -5000}, {"455", -700}, {"479", 400}});
    const QString longFormula = QStringLiteral("9+").repeated(49) + "311+312";  // "312" is past the 101st character
    const struct {
        bool asset;
        QString formula;
        double value;
    } cases[] = {
        {true, "311+312-319", 1000 - 200 - 300},  // assets take every balance as it stands
        {false, "454+455", 5000 + 700},           // liabilities: credit balances count positive
        {false, "454-479", 5000 + 400},           // and a "-" account the other way
        {false, " + 454 + 455 ", 5700},           // blanks and one leading "+" are ignored
        {true, "311+311", 2000},                  // each term looks its account up
        {true, "999", 0},                         // no row in the trial balance
        {true, "311++312", 800},                  // an empty term counts nothing
        {true, longFormula, 1000},
        {false, longFormula, -1000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AccountFormula(c.formula, c.asset, b), c.value) << c.formula.toStdString();
}

TEST(MerlegFormula, SettlementAccountsNettedOntoOneSide) {
    const struct {
        QList<QPair<QString, double>> balances;
        double assets, liabilities;
    } cases[] = {
        {{{"4667", -5000}}, 0, 5000},               // VAT payable
        {{{"4667", 5000}}, 5000, 0},                // overpaid
        {{{"4661", 3000}}, 3000, 0},                // a VAT refund claim is an asset
        {{{"4661", 3000}, {"4667", -8000}}, 0, 5000},
        {{{"462", -1000}, {"463", -2000}}, 0, 3000},  // both totals are sums of positive amounts
        {{{"461", 700}, {"465", -200}}, 700, 200},
        {{{"361", -100}}, 0, 100},                  // a credit balance owed to an employee
        {{{"362", 700}, {"363", -200}}, 500, 0},
        {{{"463", -1000}, {"464", -200}}, 0, 1200},
        {{{"469", -900}, {"47", -100}, {"311", 50}}, 0, 0},  // not netted here
    };
    for (const auto& c : cases) {
        const SettlementTotals t = NetSettlements(Balances(c.balances));
        EXPECT_EQ(t.assets, c.assets) << c.balances.first().first.toStdString();
        EXPECT_EQ(t.liabilities, c.liabilities) << c.balances.first().first.toStdString();
    }
}

TEST_F(Merleg, LineKindsInComputingOrder) {
    SetMerleg({
        {10, 10, "I.", "K", "311+312-319"},
        {20, 20, "II.", "K-", "311"},        // negated
        {30, 30, "", "E1", "netto"},
        {40, 40, "", "M", "10+30"},
        {50, 50, "", "K", "?311"},           // not yet defined
        {60, 0, "", "K", "311", 99},         // not computed
        {70, 55, "", "k", "311"},            // "K" must be upper case
        {530, 60, "A", "K", "454+455"},
        {540, 70, "B", "K", "454-479"},
        {550, 80, "VII.", "K", "5+9"},       // the profit of the income statement
        {560, 90, "", "e2", "netto"},
        {570, 100, "", "E", "G"},            // the income statement's "G." line
        {580, 110, "", "M", "530-540+550"},
        {590, 5, "", "M", "600+600"},        // read before line 600 is computed, once
        {600, 120, "", "K", "454", 11},
        {610, 130, "", "E-", "G"},
    });
    Exec("update EREDMENY set TARGYEV = 77 where SORSZAM = 'G.'");
    Td().IncomeResult = 123;
    ComputeMerleg({}, fokiv);
    // E1: the 4667 debit balance; E2: 462, 463 and the credit balances of 469 and 47.
    // 580 is 5 700 - 5 400 - 123 000 forints, -123 (not 6 - 5 - 123): 540,
    // which gained most by its rounding (5 400 printed as 5 and subtracted),
    // gives way.
    EXPECT_EQ(Targyev(), QStringList({"10 | 11", "20 | -10", "30 | 5", "40 | 16", "50 | 0", "60 | 99", "70 | 0",
                                      "530 | 6", "540 | 6", "550 | 123", "560 | 5", "570 | 77", "580 | -123",
                                      "590 | 11", "600 | 5", "610 | -77"}));
}

TEST_F(Merleg, ProfitLineWithoutIncomeStatementIsZero) {
    SetMerleg({{530, 10, "VII.", "K", "5+9", 8}});
    ComputeMerleg({}, fokiv);
    EXPECT_EQ(Targyev(), QStringList({"530 | 0"}));
}

TEST_F(Merleg, ASecondRunWithoutComputingOnlyLists) {
    SetMerleg({{10, 10, "I.", "K", "311"}});
    ReportRun run = RunMerleg({}, fokiv, true);
    EXPECT_EQ(run.rows, 1);
    EXPECT_EQ(run.table, "MERLEG");
    items::Post({{"311", "911", 20000}});
    run = RunMerleg({}, fokiv, false);
    EXPECT_EQ(items::Rows(run.querySql, {"ID", "TARGYEV"}), QStringList({"10 | 10"}));
    run = RunMerleg({}, fokiv, true);
    EXPECT_EQ(items::Rows(run.querySql, {"ID", "TARGYEV"}), QStringList({"10 | 30"}));
}

TEST_F(Merleg, ASumOfSomethingOtherThanLinesIsRefusedNamingTheLine) {
    SetMerleg({{10, 10, "I.", "K", "311", 4}, {20, 20, "", "M", "10+A.", 5}});
    try {
        ComputeMerleg({}, fokiv);
        FAIL() << "no error";
    } catch (const std::invalid_argument& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains("20 azonosítójú")) << error.what();
    }
    EXPECT_EQ(Targyev(), QStringList({"10 | 4", "20 | 5"}));  // nothing written
}

TEST(MerlegTitle, ByTheCompanysVariant) {
    EXPECT_EQ(MerlegTitle("A"), "MÉRLEG  \"A\" változat");
    EXPECT_EQ(MerlegTitle("b"), "MÉRLEG  \"B\" változat");
    EXPECT_EQ(MerlegTitle(""), "MÉRLEG ");
}

namespace {

class MerlegRounding : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        db1AfterConnect();
        Td().IncomeResult = 0;
    }
    // The statutory lines of the company database, both statements computed.
    void compute() {
        ComputeEredmeny({}, fokiv);
        ComputeMerleg({}, fokiv);
    }
    static QStringList lines(const QString& table, const QString& ids) {
        return items::Rows("select ID, TARGYEV from " + table + " where ID in (" + ids + ") order by ID", {"ID", "TARGYEV"});
    }
    ResultTable fokiv;
};

}  // namespace

// Every line rounded on its own gives assets 132 against liabilities 133:
// bank 121 800 (122), customers 10 200 (10); share capital 100 600 (101),
// a long-term loan 10 600 (11), accrued income 10 600 (11) and the profit of
// 10 200 (10). The total is 132 000 forints (131 800 with the profit as
// printed), 132 on both sides; the thousand the liability lines gained too
// much comes off the largest of them.
TEST_F(MerlegRounding, BothSidesPrintTheSameTotalAndEveryTotalItsLines) {
    items::Post({
        {"384", "411", 100600},
        {"384", "441", 10600},
        {"384", "481", 10600},
        {"311", "911", 10200},
    });
    compute();
    EXPECT_EQ(Td().IncomeResult, 10);
    EXPECT_EQ(lines("EREDMENY", "10, 30, 200, 340, 360, 370"),
              QStringList({"10 | 10", "30 | 10", "200 | 10", "340 | 10", "360 | 10", "370 | 10"}));
    // Assets: receivables (80) in II. (70), cash (110), B. (50) and the total (130).
    EXPECT_EQ(lines("MERLEG", "10, 50, 70, 80, 110, 130"),
              QStringList({"10 | 0", "50 | 132", "70 | 10", "80 | 10", "110 | 122", "130 | 132"}));
    // Liabilities: capital (530) and profit (590) in D. (521), the loan (630)
    // in F. (610), accruals (670), the total (680).
    EXPECT_EQ(lines("MERLEG", "521, 530, 590, 610, 630, 670, 680"),
              QStringList({"521 | 110", "530 | 100", "590 | 10", "610 | 11", "630 | 11", "670 | 11", "680 | 132"}));
}

// Sales of 10 600 less two costs of 300 each: 10 000 forints of profit. Each
// line rounded on its own would print 11 - 0 - 0 = 11; the profit is 10 in
// the income statement and on the balance sheet, and the sales line gives
// way. In forints the trial balance stays exact.
TEST_F(MerlegRounding, TheProfitIsItsExactValueRoundedInBothStatements) {
    items::Post({
        {"311", "911", 10600},
        {"521", "454", 300},
        {"531", "454", 300},
    });
    compute();
    EXPECT_EQ(lines("EREDMENY", "10, 90, 100, 130, 200, 370"),
              QStringList({"10 | 10", "90 | 0", "100 | 0", "130 | 0", "200 | 10", "370 | 10"}));
    EXPECT_EQ(Td().IncomeResult, 10);
    // Customers 10 600 (11) against the profit (10) and suppliers 600 (1).
    EXPECT_EQ(lines("MERLEG", "130, 590, 650, 680"), QStringList({"130 | 11", "590 | 10", "650 | 1", "680 | 11"}));
    EXPECT_EQ(items::Rows("select SZLA, KOV_ERT from " + fokiv.name + " where SZLA = '911'", {"SZLA", "KOV_ERT"}),
              QStringList({"911 | 10600"}));
}

// A sheet that does not balance in fact (here: no income statement computed,
// so the profit line is 0) is not made to balance by the rounding.
TEST_F(MerlegRounding, ARealDifferenceIsNotRoundedAway) {
    items::Post({{"384", "411", 100600}, {"311", "911", 10200}});
    ComputeMerleg({}, fokiv);
    EXPECT_EQ(lines("MERLEG", "130, 590, 680"), QStringList({"130 | 111", "590 | 0", "680 | 101"}));
}
