#pragma once
// What the two printed VAT lists share: the page header with the period and
// the order, the group caption of a journal type and side, the partner's
// name, an amount column the period may lack, and the itemised switch.
#include <QHash>
#include <QString>
#include <vector>

#include "reports/engine/report_layout.h"

struct AfaLayoutTexts {
    QString idoszak;   // "Időszak: ..."
    QString fajta;     // "Sorrend: ..."
    bool teteles = true;
};

// Landscape, "ÁFA analitika", the company page header with the period on
// the left and the order on the right.
void AddAfaPageHeader(ReportLayout& layout, const AfaLayoutTexts& texts);

// Journal type names (SZ_NTIP) and partner names (UGYFEL), read when the
// layout is made.
struct AfaNames {
    QHash<QString, QString> journals, partners;
    static AfaNames read();
    // The journal type's name + " fizetendő" or " levonható".
    QString groupCaption(const ReportRow& row) const;
    // The partner's name when the code is known, else the code.
    QString partner(const ReportRow& row) const;
};

// A column's amount, 0 when the result has no such column (no item of
// that VAT code in the period).
double AfaAmount(const ReportRow& row, const QString& column);

// A VAT code of SZ_ADO and its rate (0.27 for 27 %).
struct AfaRate {
    QString kod;
    double rate = 0;
};
// The VAT codes whose columns the result table `table` has (those of the
// period's VAT accounts), by rate and code.
std::vector<AfaRate> AfaTableRates(const QString& table);

// Not itemised: the detail lines take no room and print nothing, but their
// amounts still enter the sums.
void HideAfaDetailUnlessItemised(ReportLayout& layout, bool teteles);
