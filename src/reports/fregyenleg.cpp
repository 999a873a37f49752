#include "reports/fregyenleg.h"

#include "db/dat.h"
#include "db/display_mask.h"
#include "reports/egyenleg.h"
#include "reports/engine/company_page_header.h"
#include "reports/engine/report_print.h"

namespace {

const QString AmountMask = QStringLiteral("###,###,###,###");
const QString CurrencyMask = QStringLiteral("###,###,###,##0.00");
const QString TotalMask = QStringLiteral("###,###,###,##0");

bool foreignCurrency(const ReportRow& row) { return row.text(QStringLiteral("DEVIZANEM")) != QLatin1String("HUF"); }

// Where the columns stand, in millimetres.
struct Column {
    double x, width;
};
const Column Naplo{0, 9}, Szamlaszam{9, 33}, Teljkelt{42, 17}, Fizhatido{59, 18}, Devertek{77, 22}, Devizanem{99, 8},
    Ertek{107, 22}, Pntipus{131, 9}, Pbizonylat{140, 25}, Pteljkelt{165, 17}, Pdevertek{182, 21}, Pdevizanem{203, 8},
    Pertek{211, 22}, HatralekDev{235, 20}, HatralekFt{255, 22};

}  // namespace

ReportLayout Fregyenleg(PartnerSide side, const QString& title, const QString& whivparam,
                        std::optional<double> controlBalance) {
    ReportLayout r;
    r.setTitle(title);
    r.setLandscape(true);
    AddCompanyPageHeader(r);
    r.setText(QStringLiteral("l_hivparam"), whivparam);

    ReportBand& h = r.columnHeader(10).lines(2).frame(Frame::Box);
    h.label(EgyenlegSideCaption(side), Naplo.x, Ertek.x + Ertek.width).bold().frame(Frame::Box).name(QStringLiteral("l_ugyfeloldal"));
    h.label(QStringLiteral("Pénzügyi oldal:"), Pntipus.x, Pertek.x + Pertek.width - Pntipus.x).bold().frame(Frame::Box);
    h.label(QStringLiteral("Hátralék"), HatralekDev.x, HatralekFt.x + HatralekFt.width - HatralekDev.x).bold().center().frame(Frame::Box);
    const auto caption = [&](const QString& text, Column c, bool right = false) {
        ReportField& f = h.label(text, c.x, c.width).line(1);
        if (right) f.right();
    };
    caption(QStringLiteral("Napló"), Naplo);
    caption(QStringLiteral("Számlaszám"), Szamlaszam);
    caption(QStringLiteral("Telj. kelte"), Teljkelt);
    caption(QStringLiteral("Fiz.határidő"), Fizhatido);
    caption(QStringLiteral("dev. érték"), Devertek, true);
    caption(QStringLiteral("Ft. érték"), Ertek, true);
    caption(QStringLiteral("napló"), Pntipus);
    caption(QStringLiteral("Bizonylat"), Pbizonylat);
    caption(QStringLiteral("Telj. kelte"), Pteljkelt);
    caption(QStringLiteral("dev. érték"), Pdevertek, true);
    caption(QStringLiteral("Ft. érték"), Pertek, true);
    caption(QStringLiteral("dev."), HatralekDev, true);
    caption(QStringLiteral("Ft."), HatralekFt, true);

    ReportGroup& g = r.addGroup({QStringLiteral("UGYFELNEV"), QStringLiteral("UGYFELKOD"), QStringLiteral("DEVIZANEM")});
    ReportBand& gh = g.header(6);
    gh.label(QStringLiteral("Ügyfél:"), 0, 14).bold().place(1, 5);
    gh.column(QStringLiteral("UGYFELKOD"), 14, 18).bold().place(1, 5);
    gh.column(QStringLiteral("UGYFELNEV"), 32, 110).bold().place(1, 5);
    gh.label(QStringLiteral("Bankszámla szám"), 150, 28).place(1, 5);
    gh.label(QString(), 178, 70).name(QStringLiteral("l_pfjsz")).place(1, 5);
    // The partner's bank account, read just before the header prints.
    gh.beforePrint([](BandPrint& p) {
        const QString kod = p.row().text(QStringLiteral("UGYFELKOD"));
        p.field(QStringLiteral("l_pfjsz"))
            .setText(SelectValue(d_tarvedo, QStringLiteral("select PFJSZ from UGYFEL where KOD = :KOD"), {{QStringLiteral("KOD"), kod}})
                         .toString());
    });

    ReportBand& d = r.detail(4.5);
    const auto onlyForeign = [](FieldPrint& f) { f.setVisible(foreignCurrency(f.row())); };
    d.column(QStringLiteral("NTIPUS"), Naplo.x, Naplo.width);
    d.column(QStringLiteral("SZAMLASZAM"), Szamlaszam.x, Szamlaszam.width);
    d.column(QStringLiteral("TELJKELT"), Teljkelt.x, Teljkelt.width);
    d.column(QStringLiteral("FIZHATIDO"), Fizhatido.x, Fizhatido.width);
    d.column(QStringLiteral("DEVERTEK"), Devertek.x, Devertek.width).mask(CurrencyMask).right().beforePrint(onlyForeign);
    d.column(QStringLiteral("DEVIZANEM"), Devizanem.x + 1, Devizanem.width - 1).beforePrint(onlyForeign);
    d.column(QStringLiteral("ERTEK"), Ertek.x, Ertek.width).mask(AmountMask).right();
    d.column(QStringLiteral("PNTIPUS"), Pntipus.x, Pntipus.width);
    d.column(QStringLiteral("PBIZONYLAT"), Pbizonylat.x, Pbizonylat.width);
    d.column(QStringLiteral("PTELJKELT"), Pteljkelt.x, Pteljkelt.width);
    d.column(QStringLiteral("PDEVERTEK"), Pdevertek.x, Pdevertek.width).mask(CurrencyMask).right().beforePrint(onlyForeign);
    d.column(QStringLiteral("PDEVIZANEM"), Pdevizanem.x + 1, Pdevizanem.width - 1).beforePrint(onlyForeign);
    d.column(QStringLiteral("PERTEK"), Pertek.x, Pertek.width).mask(AmountMask).right();
    d.value([](const ReportRow& row) { return row.number(QStringLiteral("DEVERTEK")) - row.number(QStringLiteral("PDEVERTEK")); },
            HatralekDev.x, HatralekDev.width)
        .name(QStringLiteral("l_hatralekdev"))
        .mask(AmountMask)
        .right()
        .beforePrint(onlyForeign);
    d.value([](const ReportRow& row) { return row.number(QStringLiteral("ERTEK")) - row.number(QStringLiteral("PERTEK")); },
            HatralekFt.x, HatralekFt.width)
        .name(QStringLiteral("l_hatralek"))
        .mask(AmountMask)
        .right();

    const auto arrears = [](const ReportRow& row) {
        return row.number(QStringLiteral("ERTEK")) - row.number(QStringLiteral("PERTEK"));
    };
    ReportBand& f = g.footer(6).frame(Frame::Top);
    f.label(QStringLiteral("ügyfél összesen"), Szamlaszam.x, 60);
    f.sum(QStringLiteral("ERTEK"), Ertek.x, Ertek.width).mask(TotalMask).right();
    f.sum(QStringLiteral("PERTEK"), Pertek.x, Pertek.width).mask(TotalMask).right();
    f.sum(arrears, HatralekFt.x, HatralekFt.width).mask(TotalMask).right();

    ReportBand& s = r.summary(controlBalance ? 17 : 7).frame(Frame::Top);
    s.label(QStringLiteral("Mind összesen:"), Szamlaszam.x, 60).bold();
    s.sum(QStringLiteral("ERTEK"), Ertek.x, Ertek.width).mask(TotalMask).right().bold();
    s.sum(QStringLiteral("PERTEK"), Pertek.x, Pertek.width).mask(TotalMask).right().bold();
    s.sum(arrears, HatralekFt.x, HatralekFt.width).mask(TotalMask).right().bold();
    if (controlBalance) {
        // Whether the open items tie out with the control account.
        const double balance = *controlBalance;
        const QString account = side == PartnerSide::Suppliers ? Td().SzSzla : Td().VeSzla;
        s.lines(3);
        s.label(QStringLiteral("Főkönyvi egyenleg (%1):").arg(account), Szamlaszam.x, 90).line(1);
        s.label(FormatMask(balance, TotalMask), HatralekFt.x, HatralekFt.width).right().line(1).name(QStringLiteral("l_fokonyv"));
        s.label(QStringLiteral("Eltérés:"), Szamlaszam.x, 90).line(2);
        s.sum(arrears, HatralekFt.x, HatralekFt.width).right().bold().line(2).name(QStringLiteral("l_elteres"))
            .beforePrint([balance](FieldPrint& p) { p.setText(FormatMask(p.value().toDouble() - balance, TotalMask)); });
    }
    return r;
}
