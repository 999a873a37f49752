#include <QRegularExpression>
#include <gtest/gtest.h>

#include "db/text_scramble.h"

namespace {

TEST(TextScramble, RoundTripsAnyText) {
    const QString texts[] = {
        QString(),
        QStringLiteral("ftp.tarvedo.hu"),
        QStringLiteral("Árvíztűrő tükörfúrógép ŐŰ"),
        QStringLiteral("jelszó €$ 'x' \"y\" // z"),
        QString(300, u'a'),
    };
    const QRegularExpression upperHex(QStringLiteral("^[0-9A-F]*$"));
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        const QString scrambled = ScrambleText(text);
        EXPECT_TRUE(upperHex.match(scrambled).hasMatch()) << scrambled.toStdString();
        EXPECT_EQ(scrambled.size(), 2 * text.toUtf8().size());
        EXPECT_EQ(UnscrambleText(scrambled), text);
    }
}

TEST(TextScramble, HidesRepeatsAndPlainText) {
    // The same letter over and over does not give the same pair of hex digits.
    const QString scrambled = ScrambleText(QString(40, u'a'));
    QStringList pairs;
    for (qsizetype i = 0; i < scrambled.size(); i += 2) pairs.append(scrambled.mid(i, 2));
    pairs.removeDuplicates();
    EXPECT_GT(pairs.size(), 10);
    EXPECT_NE(ScrambleText(QStringLiteral("ftp.tarvedo.hu")),
              QString::fromLatin1(QByteArray("ftp.tarvedo.hu").toHex().toUpper()));
}

TEST(TextScramble, AnythingElseUnscramblesToNothing) {
    for (const char* text : {"ftp.tarvedo.hu", "ABC", "0G", "ŐŐ", ""}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(UnscrambleText(QString::fromUtf8(text)), QString());
    }
}

}  // namespace
