// afaxml --tol YYYY.MM --ig YYYY.MM [--verzio V] --out FILE.xml: the
// VAT-return file of the period, from the VAT list by VAT account.
#include <QFileInfo>
#include <cstdio>

#include "cli/afalista_args.h"
#include "cli/report_command.h"
#include "reports/afaxml.h"

namespace {

int writeAfaXml(QStringList& args, const QString& out) {
    const QString verzio = TakeOption(args, QStringLiteral("--verzio"), QStringLiteral("1.0"));
    AfalistaCriteria c;
    try {
        c = AfalistaCriteriaFromArgs(args);
    } catch (const std::invalid_argument& error) {
        return CliFail(QString::fromUtf8(error.what()));
    }
    if (!args.isEmpty()) return CliFail(QStringLiteral("Ismeretlen argumentum: ") + args.join(u' '));
    c.sorrend = AfaByAccount;
    AfalistaMemory memory;
    AfalistaRun run;
    try {
        run = RunAfalista(c, memory);
    } catch (const std::invalid_argument& error) {
        return CliFail(QString::fromUtf8(error.what()));
    }
    const QString file = QFileInfo(out.isEmpty() ? AfaXmlFileName(c.tol, c.ig) : out).absoluteFilePath();
    WriteAfaXml({c.tol, c.ig, verzio, run.run.table, {}}, file);
    std::printf("%s: %s\n", file.toUtf8().constData(), AfaXmlReady.toUtf8().constData());
    return 0;
}

int afaxml(CliContext& context) {
    QStringList args = context.args;
    const QString out = TakeOption(args, QStringLiteral("--out"));
    return writeAfaXml(args, out);
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("afaxml"),
     QStringLiteral("afaxml [--tol ÉÉÉÉ.HH] [--ig ÉÉÉÉ.HH] [--fizetendo] [--levonhato] [--verzio V] [--out FILE.xml]  "
                    "ÁFA bevallás XML (65A) fájlba"),
     true, afaxml});

// The same file as "report afaxml --out FILE.xml".
const bool reportRegistered = RegisterCliReport(
    {QStringLiteral("afaxml"), QString(), {}, writeAfaXml});

}  // namespace
