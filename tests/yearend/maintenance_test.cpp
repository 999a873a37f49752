// Reopening a year, the clean-up of temporary tables, backup and restore.
#include <QDir>
#include <QTemporaryDir>

#include "db/ui_hooks.h"
#include "yearend/backup.h"
#include "yearend/reopen.h"
#include "yearend/takarit.h"
#include "yearend/yearend_fixture.h"

using namespace yearend_test;

namespace {

TEST(ReopenYear, OpensEveryCompanyRowAgain) {
    WorkingCopy copy(0);
    copy.open();
    ExecSql(d_tarvedo, QStringLiteral("update CEG set NYITVA = 'N'"));
    db1AfterConnect();
    ReopenYear();
    EXPECT_EQ(Number(d_tarvedo, QStringLiteral("select count(*) from CEG where NYITVA <> 'I' or NYITVA is null")), 0);
    EXPECT_EQ(Td().ceg.text(QStringLiteral("NYITVA")), QStringLiteral("I"));
    EXPECT_EQ(Td().ceg.text(QStringLiteral("KOD")), QStringLiteral("MINTA"));
}

// The menu's reopening asks first and says what the next year needs.
TEST(ReopenYear, AsksAndNamesTheNextYearsRecompute) {
    WorkingCopy copy(0);
    copy.open();
    QStringList asked, shown;
    int answer = 1;
    UiHooks::setDialog([&](const QString& text, int, const QStringList&) {
        asked << text;
        return answer;
    });
    UiHooks::setMessage([&](const QString& text) { shown << text; });
    const auto closed = [] { return SelectValue(d_tarvedo, QStringLiteral("select NYITVA from CEG")).toString() == QLatin1String("N"); };

    // An open year: nothing to ask.
    EXPECT_FALSE(ReopenYearAsking());
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(shown, QStringList{QStringLiteral("Az év nincs lezárva.")});

    struct Case {
        bool nextYearRegistered;
        int answer;
        bool reopened;
    } cases[] = {{false, 1, false}, {false, 0, true}, {true, 1, false}, {true, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "registered " << c.nextYearRegistered << ", answer " << c.answer);
        ExecSql(d_tarvedosys, QStringLiteral("delete from CEGEK where AKTUALISEV = '2026'"));
        if (c.nextYearRegistered)
            ExecSql(d_tarvedosys, QStringLiteral("insert into CEGEK (KOD, AKTUALISEV, NEV, DBSERVER, NYITVA) "
                                                 "values ('MINTA', '2026', 'Minta', '/x/2026/MINTA.GDB', 'I')"));
        ExecSql(d_tarvedo, QStringLiteral("update CEG set NYITVA = 'N'"));
        db1AfterConnect();
        asked.clear();
        shown.clear();
        answer = c.answer;
        EXPECT_EQ(ReopenYearAsking(), c.reopened);
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(asked[0].startsWith(QStringLiteral("Újranyitja a lezárt 2025. évet?")));
        const QString recompute = QStringLiteral("a következő év nyitó tételeit újra kell számolni");
        EXPECT_EQ(asked[0].contains(recompute), c.nextYearRegistered) << asked[0].toStdString();
        EXPECT_EQ(closed(), !c.reopened);
        EXPECT_EQ(shown.size(), c.reopened ? 1 : 0);
        if (c.reopened) {
            EXPECT_EQ(shown[0].contains(recompute), c.nextYearRegistered);
        }
    }
    UiHooks::setDialog({});
    UiHooks::setMessage({});
}

TEST(TmpTables, DropsTheRunsTablesButKeepsTmpTablakAndOthers) {
    WorkingCopy copy(0);
    copy.open();
    Td().WorkDir = copy.dir() + u'/';
    for (const char* ddl : {"create table TMPX (A integer)",
                            "create table TMP_EGY_1 (A integer)", "create view TMP_NEZET as select A from TMPX",
                            "create global temporary table TMP_KR_2 (A integer) on commit preserve rows",
                            "create table TMP_FOGLALT (A integer)"})
        ExecSql(d_tarvedo, QLatin1String(ddl));
    // Another workstation has TMP_FOGLALT in use.
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), QStringLiteral("masik"));
    other.setDatabaseName(copy.company());
    other.setUserName(DbCredentials().user);
    other.setPassword(DbCredentials().password);
    ASSERT_TRUE(other.open());
    ASSERT_TRUE(other.transaction());
    QSqlQuery use(other);
    ASSERT_TRUE(use.exec(QStringLiteral("insert into TMP_FOGLALT values (1)")));

    const QStringList listed = TmpTablesList();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("TMP_EGY_1"), QStringLiteral("TMP_FOGLALT"), QStringLiteral("TMP_KR_2"),
                                   QStringLiteral("TMP_NEZET")}));
    const QList<TmpDropResult> results = TmpTablesDrop(listed, nullptr);
    ASSERT_EQ(results.size(), 4);
    for (const TmpDropResult& r : results)
        EXPECT_EQ(r.dropped, r.table != QLatin1String("TMP_FOGLALT")) << r.table.toStdString() << r.error.toStdString();
    EXPECT_EQ(TmpTablesList(), QStringList{QStringLiteral("TMP_FOGLALT")});
    EXPECT_EQ(QDir(copy.dir()).entryList({QStringLiteral("Error__*.txt")}).size(), 1);
    EXPECT_EQ(Number(d_tarvedo, QStringLiteral("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME in ('TMP_TABLAK', 'TMPX')")), 2);
    EXPECT_TRUE(IsConnected(d_tarvedo));
    use.finish();
    other.rollback();
    other.close();
    // The end of the run drops what is left.
    SilentTmpCleanup();
    EXPECT_TRUE(TmpTablesList().isEmpty());
}

