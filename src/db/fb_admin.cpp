#include "fb_admin.h"

#include <ibase.h>

#include "db/dat.h"
#include "db/db_address.h"
#include "db/fb_status.h"
#include "db/ini.h"

namespace {


// The address as fbclient reads it: "server/3050:path" or the local path.
QByteArray engineAddress(const QString& address) {
    const DbAddress parsed = ParseDbAddress(address);
    QString text = NativeDbPath(parsed.path);
    if (parsed.isRemote()) text = parsed.server + QStringLiteral("/3050:") + text;
    return text.toUtf8();
}

QString quoted(const QString& text) {
    QString copy = text;
    copy.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + copy + QLatin1Char('\'');
}

void appendDpb(QByteArray& dpb, char item, const QByteArray& value) {
    dpb.append(item);
    dpb.append(char(value.size()));
    dpb.append(value);
}

}  // namespace

namespace {

// A setting of TARVEDO.INI, else the environment variable, else the default.
QString credential(const QString& key, const char* environmentName, const QString& fallback) {
    QString value;
    if (IniGet(key, value) >= 0 && !value.isEmpty()) return value;
    value = qEnvironmentVariable(environmentName);
    return value.isEmpty() ? fallback : value;
}

}  // namespace

FbCredentials DbCredentials() {
    return {credential(QStringLiteral("DBUSER"), "TARVEDO_DB_USER", DefaultDbUser),
            credential(QStringLiteral("DBPASSWORD"), "TARVEDO_DB_PASSWORD", DefaultDbPassword)};
}

QString CreateDatabaseFile(const QString& address, const FbCredentials& credentials, int pageSize) {
    const QString statement = QStringLiteral("CREATE DATABASE %1 USER %2 PASSWORD %3 PAGE_SIZE %4 DEFAULT CHARACTER SET UTF8")
                                  .arg(quoted(QString::fromUtf8(engineAddress(address))), quoted(credentials.user),
                                       quoted(credentials.password))
                                  .arg(pageSize);
    const QByteArray sql = statement.toUtf8();
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    isc_dsql_execute_immediate(status, &db, &tr, 0, sql.constData(), SQL_DIALECT_V6, nullptr);
    if (FbFailed(status)) return FbStatusText(status);
    isc_detach_database(status, &db);
    return {};
}

namespace {

QByteArray loginDpb(const FbCredentials& credentials) {
    QByteArray dpb;
    dpb.append(char(isc_dpb_version1));
    appendDpb(dpb, isc_dpb_user_name, credentials.user.toUtf8());
    appendDpb(dpb, isc_dpb_password, credentials.password.toUtf8());
    return dpb;
}

}  // namespace

namespace {

// Attached to the database, or the engine's message in `error`.
isc_db_handle attach(const QString& address, const FbCredentials& credentials, QString& error, bool* missing) {
    const QByteArray dpb = loginDpb(credentials);
    const QByteArray name = engineAddress(address);
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    isc_attach_database(status, 0, name.constData(), &db, short(dpb.size()), dpb.constData());
    if (missing) *missing = false;
    if (!FbFailed(status)) return db;
    error = FbStatusText(status);
    if (missing) *missing = FbStatusHas(status, isc_io_error) && !FbStatusHas(status, isc_bad_db_format);
    return 0;
}

}  // namespace

QString TryAttachDatabase(const QString& address, const FbCredentials& credentials, bool* missing) {
    QString error;
    isc_db_handle db = attach(address, credentials, error, missing);
    if (!db) return error;
    ISC_STATUS_ARRAY status{};
    isc_detach_database(status, &db);
    return {};
}

QString DropDatabaseFile(const QString& address, const FbCredentials& credentials) {
    QString error;
    isc_db_handle db = attach(address, credentials, error, nullptr);
    if (!db) return error;
    ISC_STATUS_ARRAY status{};
    isc_drop_database(status, &db);
    if (!FbFailed(status)) return {};
    error = FbStatusText(status);
    ISC_STATUS_ARRAY ignored{};
    isc_detach_database(ignored, &db);
    return error;
}

QString SetForcedWrites(const QString& address, const FbCredentials& credentials, bool on) {
    QByteArray dpb = loginDpb(credentials);
    dpb.append(char(isc_dpb_force_write));
    dpb.append(char(1));
    dpb.append(char(on ? 1 : 0));
    const QByteArray name = engineAddress(address);
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    isc_attach_database(status, 0, name.constData(), &db, short(dpb.size()), dpb.constData());
    if (FbFailed(status)) return FbStatusText(status);
    isc_detach_database(status, &db);
    return {};
}

QByteArray FbEngineAddress(const QString& address) { return engineAddress(address); }

QByteArray FbServiceManagerAddress(const QString& address) {
    const DbAddress parsed = ParseDbAddress(address);
    if (!parsed.isRemote()) return QByteArrayLiteral("service_mgr");
    return (parsed.server + QStringLiteral("/3050:service_mgr")).toUtf8();
}

QByteArray FbServicePath(const QString& address) { return NativeDbPath(ParseDbAddress(address).path).toUtf8(); }
