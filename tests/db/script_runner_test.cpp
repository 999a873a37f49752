#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>

#include "db/dat.h"
#include "db/script_runner.h"
#include "support/test_db.h"

namespace {

class ScriptRunnerTest : public CompanyDbTest {
protected:
    int rowCount() { return SelectValue(d_tarvedo, QStringLiteral("select count(*) from SCRIPT_T")).toInt(); }
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec(QStringLiteral("create table SCRIPT_T (A integer, B varchar(20))"));
    }
};

struct ScriptCase {
    const char* name;
    const char* script;
    int executed;
    int failed;
    int rows;  // rows of SCRIPT_T afterwards
};

TEST_F(ScriptRunnerTest, SplitsStatementsAsTheScriptIsWritten) {
    const ScriptCase cases[] = {
        {"three statements", "insert into SCRIPT_T values (1, 'a');\ninsert into SCRIPT_T values (2, 'b');\n"
                             "insert into SCRIPT_T values (3, 'c');", 3, 0, 3},
        {"one statement over lines", "insert into SCRIPT_T\n  (A, B)\nvalues\n (1, 'x');", 1, 0, 1},
        {"trailing blank line", "insert into SCRIPT_T values (1, 'a');\n\n   \n", 1, 0, 1},
        {"last statement without semicolon", "insert into SCRIPT_T values (1, 'a');\ninsert into SCRIPT_T values (2, 'b')",
         2, 0, 2},
        {"comment on one line keeps the text before it", "insert into SCRIPT_T /* the table */\n"
                                                         "values (1, 'a'); /* first */\n"
                                                         "insert into SCRIPT_T values (2, 'b'); /* second */", 2, 0, 2},
        {"comment over lines", "/* a\n comment; with a semicolon\n*/\ninsert into SCRIPT_T values (1, 'a');", 1, 0, 1},
        {"select is opened", "select * from SCRIPT_T;\ninsert into SCRIPT_T values (1, 'a');", 2, 0, 1},
        {"second of three fails", "insert into SCRIPT_T values (1, 'a');\ninsert into NO_SUCH_TABLE values (2);\n"
                                  "insert into SCRIPT_T values (3, 'c');", 2, 1, 2},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.name);
        Exec(QStringLiteral("delete from SCRIPT_T"));
        const ScriptResult result = RunScript(QString::fromUtf8(c.script).split(QLatin1Char('\n')), false, d_tarvedo);
        EXPECT_EQ(result.executed, c.executed);
        EXPECT_EQ(result.failed, c.failed);
        EXPECT_EQ(rowCount(), c.rows);
    }
}

TEST_F(ScriptRunnerTest, StopOnErrorStopsAtTheFirstFailure) {
    const QStringList lines{"insert into NO_SUCH_TABLE values (2);", "insert into SCRIPT_T values (3, 'c');"};
    const ScriptResult result = RunScript(lines, true, d_tarvedo);
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(result.executed, 0);
    EXPECT_EQ(rowCount(), 0);
}

TEST_F(ScriptRunnerTest, TriggerRunsToTheEndOfTheFileAsOneStatement) {
    const QStringList lines{
        "insert into SCRIPT_T values (1, 'a');",
        "CREATE TRIGGER SCRIPT_T_BI FOR SCRIPT_T ACTIVE BEFORE INSERT POSITION 0 AS",
        "BEGIN",
        "  NEW.B = 'trigger';",
        "END;",
    };
    const ScriptResult result = RunScript(lines, false, d_tarvedo);
    EXPECT_EQ(result.executed, 2);
    EXPECT_EQ(result.failed, 0);
    Exec(QStringLiteral("insert into SCRIPT_T (A) values (5)"));
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select B from SCRIPT_T where A = 5")).toString(),
              QStringLiteral("trigger"));
}

TEST_F(ScriptRunnerTest, InactiveTriggerLineIsAnOrdinaryStatement) {
    Exec(QStringLiteral("CREATE TRIGGER SCRIPT_T_BI FOR SCRIPT_T ACTIVE BEFORE INSERT POSITION 0 AS BEGIN NEW.B = 'x'; END"));
    const QStringList lines{"ALTER TRIGGER SCRIPT_T_BI INACTIVE;", "insert into SCRIPT_T (A) values (7);"};
    const ScriptResult result = RunScript(lines, false, d_tarvedo);
    EXPECT_EQ(result.executed, 2);
    EXPECT_TRUE(SelectValue(d_tarvedo, QStringLiteral("select B from SCRIPT_T where A = 7")).isNull());
}

TEST_F(ScriptRunnerTest, ErrorFileHoldsExactlyTheFailedStatement) {
    const QString script = db.dir() + QStringLiteral("/UPDATES.SQL");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("insert into SCRIPT_T values (1, 'á');\r\ninsert into NO_SUCH_TABLE\r\n values (2);\r\n\r\n"
               "insert into SCRIPT_T values (3, 'c');\r\n");
    file.close();

    const ScriptResult result = RunScriptFile(script, d_tarvedo);
    EXPECT_EQ(result.executed, 2);
    EXPECT_EQ(result.failed, 1);
    const QStringList errorFiles = QDir(db.dir()).entryList({QStringLiteral("UPDATES.SQL_ERROR_*.SQL")});
    ASSERT_EQ(errorFiles.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^UPDATES\\.SQL_ERROR_\\d{14}\\.SQL$")).match(errorFiles.first()).hasMatch());
    QFile errors(db.dir() + QLatin1Char('/') + errorFiles.first());
    ASSERT_TRUE(errors.open(QIODevice::ReadOnly));
    EXPECT_EQ(errors.readAll(), QByteArray("insert into NO_SUCH_TABLE\r\nvalues (2);\r\n"));
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select B from SCRIPT_T where A = 1")).toString(), QStringLiteral("á"));
}

TEST_F(ScriptRunnerTest, MissingFileIsNotAnError) {
    const ScriptResult result = RunScriptFile(db.dir() + QStringLiteral("/NINCS.SQL"), d_tarvedo);
    EXPECT_EQ(result.executed + result.failed, 0);
}

TEST(ScriptText, Windows1250BytesAreRead) {
    bool utf8 = true;
    const QStringList lines = ReadTextLines(QByteArray("\xe1rv\xedzt\xfbr\xf5\r\nx"), &utf8);
    EXPECT_FALSE(utf8);
    EXPECT_EQ(lines, QStringList({QStringLiteral("árvíztűrő"), QStringLiteral("x")}));
}

}  // namespace
