// The import command: faults and warnings on stderr, and an exit code that
// tells a run that stored nothing from one that stored the file.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

#include "support/cli_run.h"

namespace {

// A demo company of the 2025 books without items.
void MakeEmptyDemo(const QString& work) {
    const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"), QStringLiteral("0"), QStringLiteral("--year"),
                                   QStringLiteral("2025")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
}

QString NothingNewLine() {
    return QStringLiteral("Nincs új bizonylat: a fájl minden bizonylatát egy korábbi átvétel már tárolta; semmi sem tárolódott.\n");
}


TEST(ImportCommandTest, AFileWithNothingToTakeFailsAndUnreadColumnsAreNamed) {
    QTemporaryDir dir(QStringLiteral("/tmp/tarvedo-import-XXXXXX"));
    const QString work = dir.filePath(QStringLiteral("demo"));
    ASSERT_NO_FATAL_FAILURE(MakeEmptyDemo(work));
    const QString heading = QStringLiteral(
        "VOUCHER;NTIPUS;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;SZLA;ESZLA;ERTEK;"
        "TART_KOV;AFAKULCS;SOR65;DEVIZANEM;DEVIZAERTEK;ARFOLYAM;Megjegyzés\n");
    const auto write = [&](const QString& name, const QString& text) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return file.fileName();
    };

    for (const bool dryRun : {false, true}) {
        QStringList args{QStringLiteral("--workdir"), work, QStringLiteral("import"), write(QStringLiteral("empty.csv"), heading)};
        if (dryRun) args << QStringLiteral("--dry-run");
        const CliResult empty = RunCli(args);
        EXPECT_EQ(empty.code, 1) << dryRun;
        EXPECT_TRUE(empty.err.contains(QStringLiteral("Nincs beolvasható tétel a fájlban"))) << empty.err.toStdString();
    }

    const CliResult taken = RunCli({QStringLiteral("--workdir"), work, QStringLiteral("import"),
                              write(QStringLiteral("items.csv"), heading + QStringLiteral("1;BK;2025.02.01;2025.02.01;;;;;;;Bank;384;311;100;;;;;;;x\n"))});
    EXPECT_EQ(taken.code, 0) << taken.err.toStdString();
    EXPECT_EQ(taken.err, QStringLiteral("Figyelmeztetés: Ismeretlen oszlop, az átvétel nem olvassa: Megjegyzés\n"));
    EXPECT_TRUE(taken.out.startsWith(QStringLiteral("Átvéve (TETEL_CSV): 1 sor, 1 bizonylat, 1 tétel"))) << taken.out.toStdString();
}

// The same file imported twice stores it once; Ctrl-C in the middle of a
// long run rolls the run back and says so, and the file is then taken whole.
TEST(ImportCommandTest, AFileIsStoredOnceAndAStoppedRunNotAtAll) {
    QTemporaryDir dir(QStringLiteral("/tmp/tarvedo-import-XXXXXX"));
    const QString work = dir.filePath(QStringLiteral("demo"));
    ASSERT_NO_FATAL_FAILURE(MakeEmptyDemo(work));
    QByteArray text =
        "VOUCHER;NTIPUS;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;SZLA;ESZLA;ERTEK;"
        "TART_KOV;AFAKULCS;SOR65;DEVIZANEM;DEVIZAERTEK;ARFOLYAM\n";
    constexpr int kVouchers = 4000, kItems = 25;
    for (int v = 1; v <= kVouchers; ++v)
        for (int i = 1; i <= kItems; ++i)
            text += QStringLiteral("%1;BK;2025.03.05;2025.03.05;;;;;;%2;Bank;384;311;%2;;;;;;\n").arg(v).arg(i).toUtf8();
    const QString path = dir.filePath(QStringLiteral("items.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    const QStringList import{QStringLiteral("--workdir"), work, QStringLiteral("import"), path};

    QProcess stopped;
    stopped.start(QStringLiteral(TARVEDO_CLI_PATH), import);
    ASSERT_TRUE(stopped.waitForStarted());
    QThread::msleep(1500);
    ::kill(pid_t(stopped.processId()), SIGINT);
    ASSERT_TRUE(stopped.waitForFinished(120000));
    const QString err = QString::fromUtf8(stopped.readAllStandardError());
    const QString taken = QStringLiteral("Átvéve (TETEL_CSV): %1 sor, %2 bizonylat").arg(kVouchers * kItems).arg(kVouchers);
    const CliResult next = RunCli(import);
    EXPECT_EQ(next.code, 0) << next.err.toStdString();
    if (stopped.exitCode() == 1) {
        // Nothing of the stopped run stayed: the next one takes every voucher.
        EXPECT_EQ(err, QStringLiteral("Megszakítva: a futás visszagörgetve, ebben a futásban nem tárolódott bizonylat "
                                      "(a fájlból korábban tárolt bizonylatok: 0).\n"));
        EXPECT_TRUE(next.out.startsWith(taken)) << next.out.toStdString();
    } else {
        // The run ended before the signal came.
        EXPECT_EQ(stopped.exitCode(), 0) << err.toStdString();
        EXPECT_EQ(next.out, NothingNewLine());
    }

    const CliResult again = RunCli(import);
    EXPECT_EQ(again.code, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, NothingNewLine());
    EXPECT_EQ(again.err, QStringLiteral("Figyelmeztetés: A fájl %1 bizonylatát egy korábbi átvétel már tárolta; ezeket kihagyja.\n")
                             .arg(kVouchers));
}

}  // namespace
