#include "yearend/same_database.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QSysInfo>

#include "db/dat.h"
#include "db/db_address.h"

namespace {

// A server on this machine reads the same files as the embedded engine.
bool isThisMachine(const QString& server) {
    const QString name = server.trimmed().toLower();
    return name.isEmpty() || name == QLatin1String("localhost") || name == QLatin1String("127.0.0.1") ||
           name == QLatin1String("::1") || name == QSysInfo::machineHostName().toLower();
}

QString canonicalLocalFile(const QString& address) {
    const DbAddress parsed = ParseDbAddress(address.trimmed());
    if (!isThisMachine(parsed.server)) return {};
    return QFileInfo(NativeDbPath(parsed.path)).canonicalFilePath();
}

// The database file as the engine names it and the moment it was created.
QString fileAndCreation(const QString& connection) {
    QSqlQuery q = ExecSql(connection, QStringLiteral("select MON$DATABASE_NAME, cast(MON$CREATION_DATE as varchar(30)) "
                                                     "from MON$DATABASE"));
    if (!NextRow(q)) return {};
    return q.value(0).toString().trimmed() + u'|' + q.value(1).toString();
}

}  // namespace

bool SameDatabaseFile(const QString& addressA, const QString& addressB) {
    const QString a = canonicalLocalFile(addressA);
    return !a.isEmpty() && a == canonicalLocalFile(addressB);
}

bool SameDatabase(const QString& connectionA, const QString& connectionB) {
    // An attachment's number and start are the database's own: another
    // database giving the same pair to an attachment is not to be expected.
    QSqlQuery own = ExecSql(connectionB, QStringLiteral("select MON$ATTACHMENT_ID, cast(MON$TIMESTAMP as varchar(30)) "
                                                        "from MON$ATTACHMENTS where MON$ATTACHMENT_ID = CURRENT_CONNECTION"));
    if (NextRow(own)) {
        const qlonglong seen =
            SelectValue(connectionA, QStringLiteral("select count(*) from MON$ATTACHMENTS where MON$ATTACHMENT_ID = :ID "
                                                    "and cast(MON$TIMESTAMP as varchar(30)) = :KEZDET"),
                        {{QStringLiteral("ID"), own.value(0)}, {QStringLiteral("KEZDET"), own.value(1).toString()}})
                .toLongLong();
        if (seen > 0) return true;
    }
    const QString a = fileAndCreation(connectionA);
    return !a.isEmpty() && a == fileAndCreation(connectionB);
}
