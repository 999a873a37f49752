#include "yearend/backup.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <ibase.h>

#include "db/dat.h"
#include "db/fb_admin.h"
#include "db/fb_status.h"

namespace {

// Chunks of the stream travel in clumps with a two-byte length.
constexpr int MaxClump = 32000;

void appendShortClump(QByteArray& buffer, char tag, const QByteArray& value) {
    buffer.append(tag);
    const quint16 length = quint16(value.size());
    buffer.append(char(length & 0xff));
    buffer.append(char(length >> 8));
    buffer.append(value);
}

void appendByteClump(QByteArray& buffer, char tag, const QByteArray& value) {
    buffer.append(tag);
    buffer.append(char(value.size()));
    buffer.append(value);
}

void appendInt(QByteArray& buffer, char tag, quint32 value) {
    buffer.append(tag);
    for (int i = 0; i < 4; ++i) buffer.append(char((value >> (8 * i)) & 0xff));
}

quint32 readInt(const char* p, int bytes) {
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i) value |= quint32(quint8(p[i])) << (8 * i);
    return value;
}

// One attachment to a services manager, detached when it goes.
class Service {
public:
    Service(const QString& address, const FbCredentials& credentials) {
        QByteArray spb;
        spb.append(char(isc_spb_version));
        spb.append(char(isc_spb_current_version));
        appendByteClump(spb, isc_spb_user_name, credentials.user.toUtf8());
        appendByteClump(spb, isc_spb_password, credentials.password.toUtf8());
        const QByteArray name = FbServiceManagerAddress(address);
        ISC_STATUS_ARRAY status{};
        isc_service_attach(status, 0, name.constData(), &m_handle, short(spb.size()), spb.constData());
        if (FbFailed(status)) m_error = FbStatusText(status);
    }
    ~Service() {
        if (!m_handle) return;
        ISC_STATUS_ARRAY status{};
        isc_service_detach(status, &m_handle);
    }
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    const QString& error() const { return m_error; }

    bool start(const QByteArray& request) {
        ISC_STATUS_ARRAY status{};
        isc_service_start(status, &m_handle, nullptr, short(request.size()), request.constData());
        if (FbFailed(status)) m_error = FbStatusText(status);
        return m_error.isEmpty();
    }

    // One query; the answer lands in `answer`. False on an error.
    bool query(const QByteArray& send, const QByteArray& receive, QByteArray& answer) {
        answer.fill(0, 65000);
        ISC_STATUS_ARRAY status{};
        isc_service_query(status, &m_handle, nullptr, short(send.size()), send.constData(), short(receive.size()),
                          receive.constData(), short(answer.size()), answer.data());
        if (FbFailed(status)) m_error = FbStatusText(status);
        return m_error.isEmpty();
    }

private:
    isc_svc_handle m_handle = 0;
    QString m_error;
};

// What one answer of the services manager holds.
struct Answer {
    QByteArray data;        // the stream (backup) or the output text (restore)
    quint32 stdinWanted = 0;
    bool notReady = false;  // the service is working, nothing to say yet
    bool truncated = false; // more is waiting
};

Answer parse(const QByteArray& answer) {
    Answer result;
    const char* p = answer.constData();
    const char* end = p + answer.size();
    while (p < end) {
        const char tag = *p++;
        switch (tag) {
        case isc_info_svc_to_eof:
        case isc_info_svc_line: {
            const int length = int(readInt(p, 2));
            p += 2;
            result.data.append(p, length);
            p += length;
            break;
        }
        case isc_info_svc_stdin:
            result.stdinWanted = readInt(p, 4);
            p += 4;
            break;
        case isc_info_data_not_ready: result.notReady = true; break;
        case isc_info_truncated: result.truncated = true; break;
        case isc_info_end:
        default: return result;
        }
    }
    return result;
}

QString failed(const QString& what, const QString& reason) {
    return what + (reason.trimmed().isEmpty() ? QString() : QStringLiteral(": ") + reason.trimmed());
}

}  // namespace

