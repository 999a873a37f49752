// The reconciliation table: the thirteen rows in order, the balance rule,
// and the subtotal texts printed in red.
#include <gtest/gtest.h>

#include "ledger_items.h"
#include "report_engine_samples.h"
#include "reports/egyezteto.h"
#include "reports/fregyezteto.h"
#include "support/test_db.h"

namespace {

class Egyezteto : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        items::Post({
            {"311", "454", 1000, "VV", "2025.01.15"},
            {"454", "384", 600, "VV", "2025.02.10"},
            {"521", "454", 300, "VV", "2025.03.01"},
            {"311", "911", 500, "VV", "2025.04.01"},
        });
    }
    ResultTable table;
};

const QStringList Columns = {"SORREND", "SZOVEG", "TART_ERT", "KOV_ERT", "TART_EGY", "KOV_EGY"};

}  // namespace

TEST_F(Egyezteto, ClassRowsAndSubtotalsInOrder) {
    const ReportRun r = RunEgyezteto({"2025.01.01", "2025.03.31"}, table);
    EXPECT_TRUE(r.table.startsWith("TMP_EGY_"));
    EXPECT_EQ(r.whivparam, "Teljesítés kelte: 2025.01.01-tól     2025.03.31-ig");
    EXPECT_EQ(items::Rows(r.querySql, Columns), QStringList({
                                                    "10 |     1. Számlaosztály | 0 | 0 | 0 | 0",
                                                    "20 |     2. Számlaosztály | 0 | 0 | 0 | 0",
                                                    "30 |     3. Számlaosztály | 1000 | 600 | 400 | 0",
                                                    "35 | 1-3. Számlaosztály összesen | 1000 | 600 | 400 | 0",
                                                    "40 |     4. Számlaosztály | 600 | 1300 | 0 | 700",
                                                    "45 | 1-4. Számlaosztály összesen | 1600 | 1900 | 0 | 300",
                                                    "50 |     5. Számlaosztály | 300 | 0 | 300 | 0",
                                                    "60 |     6. Számlaosztály | 0 | 0 | 0 | 0",
                                                    "70 |     7. Számlaosztály | 0 | 0 | 0 | 0",
                                                    "80 |     8. Számlaosztály | 0 | 0 | 0 | 0",
                                                    "90 |     9. Számlaosztály | 0 | 0 | 0 | 0",
                                                    "95 | 5-9. Számlaosztály összesen | 300 | 0 | 300 | 0",
                                                    "99 | 1-9. Számlaosztály összesen | 1900 | 1900 | 0 | 0",
                                                }));
    for (const EgyeztetoCriteria& c : {EgyeztetoCriteria{}, EgyeztetoCriteria{"2025.02.01", "    .  .  "}})
        EXPECT_EQ(ComputeEgyezteto(c), ComputeEgyeztetoPerClass(c));
}

TEST_F(Egyezteto, SubtotalTextsPrintRed) {
    const ReportRun r = RunEgyezteto({}, table);
    EXPECT_EQ(r.whivparam, "Teljesítés kelte: -tól     -ig");
    QueryExportSource rows(ExecSql(d_tarvedo, r.querySql), "q_egyezteto");
    const ReportDocument doc = LayOutReport(Fregyezteto(r.whivparam), rows, sample::Options());
    QStringList red, lines;
    for (const PlacedBand& band : doc.page(0))
        for (const PlacedField& field : band.fields)
            if (field.field->columnName == "SZOVEG") {
                lines << field.text;
                if (field.colour == QColor(Qt::red)) red << field.text;
            }
    EXPECT_EQ(red, QStringList({"1-3. Számlaosztály összesen", "1-4. Számlaosztály összesen",
                                "5-9. Számlaosztály összesen", "1-9. Számlaosztály összesen"}));
    EXPECT_EQ(lines.size(), 13);
    const QStringList text = doc.text();
    EXPECT_EQ(text.mid(text.size() - 3),
              QStringList({"5-9. Számlaosztály összesen | 300 | 500 | 0 | 200", "1-9. Számlaosztály összesen | 2 400 | 2 400 | 0 | 0",
                           "Lista vége"}));
}
