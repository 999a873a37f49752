#include "reports/frknaplo.h"

#include <memory>

#include "db/display_mask.h"
#include "reports/engine/company_page_header.h"
#include "reports/engine/report_print.h"

namespace {
const QString AmountMask = QStringLiteral("###,###,###,##0");

struct Totals {
    double tart = 0, kov = 0;
};
}  // namespace

ReportLayout Frknaplo(const QString& whivparam) {
    auto totals = std::make_shared<Totals>();
    ReportLayout r;
    r.setTitle(QStringLiteral("Könyvelési napló"));
    AddCompanyPageHeader(r);
    r.beforePrint([totals, whivparam](ReportLayout& printed) {
        *totals = {};
        printed.setText(QStringLiteral("l_hivparam"), whivparam);
    });

    ReportBand& h = r.columnHeader(10).lines(2).frame(Frame::Top | Frame::Bottom);
    h.label(QStringLiteral(" Könyvelési biz."), 0, 35);
    h.label(QStringLiteral("Könyvelés dátuma"), 35, 35);
    h.label(QStringLiteral("Telj.kelt"), 70, 30);
    h.label(QStringLiteral("Számlaszám"), 130, 60).right();
    h.label(QStringLiteral("Főkönyvi számla / ellenszámla"), 0, 50).line(1);
    h.label(QStringLiteral("Megnevezés"), 50, 80).line(1);
    h.label(QStringLiteral("Tart./Kov."), 130, 20).line(1);
    h.label(QStringLiteral("Összeg"), 150, 40).right().line(1);

    ReportBand& g = r.addGroup({QStringLiteral("NTIPUS"), QStringLiteral("KONYVBIZ")}).header(5);
    g.column(QStringLiteral("KONYVBIZ"), 0, 35).bold();
    g.column(QStringLiteral("KONYVELVE"), 35, 35);
    g.column(QStringLiteral("TELJKELT"), 70, 30);
    g.column(QStringLiteral("SZAMLASZAM"), 130, 60).right();

    ReportBand& d = r.detail(4.5);
    d.column(QStringLiteral("SZLA"), 5, 22);
    d.column(QStringLiteral("ESZLA"), 27, 23);
    d.column(QStringLiteral("SZOVEG"), 50, 80);
    d.column(QStringLiteral("TARTKOV"), 130, 20).center();
    d.column(QStringLiteral("ERTEK"), 150, 40).mask(AmountMask).right();
    d.beforePrint([totals](BandPrint& p) {
        const QString mark = p.row().text(QStringLiteral("TARTKOV"));
        if (mark == QLatin1String("T")) totals->tart += p.row().number(QStringLiteral("ERTEK"));
        else if (mark == QLatin1String("K")) totals->kov += p.row().number(QStringLiteral("ERTEK"));
    });

    ReportBand& s = r.summary(10).lines(2).frame(Frame::Top);
    s.label(QStringLiteral("Összesen"), 50, 80).bold();
    s.label(QString(), 110, 80).name(QStringLiteral("l_tart")).right().bold();
    s.label(QString(), 110, 80).name(QStringLiteral("l_kov")).right().bold().line(1);
    s.beforePrint([totals](BandPrint& p) {
        p.field(QStringLiteral("l_tart")).setText(QStringLiteral("T   ") + FormatMask(totals->tart, AmountMask));
        p.field(QStringLiteral("l_kov")).setText(QStringLiteral("K   ") + FormatMask(totals->kov, AmountMask));
    });
    return r;
}
