// post FILE.csv [--dry-run]: vouchers through the voucher window's checks and storage.
#include <QFileInfo>
#include <cstdio>

#include "cli/cli_command.h"
#include "posting/post_vouchers.h"

namespace {

int post(CliContext& context) {
    const bool dryRun = TakeFlag(context.args, QStringLiteral("--dry-run"));
    if (context.args.size() != 1) return CliFail(QStringLiteral("Használat: tarvedo-cli post FILE.csv [--dry-run]"));
    const QString file = QFileInfo(context.args.first()).absoluteFilePath();
    if (!QFileInfo::exists(file)) return CliFail(QStringLiteral("A fájl (%1) nem található.").arg(file));

    const PostReport report = PostVoucherFile(file, dryRun, [](int done, int lines) {
        std::fprintf(stderr, "Könyvelés: %d / %d sor\n", done, lines);
        std::fflush(stderr);
    });
    if (!report.fileError.isEmpty()) return CliFail(report.fileError);
    if (report.alreadyPosted > 0)
        std::printf("%d bizonylat már le volt könyvelve ebből a fájlból, kihagyva.\n", report.alreadyPosted);
    for (const PostFault& fault : report.faults)
        std::fprintf(stderr, "%d. sor: %s\n", fault.line, fault.text.toUtf8().constData());
    if (dryRun)
        std::printf("Próba: %d bizonylatból %d hibátlan (%d tétel), %d hibás; semmi sem tárolódott.\n", report.vouchers,
                    report.storedVouchers, report.storedItems, report.rejectedVouchers);
    else
        std::printf("%d bizonylatból %d tárolva (%d tétel), %d hibás, nem tárolva.\n", report.vouchers, report.storedVouchers,
                    report.storedItems, report.rejectedVouchers);
    return report.ok() ? 0 : 1;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("post"),
     QStringLiteral("post FILE.csv [--dry-run]     bizonylatok könyvelése a könyvelő ablak ellenőrzéseivel"), true, post});

}  // namespace
