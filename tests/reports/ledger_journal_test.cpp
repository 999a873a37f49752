// The exported journal read by ledger-cli, an independent double-entry
// program: every trial balance row's balance equals ledger's balance of the
// account path.
#include <gtest/gtest.h>

#include <QHash>
#include <QProcess>
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
