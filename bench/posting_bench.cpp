// Times the posting of a voucher file through the voucher window's checks
// and storage, and the import of ledger items: `posting_bench [ITEMS]
// [LEDGER] [post|import]` makes a demo company with LEDGER items (default
// 20 000), writes a voucher file and an import file of ITEMS items each
// (default 100 000), and prints items per second for `post` and for
// `import` (only the one named, when one is): by the clock, and by the
// processor time of this process, which the embedded engine runs in, for a
// machine shared with other work. Beside each it times the engine alone
// inserting the same rows, committed, the turnover trigger and the indexes
// at work: in one `insert into TETEL select …` from a copy of them, and
// through one prepared insert per row with the values already in memory
// (the least any program sending rows from outside the database pays), and
// prints the ratios to both. After each it times two trial balances: the
// first one pays for merging the turnover rows the items added.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTextStream>
#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "bench_vouchers.h"
#include "db/app_conventions.h"
#include "db/dat.h"
#include "db/fb_write.h"
#include "db/db_error.h"
#include "db/session.h"
#include "import/adatbeo.h"
#include "ledger/turnover_table.h"
#include "posting/post_vouchers.h"
#include "reports/fokiv.h"

namespace {

// The same kind of books as ledger rows of the import format TETEL_CSV.
void writeImportFile(const QString& path, int items) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QTextStream out(&file);
    out << "VOUCHER;NTIPUS;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;SZLA;ESZLA;"
           "ERTEK;TART_KOV;AFAKULCS;SOR65;DEVIZANEM;DEVIZAERTEK;ARFOLYAM\n";
    BenchRandom random(11);
    int written = 0;
    for (int voucher = 1; written < items; ++voucher) {
        const QString date = BenchDay(random);
        if (random.range(1, 100) <= 60) {
            const int lines = random.range(1, 3);
            for (int i = 0; i < lines && written < items; ++i, ++written) {
                const int net = random.range(1, 2000) * 100;
                out << voucher << ";VE;" << date << ';' << date << ';' << date << ";;;;I-" << voucher << ";I-" << voucher
                    << ";Értékesítés;311;911;" << net << ";;27;07;;;\n";
                out << voucher << ";VE;" << date << ';' << date << ';' << date << ";;;;I-" << voucher << ";I-" << voucher
                    << ";;311;467;" << net * 27 / 100 << ";A;;;;;\n";
            }
        } else {
            const int lines = random.range(10, 40);
            for (int i = 0; i < lines && written < items; ++i, ++written)
                out << voucher << ";BK;" << date << ';' << date << ";;;;;;" << i + 1 << ";Banki tétel;384;311;"
                    << random.range(100, 900000) << ";;;;;;\n";
        }
    }
}

const char* kLedgerColumns =
    "SORSZAM, SZLA, ESZLA, ERTEK, KONYVELVE, TELJKELT, SZLAKELT, FIZHATIDO, BIZKELT, NTIPUS, KONYVBIZ, BIZONYLAT, "
    "SZAMLASZAM, UGYFELKOD, KTSGHELY, DEVIZANEM, ARFOLYAM, DEVIZAERTEK, KAPOCS, TIPUS, TART_KOV, SZOVEG, AFAKULCS, SOR65";

