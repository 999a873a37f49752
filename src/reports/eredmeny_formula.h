#pragma once
// What the income statement and the balance sheet share: the balances of
// the trial balance table read once, and the line formulas that list other
// lines ("A.+B.-C.", "20+30-40") split into the added and the subtracted
// part. The lines are computed in memory from one read of the trial balance
// and written back together, with the same results as a statement per line.
#include <QHash>
#include <QString>
#include <QStringList>

// The trial balance rows by account: TART_ERT - KOV_ERT, positive for a
// debit balance and negative for a credit balance.
class FokivBalances {
public:
    FokivBalances() = default;
    // One read of the trial balance result table.
    static FokivBalances Read(const QString& fokivTable);
    void set(const QString& szla, double balance) { m_balance[key(szla)] += balance; }

    // The row whose SZLA equals `szla` (0 when the account has no row).
    double exact(const QString& szla) const { return m_balance.value(key(szla)); }
    // The sum over the rows whose SZLA is in the list, each account once
    // however often it is listed, as "SZLA IN (...)" sums.
    double sumIn(const QStringList& accounts) const;

    // Texts compare as the database compares them: trailing blanks do not count.
    static QString key(const QString& text);

private:
    QHash<QString, double> m_balance;
};

// A line formula's lists. The whole formula is trimmed and every "+" read as
// a separator; the part before the first "-" is added, the part after it
// (at most 100 characters, every further "-" a separator) subtracted. The
// items are the texts between the separators as they stand (" A." is not
// "A."); one trailing separator is dropped.
struct LineFormulaLists {
    QStringList added, subtracted;
};
LineFormulaLists SplitLineFormula(const QString& formula);

// Thousand forints, rounded halves away from zero.
double ThousandForints(double forints);
