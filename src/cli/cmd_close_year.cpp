// close-year: the year closing into the next year's database.
#include <QDate>
#include <cstdio>

#include "cli/cli_command.h"
#include "yearend/evzaro.h"

namespace {

int closeYear(CliContext& context) {
    QStringList args = context.args;
    const EvzaroDefaults defaults = EvzaroDefaultsForCompany();
    EvzaroParams params;
    params.zardatum = TakeOption(args, QStringLiteral("--date"), QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")));
    params.path = TakeOption(args, QStringLiteral("--next-path"), defaults.path);
    params.name = TakeOption(args, QStringLiteral("--next-name"), defaults.name);
    const bool recompute = TakeFlag(args, QStringLiteral("--recompute"));
    params.teteles = TakeFlag(args, QStringLiteral("--by-invoice"));
    if (!args.isEmpty())
        return CliFail(QStringLiteral("Használat: tarvedo-cli close-year [--date YYYY.MM.DD] [--next-path DIR] "
                                      "[--next-name FILE] [--recompute] [--by-invoice]"));
    // A registered next-year database is only ever recomputed, never made again.
    params.kind = recompute || defaults.kind == ClosingKind::RecomputeExisting ? ClosingKind::RecomputeExisting
                                                                               : ClosingKind::NewDatabase;
    const EvzaroResult result = RunEvzaro(params, [](const QString&, qint64, qint64) {});
    if (!result.ok) return CliFail(result.error);
    std::printf("%s: %d számlaegyenleg, %d nyitott számla.\nKÉSZ !\n", result.nextAddress.toUtf8().constData(),
                result.accountItems, result.invoiceItems);
    return 0;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("close-year"),
     QStringLiteral("close-year [--date D] [--next-path DIR] [--next-name FILE] [--recompute] [--by-invoice]  év zárása"),
     true, closeYear});

}  // namespace
