#include <QCoreApplication>
#include <QDateTime>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include <limits>

#include "db/altproc.h"
#include "db/app_conventions.h"
#include "db/ui_hooks.h"

namespace {

std::string S(const QString& text) { return text.toStdString(); }

// Sets the workstation's decimal separator for one test and restores it.
class SeparatorScope {
public:
    explicit SeparatorScope(QChar separator) { SetDecimalSeparator(separator); }
    ~SeparatorScope() { SetDecimalSeparator(m_saved); }

private:
    QChar m_saved = DecimalSeparator();
};

// Collects the messages shown while it lives.
class ShownMessages {
public:
    ShownMessages() {
        UiHooks::setMessage([this](const QString& text) { texts.append(text); });
    }
    ~ShownMessages() { UiHooks::setMessage({}); }
    QStringList texts;
};

// ------------------------------------------------------------------ dates

TEST(AltprocDates, ParseDateReadsFixedPositions) {
    struct Case { const char* text; QDate date; };
    const Case cases[] = {
        {"2024.03.15", QDate(2024, 3, 15)},
        {"2024-03-15", QDate(2024, 3, 15)},   // the separators are not examined
        {"2024x03y15", QDate(2024, 3, 15)},
        {"2024.02.29", QDate(2024, 2, 29)},
        {"2024.12.31 23:59", QDate(2024, 12, 31)},  // only positions 1-10 count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseDate(QString::fromUtf8(c.text)), c.date);
    }
}

TEST(AltprocDates, ParseDateRejectsImpossibleDates) {
    for (const char* text : {"2023.02.29", "2024.13.01", "2024.04.31", "2024.00.10", "0000.01.01",
                             "abcd.01.01", "2024.1.15", "2024.01.1x", "2024.01", ""}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(ParseDate(QString::fromUtf8(text)), HelperError);
    }
}

TEST(AltprocDates, DateToTextAndDotDate) {
    EXPECT_EQ(S(DateToText(QDate(2024, 3, 5))), "2024.03.05");
    const QString before = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"));
    const QString today = DateToText();
    const QString after = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"));
    EXPECT_TRUE(today == before || today == after) << S(today);

    EXPECT_EQ(S(DotDate(QStringLiteral("20240315"))), "2024.03.15");
}

TEST(AltprocDates, DateValidAcceptsTheShortForms) {
    struct Case { const char* text; bool valid; };
    const Case cases[] = {
        {"2024.02.29", true},
        {"20240229", true},           // eight digits without points
        {"202402", true},             // the month as six digits
        {"2024.02", true},
        {" 2024. 02. 29 ", true},     // blanks anywhere are removed
        {"2024.02.29X", true},        // eleven characters: cut to ten
        {"2023.02.29", false},
        {"20230229", false},
        {"202402291", false},         // nine characters
        {"2024.2.1", false},          // eight characters, but not yyyymmdd
        {"2024.13", false},
        {"", false},
        {"    .  .  ", false},        // the empty masked date
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DateValid(QString::fromUtf8(c.text), false), c.valid);
    }
}

TEST(AltprocDates, DateValidWarnsOnlyWhenAskedAndOnlyWhenInvalid) {
    ShownMessages shown;
    EXPECT_FALSE(DateValid(QStringLiteral("2023.02.29"), true));
    EXPECT_FALSE(DateValid(QString(), true));
    EXPECT_FALSE(DateValid(QStringLiteral("    .  .  "), true));
    EXPECT_TRUE(DateValid(QStringLiteral("2024.02.29"), true));
    EXPECT_FALSE(DateValid(QStringLiteral("2023.02.29"), false));
    ASSERT_EQ(shown.texts.size(), 3);
    EXPECT_EQ(S(shown.texts[0]), "Hibás dátum :2023.02.29");
    EXPECT_EQ(S(shown.texts[1]), "Hibás dátum (üres)");
    EXPECT_EQ(S(shown.texts[2]), "Hibás dátum :    .  .  ");
}

