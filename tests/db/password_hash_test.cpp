#include <gtest/gtest.h>

#include "db/password_hash.h"

namespace {

TEST(PasswordHash, HashIsSaltedAndVerifies) {
    const QString first = HashPassword(QStringLiteral("Titok123"));
    const QString second = HashPassword(QStringLiteral("Titok123"));
    EXPECT_TRUE(IsPasswordHash(first));
    EXPECT_NE(first, second);  // a salt of its own each time
    EXPECT_FALSE(first.contains(QStringLiteral("Titok123")));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("Titok123"), first));
    EXPECT_FALSE(PasswordMatches(QStringLiteral("titok123"), first));
    EXPECT_FALSE(PasswordMatches(QString(), first));
    EXPECT_LE(first.size(), 128);  // fits SZ_JUZER.JELSZO
}

TEST(PasswordHash, LegacyPlainTextComparesExactly) {
    EXPECT_FALSE(IsPasswordHash(QStringLiteral("JELSZO")));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("JELSZO"), QStringLiteral("JELSZO")));
    EXPECT_FALSE(PasswordMatches(QStringLiteral("jelszo"), QStringLiteral("JELSZO")));
    EXPECT_TRUE(PasswordMatches(QStringLiteral("árvíztűrő"), HashPassword(QStringLiteral("árvíztűrő"))));
}

}  // namespace
