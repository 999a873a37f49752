// Times the ledger reports on a demo working directory:
//
//   reports_bench DIR [--items N] [--compare] [--no-cards] [--no-peer]
//
// DIR is made with N demo items (default 100 000) when it does not exist
// (`demo_bench N DIR` makes one too). Prints the time of the trial balance
// for the year, the account card of class 3, the journal of the bank, the
// reconciliation table, the exported journal read by `ledger balance`
// beside our trial balance, and with --compare the statement-per-account
// computation against ours: the ratio and whether both give the same rows
// (before it, every item is added to the turnover table once and once
// negated, and merged: that times a merge after a large load and leaves
// the sums as they were). --no-peer leaves out the exported journal.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

#include "bench_support.h"
#include "db/app_conventions.h"
#include "db/dat.h"
#include "db/session.h"
#include "ledger/turnover_table.h"
#include "reports/egyezteto.h"
#include "reports/fokiv.h"
#include "reports/karton.h"
#include "reports/knaplo.h"
#include "reports/ledger_journal.h"
#include "export/export_source.h"

namespace {

void Line(const char* what, double seconds, qint64 rows) {
    std::printf("%-44s %8.3f s  (%lld rows)\n", what, seconds, rows);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetAppConventions();
    QStringList args = app.arguments().mid(1);
    const bool compare = args.removeOne(QStringLiteral("--compare"));
    const bool cards = !args.removeOne(QStringLiteral("--no-cards"));
    const bool peer = !args.removeOne(QStringLiteral("--no-peer"));
    qlonglong items = 100000;
    if (const qsizetype at = args.indexOf(QStringLiteral("--items")); at >= 0 && at + 1 < args.size()) {
        items = args.at(at + 1).toLongLong();
        args.remove(at, 2);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: reports_bench DIR [--items N] [--compare] [--no-cards] [--no-peer]\n");
        return 2;
    }
    const QString dir = QFileInfo(args.first()).absoluteFilePath();
    if (!OpenDemoCompany(dir, items)) return 1;
    const qint64 rowsInLedger = SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toLongLong();
    std::printf("ledger rows: %lld\n", rowsInLedger);

    ResultTable fokivTable, egyTable;
    ReportRun run;
    const FokivCriteria year{"", "", "", "", "2025.01.01", "2025.12.31", false, false};
    RunFokiv(year, fokivTable);  // creates the table: the timed runs refill it
    const double fokiv = Seconds([&] { run = RunFokiv(year, fokivTable); });
    Line("trial balance, year", fokiv, run.rows);
    double t = 0;
    if (cards) {
        t = Seconds([&] { run = RunKarton({.szla = "311"}); });
        Line("account card, 311 (new table)", t, run.rows);
        t = Seconds([&] { run = RunKarton({.szla = "3"}); });
        Line("account card, prefix 3 (table emptied first)", t, run.rows);
        for (const char* prefix : {"31", "38"}) {
            t = Seconds([&] { run = RunKarton({.szla = QString::fromLatin1(prefix)}); });
            Line(QStringLiteral("account card, prefix %1").arg(QLatin1String(prefix)).toStdString().c_str(), t, run.rows);
        }
    }
    t = Seconds([&] {
        run = RunKnaplo({.ntipus = Td().BkKod});
        QSqlQuery q = ExecSql(d_tarvedo, run.querySql, run.params);
        while (q.next()) {}
    });
    Line("journal of the bank (query read through)", t, run.rows);
    RunEgyezteto({}, egyTable);
    t = Seconds([&] { run = RunEgyezteto({"2025.01.01", "2025.12.31"}, egyTable); });
    Line("reconciliation table", t, run.rows);

    if (compare) {
        for (const char* sign : {"", "-"})
            ExecSql(d_tarvedo, QStringLiteral("insert into FORGALOM (SZLA, ESZLA, TELJKELT, NTIPUS, ERTEK) "
                                              "select SZLA, ESZLA, TELJKELT, NTIPUS, %1ERTEK from TETEL").arg(QLatin1String(sign)));
        t = Seconds([&] { MergeTurnovers(d_tarvedo); });
        Line("merging two ledgers' worth of turnover rows", t, 2 * rowsInLedger);
        std::vector<FokivRow> ours, theirs;
        const double a = Seconds([&] { ours = ComputeFokiv(year); });
        const double b = Seconds([&] { theirs = ComputeFokivPerAccount(year); });
        Line("trial balance rows, grouped pass", a, qint64(ours.size()));
        Line("trial balance rows, statement per account", b, qint64(theirs.size()));
        std::printf("  ratio %.1fx, same rows: %s\n", b / a, ours == theirs ? "yes" : "NO");
        std::vector<EgyeztetoRow> e1, e2;
        const double c = Seconds([&] { e1 = ComputeEgyezteto({}); });
        const double d = Seconds([&] { e2 = ComputeEgyeztetoPerClass({}); });
        Line("reconciliation rows, grouped pass", c, qint64(e1.size()));
        Line("reconciliation rows, statement per class", d, qint64(e2.size()));
        std::printf("  ratio %.1fx, same rows: %s\n", d / c, e1 == e2 ? "yes" : "NO");
    }

    if (!peer) {
        CloseSession();
        return 0;
    }
    const QString journal = dir + QStringLiteral("/minta.ledger");
    qint64 written = 0;
    t = Seconds([&] { written = WriteLedgerJournal(journal); });
    Line("export-journal", t, written);
    qint64 read = 0;
    const double query = Seconds([&] {
        QueryExportSource rows(ExecSql(d_tarvedo, QStringLiteral("select TELJKELT, BIZKELT, KONYVELVE, KONYVBIZ, SZOVEG, "
                                                                 "SZLA, ESZLA, ERTEK from TETEL "
                                                                 "order by TELJKELT, NTIPUS, KONYVBIZ, SORSZAM")),
                               QStringLiteral("journal"));
        for (bool more = rows.first(); more; more = rows.next()) ++read;
    });
    Line("  its query alone, rows read through", query, read);
    std::printf("  export-journal / its query: %.2fx\n", t / query);
    int exitCode = -1;
    const double ledger = Seconds([&] {
        QProcess process;
        process.start(QStringLiteral("ledger"), {QStringLiteral("-f"), journal, QStringLiteral("balance")});
        process.waitForFinished(-1);
        exitCode = process.exitCode();
    });
    std::printf("%-44s %8.3f s  (exit code %d)\n", "ledger -f FILE balance", ledger, exitCode);
    std::printf("  ledger / our trial balance: %.1fx\n", ledger / fokiv);
    std::printf("peak memory: %.0f MB\n", PeakMemoryMb());
    CloseSession();
    return 0;
}
