#include <gtest/gtest.h>

#include "db/date_text.h"

namespace {

TEST(DateText, ReadsRealDaysIntoTheStoredFormAndNothingElse) {
    struct Case {
        const char* text;
        const char* date;  // empty: refused
    };
    const Case cases[] = {
        {"2025.06.15", "2025.06.15"}, {" 2025.06.15 ", "2025.06.15"}, {"2025.06.15.", "2025.06.15"},
        {"2025-06-15", "2025.06.15"}, {"2025/06/15", "2025.06.15"},   {"20250615", "2025.06.15"},
        {"2024.02.29", "2024.02.29"},
        {"2023.02.29", ""},           {"2025.13.01", ""},             {"2025.04.31", ""},
        {"2025x06x15", ""},           {"2025.06-15", ""},             {"202506", ""},
        {"2025.03", ""},              {"2025.6.15", ""},              {"15.06.2025", ""},
        {"2025.06.1 ", ""},           {"    .  .  ", ""},             {"", ""},
        {"45000", ""},                {"2025.06.15.x", ""},
    };
    for (const Case& c : cases) {
        QString date = QStringLiteral("unchanged");
        const bool read = ReadDateText(QString::fromUtf8(c.text), date);
        EXPECT_EQ(read, *c.date != 0) << c.text;
        if (read) EXPECT_EQ(date, QString::fromUtf8(c.date)) << c.text;
    }
}

TEST(DateText, OnlyTheStoredFormIsAStoredDate) {
    EXPECT_TRUE(IsStoredDate(QStringLiteral("2024.02.29")));
    for (const char* text : {"2023.02.29", "20240229", "2024-02-29", "2024.02.29.", " 2024.02.29", "2024.02", ""})
        EXPECT_FALSE(IsStoredDate(QString::fromUtf8(text))) << text;
}

}  // namespace
