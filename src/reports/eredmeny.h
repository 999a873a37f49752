#pragma once
// The income statement ("Eredmény kimutatás"), in thousand forints, from
// the formula table EREDMENY: each line takes the balance of accounts of the
// trial balance ("TE" debit, "KE" credit) or adds and subtracts other lines
// (kinds beginning with "E"). The computation writes the current-year
// column TARGYEV; the listing prints the table. The profit line (number
// beginning with "G") is kept for the balance sheet as IncomeResult.
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "reports/eredmeny_formula.h"
#include "reports/fokiv.h"

struct EredmenyLine {
    int id = 0;
    QString sorszam, megnevezes, keplethol, keplet;
    double elozoev = 0, targyev = 0;
};

// The lines of EREDMENY in ID order.
std::vector<EredmenyLine> ReadEredmenyLines();

// Computes TARGYEV of every line in order. Line formulas read the lines as
// they stand at that moment: earlier lines hold this computation's values.
// The account lines are rounded to thousands so that every line formula
// equals the lines it reads and the profit (the last line whose number
// begins with "G") is its exact value rounded. Returns the profit, if any.
std::optional<double> ComputeEredmenyLines(std::vector<EredmenyLine>& lines, const FokivBalances& balances);
// The same with the forints of an account line's list ("51,811") from `accountForints`.
using AccountForints = std::function<double(const QString& list)>;
std::optional<double> ComputeEredmenyLines(std::vector<EredmenyLine>& lines, const AccountForints& accountForints);

// The title by the method CEG.EREDMENYTIPUS; without an argument, of the open company.
QString EredmenyTitle(const QString& eredmenytipus);
QString EredmenyTitle();

// The listing: every line, or with `nullaNelkul` only those where a year is not 0.
QString EredmenyListing(bool nullaNelkul);

// The computation: the trial balance run with the caller mark "eredmenyfm"
// into `fokivTable`, the lines computed and written back in one transaction,
// IncomeResult set from the profit line.
void ComputeEredmeny(const FokivCriteria& criteria, ResultTable& fokivTable, const ReportStep& step = {});
// The lines from a filled trial balance table: one read of it, the lines
// computed in memory and written back together.
void ComputeEredmenyFromTable(const QString& fokivTable);
// The same by a sum statement per account line over the trial balance
// table and per sum line over EREDMENY, each line written in turn; kept to
// compare against.
void ComputeEredmenyPerLine(const QString& fokivTable);

// The run: the computation when `compute`, then the listing (table
// "EREDMENY", its rows counted).
ReportRun RunEredmeny(const FokivCriteria& criteria, ResultTable& fokivTable, bool compute, bool nullaNelkul,
                      const ReportStep& step = {});

// Writes TARGYEV of the lines of `table` ("EREDMENY" or "MERLEG") in one
// transaction; a lock held by another workstation is waited for and the
// write retried.
void WriteTargyev(const QString& table, const std::vector<std::pair<int, double>>& values);
