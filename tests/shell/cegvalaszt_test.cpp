// The company selection window over the registry of the demo's system
// database: entries, address checks, creation from the template, choice.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

#include "shell/cegvalaszt.h"
#include "shell/cegvalaszt_window.h"
#include "shell/first_user_window.h"
#include "shell/password.h"
#include "db/password_hash.h"
#include "shell_test_support.h"

namespace {

class CompanyChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(work.made);
        Td().DbServer = work.companyDb;
        ASSERT_TRUE(DbConnect(d_tarvedosys, work.systemDb));
        // Nobody has logged in: a new company's first user is this one.
        window.registry.askFirstUser = [] {
            return std::optional<NewCompanyUser>(NewCompanyUser{QStringLiteral("ELSO"), QStringLiteral("Első"),
                                                                QString(), HashPassword(QStringLiteral("elso")), QString()});
        };
        window.show();
    }
    QString registered(const QString& kod, const QString& column) {
        return SelectValue(d_tarvedosys, QStringLiteral("select %1 from CEGEK where KOD = :KOD").arg(column),
                           {{QStringLiteral("KOD"), kod}})
            .toString();
    }
    // A new entry typed into the fields.
    void typeNewEntry(const QString& kod, const QString& nev, const QString& dbserver) {
        window.b_uj->click();
        window.e_kod->setText(kod);
        window.e_nev->setText(nev);
        window.e_dbserver->setText(dbserver);
    }
    DemoWorkDir work;
    UserSide user;
    Tcegvalasztfm window;
};

}  // namespace

TEST(CompanyChoiceRules, SuggestedNamesAndAddressKinds) {
    const struct {
        const char* dbServer;
        const char* suggested;
    } names[] = {
        {"C:\\DATA\\X.GDB", "C:\\DATA\\TARVEDO_ABC_2025.GDB"},
        {"SRV:C:\\DATA\\X.GDB", "SRV:C:\\DATA\\TARVEDO_ABC_2025.GDB"},
        {"/data/konyv/x.gdb", "/data/konyv/TARVEDO_ABC_2025.GDB"},
        {"X.GDB", "TARVEDO_ABC_2025.GDB"},
    };
    for (const auto& c : names)
        EXPECT_EQ(SuggestedDbAddress(QString::fromUtf8(c.dbServer), QStringLiteral("ABC"), QStringLiteral("2025")),
                  QString::fromUtf8(c.suggested));

    const struct {
        const char* address;
        bool local;
    } kinds[] = {
        {"\\\\SRV\\konyv\\A.GDB", false}, {"SRV:C:\\DATA\\A.GDB", false}, {"10.0.0.5:/data/a.gdb", false},
        {"C:\\DATA\\A.GDB", true},        {"/data/a.gdb", true},
    };
    for (const auto& c : kinds) EXPECT_EQ(IsLocalDbAddress(QString::fromUtf8(c.address)), c.local) << c.address;
}

TEST_F(CompanyChoiceTest, BrowsesAndStartsANewEntry) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Adatbázis kiválastása"));
    EXPECT_EQ(window.registry.rows.size(), 1);
    EXPECT_EQ(window.e_kod->text(), QStringLiteral("MINTA"));
    EXPECT_EQ(window.e_nev->text(), QStringLiteral("Minta Kft."));
    EXPECT_EQ(window.e_dbserver->text(), work.companyDb);
    EXPECT_EQ(window.l_state->text().trimmed(), QStringLiteral("böngész"));
    EXPECT_FALSE(window.p_fej->isEnabled());
    EXPECT_TRUE(window.b_kivalaszt->isEnabled());
    EXPECT_FALSE(window.b_ok->isEnabled());

    window.b_uj->click();
    EXPECT_TRUE(window.p_fej->isEnabled());
    EXPECT_FALSE(window.b_kivalaszt->isEnabled());
    EXPECT_TRUE(window.b_ok->isEnabled());
    EXPECT_TRUE(window.e_kod->text().isEmpty());
    EXPECT_EQ(window.e_nyitva->text(), QStringLiteral("I"));
    EXPECT_EQ(window.e_aktualisev->text(), QString::number(QDate::currentDate().year()));
    EXPECT_EQ(window.b_gdb->text(), QStringLiteral("Help"));
    EXPECT_EQ(window.l_state->text().trimmed(), QStringLiteral("új tétel"));

    // The typed code proposes the file beside the current database.
    Type(window.e_kod, QStringLiteral("abc"));
    EXPECT_EQ(window.e_kod->text(), QStringLiteral("ABC"));
    Q_EMIT window.e_kod->editingFinished();
    const QString suggested = work.dir + QStringLiteral("/TARVEDO_ABC_") + window.e_aktualisev->text() + QStringLiteral(".GDB");
    EXPECT_EQ(window.e_dbserver->text(), suggested);
    window.e_dbserver->clear();
    window.b_gdb->click();  // "Help" proposes it too
    EXPECT_EQ(window.e_dbserver->text(), suggested);

    window.b_megsem->click();
    EXPECT_EQ(window.e_kod->text(), QStringLiteral("MINTA"));
    EXPECT_FALSE(window.p_fej->isEnabled());

    // "Aktuálisból újat": a new entry starting from the current row.
    window.Aktualisbolujat->trigger();
    EXPECT_EQ(window.registry.wstate, QStringLiteral("insert"));
    EXPECT_EQ(window.e_kod->text(), QStringLiteral("MINTA"));
    EXPECT_EQ(window.e_dbserver->text(), work.companyDb);
    EXPECT_TRUE(window.b_ok->isEnabled());
}

