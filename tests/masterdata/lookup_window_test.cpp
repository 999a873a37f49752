#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

#include "db/ini.h"
#include "masterdata/generated_panel_window.h"
#include "md_test_support.h"
#include "support/test_db.h"
#include "window_test_support.h"

namespace {

class LookupWindowTest : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec("insert into SZ_DEVIZA (KOD, NEV) values ('AAA', 'Első')");
        Exec("insert into SZ_DEVIZA (KOD, NEV) values ('AAB', 'Második')");
    }
    void TearDown() override {
        DestroyTorzsWindows();
        CompanyDbTest::TearDown();
    }
    static void Shot(TTorzsfm& w, const char* name) {
        const QString dir = qEnvironmentVariable("MD_SHOTS");
        QApplication::processEvents();  // pending layout
        if (!dir.isEmpty()) w.grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }
    static void Key(QWidget* w, int key, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(w, &press);
    }
    UserSide user;
};

TEST_F(LookupWindowTest, ChooseAClearedOrALocatedRow) {
    ASelectedRecord record;
    EXPECT_TRUE(OpenTable("sz_deviza", [&](TTorzsfm& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Választás szótárból * Tábla neve: Devizanemek (SZ_DEVIZA)"));
        EXPECT_EQ(w.e_keres->text(), QStringLiteral("aab"));
        EXPECT_EQ(Shown(w, "E_KOD"), QStringLiteral("AAB"));
        Press(w.b_kivalaszt);
    }, true, &record, {}, "aab"));
    EXPECT_EQ(RekordErtek(record, "NEV"), QStringLiteral("Második"));

    EXPECT_TRUE(OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) { w.aKivalasztasTorlese->trigger(); }, true, &record));
    EXPECT_EQ(record.size(), 2);
    EXPECT_EQ(RekordErtek(record, "KOD"), QString());

    // Back, or the close box: nothing chosen, the record stays.
    record = {TSelectedRecord{"KOD", "VARCHAR", "marad"}};
    EXPECT_FALSE(OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) { w.back(); }, true, &record));
    EXPECT_EQ(RekordErtek(record, "KOD"), QStringLiteral("marad"));

    // Enter in the search box chooses when the setting says so.
    IniSet("ENTER", "I");
    EXPECT_TRUE(OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        EXPECT_TRUE(w.aCsakEnter->isChecked());
        w.e_keres->setText("aaa");
        w.e_keres->returnPressed();
    }, true, &record));
    EXPECT_EQ(RekordErtek(record, "KOD"), QStringLiteral("AAA"));
}

TEST_F(LookupWindowTest, StoringInSelectionModeChoosesTheNewRow) {
    ASelectedRecord record;
    EXPECT_TRUE(OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        Press(w.b_insert);
        Type(w, "E_KOD", "AAC");
        Type(w, "E_NEV", "Harmadik");
        Press(w.b_post);
    }, true, &record));
    EXPECT_EQ(RekordErtek(record, "KOD"), QStringLiteral("AAC"));
    EXPECT_EQ(RekordErtek(record, "NEV"), QStringLiteral("Harmadik"));
}

TEST_F(LookupWindowTest, OneEditorPerTableRowsReadOnlyWhenNeeded) {
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) { EXPECT_EQ(w.l_tetel->text(), QStringLiteral("2 tétel")); },
              false, nullptr, "KOD starting with 'AA'");
    Exec("insert into SZ_DEVIZA (KOD, NEV) values ('AAD', 'Negyedik')");
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        EXPECT_EQ(w.objectName(), QStringLiteral("SZ_DEVIZA_SZ_DEVIZA_Torzsfm"));
        EXPECT_EQ(w.l_tetel->text(), QStringLiteral("2 tétel"));
    }, false, nullptr, " KOD starting with 'AA' ");
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        EXPECT_EQ(w.l_tetel->text(), QStringLiteral("3 tétel"));
        EXPECT_EQ(w.e_keres->text(), QString());
    }, false, nullptr, "KOD starting with 'AA'", "musz_reopen");
    // A filter that already begins with where is used as it stands.
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        EXPECT_EQ(w.ed.q_torzs.value(2), QStringLiteral("where KOD = 'AAA'"));
        EXPECT_EQ(w.l_tetel->text(), QStringLiteral("1 tétel"));
    }, false, nullptr, "where KOD = 'AAA'");
    OpenTable("SZ_DEVIZA,X", [&](TTorzsfm& w) {
        EXPECT_EQ(w.objectName(), QStringLiteral("SZ_DEVIZA_X_Torzsfm"));
        EXPECT_TRUE(w.ed.model.generic);
        EXPECT_EQ(Shown(w, "L_KOD"), QStringLiteral(" KOD"));
    });
    int editors = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) editors += qobject_cast<TTorzsfm*>(w) != nullptr;
    EXPECT_EQ(editors, 2);
}

