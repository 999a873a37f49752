#include "reports/fregyezteto.h"

#include "reports/engine/company_page_header.h"
#include "reports/engine/report_print.h"

namespace {
const QString AmountMask = QStringLiteral("###,###,###,##0");
}

ReportLayout Fregyezteto(const QString& whivparam) {
    ReportLayout r;
    r.setTitle(QStringLiteral("Egyeztető tábla"));
    AddCompanyPageHeader(r);
    r.setText(QStringLiteral("l_hivparam"), whivparam);

    ReportBand& h = r.columnHeader(6).frame(Frame::Top | Frame::Bottom);
    h.label(QStringLiteral(" Megnevezés"), 0, 50);
    h.label(QStringLiteral("Tartozik"), 50, 35).right();
    h.label(QStringLiteral("Követel"), 85, 35).right();
    h.label(QStringLiteral("Tartozik egyenleg"), 120, 35).right();
    h.label(QStringLiteral("Követel egyenleg"), 155, 35).right();

    ReportBand& d = r.detail(5);
    d.column(QStringLiteral("SZOVEG"), 0, 50);
    d.column(QStringLiteral("TART_ERT"), 50, 35).mask(AmountMask).right();
    d.column(QStringLiteral("KOV_ERT"), 85, 35).mask(AmountMask).right();
    d.column(QStringLiteral("TART_EGY"), 120, 35).mask(AmountMask).right();
    d.column(QStringLiteral("KOV_EGY"), 155, 35).mask(AmountMask).right();
    d.beforePrint([](BandPrint& p) {
        p.field(QStringLiteral("SZOVEG"))
            .setColor(p.row().text(QStringLiteral("SZOVEG")).mid(1, 1) == QLatin1String("-") ? Qt::red : Qt::black);
    });

    r.summary(6).frame(Frame::Top).label(QStringLiteral("Lista vége"), 0, 50);
    return r;
}
