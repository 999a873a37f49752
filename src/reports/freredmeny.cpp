#include "reports/freredmeny.h"

#include "reports/engine/company_page_header.h"

namespace {
const QString AmountMask = QStringLiteral("##,###,###");
}

ReportLayout Freredmeny(const QString& title) {
    ReportLayout r;
    r.setTitle(title);
    AddCompanyPageHeader(r);
    r.field(QStringLiteral("l_cim")).size(10);  // the income statement's title with its method fits the line
    r.setText(QStringLiteral("l_hivparam"), QStringLiteral("Az adatok ezer Forintban értendők!"));

    ReportBand& h = r.columnHeader(6).frame(Frame::Top | Frame::Bottom);
    h.label(QStringLiteral("Sorsz."), 0, 11).bold();
    h.label(QStringLiteral("A tételek megnevezése"), 11, 141).bold();
    h.label(QStringLiteral("Előző év"), 152, 19).bold().right();
    h.label(QStringLiteral("Tárgyév"), 171, 19).bold().right();

    ReportBand& d = r.detail(4.5);
    d.column(QStringLiteral("SORSZAM"), 0, 11);
    // The statutory names run to a hundred characters: a smaller type keeps them whole.
    d.column(QStringLiteral("MEGNEVEZES"), 11, 141).size(7);
    d.column(QStringLiteral("ELOZOEV"), 152, 19).mask(AmountMask).right();
    d.column(QStringLiteral("TARGYEV"), 171, 19).mask(AmountMask).right();
    return r;
}
