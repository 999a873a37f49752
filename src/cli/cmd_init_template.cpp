// init-template DIR: DIR/TARVEDO_URES.GDB, the empty company database that
// every new company-year database is copied from.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

#include "cli/cli_command.h"
#include "db/schema_builder.h"

namespace {

int initTemplate(CliContext& context) {
    if (context.args.size() != 1) return CliFail(QStringLiteral("Használat: tarvedo-cli init-template DIR"));
    QDir dir(QFileInfo(context.args.first()).absoluteFilePath());
    if (!dir.exists() && !QDir().mkpath(dir.path()))
        return CliFail(QStringLiteral("A mappa (%1) nem hozható létre!").arg(dir.path()));
    const QString target = dir.filePath(QStringLiteral("TARVEDO_URES.GDB"));
    if (QFileInfo::exists(target)) return CliFail(QStringLiteral("A minta adatbázis (%1) már létezik.").arg(target));
    QTemporaryFile probe(dir.filePath(QStringLiteral("probe_XXXXXX")));
    if (!probe.open()) return CliFail(QStringLiteral("A mappa (%1) nem írható.").arg(dir.path()));
    probe.close();

    const QString error = BuildDatabase(target, SchemaKind::Company);
    if (!error.isEmpty()) {
        QFile::remove(target);
        return CliFail(error);
    }
    std::printf("%s\n", target.toUtf8().constData());
    return 0;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("init-template"), QStringLiteral("init-template DIR            DIR/TARVEDO_URES.GDB a db/schema alapján"),
     false, initTemplate});

}  // namespace
