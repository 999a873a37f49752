#pragma once
// The statements in thousand forints, rounded so that they add up on paper.
// Rounding every line on its own lets a total differ from the sum of its
// printed lines, and the two sides of the balance sheet from each other.
// Here the lines taken from accounts ("amounts") are kept in exact forints
// until the end; a sum line is kept as the amounts it adds and subtracts.
// Each total is then given its own exact value rounded, and the amounts
// under it are rounded each on its own first and the difference is placed,
// a thousand at a time, on the amounts where that rounding lost most (or,
// for a surplus, gained most). The sum lines are the sums of the rounded
// amounts, so every total equals its printed lines.
#include <map>
#include <vector>

// A line's value: `thousands` (lines that are not computed now, given
// values) plus the listed amounts, each taken `count` times (negative:
// subtracted).
struct LineSum {
    std::map<int, int> amounts;  // amount index -> count
    double thousands = 0;

    LineSum& add(const LineSum& other, int sign = 1);
    LineSum negated() const;
};

class ThousandRounding {
public:
    // An amount computed from accounts, in forints.
    LineSum addForints(double forints);
    // An amount whose value is given in thousand forints and is not
    // changed (the income statement's profit on the balance sheet).
    LineSum addFixed(double thousands);

    // The exact value of a sum in forints.
    double forints(const LineSum& sum) const;
    // Rounds the amounts of `total` not rounded yet so that the total comes
    // to `thousands`. The amounts rounded by an earlier total stay as they are.
    void roundTotal(const LineSum& total, double thousands);
    // `total` rounded to its own exact value.
    void roundTotal(const LineSum& total);
    // The value in thousands after the rounding; amounts under no total are
    // rounded each on its own (halves away from zero).
    double value(const LineSum& sum) const;

private:
    struct Amount {
        double forints = 0;
        double rounded = 0;
        bool done = false;
    };
    double roundedOf(int amount) const;
    std::vector<Amount> m_amounts;
};