// The facts a restore must bring back: items, sums, counters.
QStringList Facts(const QString& connection) {
    QStringList facts;
    facts << SelectValue(connection, QStringLiteral("select count(*) || ' ' || cast(sum(ERTEK) as numeric(18,2)) from TETEL")).toString();
    QSqlQuery q = ExecSql(connection, QStringLiteral("select FAJTA, EV, UTOLSO from SORSZAM order by FAJTA, EV"));
    while (NextRow(q)) facts << q.value(0).toString() + u' ' + q.value(1).toString() + u' ' + q.value(2).toString();
    facts << SelectValue(connection, QStringLiteral("select count(*) from UGYFEL")).toString();
    return facts;
}

class BackupTest : public ::testing::TestWithParam<bool> {};

TEST_P(BackupTest, RestoreBringsBackItemsSumsAndCounters) {
    const bool server = GetParam();
    if (server && TestServer().isEmpty()) GTEST_SKIP() << "TARVEDO_TEST_SERVER is not set";
    WorkingCopy copy(300, server);
    copy.open();
    const QStringList before = Facts(d_tarvedo);
    const QString fbk = copy.dir() + QStringLiteral("/mentes.fbk");
    qint64 steps = 0;
    ASSERT_EQ(BackupDatabase(copy.company(), fbk, DbCredentials(), {{}, [&](qint64, qint64) { ++steps; }}), QString());
    EXPECT_GT(QFileInfo(fbk).size(), 0);
    EXPECT_GT(steps, 0);
    const QString target = (server ? TestServer() + u':' : QString()) + copy.dir() + QStringLiteral("/VISSZA.GDB");
    ASSERT_EQ(RestoreDatabase(fbk, target, DbCredentials(), false), QString());
    ASSERT_TRUE(OpenDatabase(QStringLiteral("vissza"), target));
    EXPECT_EQ(Facts(QStringLiteral("vissza")), before);
    DbDisconnect(QStringLiteral("vissza"));
    // An existing database is replaced only when asked.
    EXPECT_NE(RestoreDatabase(fbk, target, DbCredentials(), false), QString());
    EXPECT_EQ(RestoreDatabase(fbk, target, DbCredentials(), true), QString());
    QSqlDatabase::removeDatabase(QStringLiteral("vissza"));
}

TEST(Backup, FailuresSayWhyAndLeaveNoFile) {
    QTemporaryDir dir;
    const QString fbk = dir.filePath(QStringLiteral("x.fbk"));
    const QString error = BackupDatabase(dir.filePath(QStringLiteral("NINCS.GDB")), fbk, DbCredentials());
    EXPECT_TRUE(error.startsWith(QStringLiteral("Az adatbázis mentése nem sikerült"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(fbk));
    // Not a backup at all.
    QFile junk(fbk);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(5000, 'x'));
    junk.close();
    const QString restored = RestoreDatabase(fbk, dir.filePath(QStringLiteral("Y.GDB")), DbCredentials(), false);
    EXPECT_TRUE(restored.startsWith(QStringLiteral("Az adatbázis visszatöltése nem sikerült"))) << restored.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Address, BackupTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("Server") : std::string("LocalFile");
                         });

}  // namespace
