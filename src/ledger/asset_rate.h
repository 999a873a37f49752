#pragma once
// The depreciation terms of a fixed asset that follow from its yearly rate,
// shared by the asset register and the demo company's register.
#include <QString>

// The rate rule: from a yearly rate in percent, the years of depreciation
// (1 / rate, rounded), its last day (the day before that anniversary of the
// commissioning) and the residual value ((1 - rate * years) * value).
struct RateResult {
    int adoev = 0;
    QString ecsvege;  // empty when the commissioning date cannot be read
    qint64 maradvany = 0;
};
RateResult RateRule(double kulcs1, const QString& uzembehely, double nettoert);
