// The clean-up names every temporary table it has to leave and the reason.
#include "yearend/takarit.h"
#include "yearend/yearend_fixture.h"

using namespace yearend_test;

namespace {

TEST(TmpCleanupReasons, ATableAViewStandsOnIsNamedWithTheView) {
    WorkingCopy copy(0);
    copy.open();
    Td().WorkDir = copy.dir() + u'/';
    for (const char* ddl : {"create table TMP_ALAP (A integer)", "create view SAJAT_NEZET as select A from TMP_ALAP",
                            // A temporary view on a temporary table listed before it: both go.
                            "create table TMP_ELSO (A integer)", "create view TMP_MASODIK as select A from TMP_ELSO"})
        ExecSql(d_tarvedo, QLatin1String(ddl));

    const QList<TmpDropResult> results = TmpTablesDrop(TmpTablesList(), nullptr);
    ASSERT_EQ(results.size(), 3);
    EXPECT_EQ(results[0].table, QStringLiteral("TMP_ALAP"));
    EXPECT_FALSE(results[0].dropped);
    EXPECT_TRUE(results[0].error.startsWith(QStringLiteral("A(z) TMP_ALAP átmeneti tábla nem törölhető, mert ráépül: "
                                                           "SAJAT_NEZET (nézet).")))
        << results[0].error.toStdString();
    EXPECT_TRUE(results[0].error.contains(QStringLiteral("\nA Firebird üzenete: "))) << results[0].error.toStdString();
    EXPECT_TRUE(results[1].dropped) << results[1].error.toStdString();
    EXPECT_TRUE(results[2].dropped) << results[2].error.toStdString();
    EXPECT_EQ(TmpTablesList(), QStringList{QStringLiteral("TMP_ALAP")});
    CloseSession();

    const CliResult run = RunCli({QStringLiteral("--workdir"), copy.dir(), QStringLiteral("cleanup")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("A(z) TMP_ALAP átmeneti tábla nem törölhető, mert ráépül: SAJAT_NEZET (nézet)."))) << run.err.toStdString();
    // Said once, not once more by the error log.
    EXPECT_EQ(run.err.count(QStringLiteral("TMP_ALAP átmeneti tábla")), 1) << run.err.toStdString();
}

}  // namespace
