#include "display_mask.h"

#include <cmath>

#include "altproc.h"
#include "app_conventions.h"

namespace {

struct MaskLayout {
    int minIntegerDigits = 0;  // places from the first "0" to the decimal point
    bool grouped = false;
    int minDecimals = 0;       // places up to the last "0" after the point
    int maxDecimals = 0;
};

MaskLayout readMask(const QString& mask) {
    MaskLayout layout;
    const qsizetype point = mask.indexOf(u'.');
    const QString integerPart = point < 0 ? mask : mask.left(point);
    const QString decimalPart = point < 0 ? QString() : mask.mid(point + 1);

    bool forced = false;
    for (QChar c : integerPart) {
        if (c == u',') layout.grouped = true;
        if (c == u'0') forced = true;
        if ((c == u'0' || c == u'#') && forced) ++layout.minIntegerDigits;
    }
    for (QChar c : decimalPart) {
        if (c != u'0' && c != u'#') continue;
        ++layout.maxDecimals;
        if (c == u'0') layout.minDecimals = layout.maxDecimals;
    }
    return layout;
}

}  // namespace

QString GroupByThree(const QString& digits) {
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped.append(ThousandSeparator);
        grouped.append(digits.at(i));
    }
    return grouped;
}

QString FormatMask(double value, const QString& mask) {
    if (!std::isfinite(value)) return {};
    if (mask.isEmpty())
        return QString::number(value, 'g', 15).replace(u'.', DecimalSeparator());

    const MaskLayout layout = readMask(mask);
    double rounded = std::fabs(value);
    try {
        rounded = RoundDec(layout.maxDecimals, rounded);
    } catch (const HelperError&) {
        // Too large to carry decimals at all: print it as it is.
    }

    const QString text = QString::number(rounded, 'f', layout.maxDecimals);
    const qsizetype point = text.indexOf(u'.');
    QString integerDigits = point < 0 ? text : text.left(point);
    QString decimals = point < 0 ? QString() : text.mid(point + 1);

    while (decimals.size() > layout.minDecimals && decimals.endsWith(u'0')) decimals.chop(1);
    if (integerDigits == u"0") integerDigits.clear();  // a "#" place is not needed for a zero
    integerDigits = integerDigits.rightJustified(layout.minIntegerDigits, u'0');
    if (layout.grouped) integerDigits = GroupByThree(integerDigits);

    QString result = integerDigits;
    if (!decimals.isEmpty()) result += DecimalSeparator() + decimals;
    if (value < 0 && rounded != 0 && !result.isEmpty()) result.prepend(u'-');
    return result;
}
