#include "altproc.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QStringView>
#include <cmath>

#include "app_conventions.h"
#include "ui_hooks.h"

HelperError::HelperError(const QString& message) : std::runtime_error(message.toStdString()) {}

QString HelperError::message() const { return QString::fromStdString(what()); }

namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool isAsciiLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

bool allAsciiDigits(QStringView s) {
    for (QChar c : s)
        if (!isAsciiDigit(c)) return false;
    return true;
}

// Reads a text made of digits, the decimal separator and a leading minus.
bool readNumber(const QString& text, double& value) {
    QString s = text;
    s.replace(DecimalSeparator(), u'.');
    bool ok = false;
    value = s.toDouble(&ok);
    return ok;
}

// Shortest exact text of a number, never in exponent form, with the
// workstation's decimal separator and no thousands separator.
QString plainNumberText(double value) {
    QString s = QString::number(value + 0.0, 'f', QLocale::FloatingPointShortest);  // +0.0: no "-0"
    return s.replace(u'.', DecimalSeparator());
}

// Year and month `n` months after the first six digits of `t`; false when
// there are fewer than six digits.
bool shiftedMonth(const QString& t, int n, int& year, int& month) {
    const QString digits = OnlyDigits(t).left(6);
    if (digits.size() < 6) return false;
    const qint64 months = digits.left(4).toLongLong() * 12 + (digits.mid(4, 2).toLongLong() - 1) + n;
    year = int(months >= 0 ? months / 12 : -((-months + 11) / 12));
    month = int(months - qint64(year) * 12) + 1;
    return true;
}

qint64 takeVersionPart(QString& rest, const QString& whole) {
    if (rest.isEmpty()) return 0;
    const qsizetype dot = rest.indexOf(u'.');
    const QString part = dot < 0 ? rest : rest.left(dot);
    rest = dot < 0 ? QString() : rest.mid(dot + 1, 40);
    bool ok = false;
    const qint64 number = part.toLongLong(&ok);
    if (!ok) throw HelperError(QStringLiteral("Hibás verziószám: %1").arg(whole));
    return number;
}

}  // namespace

// ---------------------------------------------------------------- dates

QString DateToText(const QDate& d) {
    return (d.isValid() ? d : QDate::currentDate()).toString(QStringLiteral("yyyy.MM.dd"));
}

QDate ParseDate(const QString& t) {
    // The separators at positions 5 and 8 are not looked at.
    const auto field = [&t](qsizetype from, qsizetype length) {
        const QString part = t.mid(from, length);
        if (part.isEmpty() || !allAsciiDigits(part))
            throw HelperError(QStringLiteral("Hibás dátum: %1").arg(t));
        return part.toInt();
    };
    const QDate date(field(0, 4), field(5, 2), field(8, 2));
    if (!date.isValid()) throw HelperError(QStringLiteral("Hibás dátum: %1").arg(t));
    return date;
}

QString DotDate(const QString& t) { return t.mid(0, 4) + u'.' + t.mid(4, 2) + u'.' + t.mid(6, 2); }

bool DateValid(const QString& t, bool warn) {
    QString r = t.trimmed();
    r.remove(u' ');
    switch (r.size()) {
        case 6: r = r.left(4) + u'.' + r.mid(4, 2) + QStringLiteral(".01"); break;
        case 7: r += QStringLiteral(".01"); break;
        case 8: r = DotDate(r); break;
        case 10: break;
        case 11: r.truncate(10); break;
        default: r.clear();
    }
    bool valid = false;
    if (!r.isEmpty()) {
        try {
            ParseDate(r);
            valid = true;
        } catch (const HelperError&) {
        }
    }
    if (!valid && warn)
        ShowMessage(t.isEmpty() ? QStringLiteral("Hibás dátum (üres)") : QStringLiteral("Hibás dátum :") + t);
    return valid;
}

