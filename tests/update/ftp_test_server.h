#pragma once
// A real FTP server for the update tests: pyftpdlib (Debian package
// python3-pyftpdlib) on a free loopback port, serving a temporary folder to
// one user. A faults file lets a test make the server cut a download short
// ("cut": the transfer ends early as if complete) or drop the connection in
// the middle of it ("drop"), after a given number of bytes.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace update_test {

inline const char* const FtpServerScript = R"PY(
import os, sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
import logging
logging.disable(logging.CRITICAL)

root, user, password, faults = sys.argv[1:5]

def fault_for(name):
    try:
        with open(faults) as f:
            for line in f:
                parts = line.split()
                if len(parts) == 3 and parts[0] == name:
                    return parts[1], int(parts[2])
    except OSError:
        pass
    return None

class FaultyFile:
    def __init__(self, fd, mode, limit, handler):
        self.fd, self.mode, self.limit, self.handler, self.sent = fd, mode, limit, handler, 0
    def read(self, n=-1):
        left = self.limit - self.sent
        if left <= 0:
            if self.mode == "drop":
                self.handler.close()
            return b""
        data = self.fd.read(left if n < 0 else min(n, left))
        self.sent += len(data)
        return data
    def __getattr__(self, name):
        return getattr(self.fd, name)

class FaultyFS(AbstractedFS):
    def open(self, filename, mode):
        fd = super().open(filename, mode)
        rule = fault_for(os.path.basename(filename)) if "r" in mode else None
        return FaultyFile(fd, rule[0], rule[1], self.cmd_channel) if rule else fd

class Handler(FTPHandler):
    use_sendfile = False
    abstracted_fs = FaultyFS

authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elradfmwMT")
Handler.authorizer = authorizer
# The server ends with the test that started it, however that ends.
import threading
def watch_parent():
    sys.stdin.read()
    os._exit(0)
threading.Thread(target=watch_parent, daemon=True).start()

server = FTPServer(("127.0.0.1", 0), Handler)
print(server.socket.getsockname()[1], flush=True)
server.serve_forever(timeout=0.2)
)PY";

class FtpTestServer {
public:
    static constexpr const char* User = "frissito";
    static constexpr const char* Password = "Tit0k-jelszo!";

    FtpTestServer() : m_faults(m_state.filePath(QStringLiteral("faults.txt"))) {
        QDir().mkpath(root());
        m_process.setProgram(QStringLiteral("/usr/bin/python3"));
        m_process.setArguments({QStringLiteral("-c"), QString::fromUtf8(FtpServerScript), root(),
                                QString::fromLatin1(User), QString::fromLatin1(Password), m_faults});
        m_process.start();
        QByteArray line;
        while (!line.contains('\n') && m_process.state() != QProcess::NotRunning && m_process.waitForReadyRead(20000))
            line += m_process.readAllStandardOutput();
        m_port = line.trimmed().toInt();
        if (m_port <= 0) {
            m_error = QString::fromUtf8(m_process.readAllStandardError());
            if (m_error.isEmpty()) m_error = QStringLiteral("the FTP server did not start");
        }
    }
    ~FtpTestServer() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool running() const { return m_port > 0; }
    QString error() const { return m_error; }
    int port() const { return m_port; }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QString root() const { return m_state.filePath(QStringLiteral("root")); }
    QString path(const QString& remote) const { return root() + QLatin1Char('/') + remote; }

    // A fresh, empty server folder tree.
    void clear() {
        QDir(root()).removeRecursively();
        QDir().mkpath(root());
        QFile::remove(m_faults);
    }
    void put(const QString& remote, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(path(remote)).absolutePath());
        QFile file(path(remote));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString& remote) const {
        QFile file(path(remote));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // mode "cut" or "drop"; the file is named without its folder.
    void setFault(const QString& name, const char* mode, qint64 afterBytes) const {
        QFile file(m_faults);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
        file.write(QStringLiteral("%1 %2 %3\n").arg(name, QLatin1String(mode)).arg(afterBytes).toUtf8());
    }

private:
    QTemporaryDir m_state;
    QString m_faults;
    QProcess m_process;
    int m_port = 0;
    QString m_error;
};

// Tests sharing one server; each starts with an empty server folder.
class SharedFtpServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new FtpTestServer; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(server->running()) << server->error().toStdString();
        server->clear();
    }
    static inline FtpTestServer* server = nullptr;
};

}  // namespace update_test
