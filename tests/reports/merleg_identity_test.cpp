// The statements tie out on whole ledgers: the demo company of several
// seeds and ledgers that touch every account of the chart. Total assets
// equal total liabilities, the balance sheet's profit line is the income
// statement's "G." line, and that line is the balance of the result
// accounts rounded to thousand forints; every sum line is the sum of its
// printed lines.
// The income statement also gives what a statement per line gives.
#include <gtest/gtest.h>

#include <QSqlQuery>
#include <cmath>
#include <random>

#include "db/altproc.h"
#include "ledger/demo_company.h"
#include "ledger_items.h"
#include "reports/eredmeny.h"
#include "reports/merleg.h"
#include "support/test_db.h"

namespace {

double Value(const QString& sql) { return SelectValue(d_tarvedo, sql).toDouble(); }

// The accounts of classes 1 to 9 that no other account's number begins with.
QStringList LeafAccounts() {
    QStringList all;
    QSqlQuery q = ExecSql(d_tarvedo, "select SZLA from SZ_TUKOR where SZLA >= '1' order by SZLA");
    while (NextRow(q)) all << q.value(0).toString().trimmed();
    QStringList leaves;
    for (int i = 0; i < all.size(); ++i)
        if (i + 1 == all.size() || !all[i + 1].startsWith(all[i])) leaves << all[i];
    return leaves;
}

// Every leaf account on both sides of items against random other accounts,
// with amounts of any size, so every balance has some sign.
void PostEveryAccount(quint64 seed) {
    const QStringList leaves = LeafAccounts();
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<int> pick(0, int(leaves.size()) - 1);
    std::uniform_int_distribution<qint64> amount(1, 9'999'999);
    DbTransaction transaction(d_tarvedo);
    int n = 0;
    for (const QString& account : leaves)
        for (int side = 0; side < 3; ++side) {
            const QString other = leaves[pick(random)];
            const bool debit = (side + random()) % 2 == 0;
            items::Post({{debit ? account : other, debit ? other : account, double(amount(random)), "VV", "2025.05.05",
                          "G1", QString::number(++n)}});
        }
    transaction.commit();
}

class StatementsTieOut : public CompanyDbTest, public ::testing::WithParamInterface<int> {
protected:
    // Each sum line of `table` (selected by `which`) against the printed
    // lines its formula names by `key` (all computed before it).
    static void expectSumsOfPrintedLines(const QString& table, const QString& key, const QString& which) {
        QHash<QString, double> printed;
        QSqlQuery all = ExecSql(d_tarvedo, "select " + key + ", TARGYEV from " + table);
        while (NextRow(all)) printed[all.value(0).toString().trimmed()] = all.value(1).toDouble();
        QSqlQuery sums = ExecSql(d_tarvedo, "select " + key + ", KEPLET, TARGYEV from " + table + " where " + which);
        int count = 0;
        while (NextRow(sums)) {
            const LineFormulaLists lists = SplitLineFormula(sums.value(1).toString());
            double expected = 0;
            for (const QString& k : lists.added) expected += printed.value(k.trimmed());
            for (const QString& k : lists.subtracted) expected -= printed.value(k.trimmed());
            EXPECT_EQ(sums.value(2).toDouble(), expected) << table.toStdString() << " " << sums.value(0).toString().toStdString();
            ++count;
        }
        EXPECT_GT(count, 5) << table.toStdString();
    }

    void SetUp() override {
        CompanyDbTest::SetUp();
        Td().IncomeResult = 0;
    }

    void expectTieOut() {
        ResultTable fokiv;
        ComputeEredmeny({}, fokiv);
        ComputeMerleg({}, fokiv);
        const double g = Value("select TARGYEV from EREDMENY where SORSZAM = 'G.'");

        EXPECT_EQ(Td().IncomeResult, g);
        EXPECT_EQ(Value("select TARGYEV from MERLEG where SORSZAM starting 'VII'"), g);

        // In thousand forints as filed: the two totals are equal, every sum
        // line is the sum of its printed lines, and the profit is the balance
        // of the result accounts rounded.
        const double assets = Value("select TARGYEV from MERLEG where ID = 130");
        const double liabilities = Value("select TARGYEV from MERLEG where ID = 680");
        EXPECT_EQ(assets, liabilities);
        expectSumsOfPrintedLines("MERLEG", "ID", "KEPLETHOL starting 'M' and SZSORSZAM <> 0");
        expectSumsOfPrintedLines("EREDMENY", "SORSZAM", "KEPLETHOL = 'E'");

        const double resultBalance =
            Value("select sum(ERTEK) from TETEL where substring(SZLA from 1 for 1) between '5' and '9'") -
            Value("select sum(ERTEK) from TETEL where substring(ESZLA from 1 for 1) between '5' and '9'");
        EXPECT_EQ(g, double(RoundHalfAway(-resultBalance / 1000))) << "számlák " << resultBalance;

        // Line by line as a statement per line computes it.
        const QStringList fast = items::Rows("select ID, TARGYEV from EREDMENY order by ID", {"ID", "TARGYEV"});
        Exec("update EREDMENY set TARGYEV = 0");
        ComputeEredmenyPerLine(fokiv.name);
        EXPECT_EQ(items::Rows("select ID, TARGYEV from EREDMENY order by ID", {"ID", "TARGYEV"}), fast);
    }
};

}  // namespace

TEST_P(StatementsTieOut, OnTheDemoCompany) {
    DemoOptions options;
    options.items = 1500;
    options.year = 2025;
    options.seed = quint64(GetParam());
    GenerateDemoCompany(d_tarvedo, options);
    db1AfterConnect();
    expectTieOut();
    EXPECT_GT(SelectValue(d_tarvedo, "select TARGYEV from MERLEG where ID = 130").toDouble(), 10000);
}

TEST_P(StatementsTieOut, OnLedgersTouchingEveryAccount) {
    PostEveryAccount(quint64(GetParam()));
    expectTieOut();
}

INSTANTIATE_TEST_SUITE_P(Seeds, StatementsTieOut, ::testing::Values(1, 2, 7));
