// Four workstations posting voucher files at once through one server: every
// voucher is stored exactly once, numbers are never shared, and the
// counters and the turnover table agree with the items.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "db/dat.h"
#include "support/test_db.h"
#include "support/turnover_sums.h"
#include "support/cli_run.h"

namespace {

constexpr int kWorkstations = 4;
constexpr int kVouchersEach = 120;  // two items each

QString VoucherFile(const QString& dir, int workstation) {
    QStringList lines{QStringLiteral(
        "VOUCHER;NTIPUS;KONYVBIZ;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;"
        "SZLA;ESZLA;ERTEK;AFA;AFAKULCS;ASZLA;SOR65;DEVIZANEM;ARFOLYAM")};
    for (int v = 1; v <= kVouchersEach; ++v) {
        const QString key = QStringLiteral("W%1-%2").arg(workstation).arg(v);
        // Bank vouchers and customer invoices with VAT: both counters and the VAT rows are shared by all.
        if (v % 2)
            for (int item = 1; item <= 2; ++item)
                lines << QStringLiteral("%1;BK;;2025.03.%2;;;;;;;;%1/%3;384;311;%4;N;;;;;")
                             .arg(key)
                             .arg(1 + v % 28, 2, 10, QLatin1Char('0'))
                             .arg(item)
                             .arg(100 * v + item);
        else
            for (int item = 1; item <= 2; ++item)
                lines << QStringLiteral("%1;VE;;2025.04.01;;2025.04.01;2025.04.15;;;%1;;%1/%2;311;911;%3;I;;;;;")
                             .arg(key)
                             .arg(item)
                             .arg(1270 * item);
    }
    const QString path = dir + QStringLiteral("/munkaallomas%1.csv").arg(workstation);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) ADD_FAILURE() << "cannot write " << path.toStdString();
    file.write(lines.join(QLatin1Char('\n')).toUtf8());
    return path;
}

TEST(ConcurrentPostTest, FourWorkstationsPostingAtOnceLoseNothing) {
    if (TestServer().isEmpty()) GTEST_SKIP() << "no Firebird server (TARVEDO_TEST_SERVER)";
    QTemporaryDir tmp(QStringLiteral("/tmp/tarvedo-concurrent-XXXXXX"));
    const QString work = tmp.filePath(QStringLiteral("demo"));
    const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"),
                                                 QStringLiteral("0"), QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();

    // Every workstation reaches both databases through the server.
    const QString company = work + QStringLiteral("/TARVEDO_MINTA_2025.GDB");
    const QString system = work + QStringLiteral("/TARVEDOSYS.GDB");
    ServeWorkingDirectory({tmp.path(), work}, company, system, work + QStringLiteral("/TARVEDO.INI"));
    const QString server = TestServer() + QLatin1Char(':');

    std::vector<std::unique_ptr<QProcess>> posts;
    for (int w = 1; w <= kWorkstations; ++w) {
        posts.push_back(std::make_unique<QProcess>());
        posts.back()->start(QStringLiteral(TARVEDO_CLI_PATH),
                            {QStringLiteral("--workdir"), work, QStringLiteral("post"), VoucherFile(tmp.path(), w)});
    }
    for (auto& post : posts) {
        ASSERT_TRUE(post->waitForFinished(300000));
        EXPECT_EQ(post->exitCode(), 0) << post->readAllStandardError().toStdString();
    }

    ASSERT_TRUE(OpenDatabase(d_tarvedo, server + company));
    AttachQueries(d_tarvedo);
    const int vouchers = kWorkstations * kVouchersEach;
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(distinct NTIPUS || '/' || KONYVBIZ) from TETEL")).toInt(),
              vouchers);
    // Each voucher whole and once: its two items, by narrative.
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(distinct SZOVEG) from TETEL where TART_KOV is distinct "
                                                    "from 'A'"))
                  .toInt(),
              2 * vouchers);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL where TART_KOV is distinct from 'A'")).toInt(),
              2 * vouchers);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(distinct SORSZAM) from TETEL")).toInt(), 2 * vouchers);
    // Every VAT row with its main row.
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL A where TART_KOV = 'A' and not exists "
                                                    "(select 1 from TETEL M where M.SORSZAM = A.SORSZAM and M.KAPOCS = "
                                                    "A.KAPOCS and M.TART_KOV is distinct from 'A')"))
                  .toInt(),
              0);
    // A voucher's numbers belong to one workstation's file.
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from (select NTIPUS, KONYVBIZ from TETEL where TART_KOV "
                                                    "is distinct from 'A' group by 1, 2 having count(distinct "
                                                    "substring(SZOVEG from 1 for 2)) > 1)"))
                  .toInt(),
              0);
    // The counters are not behind the numbers used.
    for (const char* kind : {"SORSZAM", "BK", "VE"}) {
        const QString column = QLatin1String(kind) == QLatin1String("SORSZAM") ? QStringLiteral("SORSZAM")
                                                                              : QStringLiteral("KONYVBIZ");
        const QString where = column == QLatin1String("SORSZAM") ? QString()
                                                                 : QStringLiteral(" where NTIPUS = '%1'").arg(QLatin1String(kind));
        const qlonglong used = SelectValue(d_tarvedo, QStringLiteral("select max(cast(substring(%1 from 3) as integer)) "
                                                                     "from TETEL%2")
                                                          .arg(column, where))
                                   .toLongLong();
        const qlonglong counter = SelectValue(d_tarvedo, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = :F and EV = "
                                                                        "'2025'"),
                                              {{QStringLiteral("F"), QLatin1String(kind)}})
                                      .toLongLong();
        EXPECT_GE(counter, used) << kind;
    }
    EXPECT_EQ(TurnoverSums(QStringLiteral("FORGALOM")), TurnoverSums(QStringLiteral("TETEL")));
    DbDisconnect(d_tarvedo);
}

}  // namespace