TEST_F(LookupWindowTest, TablesThatCannotBeOpened) {
    ASelectedRecord record;
    EXPECT_FALSE(TablaValaszt("NINCS_ILYEN", "", "", nullptr, record));
    Exec("update TABLAK set NEZHETI_JOG = 'X' where TABLANEV = 'SZ_DEVIZA'");
    EXPECT_FALSE(TablaValaszt("SZ_DEVIZA", "", "", nullptr, record));
    EXPECT_EQ(user.messages, (QStringList{"Nincs ilyen tábla:NINCS_ILYEN",
                                          "Önnek nincs joga az alábbi táblát megtekinteni:\rDevizanemek"}));
    // Without TABLAK every table opens with full rights.
    Exec("drop table TABLAK");
    OpenTable("SZ_DEVIZA", [&](TTorzsfm& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Törzs karbantartás * Tábla neve: SZ_DEVIZA"));
        EXPECT_TRUE(w.l_readonly->isHidden());
    });
}

TEST_F(LookupWindowTest, LookupButtonFillsTheFieldAndItsInfo) {
    Exec("insert into SZ_TUKOR (SZLA, SZOVEG, KARTON) values ('T1', 'Teszt számla', 'K')");
    Exec("insert into SZ_TUKOR (SZLA, SZOVEG, KARTON) values ('T2', 'Gyűjtő', 'G')");
    Exec("insert into SZ_NTIP (KOD, NEV, SZLA) values ('T', 'Teszt napló', 'T2')");
    OpenTable("SZ_NTIP", [&](TTorzsfm& w) {
        w.CheckBox_barhol->setChecked(false);
        w.e_keres->setText("T");
        EXPECT_EQ(Shown(w, "E_SZLA"), QStringLiteral("T2"));
        auto* button = Child<TParaButton>(*w.dataPanel, "B_SZLA");
        auto* edit = Child<QLineEdit>(*w.dataPanel, "E_SZLA");
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_FALSE(button->isEnabled());  // browsing
        Press(w.b_edit);
        ASSERT_TRUE(button->isEnabled());
        // The accounts open filtered to postable ones, positioned on the field's value.
        WhenEditorShown([&](TTorzsfm& accounts) {
            EXPECT_EQ(accounts.ed.wwhere, QStringLiteral("WHERE KARTON='K'"));
            EXPECT_EQ(accounts.e_keres->text(), QStringLiteral("T2"));
            accounts.e_keres->setText("T1");
            Press(accounts.b_kivalaszt);
        });
        button->click();
        EXPECT_EQ(Shown(w, "E_SZLA"), QStringLiteral("T1"));
        EXPECT_EQ(Shown(w, "PF1_SZLA"), QStringLiteral("Teszt számla"));
        Shot(w, "lookup");
        Press(w.b_post);
        EXPECT_EQ(Shown(w, "PF1_SZLA"), QStringLiteral(" Teszt számla"));
    });
    EXPECT_EQ(One("select SZLA from SZ_NTIP where KOD = 'T'"), QStringLiteral("T1"));
}

