// Times the VAT list and the VAT-return XML on a demo working directory:
//
//   vat_bench DIR [--items N] [--tol YYYY.MM] [--ig YYYY.MM] [--compare]
//
// DIR is made with N demo items (default 100 000) when it does not exist.
// Prints the time of the list of the period (default the second quarter)
// by VAT account and by voucher, split into the read of the items and the
// filling of the result table, the XML after it, and with --compare the
// statements per base and VAT item (as the list was first written) on the
// same period: the ratio, and whether both give the same rows.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "bench_support.h"
#include "db/app_conventions.h"
#include "db/catalog.h"
#include "db/dat.h"
#include "db/fb_cursor.h"
#include "db/session.h"
#include "export/export_source.h"
#include "reports/afalista.h"
#include "reports/afalista_pairs.h"
#include "reports/afalista_table.h"
#include "reports/afaxml.h"

namespace {

// The processor time of the last timed step: the embedded engine runs in
// this process, so on a machine shared with other work it tells what an
// idle one would take.
double lastCpu = 0;

// Wall-clock seconds of the work; its processor time is left in lastCpu.
template <typename Fn>
double timed(Fn&& fn) {
    const Timed t = Measure(fn);
    lastCpu = t.cpu;
    return t.wall;
}

void Line(const QString& what, double seconds, qint64 rows) {
    std::printf("%-52s %8.3f s, processor %7.3f s  (%lld rows)\n", what.toUtf8().constData(), seconds, lastCpu, rows);
    std::fflush(stdout);
}

// Every row of a table as text, in a fixed order.
QStringList tableRows(const QString& table) {
    QueryExportSource rows(ExecSql(d_tarvedo, QStringLiteral("select * from ") + table +
                                                  QStringLiteral(" order by NTIPUS, FIZLEV, KONYVBIZ, UGYFELKOD, "
                                                                 "SZAMLASZAM, KAPOCS")),
                           QStringLiteral("q_rows"));
    QStringList out;
    for (bool more = rows.first(); more; more = rows.next()) {
        QStringList values;
        for (int i = 0; i < rows.columns().size(); ++i) values << rows.value(i).toString();
        out << values.join(u'|');
    }
    return out;
}

// The bench's own tables of an earlier run go first.
void dropIfThere(const QString& table) {
    if (TableExists(table)) ExecSql(d_tarvedo, QStringLiteral("drop table ") + table);
}

QStringList dynamicColumns(const QString& table) {
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select first 1 * from ") + table);
    QStringList names;
    for (int i = 17; i < q.record().count(); ++i) names << q.record().fieldName(i);
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetAppConventions();
    QStringList args = app.arguments().mid(1);
    const bool compare = args.removeOne(QStringLiteral("--compare"));
    const qlonglong items = TakeBenchOption(args, QStringLiteral("--items"), QStringLiteral("100000")).toLongLong();
    AfalistaCriteria c;
    c.tol = TakeBenchOption(args, QStringLiteral("--tol"), QStringLiteral("2025.04"));
    c.ig = TakeBenchOption(args, QStringLiteral("--ig"), QStringLiteral("2025.06"));
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: vat_bench DIR [--items N] [--tol YYYY.MM] [--ig YYYY.MM] [--compare]\n");
        return 2;
    }
    if (!OpenDemoCompany(QFileInfo(args.first()).absoluteFilePath(), items)) return 1;
    std::printf("ledger rows: %lld, period %s - %s\n",
                SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toLongLong(),
                c.tol.toUtf8().constData(), c.ig.toUtf8().constData());

    // Warm the cache as a second run of the day finds it.
    ComputeAfalista(c);