qlonglong itemCounter() {
    return SelectValue(d_tarvedo, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'SORSZAM' and EV = '2025'")).toLongLong();
}

// The engine alone writing the rows a run wrote (the items numbered after
// `counterBefore`), two ways: in one `insert … select` from a copy of them,
// and row by row through one prepared insert with the values already in
// memory, as any program taking rows from outside the database must send
// them. Each is committed, then taken out again untimed.
struct EngineTimes {
    Timed select;  // insert … select
    Timed rows;    // a prepared insert per row
};

// Takes out the rows (and their turnover sums) the transaction `tx` wrote.
void undoTransaction(qlonglong tx) {
    DbTransaction undo(d_tarvedo);
    // The trigger told to leave the deletes to us.
    SelectValue(d_tarvedo, QStringLiteral("select rdb$set_context('USER_TRANSACTION', 'FORGALOM_OSSZEGEZVE', 1) from rdb$database"));
    for (const char* table : {"TETEL", "FORGALOM"})
        ExecSql(d_tarvedo, QStringLiteral("delete from %1 where RDB$RECORD_VERSION = :tx").arg(QLatin1String(table)),
                {{QStringLiteral("tx"), tx}});
    undo.commit();
    SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL"));  // the deleted rows cleaned up now, untimed
    SelectValue(d_tarvedo, QStringLiteral("select count(*) from FORGALOM"));
}

EngineTimes engineInsert(qlonglong counterBefore) {
    ExecSql(d_tarvedo, QStringLiteral("recreate table BENCH_SOROK (SORSZAM varchar(15), SZLA varchar(10), ESZLA varchar(10), "
                                      "ERTEK double precision, KONYVELVE varchar(10), TELJKELT varchar(10), SZLAKELT varchar(10), "
                                      "FIZHATIDO varchar(10), BIZKELT varchar(10), NTIPUS varchar(2), KONYVBIZ varchar(15), "
                                      "BIZONYLAT varchar(15), SZAMLASZAM varchar(30), UGYFELKOD varchar(7), KTSGHELY varchar(10), "
                                      "DEVIZANEM varchar(3), ARFOLYAM double precision, DEVIZAERTEK double precision, "
                                      "KAPOCS varchar(9), TIPUS varchar(1), TART_KOV varchar(1), SZOVEG varchar(120), "
                                      "AFAKULCS varchar(2), SOR65 varchar(3))"));
    ExecSql(d_tarvedo, QStringLiteral("insert into BENCH_SOROK select %1 from TETEL where cast(substring(SORSZAM from 3) as "
                                      "bigint) > :before")
                           .arg(QLatin1String(kLedgerColumns)),
            {{QStringLiteral("before"), counterBefore}});
    const QString transactionId = QStringLiteral("select current_transaction from rdb$database");
    EngineTimes times;
    qlonglong tx = 0;
    SelectValue(d_tarvedo, QStringLiteral("select count(*) from BENCH_SOROK"));  // read once, as the run read its file
    times.select = Measure([&] {
        DbTransaction work(d_tarvedo);
        tx = SelectValue(d_tarvedo, transactionId).toLongLong();
        ExecSql(d_tarvedo, QStringLiteral("insert into TETEL (%1) select %1 from BENCH_SOROK").arg(QLatin1String(kLedgerColumns)));
        work.commit();
    });
    undoTransaction(tx);

    std::vector<QVariantList> rows;
    const int columns = int(QString::fromLatin1(kLedgerColumns).count(QLatin1Char(',')) + 1);
    {
        DbTransaction reading(d_tarvedo);
        QSqlQuery read = ExecSql(d_tarvedo, QStringLiteral("select %1 from BENCH_SOROK").arg(QLatin1String(kLedgerColumns)));
        while (NextRow(read)) {
            QVariantList row;
            row.reserve(columns);
            for (int c = 0; c < columns; ++c) row << read.value(c);
            rows.push_back(std::move(row));
        }
        read.finish();
        reading.commit();
    }
    const QString insert = QStringLiteral("insert into TETEL (%1) values (%2)")
                               .arg(QLatin1String(kLedgerColumns), QStringList(columns, QStringLiteral("?")).join(QLatin1Char(',')));
    times.rows = Measure([&] {
        FbWriteTransaction work(d_tarvedo);
        tx = work.selectInteger(transactionId);
        const isc_stmt_handle statement = work.prepare(insert);
        FbParams params;
        for (const QVariantList& row : rows) {
            params.reset(columns);
            for (int c = 0; c < columns; ++c) {
                if (row[c].metaType().id() == QMetaType::Double)
                    params.number(c, row[c].toDouble());
                else
                    params.text(c, row[c].toString());
            }
            work.execute(statement, params);
        }
        work.commit();
    });
    undoTransaction(tx);
    ExecSql(d_tarvedo, QStringLiteral("drop table BENCH_SOROK"));
    return times;
}

void printAgainstEngine(const char* what, const Timed& run, const EngineTimes& engine) {
    const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("%s: %.2f s (processor %.2f s); engine's insert … select of the same rows: %.2f s (processor %.2f s); "
                "ratio %.2f (processor %.2f)\n",
                what, run.wall, run.cpu, engine.select.wall, engine.select.cpu, ratio(run.wall, engine.select.wall),
                ratio(run.cpu, engine.select.cpu));
    std::printf("%s against the engine's prepared insert per row of the same rows: %.2f s (processor %.2f s); "
                "ratio %.2f (processor %.2f)\n",
                what, engine.rows.wall, engine.rows.cpu, ratio(run.wall, engine.rows.wall), ratio(run.cpu, engine.rows.cpu));
}

// The turnover rows the items added are merged by the next report once
// there are many, and the engine cleans up after a merge at the read after
// it: both land on the first trial balance.
void timeTrialBalances(const char* after) {
    std::printf("turnover rows waiting for a merge: %lld\n", UnmergedTurnoverRows(d_tarvedo));
    ResultTable table;
    const FokivCriteria year{"", "", "", "", "", "", false, false};
    for (const char* which : {"first", "second"}) {
        QElapsedTimer timer;
        timer.start();
        RunFokiv(year, table);
        std::printf("%s trial balance after the %s: %.3f s\n", which, after, double(timer.elapsed()) / 1000.0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetAppConventions();
    const int items = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100000;
    const qlonglong ledger = argc > 2 ? QString::fromLatin1(argv[2]).toLongLong() : 20000;
    const QString only = argc > 3 ? QString::fromLatin1(argv[3]) : QString();
    const bool runPost = only.isEmpty() || only == QLatin1String("post");
    const bool runImport = only.isEmpty() || only == QLatin1String("import");
    const QString dir = QDir::temp().filePath(QStringLiteral("tarvedo-posting-bench"));
    QDir(dir).removeRecursively();

    if (!OpenDemoCompany(dir, ledger)) return 1;

    if (runPost) {
        const QString voucherFile = QDir(dir).filePath(QStringLiteral("vouchers.csv"));
        WriteBenchVoucherFile(voucherFile, items, 7);
        const qlonglong counterBefore = itemCounter();
        PostReport posted;
        const Timed run = Measure([&] { posted = PostVoucherFile(voucherFile, false); });
        const double seconds = run.wall;
        const double cpu = run.cpu;
        if (!posted.ok()) {
            std::fprintf(stderr, "post: %s %lld faults, first: %s\n", posted.fileError.toUtf8().constData(),
                         qlonglong(posted.faults.size()),
                         posted.faults.isEmpty() ? "" : posted.faults.first().text.toUtf8().constData());
            return 1;
        }
        const QString what = QStringLiteral("post %1 items in %2 vouchers").arg(posted.storedItems).arg(posted.storedVouchers);
        PrintRate(what, posted.storedItems, QStringLiteral("items"), seconds);
        PrintRate(what + QStringLiteral(", processor time"), posted.storedItems, QStringLiteral("items"), cpu);
        printAgainstEngine("post", run, engineInsert(counterBefore));
        timeTrialBalances("posting");
    }

    if (runImport) {
        const QString importFile = QDir(dir).filePath(QStringLiteral("items.csv"));
        writeImportFile(importFile, items);
        const qlonglong counterBefore = itemCounter();
        ImportReport imported;
        const Timed run = Measure([&] { imported = ImportItems(importFile, {}); });
        const double seconds = run.wall;
        const double cpu = run.cpu;
        if (!imported.ok()) {
            std::fprintf(stderr, "import: %s %lld faults\n", imported.error.toUtf8().constData(),
                         qlonglong(imported.faults.size()));
            return 1;
        }
        const QString what = QStringLiteral("import %1 items (%2 rows) in %3 vouchers")
                                 .arg(imported.items)
                                 .arg(imported.rows)
                                 .arg(imported.vouchers);
        PrintRate(what, imported.items, QStringLiteral("items"), seconds);
        PrintRate(what + QStringLiteral(", processor time"), imported.items, QStringLiteral("items"), cpu);
        printAgainstEngine("import", run, engineInsert(counterBefore));
        timeTrialBalances("import");
    }
    std::printf("peak memory: %.0f MB\n", PeakMemoryMb());
    CloseSession();
    QDir(dir).removeRecursively();
    return 0;
}
