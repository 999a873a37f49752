#include <gtest/gtest.h>

#include "posting/voucher_statements.h"

namespace {

TEST(VoucherStatementsTest, CurrencyLinesFollowTheCompanyAndTheRateColumn) {
    struct Case {
        bool currency, rate;
        const char *insertColumns, *insertValues, *updateRate, *headerCurrency, *headerRate;
    };
    const Case cases[] = {
        {false, false, "", "", "", "", ""},
        {false, true, "", "", "", "", ""},
        {true, false, ",DEVIZANEM, DEVIZAERTEK", ",:devizanem, :devizaertek", "", ",DEVIZANEM = :devizanem", ""},
        {true, true, ",DEVIZANEM, DEVIZAERTEK, ARFOLYAM", ",:devizanem, :devizaertek, :arfolyam", ",ARFOLYAM = :arfolyam",
         ",DEVIZANEM = :devizanem", ",ARFOLYAM = :arfolyam"},
    };
    for (const Case& c : cases) {
        const VoucherStatements s = AssembleVoucherStatements(c.currency, c.rate);
        EXPECT_EQ(s.qi_tetel.size(), 12);
        EXPECT_EQ(s.qi_tetel[4], QString::fromLatin1(c.insertColumns)) << c.currency << c.rate;
        EXPECT_EQ(s.qi_tetel[10], QString::fromLatin1(c.insertValues)) << c.currency << c.rate;
        EXPECT_EQ(s.qu_tetel[21], QString::fromLatin1(c.currency ? ",DEVIZANEM = :devizanem" : ""));
        EXPECT_EQ(s.qu_tetel[22], QString::fromLatin1(c.currency ? ",DEVIZAERTEK = :devizaertek" : ""));
        EXPECT_EQ(s.qu_tetel[23], QString::fromLatin1(c.updateRate)) << c.currency << c.rate;
        EXPECT_EQ(s.qu_tetelfej[9], QString::fromLatin1(c.headerCurrency)) << c.currency << c.rate;
        EXPECT_EQ(s.qu_tetelfej[10], QString::fromLatin1(c.headerRate)) << c.currency << c.rate;
        EXPECT_EQ(s.qu_tetel.last(), QStringLiteral("   and ESZLA = :eszla"));
        EXPECT_EQ(s.qu_tetelfej.last(), QStringLiteral("   and SORSZAM = :sorszam"));
    }
}

}  // namespace
