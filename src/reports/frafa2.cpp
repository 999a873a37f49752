#include "reports/frafa2.h"

#include "db/display_mask.h"
#include "reports/afalista_sides.h"
#include "reports/engine/report_print.h"

namespace {

const QString AmountMask = QStringLiteral("###,###,###");

// An amount column of the list: a VAT code's base or VAT.
struct RateColumn {
    QString column, caption;
};

// The base of every rate and the VAT of every rate above 0 %, in order of
// rate. The highest rate is the normal one; a single rate between is the
// reduced one; several between are named by their percentage.
QList<RateColumn> rateColumns(const std::vector<AfaRate>& rates) {
    double normal = 0;
    for (const AfaRate& r : rates) normal = qMax(normal, r.rate);
    int reduced = 0;
    for (const AfaRate& r : rates)
        if (r.rate > 0 && r.rate < normal) ++reduced;
    QList<RateColumn> columns;
    for (const AfaRate& r : rates) {
        const QString percent = QString::number(r.rate * 100, 'g', 4) + u'%';
        if (r.rate <= 0) {
            columns.append({QStringLiteral("ALAP") + r.kod, QStringLiteral("Alap ") + percent});
            continue;
        }
        const QString name = r.rate >= normal ? QStringLiteral("norm.") : reduced == 1 ? QStringLiteral("csökk.") : percent;
        columns.append({QStringLiteral("ALAP") + r.kod, QStringLiteral("Alap ") + name});
        columns.append({QStringLiteral("AFA") + r.kod, QStringLiteral("ÁFA ") + name});
    }
    return columns;
}

RowValue amount(const QString& column) {
    return [column](const ReportRow& row) { return AfaAmount(row, column); };
}

RowValue fixedAssetTotal(const QList<RateColumn>& rates) {
    return [rates](const ReportRow& row) {
        double total = 0;
        for (const RateColumn& c : rates) total += AfaAmount(row, QStringLiteral("TE_") + c.column);
        return total;
    };
}

// Where the columns stand: the texts on the left, then the amounts and the
// gross. Up to five amounts keep the usual places; more take narrower texts
// and a smaller type so that every rate fits the landscape page.
struct Places {
    double konyvbiz, szamlaszam, ugyfel, teljkelt, szlakelt, fizhatido;  // left edges
    double dateWidth, amountFrom, amountWidth, totalX, totalWidth;
    double fontSize = 0;  // 0: the report's own
};

Places placesFor(qsizetype amounts, double pageWidth) {
    constexpr double TotalWidth = 24;
    if (amounts <= 5) return {0, 22, 57, 97, 115, 134, 19, 153, 20, 153 + 20.0 * double(amounts), TotalWidth};
    constexpr double Konyvbiz = 16, Szamlaszam = 28, DateWidth = 18, UgyfelAtLeast = 20;
    const double texts = Konyvbiz + Szamlaszam + 3 * DateWidth;
    const double amountWidth = qMin(17.0, (pageWidth - TotalWidth - texts - UgyfelAtLeast) / double(amounts));
    const double ugyfel = pageWidth - TotalWidth - texts - amountWidth * double(amounts);
    const double teljkelt = Konyvbiz + Szamlaszam + ugyfel;
    const double amountFrom = teljkelt + 3 * DateWidth;
    return {0, Konyvbiz, Konyvbiz + Szamlaszam, teljkelt, teljkelt + DateWidth, teljkelt + 2 * DateWidth, DateWidth,
            amountFrom, amountWidth, amountFrom + amountWidth * double(amounts), TotalWidth, 7};
}

}  // namespace