TEST_F(CompanyChoiceTest, NetworkAndServerAddressesAreStoredWithoutAFileCheck) {
    typeNewEntry(QStringLiteral("HALO"), QStringLiteral("Hálózati Kft."), QStringLiteral("\\\\SRV\\konyv\\TARVEDO_HALO_2025.GDB"));
    window.b_ok->click();
    EXPECT_EQ(registered(QStringLiteral("HALO"), QStringLiteral("DBSERVER")), QStringLiteral("\\\\SRV\\konyv\\TARVEDO_HALO_2025.GDB"));
    EXPECT_EQ(registered(QStringLiteral("HALO"), QStringLiteral("NYITVA")), QStringLiteral("I"));
    EXPECT_EQ(window.e_kod->text(), QStringLiteral("HALO"));  // the list stands on the new row
    EXPECT_EQ(window.registry.wstate, QStringLiteral("browse"));

    typeNewEntry(QStringLiteral("SZERVER"), QStringLiteral("Szerver Kft."), QStringLiteral("SRV:C:\\DATA\\TARVEDO_SZERVER_2025.GDB"));
    window.b_ok->click();
    EXPECT_EQ(registered(QStringLiteral("SZERVER"), QStringLiteral("DBSERVER")), QStringLiteral("SRV:C:\\DATA\\TARVEDO_SZERVER_2025.GDB"));
    EXPECT_TRUE(user.questions.isEmpty());
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(window.registry.rows.size(), 3);

    // A changed entry keeps its key.
    window.b_mod->click();
    EXPECT_EQ(window.b_gdb->text(), QStringLiteral("Tallóz"));
    window.e_nev->setText(QStringLiteral("Szerver Zrt."));
    window.b_ok->click();
    EXPECT_EQ(registered(QStringLiteral("SZERVER"), QStringLiteral("NEV")), QStringLiteral("Szerver Zrt."));
}

