// Stored amounts shown as a bookkeeper types them, and read back the same.
#include <gtest/gtest.h>

#include "db/amount_display.h"
#include "db/amount_text.h"
#include "db/app_conventions.h"

TEST(AmountDisplay, BlanksBetweenThousandsAndADecimalComma) {
    const struct {
        double value;
        const char *grid, *field;
    } cases[] = {
        {-1500.5, "-1 500,5", "-1 500,5"},
        {12700, "12 700", "12 700"},
        {0, "0", "0"},
        {-0.0, "0", "0"},
        {999, "999", "999"},
        {1234567.25, "1 234 567,25", "1 234 567,25"},
        {0.1 + 0.2, "0,3", "0,3"},                  // no binary noise
        {1234.5678, "1 234,57", "1 234,5678"},      // the grid rounds, the field keeps every decimal
        {-0.004, "0", "-0,004"},
        {100000000000.5, "100 000 000 000,5", "100 000 000 000,5"},
    };
    const QChar workstation = DecimalSeparator();
    for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
        SetDecimalSeparator(separator);
        for (const auto& c : cases) {
            EXPECT_EQ(AmountDisplay(c.value), QString::fromUtf8(c.grid)) << c.value;
            EXPECT_EQ(AmountFieldText(c.value), QString::fromUtf8(c.field)) << c.value;
            double back = 0;
            ASSERT_TRUE(ParseAmount(AmountFieldText(c.value), back)) << c.value;
            EXPECT_DOUBLE_EQ(back, c.value + 0.0);
        }
    }
    SetDecimalSeparator(workstation);
}

TEST(AmountDisplay, AFieldShowsAnAmountAndLeavesOtherTextAlone) {
    const struct {
        const char *text, *shown;
    } cases[] = {
        {"-1500.5", "-1 500,5"}, {"12700", "12 700"}, {"1 270,50", "1 270,5"}, {"", ""},
        {"-", "-"},              {"12x", "12x"},      {"  ", "  "},
    };
    for (const auto& c : cases) EXPECT_EQ(AmountFieldText(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown)) << c.text;
}
