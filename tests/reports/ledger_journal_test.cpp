// The exported journal read by ledger-cli, an independent double-entry
// program: every trial balance row's balance equals ledger's balance of the
// account path.
#include <gtest/gtest.h>

#include <QHash>
#include <QProcess>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "db/dat.h"
#include "ledger/demo_company.h"
#include "report_engine_samples.h"
#include "reports/fokiv.h"
#include "reports/ledger_journal.h"
#include "support/test_db.h"

namespace {

// Balances by account path, from `ledger balance` limited to each depth in
// turn: at depth d every account of that depth is a leaf and prints its
// total with its full name.
QHash<QString, double> LedgerBalances(const QString& file, int maxDepth) {
    QHash<QString, double> balances;
    for (int depth = 1; depth <= maxDepth; ++depth) {
        QProcess ledger;
        ledger.start("ledger", {"-f", file, "balance", "--empty", "--no-total", "--depth", QString::number(depth),
                                "--format", "%(account)|%(quantity(display_total))\n"});
        EXPECT_TRUE(ledger.waitForFinished(120000));
        EXPECT_EQ(ledger.exitCode(), 0) << ledger.readAllStandardError().toStdString();
        for (const QString& line : QString::fromUtf8(ledger.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList parts = line.split('|');
            if (parts.size() == 2) balances[parts[0].trimmed()] = parts[1].trimmed().toDouble();
        }
    }
    return balances;
}

}  // namespace

TEST(LedgerJournal, AccountsAreDigitPaths) {
    const QList<QPair<QString, QString>> cases = {{"311", "3:31:311"}, {"3", "3"}, {" 4541 ", "4:45:454:4541"}};
    for (const auto& [szla, path] : cases) EXPECT_EQ(LedgerAccountPath(szla), path);
}

class LedgerCrossCheck : public CompanyDbTest {};

TEST_F(LedgerCrossCheck, TrialBalanceAgreesWithLedgerOnADemoYear) {
    GenerateDemoCompany(d_tarvedo, {2000, 2025, 7});
    QTemporaryDir dir;
    const QString file = dir.filePath("minta.ledger");
    EXPECT_GT(WriteLedgerJournal(file), 2000);

    const std::vector<FokivRow> rows = ComputeFokiv({});
    ASSERT_GT(rows.size(), 20u);
    int depth = 1;
    for (const FokivRow& row : rows) depth = qMax(depth, int(row.szla.trimmed().size()));
    const QHash<QString, double> ledger = LedgerBalances(file, depth);
    for (const FokivRow& row : rows) {
        const QString path = LedgerAccountPath(row.szla);
        ASSERT_TRUE(ledger.contains(path) || row.tartErt == row.kovErt) << path.toStdString();
        EXPECT_NEAR(row.tartErt - row.kovErt, ledger.value(path), 0.005) << path.toStdString();
        EXPECT_DOUBLE_EQ(row.tartEgy - row.kovEgy, row.tartErt - row.kovErt);
    }
}

// How one item row reads in the journal: the first valid of its three
// dates, its narrative (or else its voucher number) with blanks simplified
// and ";" turned into ",", and amounts without trailing zeros.
TEST_F(LedgerCrossCheck, EachRowIsWrittenAsLedgerReadsIt) {
    struct Case {
        QVariant teljkelt, bizkelt, konyvelve, konyvbiz, szoveg, szla, eszla, ertek;
        QString expected;
    };
    const QList<Case> cases = {
        {"2025.03.05", {}, {}, "B1", QString::fromUtf8("  Bérleti  díj;\tmárcius "), "52", " 454", 1500.5,
         QString::fromUtf8("2025-03-05 Bérleti díj, március\n    5:52    1500.5\n    4:45:454    -1500.5\n\n")},
        {{}, "2025.02.30", "2025.04.01", "VSZ-7", {}, {}, "381", 0.125,
         "2025-04-01 VSZ-7\n    Nincs    0.125\n    3:38:381    -0.125\n\n"},
        {"2025.13.01", "", "nem dátum", "", "   ", "1", "2", -0.0000001,
         "1900-01-01 \n    1    0\n    2    0\n\n"},
        {"2024.02.29", {}, {}, "B2", QString::fromUtf8("Díj\u00a0 egy\u2003kettő"), "311", "9", 1e12 / 3,
         QString::fromUtf8("2024-02-29 Díj egy kettő\n    3:31:311    333333333333.333313\n"
                           "    9    -333333333333.333313\n\n")},
    };
    QTemporaryDir dir;
    const QString file = dir.filePath("sor.ledger");
    for (const Case& c : cases) {
        ExecSql(d_tarvedo, "delete from TETEL");
        ExecSql(d_tarvedo,
                "insert into TETEL (SORSZAM, NTIPUS, TELJKELT, BIZKELT, KONYVELVE, KONYVBIZ, SZOVEG, SZLA, ESZLA, ERTEK) "
                "values ('1', 'VE', :T, :B, :K, :KB, :S, :SZ, :E, :ERTEK)",
                {{"T", c.teljkelt}, {"B", c.bizkelt}, {"K", c.konyvelve}, {"KB", c.konyvbiz}, {"S", c.szoveg},
                 {"SZ", c.szla}, {"E", c.eszla}, {"ERTEK", c.ertek}});
        ASSERT_EQ(WriteLedgerJournal(file), 1);
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(written.readAll()), c.expected);
    }
}
