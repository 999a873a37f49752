#include "reports/frafa.h"

#include <tuple>

#include "db/altproc.h"
#include "db/display_mask.h"
#include "reports/engine/report_print.h"

namespace {
const QString AmountMask = QStringLiteral("###,###,###");
}

ReportLayout Frafa(const AfaLayoutTexts& texts) {
    ReportLayout r;
    AddAfaPageHeader(r, texts);
    const AfaNames names = AfaNames::read();

    ReportBand& h = r.columnHeader(6).frame(Frame::Top | Frame::Bottom);
    h.label(QStringLiteral("Könyv.biz"), 0, 25);
    h.label(QStringLiteral("Számlaszám"), 25, 40);
    h.label(QStringLiteral("Telj.kelte"), 65, 20);
    h.label(QStringLiteral("Számla kelte"), 85, 20);
    h.label(QStringLiteral("Fiz.hat.idő"), 105, 20);
    h.label(QStringLiteral("Nettó"), 125, 30).right();
    h.label(QStringLiteral("ÁFA%"), 157, 10);
    h.label(QStringLiteral("ÁFA"), 165, 25).right();
    h.label(QStringLiteral("Bruttó"), 190, 30).right();
    h.label(QStringLiteral("Ügyfél"), 223, 54);

    ReportGroup& side = r.addGroup({QStringLiteral("NTIPUS"), QStringLiteral("FIZLEV")});
    side.header(6).value([names](const ReportRow& row) { return names.groupCaption(row); }, 0, 150).bold();

    ReportGroup& account =
        r.addGroup({QStringLiteral("NTIPUS"), QStringLiteral("FIZLEV"), QStringLiteral("AFASZLA")});
    ReportBand& title = account.header(5);
    title.column(QStringLiteral("NTNEV"), 0, 25).bold();
    title.column(QStringLiteral("SZNEV"), 25, 120).bold();

    ReportBand& d = r.detail(4.5);
    d.column(QStringLiteral("KONYVBIZ"), 0, 25);
    d.column(QStringLiteral("SZAMLASZAM"), 25, 40);
    d.column(QStringLiteral("TELJKELT"), 65, 20);
    d.column(QStringLiteral("SZLAKELT"), 85, 20);
    d.column(QStringLiteral("FIZHATIDO"), 105, 20);
    d.column(QStringLiteral("ALAP"), 125, 30).mask(AmountMask).right();
    d.column(QStringLiteral("KOD"), 157, 8);
    d.column(QStringLiteral("AFA"), 165, 25).mask(AmountMask).right();
    d.column(QStringLiteral("BRUTTO"), 190, 30).mask(AmountMask).right();
    d.value([names](const ReportRow& row) { return names.partner(row); }, 223, 54);

    ReportBand& f = account.footer(10).lines(2).frame(Frame::Top);
    f.value([](const ReportRow& row) { return row.text(QStringLiteral("NTNEV")) + QStringLiteral("  ") + row.text(QStringLiteral("SZNEV")); },
            0, 85);
    f.label(QStringLiteral("Összesen"), 87, 36);
    f.label(QStringLiteral("Összesen (ezer Ft)"), 87, 36).line(1);
    const bool teteles = texts.teteles;
    for (const auto& [column, x, width] : {std::tuple{QStringLiteral("ALAP"), 125.0, 30.0},
                                           std::tuple{QStringLiteral("AFA"), 165.0, 25.0},
                                           std::tuple{QStringLiteral("BRUTTO"), 190.0, 30.0}}) {
        f.sum(column, x, width).mask(AmountMask).right();
        f.sum(column, x, width).right().line(1).beforePrint([teteles](FieldPrint& p) {
            const double sum = p.value().toDouble();
            // Itemised, the printed total is read back and rounded; otherwise
            // the running sum is divided as it stands.
            p.setText(teteles ? FormatMask(double(RoundHalfAway(double(RoundHalfAway(sum)) / 1000.0)),
                                           QStringLiteral("###,###"))
                              : FormatMask(sum / 1000.0, AmountMask));
        });
    }

    HideAfaDetailUnlessItemised(r, teteles);
    if (!teteles) title.beforePrint([](BandPrint& band) { band.suppress(); });
    return r;
}
