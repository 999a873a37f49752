#include "reports/frfokiv.h"

#include "reports/engine/company_page_header.h"

namespace {
const QString AmountMask = QStringLiteral("###,###,###,###");
}

ReportLayout Frfokiv(const QString& whivparam) {
    ReportLayout r;
    r.setLandscape(true);
    AddCompanyPageHeader(r);
    r.setText(QStringLiteral("l_hivparam"), whivparam);

    ReportBand& h = r.columnHeader(10).lines(2).frame(Frame::Top | Frame::Bottom);
    h.label(QStringLiteral("Számlaszám"), 0, 25).line(1);
    h.label(QStringLiteral("Megnevezés"), 25, 92).line(1);
    h.label(QStringLiteral("Forgalom"), 117, 80).center();
    h.label(QStringLiteral("Tartozik"), 117, 40).right().line(1);
    h.label(QStringLiteral("Követel"), 157, 40).right().line(1);
    h.label(QStringLiteral("Egyenleg"), 197, 80).center();
    h.label(QStringLiteral("Tartozik"), 197, 40).right().line(1);
    h.label(QStringLiteral("Követel"), 237, 40).right().line(1);

    ReportBand& d = r.detail(4.5);
    d.column(QStringLiteral("TIPUS"), 0, 4);
    d.column(QStringLiteral("SZLA"), 4, 21);
    d.column(QStringLiteral("SZOVEG"), 25, 92);
    d.column(QStringLiteral("TART_ERT"), 117, 40).mask(AmountMask).right();
    d.column(QStringLiteral("KOV_ERT"), 157, 40).mask(AmountMask).right();
    d.column(QStringLiteral("TART_EGY"), 197, 40).mask(AmountMask).right();
    d.column(QStringLiteral("KOV_EGY"), 237, 40).mask(AmountMask).right();

    r.summary(6).frame(Frame::Top).label(QStringLiteral("Lista vége"), 0, 60);
    return r;
}
