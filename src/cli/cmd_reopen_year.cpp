// reopen-year: a closed year takes postings again.
#include <cstdio>

#include "cli/cli_command.h"
#include "yearend/reopen.h"

namespace {

int reopenYear(CliContext& context) {
    if (!context.args.isEmpty()) return CliFail(QStringLiteral("Használat: tarvedo-cli reopen-year"));
    ReopenYear();
    std::printf("Az év újra nyitva.\n");
    return 0;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("reopen-year"), QStringLiteral("reopen-year                  lezárt év újranyitása"), true, reopenYear});

}  // namespace
