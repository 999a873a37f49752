// Criteria longer than the column they are compared with: a journal type of
// three letters or an eleven-digit account finds nothing, a long bound
// compares as the text it is; none of them fails the statement.
#include <gtest/gtest.h>

#include <functional>

#include "ledger_items.h"
#include "reports/egyezteto.h"
#include "reports/fokiv.h"
#include "reports/karton.h"
#include "reports/knaplo.h"
#include "support/test_db.h"

namespace {

class LongCriteria : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        db1AfterConnect();
        items::PostSample();
    }
};

}  // namespace

TEST_F(LongCriteria, AreComparedAsTheyAreInsteadOfFailingTheStatement) {
    ResultTable fokivTable, egyeztetoTable;
    const auto karton = [](KartonCriteria c) { return RunKarton(c).rows; };
    const auto knaplo = [](KnaploCriteria c) { return RunKnaplo(c).rows; };
    const auto fokiv = [&](FokivCriteria c) { return RunFokiv(c, fokivTable).rows; };
    const auto egyezteto = [&](EgyeztetoCriteria c) {
        const ReportRun run = RunEgyezteto(c, egyeztetoTable);
        // The table's sums, as one number to compare.
        return qint64(qHash(items::Rows(run.querySql, {"SORREND", "TART_ERT", "KOV_ERT"}).join(u'\n')));
    };
    const struct {
        const char* what;
        std::function<qint64()> run;
        qint64 rows;
    } cases[] = {
        {"card, journal type of three letters", [&] { return karton({.szla = "31", .ntipus = "VEX"}); }, 0},
        {"card, journal type far too long", [&] { return karton({.szla = "3", .ntipus = QString(300, u'V')}); }, 0},
        {"card, eleven-digit account", [&] { return karton({.szla = "31100000000"}); }, 0},
        {"card, long date bound as text", [&] { return karton({.szla = "31", .teljkeltTol = "2025.01.0111"}); }, 3},
        {"card, long date bound past every item", [&] { return karton({.szla = "31", .teljkeltTol = "2025.02.2099"}); }, 0},
        {"journal, journal type of three letters", [&] { return knaplo({.ntipus = "VEX"}); }, 0},
        {"journal, eleven-digit account", [&] { return knaplo({.ntipus = "VE", .szla = "31100000000"}); }, 0},
        {"journal, long posting date bound", [&] { return knaplo({.ntipus = "VE", .konyvelveIg = "2025.03.1299"}); }, 2},
        {"trial balance, long upper account bound", [&] { return fokiv({.szlaIg = "99999999999"}); },
         fokiv({})},
        {"trial balance, long lower account bound", [&] { return fokiv({.szlaTol = "99999999999"}); }, 0},
        {"trial balance, long date bound", [&] { return fokiv({.datumTol = "2025.02.2099"}); }, 0},
        {"reconciliation, long date bound", [&] { return egyezteto({.teljkeltIg = "2025.01.1599"}); },
         egyezteto({.teljkeltIg = "2025.01.15"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        qint64 rows = -1;
        EXPECT_NO_THROW(rows = c.run());
        EXPECT_EQ(rows, c.rows);
    }
}
