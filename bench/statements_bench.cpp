// Times the income statement and the balance sheet on a demo working directory:
//
//   statements_bench DIR [--items N]
//
// DIR is made with N demo items (default 1 000 000) when it does not exist.
// Prints the trial balance both statements run first, each statement
// whole and after its trial balance, the income statement's lines by a sum
// statement per line against ours (ratio, and whether both give the same
// lines), and whether the statements tie out.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cmath>
#include <cstdio>

#include "bench_support.h"
#include "db/app_conventions.h"
#include "db/dat.h"
#include "db/session.h"
#include "reports/eredmeny.h"
#include "reports/merleg.h"

namespace {

void Line(const char* what, double seconds) {
    std::printf("%-52s %8.3f s\n", what, seconds);
    std::fflush(stdout);
}

QString Lines(const QString& table) {
    QStringList out;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select ID, TARGYEV from %1 order by ID").arg(table));
    while (NextRow(q)) out << q.value(0).toString() + u'=' + q.value(1).toString();
    return out.join(u' ');
}

double Value(const QString& sql) { return SelectValue(d_tarvedo, sql).toDouble(); }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetAppConventions();
    QStringList args = app.arguments().mid(1);
    qlonglong items = 1000000;
    if (const qsizetype at = args.indexOf(QStringLiteral("--items")); at >= 0 && at + 1 < args.size()) {
        items = args.at(at + 1).toLongLong();
        args.remove(at, 2);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: statements_bench DIR [--items N]\n");
        return 2;
    }
    if (!OpenDemoCompany(QFileInfo(args.first()).absoluteFilePath(), items)) return 1;
    std::printf("ledger rows: %lld\n", SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toLongLong());

    ResultTable fokiv;
    RunFokiv({}, fokiv, FokivCallerEredmeny);  // creates the table: the timed runs refill it
    const double trialBalance = Seconds([&] { RunFokiv({}, fokiv, FokivCallerEredmeny); });
    Line("trial balance (the statements' source)", trialBalance);

    const double eredmeny = Seconds([&] { ComputeEredmeny({}, fokiv); });
    const double eredmenyLines = Seconds([&] { ComputeEredmenyFromTable(fokiv.name); });
    Line("income statement, whole", eredmeny);
    Line("income statement, after its trial balance", eredmenyLines);
    const double merleg = Seconds([&] { ComputeMerleg({}, fokiv); });
    const double merlegLines = Seconds([&] { ComputeMerlegFromTable(fokiv.name); });
    Line("balance sheet, whole", merleg);
    Line("balance sheet, after its trial balance", merlegLines);

    const QString ours = Lines(QStringLiteral("EREDMENY"));
    const double perLine = Seconds([&] { ComputeEredmenyPerLine(fokiv.name); });
    Line("income statement lines, statement per line", perLine);
    std::printf("  ratio %.1fx, same lines: %s\n", perLine / eredmenyLines,
                ours == Lines(QStringLiteral("EREDMENY")) ? "yes" : "NO");

    const double g = Value(QStringLiteral("select TARGYEV from EREDMENY where SORSZAM = 'G.'"));
    const double assets = Value(QStringLiteral("select TARGYEV from MERLEG where ID = 130"));
    const double liabilities = Value(QStringLiteral("select TARGYEV from MERLEG where ID = 680"));
    std::printf("profit %.0f, profit line %.0f, assets %.0f, liabilities %.0f (difference %.0f thousand forints)\n", g,
                Value(QStringLiteral("select TARGYEV from MERLEG where ID = 590")), assets, liabilities,
                std::abs(assets - liabilities));
    std::printf("peak memory: %.0f MB\n", PeakMemoryMb());
    CloseSession();
    return 0;
}
