#include <gtest/gtest.h>

#include "db/app_conventions.h"
#include "posting/vat_split.h"

namespace {

TEST(VatSplitTest, GrossIsSplitInWholeForints) {
    struct Case {
        double gross, rate, net, vat;
    };
    const Case cases[] = {
        {12700, 0.27, 10000, 2700},
        {100, 0.27, 79, 21},  // 78.74 rounds to 79
        {-12700, 0.27, -10000, -2700},
        {1051, 0.05, 1001, 50},
        {5000, 0, 5000, 0},  // a code without a rate: all of it is net
    };
    for (const Case& c : cases) {
        const VatSplit s = SplitGross(c.gross, c.rate);
        EXPECT_EQ(s.net, c.net) << c.gross << " " << c.rate;
        EXPECT_EQ(s.vat, c.vat) << c.gross << " " << c.rate;
    }
}

TEST(VatSplitTest, NetGivesVatAndGross) {
    const VatSplit s = SplitNet(1001, 0.05);  // 50.05
    EXPECT_EQ(s.vat, 50);
    EXPECT_EQ(s.gross, 1051);
    EXPECT_EQ(SplitNet(10, 0.05).vat, 1);  // 0.5: a half goes away from zero
    EXPECT_EQ(SplitNet(-10, 0.05).vat, -1);
}

TEST(VatSplitTest, AmountsAreWrittenPlain) {
    EXPECT_EQ(AmountText(10000), QStringLiteral("10000"));
    EXPECT_EQ(AmountText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(AmountText(1234567.5), QStringLiteral("1234567.5"));
    SetDecimalSeparator(QLatin1Char(','));
    EXPECT_EQ(AmountText(0.1 + 0.2), QStringLiteral("0,3"));
    SetDecimalSeparator(QLatin1Char('.'));
}

}  // namespace
