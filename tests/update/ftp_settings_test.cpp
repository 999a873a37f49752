// The update server's settings: stored scrambled by `settings ftp` and by
// the settings window, and read back by the update itself.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/dat.h"
#include "db/session.h"
#include "support/cli_run.h"
#include "update/ftp_settings.h"
#include "update/ftp_settings_window.h"
#include "update/ftp_test_server.h"
#include "update/program_update.h"

namespace {

using update_test::FtpTestServer;

// tarvedo-cli with `input` on its standard input (closed afterwards).
CliResult RunWithInput(const QStringList& args, const QByteArray& input) {
    QProcess process;
    process.start(QStringLiteral(TARVEDO_CLI_PATH), args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class FtpSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        work = dir.filePath(QStringLiteral("munka"));
        const CliResult made = RunCli({QStringLiteral("init-demo"), work, QStringLiteral("--items"), QStringLiteral("0"),
                                       QStringLiteral("--year"), QStringLiteral("2025")});
        ASSERT_EQ(made.code, 0) << made.err.toStdString();
    }
    void TearDown() override {
        CloseSession();
        // Opening the working directory made it the current one; it goes with the test.
        QDir::setCurrent(startFolder);
    }

    CliResult settings(const QStringList& args, const QByteArray& input) {
        return RunWithInput(QStringList{QStringLiteral("--workdir"), work, QStringLiteral("settings"), QStringLiteral("ftp")} + args,
                            input);
    }
    // The installation record as the update reads it, in this process.
    Installation installation() {
        CloseSession();
        const SessionResult session = OpenWorkingDirectory(work);
        EXPECT_TRUE(session.ok) << session.error.toStdString();
        Installation read;
        QString error;
        EXPECT_TRUE(ReadInstallation(read, error)) << error.toStdString();
        return read;
    }
    QString storedColumn(const QString& column) {
        return SelectValue(d_tarvedosys, QStringLiteral("select ") + column + QStringLiteral(" from SZISZTEM")).toString();
    }

    const QString startFolder = QDir::currentPath();
    QTemporaryDir dir;
    QString work;
};

TEST_F(FtpSettingsTest, WhatTheCommandStoresTheUpdateReadsAndUses) {
    FtpTestServer server;
    ASSERT_TRUE(server.running()) << server.error().toStdString();
    const CliResult stored = settings({QStringLiteral("--host"), server.host(), QStringLiteral("--user"),
                                       QString::fromLatin1(FtpTestServer::User), QStringLiteral("--password-stdin")},
                                      QByteArray(FtpTestServer::Password) + "\n");
    ASSERT_EQ(stored.code, 0) << stored.err.toStdString();
    EXPECT_FALSE(stored.out.contains(QString::fromLatin1(FtpTestServer::Password)));

    const Installation read = installation();
    EXPECT_EQ(read.server.host, server.host());
    EXPECT_EQ(read.server.user, QString::fromLatin1(FtpTestServer::User));
    EXPECT_EQ(read.server.password, QString::fromLatin1(FtpTestServer::Password));
    EXPECT_FALSE(storedColumn(QStringLiteral("FTPPWDID")).contains(QString::fromLatin1(FtpTestServer::Password)));
    CloseSession();

    // The update logs in with them: the server answers, there is nothing newer.
    server.put(QStringLiteral("public_html/exefiles/TARVEDO.INF"), "VERSION=0.0.0.1\r\n");
    const QString program = dir.filePath(QStringLiteral("tarvedo"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/bin/false"), program));
    const CliResult update =
        RunCli({QStringLiteral("--workdir"), work, QStringLiteral("update"), QStringLiteral("--program"), program});
    EXPECT_EQ(update.code, 0) << update.err.toStdString();
    EXPECT_EQ(update.out, QStringLiteral("Nincs újabb frissítés.\n"));
}

TEST_F(FtpSettingsTest, BadInputIsRefusedAndChangesNothing) {
    ASSERT_EQ(settings({QStringLiteral("--host"), QStringLiteral("ftp.pelda.hu"), QStringLiteral("--user"),
                        QStringLiteral("könyvelő"), QStringLiteral("--password-stdin")},
                       "jelszó ő\r\nmásodik sor\n")
                  .code,
              0);
    const struct {
        QStringList args;
        QByteArray input;
        int code;
        QString message;
    } cases[] = {
        {{QStringLiteral("--host"), QStringLiteral("h"), QStringLiteral("--user"), QStringLiteral("u"), QStringLiteral("--password"),
          QStringLiteral("titok")},
         "",
         2,
         QStringLiteral("--password-stdin")},
        {{QStringLiteral("--host"), QStringLiteral("h"), QStringLiteral("--user"), QStringLiteral("u")}, "x\n", 2,
         QStringLiteral("Használat:")},
        {{QStringLiteral("--host"), QStringLiteral("h"), QStringLiteral("--user"), QStringLiteral("u"),
          QStringLiteral("--password-stdin")},
         "",
         1,
         QStringLiteral("Nem érkezett jelszó")},
        {{QStringLiteral("--host"), QStringLiteral(" "), QStringLiteral("--user"), QStringLiteral("u"),
          QStringLiteral("--password-stdin")},
         "x\n",
         1,
         QStringLiteral("Adja meg a frissítések tárhelyének címét.")},
        {{QStringLiteral("--host"), QString(126, u'h'), QStringLiteral("--user"), QStringLiteral("u"),
          QStringLiteral("--password-stdin")},
         "x\n",
         1,
         QStringLiteral("A tárhely címe túl hosszú (legfeljebb 125 bájt).")},
        {{QStringLiteral("--host"), QStringLiteral("h"), QStringLiteral("--user"), QStringLiteral("u"),
          QStringLiteral("--password-stdin")},
         QString(63, u'ő').toUtf8() + "\n",
         1,
         QStringLiteral("A jelszó túl hosszú")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliResult run = settings(c.args, c.input);
        EXPECT_EQ(run.code, c.code);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    }
    const CliResult help = RunCli({QStringLiteral("settings"), QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("settings ftp --host"))) << help.out.toStdString();

    const Installation read = installation();
    EXPECT_EQ(read.server.host, QStringLiteral("ftp.pelda.hu"));
    EXPECT_EQ(read.server.user, QStringLiteral("könyvelő"));
    EXPECT_EQ(read.server.password, QStringLiteral("jelszó ő"));
}

TEST_F(FtpSettingsTest, TheWindowShowsAndStoresTheSettings) {
    ASSERT_EQ(settings({QStringLiteral("--host"), QStringLiteral("ftp.regi.hu"), QStringLiteral("--user"), QStringLiteral("regi"),
                        QStringLiteral("--password-stdin")},
                       "regi-jelszo\n")
                  .code,
              0);
    installation();
    Tftpbeallitasfm window;
    ASSERT_TRUE(window.Betolt());
    EXPECT_EQ(window.e_ftphost->text(), QStringLiteral("ftp.regi.hu"));
    EXPECT_EQ(window.e_ftpuser->text(), QStringLiteral("regi"));
    EXPECT_EQ(window.e_ftpjelszo->echoMode(), QLineEdit::Password);

    // A refused value keeps the window open and the record as it was.
    window.show();
    window.e_ftphost->setText(QString());
    window.b_tarol->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(installation().server.host, QStringLiteral("ftp.regi.hu"));

    window.e_ftphost->setText(QStringLiteral("ftps://ftp.uj.hu"));
    window.e_ftpuser->setText(QStringLiteral("új"));
    window.e_ftpjelszo->setText(QStringLiteral("új jelszó"));
    window.b_tarol->click();
    EXPECT_FALSE(window.isVisible());
    const Installation read = installation();
    EXPECT_EQ(read.server.host, QStringLiteral("ftps://ftp.uj.hu"));
    EXPECT_EQ(read.server.user, QStringLiteral("új"));
    EXPECT_EQ(read.server.password, QStringLiteral("új jelszó"));
}

}  // namespace
