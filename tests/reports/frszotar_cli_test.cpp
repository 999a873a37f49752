// tarvedo-cli query: any statement that only reads, to the general list or a file.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "report_engine_samples.h"
#include "support/cli_run.h"

namespace {

class QueryCli : public DemoWorkdirSuite<QueryCli, 50> {
protected:
    static CliResult Query(const QStringList& args) { return RunCli(QStringList{"--workdir", work, "query"} + args); }
    static QString Count(const QString& table) {
        const QString out = dir->filePath("count.txt");
        const CliResult r = Query({"SELECT COUNT(*) AS N FROM " + table, "--out", out});
        QFile f(out);
        f.open(QIODevice::ReadOnly);
        return r.code == 0 ? QString::fromUtf8(f.readAll()).split('\n').value(0).trimmed() : r.err;
    }
};

}  // namespace

TEST_F(QueryCli, AReadingStatementToEachFormat) {
    const QString sql = "SELECT SZLA, SZOVEG FROM SZ_TUKOR WHERE SZLA LIKE '38%' ORDER BY SZLA";
    for (const QString ext : {"pdf", "xlsx", "txt"}) {
        const QString out = dir->filePath("lista." + ext);
        const CliResult r = Query({sql, "--title", "Pénzeszközök", "--out", out});
        SCOPED_TRACE(ext.toStdString());
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_GT(QFileInfo(out).size(), 0);
    }
    const QString page = sample::PdfPageText(dir->filePath("lista.pdf"), 1);
    EXPECT_TRUE(page.contains("Pénzeszközök")) << page.toStdString();
    EXPECT_TRUE(page.contains("SZLA")) << page.toStdString();
    EXPECT_TRUE(page.contains("Lapszám: 1")) << page.toStdString();
}

TEST_F(QueryCli, StatementsThatWriteChangeNothing) {
    const QString items = Count("TETEL");
    const QString accounts = Count("SZ_TUKOR");
    ASSERT_NE(items.toInt(), 0) << items.toStdString();
    const QStringList statements = {
        "DELETE FROM TETEL",
        "UPDATE SZ_TUKOR SET SZOVEG = 'x'",
        "DROP TABLE TETEL",
        "EXECUTE BLOCK RETURNS (N INTEGER) AS BEGIN DELETE FROM TETEL; N = 1; SUSPEND; END",
    };
    for (const QString& sql : statements) {
        SCOPED_TRACE(sql.toStdString());
        const CliResult r = Query({sql, "--out", dir->filePath("x.xlsx")});
        EXPECT_NE(r.code, 0);
        EXPECT_TRUE(r.err.contains("Az utasítás nem lekérdezés")) << r.err.toStdString();
    }
    EXPECT_EQ(Count("TETEL"), items);
    EXPECT_EQ(Count("SZ_TUKOR"), accounts);
}

TEST_F(QueryCli, MessagesOfTheRun) {
    EXPECT_TRUE(Query({"SELECT 1 FROM RDB$DATABASE"}).err.contains("Használat"));
    EXPECT_TRUE(Query({"SELECT * FROM SZ_TUKOR WHERE 1=2", "--out", dir->filePath("ures.pdf")})
                    .err.contains("Nincs mit nyomtatni."));
    const CliResult bad = Query({"SELECT NINCS FROM SZ_TUKOR", "--out", dir->filePath("rossz.pdf")});
    EXPECT_NE(bad.code, 0);
    EXPECT_TRUE(bad.err.contains("NINCS")) << bad.err.toStdString();
}