TEST(AltprocDates, MonthAddKeepsTheInputsForm) {
    struct Case { const char* text; int n; const char* result; };
    const Case cases[] = {
        {"2024.12", 1, "2025.01"},
        {"202412", -12, "202312"},      // no point in, no point out
        {"2024.01", -1, "2023.12"},
        {"2024.05", 0, "2024.05"},
        {"2024.01", 25, "2026.02"},
        {"2024.03", -27, "2021.12"},
        {"2024.03.15", -3, "2023.12"},  // a full date: only the first six digits count
        {"2024", 1, ""},                // not a month
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(S(MonthAdd(QString::fromUtf8(c.text), c.n)), c.result);
    }
}

TEST(AltprocDates, LastDayOfMonth) {
    struct Case { const char* text; const char* result; };
    const Case cases[] = {
        {"2024.02", "2024.02.29"}, {"2023.02", "2023.02.28"}, {"202412", "2024.12.31"},
        {"2024.04.10", "2024.04.30"}, {"1900.02", "1900.02.28"}, {"x", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(S(LastDayOfMonth(QString::fromUtf8(c.text))), c.result);
    }
}

// ------------------------------------------------------------------ numbers

TEST(AltprocNumbers, RoundHalfAwayComparesTheFractionInSinglePrecision) {
    struct Case { double x; qint64 result; };
    const Case cases[] = {
        {2.5, 3},
        {-2.5, -3},
        {2.4999, 2},
        {0.0, 0},
        {-0.4, 0},
        {0.49999999, 1},              // a fraction this close to 0.5 is 0.5 as a float
        {1.005 * 100, 101},           // 100.49999999999999
        {1e15 + 0.5, 1000000000000001},
        {-123456789012.5, -123456789013},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(RoundHalfAway(c.x), c.result);
    }
}

TEST(AltprocNumbers, RoundHalfAwayRefusesValuesBeyond64Bits) {
    EXPECT_THROW(RoundHalfAway(1e19), HelperError);
    EXPECT_THROW(RoundHalfAway(-1e19), HelperError);
    EXPECT_THROW(RoundHalfAway(std::numeric_limits<double>::quiet_NaN()), HelperError);
    EXPECT_THROW(RoundHalfAway(std::numeric_limits<double>::infinity()), HelperError);
    EXPECT_THROW(RoundDec(3, 1e17), HelperError);
}

TEST(AltprocNumbers, RoundDecRoundsHalvesAwayFromZero) {
    struct Case { int n; double x; double result; };
    const Case cases[] = {
        {2, 1.005, 1.01},  {2, -1.005, -1.01}, {2, 2.675, 2.68}, {2, 1.004, 1.0},
        {0, 2.5, 3.0},     {0, -0.5, -1.0},    {3, 1.23449, 1.234}, {1, 0.05, 0.1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << " " << c.x);
        EXPECT_DOUBLE_EQ(RoundDec(c.n, c.x), c.result);
    }
}

TEST(AltprocNumbers, IsNumberFollowsTheDecimalSeparator) {
    struct Case { QChar separator; const char* text; bool intOnly; bool result; };
    const Case cases[] = {
        {u'.', "", false, false},
        {u'.', "   ", false, false},
        {u'.', "-", false, true},        // a minus alone counts
        {u'.', " -12 ", true, true},
        {u'.', "1.5", false, true},
        {u'.', "1.5", true, false},
        {u'.', "1,5", false, false},
        {u',', "1,5", false, true},
        {u',', "1.5", false, false},
        {u'.', "1.2.3", false, true},    // only the characters are checked
        {u'.', "1-2", false, false},
        {u'.', "--1", false, false},
        {u'.', "+1", false, false},
        {u'.', "1 000", false, false},
        {u'.', "١٢", false, false},      // digits of other scripts are no digits here
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SeparatorScope scope(c.separator);
        EXPECT_EQ(IsNumber(QString::fromUtf8(c.text), c.intOnly), c.result);
    }
}

TEST(AltprocNumbers, DigitsOnly) {
    EXPECT_EQ(S(OnlyDigits(QStringLiteral("Ft -1 234,5/x"))), "12345");
    EXPECT_EQ(S(OnlyDigits(QStringLiteral("abc"))), "");
    EXPECT_EQ(IntFromDigits(QStringLiteral("")), 0);
    EXPECT_EQ(IntFromDigits(QStringLiteral("no digits")), 0);
    EXPECT_EQ(IntFromDigits(QStringLiteral("a-12b3")), 123);
    EXPECT_EQ(IntFromDigits(QStringLiteral("00042")), 42);
    EXPECT_EQ(IntFromDigits(QStringLiteral("2147483647")), 2147483647);
    EXPECT_THROW(IntFromDigits(QStringLiteral("2147483648")), HelperError);
}

TEST(AltprocNumbers, DecimalFixTurnsBothMarksIntoTheSeparator) {
    {
        SeparatorScope scope(u'.');
        EXPECT_EQ(S(DecimalFix(QStringLiteral("1,5 2.5"))), "1.5 2.5");
    }
    {
        SeparatorScope scope(u',');
        EXPECT_EQ(S(DecimalFix(QStringLiteral("1,5 2.5"))), "1,5 2,5");
    }
    {
        SeparatorScope scope(u'/');
        EXPECT_EQ(S(DecimalFix(QStringLiteral("1,5 2.5"))), "1,5 2.5");
    }
}

TEST(AltprocNumbers, CleanNumberText) {
    struct Case { QChar separator; const char* text; const char* result; };
    const Case cases[] = {
        {u',', "1,5E-3", "0"},              // negative exponents give zero
        {u'.', "2.5e-10", "0"},
        {u',', " -1 234,50 Ft ", "-1234,50"},
        {u'.', "$ 1 234.50", "1234.50"},
        {u'.', "Ft -5", "5"},               // a minus counts only as the first character
        {u'.', "5-3", "53"},
        {u'.', "1.5E3", "1500"},
        {u',', "1,5e2", "150"},
        {u'.', "-2.5E+2", "-250"},
        {u'.', "1.1E1", "11"},
        {u'.', "12 EUR", "12"},             // an "E" without exponent digits
        {u'.', "abc", ""},
        {u'.', "E5", ""},
        {u'.', "1E999", ""},                // beyond the range of a number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SeparatorScope scope(c.separator);
        EXPECT_EQ(S(CleanNumberText(QString::fromUtf8(c.text))), c.result);
    }
}

TEST(AltprocNumbers, FloatFromTextFallsBackToTheDefault) {
    struct Case { QChar separator; const char* text; double result; };
    const Case cases[] = {
        {u',', "1 234,50", 1234.5},
        {u'.', "1 234,50", 1234.5},   // a comma is read as the separator too
        {u',', "1 234.50", 1234.5},
        {u'.', " -12 ", -12},
        {u'.', "2e3", 2000},
        {u'.', "1,5E-3", 0},
        {u',', "5.", 5},
        {u'.', ".5", 0.5},
        {u'.', "", 7},
        {u'.', "   ", 7},
        {u'.', "abc", 7},
        {u'.', "-", 7},               // passes the character check, but is no number
        {u'.', "1.2.3", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SeparatorScope scope(c.separator);
        EXPECT_DOUBLE_EQ(FloatFromText(QString::fromUtf8(c.text), 7), c.result);
    }
}

TEST(AltprocNumbers, FloatFromTextStrictRaisesOnUnreadableText) {
    struct Case { QChar separator; const char* text; double result; };
    const Case cases[] = {
        {u'.', "1,5", 1.5},
        {u',', " -1 234.5 ", -1234.5},
        {u'.', "", 9},
        {u'.', "abc", 9},     // nothing left after cleaning
        {u'/', "1.5", 9},     // neither a point nor a comma as separator: no number at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SeparatorScope scope(c.separator);
        EXPECT_DOUBLE_EQ(FloatFromTextStrict(QString::fromUtf8(c.text), 9), c.result);
    }
    SeparatorScope scope(u'.');
    EXPECT_THROW(FloatFromTextStrict(QStringLiteral("-"), 9), HelperError);
    EXPECT_THROW(FloatFromTextStrict(QStringLiteral("1.2.3"), 9), HelperError);
}

TEST(AltprocNumbers, VarToText) {
    struct Case { QVariant value; QChar separator; const char* text; };
    const Case cases[] = {
        {QVariant(), u'.', ""},
        {QVariant(QMetaType::fromType<int>()), u'.', ""},  // a null column value
        {QVariant::fromValue(qint16(5)), u'.', "5"},
        {QVariant(-7), u'.', "-7"},
        {QVariant(qlonglong(1234567890123)), u'.', "1234567890123"},
        {QVariant::fromValue<signed char>(-3), u'.', "-3"},
        {QVariant::fromValue(quint16(65535)), u'.', "65535"},
        {QVariant(4000000000u), u'.', "4000000000"},
        {QVariant(1.23456), u'.', "1.235"},
        {QVariant(1.23456), u',', "1,235"},
        {QVariant(1234567.5), u'.', "1234567.5"},  // no thousands separator
        {QVariant(2.0), u'.', "2"},
        {QVariant(0.1f), u'.', "0.1"},
        {QVariant(-0.0004), u'.', "0"},
        {QVariant(1e20), u'.', "100000000000000000000"},
        {QVariant(QStringLiteral("szöveg")), u'.', "szöveg"},
        {QVariant(QDate(2024, 1, 2)), u'.', ""},
        {QVariant(true), u'.', ""},
        {QVariant::fromValue(uchar(200)), u'.', ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.typeName() ? c.value.typeName() : "invalid");
        SeparatorScope scope(c.separator);
        EXPECT_EQ(S(VarToText(c.value)), c.text);
    }
}

// ------------------------------------------------------------------ texts and lists

TEST(AltprocTexts, Padding) {
    EXPECT_EQ(S(ZeroPad(QStringLiteral("7"), 5)), "00007");
    EXPECT_EQ(S(ZeroPad(QStringLiteral("  7 "), 3)), "007");
    EXPECT_EQ(S(ZeroPad(QStringLiteral(" 123456 "), 5)), "123456");  // trimmed, not cut
    EXPECT_EQ(S(PadLeft(QStringLiteral("7"), u' ', 3)), "  7");
    EXPECT_EQ(S(PadLeft(QStringLiteral(" 7"), u'*', 1)), " 7");       // no trimming
    EXPECT_EQ(S(PadRight(QStringLiteral("ab"), u'.', 4)), "ab..");
    EXPECT_EQ(S(PadRight(QStringLiteral("abcde"), u'.', 4)), "abcde");
    EXPECT_EQ(S(AddTrailing(QStringLiteral(" C:\\DATA "), u'\\')), "C:\\DATA\\");
    EXPECT_EQ(S(AddTrailing(QStringLiteral("C:\\DATA\\"), u'\\')), "C:\\DATA\\");
    EXPECT_EQ(S(WithBackslash(QStringLiteral("C:\\X"))), "C:\\X\\");
    EXPECT_EQ(CharCount(QStringLiteral("a.b.c"), u'.'), 2);
    EXPECT_EQ(CharCount(QString(), u'.'), 0);
}

TEST(AltprocTexts, LastPosIgnoresTheFirstAndTheLastPosition) {
    struct Case { const char* s; const char* t; int result; };
    const Case cases[] = {
        {".", "A.XLS", 2},
        {"\\", "C:\\DATA\\A.GDB", 8},
        {"\\", "C:\\DATA\\", 3},   // the backslash at the very end is not found
        {".", "ABC.", 0},
        {".", ".XLS", 0},          // nor one at position 1
        {"ab", "xabab", 2},
        {"x", "abc", 0},
        {"", "abc", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.t);
        EXPECT_EQ(LastPos(QString::fromUtf8(c.s), QString::fromUtf8(c.t)), c.result);
    }
}

TEST(AltprocTexts, NthPosEnd) {
    const QString near = QStringLiteral("x") + QString(200, u'y') + QStringLiteral("x");
    const QString far = QStringLiteral("x") + QString(300, u'y') + QStringLiteral("x");
    struct Case { QString s; QString t; int n; int result; };
    const Case cases[] = {
        {QStringLiteral("a"), QStringLiteral("banana"), 1, 2},
        {QStringLiteral("a"), QStringLiteral("banana"), 2, 4},
        {QStringLiteral("an"), QStringLiteral("banana"), 2, 5},
        {QStringLiteral("a"), QStringLiteral("banana"), 4, 0},
        {QStringLiteral("a"), QStringLiteral("banana"), 0, 0},
        {QStringLiteral("x"), near, 2, 202},
        {QStringLiteral("x"), far, 2, 0},  // the search goes on over at most 255 characters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << S(c.s) << " " << c.n);
        EXPECT_EQ(NthPosEnd(c.s, c.t, c.n), c.result);
    }
}

TEST(AltprocTexts, CharacterSetsAndCycles) {
    EXPECT_TRUE(AnyCharIn(QStringLiteral(" IR "), QStringLiteral("RW")));
    EXPECT_FALSE(AnyCharIn(QStringLiteral("AB"), QStringLiteral("CD")));
    EXPECT_FALSE(AnyCharIn(QStringLiteral(" A"), QStringLiteral("B ")));  // blanks are trimmed away
    EXPECT_FALSE(AnyCharIn(QString(), QStringLiteral("A")));

    EXPECT_EQ(S(CycleChar(QStringLiteral("I"), QStringLiteral("IN"))), "N");
    EXPECT_EQ(S(CycleChar(QStringLiteral("N"), QStringLiteral("IN"))), "I");
    EXPECT_EQ(S(CycleChar(QStringLiteral("X"), QStringLiteral("IN"))), "I");
    EXPECT_EQ(S(CycleChar(QString(), QStringLiteral("ABC"))), "A");
    EXPECT_EQ(S(CycleChar(QStringLiteral("A"), QString())), "");
}

TEST(AltprocTexts, ProperCaseAndStateCaption) {
    EXPECT_EQ(S(ProperCase(QStringLiteral("kovács JÁNOS-péter"), true)), "Kovács János-Péter");
    EXPECT_EQ(S(ProperCase(QStringLiteral("kovács JÁNOS-péter"), false)), "Kovács JÁNOS-Péter");
    EXPECT_EQ(S(ProperCase(QStringLiteral("(bt.)kft_új"), true)), "(Bt.)Kft_Új");

    struct Case { const char* state; const char* caption; };
    const Case cases[] = {
        {"browse", "böngész"}, {"insert", "új tétel"}, {"insert2", "új tétel"},
        {"update", "módosítás"}, {"modify", "változtatás"}, {"wiev", "megnéz"},
        {"saved", "mentve"}, {"prolong", "hosszabbítás"}, {"Browse", "Browse"}, {"new", "new"},
    };
    for (const Case& c : cases) EXPECT_EQ(S(StateCaption(QString::fromUtf8(c.state))), c.caption);
}

TEST(AltprocTexts, InListTextAndSplitCommas) {
    EXPECT_EQ(S(InListText(QStringLiteral("A,B,"))), "('A','B')");
    EXPECT_EQ(S(InListText(QStringLiteral(" A,B "))), "('A','B')");
    EXPECT_EQ(S(InListText(QStringLiteral("A"))), "('A')");
    EXPECT_EQ(S(InListText(QStringLiteral("  "))), "");

    QStringList parts{QStringLiteral("old")};
    EXPECT_TRUE(SplitCommas(QStringLiteral(" a , b ,c "), parts, 3));
    EXPECT_EQ(parts, (QStringList{"a", "b", "c"}));
    EXPECT_TRUE(SplitCommas(QStringLiteral("a,,c"), parts, 3));
    EXPECT_EQ(parts, (QStringList{"a", "", "c"}));
    EXPECT_FALSE(SplitCommas(QStringLiteral("x,y"), parts, 3));
    EXPECT_FALSE(SplitCommas(QStringLiteral("x,y,z,w"), parts, 3));
    EXPECT_FALSE(SplitCommas(QStringLiteral("   "), parts, 1));
    EXPECT_EQ(parts, (QStringList{"a", "", "c"}));  // untouched on failure
}

TEST(AltprocTexts, ListFind) {
    const QStringList list{QStringLiteral("alma"), QStringLiteral("Körte"), QStringLiteral("szilva fa")};
    struct Case { const char* s; bool caseSensitive; int from; bool whole; int result; };
    const Case cases[] = {
        {"körte", false, 1, true, 1},
        {"körte", true, 1, true, -1},
        {"Körte", true, 1, true, 1},
        {"fa", false, 1, false, 2},
        {"fa", false, 1, true, -1},
        {"fa", false, 8, true, 2},     // only "fa" of "szilva fa" is compared
        {"lma", false, 2, true, 0},
        {"alma", false, 2, false, -1},
        {"körte", false, 1, false, 1},
        {"barack", false, 1, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.s << " from " << c.from);
        EXPECT_EQ(ListFind(QString::fromUtf8(c.s), list, c.caseSensitive, c.from, c.whole), c.result);
    }
}

TEST(AltprocTexts, LinesCopyAppends) {
    const QStringList src{QStringLiteral("a"), QStringLiteral("  "), QString(), QStringLiteral("b")};
    QStringList dst{QStringLiteral("first")};
    EXPECT_EQ(LinesCopy(src, dst, false), 2);
    EXPECT_EQ(dst, (QStringList{"first", "a", "b"}));
    EXPECT_EQ(LinesCopy(src, dst, true), 4);
    EXPECT_EQ(dst.size(), 7);
    QStringList same{QStringLiteral("x")};
    EXPECT_EQ(LinesCopy(same, same, true), 1);
    EXPECT_EQ(same, (QStringList{"x", "x"}));
}

TEST(AltprocTexts, XmlText) {
    EXPECT_EQ(S(XmlText(QStringLiteral("Kiss & Fia <Bt> \"x\" 'y'"))),
              "Kiss &amp; Fia &lt;Bt&gt; &quot;x&quot; &apos;y&apos;");
    EXPECT_EQ(S(XmlText(QStringLiteral("&lt;"))), "&amp;lt;");  // "&" first, so nothing is escaped twice
    EXPECT_EQ(S(XmlText(QStringLiteral("1,5"), true)), "1.5");
    EXPECT_EQ(S(XmlText(QStringLiteral("1,5"), false)), "1,5");
}

TEST(AltprocTexts, VarMax) {
    EXPECT_EQ(VarMax(1, 2), QVariant(2));
    EXPECT_EQ(VarMax(3.5, 2), QVariant(3.5));
    EXPECT_EQ(VarMax(QStringLiteral("b"), QStringLiteral("a")), QVariant(QStringLiteral("b")));
    const QVariant equal = VarMax(2, 2.0);
    EXPECT_EQ(equal.metaType(), QMetaType::fromType<int>());  // the first one when equal
}

TEST(AltprocTexts, VersionMax) {
    struct Case { const char* a; const char* b; const char* result; };
    const Case cases[] = {
        {"2.1.4.0", "2.1.10", "2.1.10"},
        {"2.1", "2.1.0", "2.1"},
        {"2.1.0", "2.1", "2.1.0"},
        {" 1.10 ", "1.9", "1.10"},
        {"1.0.0.1", "1.0.0.2", "1.0.0.2"},
        {"3", "2.x", "3"},            // decided before the bad part is read
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " / " << c.b);
        EXPECT_EQ(S(VersionMax(QString::fromUtf8(c.a), QString::fromUtf8(c.b))), c.result);
    }
    EXPECT_THROW(VersionMax(QStringLiteral("1.a"), QStringLiteral("1.b")), HelperError);
    EXPECT_THROW(VersionMax(QStringLiteral("1..2"), QStringLiteral("1.0.2")), HelperError);
}

// ------------------------------------------------------------------ folding and names

TEST(AltprocFolding, AsciiFold) {
    struct Case { const char* text; const char* result; };
    const Case cases[] = {
        {"Árvíztűrő", "Arvizturo"},
        {"ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP", "ARVAZTURO TUKORFUROGEP"},  // there is no capital I with acute
        {"ôľśĆŁµë", "ouuauau"},
        {".,-/();\":| 09AZaz", ".,-/();\":| 09AZaz"},
        {"a+b=c_d", "aAbAcAd"},
        {"ß€\t", "AAA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(S(AsciiFold(QString::fromUtf8(c.text))), c.result);
    }
    EXPECT_EQ(S(FlattenDoubleAcute(QStringLiteral("Őrült űr ő Ű é"))), "Örült ür ö Ü é");
}

TEST(AltprocFolding, TmpTableNameCarriesUserAndTime) {
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
    const QString name = TmpTableName(QStringLiteral("KIS PÉTER"), QStringLiteral("TMP_FOKIV"));
    const QDateTime after = QDateTime::currentDateTime().addMSecs(1);

    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^TMP_FOKIVKISPETER_(\\d{15})$")).match(name);
    ASSERT_TRUE(match.hasMatch()) << S(name);
    const QDateTime stamp =
        QDateTime::fromString(QStringLiteral("20") + match.captured(1), QStringLiteral("yyyyMMddhhmmsszzz"));
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
}

TEST(AltprocFolding, ColorFromName) {
    struct Case { const char* name; int color; };
    const Case cases[] = {
        {" fehér ", 0xFFFFFF}, {"clRed", 0x0000FF},   {"zöld", 0x008000},    {"LILA", 0xFF00FF},
        {"olive", 0x008080},   {"NAVY", 0x800000},    {"purple", 0x800080},  {"szürke", 0x808080},
        {"ezüst", 0xC0C0C0},   {"barna", 0x000080},   {"kék", 0xFF0000},     {"Fakózöld", 0x70C788},
        {"FAKÓKÉK", 0xFFEFCF}, {"fakólila", 0xCFAFFF}, {"CLAQUA", 0xFFFF00}, {"fekete", 0},
        {"", 0},               {"magenta", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ColorFromName(QString::fromUtf8(c.name)), c.color);
    }
}

TEST(AltprocFolding, FileVersionTextKnowsOnlyTheRunningProgram) {
    const QString version = FileVersionText(QString());
    EXPECT_EQ(S(version), TARVEDO_VERSION);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$")).match(version).hasMatch());
    EXPECT_EQ(FileVersionText(QCoreApplication::applicationFilePath()), version);

    QTemporaryFile other;
    ASSERT_TRUE(other.open());
    EXPECT_EQ(S(FileVersionText(other.fileName())), "");
    EXPECT_EQ(S(FileVersionText(QStringLiteral("/no/such/program"))), "");
}

// ------------------------------------------------------------------ identifiers

TEST(AltprocTaxIds, TaxIdValid) {
    struct Case { const char* text; bool valid; };
    const Case cases[] = {
        {"", true},               // an empty field is not checked
        {"   ", true},
        {"8123456786", true},     // 1*8+2*1+...+9*8 = 248, 248 mod 11 = 6
        {" 8123456786 ", true},
        {"8123456787", false},
        {"812345678", false},
        {"81234567860", false},
        {"812345678A", false},
        {"8100000000", false},    // remainder 10 can never match
        {"810000000A", false},
        {"-123456786", false},
        {"81234.6786", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TaxIdValid(QString::fromUtf8(c.text)), c.valid);
    }
}

TEST(AltprocTaxIds, TajValid) {
    struct Case { const char* text; bool valid; };
    const Case cases[] = {
        {"111111110", true},      // weights 3,7,...: 40, 40 mod 10 = 0
        {"123456788", true},
        {" 123456788 ", true},
        {"123456789", false},
        {"", false},              // unlike the tax number, an empty TAJ is invalid
        {"12345678", false},
        {"1234567880", false},
        {"11111111A", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TajValid(QString::fromUtf8(c.text)), c.valid);
    }
}

}  // namespace
