// Times the year closing on a demo working directory: the whole closing
// into a new database (by invoice), and the balances and open invoices as
// the closing reads them (the turnover sums; the invoices and payments read
// once and matched in the program) against one pair of statements per
// account and one payment statement per invoice, the plain way.
//   yearend_bench DIR [--items N] [--compare] [--same-as DATABASE]
// (--compare: also the per-account and per-invoice statements; slow on a
// million items, meant for a ledger of 100 000. --same-as: the opening items
// must equal those of DATABASE, the next year of an earlier closing of the
// same ledger, for instance by an earlier version of the program.)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <cstdio>

#include "bench_support.h"
#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "reports/turnover_pass.h"
#include "yearend/evzaro.h"
#include "yearend/open_invoices.h"

namespace {

// The balances and the open invoices one statement per account and one per
// invoice, as a plain loop would find them. Returns the number of open invoices.
int PerRowStatements() {
    QSqlQuery accounts = ExecSql(d_tarvedo, QStringLiteral("select SZLA from SZ_TUKOR where KARTON='K' "
                                                           "and SUBSTRING (SZLA FROM 1 FOR 1) between '1' and '4' order by SZLA"));
    while (NextRow(accounts)) {
        const QVariantMap like{{QStringLiteral("LIKEPARAM"), accounts.value(0).toString().trimmed() + u'%'}};
        SelectValue(d_tarvedo, QStringLiteral("SELECT sum(ERTEK) ERTEK from TETEL where SZLA like :LIKEPARAM"), like);
        SelectValue(d_tarvedo, QStringLiteral("SELECT sum(ERTEK) ERTEK from TETEL where ESZLA like :LIKEPARAM"), like);
    }
    QSqlQuery invoices = ExecSql(
        d_tarvedo, QStringLiteral("SELECT UGYFELKOD, NTIPUS, SZAMLASZAM, sum(ertek) from TETEL where (ntipus='SZ' and eszla='454') "
                                  "or (ntipus='VE' and szla='311') group by UGYFELKOD, NTIPUS, KONYVBIZ, SZAMLASZAM, TELJKELT, "
                                  "FIZHATIDO, DEVIZANEM HAVING sum(ertek)<>0 OR sum(devizaertek)<>0"));
    QSqlQuery payments(Connection(d_tarvedo));
    payments.setForwardOnly(true);
    payments.prepare(QStringLiteral("SELECT SZLA, ESZLA, ERTEK from TETEL where (ntipus='PT' or ntipus='BK') and "
                                    "(ugyfelkod = ? OR ugyfelkod='') AND szamlaszam = ?"));
    int open = 0;
    while (NextRow(invoices)) {
        const bool customer = invoices.value(1).toString() == QLatin1String("VE");
        payments.bindValue(0, invoices.value(0));
        payments.bindValue(1, invoices.value(2));
        if (!payments.exec()) throw DbError(payments.lastError());
        double p = 0, q = 0;
        while (NextRow(payments)) {
            const bool settles = customer ? payments.value(1).toString() == QLatin1String("311")
                                          : payments.value(0).toString() == QLatin1String("454");
            (settles ? p : q) = double(RoundHalfAway((settles ? p : q) + payments.value(2).toDouble()));
        }
        if (std::abs((p - q) - double(RoundHalfAway(invoices.value(3).toDouble()))) >= 3) ++open;
    }
    return open;
}

// The opening items of a next-year database, one line each in number
// order, without the dates of the day the closing ran.
QStringList OpeningItemLines(const QString& connection) {
    QStringList lines;
    QSqlQuery q = ExecSql(connection, QStringLiteral("select SORSZAM, SZLA, ESZLA, ERTEK, TELJKELT, FIZHATIDO, TIPUS, SZOVEG, "
                                                     "UGYFELKOD, KONYVBIZ, SZAMLASZAM, DEVIZANEM, DEVIZAERTEK, BIZONYLAT, "
                                                     "KTSGHELY, TART_KOV, NTIPUS from TETEL order by SORSZAM"));
    while (NextRow(q)) {
        QStringList values;
        for (int i = 0; i < 17; ++i) values << (q.isNull(i) ? QStringLiteral("<null>") : q.value(i).toString());
        lines << values.join(u'|');
    }
    return lines;
}

// Whether the next year just made has the opening items of `reference`.
bool SameOpeningItems(const QString& reference) {
    const QString connection = QStringLiteral("yearend_reference");
    if (!OpenDatabase(connection, reference)) {
        std::fprintf(stderr, "cannot open %s\n", reference.toUtf8().constData());
        return false;
    }
    const QStringList made = OpeningItemLines(d_tarvedo2), expected = OpeningItemLines(connection);
    DbDisconnect(connection);
    for (qsizetype i = 0; i < qMin(made.size(), expected.size()); ++i)
        if (made.at(i) != expected.at(i)) {
            std::printf("opening items differ from %s at row %lld:\n  %s\n  %s\n", reference.toUtf8().constData(),
                        qlonglong(i + 1), made.at(i).toUtf8().constData(), expected.at(i).toUtf8().constData());
            return false;
        }
    std::printf("opening items %s those of %s (%lld and %lld rows)\n",
                made.size() == expected.size() ? "identical to" : "differ in number from", reference.toUtf8().constData(),
                qlonglong(made.size()), qlonglong(expected.size()));
    return made.size() == expected.size();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const qlonglong items = TakeBenchOption(args, QStringLiteral("--items"), QStringLiteral("1000000")).toLongLong();
    const bool compare = args.removeOne(QStringLiteral("--compare"));
    const QString sameAs = TakeBenchOption(args, QStringLiteral("--same-as"), QString());
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: yearend_bench DIR [--items N] [--compare] [--same-as DATABASE]\n");
        return 2;
    }
    const QString dir = QFileInfo(args.first()).absoluteFilePath();
    if (!OpenDemoCompany(dir, items)) return 1;
    try {
        const qlonglong rows = SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toLongLong();

        // The closing as a bookkeeper runs it: a new database, open invoices one by one.
        EvzaroParams params;
        params.zardatum = QStringLiteral("2026.01.01");
        params.path = dir + QStringLiteral("/bench_next");
        params.name = QStringLiteral("MINTA_2026.GDB");
        params.teteles = true;
        QFile::remove(params.path + u'/' + params.name);
        ExecSql(d_tarvedo, QStringLiteral("update CEG set NYITVA = 'I'"));
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = CpuSeconds();
        QString phase;
        QElapsedTimer phaseTimer;
        phaseTimer.start();
        double phaseCpu = cpuBefore;
        const auto endPhase = [&](const char* suffix) {
            const double cpu = CpuSeconds();
            std::printf("  %s%s: %.2f s (%.2f s processor time)\n", phase.toUtf8().constData(), suffix,
                        phaseTimer.restart() / 1000.0, cpu - phaseCpu);
            phaseCpu = cpu;
        };
        const EvzaroResult closed = RunEvzaro(params, [&](const QString& what, qint64, qint64) {
            if (what == phase) return;
            if (!phase.isEmpty()) endPhase("");
            phase = what;
        });
        if (!phase.isEmpty()) endPhase(" and the rest");
        const double closing = timer.elapsed() / 1000.0;
        const double closingCpu = CpuSeconds() - cpuBefore;
        if (!closed.ok) {
            std::fprintf(stderr, "%s\n", closed.error.toUtf8().constData());
            return 1;
        }
        std::printf("year closing, new database, by invoice: %lld ledger rows, %d balances, %d open invoices: %.2f s "
                    "(%.2f s processor time here)\n",
                    rows, closed.accountItems, closed.invoiceItems, closing, closingCpu);

        if (!sameAs.isEmpty() && !SameOpeningItems(sameAs)) return 1;

        // The engine alone on the same writing: the opening items inserted again
        // by one statement inside the engine, then rolled back.
        {
            DbTransaction transaction(d_tarvedo2);
            SelectValue(d_tarvedo2, QStringLiteral("select rdb$set_context('USER_TRANSACTION', 'FORGALOM_OSSZEGEZVE', 1) "
                                                   "from rdb$database"));
            const QString columns = QStringLiteral(
                "SZLA, ESZLA, TELJKELT, SZLAKELT, FIZHATIDO, BIZKELT, KONYVELVE, TIPUS, BIZONYLAT, SZOVEG, ERTEK, NTIPUS, "
                "TART_KOV, UGYFELKOD, KTSGHELY, KONYVBIZ, SZAMLASZAM, KAPOCS, AFAKULCS, SOR65, DEVIZANEM, DEVIZAERTEK, ARFOLYAM");
            timer.restart();
            const double cpu = CpuSeconds();
            ExecSql(d_tarvedo2, QStringLiteral("insert into TETEL (SORSZAM, %1) select SORSZAM || 'X', %1 from TETEL "
                                               "where NTIPUS = 'NY'").arg(columns));
            const double engine = timer.elapsed() / 1000.0;
            const double engineCpu = CpuSeconds() - cpu;
            transaction.rollback();
            std::printf("engine alone, the same %d opening items by one insert ... select: %.2f s (%.2f s processor time); "
                        "closing / engine insert: %.1fx by processor time\n",
                        closed.accountItems + closed.invoiceItems, engine, engineCpu, closingCpu / qMax(engineCpu, 0.001));
        }
        if (!compare) return 0;
        // What the closing reads: one reading of each kind against one statement per account and per invoice.
        timer.restart();
        ReadTurnovers(QString(), QString(), QString(), {});
        const int grouped = [] {
            DbTransaction transaction(d_tarvedo);
            return int(SelectOpenInvoices().size());
        }();
        const double setBased = timer.elapsed() / 1000.0;
        timer.restart();
        const int perRow = PerRowStatements();
        const double perRowSeconds = timer.elapsed() / 1000.0;
        std::printf("balances and open invoices, read once: %.2f s (%d open)\n", setBased, grouped);
        std::printf("balances and open invoices, one statement per account and per invoice: %.2f s (%d open)\n",
                    perRowSeconds, perRow);
        std::printf("ratio per-row / read once: %.1fx; whole closing / per-row statements alone: %.2f\n",
                    perRowSeconds / qMax(setBased, 0.001), closing / qMax(perRowSeconds, 0.001));
        std::printf("peak memory: %.0f MB\n", PeakMemoryMb());
    } catch (const DbError& error) {
        std::fprintf(stderr, "%s\n", error.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
