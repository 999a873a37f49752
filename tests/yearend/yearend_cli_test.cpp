// The year-end commands of tarvedo-cli, run as scripts run them.
#include <QFileInfo>

#include "yearend/yearend_fixture.h"

using namespace yearend_test;

namespace {

CliResult Cli(const WorkingCopy& copy, QStringList args) {
    return RunCli(QStringList{QStringLiteral("--workdir"), copy.dir()} + args);
}

TEST(YearendCli, CloseReopenCleanupBackupRestore) {
    WorkingCopy copy(300);
    // A closing date other than the next year's first day only with --yes.
    const QStringList onNewYearsEve{QStringLiteral("close-year"), QStringLiteral("--date"), QStringLiteral("2025.12.31"),
                                    QStringLiteral("--by-invoice")};
    const CliResult unconfirmed = Cli(copy, onNewYearsEve);
    EXPECT_EQ(unconfirmed.code, 1);
    EXPECT_TRUE(unconfirmed.err.contains(QStringLiteral("--yes"))) << unconfirmed.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(copy.dir() + QStringLiteral("/2026")));
    const CliResult closed = Cli(copy, onNewYearsEve + QStringList{QStringLiteral("--yes")});
    ASSERT_EQ(closed.code, 0) << closed.err.toStdString();
    EXPECT_TRUE(closed.out.contains(QStringLiteral("KÉSZ !")));
    const QString next = copy.dir() + QStringLiteral("/2026/TARVEDO_MINTA_2026.GDB");
    EXPECT_TRUE(closed.out.startsWith(next)) << closed.out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(next));

    // The registered next year is recomputed, never made again.
    const CliResult again = Cli(copy, {QStringLiteral("close-year"), QStringLiteral("--by-invoice")});
    ASSERT_EQ(again.code, 0) << again.err.toStdString();

    // Reopening only with --yes, and it says the next year is to be recomputed.
    const CliResult unasked = Cli(copy, {QStringLiteral("reopen-year")});
    EXPECT_EQ(unasked.code, 1);
    EXPECT_TRUE(unasked.err.contains(QStringLiteral("--yes"))) << unasked.err.toStdString();
    const CliResult reopened = Cli(copy, {QStringLiteral("reopen-year"), QStringLiteral("--yes")});
    EXPECT_EQ(reopened.code, 0) << reopened.err.toStdString();
    EXPECT_TRUE(reopened.out.contains(QStringLiteral("nyitó tételeit újra kell számolni"))) << reopened.out.toStdString();
    const CliResult open = Cli(copy, {QStringLiteral("reopen-year")});
    EXPECT_EQ(open.code, 0);
    EXPECT_TRUE(open.out.contains(QStringLiteral("Az év nincs lezárva."))) << open.out.toStdString();
    const CliResult cleaned = Cli(copy, {QStringLiteral("cleanup")});
    EXPECT_EQ(cleaned.code, 0) << cleaned.err.toStdString();
    EXPECT_TRUE(cleaned.out.contains(QStringLiteral("TMP_ZAR_")) || cleaned.out.contains(QStringLiteral("Nincsenek átmeneti táblák")))
        << cleaned.out.toStdString();
    EXPECT_TRUE(Cli(copy, {QStringLiteral("cleanup")}).out.contains(QStringLiteral("Nincsenek átmeneti táblák")));

    const QString fbk = copy.dir() + QStringLiteral("/mentes.fbk");
    const CliResult saved = Cli(copy, {QStringLiteral("backup"), fbk});
    ASSERT_EQ(saved.code, 0) << saved.err.toStdString();
    const QString target = copy.dir() + QStringLiteral("/VISSZA.GDB");
    EXPECT_EQ(Cli(copy, {QStringLiteral("restore"), fbk, target}).code, 0);
    const CliResult refused = Cli(copy, {QStringLiteral("restore"), fbk, target});
    EXPECT_NE(refused.code, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Az adatbázis visszatöltése nem sikerült"))) << refused.err.toStdString();
    EXPECT_EQ(Cli(copy, {QStringLiteral("restore"), fbk, target, QStringLiteral("--replace")}).code, 0);

    const CliResult usage = Cli(copy, {QStringLiteral("close-year"), QStringLiteral("--bogus")});
    EXPECT_EQ(usage.code, 2);
    EXPECT_TRUE(usage.err.contains(QStringLiteral("Használat"))) << usage.err.toStdString();
}

}  // namespace
