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
        ASSERT_TRUE(ParseAmount(QString::fromStdString(text), value)) << text;
        ASSERT_EQ(value, expected) << text;
        ASSERT_FALSE(std::signbit(value) && value == 0) << text;
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
