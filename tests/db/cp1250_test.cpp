#include <gtest/gtest.h>

#include "db/cp1250.h"

namespace {

TEST(Cp1250, HungarianLettersMapBothWays) {
    const QString letters = QStringLiteral("áéíóöőúüűÁÉÍÓÖŐÚÜŰ€„”–");
    const QByteArray bytes("\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB\x80\x84\x94\x96");
    EXPECT_EQ(EncodeCp1250(letters), bytes);
    EXPECT_EQ(DecodeCp1250(bytes), letters);
}

TEST(Cp1250, EveryByteSurvivesDecodingAndEncoding) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(char(b));
    const QString text = DecodeCp1250(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(EncodeCp1250(text), all);
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(EncodeCp1250(QStringLiteral("ж õ ű")), QByteArray("? ? \xFB"));
    EXPECT_EQ(EncodeCp1250(QString::fromUtf8("a\xF0\x9F\x98\x80" "b")), QByteArray("a?b"));  // one per character
}

TEST(Cp1250, EightBitTextIsUtf8OnlyWhenValid) {
    bool utf8 = false;
    EXPECT_EQ(Decode8BitText(QByteArray("DBSERVER=C:\\\xC5\x90.GDB"), &utf8), QStringLiteral("DBSERVER=C:\\Ő.GDB"));
    EXPECT_TRUE(utf8);
    EXPECT_EQ(Decode8BitText(QByteArray("DBSERVER=C:\\\xD5.GDB"), &utf8), QStringLiteral("DBSERVER=C:\\Ő.GDB"));
    EXPECT_FALSE(utf8);
    EXPECT_EQ(Decode8BitText(QByteArray("\xEF\xBB\xBFPWD=NONE"), &utf8), QStringLiteral("PWD=NONE"));
    EXPECT_TRUE(utf8);
    EXPECT_EQ(Encode8BitText(QStringLiteral("Ő"), true), QByteArray("\xC5\x90"));
    EXPECT_EQ(Encode8BitText(QStringLiteral("Ő"), false), QByteArray("\xD5"));
}

}  // namespace