QString MonthAdd(const QString& t, int n) {
    int year = 0, month = 0;
    if (!shiftedMonth(t, n, year, month)) return {};
    const QString separator = t.contains(u'.') ? QStringLiteral(".") : QString();
    return QStringLiteral("%1").arg(year, 4, 10, QChar(u'0')) + separator +
           QStringLiteral("%1").arg(month, 2, 10, QChar(u'0'));
}

QString LastDayOfMonth(const QString& t) {
    int year = 0, month = 0;
    if (!shiftedMonth(t, 1, year, month)) return {};
    return DateToText(QDate(year, month, 1).addDays(-1));
}

// ---------------------------------------------------------------- numbers

qint64 RoundHalfAway(double x) {
    if (!std::isfinite(x)) throw HelperError(QStringLiteral("Hibás szám: %1").arg(x));
    const double magnitude = std::fabs(x);
    const double whole = std::floor(magnitude);
    // The fraction is compared in single precision, so 100.49999999999999
    // (1.005 * 100) counts as a half and rounds up.
    const double rounded = static_cast<float>(magnitude - whole) < 0.5f ? whole : whole + 1;
    if (rounded >= 9223372036854775808.0)
        throw HelperError(QStringLiteral("Túl nagy szám: %1").arg(x, 0, 'g', 17));
    const auto result = static_cast<qint64>(rounded);
    return x < 0 ? -result : result;
}

double RoundDec(int n, double x) {
    const double scale = std::pow(10.0, n);
    return double(RoundHalfAway(x * scale)) / scale;
}

bool IsNumber(const QString& t, bool intOnly) {
    QStringView s = QStringView(t).trimmed();
    if (s.isEmpty()) return false;
    if (s.front() == u'-') s = s.mid(1);
    for (QChar c : s)
        if (!isAsciiDigit(c) && (intOnly || c != DecimalSeparator())) return false;
    return true;
}

QString OnlyDigits(const QString& t) {
    QString digits;
    for (QChar c : t)
        if (isAsciiDigit(c)) digits.append(c);
    return digits;
}

int IntFromDigits(const QString& t) {
    const QString digits = OnlyDigits(t);
    if (digits.isEmpty()) return 0;
    bool ok = false;
    const int value = digits.toInt(&ok);
    if (!ok) throw HelperError(QStringLiteral("Túl nagy szám: %1").arg(digits));
    return value;
}

QString DecimalFix(const QString& t) {
    QString s = t;
    if (DecimalSeparator() == u'.')
        s.replace(u',', u'.');
    else if (DecimalSeparator() == u',')
        s.replace(u'.', u',');
    return s;
}

QString CleanNumberText(const QString& t) {
    const QString s = t.trimmed();
    const qsizetype k = s.indexOf(u'e', 0, Qt::CaseInsensitive);
    if (k >= 0 && k + 1 < s.size() && s.at(k + 1) == u'-') return QStringLiteral("0");

    const QStringView head = k >= 0 ? QStringView(s).left(k) : QStringView(s);
    QString mantissa;
    for (qsizetype i = 0; i < head.size(); ++i) {
        const QChar c = head.at(i);
        if (isAsciiDigit(c) || c == DecimalSeparator() || (c == u'-' && i == 0)) mantissa.append(c);
    }
    const QString exponent = k >= 0 ? OnlyDigits(s.mid(k + 1)) : QString();
    if (exponent.isEmpty()) return mantissa;

    double m = 0;
    if (!readNumber(mantissa, m)) return mantissa;
    // Reading "m e x" as one number avoids the error of multiplying by 10^x.
    QString scientific = mantissa;
    scientific.replace(DecimalSeparator(), u'.');
    bool ok = false;
    const double value = (scientific + u'e' + exponent).toDouble(&ok);
    if (!ok || !std::isfinite(value)) return {};  // beyond the range of a number
    return plainNumberText(value);
}

