// report NAME --out FILE [criteria]: a ledger report without windows. The
// extension of FILE chooses the output: .pdf through the report engine,
// .xlsx .xls .sql .txt through the data-set store.
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <stdexcept>

#include "cli/cli_command.h"
#include "cli/report_command.h"
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

QList<CliReport>& reports() {
    static QList<CliReport> list;
    return list;
}

QString usage() {
    QStringList names;
    QStringList options;
    for (const CliReport& r : reports()) {
        names << r.name;
        if (!r.options.isEmpty()) options << r.options;
    }
    return QStringLiteral("Használat: tarvedo-cli report %1 --out FILE ").arg(names.join(u'|')) + options.join(u' ');
}

const CliReport* findReport(const QString& name) {
    for (const CliReport& r : reports())
        if (r.name == name) return &r;
    return nullptr;
}

QString opt(QStringList& args, const char* flag) { return TakeOption(args, QString::fromLatin1(flag)); }

const QString LedgerOptions = QStringLiteral(
    "[--teljkelt-tol D] [--teljkelt-ig D] [--konyvelve-tol D] [--konyvelve-ig D] [--szla SZLA] [--ntipus KOD]");

const bool fokivRegistered = RegisterCliReport(
    {QStringLiteral("fokiv"), QStringLiteral("[--oszt-tol O] [--oszt-ig O] [--szla-tol SZLA] [--szla-ig SZLA] "
                                             "[--csak-gyujto] [--csak-nyito]"),
     [](QStringList& args) {
         FokivCriteria c;
         c.osztTol = opt(args, "--oszt-tol");
         c.osztIg = opt(args, "--oszt-ig");
         c.szlaTol = opt(args, "--szla-tol");
         c.szlaIg = opt(args, "--szla-ig");
         c.datumTol = opt(args, "--teljkelt-tol");
         c.datumIg = opt(args, "--teljkelt-ig");
         c.csakGyujto = TakeFlag(args, QStringLiteral("--csak-gyujto"));
         c.csakNyito = TakeFlag(args, QStringLiteral("--csak-nyito"));
         static ResultTable table;
         PreparedReport p{RunFokiv(c, table), {}, QStringLiteral("Nincs mit nyomtatni")};
         p.layout = Frfokiv(p.run.whivparam);
         return p;
     }});

// The account card and the journal take the same criteria.
template <class Criteria>
Criteria ledgerCriteria(QStringList& args) {
    Criteria c;
    c.szla = opt(args, "--szla");
    c.ntipus = opt(args, "--ntipus");
    c.konyvelveTol = opt(args, "--konyvelve-tol");
    c.konyvelveIg = opt(args, "--konyvelve-ig");
    c.teljkeltTol = opt(args, "--teljkelt-tol");
    c.teljkeltIg = opt(args, "--teljkelt-ig");
    return c;
}

const bool kartonRegistered = RegisterCliReport(
    {QStringLiteral("karton"), LedgerOptions, [](QStringList& args) {
         PreparedReport p{RunKarton(ledgerCriteria<KartonCriteria>(args)), {}};
         p.layout = Frkarton(p.run.whivparam);
         return p;
     }});

const bool knaploRegistered = RegisterCliReport(
    {QStringLiteral("knaplo"), QString(), [](QStringList& args) {
         PreparedReport p{RunKnaplo(ledgerCriteria<KnaploCriteria>(args)), {}};
         p.layout = Frknaplo(p.run.whivparam);
         return p;
     }});

const bool egyeztetoRegistered = RegisterCliReport(
    {QStringLiteral("egyezteto"), QString(), [](QStringList& args) {
        EgyeztetoCriteria c;
        c.teljkeltTol = opt(args, "--teljkelt-tol");
        c.teljkeltIg = opt(args, "--teljkelt-ig");
        static ResultTable table;
        PreparedReport p{RunEgyezteto(c, table), {}};
        p.layout = Fregyezteto(p.run.whivparam);
        return p;
    }});

int report(CliContext& context) {
    QStringList args = context.args;
    const QString out = TakeOption(args, QStringLiteral("--out"));
    if (args.isEmpty() || out.isEmpty()) return CliFail(usage());
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return CliFail(QStringLiteral("A nyomtatáshoz grafikus alkalmazás kell (QGuiApplication)."));
    const QString name = args.takeFirst();
    const CliReport* chosenReport = findReport(name);
    if (!chosenReport) return CliFail(usage());
    if (chosenReport->writeFile) return chosenReport->writeFile(args, out);
    PreparedReport p;
    try {
        p = chosenReport->prepare(args);
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
     QStringLiteral("report NÉV --out FILE [feltételek]  lista .pdf/.xlsx/.xls/.sql/.txt fájlba (a nevek listája: tarvedo-cli report)"),
     true, report});

}  // namespace

bool RegisterCliReport(CliReport report) {
    reports().append(std::move(report));
    return true;
}
