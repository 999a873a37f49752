// Statement lines in thousand forints that add up: the amounts under a total
// are rounded so that they sum to the total's exact value rounded, the
// difference placed where rounding lost (or gained) most.
#include <gtest/gtest.h>

#include <vector>

#include "reports/eredmeny_rounding.h"

namespace {

struct Case {
    const char* what;
    std::vector<double> forints;  // the amounts, in forints
    std::vector<int> counts;      // how the total takes each (1 or -1)
    double fixedThousands;        // a given line in the total (0: none)
    std::vector<double> rounded;  // the amounts printed, in thousands
    double total;                 // the total printed
};

}  // namespace

TEST(ThousandRounding, AmountsAddUpToTheRoundedTotal) {
    const Case cases[] = {
        // 100.6 + 10.6 + 10.6 + 10 = 131.8: each line rounded gives 133; the
        // surplus comes off the largest of the equally rounded-up lines.
        {"surplus", {100600, 10600, 10600}, {1, 1, 1}, 10, {100, 11, 11}, 132},
        // 1.4 * 3 = 4.2: each rounded gives 3; the first of equal losses gets one more.
        {"shortfall", {1400, 1400, 1400}, {1, 1, 1}, 0, {2, 1, 1}, 4},
        // 1.3 + 1.45 + 1.2 = 3.95: the largest loss (0.45) is made up.
        {"largest remainder", {1300, 1450, 1200}, {1, 1, 1}, 0, {1, 2, 1}, 4},
        // Revenue 10.6 less costs 0.3 and 0.3 is 10.0, not 11 - 0 - 0.
        {"subtracted lines", {10600, 300, 300}, {1, -1, -1}, 0, {10, 0, 0}, 10},
        // Costs 2.6 + 2.6 subtracted from 20.0: 14.8 is 15; 20 - 3 - 3 = 14
        // is short by one, made up on a cost that was rounded up.
        {"a cost line gives way", {20000, 2600, 2600}, {1, -1, -1}, 0, {20, 2, 3}, 15},
        // Already adding up: every line keeps its own rounding, halves away from zero.
        {"no difference", {1500, -1500, 2499}, {1, 1, 1}, 0, {2, -2, 2}, 2},
        // Negative amounts: -0.6 - 0.6 - 0.6 = -1.8 is -2; -1 * 3 = -3 gives one back.
        {"negative", {-600, -600, -600}, {1, 1, 1}, 0, {0, -1, -1}, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ThousandRounding rounding;
        LineSum total;
        std::vector<LineSum> lines;
        for (size_t i = 0; i < c.forints.size(); ++i) {
            lines.push_back(rounding.addForints(c.forints[i]));
            total.add(lines.back(), c.counts[i]);
        }
        if (c.fixedThousands != 0) total.add(rounding.addFixed(c.fixedThousands));
        rounding.roundTotal(total);
        for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(rounding.value(lines[i]), c.rounded[i]) << i;
        EXPECT_EQ(rounding.value(total), c.total);
    }
}

TEST(ThousandRounding, TwoTotalsOfOneAmountAndTheRest) {
    ThousandRounding rounding;
    const LineSum a = rounding.addForints(1400), b = rounding.addForints(1400), c = rounding.addForints(1400);
    const LineSum alone = rounding.addForints(2500);  // under no total: its own rounding
    const LineSum first = LineSum().add(a).add(b);
    const LineSum second = LineSum().add(b).add(c);
    rounding.roundTotal(first);                       // 2.8 is 3: a 2, b 1
    rounding.roundTotal(second, 10);                  // b stays 1, c takes the rest
    EXPECT_EQ(rounding.value(a), 2);
    EXPECT_EQ(rounding.value(b), 1);
    EXPECT_EQ(rounding.value(c), 9);
    EXPECT_EQ(rounding.value(second), 10);
    EXPECT_EQ(rounding.value(alone), 3);
    EXPECT_EQ(rounding.forints(first.negated()), -2800);
    LineSum given;
    given.thousands = 7;  // a line not computed now, with its value
    EXPECT_EQ(rounding.value(given.add(a)), 9);
}
