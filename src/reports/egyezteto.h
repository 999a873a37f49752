#pragma once
// The reconciliation table ("Egyeztető tábla"): debit and credit turnover
// and balance of each account class 1 to 9 over a fulfilment-date range,
// with the subtotals of classes 1-3, 1-4, 5-9 and 1-9.
#include <QString>
#include <vector>

#include "reports/report_pattern.h"

inline const QString EgyeztetoPrefix = QStringLiteral("TMP_EGY_");
inline const QString EgyeztetoOrder = QStringLiteral("order by SORREND");

struct EgyeztetoCriteria {
    QString teljkeltTol{}, teljkeltIg{};  // fulfilment date from / to
};

struct EgyeztetoRow {
    int sorrend = 0;
    double tartErt = 0, kovErt = 0, tartEgy = 0, kovEgy = 0;
    QString szoveg;
    bool operator==(const EgyeztetoRow&) const = default;
};

// The thirteen rows in SORREND order, from one read of the items.
std::vector<EgyeztetoRow> ComputeEgyezteto(const EgyeztetoCriteria& criteria);
// The same from one pair of sum statements per class.
std::vector<EgyeztetoRow> ComputeEgyeztetoPerClass(const EgyeztetoCriteria& criteria);

QStringList EgyeztetoColumns();
// "Teljesítés kelte: " + from + "-tól     " + to + "-ig".
QString EgyeztetoParamLine(const EgyeztetoCriteria& criteria);

ReportRun RunEgyezteto(const EgyeztetoCriteria& criteria, ResultTable& table, const ReportStep& step = {});
