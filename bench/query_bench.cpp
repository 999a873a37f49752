// Own lists at scale: every ledger row read through the read-only statement
// of the list builder and "tarvedo-cli query", compared with the program's
// usual reading of a query (the driver with its rows read ahead), then laid
// out as the general list and stored as text.
//
//   query_bench [--items N] [--dir DIR]
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "bench_support.h"
#include "db/app_conventions.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "export/export_source.h"
#include "export/store_dataset.h"
#include "masterdata/read_only_query.h"
#include "reports/engine/report_runner.h"
#include "reports/frszotar.h"

namespace {

const QString Sql = QStringLiteral("SELECT * FROM TETEL");

// Reads every value of every row; returns the rows.
qint64 readAll(ExportSource& rows) {
    qint64 count = 0;
    const int columns = int(rows.columns().size());
    for (bool more = rows.first(); more; more = rows.next()) {
        for (int i = 0; i < columns; ++i) (void)rows.value(i);
        ++count;
    }
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    SetAppConventions();
    UiHooks::setMessage([](const QString&) {});
    const QStringList args = app.arguments();
    qlonglong items = 100000;
    QTemporaryDir temp(QStringLiteral("/tmp/tarvedo-query-bench-XXXXXX"));
    QString dir = temp.path() + QStringLiteral("/minta");
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--items")) items = args.at(i + 1).toLongLong();
        if (args.at(i) == QLatin1String("--dir")) dir = args.at(i + 1);
    }
    if (!OpenDemoCompany(dir, items)) return 1;
    try {
        double usual = 0, readOnly = 0;
        qint64 rows = 0;
        for (int round = 0; round < 2; ++round) {  // the second round reads from a warm cache
            QElapsedTimer t;
            t.start();
            QueryExportSource driver(ExecSql(d_tarvedo, Sql), QStringLiteral("q_tetel"));
            rows = readAll(driver);
            usual = t.nsecsElapsed() / 1e9;
            t.restart();
            ReadOnlyQuery own(d_tarvedo, Sql);
            if (readAll(own) != rows) throw DbError(QStringLiteral("the two readings differ"));
            readOnly = t.nsecsElapsed() / 1e9;
        }
        PrintRate(QStringLiteral("read, driver with read-ahead"), double(rows), QStringLiteral("rows"), usual);
        PrintRate(QStringLiteral("read, read-only statement"), double(rows), QStringLiteral("rows"), readOnly);
        std::printf("read-only / driver time: %.2f\n", readOnly / usual);

        QElapsedTimer t;
        t.start();
        ReadOnlyQuery listed(d_tarvedo, Sql);
        const ReportDocument document = LayOutReport(Frszotar(QStringLiteral("Tételek"), listed.columns()), listed);
        PrintRate(QStringLiteral("general list layout"), double(document.rowCount()), QStringLiteral("rows"),
                  t.nsecsElapsed() / 1e9);
        std::printf("  %d pages\n", document.pageCount());

        t.restart();
        ReadOnlyQuery stored(d_tarvedo, Sql);
        QString chosen;
        StoreDataSet(stored, temp.path() + QStringLiteral("/tetel.txt"), QString(), chosen);
        PrintRate(QStringLiteral("store as .txt"), double(rows), QStringLiteral("rows"), t.nsecsElapsed() / 1e9);
    } catch (const DbError& error) {
        std::fprintf(stderr, "%s\n", error.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
