#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "db/dat.h"
#include "support/test_db.h"
#include "support/cli_run.h"

namespace {

const QString Conn = QStringLiteral("depreciate_test");

// Runs statements on the demo company's database between two runs of the tool.
void onCompany(const QString& company, const QStringList& statements) {
    ASSERT_TRUE(OpenDatabase(Conn, company));
    for (const QString& sql : statements) ExecSql(Conn, sql);
    DbDisconnect(Conn);
}

TEST(DepreciateCommandTest, RunsPrintsAndStoresAHalfYear) {
    QTemporaryDir dir(QStringLiteral("/tmp/tarvedo-ecs-XXXXXX"));
    const QString work = dir.filePath(QStringLiteral("demo"));
    const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"), QStringLiteral("0"),
                                   QStringLiteral("--year"), QStringLiteral("2024")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    const QString company = work + QStringLiteral("/TARVEDO_MINTA_2024.GDB");
    onCompany(company,
              {QStringLiteral("delete from ESZKOZKARTON"), QStringLiteral("delete from ESZKOZ"),
               QStringLiteral("delete from ECS_IDOSZAK"), QStringLiteral("update CEG set ECSHONAP = 6, NYITVA = 'I'"),
               QStringLiteral("insert into ESZKOZ (BELSOKOD, KOD, SZLA, MEGNEVEZES, UZEMBEHELY, NETTOERT, KULCS1, ECSVEGE, "
                              "ECSMOD, AKTIV) values ('2024/00001', 'G-1', '1311', 'Esztergagép', '2024.03.16', 1200000, "
                              "10, '2034.03.15', 'BLA', 'I')"),
               QStringLiteral("insert into ESZKOZKARTON (ESZKOZKOD, SORSZAM, KELT, SZOVEG, BRUTTONOV, BRUTTO, NETTOERT) "
                              "values ('2024/00001', 1, '2024.03.16', 'Üzembe helyezés', 1200000, 1200000, 1200000)")});

    const QString pdf = dir.filePath(QStringLiteral("ecs.pdf"));
    const CliResult run = RunCli({QStringLiteral("--workdir"), work, QStringLiteral("depreciate"), QStringLiteral("--tol"),
                                  QStringLiteral("2024.01"), QStringLiteral("--ig"), QStringLiteral("2024.06"),
                                  QStringLiteral("--out"), pdf, QStringLiteral("--store")});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("2024/00001      35 178 2024.03.16 Esztergagép\n"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Osszesen:         35 178\n")));
    EXPECT_TRUE(run.err.contains(QStringLiteral("tárolhatjuk a kartonba az értékcsökkenés adatokat? Igen")));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));

    ASSERT_TRUE(OpenDatabase(Conn, company));
    {
        QSqlQuery q = ExecSql(Conn, QStringLiteral("select ECSNOV, NETTOERT, SZLA from ESZKOZKARTON where SORSZAM = 2"));
        ASSERT_TRUE(NextRow(q));
        EXPECT_EQ(q.value(0).toDouble(), 35178);
        EXPECT_EQ(q.value(1).toDouble(), 1200000 - 35178);
        EXPECT_EQ(q.value(2).toString(), QStringLiteral("1319"));
        EXPECT_EQ(SelectValue(Conn, QStringLiteral("select count(*) from ECS_IDOSZAK")).toInt(), 1);
    }
    DbDisconnect(Conn);

    // The list of the next half year as text, not stored.
    const QString txt = dir.filePath(QStringLiteral("ecs.txt"));
    const CliResult second = RunCli({QStringLiteral("--workdir"), work, QStringLiteral("depreciate"), QStringLiteral("--tol"),
                                     QStringLiteral("2024.07"), QStringLiteral("--ig"), QStringLiteral("2024.12"),
                                     QStringLiteral("--out"), txt});
    ASSERT_EQ(second.code, 0) << second.err.toStdString();
    QFile text(txt);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(text.readAll()).contains(QStringLiteral("2024/00001      60 493 2024.03.16 Esztergagép")));

    // A closed year is refused.
    onCompany(company, {QStringLiteral("update CEG set NYITVA = 'N'")});
    const CliResult closed = RunCli({QStringLiteral("--workdir"), work, QStringLiteral("depreciate"), QStringLiteral("--tol"),
                                     QStringLiteral("2024.07"), QStringLiteral("--ig"), QStringLiteral("2024.12")});
    EXPECT_EQ(closed.code, 1);
    EXPECT_TRUE(closed.err.contains(QStringLiteral("Az év le van zárva."))) << closed.err.toStdString();
}

