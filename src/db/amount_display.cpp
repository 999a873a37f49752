#include "db/amount_display.h"

#include <QLocale>
#include <cmath>

#include "db/amount_text.h"
#include "db/app_conventions.h"
#include "db/display_mask.h"

namespace {

// "-1234567.25" (a point, no grouping) as "-1 234 567,25".
QString grouped(const QString& plain) {
    const bool negative = plain.startsWith(u'-');
    const QString body = negative ? plain.mid(1) : plain;
    const qsizetype point = body.indexOf(u'.');
    const QString whole = point < 0 ? body : body.left(point);
    QString text = GroupByThree(whole);
    if (point >= 0) text += u',' + body.mid(point + 1);
    return negative ? u'-' + text : text;
}

}  // namespace

QString AmountDisplay(double value) {
    // The mask rounds and groups; only its decimal mark is the workstation's.
    QString text = FormatMask(value, QStringLiteral("###,###,##0.##"));
    return text.replace(DecimalSeparator(), u',');
}

QString AmountFieldText(double value) {
    if (!std::isfinite(value)) return {};
    // Fifteen significant digits drop the noise of binary fractions
    // (0.1 + 0.2 is 0,3); "+ 0.0" turns -0 into 0.
    const double shortest = QString::number(value, 'g', 15).toDouble() + 0.0;
    return grouped(QString::number(shortest, 'f', QLocale::FloatingPointShortest));
}

QString AmountFieldText(const QString& text) {
    double value = 0;
    if (text.trimmed().isEmpty() || !ParseAmount(text.trimmed(), value)) return text;
    return AmountFieldText(value);
}
