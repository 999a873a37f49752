// backup FILE.fbk / restore FILE.fbk DATABASE [--replace]: the company
// database saved to a file on this machine and made again from it, through
// the engine's services, for a local file and for a server alike. A failed
// run exits 1 and leaves the files and databases as they were.
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "cli/cli_command.h"
#include "db/dat.h"
#include "db/db_address.h"
#include "db/fb_admin.h"
#include "db/ini.h"
#include "yearend/backup.h"

namespace {

int backup(CliContext& context) {
    if (context.args.size() != 1) return CliFail(QStringLiteral("Használat: tarvedo-cli backup FILE.fbk"));
    const QString file = QFileInfo(context.args.first()).absoluteFilePath();
    const QString error = BackupDatabase(Td().DbServer, file, DbCredentials());
    if (!error.isEmpty()) return CliFail(error);
    std::printf("%s -> %s\n", Td().DbServer.toUtf8().constData(), file.toUtf8().constData());
    return 0;
}

int restore(CliContext& context) {
    QStringList args = context.args;
    const bool replace = TakeFlag(args, QStringLiteral("--replace"));
    if (args.size() != 2)
        return CliFail(QStringLiteral("Használat: tarvedo-cli restore FILE.fbk DATABASE [--replace]"));
    // Relative paths are taken from the folder the tool was started in.
    const QString file = QFileInfo(args.at(0)).absoluteFilePath();
    QString target = args.at(1);
    if (!ParseDbAddress(target).isRemote()) target = QFileInfo(target).absoluteFilePath();
    // The working directory's settings name the database account.
    if (QDir(context.workdir).exists() && QDir::setCurrent(context.workdir) && QFileInfo::exists(QStringLiteral("TARVEDO.INI")))
        IniLoad(QStringLiteral("TARVEDO.INI"), false);
    if (!QFileInfo::exists(file)) return CliFail(QStringLiteral("A mentés fájlja (%1) nem található.").arg(file));
    const QString error = RestoreDatabase(file, target, DbCredentials(), replace);
    if (!error.isEmpty()) return CliFail(error);
    std::printf("%s -> %s\n", file.toUtf8().constData(), target.toUtf8().constData());
    return 0;
}

const bool registeredBackup = RegisterCliCommand(
    {QStringLiteral("backup"), QStringLiteral("backup FILE.fbk              a cég adatbázisának mentése"), true, backup});
const bool registeredRestore = RegisterCliCommand(
    {QStringLiteral("restore"), QStringLiteral("restore FILE.fbk DATABASE [--replace]  adatbázis visszatöltése mentésből"),
     false, restore});

}  // namespace
