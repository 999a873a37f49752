#pragma once
// The balance sheet ("Mérleg kimutatás"), in thousand forints, from the
// formula table MERLEG. Lines are computed in SZSORSZAM order (0: not
// computed): "K" account formulas over the trial balance, "M" sums of other
// lines by ID, "E1" / "E2" the tax, payroll and VAT settlement accounts
// netted onto the asset or the liability side, "E" the income statement's
// "G." line; a "-" as second character of the kind negates the line. Lines
// with ID below 521 are assets, from 521 liabilities. The profit line
// (number beginning with "VII") shows IncomeResult.
#include <QString>
#include <vector>

#include "reports/eredmeny_formula.h"
#include "reports/fokiv.h"

// Lines from this ID on are on the liability side.
constexpr int MerlegFirstLiabilityId = 521;

struct MerlegLine {
    int id = 0, szsorszam = 0;
    QString sorszam, megnevezes, keplethol, keplet;
    double elozoev = 0, targyev = 0;
};

// Every line of MERLEG in ID order.
std::vector<MerlegLine> ReadMerlegLines();

// An account formula ("311+312-319") in forints. On the asset side every
// account's balance is added as it stands; on the liability side an
// account after "+" counts with its credit balance positive, after "-" the
// other way. Blanks are ignored, and only the first 101 characters read.
double AccountFormula(const QString& formula, bool assetSide, const FokivBalances& balances);

// The settlement accounts with the budget and the employees, each group
// netted: a debit balance enters the asset total, a credit balance the
// liability total, both as positive amounts (forints).
struct SettlementTotals {
    double assets = 0, liabilities = 0;
};
SettlementTotals NetSettlements(const FokivBalances& balances);

// What the computation reads besides the trial balance.
struct MerlegInputs {
    double incomeResult = 0;  // the profit of the last income statement of the run
    double eredmenyG = 0;     // TARGYEV of the income statement line "G."
};

// Computes the lines with SZSORSZAM not 0, in that order, into TARGYEV,
// rounded to thousands so that every sum line equals the lines it adds, each
// side's grand total is its exact value rounded, and the two grand totals
// are equal when their exact values differ by less than a thousand forints;
// returns their IDs in the order computed. Throws std::invalid_argument
// naming the line for an "M" formula with something other than IDs in it.
std::vector<int> ComputeMerlegLines(std::vector<MerlegLine>& lines, const FokivBalances& balances,
                                    const MerlegInputs& inputs);

// "MÉRLEG " and the variant of CEG.MERLEGTIPUS; without an argument, of the open company.
QString MerlegTitle(const QString& merlegtipus);
QString MerlegTitle();

// The listing of every line in ID order.
QString MerlegListing();

// The computation: the trial balance run with the caller mark "merlegfm",
// the lines computed and written back in one transaction.
void ComputeMerleg(const FokivCriteria& criteria, ResultTable& fokivTable, const ReportStep& step = {});
// The lines from a filled trial balance table.
void ComputeMerlegFromTable(const QString& fokivTable);

// The run: the computation when `compute`, then the listing.
ReportRun RunMerleg(const FokivCriteria& criteria, ResultTable& fokivTable, bool compute, const ReportStep& step = {});
