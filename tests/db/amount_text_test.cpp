#include <gtest/gtest.h>

#include "db/amount_text.h"

#include <cmath>
#include <cstdlib>
#include <random>

namespace {

TEST(AmountText, ReadsWhatABookkeeperTypes) {
    struct Case { const char* text; double value; };
    const Case cases[] = {
        {"1500", 1500},          {"-1500,5", -1500.5},      {"+12", 12},
        {"1 500 000", 1500000},  {"1\u00a0500", 1500},      {"12 700,25", 12700.25},
        {"1.234.567", 1234567},  {"1.234.567,89", 1234567.89}, {"1,234,567.89", 1234567.89},
        {"1500.5", 1500.5},      {"  -0,75 ", -0.75},       {"- 100", -100},
        {"0", 0},                {"-0", 0},                 {"999999999999999", 999999999999999.0},
    };
    for (const Case& c : cases) {
        double value = -1;
        QString error;
        EXPECT_TRUE(ParseAmount(QString::fromUtf8(c.text), value, &error)) << c.text << ": " << error.toStdString();
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
}

TEST(AmountText, RefusesWhatIsNoAmountWithAReason) {
    const char* refused[] = {"",      "-",      "1O00",  "12abc", "1-2",   "Ft 100", "1.5e-3", "1e308",
                             "12x700", "1,2,3", "15 00", "1 2",   "1.23.4", "1.5,5,5", "1 234.567,8", "100-",
                             ",5",    "1,",     "1000000000000000", "-99999999999999999999"};
    for (const char* text : refused) {
        double value = 7;
        QString error;
        EXPECT_FALSE(ParseAmount(QString::fromUtf8(text), value, &error)) << text;
        EXPECT_EQ(value, 7) << text;
        if (*text) {
            EXPECT_TRUE(error.contains(QString::fromUtf8(text).trimmed())) << error.toStdString();
        }
    }
    QString error;
    double value = 0;
    ParseAmount(QStringLiteral("1000000000000000"), value, &error);
    EXPECT_TRUE(error.startsWith(QStringLiteral("Túl nagy összeg"))) << error.toStdString();
}

// Plain amounts of every length and decimal count read as the nearest
// double to the decimal, exactly as the C library reads it.
TEST(AmountText, PlainAmountsReadAsTheNearestDouble) {
    std::mt19937 random(2026);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + int(random() % 15);
        const int decimals = int(random() % digits);
        std::string text = random() % 3 == 0 ? "-" : "";
        for (int d = 0; d < digits; ++d) {
            if (d == digits - decimals && decimals > 0) text += random() % 2 ? ',' : '.';
            text += char('0' + random() % 10);
        }
        std::string c = text;
        for (char& ch : c)
            if (ch == ',') ch = '.';
        double expected = std::strtod(c.c_str(), nullptr);
        if (expected == 0) expected = 0;
        double value = -1;
        // A point before three decimals after one to three digits could group thousands:
        // only a file whose format names the point reads it as a decimal.
        const std::size_t point = text.find('.');
        const std::size_t sign = text[0] == '-' ? 1 : 0;
        const bool ambiguous = point != std::string::npos && decimals == 3 && point - sign <= 3 && text[sign] != '0';
        ASSERT_EQ(ParseAmount(QString::fromStdString(text), value), !ambiguous) << text;
        if (ambiguous) ASSERT_TRUE(ParseAmount(QString::fromStdString(text), value, nullptr, DecimalMark::Point)) << text;
        ASSERT_EQ(value, expected) << text;
        ASSERT_FALSE(std::signbit(value) && value == 0) << text;
    }
}

TEST(AmountText, APointBeforeThreeDigitsIsReadOnlyWhenTheFormatSaysWhatItIs) {
    struct Case {
        const char* text;
        DecimalMark mark;
        double value;  // NAN: refused
        const char* reason;  // the start of the reason when refused
    };
    const Case cases[] = {
        {"1.234", DecimalMark::Either, NAN, "Kétértelmű összeg: „1.234”"},
        {"-12.500", DecimalMark::Either, NAN, "Kétértelmű összeg: „-12.500”"},
        {"+999.000", DecimalMark::Either, NAN, "Kétértelmű összeg"},
        {"1234.567", DecimalMark::Either, 1234.567, ""},  // no thousands group has four digits
        {"1.2345", DecimalMark::Either, 1.2345, ""},
        {"0.500", DecimalMark::Either, 0.5, ""},
        {"1.23", DecimalMark::Either, 1.23, ""},
        {"1.234.567", DecimalMark::Either, 1234567, ""},
        {"1.234,5", DecimalMark::Either, 1234.5, ""},
        {"1,234", DecimalMark::Either, 1.234, ""},
        // A comma format: points group thousands.
        {"1.234", DecimalMark::Comma, 1234, ""},
        {"-12.500", DecimalMark::Comma, -12500, ""},
        {"1.234,56", DecimalMark::Comma, 1234.56, ""},
        {"1,5", DecimalMark::Comma, 1.5, ""},
        {"1.5", DecimalMark::Comma, NAN, "Hibás összeg"},
        {"1,234.5", DecimalMark::Comma, NAN, "Hibás összeg"},
        {"1 234.5", DecimalMark::Comma, NAN, "Hibás összeg"},
        // A point format: commas group thousands.
        {"1.234", DecimalMark::Point, 1.234, ""},
        {"1,234", DecimalMark::Point, 1234, ""},
        {"1,234,567.89", DecimalMark::Point, 1234567.89, ""},
        {"1 234.5", DecimalMark::Point, 1234.5, ""},
        {"1,5", DecimalMark::Point, NAN, "Hibás összeg"},
        {"1.234,5", DecimalMark::Point, NAN, "Hibás összeg"},
    };
    for (const Case& c : cases) {
        double value = -7;
        QString error;
        const bool read = ParseAmount(QString::fromUtf8(c.text), value, &error, c.mark);
        if (std::isnan(c.value)) {
            EXPECT_FALSE(read) << c.text << " " << int(c.mark);
            EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.reason))) << c.text << ": " << error.toStdString();
        } else {
            EXPECT_TRUE(read) << c.text << " " << int(c.mark) << ": " << error.toStdString();
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        }
    }
}

TEST(AmountText, TypingStagesArePartialNotInvalid) {
    struct Case { const char* text; AmountInput state; };
    const Case cases[] = {
        {"", AmountInput::Partial},        {"-", AmountInput::Partial},      {"-1500,", AmountInput::Partial},
        {"1 5", AmountInput::Partial},     {"1.234.", AmountInput::Partial}, {"-1500,5", AmountInput::Complete},
        {"12x", AmountInput::Invalid},     {"1-", AmountInput::Invalid},     {"1e", AmountInput::Invalid},
        {"9999999999999999", AmountInput::Invalid},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckAmountInput(QString::fromUtf8(c.text)), c.state) << c.text;
}

}  // namespace