TEST_F(CompanyChoiceTest, NewLocalDatabaseIsCopiedFromTheTemplateWithItsOwnRecordAndTheCreatorAsUser) {
    // DEMO is logged in: it becomes the new company's first user.
    ASSERT_TRUE(DbConnect(d_tarvedo2, work.companyDb));
    Td().CurrentUserKod = QStringLiteral("DEMO");
    const QString target = work.dir + QStringLiteral("/uj/mappa/TARVEDO_UJ_2026.GDB");
    typeNewEntry(QStringLiteral("UJ"), QStringLiteral("Új Kft."), target);
    window.e_aktualisev->setText(QStringLiteral("2026"));
    user.answers = {1};  // " Nem ": nothing happens
    window.b_ok->click();
    EXPECT_EQ(user.questions, QStringList{QStringLiteral("A megadott adatbázis nem létezik! Létrehozzuk?")});
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(registered(QStringLiteral("UJ"), QStringLiteral("KOD")).isEmpty());
    EXPECT_EQ(window.registry.wstate, QStringLiteral("insert"));
    EXPECT_EQ(window.focusWidget(), window.e_dbserver);

    user.answers = {0};
    window.b_ok->click();
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("Ne felejtse el kitölteni a cég alap adatait és aktualizálni a számlatükröt.")});
    EXPECT_EQ(registered(QStringLiteral("UJ"), QStringLiteral("DBSERVER")), target);

    // The company record is the new company's, and its creator logs in.
    ASSERT_TRUE(DbConnect(d_tarvedo, target));
    EXPECT_EQ(Td().ceg.rows.size(), 1);
    EXPECT_EQ(Td().ceg.text(QStringLiteral("KOD")), QStringLiteral("UJ"));
    EXPECT_EQ(Td().ceg.text(QStringLiteral("NEV")), QStringLiteral("Új Kft."));
    EXPECT_EQ(Td().ceg.text(QStringLiteral("AKTUALISEV")), QStringLiteral("2026"));
    EXPECT_EQ(Td().ceg.text(QStringLiteral("NYITVA")), QStringLiteral("I"));
    EXPECT_TRUE(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TABLAK")).toInt() > 0);
    EXPECT_TRUE(CheckLogin(QStringLiteral("DEMO"), QStringLiteral("demo"), true).ok());
    EXPECT_FALSE(CheckLogin(QStringLiteral("DEMO"), QStringLiteral("rossz"), true).ok());
}

TEST_F(CompanyChoiceTest, WithNobodyLoggedInTheFirstUserIsAskedFor) {
    // Asked but given up: no database and no entry, since nobody could use it.
    window.registry.askFirstUser = [] { return std::optional<NewCompanyUser>(); };
    const QString target = work.dir + QStringLiteral("/TARVEDO_ELSO_2026.GDB");
    typeNewEntry(QStringLiteral("ELSO"), QStringLiteral("Első Bt."), target);
    user.answers = {0};
    window.b_ok->click();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(registered(QStringLiteral("ELSO"), QStringLiteral("KOD")).isEmpty());
    EXPECT_EQ(user.messages.last(), QStringLiteral("Az új cégnek legalább egy felhasználó kell: a létrehozás elmaradt."));

    // The dialog's checks, then the user typed there logs in.
    TFirstUserFm dialog;
    dialog.e_kod->setText(QStringLiteral("anna"));
    dialog.e_nev->setText(QStringLiteral("Anna"));
    dialog.e_jelszo->setText(QStringLiteral("titok1"));
    dialog.e_jelszo2->setText(QStringLiteral("titok2"));
    dialog.b_ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.l_hiba->text(), QStringLiteral("A két új jelszó nem egyezik."));
    dialog.e_jelszo2->setText(QStringLiteral("titok1"));
    dialog.b_ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const NewCompanyUser anna = dialog.user();
    EXPECT_EQ(anna.kod, QStringLiteral("ANNA"));
    EXPECT_NE(anna.passwordHash, QStringLiteral("titok1"));

    window.registry.askFirstUser = [anna] { return std::optional<NewCompanyUser>(anna); };
    user.answers = {0};
    window.b_ok->click();
    ASSERT_TRUE(QFile::exists(target));
    ASSERT_TRUE(DbConnect(d_tarvedo, target));
    EXPECT_EQ(Td().ceg.text(QStringLiteral("KOD")), QStringLiteral("ELSO"));
    EXPECT_TRUE(CheckLogin(QStringLiteral("Anna"), QStringLiteral("titok1"), true).ok());
}

TEST_F(CompanyChoiceTest, MissingTemplateIsReported) {
    const QString elsewhere = work.dir + QStringLiteral("/mashol/");
    QDir().mkpath(elsewhere);
    Td().DbServer = elsewhere + QStringLiteral("TARVEDO_X_2025.GDB");
    typeNewEntry(QStringLiteral("NINCS"), QStringLiteral("Nincs Kft."), work.dir + QStringLiteral("/TARVEDO_NINCS_2025.GDB"));
    user.answers = {0};
    window.b_ok->click();
    EXPECT_EQ(user.messages,
              (QStringList{QStringLiteral("A minta adatbázis (") + elsewhere + QStringLiteral("TARVEDO_URES.GDB) nem található!"),
                           QStringLiteral("A megadott új adatbázist nem sikerült létrehozni!")}));
    EXPECT_TRUE(registered(QStringLiteral("NINCS"), QStringLiteral("KOD")).isEmpty());
    EXPECT_EQ(window.registry.wstate, QStringLiteral("insert"));
}

