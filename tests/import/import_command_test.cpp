// The import command: faults and warnings on stderr, and an exit code that
// tells a run that stored nothing from one that stored the file.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/cli_run.h"

namespace {


TEST(ImportCommandTest, AFileWithNothingToTakeFailsAndUnreadColumnsAreNamed) {
    QTemporaryDir dir(QStringLiteral("/tmp/tarvedo-import-XXXXXX"));
    const QString work = dir.filePath(QStringLiteral("demo"));
    const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"), QStringLiteral("0"), QStringLiteral("--year"),
                             QStringLiteral("2025")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
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

}  // namespace
