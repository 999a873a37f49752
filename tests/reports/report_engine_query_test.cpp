// The engine bound to a query on a real company database, with the page
// header that every ledger report prints.
#include <gtest/gtest.h>

#include "db/dat.h"
#include "report_engine_samples.h"
#include "support/test_db.h"

namespace {

class ReportEngineQuery : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec("create table T_KARTON (SZLA varchar(10), NTIPUS varchar(2), KONYVBIZ varchar(15), "
             "SZOVEG varchar(120), TART_ERT double precision, KOV_ERT double precision)");
        Exec("insert into T_KARTON values ('384', 'BK', 'B2', 'jóváírás', 0, 250)");
        Exec("insert into T_KARTON values ('311', 'VE', 'V1', 'számla', 1200, 0)");
        Exec("insert into T_KARTON values ('311', 'BK', 'B1', 'átutalás', 0, 1200)");
        Exec("insert into T_KARTON values ('384', 'BK', 'B1', 'átutalás', 1200, null)");
        Exec("update CEG set NEV = 'Minta Kft.'");
        db1AfterConnect();  // the company record as a new connect reads it
    }
};

}  // namespace

TEST_F(ReportEngineQuery, ForwardOnlyQueryLaysOutWithGroupsAndTheCompanyHeader) {
    QueryExportSource rows(ExecSql(d_tarvedo, "select * from T_KARTON order by SZLA, KONYVBIZ"), "q_karton");
    ReportLayout r = sample::Card(true);
    r.setText("l_hivparam", "Naplótípus : ;   Számlaszám : 3");
    ReportBand& footer = r.addGroup({"SZLA"}).footer(5);
    footer.label("összesen:", 45, 70);
    footer.sum("TART_ERT", 115, 35).mask("###,###,###,###").right();
    footer.sum("KOV_ERT", 150, 35).mask("###,###,###,###").right();

    const QStringList expected = {
        "2026 | Minta Kft. | Készült: 2025.06.30",
        "Karton | Oldal: 1",
        "Naplótípus : ;   Számlaszám : 3",
        "Szla | N.tip | Biz. | Megnevezés | Tartozik | Követel",
        "311 | BK | B1 | átutalás |  | 1 200",
        "311 | VE | V1 | számla | 1 200 | ",
        "összesen: | 1 200 | 1 200",
        "384 | BK | B1 | átutalás | 1 200 | ",
        "384 | BK | B2 | jóváírás |  | 250",
        "összesen: | 1 200 | 250",
        "Mind összesen: | 2 400 | 1 450",
    };
    EXPECT_EQ(RenderToText(r, rows, sample::Options()), expected);
    // The same query again, as when the preview is followed by a print: it
    // is run anew from its first row.
    EXPECT_EQ(RenderToText(r, rows, sample::Options()), expected);
}
