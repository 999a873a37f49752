#include "import_values.h"

#include <QDate>

#include "db/amount_text.h"

namespace {

// The value of `count` digits from `from`; -1 when any is no digit.
int digits(const QString& t, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const QChar ch = t.at(i);
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return -1;
        value = value * 10 + (ch.unicode() - '0');
    }
    return value;
}

}  // namespace

bool ImportDate(const QString& text, QString& date) {
    QString t = text.trimmed();
    if (t.endsWith(QLatin1Char('.'))) t.chop(1);
    QDate d;
    if (t.size() == 8 && digits(t, 0, 8) >= 0) {
        d = QDate(digits(t, 0, 4), digits(t, 4, 2), digits(t, 6, 2));
    } else if (t.size() == 10) {
        const QChar mark = t.at(4);
        const bool marked = (mark == QLatin1Char('.') || mark == QLatin1Char('-') || mark == QLatin1Char('/')) && t.at(7) == mark;
        const int y = digits(t, 0, 4), m = digits(t, 5, 2), day = digits(t, 8, 2);
        if (marked && y >= 0 && m >= 0 && day >= 0) d = QDate(y, m, day);
    } else if (!t.isEmpty() && t.size() <= 6 && digits(t, 0, t.size()) >= 0) {
        // A spreadsheet's day number: day 1 is 1900.01.01, counted with the
        // spreadsheet's 1900.02.29, so the days from 61 on are one less.
        const int serial = digits(t, 0, t.size());
        if (serial >= 61) d = QDate(1899, 12, 30).addDays(serial);
    }
    if (!d.isValid()) return false;
    if (t.size() == 10 && t.at(4) == QLatin1Char('.')) {
        date = t;  // already as stored
        return true;
    }
    date = QStringLiteral("%1.%2.%3")
               .arg(d.year(), 4, 10, QLatin1Char('0'))
               .arg(d.month(), 2, 10, QLatin1Char('0'))
               .arg(d.day(), 2, 10, QLatin1Char('0'));
    return true;
}

bool ImportNumber(const QString& text, double& value, QString* error, DecimalMark mark) {
    return ParseAmount(text, value, error, mark);
}
