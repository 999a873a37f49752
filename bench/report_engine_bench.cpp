// The report engine at scale: an account card of one million rows (a group
// per account with two sums, a grand total, the ledger reports' page header)
// laid out, turned into text and written as a PDF file. The rows come from a
// generator, so the engine's own rate shows; with --firebird they are also
// read from a result table of the same shape in an embedded database, so
// the rate a report sees over an open query shows too.
//
//   report_engine_bench [--rows N] [--pdf-rows N] [--firebird] [--dir DIR] [--layout-only]
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSqlError>
#include <QTemporaryDir>


#include <cstdio>

#include "bench_support.h"
#include "db/app_conventions.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_admin.h"
#include "export/export_source.h"
#include "reports/engine/company_page_header.h"
#include "reports/engine/report_painter.h"
#include "reports/engine/report_print.h"
#include "reports/engine/report_runner.h"

namespace {

const QStringList Columns = {"SZLA", "ESZLA", "TART_ERT", "KOV_ERT", "NTIPUS", "SZOVEG", "SZAMLASZAM",
                             "TELJKELT", "BIZONYLAT", "KONYVBIZ", "SORSZAM"};

// Rows of an account card: 40 accounts, in account order. The texts come
// from pools made beforehand, so that the rates below are the engine's.
class GeneratedCard : public ExportSource {
public:
    explicit GeneratedCard(qint64 rows) : m_rows(rows) {
        for (const QString& name : Columns) {
            ExportColumn column;
            column.name = name;
            column.typeName = name.endsWith("_ERT") ? "DOUBLE PRECISION" : "VARCHAR";
            m_columns << column;
        }
        for (int i = 0; i < Pool; ++i) {
            m_eszla << QString("384%1").arg(i % 7);
            m_szoveg << QString("Vevő számla kiegyenlítése %1").arg(i);
            m_szamlaszam << QString("SZ-%1").arg(i, 8, 10, QChar('0'));
            m_teljkelt << QString("2025.%1.%2").arg(1 + i % 12, 2, 10, QChar('0')).arg(1 + i % 28, 2, 10, QChar('0'));
            m_bizonylat << QString("P%1").arg(i / 3);
            m_konyvbiz << QString("VE%1").arg(i / 4, 7, 10, QChar('0'));
            m_sorszam << QString::number(i);
        }
        for (int a = 0; a < 40; ++a) m_szla << QString("3%1").arg(11 + a);
    }
    bool first() override {
        m_at = 0;
        return m_rows > 0;
    }
    bool next() override { return ++m_at < m_rows; }
    qint64 rowCount() const override { return m_rows; }
    QVariant value(int column) const override {
        const qint64 i = m_at;
        const int p = int(i % Pool);
        const bool debit = i % 3 != 0;
        const double amount = double((i * 7919) % 1000000) / 10;
        switch (column) {
        case 0: return m_szla[int(i * 40 / m_rows)];
        case 1: return m_eszla[p];
        case 2: return debit ? amount : 0.0;
        case 3: return debit ? 0.0 : amount;
        case 4: return i % 5 == 0 ? m_pt : m_ve;
        case 5: return m_szoveg[p];
        case 6: return m_szamlaszam[p];
        case 7: return m_teljkelt[p];
        case 8: return m_bizonylat[p];
        case 9: return m_konyvbiz[p];
        case 10: return m_sorszam[p];
        }
        return {};
    }

private:
    static constexpr int Pool = 10007;
    qint64 m_rows;
    qint64 m_at = 0;
    QStringList m_szla, m_eszla, m_szoveg, m_szamlaszam, m_teljkelt, m_bizonylat, m_konyvbiz, m_sorszam;
    QString m_pt = "PT", m_ve = "VE";
};

// The account card's layout: landscape, group by account with its totals.
ReportLayout CardLayout() {
    ReportLayout r;
    r.setTitle("Karton");
    r.setLandscape(true);
    AddCompanyPageHeader(r);
    r.setText("l_hivparam", "Naplótípus : ;   Számlaszám : 3");
    ReportBand& h = r.columnHeader(6).frame(Frame::Top | Frame::Bottom);
    const QStringList captions = {"Szla", "Számlaszám", "Pénzügyi biz", "Telj.kelt", "N.tip   Eszla", "Megnevezés",
                                  "Tartozik", "Követel"};
    const double x[] = {0, 16, 46, 71, 91, 116, 207, 242};
    const double w[] = {16, 30, 25, 20, 25, 91, 35, 35};
    for (int i = 0; i < captions.size(); ++i) h.label(captions[i], x[i], w[i]);

    ReportBand& d = r.detail(4.5);
    d.column("SZLA", 0, 16);
    d.column("SZAMLASZAM", 16, 30);
    d.column("BIZONYLAT", 46, 25).beforePrint([](FieldPrint& f) {
        const QString ntipus = f.row().text(QStringLiteral("NTIPUS"));
        f.setVisible(ntipus == u"PT" || ntipus == u"BK");
    });
    d.column("TELJKELT", 71, 20);
    d.column("NTIPUS", 91, 8);
    d.column("ESZLA", 99, 17);
    d.column("SZOVEG", 116, 91);
    d.column("TART_ERT", 207, 35).mask("###,###,###,###").right();
    d.column("KOV_ERT", 242, 35).mask("###,###,###,###").right();

    ReportBand& f = r.addGroup({"SZLA"}).footer(6).frame(Frame::Top);
    f.label("összesen:", 116, 91);
    f.sum("TART_ERT", 207, 35).mask("###,###,###,###").right();
    f.sum("KOV_ERT", 242, 35).mask("###,###,###,###").right();
    ReportBand& s = r.summary(6).frame(Frame::Top);
    s.label("Mind összesen:", 116, 91).bold();
    s.sum("TART_ERT", 207, 35).mask("###,###,###,###").right().bold();
    s.sum("KOV_ERT", 242, 35).mask("###,###,###,###").right().bold();
    return r;
}

class Phase {
public:
    Phase() : m_cpu(CpuSeconds()) { m_wall.start(); }
    double seconds() const { return m_wall.elapsed() / 1000.0; }
    void report(const QString& what, qint64 rows, const QString& extra = {}) const {
        const double cpu = CpuSeconds() - m_cpu;
        PrintRate(what, rows, "rows", seconds());
        std::printf("  %.0f rows per processor second (%.2f s)%s, peak memory so far %.0f MB\n",
                    cpu > 0 ? rows / cpu : 0.0, cpu, extra.toUtf8().constData(), PeakMemoryMb());
        std::fflush(stdout);
    }

private:
    QElapsedTimer m_wall;
    double m_cpu;
};

ReportDocument LayOut(const ReportLayout& layout, ExportSource& rows, const QString& what) {
    Phase phase;
    const ReportDocument doc = LayOutReport(layout, rows);
    phase.report(what, doc.rowCount(), QString(", %1 pages").arg(doc.pageCount()));
    return doc;
}

// A result table of the account card's shape in an embedded database.
bool FillFirebird(const QString& database, qint64 rows) {
    const QString created = CreateDatabaseFile(database, DbCredentials());
    if (!created.isEmpty()) {
        std::fprintf(stderr, "%s\n", created.toUtf8().constData());
        return false;
    }
    SetForcedWrites(database, DbCredentials(), false);
    if (!OpenDatabase(d_tarvedo, database)) return false;
    ExecSql(d_tarvedo, "create table TMP_KR_BENCH (SZLA varchar(10), ESZLA varchar(10), TART_ERT double precision, "
                       "KOV_ERT double precision, NTIPUS varchar(2), SZOVEG varchar(120), SZAMLASZAM varchar(30), "
                       "TELJKELT varchar(10), BIZONYLAT varchar(15), KONYVBIZ varchar(15), SORSZAM varchar(15))");
    Phase phase;
    QSqlQuery block(Connection(d_tarvedo));
    const bool filled = block.exec(QString(
        "execute block as\n"
        "declare i integer = 0;\n"
        "begin\n"
        "  while (i < %1) do begin\n"
        "    insert into TMP_KR_BENCH values ('3' || (11 + :i * 40 / %1), '384' || mod(:i, 7),\n"
        "      iif(mod(:i, 3) <> 0, mod(:i * 7919, 1000000) / 10.0, 0), iif(mod(:i, 3) = 0, mod(:i * 7919, 1000000) / 10.0, 0),\n"
        "      iif(mod(:i, 5) = 0, 'PT', 'VE'), 'Vevő számla kiegyenlítése ' || :i, 'SZ-' || lpad(:i, 8, '0'),\n"
        "      '2025.' || lpad(mod(:i, 12) + 1, 2, '0') || '.' || lpad(mod(:i, 28) + 1, 2, '0'),\n"
        "      'P' || (:i / 3), 'VE' || lpad(:i / 4, 7, '0'), :i);\n"
        "    i = i + 1;\n"
        "  end\n"
        "end").arg(rows));
    if (!filled) throw DbError(block.lastError());
    phase.report("fill the result table (not the engine)", rows);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // fonts for the PDF
    SetAppConventions();
    const QStringList args = app.arguments();
    qint64 rows = 1000000, pdfRows = -1;
    bool firebird = false, layoutOnly = false;
    QString dirPath;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--firebird") firebird = true;
        if (args[i] == "--layout-only") layoutOnly = true;
        if (i + 1 >= args.size()) continue;
        if (args[i] == "--rows") rows = args[i + 1].toLongLong();
        if (args[i] == "--pdf-rows") pdfRows = args[i + 1].toLongLong();
        if (args[i] == "--dir") dirPath = args[i + 1];
    }
    if (pdfRows < 0) pdfRows = rows;
    QTemporaryDir temp("/tmp/tarvedo-report-bench-XXXXXX");
    if (dirPath.isEmpty()) dirPath = temp.path();
    const ReportLayout layout = CardLayout();

