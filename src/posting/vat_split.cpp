#include "vat_split.h"

#include <QLocale>

#include "db/altproc.h"
#include "db/app_conventions.h"

VatSplit SplitGross(double gross, double rate) {
    VatSplit s;
    s.gross = gross;
    const double m = double(RoundHalfAway(gross / (rate + 1)));
    s.vat = double(RoundHalfAway(gross - m));
    s.net = gross - s.vat;
    return s;
}

VatSplit SplitNet(double net, double rate) {
    VatSplit s;
    s.net = net;
    s.vat = double(RoundHalfAway(rate * net));
    s.gross = net + s.vat;
    return s;
}

QString AmountText(double value) {
    // Fifteen significant digits, as the default conversion gives them, never
    // an exponent and never "-0".
    const double rounded = QString::number(value, 'g', 15).toDouble() + 0.0;
    QString text = QString::number(rounded, 'f', QLocale::FloatingPointShortest);
    if (text == QLatin1String("-0")) text = QStringLiteral("0");
    return text.replace(QLatin1Char('.'), DecimalSeparator());
}
