// cleanup: drops the temporary tables of the company database.
#include <cstdio>

#include "cli/cli_command.h"
#include "yearend/takarit.h"

namespace {

int cleanup(CliContext& context) {
    if (!context.args.isEmpty()) return CliFail(QStringLiteral("Használat: tarvedo-cli cleanup"));
    const QStringList tables = TmpTablesList();
    if (tables.isEmpty()) {
        std::printf("Nincsenek átmeneti táblák\n");
        return 0;
    }
    int failed = 0;
    for (const TmpDropResult& result : TmpTablesDrop(tables, nullptr)) {
        if (result.dropped)
            std::printf("%s törölve\n", result.table.toUtf8().constData());
        else
            ++failed;
    }
    return failed == 0 ? 0 : 1;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("cleanup"), QStringLiteral("cleanup                      átmeneti táblák törlése"), true, cleanup});

}  // namespace
