#include <gtest/gtest.h>

#include "db/amount_text.h"

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
