// Two workstations importing into one company through the server at the
// same moment: each takes its numbers in a short step of its own, so
// neither waits for the other's long write nor fails on it, and every item
// is stored once with a number of its own.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/dat.h"
#include "support/test_db.h"
#include "support/cli_run.h"

namespace {

const char* kHeading =
    "VOUCHER;NTIPUS;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;SZLA;ESZLA;ERTEK;"
    "TART_KOV;AFAKULCS;SOR65;DEVIZANEM;DEVIZAERTEK;ARFOLYAM\n";

constexpr int kBankVouchers = 500, kBankItems = 20, kInvoices = 1000;
constexpr int kItemsPerFile = kBankVouchers * kBankItems + kInvoices;
constexpr int kRowsPerFile = kItemsPerFile + kInvoices;  // each invoice has a VAT row

// Bank statements of 20 items and invoices with a VAT row each.
void WriteImportFile(const QString& path, const QString& tag) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray text(kHeading);
    for (int v = 1; v <= kBankVouchers; ++v)
        for (int i = 1; i <= kBankItems; ++i)
            text += QStringLiteral("%1B%2;BK;2025.03.05;2025.03.05;;;;;;%3;%1 bank;384;311;%3;;;;;;\n").arg(tag).arg(v).arg(i).toUtf8();
    for (int v = 1; v <= kInvoices; ++v) {
        text += QStringLiteral("%1V%2;VE;2025.03.06;2025.03.06;;;;;%1-%2;;Eladás;311;911;1000;;27;07;;;\n").arg(tag).arg(v).toUtf8();
        text += QStringLiteral("%1V%2;VE;2025.03.06;2025.03.06;;;;;%1-%2;;;311;467;270;A;;;;;\n").arg(tag).arg(v).toUtf8();
    }
    file.write(text);
}

QVariant Value(const QString& connection, const QString& sql) {
    QSqlQuery q = ExecSql(connection, sql);
    return NextRow(q) ? q.value(0) : QVariant();
}

