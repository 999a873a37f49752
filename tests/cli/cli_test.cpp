// The command-line tool as scripts use it: a real process, a real working
// directory, real databases.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/dat.h"
#include "db/ini.h"
#include "support/cli_run.h"
#include "support/test_db.h"

namespace {


// One demo working directory for every test here: making it is the slow part.
class CliTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir(QStringLiteral("/tmp/tarvedo-cli-XXXXXX"));
        s_demo = s_dir->filePath(QStringLiteral("demo"));
        s_made = RunCli({QStringLiteral("init-demo"), s_demo, QStringLiteral("--items"), QStringLiteral("400"),
                         QStringLiteral("--year"), QStringLiteral("2025")});
    }
    static void TearDownTestSuite() { delete s_dir; }
    static QTemporaryDir* s_dir;
    static QString s_demo;
    static CliResult s_made;
};
QTemporaryDir* CliTest::s_dir = nullptr;
QString CliTest::s_demo;
CliResult CliTest::s_made;

TEST_F(CliTest, InitDemoMakesAWorkingDirectory) {
    ASSERT_EQ(s_made.code, 0) << s_made.err.toStdString();
    for (const char* file : {"TARVEDO.INI", "TARVEDO_URES.GDB", "TARVEDOSYS.GDB", "TARVEDO_MINTA_2025.GDB"})
        EXPECT_TRUE(QFile::exists(s_demo + QLatin1Char('/') + QLatin1String(file))) << file;
    QFile ini(s_demo + QStringLiteral("/TARVEDO.INI"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(ini.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("DEFAULTCEG=MINTA")));
    EXPECT_TRUE(text.contains(QStringLiteral("DEFAULTEV=2025")));
    // Never made over an existing one.
    const CliResult again = RunCli({QStringLiteral("init-demo"), s_demo});
    EXPECT_NE(again.code, 0);
    EXPECT_TRUE(again.err.contains(QStringLiteral("már van TARVEDO.INI"))) << again.err.toStdString();
}

TEST_F(CliTest, RunScriptWorksOnTheCompanyDatabase) {
    ASSERT_EQ(s_made.code, 0);
    const QString script = s_dir->filePath(QStringLiteral("UPDATES.SQL"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("update CEG set TELEFON = '+36 1 999 9999';\ninsert into NINCS_ILYEN values (1);\n");
    file.close();
    const CliResult run = RunCli({QStringLiteral("--workdir"), s_demo, QStringLiteral("run-script"), script});
    EXPECT_EQ(run.code, 1);  // one statement failed
    EXPECT_TRUE(run.out.contains(QStringLiteral("1 utasítás lefutott, 1 hibás."))) << run.out.toStdString();
    EXPECT_EQ(QDir(s_dir->path()).entryList({QStringLiteral("UPDATES.SQL_ERROR_*")}).size(), 1);
}

TEST(CliErrors, BadInputGetsAMessageNotACrash) {
    QTemporaryDir empty;
    const struct {
        const char* name;
        QStringList args;
        const char* message;
    } cases[] = {
        {"missing settings file", {QStringLiteral("--workdir"), empty.path(), QStringLiteral("run-script"), QStringLiteral("x.sql")},
         "Ini file: TARVEDO.INI not found."},
        {"missing working directory", {QStringLiteral("--workdir"), QStringLiteral("/nincs/ilyen"), QStringLiteral("run-script"), QStringLiteral("x.sql")},
         "nem található"},
        {"unknown command", {QStringLiteral("nincs-ilyen")}, "Ismeretlen parancs"},
        {"template over an existing one", {QStringLiteral("init-template"), QStringLiteral(TARVEDO_TEST_TEMPLATE_DIR)}, "már létezik"},
        {"bad item count", {QStringLiteral("init-demo"), empty.filePath(QStringLiteral("d")), QStringLiteral("--items"), QStringLiteral("sok")},
         "Hibás tételszám"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult run = RunCli(c.args);
        EXPECT_NE(run.code, 0);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    }
}

TEST(CliErrors, UnreachableDatabasesAreNamed) {
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("TARVEDO.INI")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("DBSYSTEM=/nincs/ilyen/TARVEDOSYS.GDB\r\nDBSERVER=/nincs/ilyen/CEG.GDB\r\n");
    ini.close();
    const CliResult run = RunCli({QStringLiteral("--workdir"), dir.path(), QStringLiteral("run-script"), QStringLiteral("x.sql")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Hiba történt a /nincs/ilyen/TARVEDOSYS.GDB rendszer adatbázisra csatlakozás közben.")))
        << run.err.toStdString();
}

}  // namespace
