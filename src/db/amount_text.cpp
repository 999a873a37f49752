#include "amount_text.h"

#include <QStringList>
#include <cmath>

namespace {

bool isBlank(QChar c) { return c == u' ' || c == QChar(0xA0) || c == QChar(0x202F); }

bool allDigits(const QString& t) {
    if (t.isEmpty()) return false;
    for (const QChar c : t)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// The whole part with its thousands separator: the first group one to three
// digits, every further group exactly three.
bool validGroups(const QString& whole, QChar separator) {
    const QStringList groups = whole.split(separator);
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QString& g = groups.at(i);
        if (!allDigits(g)) return false;
        if (i == 0 ? g.size() > 3 : g.size() != 3) return false;
    }
    return true;
}

// Splits `body` (sign removed, blanks turned into one kind of separator) into
// the whole digits and the decimal digits. False when it is no amount.
bool splitNumber(QString body, DecimalMark mark, QString& whole, QString& fraction) {
    bool blanks = false;
    for (QChar& c : body)
        if (isBlank(c)) {
            c = u' ';
            blanks = true;
        }
    const qsizetype commas = body.count(u',');
    const qsizetype points = body.count(u'.');
    QChar decimal;
    QChar thousands = blanks ? QChar(u' ') : QChar();
    if (mark != DecimalMark::Either) {
        // The format says which mark is the decimal one; the other groups thousands.
        decimal = mark == DecimalMark::Comma ? QChar(u',') : QChar(u'.');
        const QChar other = mark == DecimalMark::Comma ? QChar(u'.') : QChar(u',');
        if (body.count(decimal) > 1) return false;
        if (body.contains(other)) {
            if (blanks) return false;
            thousands = other;
        }
        if (!body.contains(decimal)) decimal = QChar();
    } else if (commas > 0 && points > 0) {
        // "1.234.567,89" or "1,234,567.89": the last mark is the decimal one.
        decimal = body.lastIndexOf(u',') > body.lastIndexOf(u'.') ? QChar(u',') : QChar(u'.');
        const QChar other = decimal == u',' ? QChar(u'.') : QChar(u',');
        if (body.count(decimal) != 1 || blanks) return false;
        thousands = other;
    } else if (commas > 1) {
        return false;
    } else if (commas == 1) {
        decimal = u',';
    } else if (points > 1) {
        if (blanks) return false;
        thousands = u'.';
    } else if (points == 1) {
        decimal = u'.';
    }
    const qsizetype at = decimal.isNull() ? -1 : body.indexOf(decimal);
    whole = at < 0 ? body : body.left(at);
    fraction = at < 0 ? QString() : body.mid(at + 1);
    if (at >= 0 && !allDigits(fraction)) return false;
    if (thousands.isNull()) return allDigits(whole);
    if (!whole.contains(thousands)) return allDigits(whole);
    if (!validGroups(whole, thousands)) return false;
    whole.remove(thousands);
    return true;
}

// "1.234" or "-12.500": one point before exactly three digits, with one to
// three digits before it (not starting with 0) and no other mark. Hungarian writing uses the
// point to group thousands as often as others use it for decimals, so such
// a text means two amounts a thousand times apart.
bool ambiguousPoint(QStringView body) {
    const qsizetype at = body.indexOf(u'.');
    // "0.500" groups nothing: a group never starts with a nought.
    if (at < 1 || at > 3 || body.size() - at - 1 != 3 || body.front() == u'0') return false;
    for (qsizetype i = 0; i < body.size(); ++i)
        if (i != at && (body[i] < u'0' || body[i] > u'9')) return false;
    return true;
}

// The common amount, digits with an optional sign and one decimal mark
// ("-1234", "12,5"), read without copies: false for anything else, which
// the full reading takes. Up to 15 digits the digits are an exact integer
// and a power of ten exact, so their quotient is the nearest double to the
// decimal, as the full reading gives it.
bool parsePlain(QStringView text, double& value, DecimalMark mark) {
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    qint64 digits = 0;
    int count = 0, decimals = -1;  // -1: no decimal mark yet
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            if (++count > 15) return false;
            digits = digits * 10 + (c.unicode() - u'0');
            if (decimals >= 0) ++decimals;
        } else if ((c == u',' || c == u'.') && decimals < 0 && count > 0) {
            // A mark the format gives to the thousands is read the long way.
            if ((c == u'.' && mark == DecimalMark::Comma) || (c == u',' && mark == DecimalMark::Point)) return false;
            decimals = 0;
            if (c == u'.' && mark == DecimalMark::Either && ambiguousPoint(text)) return false;
        } else {
            return false;
        }
    }
    if (count == 0 || decimals == 0) return false;
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    double magnitude = double(digits);
    if (decimals > 0) magnitude /= kPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    if (value == 0) value = 0;  // no negative zero
    return true;
}

}  // namespace

bool ParseAmount(const QString& text, double& value, QString* error) {
    return ParseAmount(text, value, error, DecimalMark::Either);
}

bool ParseAmount(const QString& text, double& value, QString* error, DecimalMark mark) {
    if (parsePlain(text, value, mark)) return true;
    const QString trimmed = text.trimmed();
    auto refuse = [&](const QString& message) {
        if (error) *error = message.arg(trimmed);
        return false;
    };
    QString body = trimmed;
    bool negative = false;
    if (body.startsWith(u'-') || body.startsWith(u'+')) {
        negative = body.startsWith(u'-');
        body = body.mid(1).trimmed();
    }
    if (mark == DecimalMark::Either && ambiguousPoint(body))
        return refuse(QStringLiteral("Kétértelmű összeg: „%1”. A pont ezres tagolás és tizedespont is lehet: "
                                     "írja ezres tagolás nélkül vagy tizedesvesszővel."));
    QString whole;
    QString fraction;
    if (body.isEmpty() || !splitNumber(body, mark, whole, fraction))
        return refuse(QStringLiteral("Hibás összeg: „%1”. Összegben csak előjel, számjegyek, "
                                     "ezres tagolás és tizedesvessző lehet."));
    bool ok = false;
    const double magnitude = (whole + u'.' + (fraction.isEmpty() ? QStringLiteral("0") : fraction)).toDouble(&ok);
    if (!ok || !std::isfinite(magnitude) || magnitude >= kAmountLimit)
        return refuse(QStringLiteral("Túl nagy összeg: „%1”. Az összeg abszolút értéke 10^15 Ft alatt legyen."));
    value = negative ? -magnitude : magnitude;
    if (value == 0) value = 0;  // no negative zero
    return true;
}

AmountInput CheckAmountInput(const QString& text) {
    double value = 0;
    if (ParseAmount(text, value)) return AmountInput::Complete;
    if (text.trimmed().isEmpty()) return AmountInput::Partial;
    // Partial when typing a few more digits would make it an amount:
    // "-", "1 5", "12,", "1.234.".
    for (const char* more : {"0", "00", "000"}) {
        QString error;
        if (ParseAmount(text + QLatin1String(more), value, &error)) return AmountInput::Partial;
    }
    return AmountInput::Invalid;
}