// A demo company of the 2025 books without items in `work`, its databases
// reached through the server as workstations sharing them reach them.
void MakeServedDemo(const QTemporaryDir& tmp, const QString& work) {
    const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"), QStringLiteral("0"),
                                                 QStringLiteral("--year"), QStringLiteral("2025")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();

    // Both databases through the server, which runs as a user of its own.
    const auto everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                          | QFileDevice::ReadOther | QFileDevice::WriteOther;
    for (const QString& dir : {tmp.path(), work}) QFile::setPermissions(dir, everyone | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
    for (const QString& name : QDir(work).entryList({QStringLiteral("*.GDB")})) QFile::setPermissions(work + QLatin1Char('/') + name, everyone);
    QFile ini(work + QStringLiteral("/TARVEDO.INI"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    QByteArray settings = ini.readAll();
    ini.close();
    settings.replace("=/", (QLatin1Char('=') + TestServer() + QStringLiteral(":/")).toUtf8());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(settings);
    ini.close();
}

TEST(ConcurrentImportTest, TwoWorkstationsImportingAtOnceStoreEverythingWithDistinctNumbers) {
    if (TestServer().isEmpty()) GTEST_SKIP() << "no Firebird server (TARVEDO_TEST_SERVER)";
    QTemporaryDir tmp(QStringLiteral("/tmp/tarvedo-import-XXXXXX"));
    const QString work = tmp.filePath(QStringLiteral("demo"));
    ASSERT_NO_FATAL_FAILURE(MakeServedDemo(tmp, work));

    QProcess imports[2];
    for (int i = 0; i < 2; ++i) {
        const QString file = tmp.filePath(QStringLiteral("import%1.csv").arg(i));
        WriteImportFile(file, QStringLiteral("W%1").arg(i));
        imports[i].start(QStringLiteral(TARVEDO_CLI_PATH), {QStringLiteral("--workdir"), work, QStringLiteral("import"), file});
    }
    for (QProcess& p : imports) {
        ASSERT_TRUE(p.waitForFinished(240000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }

    const QString connection = QStringLiteral("concurrent_import_check");
    ASSERT_TRUE(OpenDatabase(connection, TestServer() + QLatin1Char(':') + work + QStringLiteral("/TARVEDO_MINTA_2025.GDB")))
        << Connection(connection).lastError().text().toStdString();
    EXPECT_EQ(Value(connection, QStringLiteral("select count(*) from TETEL")).toInt(), 2 * kRowsPerFile);
    EXPECT_EQ(Value(connection, QStringLiteral("select count(distinct SORSZAM) from TETEL")).toInt(), 2 * kItemsPerFile);
    EXPECT_EQ(Value(connection, QStringLiteral("select count(distinct NTIPUS || '/' || KONYVBIZ) from TETEL")).toInt(),
              2 * (kBankVouchers + kInvoices));
    // A voucher holds the items of one file only.
    EXPECT_EQ(Value(connection, QStringLiteral("select count(*) from (select KONYVBIZ from TETEL where NTIPUS = 'BK' "
                                               "group by KONYVBIZ having count(distinct SZOVEG) > 1 "
                                               "or count(*) <> %1)").arg(kBankItems))
                  .toInt(),
              0);
    EXPECT_EQ(Value(connection, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'SORSZAM' and EV = '2025'")).toInt(),
              2 * kItemsPerFile);
    EXPECT_EQ(Value(connection, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'BK' and EV = '2025'")).toInt(),
              2 * kBankVouchers);
    EXPECT_EQ(Value(connection, QStringLiteral("select count(*) from BEOLOG where EREDMENY = 'SIKERES'")).toInt(), 2);
    DbDisconnect(connection);
    QSqlDatabase::removeDatabase(connection);
}

// Two workstations importing the same file at the same moment: it is
// stored once. The later one waits for the earlier and then says that the
// file was taken meanwhile, or, starting after it, that nothing is new.
TEST(ConcurrentImportTest, TheSameFileFromTwoWorkstationsIsStoredOnce) {
    if (TestServer().isEmpty()) GTEST_SKIP() << "no Firebird server (TARVEDO_TEST_SERVER)";
    QTemporaryDir tmp(QStringLiteral("/tmp/tarvedo-import-XXXXXX"));
    const QString work = tmp.filePath(QStringLiteral("demo"));
    ASSERT_NO_FATAL_FAILURE(MakeServedDemo(tmp, work));
    const QString file = tmp.filePath(QStringLiteral("import.csv"));
    WriteImportFile(file, QStringLiteral("W"));

    QProcess imports[2];
    for (QProcess& p : imports)
        p.start(QStringLiteral(TARVEDO_CLI_PATH), {QStringLiteral("--workdir"), work, QStringLiteral("import"), file});
    int stored = 0;
    for (QProcess& p : imports) {
        ASSERT_TRUE(p.waitForFinished(240000));
        const QString out = QString::fromUtf8(p.readAllStandardOutput()), err = QString::fromUtf8(p.readAllStandardError());
        if (out.startsWith(QStringLiteral("Átvéve"))) {
            ++stored;
            EXPECT_EQ(p.exitCode(), 0) << err.toStdString();
        } else if (p.exitCode() == 0) {
            EXPECT_TRUE(out.startsWith(QStringLiteral("Nincs új bizonylat"))) << out.toStdString();
        } else {
            EXPECT_EQ(err, QStringLiteral("Ezt a fájlt közben egy másik munkahely átvette; ebben a futásban nem tárolódott "
                                          "bizonylat.\n"));
        }
    }
    EXPECT_EQ(stored, 1);

    const QString connection = QStringLiteral("concurrent_import_check");
    ASSERT_TRUE(OpenDatabase(connection, TestServer() + QLatin1Char(':') + work + QStringLiteral("/TARVEDO_MINTA_2025.GDB")))
        << Connection(connection).lastError().text().toStdString();
    EXPECT_EQ(Value(connection, QStringLiteral("select count(*) from TETEL")).toInt(), kRowsPerFile);
    EXPECT_EQ(Value(connection, QStringLiteral("select count(*) from BEOVETT")).toInt(), kBankVouchers + kInvoices);
    EXPECT_EQ(Value(connection, QStringLiteral("select count(*) from BEOLOG where EREDMENY = 'SIKERES' and TETELEK > 0")).toInt(), 1);
    DbDisconnect(connection);
    QSqlDatabase::removeDatabase(connection);
}

}  // namespace
