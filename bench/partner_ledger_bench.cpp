// Times the customer ledger and the balance confirmation letters:
//
//   partner_ledger_bench DIR [--items N] [--compare DIR2 [--compare-items M]]
//
// DIR is made with N demo items (default 1 000 000) when it does not exist.
// Prints the time of the customer ledger with every status ("Mind") and of
// the letters for all customers, with the processor time of this process
// (the embedded engine runs inside it), and the open items' arrears against
// the control account's balance. With --compare, on DIR2 (made with
// M items, default 100 000): the one-pass ledger against the invoice-by-
// invoice reading, their ratio, and whether both give the same rows.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

#include "bench_support.h"
#include "db/app_conventions.h"
#include "db/dat.h"
#include "db/session.h"
#include "export/export_source.h"
#include "reports/egyenleg.h"
#include "reports/egyenlegkozlo.h"

namespace {

void Line(const char* what, const Timed& t, qint64 rows) {
    std::printf("%-46s %8.3f s  (cpu %7.3f s, %lld rows)\n", what, t.wall, t.cpu, rows);
    std::fflush(stdout);
}

// Every row of a table, sorted, as text.
QStringList Rows(const QString& table) {
    QStringList out;
    QueryExportSource rows(ExecSql(d_tarvedo, QStringLiteral("select * from ") + table), QStringLiteral("q_rows"));
    for (bool more = rows.first(); more; more = rows.next()) {
        QStringList values;
        for (int i = 0; i < rows.columns().size(); ++i) {
            const QVariant v = rows.value(i);
            values << (v.typeId() == QMetaType::Double ? QString::number(v.toDouble() + 0.0, 'f', 4) : v.toString());
        }
        out << values.join(u'|');
    }
    out.sort();
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetAppConventions();
    QStringList args = app.arguments().mid(1);
    const qlonglong items = TakeBenchOption(args, QStringLiteral("--items"), QStringLiteral("1000000")).toLongLong();
    const QString compareDir = TakeBenchOption(args, QStringLiteral("--compare"), QString());
    const qlonglong compareItems = TakeBenchOption(args, QStringLiteral("--compare-items"), QStringLiteral("100000")).toLongLong();
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: partner_ledger_bench DIR [--items N] [--compare DIR2 [--compare-items M]]\n");
        return 2;
    }
    if (!OpenDemoCompany(QFileInfo(args.first()).absoluteFilePath(), items)) return 1;
    std::printf("ledger rows: %lld\n", SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toLongLong());