// Three workstations store the same half year at once through one server:
// every asset is charged once and the period has one row.
TEST(DepreciateCommandTest, WorkstationsStoringAtOnceChargeThePeriodOnce) {
    if (TestServer().isEmpty()) GTEST_SKIP() << "no Firebird server (TARVEDO_TEST_SERVER)";
    QTemporaryDir dir(QStringLiteral("/tmp/tarvedo-ecs-XXXXXX"));
    const QString work = dir.filePath(QStringLiteral("demo"));
    const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"), QStringLiteral("0"),
                                   QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    const QString company = work + QStringLiteral("/TARVEDO_MINTA_2025.GDB");
    const QString system = work + QStringLiteral("/TARVEDOSYS.GDB");
    ServeWorkingDirectory({dir.path(), work}, company, system, work + QStringLiteral("/TARVEDO.INI"));
    const QString server = TestServer() + u':';

    std::vector<std::unique_ptr<QProcess>> runs;
    for (int w = 0; w < 3; ++w) {
        runs.push_back(std::make_unique<QProcess>());
        runs.back()->start(QStringLiteral(TARVEDO_CLI_PATH),
                           {QStringLiteral("--workdir"), work, QStringLiteral("depreciate"), QStringLiteral("--tol"),
                            QStringLiteral("2025.01"), QStringLiteral("--ig"), QStringLiteral("2025.06"),
                            QStringLiteral("--store")});
    }
    for (auto& run : runs) {
        ASSERT_TRUE(run->waitForFinished(300000));
        EXPECT_EQ(run->exitCode(), 0) << run->readAllStandardError().toStdString();
    }

    ASSERT_TRUE(OpenDatabase(Conn, server + company));
    {
        const QString text = QStringLiteral("Értékcsökkenés 2025.01 -> 2025.06");
        const QVariantMap params{{QStringLiteral("t"), text}};
        const int charged = SelectValue(Conn, QStringLiteral("select count(*) from ESZKOZKARTON where SZOVEG = :t"), params).toInt();
        EXPECT_GT(charged, 10);
        EXPECT_EQ(SelectValue(Conn, QStringLiteral("select count(distinct ESZKOZKOD) from ESZKOZKARTON where SZOVEG = :t"),
                              params)
                      .toInt(),
                  charged);
        EXPECT_EQ(SelectValue(Conn, QStringLiteral("select count(*) from ECS_IDOSZAK")).toInt(), 1);
        // Each charge follows the movement before it; after a sale the net
        // value stays written off.
        const QVariantMap withSale{{QStringLiteral("t"), text},
                                   {QStringLiteral("w"), QStringLiteral("Értékesítés / Megsemmisítés")}};
        EXPECT_EQ(SelectValue(Conn, QStringLiteral("select count(*) from ESZKOZKARTON k join ESZKOZKARTON p on "
                                                   "p.ESZKOZKOD = k.ESZKOZKOD and p.SORSZAM = k.SORSZAM - 1 "
                                                   "where k.SZOVEG = :t and k.NETTOERT <> "
                                                   "iif(p.SZOVEG = :w, 0, p.NETTOERT - k.ECSNOV)"),
                              withSale)
                      .toInt(),
                  0);
        EXPECT_EQ(SelectValue(Conn, QStringLiteral("select count(*) from ESZKOZKARTON where NETTOERT < 0")).toInt(), 0);
    }
    DbDisconnect(Conn);
}

}  // namespace
