// query "SELECT ..." [--title T] --out FILE: any statement that only reads,
// run in a read-only transaction (the engine refuses one that writes),
// printed through the general list (.pdf) or stored through the data-set
// store (.xlsx .xls .sql .txt).
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "cli/cli_command.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "export/store_dataset.h"
#include "masterdata/read_only_query.h"
#include "reports/engine/report_painter.h"
#include "reports/engine/report_runner.h"
#include "reports/frszotar.h"

namespace {

const QString Usage = QStringLiteral("Használat: tarvedo-cli query \"SELECT ...\" [--title CÍM] --out FILE.pdf|.xlsx|.xls|.sql|.txt");

int query(CliContext& context) {
    QStringList args = context.args;
    const QString out = TakeOption(args, QStringLiteral("--out"));
    const QString title = TakeOption(args, QStringLiteral("--title"), QStringLiteral("Általános lista"));
    if (args.size() != 1 || out.isEmpty()) return CliFail(Usage);
    const QString sql = args.first();
    const QString file = QFileInfo(out).absoluteFilePath();

    ReadOnlyQuery rows(d_tarvedo, sql);
    if (QFileInfo(file).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return CliFail(QStringLiteral("A nyomtatáshoz grafikus alkalmazás kell (QGuiApplication)."));
        const ReportDocument document = LayOutReport(Frszotar(title, rows.columns(), GeneralListLogo()), rows);
        if (document.rowCount() == 0) return CliFail(QStringLiteral("Nincs mit nyomtatni."));
        const int pages = WriteReportPdf(document, file);
        if (pages == 0) return CliFail(QStringLiteral("A fájl (%1) nem írható.").arg(file));
        std::printf("%s: %lld sor, %d oldal\n", file.toUtf8().constData(), document.rowCount(), pages);
        return 0;
    }
    QString chosen;
    if (!StoreDataSet(rows, file, QString(), chosen) || chosen.isEmpty())
        return CliFail(QStringLiteral("Nem tárolható: %1 (.xlsx, .xls, .sql, .txt vagy .pdf)").arg(file));
    std::printf("%s\n", chosen.toUtf8().constData());
    return 0;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("query"),
     QStringLiteral("query \"SELECT ...\" [--title CÍM] --out FILE  csak olvasó lekérdezés .pdf/.xlsx/.xls/.sql/.txt fájlba"),
     true, query});

}  // namespace
