// The password rows of the users' panel: only the hash is stored, the two
// texts must agree, and a user added without one has none.
#include <QLineEdit>
#include <gtest/gtest.h>

#include "db/password_hash.h"
#include "masterdata/user_password.h"
#include "md_test_support.h"
#include "support/test_db.h"
#include "window_test_support.h"

namespace {

class UserPasswordTest : public CompanyDbTest {
protected:
    void TearDown() override {
        DestroyTorzsWindows();
        CompanyDbTest::TearDown();
    }
    static QString stored(const char* kod) {
        return One(QStringLiteral("select coalesce(JELSZO, '') from SZ_JUZER where KOD = '") + QLatin1String(kod) +
                   QLatin1Char('\''));
    }
    UserSide user;
};

}  // namespace

TEST_F(UserPasswordTest, PanelStoresOnlyTheHashOfATwiceTypedPassword) {
    OpenTable("SZ_JUZER", [&](TTorzsfm& w) {
        auto* first = Child<QLineEdit>(*w.dataPanel, NewPasswordEdit);
        auto* second = Child<QLineEdit>(*w.dataPanel, NewPasswordAgainEdit);
        ASSERT_TRUE(first && second);
        EXPECT_EQ(first->echoMode(), QLineEdit::Password);
        EXPECT_EQ(second->echoMode(), QLineEdit::Password);
        EXPECT_EQ(Child<QLabel>(*w.dataPanel, QStringLiteral("L_UJJELSZO"))->text().trimmed(), QStringLiteral("Új jelszó:"));

        // A new user without a password.
        Press(w.b_insert);
        Type(w, "E_KOD", "UJ1");
        Type(w, "E_NEV", "UJEMBER");
        Type(w, "E_AKTIV", "I");
        Press(w.b_post);
        ASSERT_EQ(w.l_state->text(), QStringLiteral("böngész")) << user.messages.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(stored("UJ1").isEmpty());

        // Two different texts are refused and nothing changes.
        Press(w.b_edit);
        first->setText(QStringLiteral("titok"));
        second->setText(QStringLiteral("titkos"));
        Press(w.b_post);
        EXPECT_EQ(user.messages.value(0),
                  QStringLiteral("Nem tárolható az alábbi hiba miatt:\rA két új jelszó nem egyezik.\r"));
        EXPECT_EQ(w.l_state->text(), QStringLiteral("módosítás"));
        EXPECT_TRUE(stored("UJ1").isEmpty());

        second->setText(QStringLiteral("titok"));
        Press(w.b_post);
        EXPECT_EQ(w.l_state->text(), QStringLiteral("böngész"));
        const QString hash = stored("UJ1");
        EXPECT_TRUE(IsPasswordHash(hash));
        EXPECT_TRUE(PasswordMatches(QStringLiteral("titok"), hash));
        EXPECT_TRUE(first->text().isEmpty());  // never shown again
        EXPECT_TRUE(second->text().isEmpty());

        // Another change with the password rows left empty keeps the hash.
        Press(w.b_edit);
        Type(w, "E_TELJESNEV", "Új Ember");
        Press(w.b_post);
        EXPECT_EQ(stored("UJ1"), hash);
        EXPECT_EQ(user.messages.size(), 1);
    });
    EXPECT_EQ(One("select TELJESNEV from SZ_JUZER where KOD = 'UJ1'"), QStringLiteral("Új Ember"));
}
