// reopen-year: a closed year takes postings again; only with --yes.
#include <cstdio>

#include "cli/cli_command.h"
#include "yearend/reopen.h"

namespace {

const char kUsage[] = "reopen-year [--yes]          lezárt év újranyitása";

int reopenYear(CliContext& context) {
    QStringList args = context.args;
    if (TakeFlag(args, QStringLiteral("--help"))) {
        std::printf("tarvedo-cli %s\n  --yes: az újranyitás megerősítése\n", kUsage);
        return 0;
    }
    const bool confirmed = TakeFlag(args, QStringLiteral("--yes"));
    if (!args.isEmpty()) {
        std::fprintf(stderr, "Használat: tarvedo-cli %s\n", kUsage);
        return 2;
    }
    if (!YearIsClosed()) {
        std::printf("Az év nincs lezárva.\n");
        return 0;
    }
    const QString note = NextYearRecomputeNote();
    if (!confirmed)
        return CliFail(QStringLiteral("A(z) %1. év le van zárva; az újranyitáshoz adja meg a --yes kapcsolót. ").arg(CompanyYear()) +
                       note);
    ReopenYear();
    std::printf("Az év újra nyitva. %s\n", note.toUtf8().constData());
    return 0;
}

const bool registered = RegisterCliCommand({QStringLiteral("reopen-year"), QString::fromUtf8(kUsage), true, reopenYear});

}  // namespace
