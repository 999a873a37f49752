#pragma once
// The file transfer of the program update: one FTP session with the
// installation's update server (passive mode, binary transfers) through
// libcurl. The session keeps its remote folder; every download lands in a
// temporary file beside the local name and replaces it only when it arrived
// complete, so a broken connection never leaves a partial file behind.
//
// The password is handed to libcurl as an option, never inside a URL, and no
// message or error text of this class contains it.
#include <QString>
#include <QStringList>
#include <functional>

class FtpClient {
public:
    FtpClient();
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    // Server address ("ftp.example.hu", "host:2121" or a full "ftp://",
    // "ftps://" URL), user and password.
    QString whost, wusername, wpasssword;
    // Reason of the last connection error ("hibás felhasználónév/jelszó", ...).
    QString whiba;
    // Called while a file travels: bytes so far and the announced total (0
    // when unknown).
    std::function<void(qint64 done, qint64 total)> onProgress;

    // Connects and logs in. 0 when connected (or already connected),
    // otherwise the error code, after showing the error.
    int FtpConnect();
    // Changes the remote folder (relative to the current one, or absolute
    // when it starts with "/"). 0 or -1, showing the error.
    int FtpChangeDir(const QString& path);
    // Downloads `remoteName` of the current folder into `localName`,
    // replacing it only when the whole file arrived. 0 or -1 (also when not
    // connected); the error is left in lastCode()/lastError().
    int FtpGet(const QString& remoteName, const QString& localName);
    // Uploads `localName` as `remoteName` into the current folder, replacing
    // the remote file. 0 or -1.
    int FtpPut(const QString& localName, const QString& remoteName);
    void FtpDisconnect();

    bool connected() const { return m_connected; }
    // The remote folder as the server's path below the login folder.
    QString currentDir() const;
    // Of the last failed operation: the server's reply code when it answered
    // with an error, otherwise libcurl's error number; and its text.
    long lastCode() const { return m_lastCode; }
    QString lastError() const { return m_lastError; }

private:
    struct Transfer;
    int perform(const QString& url, Transfer& transfer);
    QString baseUrl() const;
    QString dirUrl(const QStringList& segments, bool absolute) const;
    QString fileUrl(const QString& remoteName) const;  // in the current folder
    long serverReply() const;                          // the last reply code of the server
    // Records a failed transfer (the server's error reply, else libcurl's
    // error) with `text` or libcurl's message; returns -1.
    int transferFailed(int curlCode, const QString& text = {});
    QString originalError(int curlCode) const;
    void fail(long code, const QString& text);

    void* m_curl = nullptr;  // CURL*, made on the first use
    bool m_connected = false;
    QStringList m_dir;         // folder segments below the login folder (or below "/")
    bool m_absolute = false;   // m_dir starts at the server's root
    long m_lastCode = 0;
    QString m_lastError;
    char m_errorBuffer[256] = {};
};