QString BackupDatabase(const QString& address, const QString& fbkFile, const FbCredentials& credentials,
                       const BackupOptions& options) {
    const QString what = QStringLiteral("Az adatbázis mentése nem sikerült (%1)").arg(address);
    QFile file(fbkFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("A mentés fájlja (%1) nem írható.").arg(fbkFile);
    const auto giveUp = [&](const QString& reason) {
        file.close();
        file.remove();
        return failed(what, reason);
    };

    Service service(address, credentials);
    if (!service.error().isEmpty()) return giveUp(service.error());
    QByteArray request;
    request.append(char(isc_action_svc_backup));
    appendShortClump(request, isc_spb_dbname, FbServicePath(address));
    appendShortClump(request, isc_spb_bkp_file, QByteArrayLiteral("stdout"));
    if (!options.skipData.isEmpty()) appendShortClump(request, isc_spb_bkp_skip_data, options.skipData.toUtf8());
    if (!service.start(request)) return giveUp(service.error());

    const QByteArray receive(1, char(isc_info_svc_to_eof));
    QByteArray raw;
    qint64 written = 0;
    for (;;) {
        if (!service.query({}, receive, raw)) return giveUp(service.error());
        const Answer answer = parse(raw);
        if (!answer.data.isEmpty()) {
            if (file.write(answer.data) != answer.data.size())
                return giveUp(QStringLiteral("a mentés fájlja (%1) nem írható").arg(fbkFile));
            written += answer.data.size();
            if (options.step) options.step(written, 0);
            continue;
        }
        if (answer.notReady || answer.truncated) continue;
        break;  // the stream is complete
    }
    if (!file.flush() || written == 0) return giveUp(QString());
    file.close();
    return {};
}

QString RestoreDatabase(const QString& fbkFile, const QString& address, const FbCredentials& credentials,
                        bool replace, const BackupStep& step) {
    const QString what = QStringLiteral("Az adatbázis visszatöltése nem sikerült (%1)").arg(address);
    QFile file(fbkFile);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("A mentés fájlja (%1) nem olvasható.").arg(fbkFile);
    const qint64 total = file.size();

    Service service(address, credentials);
    if (!service.error().isEmpty()) return failed(what, service.error());
    QByteArray request;
    request.append(char(isc_action_svc_restore));
    appendShortClump(request, isc_spb_bkp_file, QByteArrayLiteral("stdin"));
    appendShortClump(request, isc_spb_dbname, FbServicePath(address));
    appendInt(request, isc_spb_options, replace ? isc_spb_res_replace : isc_spb_res_create);
    if (!service.start(request)) return failed(what, service.error());

    QByteArray receive;
    receive.append(char(isc_info_svc_stdin));
    receive.append(char(isc_info_svc_line));
    QByteArray send, raw, output;
    qint64 sent = 0;
    for (;;) {
        if (!service.query(send, receive, raw)) return failed(what, service.error() + u' ' + QString::fromUtf8(output));
        send.clear();
        const Answer answer = parse(raw);
        output.append(answer.data);
        if (answer.stdinWanted > 0) {
            const QByteArray chunk = file.read(qMin<qint64>(answer.stdinWanted, MaxClump));
            // An empty clump tells the engine the file has ended.
            appendShortClump(send, isc_info_svc_line, chunk);
            sent += chunk.size();
            if (step) step(sent, total);
            continue;
        }
        if (!answer.data.isEmpty() || answer.notReady || answer.truncated) continue;
        break;
    }
    // Without the verbose switch the engine says something only on failure.
    if (!output.trimmed().isEmpty()) return failed(what, QString::fromUtf8(output));
    return {};
}

QString CopyDatabase(const QString& source, const QString& target, const FbCredentials& credentials,
                     const BackupOptions& options) {
    QTemporaryFile work(QDir::tempPath() + QStringLiteral("/tarvedo_copy_XXXXXX.fbk"));
    if (!work.open()) return QStringLiteral("Nem sikerült munkafájlt nyitni a másoláshoz (%1).").arg(QDir::tempPath());
    work.close();
    const QString saved = BackupDatabase(source, work.fileName(), credentials, options);
    if (!saved.isEmpty()) return saved;
    return RestoreDatabase(work.fileName(), target, credentials, true, options.step);
}

QString ProposedBackupFile() {
    const AppValues& app = Td();
    const QString dir = app.WorkDir.isEmpty() ? QDir::currentPath() + u'/' : app.WorkDir;
    return dir + QStringLiteral("MENTES_%1_%2_%3.fbk")
                     .arg(app.ceg.text(QStringLiteral("KOD")).trimmed(), app.ceg.text(QStringLiteral("AKTUALISEV")).trimmed(),
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hhmmss")));
}
