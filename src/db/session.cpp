#include "session.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "db/catalog.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/ini.h"

namespace {
QString setting(const QString& key) {
    QString value;
    IniGet(key, value);
    return value;
}
}  // namespace

SessionResult OpenWorkingDirectory(const QString& dir) {
    SessionResult result;
    if (!QDir(dir).exists() || !QDir::setCurrent(dir)) {
        result.error = QStringLiteral("A munkakönyvtár (%1) nem található.").arg(dir);
        return result;
    }
    AppValues& app = Td();
    app.WorkDir = QDir::currentPath() + QLatin1Char('/');
    IniLoad(QStringLiteral("TARVEDO.INI"), false);
    app.DbServer = setting(QStringLiteral("DBSERVER"));
    app.DbSystem = setting(QStringLiteral("DBSYSTEM"));
    app.PwdSetting = setting(QStringLiteral("PWD"));
    app.CurrentUser = QStringLiteral("KARDO");

    if (!DbConnect(d_tarvedosys, app.DbSystem)) {
        result.error = QStringLiteral("Hiba történt a ") + app.DbSystem
            + QStringLiteral(" rendszer adatbázisra csatlakozás közben.");
        return result;
    }
    if (!DbConnect(d_tarvedo, app.DbServer)) {
        result.error = QStringLiteral("Hiba történt a ") + app.DbServer + QStringLiteral(" adatbázisra csatlakozás közben.");
        return result;
    }
    DbConnect(d_tarvedo2, app.DbServer);  // the services follow it, as at start

    try {
        QSqlQuery system = ExecSql(d_tarvedosys, QStringLiteral("Select * from SZISZTEM"));
        if (NextRow(system)) {
            app.SystemKod = system.value(QStringLiteral("KOD")).toString();
            app.SystemNev = system.value(QStringLiteral("NEV")).toString();
        }
    } catch (const DbError& error) {
        result.error = error.message();
        return result;
    }

    const QString defaultCeg = setting(QStringLiteral("DEFAULTCEG"));
    const QString defaultEv = setting(QStringLiteral("DEFAULTEV"));
    if (app.ceg.rows.size() > 1 && !app.ceg.moveTo(defaultCeg, defaultEv)) {
        result.error = QStringLiteral("A TARVEDO.INI DEFAULTCEG=%1, DEFAULTEV=%2 cége nincs az adatbázisban.")
                           .arg(defaultCeg, defaultEv);
        return result;
    }
    RecordRateColumn();
    result.ok = true;
    return result;
}

void RecordRateColumn() {
    int length = 0;
    bool notNull = false;
    QString typeName;
    IniSet(QStringLiteral("VANARFOLYAM"),
           IbFieldInfo(QStringLiteral("TETEL"), QStringLiteral("ARFOLYAM"), length, notNull, typeName)
               ? QStringLiteral("I")
               : QStringLiteral("N"));
}

void CloseSession() {
    for (const QString& name : {d_tarvedo, d_tarvedo2, d_tarvedosys}) DbDisconnect(name);
}
