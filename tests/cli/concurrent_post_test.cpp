// Workstations posting voucher files at once through one server: every
// voucher is stored exactly once, numbers are never shared or wasted, and the
// counters and the turnover table agree with the items; a run stopped by a
// signal keeps exactly what it says it stored.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <signal.h>
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

// The stderr lines of a run that are no progress report.
QStringList messageLines(const QByteArray& err) {
    QStringList lines;
    for (const QString& line : QString::fromUtf8(err).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!line.startsWith(QStringLiteral("Könyvelés: ")) && !line.startsWith(QStringLiteral("Tárolás: "))) lines << line;
    return lines;
}

// A company on the server with an empty ledger, for workstations to post into.
class ServedCompany {
public:
    bool make() {
        work = tmp.filePath(QStringLiteral("demo"));
        const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"), QStringLiteral("0"),
                                       QStringLiteral("--year"), QStringLiteral("2025")});
        EXPECT_EQ(made.code, 0) << made.err.toStdString();
        company = work + QStringLiteral("/TARVEDO_MINTA_2025.GDB");
        ServeWorkingDirectory({tmp.path(), work}, company, work + QStringLiteral("/TARVEDOSYS.GDB"),
                              work + QStringLiteral("/TARVEDO.INI"));
        return made.code == 0;
    }
    std::unique_ptr<QProcess> post(const QString& file) const {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(TARVEDO_CLI_PATH), {QStringLiteral("--workdir"), work, QStringLiteral("post"), file});
        return process;
    }
    void connect() const {
        ASSERT_TRUE(OpenDatabase(d_tarvedo, TestServer() + QLatin1Char(':') + company));
        AttachQueries(d_tarvedo);
    }
    static qlonglong value(const QString& sql) { return SelectValue(d_tarvedo, sql).toLongLong(); }

    QTemporaryDir tmp{QStringLiteral("/tmp/tarvedo-concurrent-XXXXXX")};
    QString work, company;
};

