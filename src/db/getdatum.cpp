#include "getdatum.h"

#include "db/altproc.h"

PickDateStart PickDateBegin(const QString& text, const QDate& today) {
    PickDateStart start;
    if (text.isEmpty() || text == EmptyMaskedDate) {
        start.calendar = today;
        start.back = text;
        return start;
    }
    const QString todayText = DateToText(today);
    if (!DateValid(text, false)) {
        start.back = todayText;
    } else if (!text.contains(QLatin1Char('.'))) {
        start.back = DotDate(text);
        start.withoutPoints = true;
    } else {
        start.back = text;
    }
    try {
        start.calendar = ParseDate(start.back);
    } catch (const HelperError&) {
        // A year and month without a day passes the date check but names no
        // day: the calendar opens on today, as for a bad date.
        start.back = todayText;
        start.calendar = today;
    }
    return start;
}

QString PickDateResult(const PickDateStart& start, PickDateAction action, const QDate& chosen) {
    QString result;
    switch (action) {
        case PickDateAction::Choose: result = DateToText(chosen); break;
        case PickDateAction::Back: result = start.back; break;
        case PickDateAction::Clear: break;
    }
    if (start.withoutPoints) result.remove(QLatin1Char('.'));
    return result;
}
