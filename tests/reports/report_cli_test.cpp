// tarvedo-cli report and export-journal on a demo working directory.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "report_engine_samples.h"

namespace {

struct Result {
    int code;
    QString out, err;
};

Result Cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(TARVEDO_CLI_PATH), args);
    process.waitForFinished(300000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class ReportCli : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        work = dir->filePath("minta");
        const Result made = Cli({"init-demo", work, "--items", "400", "--year", "2025"});
        ASSERT_EQ(made.code, 0) << made.err.toStdString();
    }
    static void TearDownTestSuite() { delete dir; }
    static Result Report(const QStringList& args) { return Cli(QStringList{"--workdir", work, "report"} + args); }
    static inline QTemporaryDir* dir = nullptr;
    static inline QString work;
};

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
            const Result r = Report(QStringList{criteria.first(), "--out", out} + criteria.mid(1));
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
        const Result r = Report(c.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, c.message + "\n");
    }
}

TEST_F(ReportCli, ExportedJournalBalancesInLedger) {
    const QString file = dir->filePath("minta.ledger");
    const Result r = Cli({"--workdir", work, "export-journal", file});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QProcess ledger;
    ledger.start("ledger", {"-f", file, "balance", "--depth", "1", "--format", "%(account)|%(quantity(display_total))\n"});
    ASSERT_TRUE(ledger.waitForFinished(60000));
    EXPECT_EQ(ledger.exitCode(), 0);
    // Every item is balanced: the grand total is zero.
    EXPECT_TRUE(QString::fromUtf8(ledger.readAllStandardOutput()).endsWith("|0\n"));
}
