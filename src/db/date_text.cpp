#include "date_text.h"

#include <QDate>

namespace {

// The value of `count` digits from `from`; -1 when any is no digit.
int digits(QStringView t, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const QChar ch = t.at(i);
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return -1;
        value = value * 10 + (ch.unicode() - '0');
    }
    return value;
}

QString storedForm(const QDate& d) {
    return QStringLiteral("%1.%2.%3")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

}  // namespace

bool ReadDateText(const QString& text, QString& date) {
    QStringView t = QStringView(text).trimmed();
    if (t.endsWith(QLatin1Char('.'))) t.chop(1);
    QDate d;
    if (t.size() == 8) {
        if (digits(t, 0, 8) >= 0) d = QDate(digits(t, 0, 4), digits(t, 4, 2), digits(t, 6, 2));
    } else if (t.size() == 10) {
        const QChar mark = t.at(4);
        const bool marked =
            (mark == QLatin1Char('.') || mark == QLatin1Char('-') || mark == QLatin1Char('/')) && t.at(7) == mark;
        const int y = digits(t, 0, 4), m = digits(t, 5, 2), day = digits(t, 8, 2);
        if (marked && y >= 0 && m >= 0 && day >= 0) d = QDate(y, m, day);
    }
    if (!d.isValid()) return false;
    date = storedForm(d);
    return true;
}

bool IsStoredDate(const QString& text) {
    QString date;
    return text.size() == 10 && text.at(4) == QLatin1Char('.') && ReadDateText(text, date) && date == text;
}
