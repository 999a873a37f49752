#include "company_page_header.h"

#include "db/dat.h"
#include "report_layout.h"

ReportBand& AddCompanyPageHeader(ReportLayout& layout) {
    const double width = layout.contentWidth();
    ReportBand& band = layout.pageHeader(18);
    band.label(QString(), 0, 14).name(QStringLiteral("l_ev")).bold().place(0, 5);
    band.label(QString(), 14, width - 74).name(QStringLiteral("l_ceg")).bold().place(0, 5);
    band.printDate(width - 60, 60).name(QStringLiteral("l_keszult")).prefix(QStringLiteral("Készült: ")).right().place(0, 5);
    band.title(40, width - 80).name(QStringLiteral("l_cim")).size(12).bold().center().place(5, 7);
    band.pageNumber(width - 40, 40).name(QStringLiteral("l_oldal")).prefix(QStringLiteral("Oldal: ")).right().place(5, 7);
    band.label(QString(), 0, width).name(QStringLiteral("l_hivparam")).place(12, 5);

    layout.beforePrint([](ReportLayout& printed) {
        printed.setText(QStringLiteral("l_ev"), Td().ceg.text(QStringLiteral("AKTUALISEV")));
        printed.setText(QStringLiteral("l_ceg"), Td().ceg.text(QStringLiteral("NEV")));
    });
    return band;
}
