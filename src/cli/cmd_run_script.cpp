// run-script FILE: the update-script runner on the company database.
#include <QFileInfo>
#include <cstdio>

#include "cli/cli_command.h"
#include "db/dat.h"
#include "db/script_runner.h"

namespace {

int runScript(CliContext& context) {
    if (context.args.size() != 1) return CliFail(QStringLiteral("Használat: tarvedo-cli run-script FILE"));
    const QString file = QFileInfo(context.args.first()).absoluteFilePath();
    if (!QFileInfo::exists(file)) return CliFail(QStringLiteral("A szkript (%1) nem található.").arg(file));
    const ScriptResult result = RunScriptFile(file, d_tarvedo);
    std::printf("%d utasítás lefutott, %d hibás.\n", result.executed, result.failed);
    for (const QString& error : result.errors) std::fprintf(stderr, "%s\n", error.toUtf8().constData());
    return result.failed == 0 ? 0 : 1;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("run-script"), QStringLiteral("run-script FILE              az update szkript futtatása a cég adatbázisán"),
     true, runScript});

}  // namespace
