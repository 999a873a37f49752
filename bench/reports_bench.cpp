// Times the ledger reports on a demo working directory:
//
//   reports_bench DIR [--items N] [--compare] [--no-cards] [--no-peer] [--reference REFDIR]
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
//
// The account cards of class 3 and of account 384 are written to .txt as
// `report karton` writes them, beside the engine alone reading the same
// rows with the account names in the printed order by one plain query
// (every column sorted), and the ratio of the two in wall-clock and
// processor time. With --reference the written files are compared byte
// for byte with REFDIR/karton-3.txt and REFDIR/karton-384.txt.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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
#include "export/store_dataset.h"

namespace {

void Line(const char* what, double seconds, qint64 rows) {
    std::printf("%-44s %8.3f s  (%lld rows)\n", what, seconds, rows);
    std::fflush(stdout);
}

void Line(const char* what, const Timed& t, qint64 rows) {
    std::printf("%-44s %8.3f s  cpu %8.3f s  (%lld rows)\n", what, t.wall, t.cpu, rows);
    std::fflush(stdout);
}

// The card's lines read by one plain statement of the engine: both sides
// with the account names, every column sorted in the printed order.
qint64 ReadCardPlainly(const QString& prefix) {
    const auto side = [](const char* own, const char* contra, bool debit) {
        return QStringLiteral("SELECT T.%1, T.%2, %3, %4, %3, %4, T.KONYVELVE, T.NTIPUS, T.SZOVEG, N.SZOVEG, T.SZAMLASZAM, "
                              "T.TELJKELT, T.SZLAKELT, T.FIZHATIDO, T.BIZKELT, T.BIZONYLAT, T.KONYVBIZ, T.SORSZAM "
                              "from TETEL T left join SZ_TUKOR N on N.SZLA = T.%1 where T.%1 like :P and T.%1 >= :K and T.%1 < :V ")
            .arg(QLatin1String(own), QLatin1String(contra), QLatin1String(debit ? "T.ERTEK" : "0"),
                 QLatin1String(debit ? "0" : "T.ERTEK"));
    };
    const QString to = prefix.chopped(1) + QChar(prefix.back().unicode() + 1);
    QueryExportSource rows(ExecSql(d_tarvedo,
                                   side("SZLA", "ESZLA", true) + QStringLiteral("union all ") + side("ESZLA", "SZLA", false) +
                                       QStringLiteral("order by 1, 12, 17, 18, 2"),
                                   {{QStringLiteral("P"), prefix + u'%'}, {QStringLiteral("K"), prefix}, {QStringLiteral("V"), to}}),
                           QStringLiteral("engine"));
    qint64 read = 0;
    for (bool more = rows.first(); more; more = rows.next()) ++read;
    return read;
}

// One account card to .txt as `report karton` writes it, beside the engine alone.
void BenchCard(const QString& prefix, const QString& dir, const QString& reference) {
    const QString file = dir + QStringLiteral("/karton-%1.txt").arg(prefix);
    ReportRun run;
    const Timed card = Measure([&] {
        run = RunKarton({.szla = prefix});
        QueryExportSource rows(ExecSql(d_tarvedo, run.querySql, run.params), QStringLiteral("q_karton"));
        QString chosen;
        StoreDataSet(rows, file, QString(), chosen);
    });
    Line(QStringLiteral("account card %1 to .txt").arg(prefix).toUtf8().constData(), card, run.rows);
    qint64 read = 0;
    const Timed count = Measure([&] { run = RunKarton({.szla = prefix}); });
    Line("  of it: counting the lines", count, run.rows);
    const Timed query = Measure([&] {
        QueryExportSource rows(ExecSql(d_tarvedo, run.querySql, run.params), QStringLiteral("q_karton"));
        for (bool more = rows.first(); more; more = rows.next()) ++read;
    });
    Line("  of it: the card's query read through", query, read);
    const Timed engine = Measure([&] { read = ReadCardPlainly(prefix); });
    Line("  engine alone, the same rows in order", engine, read);
    std::printf("  card / engine: %.2fx (cpu %.2fx)\n", card.wall / engine.wall, card.cpu / engine.cpu);
    if (!reference.isEmpty()) {
        QFile ours(file), theirs(reference + QStringLiteral("/karton-%1.txt").arg(prefix));
        bool same = ours.open(QIODevice::ReadOnly) && theirs.open(QIODevice::ReadOnly) && ours.size() == theirs.size();
        while (same && !ours.atEnd()) {
            const QByteArray piece = ours.read(1 << 20);
            same = !piece.isEmpty() && piece == theirs.read(1 << 20);  // an empty piece before the end: a failed read
        }
        std::printf("  same bytes as %s: %s\n", theirs.fileName().toUtf8().constData(), same ? "yes" : "NO");
    }
    QFile::remove(file);
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
    const QString reference = TakeBenchOption(args, QStringLiteral("--reference"), QString());
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: reports_bench DIR [--items N] [--compare] [--no-cards] [--no-peer] [--reference REFDIR]\n");
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
        for (const char* prefix : {"3", "384"}) BenchCard(QString::fromLatin1(prefix), dir, reference);
    }
    t = Seconds([&] {
        run = RunKnaplo({.ntipus = Td().BkKod});
        QSqlQuery q = ExecSql(d_tarvedo, run.querySql, run.params);
        while (NextRow(q)) {}
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
