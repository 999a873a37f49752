#include "reports/frafa2.h"

#include "db/display_mask.h"
#include "reports/engine/report_print.h"

namespace {

const QString AmountMask = QStringLiteral("###,###,###");

struct RateColumn {
    QString column;
    double x, width;
};
// The VAT codes of 0 %, the reduced and the normal rate.
const QList<RateColumn> RateColumns = {{QStringLiteral("ALAP00"), 153, 20}, {QStringLiteral("ALAP05"), 173, 20},
                                       {QStringLiteral("AFA05"), 193, 18},  {QStringLiteral("ALAP27"), 211, 22},
                                       {QStringLiteral("AFA27"), 233, 20}};
const double TotalX = 253, TotalWidth = 24;

RowValue amount(const QString& column) {
    return [column](const ReportRow& row) { return AfaAmount(row, column); };
}

RowValue fixedAssetTotal() {
    return [](const ReportRow& row) {
        double total = 0;
        for (const RateColumn& c : RateColumns) total += AfaAmount(row, QStringLiteral("TE_") + c.column);
        return total;
    };
}

}  // namespace

ReportLayout Frafa2(const AfaLayoutTexts& texts) {
    ReportLayout r;
    AddAfaPageHeader(r, texts);
    const AfaNames names = AfaNames::read();

    ReportBand& h = r.columnHeader(6).frame(Frame::Top | Frame::Bottom);
    h.label(QStringLiteral("Könyv.biz"), 0, 22);
    h.label(QStringLiteral("Számlaszám"), 22, 35);
    h.label(QStringLiteral("Ügyfél"), 57, 40);
    h.label(QStringLiteral("Telj.kelte"), 97, 18);
    h.label(QStringLiteral("Számla kelte"), 115, 19);
    h.label(QStringLiteral("Fiz.hat.idő"), 134, 19);
    h.label(QStringLiteral("Alap 0%"), 153, 20).right();
    h.label(QStringLiteral("Alap csökk."), 173, 20).right();
    h.label(QStringLiteral("ÁFA csökk."), 193, 18).right();
    h.label(QStringLiteral("Alap norm."), 211, 22).right();
    h.label(QStringLiteral("ÁFA norm."), 233, 20).right();
    h.label(QStringLiteral("Bruttó"), TotalX, TotalWidth).right();

    ReportGroup& side = r.addGroup({QStringLiteral("NTIPUS"), QStringLiteral("FIZLEV")});
    const auto caption = [names](const ReportRow& row) { return QVariant(names.groupCaption(row)); };
    side.header(6).value(caption, 0, 150).bold();

    ReportBand& d = r.detail(4.5);
    d.column(QStringLiteral("KONYVBIZ"), 0, 22);
    d.column(QStringLiteral("SZAMLASZAM"), 22, 35);
    d.value([names](const ReportRow& row) { return names.partner(row); }, 57, 40);
    d.column(QStringLiteral("TELJKELT"), 97, 18);
    d.column(QStringLiteral("SZLAKELT"), 115, 19);
    d.column(QStringLiteral("FIZHATIDO"), 134, 19);
    for (const RateColumn& c : RateColumns) d.value(amount(c.column), c.x, c.width).mask(AmountMask).right();
    d.column(QStringLiteral("BRUTTO"), TotalX, TotalWidth).mask(AmountMask).right();

    ReportBand& f = side.footer(20).lines(4).frame(Frame::Top);
    f.value(caption, 0, 150).bold();
    f.label(QStringLiteral("Összesen"), 97, 50).line(1);
    f.label(QStringLiteral("Összesen (ezer Ft)"), 97, 50).line(2);
    f.label(QStringLiteral("Ebből tárgyi eszköz"), 97, 50).line(3).italic();
    const auto gross = [](const ReportRow& row) { return row.number(QStringLiteral("ALAP")) + row.number(QStringLiteral("AFA")); };
    const auto thousands = [](FieldPrint& p) { p.setText(FormatMask(p.value().toDouble() / 1000.0, QStringLiteral("#####0"))); };
    for (const RateColumn& c : RateColumns) {
        f.sum(amount(c.column), c.x, c.width).mask(AmountMask).right().line(1);
        f.sum(amount(c.column), c.x, c.width).right().line(2).beforePrint(thousands);
        f.sum(amount(QStringLiteral("TE_") + c.column), c.x, c.width).mask(AmountMask).right().line(3).italic();
    }
    f.sum(gross, TotalX, TotalWidth).mask(AmountMask).right().line(1);
    f.sum(gross, TotalX, TotalWidth).right().line(2).beforePrint(thousands);
    f.sum(fixedAssetTotal(), TotalX, TotalWidth).mask(QStringLiteral("###,###,##0")).right().line(3).italic();

    HideAfaDetailUnlessItemised(r, texts.teteles);
    return r;
}