    {
        // The generator alone: its share in the rates below.
        GeneratedCard source(rows);
        Phase phase;
        for (bool more = source.first(); more; more = source.next())
            for (int c = 0; c < Columns.size(); ++c) source.value(c);
        phase.report("read generated rows only", rows);
    }
    {
        GeneratedCard source(rows);
        const ReportDocument doc = LayOut(layout, source, "lay out (generated rows)");
        if (layoutOnly) return 0;
        Phase phase;
        const QStringList lines = doc.text();
        phase.report("text lines", rows, QString(", %1 lines").arg(lines.size()));
    }
    {
        GeneratedCard source(pdfRows);
        Phase phase;
        const QString file = dirPath + "/karton.pdf";
        const int pages = RenderToPdf(layout, source, file);
        phase.report("lay out and write PDF", pdfRows,
                     QString(", %1 pages, file %2 MB").arg(pages).arg(QFileInfo(file).size() / 1048576.0, 0, 'f', 1));
    }
    if (firebird) {
        try {
            if (!FillFirebird(dirPath + "/BENCH.GDB", rows)) return 1;
            const QString select = "select * from TMP_KR_BENCH order by SZLA, TELJKELT, KONYVBIZ, SORSZAM, ESZLA";
            {
                // Reading alone: the database's share of the next line.
                Phase phase;
                QueryExportSource source(ExecSql(d_tarvedo, select), "q_karton");
                const double opened = phase.seconds();
                qint64 read = 0;
                for (bool more = source.first(); more; more = source.next(), ++read)
                    for (int c = 0; c < source.columns().size(); ++c) source.value(c);
                phase.report("query and read only (embedded Firebird)", read,
                             QString(", of which the query opened in %1 s").arg(opened, 0, 'f', 2));
            }
            Phase phase;
            QueryExportSource source(ExecSql(d_tarvedo, select), "q_karton");
            const double opened = phase.seconds();
            const ReportDocument doc = LayOutReport(layout, source);
            phase.report("query and lay out (embedded Firebird)", doc.rowCount(),
                         QString(", of which the query opened in %1 s").arg(opened, 0, 'f', 2));
            DbDisconnect(d_tarvedo);
        } catch (const DbError& error) {
            std::fprintf(stderr, "%s\n", error.message().toUtf8().constData());
            return 1;
        }
    }
    return 0;
}
