// post FILE.csv [--dry-run]: vouchers through the voucher window's checks and storage.
#include <QFileInfo>
#include <cstdio>

#include "cli/cli_command.h"
#include "db/stop_request.h"
#include "posting/post_vouchers.h"

namespace {

void printLine(FILE* stream, const QString& text) {
    std::fprintf(stream, "%s\n", text.toUtf8().constData());
    std::fflush(stream);
}

int post(CliContext& context) {
    const bool dryRun = TakeFlag(context.args, QStringLiteral("--dry-run"));
    if (context.args.size() != 1) return CliFail(QStringLiteral("Használat: tarvedo-cli post FILE.csv [--dry-run]"));
    const QString file = QFileInfo(context.args.first()).absoluteFilePath();
    if (!QFileInfo::exists(file)) return CliFail(QStringLiteral("A fájl (%1) nem található.").arg(file));

    // Ctrl-C and a shutdown end the run between vouchers, with what was committed kept.
    InstallStopSignals();
    const PostReport report = PostVoucherFile(
        file, dryRun,
        [](int done, int lines) { printLine(stderr, QStringLiteral("Könyvelés: %1 / %2 sor").arg(done).arg(lines)); },
        [](int done, int vouchers) {
            printLine(stderr, QStringLiteral("Tárolás: %1 / %2 bizonylat").arg(done).arg(vouchers));
        });
    if (!report.fileError.isEmpty()) return CliFail(report.fileError);
    if (report.alreadyPosted > 0)
        printLine(stdout, QStringLiteral("%1 bizonylat már le volt könyvelve ebből a fájlból, kihagyva.").arg(report.alreadyPosted));
    for (const PostFault& fault : report.faults) printLine(stderr, QStringLiteral("%1. sor: %2").arg(fault.line).arg(fault.text));

    if (report.stopped) {
        printLine(stderr, QStringLiteral("Megszakítva: %1 bizonylat tárolva (%2 tétel), a többi nem. Újra könyvelve a fájlból "
                                         "csak a hiányzó bizonylatok kerülnek be.")
                              .arg(report.storedVouchers)
                              .arg(report.storedItems));
    } else if (report.postedElsewhere) {
        printLine(stderr, QStringLiteral("Ezt a fájlt egy másik munkaállomás most könyveli, vagy az imént könyvelte; ez a "
                                         "futás %1 bizonylatot tárolt, a többihez nem kért számot. Ha a másik végzett, a "
                                         "fájl újra könyvelhető: csak a hiányzó bizonylatok kerülnek be.")
                              .arg(report.storedVouchers));
    } else if (dryRun) {
        printLine(stdout, QStringLiteral("Próba: %1 bizonylatból %2 hibátlan (%3 tétel), %4 hibás; semmi sem tárolódott.")
                              .arg(report.vouchers)
                              .arg(report.faultlessVouchers)
                              .arg(report.faultlessItems)
                              .arg(report.rejectedVouchers));
    } else if (!report.faults.isEmpty() && report.storedVouchers == 0) {
        printLine(stdout, QStringLiteral("%1 bizonylatból %2 hibás, ezért egy sem tárolódott. Javítsa a hibás sorokat, és "
                                         "könyvelje újra a fájlt.")
                              .arg(report.vouchers)
                              .arg(report.rejectedVouchers));
    } else {
        printLine(stdout, QStringLiteral("%1 bizonylatból %2 tárolva (%3 tétel), %4 hibás, nem tárolva.")
                              .arg(report.vouchers)
                              .arg(report.storedVouchers)
                              .arg(report.storedItems)
                              .arg(report.rejectedVouchers));
    }
    return report.ok() ? 0 : 1;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("post"),
     QStringLiteral("post FILE.csv [--dry-run]     bizonylatok könyvelése a könyvelő ablak ellenőrzéseivel"), true, post});

}  // namespace
