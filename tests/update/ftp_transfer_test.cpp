// The file transfer against a real FTP server on the loopback.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "db/ui_hooks.h"
#include "update/ftp_test_server.h"
#include "update/ftp_transfer.h"

namespace {

using update_test::FtpTestServer;

QByteArray everyByte(int repeat) {
    QByteArray bytes;
    for (int r = 0; r < repeat; ++r)
        for (int b = 0; b < 256; ++b) bytes.append(char(b));
    return bytes + "\r\n\n\r";
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FtpTransferTest : public update_test::SharedFtpServerTest {
protected:
    void SetUp() override {
        SharedFtpServerTest::SetUp();
        if (HasFatalFailure()) return;
        UiHooks::setDialog([this](const QString& text, int kind, const QStringList&) {
            dialogs.append(text);
            kinds.append(kind);
            return 0;
        });
        ftp.whost = server->host();
        ftp.wusername = QString::fromLatin1(FtpTestServer::User);
        ftp.wpasssword = QString::fromLatin1(FtpTestServer::Password);
    }
    void TearDown() override { UiHooks::setDialog({}); }

    QTemporaryDir local;
    FtpClient ftp;
    QStringList dialogs;
    QList<int> kinds;
};

TEST_F(FtpTransferTest, TransfersEveryByteBothWaysInTheChosenFolder) {
    const QByteArray bytes = everyByte(4000);  // about a megabyte, line ends included
    server->put(QStringLiteral("public_html/exefiles/PROGRAM"), bytes);
    ASSERT_EQ(ftp.FtpConnect(), 0);
    EXPECT_EQ(ftp.FtpConnect(), 0);  // already connected
    ASSERT_EQ(ftp.FtpChangeDir(QStringLiteral("public_html")), 0);
    ASSERT_EQ(ftp.FtpChangeDir(QStringLiteral("exefiles")), 0);
    EXPECT_EQ(ftp.currentDir(), QStringLiteral("public_html/exefiles"));

    qint64 lastDone = 0, lastTotal = 0;
    ftp.onProgress = [&](qint64 done, qint64 total) {
        lastDone = done;
        lastTotal = total;
    };
    const QString target = local.filePath(QStringLiteral("program.bin"));
    ASSERT_EQ(ftp.FtpGet(QStringLiteral("PROGRAM"), target), 0) << ftp.lastError().toStdString();
    EXPECT_EQ(fileBytes(target), bytes);
    EXPECT_EQ(lastDone, bytes.size());
    EXPECT_EQ(lastTotal, bytes.size());

    ASSERT_EQ(ftp.FtpPut(target, QStringLiteral("feltoltve.bin")), 0) << ftp.lastError().toStdString();
    EXPECT_EQ(server->read(QStringLiteral("public_html/exefiles/feltoltve.bin")), bytes);
    // Uploading again replaces the remote file.
    QFile small(local.filePath(QStringLiteral("small.txt")));
    ASSERT_TRUE(small.open(QIODevice::WriteOnly));
    small.write("egy sor\r\n");
    small.close();
    ASSERT_EQ(ftp.FtpPut(small.fileName(), QStringLiteral("feltoltve.bin")), 0);
    EXPECT_EQ(server->read(QStringLiteral("public_html/exefiles/feltoltve.bin")), QByteArray("egy sor\r\n"));

    ASSERT_EQ(ftp.FtpChangeDir(QStringLiteral("..")), 0);
    EXPECT_EQ(ftp.currentDir(), QStringLiteral("public_html"));
    ASSERT_EQ(ftp.FtpChangeDir(QStringLiteral("/public_html/exefiles")), 0);
    ASSERT_EQ(ftp.FtpGet(QStringLiteral("feltoltve.bin"), target), 0);
    EXPECT_EQ(fileBytes(target), QByteArray("egy sor\r\n"));
    EXPECT_TRUE(dialogs.isEmpty()) << dialogs.join(QLatin1Char('\n')).toStdString();

    ftp.FtpDisconnect();
    EXPECT_FALSE(ftp.connected());
    EXPECT_EQ(ftp.FtpGet(QStringLiteral("feltoltve.bin"), target), -1);
}

// A download that does not arrive whole leaves the local file as it was,
// and no partial or temporary file beside it.
TEST_F(FtpTransferTest, AnIncompleteDownloadLeavesTheLocalFileAsItWas) {
    const QByteArray bytes = everyByte(400);
    server->put(QStringLiteral("CUT"), bytes);
    server->put(QStringLiteral("DROP"), bytes);
    server->setFault(QStringLiteral("CUT"), "cut", 5000);
    server->setFault(QStringLiteral("DROP"), "drop", 30000);
    ASSERT_EQ(ftp.FtpConnect(), 0);
    for (const QString& name : {QStringLiteral("CUT"), QStringLiteral("DROP"), QStringLiteral("MISSING")}) {
        SCOPED_TRACE(name.toStdString());
        const QString target = local.filePath(QStringLiteral("waiting.txt"));
        QFile waiting(target);
        ASSERT_TRUE(waiting.open(QIODevice::WriteOnly));
        waiting.write("eredeti tartalom");
        waiting.close();
        EXPECT_EQ(ftp.FtpGet(name, target), -1);
        EXPECT_FALSE(ftp.lastError().isEmpty());
        EXPECT_EQ(fileBytes(target), QByteArray("eredeti tartalom"));
        EXPECT_EQ(QDir(local.path()).entryList(QDir::Files), QStringList{QStringLiteral("waiting.txt")});
    }
    EXPECT_EQ(ftp.lastCode(), 550);  // the missing file: the server's reply
    // The session goes on after the broken transfers.
    server->put(QStringLiteral("OK"), bytes);
    ASSERT_EQ(ftp.FtpGet(QStringLiteral("OK"), local.filePath(QStringLiteral("ok.bin"))), 0);
    EXPECT_EQ(fileBytes(local.filePath(QStringLiteral("ok.bin"))), bytes);
}

TEST_F(FtpTransferTest, ConnectionErrorsSayWhyAndNeverShowThePassword) {
    struct Case {
        QString host, user, reason, code;
    };
    const QList<Case> cases{
        {server->host(), QStringLiteral("senki"), QStringLiteral("hibás felhasználónév/jelszó"), QStringLiteral("Hibakód: 530")},
        // An address that carries credentials of its own shows without them.
        {QStringLiteral("ftp://senki:") + QString::fromLatin1(FtpTestServer::Password) + QStringLiteral("@") + server->host(),
         QStringLiteral("senki"), QStringLiteral("hibás felhasználónév/jelszó"), QStringLiteral("Hibakód: 530")},
        {QStringLiteral("127.0.0.1:1"), QString::fromLatin1(FtpTestServer::User), QStringLiteral("hibás tárhely cím"),
         QStringLiteral("Hibakód: 111")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host.toStdString());
        dialogs.clear();
        kinds.clear();
        FtpClient client;
        client.whost = c.host;
        client.wusername = c.user;
        client.wpasssword = QString::fromLatin1(FtpTestServer::Password);
        EXPECT_NE(client.FtpConnect(), 0);
        EXPECT_FALSE(client.connected());
        ASSERT_EQ(dialogs.size(), 1);
        EXPECT_EQ(kinds.first(), 2);
        const QString shown = dialogs.first();
        const QString host = c.host.startsWith(QLatin1String("ftp://")) ? QStringLiteral("ftp://") + server->host() : c.host;
        EXPECT_TRUE(shown.startsWith(QStringLiteral("Nem tudok kapcsolódni a tárhelyhez: ") + host + QStringLiteral("\rOka: ")
                                     + c.reason + QStringLiteral("\r")))
            << shown.toStdString();
        EXPECT_TRUE(shown.contains(c.code)) << shown.toStdString();
        EXPECT_TRUE(shown.contains(QStringLiteral("\rEredeti hibaüzenet: (libcurl "))) << shown.toStdString();
        EXPECT_FALSE(shown.contains(QString::fromLatin1(FtpTestServer::Password)));
        EXPECT_EQ(client.whiba, c.reason);
    }
}

TEST_F(FtpTransferTest, AMissingFolderIsReportedAndTheFolderStays) {
    QDir().mkpath(server->path(QStringLiteral("public_html")));
    ASSERT_EQ(ftp.FtpConnect(), 0);
    ASSERT_EQ(ftp.FtpChangeDir(QStringLiteral("public_html")), 0);
    EXPECT_EQ(ftp.FtpChangeDir(QStringLiteral("exefiles")), -1);
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_TRUE(dialogs.first().startsWith(
        QStringLiteral("Nem találom a mappát: exefiles\rOka: hibás tárhely cím\rHibakód: 550\rEredeti hibaüzenet: (libcurl ")))
        << dialogs.first().toStdString();
    EXPECT_EQ(ftp.currentDir(), QStringLiteral("public_html"));
}

}  // namespace
