#include "demo_setup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_admin.h"
#include "db/ini.h"
#include "db/schema_builder.h"
#include "db/password_hash.h"

namespace {

const QString kSetupConnection = QStringLiteral("tarvedo_demo_setup");

// Opens `address` on the setup connection for the duration of a scope.
class SetupConnection {
public:
    explicit SetupConnection(const QString& address) {
        if (!OpenDatabase(kSetupConnection, address))
            throw DbError(QStringLiteral("Az adatbázis (%1) nem nyitható meg: %2")
                              .arg(address, Connection(kSetupConnection).lastError().text()));
    }
    ~SetupConnection() {
        DbDisconnect(kSetupConnection);
        QSqlDatabase::removeDatabase(kSetupConnection);
    }
};

void fillCompany(const QString& address, const DemoOptions& options, const DemoProgress& progress) {
    SetupConnection open(address);
    GenerateDemoCompany(kSetupConnection, options, progress);
    ExecSql(kSetupConnection,
            QStringLiteral("insert into SZ_JUZER (KOD, NEV, TELJESNEV, JELSZO, AKTIV, JOGOK) "
                           "values ('DEMO', :NEV, 'Demó Felhasználó', :JELSZO, 'I', 'W')"),
            {{QStringLiteral("NEV"), DemoUserName}, {QStringLiteral("JELSZO"), HashPassword(DemoUserPassword)}});
}

void registerCompany(const QString& systemAddress, const QString& companyAddress, const DemoOptions& options) {
    SetupConnection open(systemAddress);
    ExecSql(kSetupConnection,
            QStringLiteral("insert into CEGEK (KOD, AKTUALISEV, NEV, DBSERVER, NYITVA) values ('MINTA', :EV, 'Minta Kft.', :DB, 'I')"),
            {{QStringLiteral("EV"), QString::number(options.year)}, {QStringLiteral("DB"), companyAddress}});
    ExecSql(kSetupConnection, QStringLiteral("update SZISZTEM set KOD = 'MINTA', NEV = 'Minta Kft. telepítése'"));
}

}  // namespace

QString CreateDemoWorkingDirectory(const QString& dir, const DemoOptions& options, const DemoProgress& progress) {
    QDir target(QFileInfo(dir).absoluteFilePath());
    if (target.exists(QStringLiteral("TARVEDO.INI")))
        return QStringLiteral("A munkakönyvtárban (%1) már van TARVEDO.INI; nem írom felül.").arg(target.path());
    const bool madeDir = !target.exists();
    if (madeDir && !QDir().mkpath(target.path()))
        return QStringLiteral("A mappa (%1) nem hozható létre!").arg(target.path());

    const QString templatePath = target.filePath(QStringLiteral("TARVEDO_URES.GDB"));
    const QString systemPath = target.filePath(QStringLiteral("TARVEDOSYS.GDB"));
    const QString companyPath =
        target.filePath(QStringLiteral("TARVEDO_MINTA_%1.GDB").arg(options.year));
    const QStringList made{templatePath, systemPath, companyPath, target.filePath(QStringLiteral("TARVEDO.INI"))};
    for (const QString& path : made)
        if (QFileInfo::exists(path)) return QStringLiteral("A fájl (%1) már létezik; nem írom felül.").arg(path);

    QString error;
    try {
        error = BuildDatabase(templatePath, SchemaKind::Company);
        if (error.isEmpty()) error = BuildDatabase(systemPath, SchemaKind::System);
        if (error.isEmpty() && !QFile::copy(templatePath, companyPath))
            error = QStringLiteral("Az új adatbázis (%1) nem hozható létre!").arg(companyPath);
        if (error.isEmpty()) {
            // The bulk load needs no forced writes; the finished database has them.
            SetForcedWrites(companyPath, DbCredentials(), false);
            fillCompany(companyPath, options, progress);
            error = SetForcedWrites(companyPath, DbCredentials(), true);
        }
        if (error.isEmpty()) registerCompany(systemPath, companyPath, options);
        if (error.isEmpty()
            && !WriteSettingsLines(made.last(),
                                   {QStringLiteral("DBSERVER=") + companyPath, QStringLiteral("DBSYSTEM=") + systemPath,
                                    QStringLiteral("DEFAULTCEG=MINTA"), QStringLiteral("DEFAULTEV=%1").arg(options.year)},
                                   true))
            error = QStringLiteral("A TARVEDO.INI nem írható.");
    } catch (const DbError& dbError) {
        error = dbError.message();
    } catch (const std::exception& other) {
        error = QString::fromUtf8(other.what());
    }
    if (!error.isEmpty()) {
        if (madeDir)
            target.removeRecursively();
        else
            for (const QString& path : made) QFile::remove(path);
    }
    return error;
}
