#include "reports/frkarton.h"

#include "db/dat.h"
#include "reports/engine/company_page_header.h"
#include "reports/engine/report_print.h"

namespace {
const QString AmountMask = QStringLiteral("###,###,###,###");
}

ReportLayout Frkarton(const QString& whivparam) {
    ReportLayout r;
    r.setTitle(QStringLiteral("Karton"));
    r.setLandscape(true);
    AddCompanyPageHeader(r);
    r.setText(QStringLiteral("l_hivparam"), whivparam);

    ReportBand& h = r.columnHeader(10).lines(2).frame(Frame::Top | Frame::Bottom);
    h.label(QStringLiteral("Szla"), 0, 18).line(1);
    h.label(QStringLiteral("Számlaszám"), 18, 32).line(1);
    h.label(QStringLiteral("Pénzügyi biz"), 50, 27).line(1);
    h.label(QStringLiteral("Telj.kelt"), 77, 20).line(1);
    h.label(QStringLiteral("N.tip   Eszla"), 97, 28).line(1);
    h.label(QStringLiteral("Megnevezés"), 125, 72).line(1);
    h.label(QStringLiteral("Forgalom"), 197, 80).center();
    h.label(QStringLiteral("Tartozik"), 197, 40).right().line(1);
    h.label(QStringLiteral("Követel"), 237, 40).right().line(1);

    ReportGroup& g = r.addGroup({QStringLiteral("SZLA")});
    ReportBand& d = r.detail(4.5);
    d.column(QStringLiteral("SZLA"), 0, 18);
    d.column(QStringLiteral("SZAMLASZAM"), 18, 32);
    d.column(QStringLiteral("BIZONYLAT"), 50, 27).beforePrint([](FieldPrint& f) {
        const QString ntipus = f.row().text(QStringLiteral("NTIPUS"));
        f.setVisible(ntipus == Td().PtKod || ntipus == Td().BkKod);
    });
    d.column(QStringLiteral("TELJKELT"), 77, 20);
    d.column(QStringLiteral("NTIPUS"), 97, 8);
    d.column(QStringLiteral("ESZLA"), 105, 20);
    d.column(QStringLiteral("SZOVEG"), 125, 72);
    d.column(QStringLiteral("TART_ERT"), 197, 40).mask(AmountMask).right();
    d.column(QStringLiteral("KOV_ERT"), 237, 40).mask(AmountMask).right();

    ReportBand& f = g.footer(6).frame(Frame::Top);
    f.label(QStringLiteral("összesen:"), 125, 72);
    f.sum(QStringLiteral("TART_ERT"), 197, 40).mask(AmountMask).right();
    f.sum(QStringLiteral("KOV_ERT"), 237, 40).mask(AmountMask).right();

    ReportBand& s = r.summary(6).frame(Frame::Top);
    s.label(QStringLiteral("Mind összesen:"), 125, 72).bold();
    s.sum(QStringLiteral("TART_ERT"), 197, 40).mask(AmountMask).right().bold();
    s.sum(QStringLiteral("KOV_ERT"), 237, 40).mask(AmountMask).right().bold();
    return r;
}
