#include <gtest/gtest.h>

#include "import/import_values.h"
#include "import/xlsx_sheet.h"

namespace {

TEST(ImportValuesTest, DatesAsOtherProgramsWriteThem) {
    struct Case {
        const char* text;
        const char* date;  // empty: no date
    };
    const Case cases[] = {
        {"2025.03.01", "2025.03.01"}, {"2025.03.01.", "2025.03.01"}, {"2025-03-01", "2025.03.01"},
        {"2025/03/01", "2025.03.01"}, {"20250301", "2025.03.01"},    {"45717", "2025.03.01"},
        {"61", "1900.03.01"},         {"2025.02.29", ""},            {"2025.3.1", ""},
        {"", ""},                     {"március 1", ""},             {"2025-03/01", ""},
    };
    for (const Case& c : cases) {
        QString date;
        const bool ok = ImportDate(QString::fromUtf8(c.text), date);
        EXPECT_EQ(ok, *c.date != 0) << c.text;
        if (ok) {
            EXPECT_EQ(date, QString::fromLatin1(c.date)) << c.text;
        }
    }
}

TEST(ImportValuesTest, NumbersWithEitherDecimalMark) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"12700", true, 12700},        {"12 700,50", true, 12700.5}, {"12\u00a0700", true, 12700},
        {"1.234,5", true, 1234.5},     {"1,234.5", true, 1234.5},    {"-80", true, -80},
        {"0,27", true, 0.27},          {"abc", false, 0},            {"", false, 0},
        {"12-3", false, 0},
    };
    for (const Case& c : cases) {
        double value = 0;
        EXPECT_EQ(ImportNumber(QString::fromUtf8(c.text), value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        }
    }
}

TEST(ImportValuesTest, ColumnLetters) {
    EXPECT_EQ(ColumnIndex(QStringLiteral("A")), 0);
    EXPECT_EQ(ColumnIndex(QStringLiteral("z")), 25);
    EXPECT_EQ(ColumnIndex(QStringLiteral("AA")), 26);
    EXPECT_EQ(ColumnIndex(QStringLiteral("A1")), -1);
}

}  // namespace
