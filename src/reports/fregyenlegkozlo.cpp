#include "reports/fregyenlegkozlo.h"

#include <QSqlQuery>

#include "db/altproc.h"
#include "db/dat.h"
#include "reports/engine/report_print.h"

namespace {

const QString Mask = QStringLiteral("###,###,###,##0.###");
const double LineHeight = 4.5;
const double PanelWidth = 92;
const double RightPanel = 98;

QString joined(const QStringList& parts) {
    QStringList kept;
    for (const QString& part : parts)
        if (!part.trimmed().isEmpty()) kept << part.trimmed();
    return kept.join(u' ');
}

// A framed panel of five lines at `x`: the name in bold, then the lines
// named `<prefix>1` ... `<prefix>4`.
void panel(ReportBand& band, double x, const QString& prefix, const QStringList& texts) {
    band.label(QString(), x, PanelWidth).frame(Frame::Box).place(0, 5 * 5 + 3);
    for (int i = 0; i < 5; ++i) {
        ReportField& f = band.label(texts.value(i), x + 2, PanelWidth - 4).name(prefix + QString::number(i)).place(1.5 + 5 * i, 5);
        if (i == 0) f.bold();
    }
}

}  // namespace

ReportLayout Fregyenlegkozlo(const EgyenlegkozloCriteria& criteria, const QString& today) {
    const QString signedOn = today.isEmpty() ? DateToText() : today;
    const bool detailed = !criteria.osszesito;
    ReportLayout r;
    r.setTitle(EgyenlegkozloTitle);
    r.setFont(r.fontFamily(), 9);
    const double width = r.contentWidth();

    ReportBand& page = r.pageHeader(14);
    page.printDate(width - 60, 60).name(QStringLiteral("l_keszult")).prefix(QStringLiteral("Készült: ")).right().place(0, 5);
    page.title(30, width - 60).name(QStringLiteral("l_cim")).size(13).bold().center().place(5, 8);

    ReportGroup& g = r.addGroup({QStringLiteral("UGYFELNEV"), QStringLiteral("UGYFELKOD"), QStringLiteral("DEVIZANEM")});
    g.newPage();
    ReportBand& h = g.header(detailed ? 48 : 40);
    const CompanyRecord& ceg = Td().ceg;
    panel(h, 0, QStringLiteral("l_ceg"),
          {ceg.text(QStringLiteral("NEV")), joined({ceg.text(QStringLiteral("IRSZAM")), ceg.text(QStringLiteral("HELYSEG"))}),
           joined({ceg.text(QStringLiteral("CIM1")), ceg.text(QStringLiteral("CIM2")), ceg.text(QStringLiteral("CIM3"))}),
           QStringLiteral("Számlaszám: ") + ceg.text(QStringLiteral("BANKSZAMLA")),
           QStringLiteral("Adószám: ") + ceg.text(QStringLiteral("ADOSZAM"))});
    panel(h, RightPanel, QStringLiteral("l_ugyfel"), {});
    h.label(EgyenlegkozloOpening(criteria.datum), 0, width).name(QStringLiteral("l_nyito")).place(31, 6);
    // The customer's own data, read just before the letter prints.
    h.beforePrint([](BandPrint& p) {
        const QString kod = p.row().text(QStringLiteral("UGYFELKOD"));
        QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select IRSZAM, VAROS, CIM, PFJSZ, ADOSZAM from UGYFEL where KOD = :KOD"),
                              {{QStringLiteral("KOD"), kod}});
        const bool found = NextRow(q);
        const auto v = [&](int i) { return found ? q.value(i).toString() : QString(); };
        p.field(QStringLiteral("l_ugyfel0")).setText(p.row().text(QStringLiteral("UGYFELNEV")));
        p.field(QStringLiteral("l_ugyfel1")).setText(joined({v(0), v(1)}));
        p.field(QStringLiteral("l_ugyfel2")).setText(v(2));
        p.field(QStringLiteral("l_ugyfel3")).setText(QStringLiteral("Számlaszám: ") + v(3));
        p.field(QStringLiteral("l_ugyfel4")).setText(QStringLiteral("Adószám: ") + v(4));
    });

    // The invoice columns: their captions close the letter's header, the
    // lines follow; the total-only letter has neither.
    struct Column {
        QString caption, column;
        double x, width;
        bool amount;
    };
    const QList<Column> columns{{QStringLiteral("Számlaszám:"), QStringLiteral("SZAMLASZAM"), 0, 38, false},
                                {QStringLiteral("Telj.kelte"), QStringLiteral("TELJKELT"), 38, 20, false},
                                {QStringLiteral("Fiz.határidő"), QStringLiteral("FIZHATIDO"), 58, 22, false},
                                {QStringLiteral("Számla összege"), QStringLiteral("BEVETEL"), 80, 29, true},
                                {QStringLiteral("Utalt összeg"), QStringLiteral("PBEVETEL"), 109, 29, true},
                                {QStringLiteral("Utalás ideje"), QStringLiteral("PTELJKELT"), 141, 21, false},
                                {QStringLiteral("Egyenleg"), QStringLiteral("KIADAS"), 162, 28, true}};
    if (detailed) {
        ReportBand& d = r.detail(5);
        for (const Column& c : columns) {
            ReportField& caption = h.label(c.caption, c.x + (c.amount ? 1 : 0), c.width - 1).bold().size(8).frame(Frame::Bottom).place(40, 6);
            ReportField& value = d.column(c.column, c.x, c.width);
            if (c.amount) {
                caption.right();
                value.mask(Mask).right();
            }
        }
    }

    const QStringList text = EgyenlegkozloLetterText(Td().ceg.text(QStringLiteral("HELYSEG")), signedOn);
    ReportBand& f = g.footer(10 + LineHeight * (text.size() + 1)).frame(Frame::Top);
    f.label(QStringLiteral("Egyenleg:"), 111, 40).bold().place(2, 6);
    f.sum(QStringLiteral("KIADAS"), 142, 48).mask(Mask).right().bold().place(2, 6);
    for (int i = 0; i < text.size(); ++i)
        f.label(text.at(i), 0, width).name(QStringLiteral("l_szoveg%1").arg(i)).size(7.5).place(12 + LineHeight * i, LineHeight);
    return r;
}