    double listByAccount = 0, listByAccountCpu = 0;
    QString table;
    for (int sorrend : {AfaByAccount, AfaByVoucher}) {
        c.sorrend = sorrend;
        AfalistaResult result;
        const double read = timed([&] { result = ComputeAfalista(c); });
        const double readCpu = lastCpu;
        const QString name = QStringLiteral("TMP_BENCH_%1").arg(sorrend);
        dropIfThere(name);
        const double create = timed([&] { CreateAfalistaTable(name, result.columns); });
        const double createCpu = lastCpu;
        const double fill = timed([&] { InsertAfalistaRows(name, result); });
        const double fillCpu = lastCpu;
        const QString order = sorrend == AfaByAccount ? QStringLiteral("by VAT account") : QStringLiteral("by voucher");
        lastCpu = readCpu;
        Line(QStringLiteral("VAT list %1: read and fold the items").arg(order), read, qint64(result.rows.size()));
        lastCpu = fillCpu;
        Line(QStringLiteral("VAT list %1: fill the result table").arg(order), fill, qint64(result.rows.size()));
        lastCpu = createCpu;
        Line(QStringLiteral("VAT list %1: make the result table").arg(order), create, 0);
        AfalistaMemory memory;
        AfalistaRun run;
        const double whole = timed([&] { run = RunAfalista(c, memory); });
        Line(QStringLiteral("VAT list %1: the whole run").arg(order), whole, run.run.rows);
        if (sorrend == AfaByAccount) {
            listByAccount = whole;
            listByAccountCpu = lastCpu;
            table = run.run.table;
        }
    }
    // The engine alone on the same work: the rows of the same vouchers read
    // by the same statement per journal type and fetched through the client
    // library, nothing done with them, and as many rows of the same width
    // written into a table of the same columns by one statement.
    c.sorrend = AfaByAccount;
    const QString engineTable = QStringLiteral("TMP_BENCH_ENGINE");
    dropIfThere(engineTable);
    AfalistaResult shape = ComputeAfalista(c);
    CreateAfalistaTable(engineTable, shape.columns);
    double engineRead = 0, engineReadCpu = 0, engineWrite = 0;
    qint64 engineRows = 0;
    for (const QString& journal : {Td().SzKod, Td().PtKod, Td().VeKod}) {
        engineRead += timed([&] {
            QSqlQuery q = AfaVoucherRows(journal, c);
            if (!NextRow(q)) return;
            ++engineRows;
            std::unique_ptr<FbCursor> cursor = FbCursor::take(q);
            while (cursor ? cursor->fetch() : NextRow(q)) ++engineRows;
        });
        engineReadCpu += lastCpu;
    }
    engineWrite = timed([&] {
        DbTransaction transaction(d_tarvedo);
        ExecSql(d_tarvedo, QStringLiteral("INSERT INTO %1 (NTIPUS, FIZLEV, AFASZLA, SZAMLASZAM, UGYFELKOD, TELJKELT, "
                                          "SZLAKELT, FIZHATIDO, KOD, SZNEV, ALAP, AFA, BRUTTO, KONYVBIZ, NTNEV, KAPOCS, "
                                          "SZOVEG, \"%2\", \"%3\") SELECT FIRST %4 NTIPUS, 'FIZ', SZLA, SZAMLASZAM, "
                                          "UGYFELKOD, TELJKELT, SZLAKELT, FIZHATIDO, AFAKULCS, SZOVEG, ERTEK, ERTEK, ERTEK, "
                                          "KONYVBIZ, ESZLA, KAPOCS, SZOVEG, ERTEK, ERTEK FROM TETEL")
                               .arg(engineTable, shape.columns.value(0), shape.columns.value(1))
                               .arg(shape.rows.size()));
        transaction.commit();
    });
    const double engineWriteCpu = lastCpu;
    lastCpu = engineReadCpu;
    Line(QStringLiteral("engine alone: read the same vouchers"), engineRead, engineRows);
    lastCpu = engineWriteCpu;
    Line(QStringLiteral("engine alone: write as many rows"), engineWrite, qint64(shape.rows.size()));
    std::printf("  the whole run / the engine alone: %.1fx (processor time %.1fx)\n", listByAccount / (engineRead + engineWrite),
                listByAccountCpu / (engineReadCpu + engineWriteCpu));

    QTemporaryDir dir;
    const double xml = timed([&] { WriteAfaXml({c.tol, c.ig, QStringLiteral("1.0"), table, {}}, dir.filePath("afa.xml")); });
    Line(QStringLiteral("VAT-return XML from the list"), xml, 0);
    std::printf("  list %.2f s (target 3 s), XML %.2f s (target 1 s)\n", listByAccount, xml);

    if (compare) {
        c.sorrend = AfaByAccount;
        const QString reference = QStringLiteral("TMP_BENCH_REF");
        dropIfThere(reference);
        double perItem = 0;
        perItem = timed([&] {
            CreateAfalistaTable(reference, AfalistaPeriodColumns(c));
            FillAfalistaPerItem(c, reference);
        });
        const qint64 n = SelectValue(d_tarvedo, QStringLiteral("select count(*) from ") + reference).toLongLong();
        Line(QStringLiteral("VAT list by VAT account, statements per item"), perItem, n);
        const bool sameColumns = dynamicColumns(reference) == dynamicColumns(table);
        const double perItemCpu = lastCpu;
        const bool same = sameColumns && tableRows(reference) == tableRows(table);
        std::printf("  ratio %.1fx (processor time %.1fx), same rows: %s\n", perItem / listByAccount,
                    perItemCpu / listByAccountCpu, same ? "yes" : "NO");
    }
    std::printf("processor time %.2f s, peak memory: %.0f MB\n", CpuSeconds(), PeakMemoryMb());
    CloseSession();
    return 0;
}
