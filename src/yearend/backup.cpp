#include "yearend/backup.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <ibase.h>

#include "db/dat.h"
#include "db/db_address.h"
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

// Runs the engine's restore of the opened backup into `address`; empty when
// the engine said nothing (it speaks only on failure), else its words.
QString restoreInto(QFile& file, const QString& address, const FbCredentials& credentials, bool replace,
                    const BackupStep& step) {
    const qint64 total = file.size();
    Service service(address, credentials);
    if (!service.error().isEmpty()) return service.error();
    QByteArray request;
    request.append(char(isc_action_svc_restore));
    appendShortClump(request, isc_spb_bkp_file, QByteArrayLiteral("stdin"));
    appendShortClump(request, isc_spb_dbname, FbServicePath(address));
    appendInt(request, isc_spb_options, replace ? isc_spb_res_replace : isc_spb_res_create);
    if (!service.start(request)) return service.error();

    QByteArray receive;
    receive.append(char(isc_info_svc_stdin));
    receive.append(char(isc_info_svc_line));
    QByteArray send, raw, output;
    qint64 sent = 0;
    for (;;) {
        if (!service.query(send, receive, raw)) return service.error() + u' ' + QString::fromUtf8(output);
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
    return QString::fromUtf8(output).trimmed();
}

// A connection of its own to a database that is being restored; gone with it.
class Probe {
public:
    Probe(const QString& address, const FbCredentials& credentials)
        : m_name(QStringLiteral("visszatoltes_%1").arg(QRandomGenerator::global()->generate64(), 0, 16)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_name);
        const DbAddress parsed = ParseDbAddress(address);
        db.setDatabaseName(NativeDbPath(parsed.path));
        db.setHostName(parsed.server);
        db.setPort(parsed.isRemote() ? 3050 : -1);
        db.setUserName(credentials.user);
        db.setPassword(credentials.password);
        if (!db.open()) m_error = db.lastError().text();
    }
    ~Probe() {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    const QString& error() const { return m_error; }
    // The first column of the first row; -1 when the question fails.
    qlonglong number(const QString& sql) const {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        if (!q.exec(sql) || !q.next()) return -1;
        return q.value(0).toLongLong();
    }

private:
    QString m_name;
    QString m_error;
};

// Empty when the restored database opens, is online (the engine brings it
// online only at the very end of a restore) and has its tables.
QString restoredProblem(const QString& address, const FbCredentials& credentials) {
    const Probe probe(address, credentials);
    if (!probe.error().isEmpty()) return QStringLiteral("a visszatöltött adatbázis nem nyitható meg: ") + probe.error();
    if (probe.number(QStringLiteral("select MON$SHUTDOWN_MODE from MON$DATABASE")) != 0)
        return QStringLiteral("a visszatöltés nem fejeződött be (az adatbázis karbantartási módban maradt)");
    if (probe.number(QStringLiteral("select count(*) from RDB$RELATIONS where coalesce(RDB$SYSTEM_FLAG, 0) = 0")) <= 0)
        return QStringLiteral("a visszatöltött adatbázisban nincsenek táblák");
    return {};
}

// Empty when nobody else is attached to the database to be replaced.
QString notInUseProblem(const QString& address, const FbCredentials& credentials) {
    const Probe probe(address, credentials);
    if (!probe.error().isEmpty())
        return QStringLiteral("A(z) %1 adatbázis nem nyitható meg, így nem látszik, használja-e más, ezért nem cserélhető le.\n"
                              "A Firebird üzenete: %2").arg(address, probe.error());
    const qlonglong others = probe.number(QStringLiteral(
        "select count(*) from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> CURRENT_CONNECTION and coalesce(MON$SYSTEM_FLAG, 0) = 0"));
    if (others != 0)
        return QStringLiteral("A(z) %1 adatbázist más is használja, ezért nem cserélhető le. Mindenki lépjen ki belőle, "
                              "és próbálja újra.").arg(address);
    return {};
}

// The temporary database beside the target: the same folder, a name nobody else uses.
QString temporaryAddress(const DbAddress& target) {
    const qsizetype slash = qMax(target.path.lastIndexOf(u'/'), target.path.lastIndexOf(u'\\'));
    const QString name = QStringLiteral(".%1.visszatoltes-%2")
                             .arg(target.path.mid(slash + 1))
                             .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    const QString path = target.path.left(slash + 1) + name;
    return target.isRemote() ? target.server + u':' + path : path;
}

// Through the engine when it still opens, else as a plain file.
void removeDatabase(const QString& address, const FbCredentials& credentials) {
    if (DropDatabaseFile(address, credentials).isEmpty()) return;
    const DbAddress parsed = ParseDbAddress(address);
    QFile::remove(NativeDbPath(parsed.path));
}

QString alreadyThere(const QString& address) {
    return QStringLiteral("Az adatbázis visszatöltése nem sikerült (%1): ilyen adatbázis már van, és a visszatöltés "
                          "csak kifejezett kérésre írja felül.").arg(address);
}

// The engine's words stay as a detail below the system's own message.
QString restoreFailed(const QString& address, const QString& problem, bool targetLost) {
    QString text = QStringLiteral("Az adatbázis visszatöltése nem sikerült (%1): a mentésből nem készült ép adatbázis.")
                       .arg(address);
    text += targetLost ? QStringLiteral(" A korábbi adatbázis ezen a címen nem maradt meg.")
                       : QStringLiteral(" A(z) %1 helyén lévő adatbázis (ha volt) változatlan maradt.").arg(address);
    return text + QStringLiteral("\nRészletek: ") + problem.trimmed();
}

}  // namespace

