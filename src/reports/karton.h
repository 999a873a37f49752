#pragma once
// Account cards ("Karton"): every item that touched an account, or the
// accounts beginning with given digits, once as a debit line of its debit
// account and once as a credit line of its credit account, grouped by
// account. An item between two accounts of the prefix is listed twice.
// The lines are read straight from the items by the report query, in the
// columns and the order the card's result table had (SZLA, TELJKELT,
// KONYVBIZ, SORSZAM, ESZLA).
#include <QString>

#include "reports/report_pattern.h"

inline const QString KartonNoAccount = QStringLiteral("Adjon meg valamilyen számlaosztályt!");

struct KartonCriteria {
    QString szla{};                       // account number or prefix, required
    QString ntipus{};                     // journal type
    QString konyvelveTol{}, konyvelveIg{};  // posting date from / to
    QString teljkeltTol{}, teljkeltIg{};    // fulfilment date from / to
};

// "Naplótípus : " + type + ";   Számlaszám : " + account + "  " + its name.
QString KartonParamLine(const KartonCriteria& criteria);

// The report query of the card with its parameters and the number of its
// lines, stepping `step` once they are counted. Throws
// std::invalid_argument with the message above when no account is given.
ReportRun RunKarton(const KartonCriteria& criteria, const ReportStep& step = {});
