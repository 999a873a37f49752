#include "ftp_transfer.h"

#include <QFile>
#include <QSaveFile>
#include <curl/curl.h>
#include <mutex>

#include "db/ui_hooks.h"

namespace {

const QString CR = QStringLiteral("\r");

// A dead server or a stalled line ends with an error instead of freezing the
// program: no answer to a connect within 30 seconds, or less than one byte a
// second for a minute.
constexpr long ConnectTimeoutSeconds = 30;
constexpr long ResponseTimeoutSeconds = 60;
constexpr long StallSeconds = 60;

CURL* handle(void* curl) { return static_cast<CURL*>(curl); }

QString escaped(CURL* curl, const QString& segment) {
    const QByteArray utf8 = segment.toUtf8();
    char* out = curl_easy_escape(curl, utf8.constData(), int(utf8.size()));
    const QString text = QString::fromUtf8(out);
    curl_free(out);
    return text;
}

// The folder path split into segments, "." dropped and ".." going up.
void applyPath(QStringList& segments, const QString& path) {
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".")) continue;
        if (part == QLatin1String("..")) {
            if (!segments.isEmpty()) segments.removeLast();
            continue;
        }
        segments.append(part);
    }
}

// The server address as messages show it: credentials an address may carry
// ("user:password@host") are left out.
QString shownHost(const QString& host) {
    QString shown = host.trimmed();
    const qsizetype scheme = shown.indexOf(QLatin1String("://"));
    const qsizetype start = scheme < 0 ? 0 : scheme + 3;
    const qsizetype at = shown.lastIndexOf(QLatin1Char('@'));
    if (at >= start) shown.remove(start, at + 1 - start);
    return shown;
}

}  // namespace

struct FtpClient::Transfer {
    enum Kind { Probe, Download, Upload } kind = Probe;
    QSaveFile* out = nullptr;
    QFile* in = nullptr;
    qint64 bytes = 0;
    bool localWriteFailed = false;
    const std::function<void(qint64, qint64)>* progress = nullptr;

    static size_t write(char* data, size_t size, size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        const qint64 length = qint64(size * count);
        if (t->out->write(data, length) != length) {
            t->localWriteFailed = true;
            return 0;  // makes libcurl stop with a write error
        }
        t->bytes += length;
        return size_t(length);
    }
    static size_t read(char* buffer, size_t size, size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        const qint64 got = t->in->read(buffer, qint64(size * count));
        if (got < 0) return CURL_READFUNC_ABORT;
        t->bytes += got;
        return size_t(got);
    }
    static int progressed(void* self, curl_off_t downTotal, curl_off_t downNow, curl_off_t upTotal, curl_off_t upNow) {
        auto* t = static_cast<Transfer*>(self);
        if (t->progress && *t->progress) {
            if (t->kind == Upload)
                (*t->progress)(upNow, upTotal);
            else if (t->kind == Download)
                (*t->progress)(downNow, downTotal);
        }
        return 0;
    }
};

FtpClient::FtpClient() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

FtpClient::~FtpClient() { FtpDisconnect(); }

QString FtpClient::baseUrl() const {
    QString host = whost.trimmed();
    while (host.endsWith(QLatin1Char('/'))) host.chop(1);
    return host.contains(QLatin1String("://")) ? host : QStringLiteral("ftp://") + host;
}

QString FtpClient::dirUrl(const QStringList& segments, bool absolute) const {
    QString url = baseUrl() + QLatin1Char('/');
    // "%2F" makes libcurl start from the server's root instead of the login folder.
    if (absolute) url += QStringLiteral("%2F");
    for (const QString& segment : segments) url += escaped(handle(m_curl), segment) + QLatin1Char('/');
    return url;
}

QString FtpClient::currentDir() const {
    return (m_absolute ? QStringLiteral("/") : QString()) + m_dir.join(QLatin1Char('/'));
}