QString BackupDatabase(const QString& address, const QString& fbkFile, const FbCredentials& credentials,
                       const BackupOptions& options) {
    const QString what = QStringLiteral("Az adatbázis mentése nem sikerült (%1)").arg(address);
    // Written under a temporary name beside the file and renamed into place
    // only when complete: a failed or killed backup leaves an earlier file
    // of that name as it was. Only the owner may read it: it holds the
    // whole ledger and the users' password hashes.
    QSaveFile file(fbkFile);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return QStringLiteral("A mentés fájlja (%1) nem írható.").arg(fbkFile);
    const auto giveUp = [&](const QString& reason) {
        file.cancelWriting();
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
    if (written == 0) return giveUp(QString());
    if (!file.commit()) return failed(what, QStringLiteral("a mentés fájlja (%1) nem írható").arg(fbkFile));
    return {};
}

QString RestoreDatabase(const QString& fbkFile, const QString& address, const FbCredentials& credentials,
                        bool replace, const BackupStep& step) {
    QFile file(fbkFile);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("A mentés fájlja (%1) nem olvasható.").arg(fbkFile);
    const DbAddress target = ParseDbAddress(address);
    if (!target.isRemote() && !replace && QFileInfo::exists(NativeDbPath(target.path))) return alreadyThere(address);

    // Made under a temporary name beside the target and checked; the target
    // is not touched before the backup has proved whole.
    const QString temporary = temporaryAddress(target);
    QString problem = restoreInto(file, temporary, credentials, false, step);
    if (problem.isEmpty()) problem = restoredProblem(temporary, credentials);
    if (!problem.isEmpty()) {
        removeDatabase(temporary, credentials);
        return restoreFailed(address, problem, false);
    }

    // A folder this workstation sees too (a local file, or a server on this
    // machine or on a shared folder): the checked file is put in place by
    // one rename.
    const QString localTemporary = NativeDbPath(ParseDbAddress(temporary).path);
    if (QFileInfo::exists(localTemporary)) {
        const QString localTarget = NativeDbPath(target.path);
        QString refused;
        if (QFileInfo::exists(localTarget))
            refused = replace ? notInUseProblem(address, credentials) : alreadyThere(address);
        if (refused.isEmpty() && std::rename(QFile::encodeName(localTemporary).constData(),
                                             QFile::encodeName(localTarget).constData()) != 0)
            refused = QStringLiteral("Az új adatbázis nem tehető a(z) %1 helyére: %2")
                          .arg(localTarget, QString::fromLocal8Bit(std::strerror(errno)));
        if (!refused.isEmpty()) removeDatabase(temporary, credentials);
        return refused;
    }

    // Only the server sees its folders and cannot rename: the backup, proved
    // whole, is restored once more under the target's own name.
    bool missing = false;
    TryAttachDatabase(address, credentials, &missing);
    QString refused;
    if (!missing) refused = replace ? notInUseProblem(address, credentials) : alreadyThere(address);
    if (refused.isEmpty()) {
        file.seek(0);
        problem = restoreInto(file, address, credentials, replace, step);
        if (problem.isEmpty()) problem = restoredProblem(address, credentials);
        if (!problem.isEmpty()) {
            if (missing) removeDatabase(address, credentials);
            refused = restoreFailed(address, problem, !missing);
        }
    }
    removeDatabase(temporary, credentials);
    return refused;
}

QString CopyDatabase(const QString& source, const QString& target, const FbCredentials& credentials,
                     const BackupOptions& options) {
    QTemporaryFile work(QDir::tempPath() + QStringLiteral("/tarvedo_copy_XXXXXX.fbk"));
    if (!work.open()) return QStringLiteral("Nem sikerült munkafájlt nyitni a másoláshoz (%1).").arg(QDir::tempPath());
    work.close();
    const QString saved = BackupDatabase(source, work.fileName(), credentials, options);
    if (!saved.isEmpty()) return saved;
    // The copy is a new database nobody uses yet: made in place directly.
    QFile file(work.fileName());
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("A mentés fájlja (%1) nem olvasható.").arg(work.fileName());
    const QString problem = restoreInto(file, target, credentials, true, options.step);
    return problem.isEmpty() ? QString() : failed(QStringLiteral("Az adatbázis visszatöltése nem sikerült (%1)").arg(target), problem);
}

QString ProposedBackupFile() {
    const AppValues& app = Td();
    const QString dir = app.WorkDir.isEmpty() ? QDir::currentPath() + u'/' : app.WorkDir;
    return dir + QStringLiteral("MENTES_%1_%2_%3.fbk")
                     .arg(app.ceg.text(QStringLiteral("KOD")).trimmed(), app.ceg.text(QStringLiteral("AKTUALISEV")).trimmed(),
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hhmmss")));
}