double FloatFromText(const QString& t, double dflt) {
    const QString s = t.trimmed();
    if (s.isEmpty()) return dflt;
    const QString clean = CleanNumberText(DecimalFix(s));
    double value = 0;
    // "-" or "1.2.3" pass IsNumber but are no number: the default then.
    if (IsNumber(clean, false) && readNumber(clean, value)) return value;
    return dflt;
}

double FloatFromTextStrict(const QString& t, double dflt) {
    const QChar separator = DecimalSeparator();
    const QString fixed = (separator == u'.' || separator == u',') ? DecimalFix(t) : QString();
    const QString clean = CleanNumberText(fixed).trimmed();
    if (clean.isEmpty()) return dflt;
    double value = 0;
    if (!readNumber(clean, value)) throw HelperError(QStringLiteral("Hibás szám: %1").arg(t));
    return value;
}

QString VarToText(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return {};
    switch (v.metaType().id()) {
        case QMetaType::SChar:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
            return QString::number(v.toLongLong());
        case QMetaType::Float:
        case QMetaType::Double: {
            const double x = v.toDouble();
            if (!std::isfinite(x)) return {};
            double rounded = x;
            try {
                rounded = RoundDec(3, x);
            } catch (const HelperError&) {
                // So large that it has no thousandths to round.
            }
            return plainNumberText(rounded);
        }
        case QMetaType::QString:
            return v.toString();
        default:
            return {};
    }
}

// ---------------------------------------------------------------- texts and lists

QString ZeroPad(const QString& t, int w) { return t.trimmed().rightJustified(w, u'0'); }

QString PadLeft(const QString& t, QChar c, int w) { return t.rightJustified(w, c); }

QString PadRight(const QString& t, QChar c, int w) { return t.leftJustified(w, c); }

QString AddTrailing(const QString& t, QChar c) {
    QString s = t.trimmed();
    if (s.isEmpty() || s.back() != c) s.append(c);
    return s;
}

QString WithBackslash(const QString& t) { return AddTrailing(t, u'\\'); }

int CharCount(const QString& t, QChar c) { return int(t.count(c)); }

int LastPos(const QString& s, const QString& t) {
    if (s.isEmpty()) return 0;
    // Neither a match at the first position nor one at the very end counts.
    for (qsizetype p = t.size() - s.size(); p >= 2; --p)
        if (QStringView(t).mid(p - 1, s.size()) == s) return int(p);
    return 0;
}

int NthPosEnd(const QString& s, const QString& t, int n) {
    if (s.isEmpty() || n < 1) return 0;
    QString rest = t;
    qsizetype end = 0;
    for (int i = 0; i < n; ++i) {
        const qsizetype found = rest.indexOf(s);
        if (found < 0) return 0;
        end += found + s.size();
        rest = rest.mid(found + s.size(), 255);
    }
    return int(end);
}

bool AnyCharIn(const QString& t, const QString& set) {
    const QString chars = set.trimmed();
    for (QChar c : t.trimmed())
        if (chars.contains(c)) return true;
    return false;
}

QString CycleChar(const QString& c, const QString& choices) {
    if (choices.isEmpty()) return {};
    const qsizetype i = c.size() == 1 ? choices.indexOf(c.at(0)) : -1;
    return QString(i >= 0 && i + 1 < choices.size() ? choices.at(i + 1) : choices.at(0));
}

QString ProperCase(const QString& t, bool lowerRest) {
    QString result = t;
    bool wordStart = true;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (wordStart)
            result[i] = c.toUpper();
        else if (lowerRest)
            result[i] = c.toLower();
        wordStart = QStringView(u" -_.()").contains(c);
    }
    return result;
}

QString StateCaption(const QString& s) {
    if (s == u"browse") return QStringLiteral("böngész");
    if (s.startsWith(u"insert")) return QStringLiteral("új tétel");
    if (s == u"update") return QStringLiteral("módosítás");
    if (s == u"modify") return QStringLiteral("változtatás");
    if (s == u"wiev") return QStringLiteral("megnéz");
    if (s == u"saved") return QStringLiteral("mentve");
    if (s == u"prolong") return QStringLiteral("hosszabbítás");
    return s;
}

