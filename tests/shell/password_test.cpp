// Login and change of password against SZ_JUZER of the demo company.
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "db/password_hash.h"
#include "masterdata/rights.h"
#include "shell/Password_window.h"
#include "shell/password.h"
#include "shell_test_support.h"

namespace {

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(work.made);
        ASSERT_TRUE(DbConnect(d_tarvedo, work.companyDb));
    }
    void addUser(const QString& kod, const QString& nev, const QString& jelszo, const QString& aktiv) {
        ExecSql(d_tarvedo,
                QStringLiteral("insert into SZ_JUZER (KOD, NEV, JELSZO, AKTIV, JOGOK) values (:KOD, :NEV, :JELSZO, :AKTIV, '')"),
                {{QStringLiteral("KOD"), kod}, {QStringLiteral("NEV"), nev}, {QStringLiteral("JELSZO"), jelszo},
                 {QStringLiteral("AKTIV"), aktiv}});
    }
    QString storedPassword(const QString& kod) {
        return SelectValue(d_tarvedo, QStringLiteral("select JELSZO from SZ_JUZER where KOD = :KOD"),
                           {{QStringLiteral("KOD"), kod}})
            .toString();
    }
    DemoWorkDir work;
};

const QString kWrong = QStringLiteral("Érvénytelen belépési név vagy jelszó");

}  // namespace

TEST_F(LoginTest, NamesPasswordsActiveFlagAndDuplicates) {
    addUser(QStringLiteral("P1"), QStringLiteral("PASSZIV"), HashPassword(QStringLiteral("x")), QStringLiteral("N"));
    addUser(QStringLiteral("K1"), QStringLiteral("KISBETU"), HashPassword(QStringLiteral("x")), QStringLiteral("i"));
    addUser(QStringLiteral("D1"), QStringLiteral("KETTO"), HashPassword(QStringLiteral("ugyanaz")), QStringLiteral("I"));
    addUser(QStringLiteral("D2"), QStringLiteral("KETTO"), HashPassword(QStringLiteral("ugyanaz")), QStringLiteral("I"));
    addUser(QStringLiteral("M1"), QStringLiteral("MASIK"), HashPassword(QStringLiteral("egyik")), QStringLiteral("I"));
    addUser(QStringLiteral("M2"), QStringLiteral("MASIK"), HashPassword(QStringLiteral("masik")), QStringLiteral("I"));
    addUser(QStringLiteral("U1"), QStringLiteral("NAGY"), HashPassword(QStringLiteral("TITOK")), QStringLiteral("I"));

    const struct {
        const char* name;
        const char* password;
        bool caseSensitive;
        QString error;
        const char* kod;
    } cases[] = {
        {"DEMO", "demo", true, {}, "DEMO"},
        {"demo", "demo", true, kWrong, ""},  // exact comparison: the name's case counts
        {"DEMO", "DEMO", true, kWrong, ""},
        {"DEMO", "rossz", true, kWrong, ""},
        {"", "", true, kWrong, ""},
        {"demo", "demo", false, {}, "DEMO"},
        {"nagy", "titok", false, {}, "U1"},  // without exact comparison the password's case does not count either
        {"PASSZIV", "x", true, QStringLiteral("A felhasználó nem aktív"), ""},
        {"KISBETU", "x", true, {}, "K1"},  // "i" counts as active
        {"KETTO", "ugyanaz", true, QStringLiteral("Több azonos nevű felhasználó! Értesítse az illetékest!"), ""},
        {"MASIK", "masik", true, {}, "M2"},  // the same name with other passwords: each its own
    };
    for (const auto& c : cases) {
        const LoginCheck login = CheckLogin(QString::fromUtf8(c.name), QString::fromUtf8(c.password), c.caseSensitive);
        EXPECT_EQ(login.error, c.error) << c.name << " / " << c.password;
        EXPECT_EQ(login.kod, QString::fromUtf8(c.kod)) << c.name;
    }
}

TEST_F(LoginTest, LegacyPlainPasswordIsAcceptedOnceAndReplacedByItsHash) {
    addUser(QStringLiteral("R1"), QStringLiteral("REGI"), QStringLiteral("titok"), QStringLiteral("I"));
    EXPECT_EQ(CheckLogin(QStringLiteral("REGI"), QStringLiteral("rossz"), true).error, kWrong);
    EXPECT_EQ(storedPassword(QStringLiteral("R1")), QStringLiteral("titok"));  // a refused login changes nothing

    const LoginCheck login = CheckLogin(QStringLiteral("REGI"), QStringLiteral("titok"), true);
    EXPECT_TRUE(login.ok()) << login.error.toStdString();
    const QString stored = storedPassword(QStringLiteral("R1"));
    EXPECT_TRUE(IsPasswordHash(stored)) << stored.toStdString();
    EXPECT_TRUE(PasswordMatches(QStringLiteral("titok"), stored));
    EXPECT_TRUE(CheckLogin(QStringLiteral("REGI"), QStringLiteral("titok"), true).ok());
    EXPECT_EQ(CheckLogin(QStringLiteral("REGI"), stored, true).error, kWrong);  // the hash is no password
}

