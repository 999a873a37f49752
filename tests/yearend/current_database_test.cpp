// A next-year address that reaches the current year's database by "..",
// "." or a symbolic link, or through the server, is refused before anything
// is written: the closing would otherwise replace the current year's items.
#include <QFileInfo>

#include "yearend/evzaro.h"
#include "yearend/same_database.h"
#include "yearend/yearend_fixture.h"

using namespace yearend_test;

namespace {

const QString kCurrentFile = QStringLiteral("TARVEDO_MINTA_2025.GDB");

// What a closing must leave alone in the current year and the registry.
QStringList CurrentState() {
    QStringList state;
    for (const char* sql : {"select count(*) || ' ' || sum(ERTEK) from TETEL",
                            "select count(*) || ' ' || sum(ERTEK) from TETEL where NTIPUS = 'NY'",
                            "select count(*) || ' ' || sum(ERTEK) from FORGALOM",
                            "select list(ID || ':' || TARGYEV || ':' || ELOZOEV) from EREDMENY",
                            "select list(ID || ':' || TARGYEV || ':' || ELOZOEV) from MERLEG",
                            "select list(FAJTA || ':' || EV || ':' || UTOLSO) from SORSZAM",
                            "select list(AKTUALISEV || ':' || NYITVA) from CEG"})
        state << SelectValue(d_tarvedo, QLatin1String(sql)).toString();
    state << SelectValue(d_tarvedosys, QStringLiteral("select count(*) from CEGEK where AKTUALISEV = '2026'")).toString();
    return state;
}

class CurrentDatabaseTest : public ::testing::TestWithParam<bool> {};

TEST_P(CurrentDatabaseTest, AnAddressReachingTheCurrentYearIsRefused) {
    const bool server = GetParam();
    if (server && TestServer().isEmpty()) GTEST_SKIP() << "TARVEDO_TEST_SERVER is not set";
    WorkingCopy copy(200, server);
    copy.open();
    const QString dir = copy.dir();
    ASSERT_TRUE(QFile::link(dir + u'/' + kCurrentFile, dir + QStringLiteral("/LINK_2026.GDB")));
    ASSERT_TRUE(QFile::link(dir, dir + QStringLiteral("/2026")));
    const QStringList before = CurrentState();

    struct Case {
        QString path, name;
    };
    QList<Case> cases{{dir + QStringLiteral("/../") + QFileInfo(dir).fileName(), kCurrentFile},
                      {dir + QStringLiteral("/./"), kCurrentFile},
                      {dir, QStringLiteral("LINK_2026.GDB")},
                      {dir + QStringLiteral("/2026"), kCurrentFile}};
    if (!TestServer().isEmpty())
        cases << Case{TestServer() + u':' + dir + QStringLiteral("/../") + QFileInfo(dir).fileName(), kCurrentFile}
              << Case{TestServer() + u':' + dir, QStringLiteral("LINK_2026.GDB")};
    for (const Case& c : cases) {
        for (const ClosingKind kind : {ClosingKind::NewDatabase, ClosingKind::RecomputeExisting}) {
            SCOPED_TRACE((c.path + u' ' + c.name + QStringLiteral(" kind %1").arg(int(kind))).toStdString());
            EvzaroParams params;
            params.zardatum = QStringLiteral("2026.01.01");
            params.path = c.path;
            params.name = c.name;
            params.kind = kind;
            const EvzaroResult result = RunEvzaro(params);
            EXPECT_FALSE(result.ok);
            EXPECT_TRUE(result.error.startsWith(QStringLiteral("A következő év adatbázisa nem lehet a tárgyévi adatbázis: ")))
                << result.error.toStdString();
            EXPECT_EQ(CurrentState(), before);
        }
    }
}

TEST_P(CurrentDatabaseTest, TheEngineTellsTheSameDatabaseFromACopy) {
    const bool server = GetParam();
    if (server && TestServer().isEmpty()) GTEST_SKIP() << "TARVEDO_TEST_SERVER is not set";
    WorkingCopy copy(0, server);
    copy.open();
    const QString dir = copy.dir();
    // A copy of the file has the same creation date and the same contents.
    ASSERT_TRUE(QFile::copy(dir + u'/' + kCurrentFile, dir + QStringLiteral("/MASOLAT.GDB")));
    QFile::setPermissions(dir + QStringLiteral("/MASOLAT.GDB"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                   QFileDevice::ReadOther | QFileDevice::WriteOther);
    ASSERT_TRUE(QFile::link(dir + u'/' + kCurrentFile, dir + QStringLiteral("/LINK.GDB")));
    const QString prefix = server ? TestServer() + u':' : QString();
    struct Case {
        QString address;
        bool same;
    } cases[] = {{prefix + dir + QStringLiteral("/LINK.GDB"), true},
                 {dir + QStringLiteral("/../") + QFileInfo(dir).fileName() + u'/' + kCurrentFile, true},
                 {prefix + dir + QStringLiteral("/MASOLAT.GDB"), false}};
    for (const Case& c : cases) {
        ASSERT_TRUE(OpenDatabase(d_tarvedo2, c.address)) << c.address.toStdString();
        EXPECT_EQ(SameDatabase(d_tarvedo, d_tarvedo2), c.same) << c.address.toStdString();
        DbDisconnect(d_tarvedo2);
    }
    EXPECT_TRUE(SameDatabaseFile(dir + QStringLiteral("/LINK.GDB"), dir + QStringLiteral("/./") + kCurrentFile));
    EXPECT_FALSE(SameDatabaseFile(dir + QStringLiteral("/MASOLAT.GDB"), dir + u'/' + kCurrentFile));
    EXPECT_FALSE(SameDatabaseFile(dir + QStringLiteral("/NINCS.GDB"), dir + QStringLiteral("/NINCS.GDB")));
}

INSTANTIATE_TEST_SUITE_P(Address, CurrentDatabaseTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("Server") : std::string("LocalFile");
                         });

}  // namespace
