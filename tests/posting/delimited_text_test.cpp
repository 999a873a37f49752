#include <gtest/gtest.h>

#include "posting/delimited_text.h"

namespace {

TEST(DelimitedTextTest, FieldsQuotesAndLineNumbers) {
    const QString text = QStringLiteral(
        "A;B;C\r\n"
        "\r\n"
        "1;\"x;y\";\"say \"\"hi\"\"\"\r\n"
        "2;\"two\nlines\";z\n"
        "3;;\r"
        "4;last");
    const QList<DelimitedLine> lines = SplitDelimitedText(text, QLatin1Char(';'));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0].fields, (QStringList{"A", "B", "C"}));
    EXPECT_EQ(lines[1].number, 3);
    EXPECT_EQ(lines[1].fields, (QStringList{"1", "x;y", "say \"hi\""}));
    EXPECT_EQ(lines[2].number, 4);
    EXPECT_EQ(lines[2].fields, (QStringList{"2", "two\nlines", "z"}));
    EXPECT_EQ(lines[3].number, 6);
    EXPECT_EQ(lines[3].fields, (QStringList{"3", "", ""}));
    EXPECT_EQ(lines[4].number, 7);
    EXPECT_EQ(lines[4].fields, (QStringList{"4", "last"}));
}

}  // namespace