TEST_F(LoginTest, WindowLogsInRemembersTheNameAndShowsErrors) {
    UserSide user;
    TPasswordFM window;
    window.setMode(false, true);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Bejelentkezés"));
    EXPECT_FALSE(window.p_ujjelszo->isVisible());
    EXPECT_FALSE(window.p_hiba->isVisible());
    EXPECT_TRUE(window.e_nev->text().isEmpty());  // no LASTUSER.INI yet
    EXPECT_EQ(window.focusWidget(), window.e_nev);

    Type(window.e_nev, QStringLiteral("DEMO"));
    Press(window.e_nev, Qt::Key_Return);  // Enter moves on
    EXPECT_EQ(window.focusWidget(), window.e_jelszo);
    Press(window.e_jelszo, Qt::Key_Up);
    EXPECT_EQ(window.focusWidget(), window.e_nev);
    Press(window.e_nev, Qt::Key_Down);
    EXPECT_EQ(window.focusWidget(), window.e_jelszo);

    Type(window.e_jelszo, QStringLiteral("rossz"));
    EXPECT_EQ(window.e_jelszo->echoMode(), QLineEdit::Password);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(window.Image1, &enter);
    EXPECT_EQ(window.e_jelszo->echoMode(), QLineEdit::Normal);  // the eye shows the password
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window.Image1, &leave);
    EXPECT_EQ(window.e_jelszo->echoMode(), QLineEdit::Password);

    window.OKBtn->click();
    EXPECT_TRUE(window.isVisible());  // another try
    EXPECT_TRUE(window.p_hiba->isVisible());
    EXPECT_EQ(window.l_hiba->text(), kWrong);
    EXPECT_FALSE(QFile::exists(work.file(LastUserFile)));

    window.e_jelszo->setText(QStringLiteral("demo"));
    window.OKBtn->click();
    EXPECT_TRUE(window.woke);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.wusername, QStringLiteral("DEMO"));
    EXPECT_EQ(window.wjogok, QStringLiteral("W"));
    EXPECT_EQ(Td().CurrentUserKod, QStringLiteral("DEMO"));
    EXPECT_EQ(work.bytes(LastUserFile), QByteArray("USERNAME=DEMO\r\n"));
    EXPECT_TRUE(JogVan(QStringLiteral("A")));  // the rights stay with the control tables' defaults
    EXPECT_FALSE(JogVan(QStringLiteral("X")));

    // The next start fills in the name and waits for the password.
    TPasswordFM next;
    next.setMode(false, true);
    next.show();
    EXPECT_EQ(next.e_nev->text(), QStringLiteral("DEMO"));
    EXPECT_TRUE(next.e_jelszo->text().isEmpty());
    EXPECT_EQ(next.focusWidget(), next.e_jelszo);
    next.CancelBtn->click();
    EXPECT_FALSE(next.woke);
}

TEST_F(LoginTest, ChangeModeChecksAndStoresTheNewPasswordsHash) {
    UserSide user;
    TPasswordFM window;
    window.setMode(true, true);
    window.e_nev->setText(QStringLiteral("DEMO"));
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Jelszó megváltoztatása"));
    EXPECT_TRUE(window.p_ujjelszo->isVisible());
    EXPECT_FALSE(window.e_nev->isEnabled());

    Type(window.e_uj, QStringLiteral("uj1"));
    EXPECT_EQ(window.e_uj->text(), QStringLiteral("UJ1"));  // the new-password fields are upper case

    const struct {
        const char* old;
        const char* uj;
        const char* uj2;
        const char* error;
    } cases[] = {
        {"demo", " ", "UJ", "Mindkét új jelszó mezőt ki kell tölteni."},
        {"demo", "UJ", "", "Mindkét új jelszó mezőt ki kell tölteni."},
        {"demo", "UJ", "UJ2", "A két új jelszó nem egyezik."},
        {"UJ", "UJ", "UJ", "A régi és az új jelszó ugyanaz."},
        {"rossz", "UJ", "UJ", "Nem sikerült a módosítás"},
    };
    for (const auto& c : cases) {
        window.e_jelszo->setText(QString::fromUtf8(c.old));
        window.e_uj->setText(QString::fromUtf8(c.uj));
        window.e_uj2->setText(QString::fromUtf8(c.uj2));
        window.OKBtn->click();
        EXPECT_TRUE(window.p_hiba->isVisible()) << c.error;
        EXPECT_EQ(window.l_hiba->text(), QString::fromUtf8(c.error));
    }
    EXPECT_TRUE(PasswordMatches(QStringLiteral("demo"), storedPassword(QStringLiteral("DEMO"))));

    window.e_jelszo->setText(QStringLiteral("demo"));
    window.e_uj->setText(QStringLiteral("UJJELSZO"));
    window.e_uj2->setText(QStringLiteral("UJJELSZO"));
    window.OKBtn->click();
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("A jelszót módosítottuk")});
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.woke);
    const QString stored = storedPassword(QStringLiteral("DEMO"));
    EXPECT_TRUE(IsPasswordHash(stored));
    EXPECT_TRUE(CheckLogin(QStringLiteral("DEMO"), QStringLiteral("UJJELSZO"), true).ok());
    EXPECT_FALSE(CheckLogin(QStringLiteral("DEMO"), QStringLiteral("demo"), true).ok());
}

