// report NAME --out FILE [criteria]: a ledger report without windows. The
// extension of FILE chooses the output: .pdf through the report engine,
// .xlsx .xls .sql .txt through the data-set store.
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <stdexcept>

#include "cli/cli_command.h"
#include "db/dat.h"
#include "export/export_source.h"
#include "export/store_dataset.h"
#include "reports/egyezteto.h"
#include "reports/engine/report_painter.h"
#include "reports/fokiv.h"
#include "reports/fregyezteto.h"
#include "reports/frfokiv.h"
#include "reports/frkarton.h"
#include "reports/frknaplo.h"
#include "reports/karton.h"
#include "reports/knaplo.h"

namespace {

const QString Usage = QStringLiteral(
    "Használat: tarvedo-cli report fokiv|karton|knaplo|egyezteto --out FILE [--teljkelt-tol D] [--teljkelt-ig D] "
    "[--konyvelve-tol D] [--konyvelve-ig D] [--szla SZLA] [--ntipus KOD] [--oszt-tol O] [--oszt-ig O] "
    "[--szla-tol SZLA] [--szla-ig SZLA] [--csak-gyujto] [--csak-nyito]");

struct Prepared {
    ReportRun run;
    ReportLayout layout;
    QString emptyMessage = NothingToPrint;
};

Prepared prepare(const QString& name, QStringList& args) {
    const auto opt = [&](const char* flag) { return TakeOption(args, QString::fromLatin1(flag)); };
    if (name == QLatin1String("fokiv")) {
        FokivCriteria c;
        c.osztTol = opt("--oszt-tol");
        c.osztIg = opt("--oszt-ig");
        c.szlaTol = opt("--szla-tol");
        c.szlaIg = opt("--szla-ig");
        c.datumTol = opt("--teljkelt-tol");
        c.datumIg = opt("--teljkelt-ig");
        c.csakGyujto = TakeFlag(args, QStringLiteral("--csak-gyujto"));
        c.csakNyito = TakeFlag(args, QStringLiteral("--csak-nyito"));
        static ResultTable table;
        Prepared p{RunFokiv(c, table), {}, QStringLiteral("Nincs mit nyomtatni")};
        p.layout = Frfokiv(p.run.whivparam);
        return p;
    }
    if (name == QLatin1String("karton")) {
        KartonCriteria c;
        c.szla = opt("--szla");
        c.ntipus = opt("--ntipus");
        c.konyvelveTol = opt("--konyvelve-tol");
        c.konyvelveIg = opt("--konyvelve-ig");
        c.teljkeltTol = opt("--teljkelt-tol");
        c.teljkeltIg = opt("--teljkelt-ig");
        Prepared p{RunKarton(c), {}};
        p.layout = Frkarton(p.run.whivparam);
        return p;
    }
    if (name == QLatin1String("knaplo")) {
        KnaploCriteria c;
        c.ntipus = opt("--ntipus");
        c.szla = opt("--szla");
        c.konyvelveTol = opt("--konyvelve-tol");
        c.konyvelveIg = opt("--konyvelve-ig");
        c.teljkeltTol = opt("--teljkelt-tol");
        c.teljkeltIg = opt("--teljkelt-ig");
        Prepared p{RunKnaplo(c), {}};
        p.layout = Frknaplo(p.run.whivparam);
        return p;
    }
    if (name == QLatin1String("egyezteto")) {
        EgyeztetoCriteria c;
        c.teljkeltTol = opt("--teljkelt-tol");
        c.teljkeltIg = opt("--teljkelt-ig");
        static ResultTable table;
        Prepared p{RunEgyezteto(c, table), {}};
        p.layout = Fregyezteto(p.run.whivparam);
        return p;
    }
    throw std::invalid_argument(Usage.toStdString());
}

int report(CliContext& context) {
    QStringList args = context.args;
    const QString out = TakeOption(args, QStringLiteral("--out"));
    if (args.isEmpty() || out.isEmpty()) return CliFail(Usage);
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return CliFail(QStringLiteral("A nyomtatáshoz grafikus alkalmazás kell (QGuiApplication)."));
    const QString name = args.takeFirst();
    Prepared p;
    try {
        p = prepare(name, args);
    } catch (const std::invalid_argument& error) {
        return CliFail(QString::fromUtf8(error.what()));
    }
    if (!args.isEmpty()) return CliFail(QStringLiteral("Ismeretlen argumentum: ") + args.join(u' '));
    if (p.run.rows == 0) return CliFail(p.emptyMessage);

    QueryExportSource rows(ExecSql(d_tarvedo, p.run.querySql, p.run.params), QStringLiteral("q_") + name);
    const QString file = QFileInfo(out).absoluteFilePath();
    if (QFileInfo(file).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        ReportRunOptions options;
        options.expectedRows = p.run.rows;
        const int pages = RenderToPdf(p.layout, rows, file, options);
        if (pages == 0) return CliFail(QStringLiteral("A fájl (%1) nem írható.").arg(file));
        std::printf("%s: %lld sor, %d oldal\n", file.toUtf8().constData(), p.run.rows, pages);
        return 0;
    }
    QString chosen;
    if (!StoreDataSet(rows, file, QString(), chosen) || chosen.isEmpty())
        return CliFail(QStringLiteral("Nem tárolható: %1 (.xlsx, .xls, .sql, .txt vagy .pdf)").arg(file));
    std::printf("%s: %lld sor\n", chosen.toUtf8().constData(), p.run.rows);
    return 0;
}

const bool registered = RegisterCliCommand(
    {QStringLiteral("report"),
     QStringLiteral("report fokiv|karton|knaplo|egyezteto --out FILE [feltételek]  lista .pdf/.xlsx/.xls/.sql/.txt fájlba"),
     true, report});

}  // namespace
