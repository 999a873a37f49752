#include "import_values.h"

#include <QDate>

#include "db/amount_text.h"
#include "db/date_text.h"

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
    if (ReadDateText(text, date)) return true;
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 6 || digits(t, 0, t.size()) < 0) return false;
    // A spreadsheet's day number: day 1 is 1900.01.01, counted with the
    // spreadsheet's 1900.02.29, so the days from 61 on are one less.
    const int serial = digits(t, 0, t.size());
    return serial >= 61 && ReadDateText(QDate(1899, 12, 30).addDays(serial).toString(QStringLiteral("yyyyMMdd")), date);
}

bool ImportNumber(const QString& text, double& value, QString* error) { return ParseAmount(text, value, error); }
