// export-journal FILE: the ledger as a plain-text double-entry journal for
// ledger-cli and hledger.
#include <QFileInfo>
#include <cstdio>

#include "cli/cli_command.h"
#include "reports/ledger_journal.h"

namespace {

int exportJournal(CliContext& context) {
    if (context.args.size() != 1) return CliFail(QStringLiteral("Használat: tarvedo-cli export-journal FILE"));
    const QString file = QFileInfo(context.args.first()).absoluteFilePath();
    const qint64 written = WriteLedgerJournal(file);
    std::printf("%s: %lld tétel\n", file.toUtf8().constData(), written);
    return 0;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("export-journal"),
     QStringLiteral("export-journal FILE           a főkönyv könyvelési naplója ledger/hledger formában"), true,
     exportJournal});

}  // namespace
