#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/dat.h"
#include "export/export_progress.h"
#include "export/export_source.h"
#include "export/store_dataset.h"
#include "export_test_support.h"
#include "support/test_db.h"
#include "support/xlsx_reader.h"

namespace {

class RecordedProgress : public ExportProgress {
public:
    void start(int minimum, int maximum) override { ranges << qMakePair(minimum, maximum); }
    void setPosition(int position) override { positions << position; }
    void processEvents() override { ++eventRounds; }

    QList<QPair<int, int>> ranges;
    QList<int> positions;
    int eventRounds = 0;
};

class StoreDataSetTest : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec(QStringLiteral("create table T_LISTA (NEV varchar(10), ERTEK integer)"));
        Exec(QStringLiteral("insert into T_LISTA values ('Kiss', 1500)"));
        Exec(QStringLiteral("insert into T_LISTA values ('Nagy', 20)"));
    }
    QueryExportSource list() {
        return QueryExportSource(ExecSql(d_tarvedo, QStringLiteral("select NEV, ERTEK from T_LISTA order by NEV")),
                                 QStringLiteral("q_lista"));
    }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
    UserSide user;
};

}  // namespace

TEST_F(StoreDataSetTest, ExtensionChoosesTheFormat) {
    QString chosen;
    {
        QueryExportSource rows = list();
        ASSERT_TRUE(StoreDataSet(rows, path("lista.TXT"), QString(), chosen));
        EXPECT_EQ(chosen, path("lista.TXT"));
        EXPECT_TRUE(ReadBytes(chosen).startsWith("Kiss        "));
    }
    {
        QueryExportSource rows = list();
        ASSERT_TRUE(StoreDataSet(rows, path("lista.sql"), QStringLiteral("PARTNER"), chosen));
        EXPECT_TRUE(ReadBytes(chosen).startsWith("Insert Into PARTNER (NEV,ERTEK) Values ('Kiss',1500);\r\n"));
    }
    {
        QueryExportSource rows = list();
        ASSERT_TRUE(StoreDataSet(rows, path("lista.xlsx"), QString(), chosen));
        const XlsxWorkbook book(chosen);
        EXPECT_EQ(book.sheetNames(), QStringList{QStringLiteral("q_lista")});
        EXPECT_EQ(book.sheet(QStringLiteral("q_lista")).value(QStringLiteral("A3")), QStringLiteral("Nagy"));
        // The closing message offers to open it; without a window the answer is no.
        EXPECT_EQ(user.questions,
                  QStringList{QStringLiteral("A fájl: %1elkészült: \rKívánja megnyitni?").arg(chosen)});
    }
    {
        QueryExportSource rows = list();
        EXPECT_FALSE(StoreDataSet(rows, path("lista.csv"), QString(), chosen));
        EXPECT_TRUE(chosen.isEmpty());
        EXPECT_FALSE(QFile::exists(path("lista.csv")));
    }
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST_F(StoreDataSetTest, TextKindChosenInTheDialogWins) {
    user.choosesFile(path("lista.xls"), 3);  // "Szövegfájl (TXT)", a name typed with .xls
    QueryExportSource rows = list();
    QString chosen;
    ASSERT_TRUE(StoreDataSet(rows, QString(), QString(), chosen));
    EXPECT_EQ(chosen, path("lista.xls.TXT"));
    EXPECT_TRUE(ReadBytes(chosen).startsWith("Kiss"));
    EXPECT_FALSE(QFile::exists(path("lista.xls")));
    EXPECT_EQ(user.dialogFilters, QList<int>{0});
}

TEST_F(StoreDataSetTest, EmptyListAndCancelledDialog) {
    QString chosen = QStringLiteral("régi");
    QueryExportSource none(ExecSql(d_tarvedo, QStringLiteral("select NEV from T_LISTA where 1 = 2")),
                           QStringLiteral("q_lista"));
    EXPECT_FALSE(StoreDataSet(none, QString(), QString(), chosen));
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("Nincs adat, amit tárolni lehetne.")});
    EXPECT_TRUE(user.dialogShown.isEmpty());  // no file was asked for

    user.messages.clear();
    user.choosesFile(QString(), 1);
    QueryExportSource rows = list();
    EXPECT_FALSE(StoreDataSet(rows, QString(), QString(), chosen));
    EXPECT_TRUE(user.messages.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(StoreDataSetTest, SameRowsStoredTwiceAndProgress) {
    QueryExportSource rows = list();
    QString first, second;
    RecordedProgress progress;
    ASSERT_TRUE(StoreDataSet(rows, path("egy.txt"), QString(), first, &progress));
    // The forward-only rows were read to their end; the second store runs the statement again.
    ASSERT_TRUE(StoreDataSet(rows, path("ketto.xlsx"), QString(), second, &progress));
    EXPECT_EQ(ReadBytes(first).count('\n'), 2);
    EXPECT_EQ(XlsxWorkbook(second).sheet(QStringLiteral("q_lista")).lastRow, 4);  // captions, 2 rows, total
    // A forward-only query does not know its row count: the bar only shows it is busy.
    EXPECT_EQ(progress.ranges, (QList<QPair<int, int>>{qMakePair(1, 0)}));
    EXPECT_EQ(progress.positions, (QList<int>{1, 1, 2}));

    // A scrollable query (the services' Query) knows it.
    Query q_lista(QStringLiteral("q_lista"), {QStringLiteral("select NEV, ERTEK from T_LISTA")});
    QueryOpen(q_lista, false);
    QueryExportSource open(q_lista);
    RecordedProgress counted;
    ASSERT_TRUE(StoreDataSet(open, path("harom.xlsx"), QString(), second, &counted));
    EXPECT_EQ(counted.ranges, (QList<QPair<int, int>>{qMakePair(1, 2)}));
}
