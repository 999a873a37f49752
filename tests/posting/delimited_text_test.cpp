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

// A long file without quotes is split on two cores: the lines around the
// cut, blank lines and every kind of line end keep their numbers.
TEST(DelimitedTextTest, LongFileKeepsItsLineNumbers) {
    const QStringList ends{"\r\n", "\n", "\r", "\n\r", "\r\n\r\n"};
    QString text;
    QList<int> expectedNumbers;
    int line = 1;
    for (int i = 0; text.size() < 3 << 20; ++i) {
        expectedNumbers << line;
        text += QStringLiteral("%1;mező %1;%2").arg(i).arg(i % 7 == 0 ? QString() : QStringLiteral("x"));
        const QString& end = ends[i % ends.size()];
        text += end;
        // Every line break counts, an empty line between them too; CR LF is one.
        line += int(end.count(QLatin1Char('\n')) + end.count(QLatin1Char('\r')) - end.count(QStringLiteral("\r\n")));
    }
    const QList<DelimitedLine> lines = SplitDelimitedText(text, QLatin1Char(';'));
    ASSERT_EQ(lines.size(), expectedNumbers.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].number, expectedNumbers[i]) << i;
        ASSERT_EQ(lines[i].fields.first(), QString::number(i)) << i;
        ASSERT_EQ(lines[i].fields.size(), 3) << i;
    }
}
