#pragma once
// A small account-card-like report and its rows, shared by the engine tests.
#include <QDate>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <ostream>

#include "export/export_source.h"
#include "reports/engine/company_page_header.h"
#include "reports/engine/report_layout.h"
#include "reports/engine/report_runner.h"

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace sample {

inline const QDate PrintDate(2025, 6, 30);

inline ReportRunOptions Options() {
    ReportRunOptions options;
    options.printDate = PrintDate;
    return options;
}

// Items: account, journal type, voucher, text, debit, credit.
struct Item {
    QString szla, ntipus, konyvbiz, szoveg;
    double tart, kov;
};

inline std::unique_ptr<MemoryExportSource> Rows(const QList<Item>& items) {
    auto rows = std::make_unique<MemoryExportSource>(QStringLiteral("q_karton"));
    for (const char* name : {"SZLA", "NTIPUS", "KONYVBIZ", "SZOVEG"}) rows->addColumn(name, QStringLiteral("VARCHAR"));
    rows->addColumn(QStringLiteral("TART_ERT"), QStringLiteral("DOUBLE PRECISION"));
    rows->addColumn(QStringLiteral("KOV_ERT"), QStringLiteral("DOUBLE PRECISION"));
    for (const Item& item : items) rows->addRow({item.szla, item.ntipus, item.konyvbiz, item.szoveg, item.tart, item.kov});
    return rows;
}

// n items on account 311, numbered from 1, each of 100 debit.
inline std::unique_ptr<MemoryExportSource> NumberedRows(int n) {
    QList<Item> items;
    for (int i = 1; i <= n; ++i) items.append({"311", "BK", QString::number(i), QStringLiteral("tétel %1").arg(i), 100, 0});
    return Rows(items);
}

inline void AddDetail(ReportLayout& r) {
    ReportBand& d = r.detail(5);
    d.column("SZLA", 0, 15);
    d.column("NTIPUS", 15, 10);
    d.column("KONYVBIZ", 25, 20);
    d.column("SZOVEG", 45, 70);
    d.column("TART_ERT", 115, 35).mask("###,###,###,###").right();
    d.column("KOV_ERT", 150, 35).mask("###,###,###,###").right();
}

inline void AddColumnHeader(ReportLayout& r) {
    ReportBand& h = r.columnHeader(6).frame(Frame::Top | Frame::Bottom);
    h.label("Szla", 0, 15);
    h.label("N.tip", 15, 10);
    h.label("Biz.", 25, 20);
    h.label("Megnevezés", 45, 70);
    h.label("Tartozik", 115, 35).right();
    h.label("Követel", 150, 35).right();
}

inline void AddSummary(ReportLayout& r) {
    ReportBand& s = r.summary(6).frame(Frame::Top);
    s.label("Mind összesen:", 45, 70).bold();
    s.sum("TART_ERT", 115, 35).mask("###,###,###,##0").right().bold();
    s.sum("KOV_ERT", 150, 35).mask("###,###,###,##0").right().bold();
}

// Page header of the ledger reports, column header, detail and summary.
inline ReportLayout Card(bool landscape = false) {
    ReportLayout r;
    r.setTitle(QStringLiteral("Karton"));
    r.setLandscape(landscape);
    AddCompanyPageHeader(r);
    AddColumnHeader(r);
    AddDetail(r);
    AddSummary(r);
    return r;
}

// Lines that begin with `prefix`.
inline QStringList LinesStarting(const QStringList& lines, const QString& prefix) {
    QStringList found;
    for (const QString& line : lines)
        if (line.startsWith(prefix)) found << line;
    return found;
}

// Output of a poppler tool (pdfinfo, pdftotext) on a file.
inline QString Poppler(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PdfPages(const QString& path) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Poppler(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// "595 x 842" for A4 portrait, in points.
inline QString PdfPageSize(const QString& path) {
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+ x [0-9.]+)"))
                                          .match(Poppler(QStringLiteral("pdfinfo"), {path}));
    return m.captured(1);
}

inline QString PdfPageText(const QString& path, int page) {
    const QString n = QString::number(page);
    return Poppler(QStringLiteral("pdftotext"), {"-f", n, "-l", n, "-layout", path, "-"});
}

}  // namespace sample
