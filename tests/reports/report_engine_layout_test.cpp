// The engine's layout through its text output: groups and sums, pages with
// their headers, masks.
#include <gtest/gtest.h>

#include <stdexcept>

#include "db/app_conventions.h"
#include "db/display_mask.h"
#include "report_engine_samples.h"
#include "reports/engine/report_runner.h"

namespace {

using sample::Item;

const QList<Item> kItems = {
    {"311", "BK", "1", "a", 1000, 0},
    {"311", "BK", "2", "b", 500, 0},
    {"311", "VE", "3", "c", 0, 200},
    {"384", "VE", "4", "d", 0, 700},  // same journal type, another account: a new group
};

}  // namespace

TEST(ReportEngineLayout, GroupKeyedByTwoFieldsBreaksOnEitherAndSumsItsRows) {
    ReportLayout r;
    sample::AddColumnHeader(r);
    ReportGroup& g = r.addGroup({"SZLA", "NTIPUS"});
    ReportBand& header = g.header(5);
    header.label("Számla:", 0, 15);
    header.column("SZLA", 15, 15);
    header.column("NTIPUS", 30, 10);
    ReportBand& footer = g.footer(5);
    footer.label("összesen:", 45, 70);
    footer.sum("TART_ERT", 115, 35).mask("###,###,###,##0").right();
    footer.sum("KOV_ERT", 150, 35).mask("###,###,###,##0").right();
    sample::AddDetail(r);
    sample::AddSummary(r);

    const QStringList expected = {
        "Szla | N.tip | Biz. | Megnevezés | Tartozik | Követel",
        "Számla: | 311 | BK",
        "311 | BK | 1 | a | 1 000 | ",
        "311 | BK | 2 | b | 500 | ",
        "összesen: | 1 500 | 0",
        "Számla: | 311 | VE",
        "311 | VE | 3 | c |  | 200",
        "összesen: | 0 | 200",
        "Számla: | 384 | VE",
        "384 | VE | 4 | d |  | 700",
        "összesen: | 0 | 700",
        "Mind összesen: | 1 500 | 900",
    };
    EXPECT_EQ(RenderToText(r, *sample::Rows(kItems), sample::Options()), expected);
}

TEST(ReportEngineLayout, NestedGroupsCloseInnerFirstAndFootersSeeTheGroupsLastRow) {
    ReportLayout r;
    ReportGroup& account = r.addGroup({"SZLA"});
    account.header(5).label("Számla:", 0, 15);
    account.header(5).column("SZLA", 15, 15);
    ReportBand& accountFooter = account.footer(5);
    accountFooter.column("SZLA", 0, 15);
    accountFooter.label("számla összesen:", 45, 70);
    accountFooter.sum("TART_ERT", 115, 35).mask("###,###,###,##0").right();
    accountFooter.sum("KOV_ERT", 150, 35).mask("###,###,###,##0").right();
    ReportBand& journalFooter = r.addGroup({"NTIPUS"}).footer(5);
    journalFooter.column("NTIPUS", 0, 15);
    journalFooter.label("napló összesen:", 45, 70);
    journalFooter.sum("TART_ERT", 115, 35).mask("###,###,###,##0").right();
    journalFooter.sum("KOV_ERT", 150, 35).mask("###,###,###,##0").right();
    sample::AddDetail(r);
    sample::AddSummary(r);

    const QStringList expected = {
        "Számla: | 311",
        "311 | BK | 1 | a | 1 000 | ",
        "311 | BK | 2 | b | 500 | ",
        "BK | napló összesen: | 1 500 | 0",
        "311 | VE | 3 | c |  | 200",
        "VE | napló összesen: | 0 | 200",
        "311 | számla összesen: | 1 500 | 200",
        "Számla: | 384",
        "384 | VE | 4 | d |  | 700",
        "VE | napló összesen: | 0 | 700",
        "384 | számla összesen: | 0 | 700",
        "Mind összesen: | 1 500 | 900",
    };
    EXPECT_EQ(RenderToText(r, *sample::Rows(kItems), sample::Options()), expected);
}

// Portrait A4 with 10 mm margins leaves 277 mm; the page and column headers
// take 24 mm, so 50 detail lines of 5 mm fit (33 in landscape).
struct PaginationCase {
    bool landscape;
    int rows;
    QList<int> detailLinesPerPage;
};

class ReportEnginePagination : public ::testing::TestWithParam<PaginationCase> {};

TEST_P(ReportEnginePagination, EveryPageHasItsHeadersAndTheRowsRunOnInOrder) {
    const PaginationCase& c = GetParam();
    const ReportDocument doc = LayOutReport(sample::Card(c.landscape), *sample::NumberedRows(c.rows), sample::Options());
    ASSERT_EQ(doc.pageCount(), c.detailLinesPerPage.size());

    int next = 1;
    for (int page = 0; page < doc.pageCount(); ++page) {
        SCOPED_TRACE(page + 1);
        const QStringList lines = doc.pageText(page);
        ASSERT_GE(lines.size(), 4);
        EXPECT_TRUE(lines[0].endsWith(" | Készült: 2025.06.30")) << lines[0].toStdString();  // year | company | date
        EXPECT_EQ(lines[1], QStringLiteral("Karton | Oldal: %1").arg(page + 1));
        EXPECT_EQ(lines[2], "");  // the parameter line, not set here
        EXPECT_EQ(lines[3], "Szla | N.tip | Biz. | Megnevezés | Tartozik | Követel");
        const QStringList details = sample::LinesStarting(lines, "311 | ");
        ASSERT_EQ(details.size(), c.detailLinesPerPage[page]);
        for (const QString& line : details) EXPECT_TRUE(line.startsWith(QStringLiteral("311 | BK | %1 |").arg(next++))) << line.toStdString();
    }
    EXPECT_EQ(next, c.rows + 1);
    EXPECT_EQ(doc.pageText(doc.pageCount() - 1).last(),
              QStringLiteral("Mind összesen: | %1 | 0").arg(FormatMask(100.0 * c.rows, "###,###,###,##0")));
}