QString InListText(const QString& t) {
    QString s = t.trimmed();
    if (s.isEmpty()) return s;
    if (s.endsWith(u',')) s.chop(1);
    s.replace(u',', QStringLiteral("','"));
    return QStringLiteral("('") + s + QStringLiteral("')");
}

bool SplitCommas(const QString& t, QStringList& parts, int n) {
    const QString s = t.trimmed();
    if (s.isEmpty() || s.count(u',') != n - 1) return false;
    QStringList pieces = s.split(u',');
    for (QString& piece : pieces) piece = piece.trimmed();
    parts = pieces;
    return true;
}

int ListFind(const QString& s, const QStringList& list, bool caseSensitive, int from, bool whole) {
    const QString wanted = caseSensitive ? s : s.toUpper();
    for (qsizetype i = 0; i < list.size(); ++i) {
        QString line = from != 1 ? list.at(i).mid(qMax(from, 1) - 1) : list.at(i);
        if (!caseSensitive) line = line.toUpper();
        if (whole ? line == wanted : line.contains(wanted)) return int(i);
    }
    return -1;
}

int LinesCopy(const QStringList& src, QStringList& dst, bool keepBlank) {
    const QStringList lines = src;  // src and dst may be the same list
    int copied = 0;
    for (const QString& line : lines) {
        if (!keepBlank && line.trimmed().isEmpty()) continue;
        dst.append(line);
        ++copied;
    }
    return copied;
}

QString XmlText(const QString& t, bool commaToPoint) {
    QString s = t;
    s.replace(u'&', QStringLiteral("&amp;"));
    s.replace(u'>', QStringLiteral("&gt;"));
    s.replace(u'<', QStringLiteral("&lt;"));
    s.replace(u'"', QStringLiteral("&quot;"));
    s.replace(u'\'', QStringLiteral("&apos;"));
    if (commaToPoint) s.replace(u',', u'.');
    return s;
}

QVariant VarMax(const QVariant& a, const QVariant& b) {
    return QVariant::compare(a, b) == QPartialOrdering::Less ? b : a;
}

QString VersionMax(const QString& a, const QString& b) {
    const QString ta = a.trimmed();
    const QString tb = b.trimmed();
    QString restA = ta;
    QString restB = tb;
    while (!restA.isEmpty() || !restB.isEmpty()) {
        const qint64 partA = takeVersionPart(restA, ta);
        const qint64 partB = takeVersionPart(restB, tb);
        if (partA != partB) return partA > partB ? ta : tb;
    }
    return ta;
}

// ---------------------------------------------------------------- folding and names

QString AsciiFold(const QString& t) {
    static const QString accented = QStringLiteral("ÁÉÓÖŐÚÜŰôľśĆŁµëáéíóöőúüű");
    static const QString plain = QStringLiteral("AEOOOUUUouuauauaeiooouuu");
    static const QString kept = QStringLiteral(".,-/();\":| ");
    QString result;
    result.reserve(t.size());
    for (QChar c : t) {
        const qsizetype i = accented.indexOf(c);
        if (i >= 0)
            result.append(plain.at(i));
        else if (isAsciiDigit(c) || isAsciiLetter(c) || kept.contains(c))
            result.append(c);
        else
            result.append(u'A');
    }
    return result;
}

QString FlattenDoubleAcute(const QString& t) {
    QString s = t;
    s.replace(u'ő', u'ö');
    s.replace(u'Ő', u'Ö');
    s.replace(u'ű', u'ü');
    s.replace(u'Ű', u'Ü');
    return s;
}

QString TmpTableName(const QString& user, const QString& prefix) {
    QString compact = user;
    compact.remove(u' ');
    return prefix + AsciiFold(compact) + u'_' +
           QDateTime::currentDateTime().toString(QStringLiteral("yyMMddhhmmsszzz"));
}

