#include "import_values.h"

#include <QDate>

#include "db/altproc.h"
#include "db/amount_text.h"
#include "db/date_text.h"

bool ImportDate(const QString& text, QString& date) {
    if (ReadDateText(text, date)) return true;
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 6 || OnlyDigits(t) != t) return false;
    // A spreadsheet's day number: day 1 is 1900.01.01, counted with the
    // spreadsheet's 1900.02.29, so the days from 61 on are one less.
    const int serial = t.toInt();
    return serial >= 61 && ReadDateText(QDate(1899, 12, 30).addDays(serial).toString(QStringLiteral("yyyyMMdd")), date);
}

bool ImportNumber(const QString& text, double& value, QString* error, DecimalMark mark) {
    return ParseAmount(text, value, error, mark);
}
