// Data-set export at scale: one million ledger-like rows in a real Firebird
// table (embedded), exported to .xlsx (one group column, two sum columns),
// .txt and .sql. Each format runs twice: from the table (reading and
// writing, end to end) and from the same rows already in memory (what the
// writer itself achieves). Prints rows per second and the peak memory of
// each run.
//
//   export_bench [--rows N] [--dir DIR] [--only read|library|xlsx|txt|sql|memory]
//
// "read" reads the rows without writing them and "library" writes rows of
// the same shape with the workbook library alone, without the database:
// together they show what each export costs beyond its two parts.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlError>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include <cstdio>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "db/app_conventions.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_admin.h"
#include "db/ui_hooks.h"
#include "export/XLSproc.h"
#include "export/export_source.h"
#include "export/sql_export.h"
#include "export/text_export.h"

#include <xlsxwriter.h>

namespace {

// Rows in partner order, 200 to a partner, as a partner ledger lists them.
void GenerateRows(int rows) {
    ExecSql(d_tarvedo, QStringLiteral(
        "create table TETEL_BENCH (SORSZAM varchar(15), NTIPUS varchar(2), KONYVBIZ varchar(15), "
        "TELJKELT varchar(10), SZLA varchar(10), ESZLA varchar(10), UGYFELKOD varchar(7), "
        "SZOVEG varchar(120), ERTEK double precision, DEVIZAERTEK double precision)"));
    // Run as it stands: the block's own ":i" are no parameters.
    QSqlQuery block(Connection(d_tarvedo));
    const bool generated = block.exec(QStringLiteral(
        "execute block as\n"
        "declare i integer = 0;\n"
        "begin\n"
        "  while (i < %1) do begin\n"
        "    insert into TETEL_BENCH values (\n"
        "      '25' || lpad(:i, 8, '0'), 'BK', 'BK' || lpad(:i / 20, 7, '0'),\n"
        "      '2025.' || lpad(mod(:i / 3000, 12) + 1, 2, '0') || '.' || lpad(mod(:i, 28) + 1, 2, '0'),\n"
        "      '384' || mod(:i, 7), '311' || mod(:i, 13), 'P' || lpad(:i / 200, 6, '0'),\n"
        "      'Banki tétel ' || :i || ' – átutalás, jóváírás', mod(:i * 7919, 1000000) / 100.0,\n"
        "      mod(:i * 104729, 100000) / 1000.0);\n"
        "    i = i + 1;\n"
        "  end\n"
        "end").arg(rows));
    if (!generated) throw DbError(block.lastError());
}

QueryExportSource LedgerRows() {
    return QueryExportSource(ExecSql(d_tarvedo, QStringLiteral("select * from TETEL_BENCH")),
                             QStringLiteral("q_tetel"));
}

// Rows like the ledger rows, written straight with the workbook library.
void WriteWithLibraryAlone(int rows, const QString& file) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(file.toUtf8().constData(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Tetelek");
    char text[8][64];
    for (int i = 0; i < rows; ++i) {
        std::snprintf(text[0], 64, "25%08d", i);
        std::snprintf(text[1], 64, "BK");
        std::snprintf(text[2], 64, "BK%07d", i / 20);
        std::snprintf(text[3], 64, "2025.%02d.%02d", i / 3000 % 12 + 1, i % 28 + 1);
        std::snprintf(text[4], 64, "384%d", i % 7);
        std::snprintf(text[5], 64, "311%d", i % 13);
        std::snprintf(text[6], 64, "P%06d", i / 200);
        std::snprintf(text[7], 64, "Banki tétel %d – átutalás, jóváírás", i);
        for (int c = 0; c < 8; ++c) worksheet_write_string(sheet, lxw_row_t(i + 2), lxw_col_t(c), text[c], nullptr);
        worksheet_write_number(sheet, lxw_row_t(i + 2), 8, (i * 7919 % 1000000) / 100.0, nullptr);
        worksheet_write_number(sheet, lxw_row_t(i + 2), 9, (i * 104729 % 100000) / 1000.0, nullptr);
    }
    workbook_close(workbook);
}

// Resident memory from /proc: "VmRSS" now, "VmHWM" the peak since the
// last reset.
double StatusMb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return std::stod(line.substr(line.find(':') + 1)) / 1024.0;
    return 0;
}

// The peak starts again from what is resident now.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

class Phase {
public:
    Phase() : m_cpu(CpuSeconds()) {
        ResetPeakMemory();
        m_startMb = StatusMb("VmRSS");
        m_wall.start();
    }
    void report(const QString& what, int rows, const QString& file = {}) const {
        const double cpu = CpuSeconds() - m_cpu;
        PrintRate(what, rows, QStringLiteral("rows"), m_wall.elapsed() / 1000.0);
        std::printf("  %.0f rows per processor second (%.2f s)", cpu > 0 ? rows / cpu : 0.0, cpu);
        if (!file.isEmpty()) std::printf(", file %.1f MB", QFileInfo(file).size() / 1048576.0);
        const double peak = StatusMb("VmHWM");
        std::printf(", peak memory %.0f MB (%+.0f MB over the start)\n", peak, peak - m_startMb);
        std::fflush(stdout);
    }

private:
    QElapsedTimer m_wall;
    double m_cpu;
    double m_startMb = 0;
};

// The ledger rows held in memory, as a list the program builds itself.
std::unique_ptr<MemoryExportSource> RowsInMemory() {
    QueryExportSource rows = LedgerRows();
    auto memory = std::make_unique<MemoryExportSource>(rows.name());
    for (const ExportColumn& column : rows.columns()) memory->addColumn(column.name, column.typeName, column.displayWidth);
    QVariantList values;
    for (bool more = rows.first(); more; more = rows.next()) {
        values.clear();
        for (int c = 0; c < rows.columns().size(); ++c) values << rows.value(c);
        memory->addRow(values);
    }
    return memory;
}

TXLSParams LedgerLayout() {
    TXLSParams params;
    params.SheetName = QStringLiteral("Tetelek");
    params.ReportTitle = QStringLiteral("Tételek");
    params.GroupFields = QStringLiteral("UGYFELKOD");
    params.SumFields = QStringLiteral("ERTEK,DEVIZAERTEK");
    return params;
}

// The three formats from one source; false when one could not be written.
bool ExportEach(ExportSource& source, const QString& dirPath, const QString& from, int rows,
                const std::function<bool(const char*)>& runs) {
    if (runs("xlsx")) {
        Phase phase;
        const QString file = dirPath + QStringLiteral("/tetel.xlsx");
        QString written;
        if (!ExportToExcel({&source}, {LedgerLayout()}, written, false, nullptr, true, file)) return false;
        phase.report(QStringLiteral("xlsx ") + from, rows, file);
    }
    if (runs("txt")) {
        Phase phase;
        const QString file = dirPath + QStringLiteral("/tetel.txt");
        if (!ExportToText(source, file)) return false;
        phase.report(QStringLiteral("txt ") + from, rows, file);
    }
    if (runs("sql")) {
        Phase phase;
        const QString file = dirPath + QStringLiteral("/tetel.sql");
        if (!ExportToSql(source, file, QStringLiteral("TETEL_BENCH"), false, false)) return false;
        phase.report(QStringLiteral("sql ") + from, rows, file);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SetAppConventions();
    QStringList args = app.arguments();
    int rows = 1000000;
    QString dirPath;
    QString only;
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--rows")) rows = args.at(i + 1).toInt();
        if (args.at(i) == QLatin1String("--dir")) dirPath = args.at(i + 1);
        if (args.at(i) == QLatin1String("--only")) only = args.at(i + 1);
    }
    const auto runs = [&only](const char* phase) { return only.isEmpty() || only == QLatin1String(phase); };
    QTemporaryDir temp(QStringLiteral("/tmp/tarvedo-export-bench-XXXXXX"));
    if (dirPath.isEmpty()) dirPath = temp.path();
    const QString database = dirPath + QStringLiteral("/BENCH.GDB");
    UiHooks::setMessage([](const QString&) {});  // "... elkészült" after each workbook

    // A database left in --dir by an earlier run is used again as it is.
    const bool reuse = QFileInfo::exists(database);
    try {
        if (!reuse) {
            const QString created = CreateDatabaseFile(database, DbCredentials());
            if (!created.isEmpty()) {
                std::fprintf(stderr, "%s\n", created.toUtf8().constData());
                return 1;
            }
            SetForcedWrites(database, DbCredentials(), false);
        }
        if (!OpenDatabase(d_tarvedo, database)) {
            std::fprintf(stderr, "cannot open %s\n", database.toUtf8().constData());
            return 1;
        }
        AttachQueries(d_tarvedo);

        if (reuse) {
            rows = SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL_BENCH")).toInt();
        } else {
            Phase phase;
            GenerateRows(rows);
            phase.report(QStringLiteral("generate"), rows);
        }

        if (runs("read")) {
            // Reading alone: the share of the database in every export below.
            Phase phase;
            QueryExportSource source = LedgerRows();
            int read = 0;
            for (bool more = source.first(); more; more = source.next()) {
                // As the writers take the values: texts in UTF-8 where the source has them so.
                for (int c = 0; c < source.columns().size(); ++c) {
                    std::string_view text;
                    if (!source.textUtf8(c, text)) source.value(c);
                }
                ++read;
            }
            phase.report(QStringLiteral("read only"), read);
        }
        if (runs("library")) {
            Phase phase;
            const QString file = dirPath + QStringLiteral("/library.xlsx");
            WriteWithLibraryAlone(rows, file);
            phase.report(QStringLiteral("workbook library alone"), rows, file);
        }
        const auto formats = [&only](const char* format) {
            return only.isEmpty() || only == QLatin1String("memory") || only == QLatin1String(format);
        };
        if (only != QLatin1String("memory")) {
            for (const char* format : {"xlsx", "txt", "sql"}) {
                if (!formats(format)) continue;
                QueryExportSource source = LedgerRows();
                if (!ExportEach(source, dirPath, QStringLiteral("from the table"), rows,
                                [format](const char* f) { return qstrcmp(f, format) == 0; }))
                    return 1;
            }
        }
        if (only.isEmpty() || only == QLatin1String("memory") || only == QLatin1String("xlsx")
            || only == QLatin1String("txt") || only == QLatin1String("sql")) {
            Phase loading;
            const std::unique_ptr<MemoryExportSource> memory = RowsInMemory();
            loading.report(QStringLiteral("rows into memory"), rows);
            if (!ExportEach(*memory, dirPath, QStringLiteral("from memory"), rows, formats)) return 1;
        }
    } catch (const DbError& error) {
        std::fprintf(stderr, "%s\n", error.message().toUtf8().constData());
        return 1;
    }
    DbDisconnect(d_tarvedo);
    return 0;
}
