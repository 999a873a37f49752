// close-year: the year closing into the next year's database.
#include <cstdio>

#include "cli/cli_command.h"
#include "yearend/evzaro.h"

namespace {

const char kUsage[] =
    "close-year [--date D] [--next-path DIR] [--next-name FILE] [--recompute] [--by-invoice] [--yes]  év zárása";

int closeYear(CliContext& context) {
    QStringList args = context.args;
    if (TakeFlag(args, QStringLiteral("--help"))) {
        std::printf("tarvedo-cli %s\n  --date D: a zárás dátuma, alapértelmezés a következő év első napja; más dátumhoz --yes kell\n",
                    kUsage);
        return 0;
    }
    const EvzaroDefaults defaults = EvzaroDefaultsForCompany();
    EvzaroParams params;
    params.zardatum = TakeOption(args, QStringLiteral("--date"), defaults.zardatum);
    params.path = TakeOption(args, QStringLiteral("--next-path"), defaults.path);
    params.name = TakeOption(args, QStringLiteral("--next-name"), defaults.name);
    const bool recompute = TakeFlag(args, QStringLiteral("--recompute"));
    params.teteles = TakeFlag(args, QStringLiteral("--by-invoice"));
    params.dateConfirmed = TakeFlag(args, QStringLiteral("--yes"));
    if (!args.isEmpty()) {
        std::fprintf(stderr, "Használat: tarvedo-cli %s\n", kUsage);
        return 2;
    }
    // A registered next-year database is only ever recomputed, never made again.
    params.kind = recompute || defaults.kind == ClosingKind::RecomputeExisting ? ClosingKind::RecomputeExisting
                                                                               : ClosingKind::NewDatabase;
    const QString wrong = CheckEvzaroParams(params);
    if (!wrong.isEmpty()) return CliFail(wrong);
    const QString dateWarning = ClosingDateWarning(params);
    if (!params.dateConfirmed && !dateWarning.isEmpty())
        return CliFail(dateWarning + QStringLiteral(" Ezzel a dátummal a --yes kapcsolóval zárhatja az évet."));
    const EvzaroResult result = RunEvzaro(params, [](const QString&, qint64, qint64) {});
    if (!result.ok) return CliFail(result.error);
    std::printf("%s: %d számlaegyenleg, %d nyitott számla.\nKÉSZ !\n", result.nextAddress.toUtf8().constData(),
                result.accountItems, result.invoiceItems);
    return 0;
}

const bool registered = RegisterCliCommand({QStringLiteral("close-year"), QString::fromUtf8(kUsage), true, closeYear});

}  // namespace
