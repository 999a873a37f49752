// A report whose rows cannot all be read fails loudly: the command prints the
// database's message and exits non-zero, and writes no file, rather than a
// report cut short at the failing row.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "support/cli_run.h"


TEST(ReportReadError, OverflowingSumsStopTheReportInsteadOfShorteningIt) {
    QTemporaryDir dir;
    const QString work = dir.filePath("minta");
    ASSERT_EQ(RunCli({"init-demo", work, "--items", "200", "--year", "2025"}).code, 0);

    // Two items whose sum no double can hold: the engine fails while the
    // report reads its turnover sums, after some rows have been read.
    QFile script(dir.filePath("overflow.sql"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    for (const char* sorszam : {"2599998", "2599999"})
        script.write(QStringLiteral("insert into TETEL (SORSZAM, SZLA, ESZLA, ERTEK, NTIPUS, KONYVBIZ, KAPOCS, "
                                    "TELJKELT, KONYVELVE) values ('%1', '384', '311', 1e308, 'VV', '%1', '001', "
                                    "'2025.03.01', '2025.03.01');\n")
                         .arg(QLatin1String(sorszam))
                         .toUtf8());
    script.close();
    const CliResult loaded = RunCli({"--workdir", work, "run-script", script.fileName()});
    ASSERT_EQ(loaded.code, 0) << loaded.err.toStdString();

    for (const QString report : {"fokiv", "egyezteto"}) {
        const QString out = dir.filePath(report + ".txt");
        const CliResult r = RunCli({"--workdir", work, "report", report, "--out", out});
        SCOPED_TRACE(report.toStdString());
        EXPECT_NE(r.code, 0);
        EXPECT_TRUE(r.err.contains("overflow")) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}
