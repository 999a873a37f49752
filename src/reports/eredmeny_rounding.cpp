#include "reports/eredmeny_rounding.h"

#include <algorithm>
#include <cmath>

#include "reports/eredmeny_formula.h"

LineSum& LineSum::add(const LineSum& other, int sign) {
    for (const auto& [amount, count] : other.amounts) {
        const int total = (amounts[amount] += sign * count);
        if (total == 0) amounts.erase(amount);
    }
    thousands += sign * other.thousands;
    return *this;
}

LineSum LineSum::negated() const { return LineSum().add(*this, -1); }

LineSum ThousandRounding::addForints(double forints) {
    m_amounts.push_back({forints, 0, false});
    LineSum sum;
    sum.amounts[int(m_amounts.size()) - 1] = 1;
    return sum;
}

LineSum ThousandRounding::addFixed(double thousands) {
    m_amounts.push_back({thousands * 1000, thousands, true});
    LineSum sum;
    sum.amounts[int(m_amounts.size()) - 1] = 1;
    return sum;
}

double ThousandRounding::forints(const LineSum& sum) const {
    double total = sum.thousands * 1000;
    for (const auto& [amount, count] : sum.amounts) total += count * m_amounts[amount].forints;
    return total;
}

double ThousandRounding::roundedOf(int amount) const {
    const Amount& a = m_amounts[amount];
    return a.done ? a.rounded : ThousandForints(a.forints);
}

double ThousandRounding::value(const LineSum& sum) const {
    double total = sum.thousands;
    for (const auto& [amount, count] : sum.amounts) total += count * roundedOf(amount);
    return total;
}

void ThousandRounding::roundTotal(const LineSum& total) { roundTotal(total, ThousandForints(forints(total))); }

void ThousandRounding::roundTotal(const LineSum& total, double thousands) {
    // What the amounts that may still move have to come to.
    struct Free {
        int amount, count;
        double lost;  // exact minus rounded share of the total, in forints
        double size;  // of equal losses the larger amount, changed least by a thousand, moves
    };
    std::vector<Free> free;
    double rest = thousands - total.thousands;
    for (const auto& [amount, count] : total.amounts) {
        Amount& a = m_amounts[amount];
        if (!a.done && std::abs(count) == 1) {
            a.rounded = ThousandForints(a.forints);
            // In forints to a thousandth: equal losses are equal, not told
            // apart by the noise of binary fractions.
            const double lost = std::round((a.forints - a.rounded * 1000) * 1000) / 1000;
            free.push_back({amount, count, count * lost, std::abs(a.forints)});
        } else if (!a.done) {
            // Counted more than once: it keeps its own rounding.
            a.rounded = ThousandForints(a.forints);
            a.done = true;
        }
        rest -= count * a.rounded;
    }
    for (const Free& f : free) m_amounts[f.amount].done = true;
    qint64 difference = std::llround(rest);
    if (free.empty() || difference == 0) return;

    // A shortfall goes to the amounts whose rounding lost most, a surplus is
    // taken from those whose rounding gained most; more than one thousand
    // per amount only when the total is short by more than there are amounts.
    std::stable_sort(free.begin(), free.end(), [&](const Free& a, const Free& b) {
        if (a.lost != b.lost) return difference > 0 ? a.lost > b.lost : a.lost < b.lost;
        return a.size > b.size;
    });
    const int step = difference > 0 ? 1 : -1;
    for (size_t i = 0; difference != 0; i = (i + 1) % free.size(), difference -= step)
        m_amounts[free[i].amount].rounded += step * free[i].count;
}
