// Before-print hooks: suppressed bands, fields blank or red by a condition,
// labels set at run time.
#include <gtest/gtest.h>

#include "db/display_mask.h"
#include "report_engine_samples.h"
#include "reports/engine/report_print.h"
#include "reports/engine/report_runner.h"

namespace {

using sample::Item;

const PlacedField& FieldOf(const PlacedBand& band, const QString& name) {
    for (const PlacedField& field : band.fields)
        if (field.field->fieldName == name) return field;
    throw std::invalid_argument(name.toStdString());
}

}  // namespace

TEST(ReportEngineHooks, SuppressedDetailRowsAreNeitherPrintedNorSummed) {
    ReportLayout r;
    ReportGroup& g = r.addGroup({"SZLA"});
    // A group header that only the second account prints.
    ReportBand& header = g.header(5);
    header.column("SZLA", 0, 15).prefix("Számla: ");
    header.beforePrint([](BandPrint& p) {
        if (p.row().text("SZLA") == "311") p.suppress();
    });
    ReportBand& footer = g.footer(5);
    footer.sum("TART_ERT", 115, 35).mask("###,###,###,##0").right();
    footer.sum("KOV_ERT", 150, 35).mask("###,###,###,##0").right();
    sample::AddDetail(r);
    r.detail(5).beforePrint([](BandPrint& p) {
        if (p.row().text("NTIPUS") == "XX") p.suppress();
    });
    sample::AddSummary(r);

    const QList<Item> items = {
        {"311", "BK", "1", "a", 1000, 0},
        {"311", "XX", "2", "törölt", 9999, 0},
        {"311", "VE", "3", "c", 0, 200},
        {"384", "XX", "4", "törölt", 0, 8888},
        {"384", "VE", "5", "d", 0, 700},
    };
    const QStringList expected = {
        "311 | BK | 1 | a | 1 000 | ",
        "311 | VE | 3 | c |  | 200",
        "1 000 | 200",
        "Számla: 384",
        "384 | VE | 5 | d |  | 700",
        "0 | 700",
        "Mind összesen: | 1 000 | 900",
    };
    EXPECT_EQ(RenderToText(r, *sample::Rows(items), sample::Options()), expected);
}

TEST(ReportEngineHooks, FieldsPrintBlankOrRedByACondition) {
    ReportLayout r;
    sample::AddDetail(r);
    // The voucher number only on cash and bank lines.
    r.field("KONYVBIZ").beforePrint([](FieldPrint& f) {
        const QString ntipus = f.row().text("NTIPUS");
        f.setVisible(ntipus == "PT" || ntipus == "BK");
    });
    // Subtotal lines ("1-3. ...") in red.
    r.detail(5).beforePrint([](BandPrint& p) {
        p.field("SZOVEG").setColor(p.row().text("SZOVEG").mid(1, 1) == "-" ? Qt::red : Qt::black);
    });

    const QList<Item> items = {
        {"311", "BK", "B-1", "    1. Számlaosztály", 1000, 0},
        {"311", "VE", "V-2", "1-3. Számlaosztály összesen", 0, 200},
        {"381", "PT", "P-3", "pénztár", 50, 0},
    };
    const ReportDocument doc = LayOutReport(r, *sample::Rows(items), sample::Options());
    EXPECT_EQ(doc.text(), QStringList({"311 | BK | B-1 |     1. Számlaosztály | 1 000 | ",
                                       "311 | VE |  | 1-3. Számlaosztály összesen |  | 200",
                                       "381 | PT | P-3 | pénztár | 50 | "}));

    const std::vector<PlacedBand> page = doc.page(0);
    ASSERT_EQ(page.size(), 3u);
    EXPECT_EQ(FieldOf(page[0], "SZOVEG").colour, QColor(Qt::black));
    EXPECT_EQ(FieldOf(page[1], "SZOVEG").colour, QColor(Qt::red));
    EXPECT_EQ(FieldOf(page[2], "SZOVEG").colour, QColor(Qt::black));
    EXPECT_TRUE(FieldOf(page[0], "KONYVBIZ").visible);
    EXPECT_FALSE(FieldOf(page[1], "KONYVBIZ").visible);
}

// As the journal does it: the report's hook resets the totals and sets the
// parameter line, the detail hook adds each line to the debit or credit
// total, the summary hook prints them into its labels.
TEST(ReportEngineHooks, LabelsSetAtRunTimeByTheReportAndBandHooks) {
    double debit = 0, credit = 0;
    ReportLayout r;
    r.setTitle("Könyvelési napló");
    AddCompanyPageHeader(r);
    sample::AddColumnHeader(r);
    sample::AddDetail(r);
    r.beforePrint([&](ReportLayout& printed) {
        debit = credit = 0;
        printed.setText("l_hivparam", "Naplótípus: BK, Számlaszám: 311");
    });
    r.detail(5).beforePrint([&](BandPrint& p) {
        (p.row().number("TART_ERT") > 0 ? debit : credit) += p.row().number("TART_ERT") + p.row().number("KOV_ERT");
    });
    ReportBand& s = r.summary(10).lines(2);
    s.label("Összesen", 45, 70);
    s.label(QString(), 115, 70).name("l_tart").right();
    s.label(QString(), 115, 70).name("l_kov").right().line(1);
    s.beforePrint([&](BandPrint& p) {
        p.field("l_tart").setText("T   " + FormatMask(debit, "###,###,###,##0"));
        p.field("l_kov").setText("K   " + FormatMask(credit, "###,###,###,##0"));
    });

    QList<Item> items;
    for (int i = 1; i <= 60; ++i) items.append({"311", "BK", QString::number(i), "", i % 2 ? 100.0 : 0, i % 2 ? 0 : 30.0});
    for (int run = 0; run < 2; ++run) {  // a second run starts from zero again
        const ReportDocument doc = LayOutReport(r, *sample::Rows(items), sample::Options());
        ASSERT_EQ(doc.pageCount(), 2);
        for (int page = 0; page < 2; ++page) EXPECT_EQ(doc.pageText(page)[2], "Naplótípus: BK, Számlaszám: 311");
        const QStringList last = doc.pageText(1);
        EXPECT_EQ(last.mid(last.size() - 2), QStringList({"Összesen | T   3 000", "K   900"}));
    }
}