INSTANTIATE_TEST_SUITE_P(Pages, ReportEnginePagination,
                         ::testing::Values(PaginationCase{false, 120, {50, 50, 20}},
                                           PaginationCase{true, 120, {33, 33, 33, 21}},
                                           // the summary does not fit after a full page: a page of its own
                                           PaginationCase{false, 50, {50, 0}},
                                           // no rows: headers and zero totals
                                           PaginationCase{false, 0, {0}}));

TEST(ReportEngineLayout, GroupMayStartANewPage) {
    ReportLayout r = sample::Card();
    ReportGroup& g = r.addGroup({"SZLA"}).newPage();
    g.footer(5).sum("TART_ERT", 115, 35).mask("###,###,###,##0").right();
    g.footer(5).sum("KOV_ERT", 150, 35).mask("###,###,###,##0").right();

    const ReportDocument doc = LayOutReport(r, *sample::Rows(kItems), sample::Options());
    ASSERT_EQ(doc.pageCount(), 2);
    const QStringList first = doc.pageText(0), second = doc.pageText(1);
    EXPECT_EQ(first.mid(4), QStringList({"311 | BK | 1 | a | 1 000 | ", "311 | BK | 2 | b | 500 | ",
                                         "311 | VE | 3 | c |  | 200", "1 500 | 200"}));
    EXPECT_EQ(second[1], "Karton | Oldal: 2");
    EXPECT_EQ(second.mid(4), QStringList({"384 | VE | 4 | d |  | 700", "0 | 700", "Mind összesen: | 1 500 | 900"}));
}

struct MaskCase {
    QVariant value;
    QString mask, prefix, expected;
};

TEST(ReportEngineLayout, ValuesPrintThroughTheirMaskAndPrefix) {
    const QString point = DecimalSeparator();
    const QList<MaskCase> cases = {
        {QVariant(), "###,###,###,##0", "", ""},  // NULL prints nothing, whatever the mask
        {0.0, "###,###,###,###", "", ""},         // a mask of "#" only: zero prints nothing
        {0.0, "###,###,###,##0", "", "0"},
        {1234567.0, "###,###,###,###", "", "1 234 567"},
        {-1500.5, "###,###,###,##0.00", "", "-1 500" + point + "50"},
        {12.5, "", "", "12" + point + "5"},  // no mask: the value as a list shows it
        {QString("0042"), "#####0", "", "42"},  // a numeric text under a mask is a number
        {QString("ABC"), "#####0", "", "ABC"},
        {1500.0, "###,###,###,##0", "T   ", "T   1 500"},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(c.mask.toStdString() + " " + c.value.toString().toStdString());
        MemoryExportSource rows("q");
        rows.addColumn("V", c.value.metaType().id() == QMetaType::QString ? "VARCHAR" : "DOUBLE PRECISION");
        rows.addRow({c.value});
        ReportLayout r;
        r.detail(5).column("V", 0, 40).mask(c.mask).prefix(c.prefix);
        EXPECT_EQ(RenderToText(r, rows, sample::Options()), QStringList{c.expected});
    }
}

TEST(ReportEngineLayout, SumOfAnExpressionAndAComputedField) {
    ReportLayout r;
    ReportBand& d = r.detail(5);
    d.column("KONYVBIZ", 0, 20);
    d.value([](const ReportRow& row) { return row.number("TART_ERT") - row.number("KOV_ERT"); }, 20, 30)
        .mask("###,###,###,##0");
    ReportBand& s = r.summary(5);
    s.sum([](const ReportRow& row) { return row.number("TART_ERT") - row.number("KOV_ERT"); }, 20, 30)
        .mask("###,###,###,##0");
    s.sum([](const ReportRow&) { return 1; }, 50, 10).mask("#####0");  // a count

    EXPECT_EQ(RenderToText(r, *sample::Rows(kItems), sample::Options()),
              QStringList({"1 | 1 000", "2 | 500", "3 | -200", "4 | -700", "600 | 4"}));
}

TEST(ReportEngineLayout, UnknownColumnIsAMistakeInTheLayout) {
    ReportLayout r;
    r.detail(5).column("NINCS", 0, 20);
    EXPECT_THROW(RenderToText(r, *sample::Rows(kItems)), std::invalid_argument);
    ReportLayout g;
    g.addGroup({"SZLA", "NINCS"});
    EXPECT_THROW(RenderToText(g, *sample::Rows(kItems)), std::invalid_argument);
    EXPECT_THROW(g.field("NINCS"), std::invalid_argument);
}