ReportLayout Frafa2(const AfaLayoutTexts& texts, const std::vector<AfaRate>& rates) {
    ReportLayout r;
    AddAfaPageHeader(r, texts);
    const AfaNames names = AfaNames::read();
    const QList<RateColumn> columns = rateColumns(rates);
    const Places at = placesFor(columns.size(), r.contentWidth());
    const auto amountX = [&at](qsizetype i) { return at.amountFrom + at.amountWidth * double(i); };

    ReportBand& h = r.columnHeader(6).frame(Frame::Top | Frame::Bottom);
    h.label(QStringLiteral("Könyv.biz"), at.konyvbiz, at.szamlaszam - at.konyvbiz);
    h.label(QStringLiteral("Számlaszám"), at.szamlaszam, at.ugyfel - at.szamlaszam);
    h.label(QStringLiteral("Ügyfél"), at.ugyfel, at.teljkelt - at.ugyfel);
    h.label(QStringLiteral("Telj.kelte"), at.teljkelt, at.dateWidth);
    h.label(QStringLiteral("Számla kelte"), at.szlakelt, at.dateWidth);
    h.label(QStringLiteral("Fiz.hat.idő"), at.fizhatido, at.dateWidth);
    for (qsizetype i = 0; i < columns.size(); ++i) h.label(columns[i].caption, amountX(i), at.amountWidth).right();
    h.label(QStringLiteral("Bruttó"), at.totalX, at.totalWidth).right();

    ReportGroup& side = r.addGroup({QStringLiteral("NTIPUS"), QStringLiteral("FIZLEV")});
    const auto caption = [names](const ReportRow& row) { return QVariant(names.groupCaption(row)); };
    side.header(6).value(caption, 0, 150).bold();

    ReportBand& d = r.detail(4.5);
    d.column(QStringLiteral("KONYVBIZ"), at.konyvbiz, at.szamlaszam - at.konyvbiz);
    d.column(QStringLiteral("SZAMLASZAM"), at.szamlaszam, at.ugyfel - at.szamlaszam);
    d.value([names](const ReportRow& row) { return names.partner(row); }, at.ugyfel, at.teljkelt - at.ugyfel);
    d.column(QStringLiteral("TELJKELT"), at.teljkelt, at.dateWidth);
    d.column(QStringLiteral("SZLAKELT"), at.szlakelt, at.dateWidth);
    d.column(QStringLiteral("FIZHATIDO"), at.fizhatido, at.dateWidth);
    for (qsizetype i = 0; i < columns.size(); ++i)
        d.value(amount(columns[i].column), amountX(i), at.amountWidth).mask(AmountMask).right();
    d.column(QStringLiteral("BRUTTO"), at.totalX, at.totalWidth).mask(AmountMask).right();

    ReportBand& f = side.footer(20).lines(4).frame(Frame::Top);
    f.value(caption, 0, 150).bold();
    const double labelWidth = qMin(50.0, at.amountFrom - at.teljkelt);
    f.label(QStringLiteral("Összesen"), at.teljkelt, labelWidth).line(1);
    f.label(QStringLiteral("Összesen (ezer Ft)"), at.teljkelt, labelWidth).line(2);
    f.label(QStringLiteral("Ebből tárgyi eszköz"), at.teljkelt, labelWidth).line(3).italic();
    const auto gross = [](const ReportRow& row) { return row.number(QStringLiteral("ALAP")) + row.number(QStringLiteral("AFA")); };
    const auto thousands = [](FieldPrint& p) { p.setText(FormatMask(p.value().toDouble() / 1000.0, QStringLiteral("#####0"))); };
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString& column = columns[i].column;
        f.sum(amount(column), amountX(i), at.amountWidth).mask(AmountMask).right().line(1);
        f.sum(amount(column), amountX(i), at.amountWidth).right().line(2).beforePrint(thousands);
        f.sum(amount(QStringLiteral("TE_") + column), amountX(i), at.amountWidth).mask(AmountMask).right().line(3).italic();
    }
    f.sum(gross, at.totalX, at.totalWidth).mask(AmountMask).right().line(1);
    f.sum(gross, at.totalX, at.totalWidth).right().line(2).beforePrint(thousands);
    f.sum(fixedAssetTotal(columns), at.totalX, at.totalWidth).mask(QStringLiteral("###,###,##0")).right().line(3).italic();

    if (at.fontSize > 0)
        for (ReportBand* band : {&h, &d, &f})
            for (ReportField& field : band->fields) field.size(at.fontSize);

    HideAfaDetailUnlessItemised(r, texts.teteles);
    return r;
}
