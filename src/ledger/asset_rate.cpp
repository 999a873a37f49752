#include "ledger/asset_rate.h"

#include <QDate>

#include "db/altproc.h"

RateResult RateRule(double kulcs1, const QString& uzembehely, double nettoert) {
    RateResult r;
    const double x = kulcs1 / 100.0;
    if (x == 0) return r;
    r.adoev = int(RoundDec(0, 1.0 / x));
    // The anniversary of a 29 February in a common year is the 1 March.
    if (DateValid(uzembehely, false) && uzembehely.size() == 10) {
        const QDate commissioned = ParseDate(uzembehely);
        const QDate anniversary =
            QDate(commissioned.year() + r.adoev, commissioned.month(), 1).addDays(commissioned.day() - 1);
        r.ecsvege = DateToText(anniversary.addDays(-1));
    }
    r.maradvany = RoundHalfAway((1 - x * r.adoev) * nettoert);
    return r;
}
