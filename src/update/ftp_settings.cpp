#include "update/ftp_settings.h"

#include <QSqlQuery>
#include <QThread>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/text_scramble.h"

namespace {

// A scrambled value is twice the text's UTF-8 bytes; the columns hold 250.
constexpr int MaxValueBytes = 125;

// How often a write that met another workstation's change is tried again.
constexpr int ConflictRetries = 5;

}  // namespace

bool ReadInstallationRecord(Installation& installation, QString& error) {
    try {
        QSqlQuery q_szisztem = ExecSql(d_tarvedosys, QStringLiteral("Select * from SZISZTEM"));
        if (!NextRow(q_szisztem)) {
            error = QStringLiteral("A rendszer adatbázisban nincs telepítési adat (SZISZTEM).");
            return false;
        }
        installation.kod = q_szisztem.value(QStringLiteral("KOD")).toString();
        installation.nev = q_szisztem.value(QStringLiteral("NEV")).toString();
        installation.server.host = UnscrambleText(q_szisztem.value(QStringLiteral("FTPHOST")).toString());
        installation.server.user = UnscrambleText(q_szisztem.value(QStringLiteral("FTPUSERID")).toString());
        installation.server.password = UnscrambleText(q_szisztem.value(QStringLiteral("FTPPWDID")).toString());
    } catch (const DbError& e) {
        error = e.message();
        return false;
    }
    return true;
}

QString FtpSettingsProblem(const UpdateServer& server) {
    const QString host = server.host.trimmed();
    if (host.isEmpty()) return QStringLiteral("Adja meg a frissítések tárhelyének címét.");
    if (host.contains(QLatin1Char(' ')) || host.contains(QLatin1Char('\t')))
        return QStringLiteral("A tárhely címében nem lehet szóköz: %1").arg(host);
    const struct {
        QString value, what;
    } values[] = {{host, QStringLiteral("A tárhely címe")},
                  {server.user, QStringLiteral("A felhasználónév")},
                  {server.password, QStringLiteral("A jelszó")}};
    for (const auto& v : values)
        if (v.value.toUtf8().size() > MaxValueBytes)
            return QStringLiteral("%1 túl hosszú (legfeljebb %2 bájt).").arg(v.what).arg(MaxValueBytes);
    for (const auto& v : values)
        for (const QChar c : v.value)
            if (c.category() == QChar::Other_Control)
                return QStringLiteral("%1 vezérlőkaraktert tartalmaz.").arg(v.what);
    return {};
}

QString StoreFtpSettings(const UpdateServer& server) {
    if (const QString problem = FtpSettingsProblem(server); !problem.isEmpty()) return problem;
    const QVariantMap values{{QStringLiteral("HOST"), ScrambleText(server.host.trimmed())},
                             {QStringLiteral("USR"), ScrambleText(server.user)},
                             {QStringLiteral("PWD"), ScrambleText(server.password)}};
    for (int attempt = 0;; ++attempt) {
        try {
            // One statement, committed on its own: the record is never half-written.
            QSqlQuery update = ExecSql(d_tarvedosys,
                                       QStringLiteral("update SZISZTEM set FTPHOST = :HOST, FTPUSERID = :USR, FTPPWDID = :PWD"),
                                       values);
            if (update.numRowsAffected() <= 0)
                return QStringLiteral("A rendszer adatbázisban nincs telepítési adat (SZISZTEM).");
            return {};
        } catch (const DbError& e) {
            if (!e.isLockConflict() || attempt >= ConflictRetries)
                return QStringLiteral("Az FTP beállítások nem tárolhatók: ") + e.message();
            QThread::msleep(200 * (attempt + 1));
        }
    }
}