void FtpClient::fail(long code, const QString& text) {
    m_lastCode = code;
    m_lastError = text;
}

QString FtpClient::fileUrl(const QString& remoteName) const {
    return dirUrl(m_dir, m_absolute) + escaped(handle(m_curl), remoteName);
}

long FtpClient::serverReply() const {
    long reply = 0;
    curl_easy_getinfo(handle(m_curl), CURLINFO_RESPONSE_CODE, &reply);
    return reply;
}

int FtpClient::transferFailed(int curlCode, const QString& text) {
    const long reply = serverReply();
    fail(reply >= 400 ? reply : long(curlCode), text.isEmpty() ? originalError(curlCode) : text);
    return -1;
}

QString FtpClient::originalError(int curlCode) const {
    const QString detail = m_errorBuffer[0] ? QString::fromUtf8(m_errorBuffer)
                                            : QString::fromUtf8(curl_easy_strerror(CURLcode(curlCode)));
    return QStringLiteral("(libcurl %1) ").arg(curlCode) + detail;
}

int FtpClient::perform(const QString& url, Transfer& transfer) {
    if (!m_curl) m_curl = curl_easy_init();
    CURL* curl = handle(m_curl);
    m_errorBuffer[0] = 0;
    const QByteArray urlBytes = url.toUtf8();
    const QByteArray user = wusername.toUtf8();
    const QByteArray password = wpasssword.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_errorBuffer);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROXY, "");          // no proxy, whatever the environment says
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);   // binary (TYPE I)
    curl_easy_setopt(curl, CURLOPT_FTPPORT, nullptr);   // passive mode
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_MULTICWD));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, ConnectTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, ResponseTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, StallSeconds);
    curl_easy_setopt(curl, CURLOPT_NOBODY, transfer.kind == Transfer::Probe ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, transfer.kind == Transfer::Upload ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Transfer::write);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, &Transfer::read);
    curl_easy_setopt(curl, CURLOPT_READDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Transfer::progressed);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    if (transfer.kind == Transfer::Upload)
        curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(transfer.in->size()));
    transfer.progress = &onProgress;
    const CURLcode result = curl_easy_perform(curl);
    // libcurl keeps pointers to these; none may outlive the call.
    curl_easy_setopt(curl, CURLOPT_USERNAME, nullptr);
    curl_easy_setopt(curl, CURLOPT_PASSWORD, nullptr);
    return int(result);
}

int FtpClient::FtpConnect() {
    if (m_connected) return 0;
    Transfer probe;
    const int result = perform(baseUrl() + QLatin1Char('/'), probe);
    if (result == CURLE_OK) {
        m_connected = true;
        m_dir.clear();
        m_absolute = false;
        whiba.clear();
        return 0;
    }
    long code = -1;
    if (result == CURLE_LOGIN_DENIED) {
        whiba = QStringLiteral("hibás felhasználónév/jelszó");
        code = serverReply();
    } else if (result == CURLE_COULDNT_RESOLVE_HOST || result == CURLE_COULDNT_CONNECT
               || result == CURLE_OPERATION_TIMEDOUT || result == CURLE_URL_MALFORMAT) {
        whiba = QStringLiteral("hibás tárhely cím");
        curl_easy_getinfo(handle(m_curl), CURLINFO_OS_ERRNO, &code);
        if (code == 0) code = result;
    } else {
        whiba = QStringLiteral("nem azonosítható kapcsolódási hiba");
    }
    fail(code, originalError(result));
    AskDialog(QStringLiteral("Nem tudok kapcsolódni a tárhelyhez:") + QLatin1Char(' ') + shownHost(whost) + CR
                  + QStringLiteral("Oka:") + QLatin1Char(' ') + whiba + CR + QStringLiteral("Hibakód:")
                  + QLatin1Char(' ') + QString::number(code) + CR + QStringLiteral("Eredeti hibaüzenet:") + QLatin1Char(' ')
                  + m_lastError,
              2);
    FtpDisconnect();
    return code == 0 ? -1 : int(code);
}

