#include "reports/freredmeny.h"

#include "reports/engine/company_page_header.h"

namespace {
const QString AmountMask = QStringLiteral("##,###,###");
}

ReportLayout Freredmeny(const QString& title) {
    ReportLayout r;
    r.setTitle(title);
    AddCompanyPageHeader(r);
    r.setText(QStringLiteral("l_hivparam"), QStringLiteral("Az adatok ezer Forintban értendők!"));

    ReportBand& h = r.columnHeader(6).frame(Frame::Top | Frame::Bottom);
    h.label(QStringLiteral("Sorsz."), 0, 14).bold();
    h.label(QStringLiteral("A tételek megnevezése"), 14, 126).bold();
    h.label(QStringLiteral("Előző év"), 140, 25).bold().right();
    h.label(QStringLiteral("Tárgyév"), 165, 25).bold().right();

    ReportBand& d = r.detail(4.5);
    d.column(QStringLiteral("SORSZAM"), 0, 14);
    d.column(QStringLiteral("MEGNEVEZES"), 14, 126);
    d.column(QStringLiteral("ELOZOEV"), 140, 25).mask(AmountMask).right();
    d.column(QStringLiteral("TARGYEV"), 165, 25).mask(AmountMask).right();
    return r;
}