int ColorFromName(const QString& t) {
    static const QHash<QString, int> colors = {
        {QStringLiteral("CLBLACK"), 0x000000},  {QStringLiteral("BLACK"), 0x000000},
        {QStringLiteral("FEKETE"), 0x000000},   {QStringLiteral("CLRED"), 0x0000FF},
        {QStringLiteral("RED"), 0x0000FF},      {QStringLiteral("PIROS"), 0x0000FF},
        {QStringLiteral("CLGREEN"), 0x008000},  {QStringLiteral("GREEN"), 0x008000},
        {QStringLiteral("ZÖLD"), 0x008000},     {QStringLiteral("CLFUCHSIA"), 0xFF00FF},
        {QStringLiteral("FUCHSIA"), 0xFF00FF},  {QStringLiteral("LILA"), 0xFF00FF},
        {QStringLiteral("CLOLIVE"), 0x008080},  {QStringLiteral("OLIVE"), 0x008080},
        {QStringLiteral("CLNAVY"), 0x800000},   {QStringLiteral("NAVY"), 0x800000},
        {QStringLiteral("CLPURPLE"), 0x800080}, {QStringLiteral("PURPLE"), 0x800080},
        {QStringLiteral("CLGRAY"), 0x808080},   {QStringLiteral("GRAY"), 0x808080},
        {QStringLiteral("SZÜRKE"), 0x808080},   {QStringLiteral("CLSILVER"), 0xC0C0C0},
        {QStringLiteral("SILVER"), 0xC0C0C0},   {QStringLiteral("EZÜST"), 0xC0C0C0},
        {QStringLiteral("CLWHITE"), 0xFFFFFF},  {QStringLiteral("WHITE"), 0xFFFFFF},
        {QStringLiteral("FEHÉR"), 0xFFFFFF},    {QStringLiteral("CLMAROON"), 0x000080},
        {QStringLiteral("BROWN"), 0x000080},    {QStringLiteral("BARNA"), 0x000080},
        {QStringLiteral("CLBLUE"), 0xFF0000},   {QStringLiteral("BLUE"), 0xFF0000},
        {QStringLiteral("KÉK"), 0xFF0000},      {QStringLiteral("FAKÓZÖLD"), 0x70C788},
        {QStringLiteral("FAKÓKÉK"), 0xFFEFCF},  {QStringLiteral("FAKÓLILA"), 0xCFAFFF},
        {QStringLiteral("CLAQUA"), 0xFFFF00},
    };
    return colors.value(t.trimmed().toUpper(), 0);
}

QString FileVersionText(const QString& file) {
    // A Linux program carries no version resource; the running program knows
    // its own version from the build.
    if (file.isEmpty()) return QStringLiteral(TARVEDO_VERSION);
    if (!QCoreApplication::instance()) return {};
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    if (!program.isEmpty() && QFileInfo(file).canonicalFilePath() == program)
        return QStringLiteral(TARVEDO_VERSION);
    return {};
}

// ---------------------------------------------------------------- identifiers

bool TaxIdValid(const QString& t) {
    const QString s = t.trimmed();
    if (s.isEmpty()) return true;
    if (s.size() != 10 || !IsNumber(s, false) || !allAsciiDigits(QStringView(s).left(9))) return false;
    int sum = 0;
    for (int i = 0; i < 9; ++i) sum += (i + 1) * s.at(i).digitValue();
    return s.at(9) == QStringView(u"0123456789ABC").at(sum % 11);
}

bool TajValid(const QString& t) {
    const QString s = t.trimmed();
    if (s.size() != 9 || !IsNumber(s, false) || !allAsciiDigits(QStringView(s).left(8))) return false;
    int sum = 0;
    for (int i = 0; i < 8; ++i) sum += (i % 2 == 0 ? 3 : 7) * s.at(i).digitValue();
    return s.at(8) == QStringView(u"0123456789ABC").at(sum % 10);
}
