// tarvedo-cli report and export-journal on a demo working directory.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "report_engine_samples.h"
#include "support/cli_run.h"

namespace {

class ReportCli : public DemoWorkdirSuite<ReportCli, 400> {};

}  // namespace

TEST_F(ReportCli, EachReportToPdfAndTheStoreFormats) {
    const QList<QStringList> reports = {
        {"fokiv", "--teljkelt-tol", "2025.01.01", "--teljkelt-ig", "2025.12.31"},
        {"karton", "--szla", "3"},
        {"knaplo", "--ntipus", "BK"},
        {"egyezteto"},
    };
    for (const QStringList& criteria : reports) {
        for (const QString ext : {"pdf", "xlsx", "xls", "sql", "txt"}) {
            const QString out = dir->filePath(criteria.first() + "." + ext);
            const CliResult r = Report(QStringList{criteria.first(), "--out", out} + criteria.mid(1));
            SCOPED_TRACE((criteria.first() + "." + ext).toStdString());
            EXPECT_EQ(r.code, 0) << r.err.toStdString();
            EXPECT_GT(QFileInfo(out).size(), 0);
        }
    }
    EXPECT_TRUE(sample::PdfPageText(dir->filePath("egyezteto.pdf"), 1).contains("1-9. Számlaosztály összesen"));
    EXPECT_EQ(sample::PdfPageSize(dir->filePath("fokiv.pdf")), "842 x 595");
}

TEST_F(ReportCli, MessagesOfTheRun) {
    struct Case {
        QStringList args;
        QString message;
    };
    const QList<Case> cases = {
        {{"knaplo", "--out", "x.pdf"}, "Adjon meg valamilyen naplótípust!"},
        {{"karton", "--out", "x.pdf"}, "Adjon meg valamilyen számlaosztályt!"},
        {{"fokiv", "--out", "x.pdf", "--teljkelt-tol", "2030.01.01"}, "Nincs mit nyomtatni"},
        {{"karton", "--out", "x.pdf", "--szla", "3", "--ntipus", "QQ"}, " Nincs mit nyomtatni "},
    };
    for (const Case& c : cases) {
        const CliResult r = Report(c.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, c.message + "\n");
    }
}

TEST_F(ReportCli, ExportedJournalBalancesInLedger) {
    const QString file = dir->filePath("minta.ledger");
    const CliResult r = RunCli({"--workdir", work, "export-journal", file});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QProcess ledger;
    ledger.start("ledger", {"-f", file, "balance", "--depth", "1", "--format", "%(account)|%(quantity(display_total))\n"});
    ASSERT_TRUE(ledger.waitForFinished(60000));
    EXPECT_EQ(ledger.exitCode(), 0);
    // Every item is balanced: the grand total is zero.
    EXPECT_TRUE(QString::fromUtf8(ledger.readAllStandardOutput()).endsWith("|0\n"));
}

TEST_F(ReportCli, CriteriaTooLongForTheirColumnGiveTheEmptyResultMessage) {
    const struct {
        QStringList args;
        QString message;
    } cases[] = {
        {{"karton", "--szla", "3", "--ntipus", "ABC"}, " Nincs mit nyomtatni "},
        {{"karton", "--szla", "31100000000"}, " Nincs mit nyomtatni "},
        {{"karton", "--szla", "3", "--teljkelt-tol", "2025.12.3199"}, " Nincs mit nyomtatni "},
        {{"knaplo", "--ntipus", "ABC"}, " Nincs mit nyomtatni "},
        {{"knaplo", "--ntipus", "BK", "--szla", "38400000000"}, " Nincs mit nyomtatni "},
        {{"fokiv", "--teljkelt-tol", "2025.12.3199"}, "Nincs mit nyomtatni"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliResult r = Report(QStringList{c.args.first(), "--out", dir->filePath("hosszu.txt")} + c.args.mid(1));
        EXPECT_NE(r.code, 0);
        EXPECT_EQ(r.err.trimmed(), c.message.trimmed()) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(dir->filePath("hosszu.txt")));
    }
    // A long upper bound still lists what lies below it.
    const CliResult listed = Report({"fokiv", "--out", dir->filePath("also.txt"), "--szla-ig", "99999999999"});
    EXPECT_EQ(listed.code, 0) << listed.err.toStdString();
    EXPECT_GT(QFileInfo(dir->filePath("also.txt")).size(), 0);
}