    EgyenlegCriteria all;
    all.szamlajel = Mind;
    ResultTable table;
    EgyenlegRun run;
    Timed t = Measure([&] { run = RunEgyenleg(PartnerSide::Customers, all, table); });
    Line("customer ledger, Mind (new table)", t, run.rows);
    t = Measure([&] { run = RunEgyenleg(PartnerSide::Customers, all, table); });
    Line("customer ledger, Mind", t, run.rows);
    EgyenlegCriteria open;
    t = Measure([&] { run = RunEgyenleg(PartnerSide::Customers, open, table); });
    Line("customer ledger, not paid", t, run.rows);
    // The open items against the control account, as the list ends.
    const double arrears = EgyenlegArrears(run.table);
    std::printf("arrears %.0f, control account %.0f, difference %.0f\n", arrears, run.controlBalance.value_or(0),
                arrears - run.controlBalance.value_or(0));
    // The engine alone on the same work: the invoice rows grouped by the
    // database and joined with their payment items, written into a table
    // of the same shape, no statuses and no order of the payments.
    {
        const SettlementQuery query = EgyenlegSettlementQuery(PartnerSide::Customers, all.normalised());
        QVariantMap params = query.params;
        params[QStringLiteral("PTKOD")] = Td().PtKod;
        params[QStringLiteral("BKKOD")] = Td().BkKod;
        ResultTable plain;
        plain.prepare(EgyenlegPrefix, EgyenlegColumns());
        const QString sql =
            QStringLiteral("INSERT INTO ") + plain.name +
            QStringLiteral(" (UGYFELKOD, UGYFELNEV, NTIPUS, KONYVBIZ, SZAMLASZAM, TELJKELT, FIZHATIDO, ERTEK, DEVERTEK,"
                           " DEVIZANEM, PNTIPUS, PBIZONYLAT, PKONYVBIZ, PTELJKELT, PERTEK, PDEVERTEK, PDEVIZANEM)\n"
                           "SELECT I.UGYFELKOD, I.UGYFELNEV, I.NTIPUS, I.KONYVBIZ, I.SZAMLASZAM, I.TELJKELT, I.FIZHATIDO,"
                           " I.ERTEK, I.DEVIZAERTEK, I.DEVIZANEM, P.NTIPUS, P.BIZONYLAT, P.KONYVBIZ, P.TELJKELT, P.ERTEK,"
                           " P.DEVIZAERTEK, P.DEVIZANEM\n  from (") +
            SettlementInvoicesSql(query) +
            QStringLiteral(") I LEFT OUTER JOIN TETEL P ON P.UGYFELKOD = I.UGYFELKOD AND P.SZAMLASZAM = I.SZAMLASZAM"
                           " AND (P.NTIPUS = :PTKOD OR P.NTIPUS = :BKKOD)");
        qint64 plainRows = 0;
        const Timed engine = Measure([&] { plainRows = ExecSql(d_tarvedo, sql, params).numRowsAffected(); });
        Line("engine alone: invoices joined with payments", engine, plainRows);
        // Its rows emptied, so that the ledger runs on an engine in the state it found.
        plain.prepare(EgyenlegPrefix, EgyenlegColumns());
        const Timed ours = Measure([&] { run = RunEgyenleg(PartnerSide::Customers, all, table); });
        Line("customer ledger, Mind (again)", ours, run.rows);
        std::printf("ratio customer ledger / engine alone: %.1f (cpu %.1f)\n", ours.wall / engine.wall, ours.cpu / engine.cpu);
    }
    t = Measure([&] { NormaliseLedgerTexts(); });
    Line("  of it: missing texts made empty", t, 0);
    ResultTable letters;
    ReportRun letterRun;
    t = Measure([&] { letterRun = RunEgyenlegkozlo({}, letters); });
    Line("balance letters, all customers", t, letterRun.rows);
    std::printf("letters: %lld\n",
                SelectValue(d_tarvedo, QStringLiteral("select count(*) from (select distinct UGYFELKOD, DEVIZANEM from ") +
                                           letters.name + u')')
                    .toLongLong());

    if (compareDir.isEmpty()) return 0;
    for (const QString& name : QSqlDatabase::connectionNames()) DbDisconnect(name);
    if (!OpenDemoCompany(QFileInfo(compareDir).absoluteFilePath(), compareItems)) return 1;
    std::printf("\ncompare on %s, ledger rows: %lld\n", qPrintable(compareDir),
                SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toLongLong());
    ResultTable onePass, perInvoice;
    const Timed set = Measure([&] { run = RunEgyenleg(PartnerSide::Customers, all, onePass); });
    Line("customer ledger, Mind, one pass", set, run.rows);
    perInvoice.prepare(EgyenlegPrefix, EgyenlegColumns());
    qint64 written = 0;
    const Timed each = Measure([&] { written = FillEgyenlegPerInvoice(PartnerSide::Customers, all, perInvoice.name); });
    Line("customer ledger, Mind, invoice by invoice", each, written);
    std::printf("ratio invoice by invoice / one pass: %.1f (cpu %.1f)\n", each.wall / set.wall, each.cpu / set.cpu);
    std::printf("same rows: %s\n", Rows(onePass.name) == Rows(perInvoice.name) ? "yes" : "NO");
    return 0;
}
