#include "schema_builder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_admin.h"
#include "db/script_runner.h"

namespace {

const QString kBuildConnection = QStringLiteral("tarvedo_schema_build");

QString folder(SchemaKind kind) {
    return kind == SchemaKind::Company ? QStringLiteral(":/db/schema/company") : QStringLiteral(":/db/schema/system");
}

QString runFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("Nem olvasható: %1").arg(path);
    const QStringList lines = ReadTextLines(file.readAll());
    const bool oneTransaction = path.endsWith(QLatin1String("_data.sql"));
    ScriptResult result;
    if (oneTransaction) {
        DbTransaction transaction(kBuildConnection);
        result = RunScript(lines, true, kBuildConnection);
        if (result.failed == 0) transaction.commit();
    } else {
        result = RunScript(lines, true, kBuildConnection);
    }
    if (result.failed == 0) return {};
    return QStringLiteral("%1: hibás utasítás:\n%2\n%3")
        .arg(QFileInfo(path).fileName(), result.failedLines.join(QLatin1Char('\n')), result.errors.value(0));
}

}  // namespace

QStringList SchemaFiles(SchemaKind kind) {
    QDir dir(folder(kind));
    QStringList files;
    for (const QString& name : dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}

QString BuildDatabase(const QString& address, SchemaKind kind) {
    const FbCredentials credentials = DbCredentials();
    QString error = CreateDatabaseFile(address, credentials);
    if (!error.isEmpty()) return QStringLiteral("Az adatbázis (%1) nem hozható létre: %2").arg(address, error);

    // Nobody uses the database yet: commits need not wait for the disk.
    SetForcedWrites(address, credentials, false);
    if (!OpenDatabase(kBuildConnection, address))
        return QStringLiteral("Az új adatbázis (%1) nem nyitható meg: %2")
            .arg(address, Connection(kBuildConnection).lastError().text());
    try {
        for (const QString& path : SchemaFiles(kind)) {
            error = runFile(path);
            if (!error.isEmpty()) break;
        }
    } catch (const DbError& dbError) {
        error = dbError.message();
    }
    DbDisconnect(kBuildConnection);
    QSqlDatabase::removeDatabase(kBuildConnection);
    if (error.isEmpty()) error = SetForcedWrites(address, credentials, true);
    return error;
}
