// import FILE [--dry-run] [--format NAME]: ledger items from other programs and spreadsheets.
#include <QFileInfo>
#include <cstdio>

#include "cli/cli_command.h"
#include "db/stop_request.h"
#include "import/adatbeo.h"

namespace {

int import(CliContext& context) {
    ImportOptions options;
    options.dryRun = TakeFlag(context.args, QStringLiteral("--dry-run"));
    options.format = TakeOption(context.args, QStringLiteral("--format"));
    if (context.args.size() != 1)
        return CliFail(QStringLiteral("Használat: tarvedo-cli import FILE [--dry-run] [--format NAME]"));
    const QString file = QFileInfo(context.args.first()).absoluteFilePath();

    // Ctrl-C or a shutdown ends the run at its next safe point, rolled back.
    InstallStopSignals();
    const ImportReport report = ImportItems(file, options);
    for (const QString& warning : report.warnings) std::fprintf(stderr, "Figyelmeztetés: %s\n", warning.toUtf8().constData());
    for (const ImportFault& fault : report.faults)
        std::fprintf(stderr, "%d. sor: %s\n", fault.line, fault.text.toUtf8().constData());
    if (report.unlistedFaults > 0) std::fprintf(stderr, "%s\n", UnlistedFaultsText(report.unlistedFaults).toUtf8().constData());
    if (!report.error.isEmpty()) return CliFail(report.error);
    if (options.dryRun)
        std::printf("Próba (%s): %d sor, %d bizonylat, %d tétel, %d hibás sor; semmi sem tárolódott.\n",
                    report.format.toUtf8().constData(), report.lines, report.vouchers, report.items, report.faultyLines);
    else if (report.faults.isEmpty() && report.vouchers == 0 && report.alreadyImported > 0)
        std::printf("%s\n", NothingNewText().toUtf8().constData());
    else if (report.faults.isEmpty())
        std::printf("Átvéve (%s): %d sor, %d bizonylat, %d tétel, sorszámok %s - %s.\n", report.format.toUtf8().constData(),
                    report.lines, report.vouchers, report.items, report.firstSorszam.toUtf8().constData(),
                    report.lastSorszam.toUtf8().constData());
    else
        std::printf("Az átvétel hibás (%s): %d sorból %d hibás; semmi sem tárolódott.\n", report.format.toUtf8().constData(),
                    report.lines, report.faultyLines);
    return report.ok() ? 0 : 1;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("import"),
     QStringLiteral("import FILE [--dry-run] [--format NAME]  tételek átvétele más programból vagy táblázatból"), true, import});

}  // namespace
