#include "password.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include "db/dat.h"
#include "db/ini.h"
#include "db/password_hash.h"

namespace {

struct UserRow {
    QString kod, nev, jelszo, aktiv, jogok;
};

QList<UserRow> rowsOfName(const QString& name, bool caseSensitive) {
    // q_sz_juzer: the password is no longer compared in the statement, since
    // the column holds its hash.
    const QString sql = caseSensitive ? QStringLiteral("select *\n  from SZ_JUZER\n Where nev = :nev")
                                      : QStringLiteral("select *\n  from SZ_JUZER\n Where Upper(nev) = :nev");
    QSqlQuery query = ExecSql(ServicesConnection(), sql,
                              {{QStringLiteral("nev"), caseSensitive ? name : name.toUpper()}});
    QList<UserRow> rows;
    while (NextRow(query)) {
        rows.append({query.value(QStringLiteral("KOD")).toString(), query.value(QStringLiteral("NEV")).toString(),
                     query.value(QStringLiteral("JELSZO")).toString(), query.value(QStringLiteral("AKTIV")).toString(),
                     query.value(QStringLiteral("JOGOK")).toString()});
    }
    return rows;
}

bool passwordFits(const QString& typed, const QString& stored, bool caseSensitive) {
    if (caseSensitive) return PasswordMatches(typed, stored);
    if (!IsPasswordHash(stored)) return typed.toUpper() == stored.toUpper();
    // A hash cannot be upper-cased: the typed text as it is, or in upper
    // case as the change of password stores it.
    return PasswordMatches(typed, stored) || PasswordMatches(typed.toUpper(), stored);
}

void replaceByHash(const UserRow& row, const QString& password) {
    ExecSql(ServicesConnection(),
            QStringLiteral("update SZ_JUZER set JELSZO = :ujjelszo where KOD = :kod and JELSZO = :jelszo"),
            {{QStringLiteral("ujjelszo"), HashPassword(password)},
             {QStringLiteral("kod"), row.kod},
             {QStringLiteral("jelszo"), row.jelszo}});
}

}  // namespace

LoginCheck CheckLogin(const QString& name, const QString& password, bool caseSensitive) {
    QList<UserRow> matching;
    for (const UserRow& row : rowsOfName(name, caseSensitive))
        if (passwordFits(password, row.jelszo, caseSensitive)) matching.append(row);

    LoginCheck result;
    if (matching.isEmpty()) {
        result.error = QStringLiteral("Érvénytelen belépési név vagy jelszó");
        return result;
    }
    if (matching.size() > 1) {
        result.error = QStringLiteral("Több azonos nevű felhasználó! Értesítse az illetékest!");
        return result;
    }
    const UserRow& row = matching.first();
    if (row.aktiv.toUpper() != QLatin1String("I")) {
        result.error = QStringLiteral("A felhasználó nem aktív");
        return result;
    }
    // An empty password is no password: it is not made a hash, so that the
    // user is asked for a real one at every login until it is set.
    result.mustSetPassword = password.isEmpty() && (row.jelszo.trimmed().isEmpty() || PasswordMatches({}, row.jelszo));
    if (!result.mustSetPassword && !IsPasswordHash(row.jelszo)) replaceByHash(row, password);
    result.nev = row.nev.trimmed();
    result.jogok = row.jogok.trimmed();
    result.kod = row.kod;
    return result;
}

void AcceptLogin(const LoginCheck& login, const QString& typedName) {
    Td().CurrentUserKod = login.kod;
    // The user's name marks the counters it holds and heads its error files.
    Td().CurrentUser = login.nev;
    WriteLastUser(typedName);
}

bool LastUserName(QString& name) {
    IniLoad(LastUserFile, true);
    return IniGet(QStringLiteral("USERNAME"), name) >= 0;
}

bool WriteLastUser(const QString& typedName) {
    return WriteSettingsLines(LastUserFile, {QStringLiteral("USERNAME=") + typedName}, true);
}

QString NewPasswordError(const QString& oldPassword, const QString& newPassword, const QString& newPassword2) {
    if (newPassword.trimmed().isEmpty() || newPassword2.trimmed().isEmpty())
        return QStringLiteral("Mindkét új jelszó mezőt ki kell tölteni.");
    if (newPassword != newPassword2) return QStringLiteral("A két új jelszó nem egyezik.");
    if (newPassword == oldPassword) return QStringLiteral("A régi és az új jelszó ugyanaz.");
    return {};
}

int ChangePassword(const QString& name, const QString& oldPassword, const QString& newPassword) {
    int changed = 0;
    for (const UserRow& row : rowsOfName(name, true)) {
        if (!PasswordMatches(oldPassword, row.jelszo)) continue;
        QSqlQuery update = ExecSql(
            ServicesConnection(),
            QStringLiteral("update SZ_JUZER\n   set jelszo = :ujjelszo\n Where KOD = :kod\n   and jelszo= :jelszo"),
            {{QStringLiteral("ujjelszo"), HashPassword(newPassword)},
             {QStringLiteral("kod"), row.kod},
             {QStringLiteral("jelszo"), row.jelszo}});
        changed += update.numRowsAffected();
    }
    return changed;
}

QString SetFirstPassword(const QString& kod, const QString& newPassword, const QString& newPassword2) {
    const QString error = NewPasswordError({}, newPassword, newPassword2);
    if (!error.isEmpty()) return error;
    const int changed = ExecSql(ServicesConnection(),
                                QStringLiteral("update SZ_JUZER set JELSZO = :ujjelszo where KOD = :kod"),
                                {{QStringLiteral("ujjelszo"), HashPassword(newPassword)}, {QStringLiteral("kod"), kod}})
                            .numRowsAffected();
    return changed > 0 ? QString() : QStringLiteral("Nem sikerült a módosítás");
}
