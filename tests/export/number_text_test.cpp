#include <QLocale>
#include <QString>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "export/number_text.h"

namespace {

QString General(double x) {
    char text[kNumberTextSize];
    return QString::fromLatin1(text, GeneralNumberText(x, text));
}

QString Plain(double x) {
    char text[kNumberTextSize];
    return QString::fromLatin1(text, PlainNumberText(x, text));
}

}  // namespace

TEST(NumberText, GeneralFormAsTheListShowsIt) {
    struct Case {
        double x;
        const char* text;
    };
    for (const Case& c : {Case{0.0, "0"}, Case{-0.0, "0"}, Case{1500, "1500"}, Case{-0.125, "-0.125"},
                          Case{100000, "100000"}, Case{0.1 + 0.2, "0.3"}, Case{1e-4, "0.0001"}, Case{1e-5, "1e-05"},
                          Case{123456789012345, "123456789012345"}, Case{1e15, "1e+15"},
                          Case{1234567890123456, "1.23456789012346e+15"}, Case{1e20, "1e+20"},
                          Case{49611468290.53125, "49611468290.5313"},  // a tie rounds away from zero
                          Case{2.0 / 3.0, "0.666666666666667"}})
        EXPECT_EQ(General(c.x), QString::fromLatin1(c.text)) << c.x;
}

TEST(NumberText, SameTextsAsQtForManyValues) {
    std::mt19937_64 random(20240531);
    for (int i = 0; i < 200000; ++i) {
        double x = std::ldexp(double(random() % 10000000000000ULL), -int(random() % 60));
        if (random() % 2) x = -x;
        ASSERT_EQ(General(x), QString::number(x, 'g', 15)) << x;
        const double cents = std::round(x * 1000) / 1000;
        ASSERT_EQ(Plain(cents), QString::number(cents + 0.0, 'f', QLocale::FloatingPointShortest)) << cents;
    }
    EXPECT_EQ(Plain(-0.0), QStringLiteral("0"));
    EXPECT_EQ(Plain(1e21), QStringLiteral("1000000000000000000000"));
    EXPECT_EQ(General(std::numeric_limits<double>::max()), QString::number(std::numeric_limits<double>::max(), 'g', 15));
}