int FtpClient::FtpChangeDir(const QString& path) {
    QStringList segments = path.startsWith(QLatin1Char('/')) ? QStringList() : m_dir;
    const bool absolute = path.startsWith(QLatin1Char('/')) || m_absolute;
    applyPath(segments, path);
    QString reason = QStringLiteral("nem azonosítható hiba");
    long code = -1;
    if (m_connected) {
        Transfer probe;
        const int result = perform(dirUrl(segments, absolute), probe);
        if (result == CURLE_OK) {
            m_dir = segments;
            m_absolute = absolute;
            return 0;
        }
        const long reply = serverReply();
        if (reply >= 400) {
            reason = QStringLiteral("hibás tárhely cím");
            code = reply;
        }
        fail(code, originalError(result));
    } else {
        fail(code, QStringLiteral("nincs kapcsolat a tárhellyel"));
    }
    AskDialog(QStringLiteral("Nem találom a mappát:") + QLatin1Char(' ') + path + CR + QStringLiteral("Oka:")
                  + QLatin1Char(' ') + reason + CR + QStringLiteral("Hibakód:") + QLatin1Char(' ') + QString::number(code)
                  + CR + QStringLiteral("Eredeti hibaüzenet:") + QLatin1Char(' ') + m_lastError,
              2);
    return -1;
}

int FtpClient::FtpGet(const QString& remoteName, const QString& localName) {
    if (!m_connected) {
        fail(-1, QStringLiteral("nincs kapcsolat a tárhellyel"));
        return -1;
    }
    QSaveFile out(localName);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) {
        fail(-1, QStringLiteral("nem írható: ") + localName + QStringLiteral(" (") + out.errorString() + QLatin1Char(')'));
        return -1;
    }
    Transfer download;
    download.kind = Transfer::Download;
    download.out = &out;
    const int result = perform(fileUrl(remoteName), download);
    if (result != CURLE_OK) {
        const QString notWritable = QStringLiteral("nem írható: ") + localName + QStringLiteral(" (") + out.errorString() + QLatin1Char(')');
        out.cancelWriting();
        return transferFailed(result, download.localWriteFailed ? notWritable : QString());
    }
    // The size the server announced must have arrived, not a byte less or more.
    curl_off_t announced = -1;
    curl_easy_getinfo(handle(m_curl), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    if (announced >= 0 && announced != download.bytes) {
        fail(CURLE_PARTIAL_FILE, QStringLiteral("a fájlból %1 bájt érkezett a bejelentett %2 helyett")
                                     .arg(download.bytes)
                                     .arg(qint64(announced)));
        out.cancelWriting();
        return -1;
    }
    if (!out.commit()) {
        fail(-1, QStringLiteral("nem írható: ") + localName + QStringLiteral(" (") + out.errorString() + QLatin1Char(')'));
        return -1;
    }
    return 0;
}

int FtpClient::FtpPut(const QString& localName, const QString& remoteName) {
    if (!m_connected) {
        fail(-1, QStringLiteral("nincs kapcsolat a tárhellyel"));
        return -1;
    }
    QFile in(localName);
    if (!in.open(QIODevice::ReadOnly)) {
        fail(-1, QStringLiteral("nem olvasható: ") + localName);
        return -1;
    }
    Transfer upload;
    upload.kind = Transfer::Upload;
    upload.in = &in;
    const int result = perform(fileUrl(remoteName), upload);
    return result == CURLE_OK ? 0 : transferFailed(result);
}

void FtpClient::FtpDisconnect() {
    if (m_curl) curl_easy_cleanup(handle(m_curl));  // says QUIT to a server still connected
    m_curl = nullptr;
    m_connected = false;
    m_dir.clear();
    m_absolute = false;
}