TEST(ConcurrentPostTest, FourWorkstationsPostingAtOnceLoseNothing) {
    if (TestServer().isEmpty()) GTEST_SKIP() << "no Firebird server (TARVEDO_TEST_SERVER)";
    // Every workstation reaches both databases through the server.
    ServedCompany served;
    ASSERT_TRUE(served.make());
    std::vector<std::unique_ptr<QProcess>> posts;
    for (int w = 1; w <= kWorkstations; ++w) posts.push_back(served.post(VoucherFile(served.tmp.path(), w)));
    for (auto& post : posts) {
        ASSERT_TRUE(post->waitForFinished(300000));
        EXPECT_EQ(post->exitCode(), 0) << post->readAllStandardError().toStdString();
    }
    served.connect();
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

// Bank vouchers of one item each: the BK counter counts exactly the vouchers stored.
QString BankFile(const QString& dir, int vouchers) {
    QStringList lines{QStringLiteral(
        "VOUCHER;NTIPUS;KONYVBIZ;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;"
        "SZLA;ESZLA;ERTEK;AFA;AFAKULCS;ASZLA;SOR65;DEVIZANEM;ARFOLYAM")};
    for (int v = 1; v <= vouchers; ++v) lines << QStringLiteral("B%1;BK;;2025.05.02;;;;;;;;Bank %1;384;311;%1;N;;;;;").arg(v);
    const QString path = dir + QStringLiteral("/bank.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) ADD_FAILURE() << "cannot write " << path.toStdString();
    file.write(lines.join(QLatin1Char('\n')).toUtf8());
    return path;
}

TEST(ConcurrentPostTest, TwoWorkstationsPostingTheSameFileStoreItOnceAndWasteNoNumber) {
    if (TestServer().isEmpty()) GTEST_SKIP() << "no Firebird server (TARVEDO_TEST_SERVER)";
    ServedCompany company;
    ASSERT_TRUE(company.make());
    constexpr int kVouchers = 3400;
    const QString file = BankFile(company.tmp.path(), kVouchers);
    auto first = company.post(file);
    auto second = company.post(file);
    int refusedRuns = 0;
    for (QProcess* run : {first.get(), second.get()}) {
        ASSERT_TRUE(run->waitForFinished(300000));
        const QStringList said = messageLines(run->readAllStandardError());
        if (run->exitCode() == 0) {
            EXPECT_TRUE(said.isEmpty()) << said.join(QLatin1Char('\n')).toStdString();
            continue;
        }
        // The one that met the other says so in one line.
        ++refusedRuns;
        ASSERT_EQ(said.size(), 1) << said.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(said.first().startsWith(QStringLiteral("Ezt a fájlt egy másik munkaállomás most könyveli, vagy az imént "
                                                           "könyvelte")))
            << said.first().toStdString();
    }
    EXPECT_LE(refusedRuns, 1);

    company.connect();
    EXPECT_EQ(company.value(QStringLiteral("select count(*) from TETEL")), kVouchers);
    EXPECT_EQ(company.value(QStringLiteral("select count(distinct SZOVEG) from TETEL")), kVouchers);
    EXPECT_EQ(company.value(QStringLiteral("select count(*) from KONYVELT_FAJL")), kVouchers);
    // No number used up: the counters stand at the numbers stored.
    EXPECT_EQ(company.value(QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'BK' and EV = '2025'")), kVouchers);
    EXPECT_EQ(company.value(QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'SORSZAM' and EV = '2025'")), kVouchers);
    EXPECT_EQ(TurnoverSums(QStringLiteral("FORGALOM")), TurnoverSums(QStringLiteral("TETEL")));
    DbDisconnect(d_tarvedo);
}

TEST(ConcurrentPostTest, AStoppedPostKeepsWhatItCommittedAndSaysHowMuch) {
    if (TestServer().isEmpty()) GTEST_SKIP() << "no Firebird server (TARVEDO_TEST_SERVER)";
    ServedCompany company;
    ASSERT_TRUE(company.make());
    constexpr int kVouchers = 60000;  // several batches
    const QString file = BankFile(company.tmp.path(), kVouchers);
    auto run = company.post(file);
    // Stopped as soon as the first batch is committed.
    QByteArray err;
    while (!err.contains("Tárolás: ") && run->state() != QProcess::NotRunning) {
        run->waitForReadyRead(100);
        err += run->readAllStandardError();
    }
    ASSERT_TRUE(err.contains("Tárolás: ")) << err.toStdString();
    ::kill(pid_t(run->processId()), SIGINT);
    ASSERT_TRUE(run->waitForFinished(300000));
    err += run->readAllStandardError();
    EXPECT_EQ(run->exitCode(), 1);
    const QStringList said = messageLines(err);
    ASSERT_EQ(said.size(), 1) << said.join(QLatin1Char('\n')).toStdString();
    const QRegularExpression stopped(QStringLiteral("^Megszakítva: (\\d+) bizonylat tárolva \\((\\d+) tétel\\), a többi nem\\."));
    const QRegularExpressionMatch match = stopped.match(said.first());
    ASSERT_TRUE(match.hasMatch()) << said.first().toStdString();
    const qlonglong stored = match.captured(1).toLongLong();
    EXPECT_GT(stored, 0);
    EXPECT_LT(stored, kVouchers);

    company.connect();
    // What it said it stored is what is stored, whole and recorded.
    EXPECT_EQ(company.value(QStringLiteral("select count(*) from TETEL")), stored);
    EXPECT_EQ(company.value(QStringLiteral("select count(*) from KONYVELT_FAJL")), stored);
    EXPECT_EQ(TurnoverSums(QStringLiteral("FORGALOM")), TurnoverSums(QStringLiteral("TETEL")));
    DbDisconnect(d_tarvedo);

    // Posting the file again stores the rest.
    auto rest = company.post(file);
    ASSERT_TRUE(rest->waitForFinished(300000));
    EXPECT_EQ(rest->exitCode(), 0) << rest->readAllStandardError().toStdString();
    company.connect();
    EXPECT_EQ(company.value(QStringLiteral("select count(*) from TETEL")), kVouchers);
    EXPECT_EQ(company.value(QStringLiteral("select count(distinct SZOVEG) from TETEL")), kVouchers);
    DbDisconnect(d_tarvedo);
}

}  // namespace
