#pragma once
// Small helpers on texts, numbers and dates that the whole program shares, so
// that dates, amounts, codes and generated names are handled one way
// everywhere. Dates travel as "yyyy.mm.dd" texts. Character positions in a
// text are 1-based, as the callers count them; indexes into lists 0-based.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <stdexcept>

// Thrown where a helper cannot give an answer (a bad date, an unreadable
// number, a value out of range); the message is meant for the user.
class HelperError : public std::runtime_error {
public:
    explicit HelperError(const QString& message);
    QString message() const;
};

// Dates
QString DateToText(const QDate& d = QDate());  // a null date means today
QDate ParseDate(const QString& t);              // throws HelperError
QString DotDate(const QString& t);
bool DateValid(const QString& t, bool warn);
QString MonthAdd(const QString& t, int n);
QString LastDayOfMonth(const QString& t);

// Numbers
qint64 RoundHalfAway(double x);  // throws HelperError beyond the 64-bit range
double RoundDec(int n, double x);
bool IsNumber(const QString& t, bool intOnly);
QString OnlyDigits(const QString& t);
int IntFromDigits(const QString& t);  // throws HelperError beyond the 32-bit range
QString DecimalFix(const QString& t);
QString CleanNumberText(const QString& t);
double FloatFromText(const QString& t, double dflt);
double FloatFromTextStrict(const QString& t, double dflt);  // throws HelperError
QString VarToText(const QVariant& v);

// Texts and lists
QString ZeroPad(const QString& t, int w);
QString PadLeft(const QString& t, QChar c, int w);
QString PadRight(const QString& t, QChar c, int w);
QString AddTrailing(const QString& t, QChar c);
QString WithBackslash(const QString& t);
int CharCount(const QString& t, QChar c);
int LastPos(const QString& s, const QString& t);
int NthPosEnd(const QString& s, const QString& t, int n);
bool AnyCharIn(const QString& t, const QString& set);
QString CycleChar(const QString& c, const QString& choices);
QString ProperCase(const QString& t, bool lowerRest);
QString StateCaption(const QString& s);
QString InListText(const QString& t);
bool SplitCommas(const QString& t, QStringList& parts, int n);
int ListFind(const QString& s, const QStringList& list, bool caseSensitive, int from, bool whole);
int LinesCopy(const QStringList& src, QStringList& dst, bool keepBlank);
QString XmlText(const QString& t, bool commaToPoint = false);
QVariant VarMax(const QVariant& a, const QVariant& b);
QString VersionMax(const QString& a, const QString& b);  // throws HelperError

// Accent folding and generated names
QString AsciiFold(const QString& t);
QString FlattenDoubleAcute(const QString& t);
QString TmpTableName(const QString& user, const QString& prefix);
int ColorFromName(const QString& t);  // 0x00BBGGRR
QString FileVersionText(const QString& file);

// Hungarian identifiers
bool TaxIdValid(const QString& t);  // adóazonosító jel
bool TajValid(const QString& t);    // TAJ szám
