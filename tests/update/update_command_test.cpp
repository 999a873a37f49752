// tarvedo-cli update against a real FTP server, on a real working directory:
// the server comes from the installation record, the new program takes the
// place of the old one, and the next start runs the merged update script on
// the company database.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/dat.h"
#include "db/session.h"
#include "db/text_scramble.h"
#include "shell/startup.h"
#include "support/cli_run.h"
#include "update/ftp_test_server.h"

namespace {

using update_test::FtpTestServer;

const QString RemoteDir = QStringLiteral("public_html/exefiles/");
const QString Newer = QStringLiteral(TARVEDO_VERSION) + QStringLiteral(".1");

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class UpdateCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.running()) << server.error().toStdString();
        work = dir.filePath(QStringLiteral("munka"));
        const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"), QStringLiteral("0"),
                                       QStringLiteral("--year"), QStringLiteral("2025")});
        ASSERT_EQ(made.code, 0) << made.err.toStdString();
        setServer(QString::fromLatin1(FtpTestServer::User));
        QDir().mkpath(dir.filePath(QStringLiteral("bin")));
        program = dir.filePath(QStringLiteral("bin/tarvedo"));
        ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/bin/false"), program));
    }
    // The installation record names the server, scrambled as the program keeps it.
    void setServer(const QString& user) {
        const QString connection = QStringLiteral("update_test_sys");
        ASSERT_TRUE(OpenDatabase(connection, work + QStringLiteral("/TARVEDOSYS.GDB")));
        ExecSql(connection, QStringLiteral("update SZISZTEM set KOD = 'PROBA', FTPHOST = :H, FTPUSERID = :U, FTPPWDID = :P"),
                {{QStringLiteral("H"), ScrambleText(server.host())},
                 {QStringLiteral("U"), ScrambleText(user)},
                 {QStringLiteral("P"), ScrambleText(QString::fromLatin1(FtpTestServer::Password))}});
        DbDisconnect(connection);
    }
    CliResult update(const QStringList& extra = {}) {
        return RunCli(QStringList{QStringLiteral("--workdir"), work, QStringLiteral("update"), QStringLiteral("--program"), program}
                      + extra);
    }

    FtpTestServer server;
    QTemporaryDir dir;
    QString work, program;
};

TEST_F(UpdateCommandTest, UpdatesTheProgramAndTheNextStartRunsTheScripts) {
    server.put(RemoteDir + QStringLiteral("TARVEDO.INF"),
               (QStringLiteral("VERSION=") + Newer + QStringLiteral("\r\nUPDATES=tabla.sql\r\nUPDATES=adat.sql\r\nINFO=Új verzió\r\n"))
                   .toUtf8());
    server.put(RemoteDir + QStringLiteral("tabla.sql"), "CREATE TABLE FRISSITES_PROBA (X INTEGER);\r\n");
    server.put(RemoteDir + QStringLiteral("adat.sql"), "INSERT INTO FRISSITES_PROBA VALUES (7);\r\n");
    server.put(RemoteDir + QStringLiteral("TARVEDO"), fileBytes(QStringLiteral("/usr/bin/true")));

    const CliResult result = update();
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("Letöltöttük a friss programot.\nverzió:") + Newer
                              + QStringLiteral("\nKérem indítsa újra a programot!\n"));
    EXPECT_EQ(fileBytes(program), fileBytes(QStringLiteral("/usr/bin/true")));
    EXPECT_EQ(fileBytes(program + QStringLiteral(TARVEDO_VERSION)), fileBytes(QStringLiteral("/usr/bin/false")));
    EXPECT_TRUE(server.read(RemoteDir + QStringLiteral("download_TARVEDO_PROBA_") + Newer + QStringLiteral(".txt"))
                    .startsWith("TARVEDO downloaded by PROBA, "));

    // The next start.
    const QString here = QDir::currentPath();
    const SessionResult session = OpenWorkingDirectory(work);
    ASSERT_TRUE(session.ok) << session.error.toStdString();
    EXPECT_FALSE(RunPendingUpdateScript().isEmpty());
    {
        QSqlQuery rows = ExecSql(d_tarvedo, QStringLiteral("select X from FRISSITES_PROBA"));
        ASSERT_TRUE(NextRow(rows));
        EXPECT_EQ(rows.value(0).toInt(), 7);
        EXPECT_FALSE(NextRow(rows));
    }
    CloseSession();
    QDir::setCurrent(here);
    EXPECT_FALSE(QFile::exists(work + QStringLiteral("/UPDATES.SQL")));
}

TEST_F(UpdateCommandTest, NothingNewerAndRefusedLogin) {
    server.put(RemoteDir + QStringLiteral("TARVEDO.INF"), QByteArray("VERSION=") + TARVEDO_VERSION + "\r\n");
    CliResult result = update();
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("Nincs újabb frissítés.\n"));

    result = update({QStringLiteral("--silent")});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QString());

    setServer(QStringLiteral("idegen"));
    result = update();
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("Oka: hibás felhasználónév/jelszó\nHibakód: 530\n"))) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains(QString::fromLatin1(FtpTestServer::Password)));
    EXPECT_EQ(fileBytes(program), fileBytes(QStringLiteral("/usr/bin/false")));
}

}  // namespace