TEST_F(LoginTest, UserWithoutPasswordMustSetOneBeforeGoingOn) {
    // Empty as a new row of the users' table leaves it, and the hash of an
    // empty password as an older run made of it.
    addUser(QStringLiteral("U1"), QStringLiteral("URES"), QString(), QStringLiteral("I"));
    addUser(QStringLiteral("U2"), QStringLiteral("URESHASH"), HashPassword(QString()), QStringLiteral("I"));
    for (const QString& name : {QStringLiteral("URES"), QStringLiteral("URESHASH")}) {
        SCOPED_TRACE(name.toStdString());
        const QString kod = name == QLatin1String("URES") ? QStringLiteral("U1") : QStringLiteral("U2");
        const QString before = storedPassword(kod);
        const LoginCheck login = CheckLogin(name, QString(), true);
        ASSERT_TRUE(login.ok());
        EXPECT_TRUE(login.mustSetPassword);
        EXPECT_EQ(storedPassword(kod), before);  // the empty password is not made a hash

        UserSide user;
        TPasswordFM window;
        window.setMode(false, true);
        window.show();
        window.e_nev->setText(name);
        window.OKBtn->click();
        ASSERT_TRUE(window.isVisible());  // not in yet: the new password is asked for
        EXPECT_FALSE(window.woke);
        EXPECT_TRUE(window.p_ujjelszo->isVisible());
        EXPECT_TRUE(window.p_hiba->isVisible());

        // The new passwords are upper case, as in the change mode.
        window.e_uj->setText(QStringLiteral("UJ1"));
        window.e_uj2->setText(QStringLiteral("UJ2"));
        window.OKBtn->click();
        EXPECT_EQ(window.l_hiba->text(), QStringLiteral("A két új jelszó nem egyezik."));
        EXPECT_FALSE(window.woke);
        EXPECT_EQ(storedPassword(kod), before);

        window.e_uj2->setText(QStringLiteral("UJ1"));
        window.OKBtn->click();
        EXPECT_TRUE(window.woke);
        EXPECT_EQ(Td().CurrentUserKod, kod);
        const QString stored = storedPassword(kod);
        EXPECT_TRUE(IsPasswordHash(stored));
        EXPECT_NE(stored, QStringLiteral("UJ1"));
        EXPECT_FALSE(CheckLogin(name, QString(), true).ok());
        const LoginCheck again = CheckLogin(name, QStringLiteral("UJ1"), true);
        EXPECT_TRUE(again.ok());
        EXPECT_FALSE(again.mustSetPassword);
    }
}

TEST_F(LoginTest, FirstPasswordChecks) {
    addUser(QStringLiteral("U3"), QStringLiteral("HARMADIK"), QString(), QStringLiteral("I"));
    EXPECT_EQ(SetFirstPassword(QStringLiteral("U3"), QString(), QString()),
              QStringLiteral("Mindkét új jelszó mezőt ki kell tölteni."));
    EXPECT_EQ(SetFirstPassword(QStringLiteral("U3"), QStringLiteral("a"), QStringLiteral("b")),
              QStringLiteral("A két új jelszó nem egyezik."));
    EXPECT_TRUE(storedPassword(QStringLiteral("U3")).isEmpty());
    EXPECT_TRUE(SetFirstPassword(QStringLiteral("U3"), QStringLiteral("titok"), QStringLiteral("titok")).isEmpty());
    EXPECT_TRUE(PasswordMatches(QStringLiteral("titok"), storedPassword(QStringLiteral("U3"))));
}