TEST_F(CompanyChoiceTest, EntryChecks) {
    const struct {
        const char* kod;
        const char* nev;
        const char* dbserver;
        const char* nyitva;
        bool update;
        const char* message;
        const char* focus;
    } cases[] = {
        {"ABC", "Abc Kft.", "", "I", false, "Nem adott meg adatbázis nevet. ", "e_dbserver"},
        // The program alone writes e_nyitva: it cannot take the focus.
        {"ABC", "Abc Kft.", "\\\\S\\a.gdb", "", false, "A \"Nyitva\" I vagy N lehet.", nullptr},
        {"ABC", "Abc Kft.", "\\\\S\\a.gdb", "X", false, "A \"Nyitva\" I vagy N lehet.", nullptr},
        {"", "Abc Kft.", "\\\\S\\a.gdb", "I", false, "Kitöltendő mezőt üresen hagyott : KOD;", "e_kod"},
        {"MINTA", "Minta Kft.", "/nincs/ilyen/A.GDB", "I", true, "A megadott adatbázis nem létezik!", "e_dbserver"},
    };
    for (const auto& c : cases) {
        user.messages.clear();
        if (c.update)
            window.b_mod->click();
        else
            window.b_uj->click();
        window.e_kod->setText(QString::fromUtf8(c.kod));
        window.e_nev->setText(QString::fromUtf8(c.nev));
        window.e_dbserver->setText(QString::fromUtf8(c.dbserver));
        window.e_nyitva->setText(QString::fromUtf8(c.nyitva));
        window.b_ok->click();
        EXPECT_EQ(user.messages, QStringList{QString::fromUtf8(c.message)});
        if (c.focus) {
            EXPECT_EQ(window.focusWidget() ? window.focusWidget()->objectName() : QString(), QString::fromUtf8(c.focus))
                << c.message;
        }
        EXPECT_NE(window.registry.wstate, QStringLiteral("browse"));
        window.b_megsem->click();
    }
    EXPECT_EQ(registered(QStringLiteral("MINTA"), QStringLiteral("DBSERVER")), work.companyDb);
}

TEST_F(CompanyChoiceTest, OnlyOpenCompaniesAndChoosing) {
    work.exec(work.systemDb,
              QStringLiteral("insert into CEGEK (KOD, AKTUALISEV, NEV, DBSERVER, NYITVA) values ('ZART', '2023', 'Zárt Bt.', :DB, 'N')"),
              {{QStringLiteral("DB"), work.file(QStringLiteral("TARVEDO_ZART_2023.GDB"))}});
    window.hide();
    window.registry.isOpen = false;  // the row came from elsewhere: read the list again
    window.show();
    EXPECT_EQ(window.registry.rows.size(), 2);
    window.move(3);
    EXPECT_EQ(window.e_kod->text(), QStringLiteral("ZART"));

    // Its file is missing: choosing offers the creation; " Nem " keeps the window open.
    user.answers = {1};
    window.b_kivalaszt->click();
    EXPECT_EQ(user.questions, QStringList{QStringLiteral("A megadott adatbázis nem létezik! Létrehozzuk?")});
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.registry.walasztott);

    window.Csakanyitottak->trigger();
    EXPECT_EQ(window.registry.rows.size(), 1);
    EXPECT_EQ(window.e_kod->text(), QStringLiteral("MINTA"));
    window.Mindenceglatszik->trigger();
    EXPECT_EQ(window.registry.rows.size(), 2);

    // In an entry state nothing is chosen (the window disables the ways to it too).
    window.b_uj->click();
    EXPECT_FALSE(window.b_kivalaszt->isEnabled());
    EXPECT_FALSE(window.registry.choose(window.e_dbserver->text()));
    EXPECT_EQ(user.messages.last(), QStringLiteral("Adatbeviteli módban van. Tárolja le, vagy dobja el!"));
    window.b_megsem->click();

    // The next show starts without a choice; an existing file closes the window.
    window.hide();
    window.show();
    EXPECT_FALSE(window.registry.walasztott);
    EXPECT_EQ(window.e_kod->text(), QStringLiteral("MINTA"));
    window.b_kivalaszt->click();
    EXPECT_TRUE(window.registry.walasztott);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.chosen().dbserver, work.companyDb);
    EXPECT_EQ(window.chosen().nev, QStringLiteral("Minta Kft."));
}