TEST_F(LookupWindowTest, PanelKeysLettersAndLeavingChecks) {
    Exec("insert into UGYFEL (KOD, NEV, VEVO) values ('U1', 'Első Kft.', 'I')");
    OpenTable("UGYFEL", [&](TTorzsfm& w) {
        QApplication::setActiveWindow(&w);
        QApplication::processEvents();
        EXPECT_TRUE(w.isActiveWindow());
        Press(w.b_edit);
        auto* kod = Child<QLineEdit>(*w.dataPanel, "E_KOD");
        auto* nev = Child<QLineEdit>(*w.dataPanel, "E_NEV");
        // Letters of the value list cycle the field.
        auto* vevo = Child<TParaButton>(*w.dataPanel, "B_VEVO");
        vevo->click();
        EXPECT_EQ(Shown(w, "E_VEVO"), QStringLiteral("N"));
        vevo->click();
        EXPECT_EQ(Shown(w, "E_VEVO"), QStringLiteral("I"));

        // Upper case while typing; Enter moves on; leaving an empty name tells.
        kod->setFocus();
        kod->setText(QString());
        Key(kod, Qt::Key_A, "a");
        EXPECT_EQ(kod->text(), QStringLiteral("A"));
        Key(kod, Qt::Key_Return);
        EXPECT_TRUE(nev->hasFocus());
        Key(nev, Qt::Key_Up);
        EXPECT_TRUE(kod->hasFocus());
        nev->setFocus();
        QApplication::processEvents();  // the checks of the fields left so far
        EXPECT_EQ(nev->text(), QStringLiteral("Első Kft."));
        EXPECT_TRUE(user.messages.isEmpty());
        nev->setText(QStringLiteral(" "));
        Key(nev, Qt::Key_Down);
        QApplication::processEvents();
        EXPECT_EQ(user.messages, QStringList{QStringLiteral("Kötelező kitölteni.")});
        EXPECT_TRUE(nev->hasFocus());
        nev->setText(QStringLiteral("kovács jános"));
        Key(nev, Qt::Key_Down);
        QApplication::processEvents();
        EXPECT_EQ(nev->text(), QStringLiteral("Kovács János"));
        Shot(w, "ugyfel");
        Press(w.b_cancel);
    });
}

TEST_F(LookupWindowTest, NumberFieldsTakeOnlyNumberCharacters) {
    OpenTable("SZ_ADO", [&](TTorzsfm& w) {
        QApplication::setActiveWindow(&w);
        Press(w.b_edit);
        auto* rate = Child<QLineEdit>(*w.dataPanel, "E_ERTEK");
        rate->setFocus();
        rate->setText(QString());
        for (const char* typed : {"a", "0", ",", "x", "2", "7"}) Key(rate, 0, QString::fromLatin1(typed));
        EXPECT_EQ(rate->text(), QStringLiteral("0,27"));
        Press(w.b_cancel);
    });
}

TEST_F(LookupWindowTest, DateAndFurtherInformationButtons) {
    Exec("insert into UGYFEL (KOD, NEV) values ('U1', 'Első Kft.')");
    // A row without field whose "+" opens the currencies on the field ORSZAG.
    Exec("insert into VEZERLO (MODUL, SORREND, MEGNEVEZES, BUTTON, VALT_, VALT_MEZO) "
         "values ('UGYFEL', 55, 'Deviza:', 'VALT', 'SZ_DEVIZA', 'ORSZAG')");
    OpenTable("UGYFEL", [&](TTorzsfm& w) {
        auto* plus = Child<TParaButton>(*w.dataPanel, "B_55");
        EXPECT_TRUE(plus->isEnabled());  // it only shows something
        Press(w.b_edit);
        Type(w, "E_ORSZAG", "AB");
        WhenEditorShown([&](TTorzsfm& currencies) {
            EXPECT_TRUE(currencies.b_kivalaszt->isHidden());
            EXPECT_EQ(currencies.windowTitle(), QStringLiteral("Törzs karbantartás * Tábla neve: Devizanemek (SZ_DEVIZA)"));
            EXPECT_EQ(Shown(currencies, "E_KOD"), QStringLiteral("AAB"));
            currencies.back();
        });
        plus->click();
        Press(w.b_cancel);

        Press(w.b_insert);
        plus->click();
        EXPECT_EQ(user.messages, QStringList{QStringLiteral("Előbb fejezze be az új felvitelt.")});

        // The date picker writes its date into the field.
        auto* date = Child<TParaButton>(*w.dataPanel, "B_SZULDAT");
        EXPECT_EQ(date->text(), QStringLiteral("Nap"));
        Type(w, "E_SZULDAT", "2001.02.03");
        QTimer::singleShot(0, [] {
            QWidget* picker = QApplication::activeModalWidget();
            ASSERT_NE(picker, nullptr);
            EXPECT_EQ(picker->windowTitle(), QStringLiteral("Dátum kiválasztása"));
            Child<QPushButton>(*picker, "b_torol")->click();
        });
        date->click();
        EXPECT_EQ(Shown(w, "E_SZULDAT"), QString());
        Press(w.b_cancel);
    });
}

}  // namespace
