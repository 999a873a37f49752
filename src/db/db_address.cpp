#include "db_address.h"

#include <QDir>

DbAddress ParseDbAddress(const QString& address) {
    DbAddress result;
    const QChar first = address.isEmpty() ? QChar() : address.at(0).toUpper();
    const bool letterFirst = first >= QLatin1Char('A') && first <= QLatin1Char('Z');
    if (letterFirst && address.count(QLatin1Char(':')) <= 1) {
        result.path = address;
        return result;
    }
    const qsizetype colon = address.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        result.path = address;
        return result;
    }
    result.server = address.left(colon);
    result.path = address.mid(colon + 1);
    return result;
}

QStringList ConnectionParams(const QString& driver, const QString& address, const QString& user,
                             const QString& password) {
    const QString drv = driver.isEmpty() ? QStringLiteral("IB") : driver;
    if (drv == QLatin1String("MSSQL"))
        return {QStringLiteral("DriverID=MSSQL"), QStringLiteral("Database=") + address,
                QStringLiteral("OSAuthent=yes")};
    const DbAddress parsed = ParseDbAddress(address);
    QStringList params{QStringLiteral("DriverID=") + drv, QStringLiteral("Database=") + parsed.path,
                       QStringLiteral("User_Name=") + user, QStringLiteral("Password=") + password};
    if (parsed.isRemote())
        params << QStringLiteral("Server=") + parsed.server << QStringLiteral("Port=3050")
               << QStringLiteral("Protocol=TCPIP");
    else
        params << QStringLiteral("Server=localhost");
    return params;
}

QString NativeDbPath(const QString& path) {
    if (QDir::separator() == QLatin1Char('/')) {
        QString p = path;
        // A UNC share keeps its meaning only on Windows; elsewhere it is a path.
        p.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return p;
    }
    return path;
}
