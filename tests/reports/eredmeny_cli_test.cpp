// tarvedo-cli report eredmeny and report merleg on a demo working directory:
// the balance sheet of a fresh run computes the income statement first, so
// that its profit line is filled and the sheet balances.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "db/dat.h"
#include "report_engine_samples.h"
#include "support/cli_run.h"
#include "support/test_db.h"

namespace {

class StatementsCli : public DemoWorkdirSuite<StatementsCli, 600> {
protected:
    // A value of the demo company's database, read after the tool has finished.
    static double Value(const QString& sql) {
        EXPECT_TRUE(DbConnect(d_tarvedo, work + "/TARVEDO_MINTA_2025.GDB"));
        const double v = SelectValue(d_tarvedo, sql).toDouble();
        DbDisconnect(d_tarvedo);
        return v;
    }
};

}  // namespace

TEST_F(StatementsCli, BalanceSheetOfAFreshRunHasItsProfitLine) {
    const QString pdf = dir->filePath("merleg.pdf");
    const CliResult r = Report({"merleg", "--out", pdf});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString page = sample::PdfPageText(pdf, 1);
    EXPECT_TRUE(page.contains("\"A\" változat")) << page.toStdString();
    EXPECT_TRUE(page.contains("Az adatok ezer Forintban értendők!"));
    EXPECT_TRUE(page.contains("Tárgyév"));
    EXPECT_EQ(sample::PdfPageSize(pdf), "595 x 842");

    const double g = Value("select TARGYEV from EREDMENY where SORSZAM = 'G.'");
    EXPECT_NE(g, 0);
    EXPECT_EQ(Value("select TARGYEV from MERLEG where SORSZAM starting 'VII'"), g);
    EXPECT_NEAR(Value("select TARGYEV from MERLEG where ID = 130"), Value("select TARGYEV from MERLEG where ID = 680"), 10);
}

TEST_F(StatementsCli, IncomeStatementToEveryFormat) {
    for (const QString ext : {"pdf", "xlsx", "sql", "txt"}) {
        const QString out = dir->filePath("eredmeny." + ext);
        const CliResult r = Report({"eredmeny", "--nulla-nelkul", "--out", out});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_GT(QFileInfo(out).size(), 0) << ext.toStdString();
    }
    const QString page = sample::PdfPageText(dir->filePath("eredmeny.pdf"), 1);
    EXPECT_TRUE(page.contains("Eredménykimutatás (összköltség eljárással)")) << page.toStdString();
    EXPECT_TRUE(page.contains("MÉRLEG SZERINTI EREDMÉNY"));
    EXPECT_FALSE(page.contains("Saját termelésű készletek"));  // a zero line left out

    const CliResult bad = Report({"eredmeny", "--out", dir->filePath("x.pdf"), "--nulla"});
    EXPECT_NE(bad.code, 0);
    EXPECT_TRUE(bad.err.contains("Ismeretlen argumentum")) << bad.err.toStdString();
}
