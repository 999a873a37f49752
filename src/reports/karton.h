#pragma once
// Account cards ("Karton"): every item that touched an account, or the
// accounts beginning with given digits, once as a debit line of its debit
// account and once as a credit line of its credit account, grouped by
// account. An item between two accounts of the prefix is listed twice.
#include <QString>

#include "reports/report_pattern.h"

inline const QString KartonPrefix = QStringLiteral("TMP_KR_");
inline const QString KartonOrder = QStringLiteral("Order by SZLA,TELJKELT,KONYVBIZ,SORSZAM,ESZLA");
inline const QString KartonNoAccount = QStringLiteral("Adjon meg valamilyen számlaosztályt!");

struct KartonCriteria {
    QString szla{};                       // account number or prefix, required
    QString ntipus{};                     // journal type
    QString konyvelveTol{}, konyvelveIg{};  // posting date from / to
    QString teljkeltTol{}, teljkeltIg{};    // fulfilment date from / to
};

// The result table's name, remembered for the whole run of the program.
ResultTable& KartonResultTable();

QStringList KartonColumns();
// "Naplótípus : " + type + ";   Számlaszám : " + account + "  " + its name.
QString KartonParamLine(const KartonCriteria& criteria);

// Fills the result table in one transaction by statements writing the debit
// lines and the credit lines, stepping `step` after each statement. Throws
// std::invalid_argument with the message above when no account is given.
ReportRun RunKarton(const KartonCriteria& criteria, ResultTable& table = KartonResultTable(), const ReportStep& step = {});
