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
bool splitNumber(QString body, QString& whole, QString& fraction) {
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
    if (commas > 0 && points > 0) {
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

// The common amount, digits with an optional sign and one decimal mark
// ("-1234", "12,5"), read without copies: false for anything else, which
// the full reading takes. Up to 15 digits the digits are an exact integer
// and a power of ten exact, so their quotient is the nearest double to the
// decimal, as the full reading gives it.
bool parsePlain(QStringView text, double& value) {
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
            decimals = 0;
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
    if (parsePlain(text, value)) return true;
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
    QString whole;
    QString fraction;
    if (body.isEmpty() || !splitNumber(body, whole, fraction))
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

bool ParseAmount(const QString& text, double& value, QString* error, DecimalMark mark) {
    Q_UNUSED(mark);
    return ParseAmount(text, value, error);
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
