// cleanup: drops the temporary tables of the company database; a table that
// stays is named on stderr with the reason, and the exit code is 1.
#include <cstdio>

#include "cli/cli_command.h"
#include "db/ui_hooks.h"
#include "yearend/takarit.h"

namespace {

int cleanup(CliContext& context) {
    if (!context.args.isEmpty()) return CliFail(QStringLiteral("Használat: tarvedo-cli cleanup"));
    const QStringList tables = TmpTablesList();
    if (tables.isEmpty()) {
        std::printf("Nincsenek átmeneti táblák\n");
        return 0;
    }
    // The error log's message would repeat what is printed below, once per table.
    UiHooks::setMessage([](const QString&) {});
    const QList<TmpDropResult> results = TmpTablesDrop(tables, nullptr);
    UiHooks::setMessage({});
    int failed = 0;
    for (const TmpDropResult& result : results) {
        if (result.dropped) {
            std::printf("%s törölve\n", result.table.toUtf8().constData());
        } else {
            CliFail(result.error);
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("cleanup"), QStringLiteral("cleanup                      átmeneti táblák törlése"), true, cleanup});

}  // namespace
