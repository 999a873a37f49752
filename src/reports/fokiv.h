#pragma once
// The trial balance ("Főkönyvi kivonat"): for every chart-of-accounts row
// the debit and credit turnover of the items whose account begins with the
// row's number, and the closing balance on one side. Also the source of the
// per-account figures of the income statement and the balance sheet, which
// run it with their own caller mark and read the table.
#include <QString>
#include <vector>

#include "reports/report_pattern.h"

inline const QString FokivPrefix = QStringLiteral("TMP_FOKIV_");
inline const QString FokivOrder = QStringLiteral("Order by SZLA");
inline const QString FokivCallerMain = QStringLiteral("main");
inline const QString FokivCallerEredmeny = QStringLiteral("eredmenyfm");
inline const QString FokivCallerMerleg = QStringLiteral("merlegfm");

// The criteria as the window holds them (texts trimmed by the run).
struct FokivCriteria {
    QString osztTol{}, osztIg{};      // account class from / to (first digit)
    QString szlaTol{}, szlaIg{};      // account number from / to of the items summed
    QString datumTol{}, datumIg{};    // fulfilment date from / to
    bool csakGyujto = false;      // collector accounts only
    bool csakNyito = false;       // opening items only
};

struct FokivRow {
    QString szla, tipus;
    double tartErt = 0, kovErt = 0, tartEgy = 0, kovEgy = 0;
    QString szoveg;
    bool operator==(const FokivRow&) const = default;
};

// The rows, in account order: one read of the items summing both sides
// by account, and the sums of each chart row's prefix taken in memory.
std::vector<FokivRow> ComputeFokiv(const FokivCriteria& criteria, const ReportStep& step = {});
// The same rows by one pair of sum statements per chart row, as the report
// was first written; kept to compare against.
std::vector<FokivRow> ComputeFokivPerAccount(const FokivCriteria& criteria);

// The result table's DDL column lines.
QStringList FokivColumns();
// The parameter line: the checked options in words.
QString FokivParamLine(const FokivCriteria& criteria);

// The whole run: the rows into the result table (remembered in `table`),
// in one transaction, and the report query over it. For a caller other
// than "main" the run stops with the table filled (rows is still counted).
ReportRun RunFokiv(const FokivCriteria& criteria, ResultTable& table, const QString& whivo = FokivCallerMain,
                   const ReportStep& step = {});
