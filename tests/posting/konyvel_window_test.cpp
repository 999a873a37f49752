#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "db/altproc.h"
#include "db/amount_text.h"
#include "db/app_conventions.h"
#include "db/ini.h"
#include "posting/konyvel_window.h"
#include "posting_test_support.h"

namespace {

class KonyvelWindowTest : public PostingTest {
protected:
    // The window on the screen, active, so that the focus moves.
    static void open(QWidget& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        QApplication::processEvents();
    }
    static void key(QWidget* w, int key, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(w, &press);
    }
    // Types the text into the field and leaves it with Enter.
    static void enter(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->setText(text);
        key(e, Qt::Key_Return);
    }
    // Types the text key by key, as a user does.
    static void type(QLineEdit* e, const QString& text) {
        for (const QChar ch : text) key(e, 0, QString(ch));
    }
    static void press(QPushButton* b) {
        ASSERT_TRUE(b->isEnabled() && b->isVisibleTo(b->window())) << b->objectName().toStdString();
        b->click();
    }
    // The window opened, a new voucher of the journal type dated 2026.03.10,
    // and an item's accounts (the debit one only when given) and amount typed.
    static void keyItem(TKonyvelFm& w, const QString& ntipus, const QString& szla, const QString& eszla,
                        const QString& ertek) {
        open(w);
        press(w.b_ujbiz);
        enter(w.e_ntipus, ntipus);
        enter(w.e_konyvdat, QStringLiteral("2026.03.10"));
        if (!szla.isEmpty()) enter(w.e_szla, szla);
        enter(w.e_eszla, eszla);
        enter(w.e_ertek, ertek);
    }
};

TEST_F(KonyvelWindowTest, OpenedFromTheMenuItBrowses) {
    TKonyvelFm w;
    open(w);
    EXPECT_EQ(w.l_state->text(), QStringLiteral("böngész"));
    EXPECT_EQ(w.l_statesor->text(), QStringLiteral("böngész"));
    EXPECT_TRUE(w.b_ujbiz->isEnabled());
    EXPECT_FALSE(w.p_sorbutton->isEnabled());
    EXPECT_FALSE(w.P_fej->isEnabled());
    EXPECT_EQ(w.e_konyvdat->displayText(), DateToText());
    EXPECT_EQ(w.e_teljkelt->displayText(), EmptyDate);
    // No currencies in the template company; voucher numbers are allocated.
    EXPECT_FALSE(w.e_devizanem->isVisibleTo(&w));
    EXPECT_FALSE(w.L_devizaertek->isVisibleTo(&w));
    EXPECT_FALSE(w.e_arfolyam->isVisibleTo(&w));
    EXPECT_FALSE(w.e_konyvbiz->isEnabled());
    EXPECT_EQ(w.DBGrid1->columnCount(), 7);
    EXPECT_EQ(w.DBGrid1->horizontalHeaderItem(4)->text(), QStringLiteral("Kapcs."));
}

TEST_F(KonyvelWindowTest, KeyingACustomerInvoiceStoresIt) {
    TKonyvelFm w;
    open(w);
    press(w.b_ujbiz);
    EXPECT_EQ(w.l_state->text(), QStringLiteral("Új bizonylat"));
    EXPECT_TRUE(w.e_ntipus->hasFocus());
    enter(w.e_ntipus, QStringLiteral("VE"));
    EXPECT_TRUE(w.e_konyvbiz->hasFocus() || w.e_konyvdat->hasFocus());
    EXPECT_EQ(w.l_ntip->text(), QStringLiteral("Vevő számlák"));
    EXPECT_EQ(w.e_szla->text(), QStringLiteral("311"));
    EXPECT_TRUE(w.cb_afa->isChecked());
    EXPECT_TRUE(w.p_afa->isVisibleTo(&w));
    EXPECT_EQ(w.e_aszla->text(), QStringLiteral("467"));
    EXPECT_FALSE(w.e_bizonylat->isVisibleTo(&w));

    enter(w.e_konyvdat, QStringLiteral("2026.03.10"));
    enter(w.e_szamlaszam, QStringLiteral("123"));
    enter(w.e_eszla, QStringLiteral("911"));
    EXPECT_EQ(w.l_eszla->text(), QStringLiteral("Belföldi termékértékesítés árbevétele"));
    enter(w.e_ertek, QStringLiteral("12700"));
    EXPECT_EQ(w.e_nettoertek->text(), QStringLiteral("10 000"));
    EXPECT_EQ(w.e_afaertek->text(), QStringLiteral("2 700"));
    enter(w.e_aszla, QStringLiteral("467"));
    EXPECT_EQ(w.e_sor65->text(), QStringLiteral("07"));

    press(w.b_rogzit);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    const QList<QVariantMap> rows = ledger();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][QStringLiteral("ERTEK")].toDouble(), 10000.0);
    EXPECT_EQ(rows[1][QStringLiteral("ESZLA")].toString(), QStringLiteral("467"));
    EXPECT_EQ(rows[1][QStringLiteral("TELJKELT")].toString(), QStringLiteral("2026.03.10"));
    // Back to browsing the stored item, shown in the grid; "Új tétel" goes on
    // with the same voucher.
    EXPECT_EQ(w.l_state->text(), QStringLiteral("böngész"));
    EXPECT_EQ(w.DBGrid1->rowCount(), 2);
    EXPECT_EQ(w.e_szla->text(), QStringLiteral("311"));
    EXPECT_EQ(w.e_konyvdat->displayText(), QStringLiteral("2026.03.10"));
    press(w.b_ujtetel);
    EXPECT_EQ(w.e_konyvbiz->text(), rows[0][QStringLiteral("KONYVBIZ")].toString());
    EXPECT_TRUE(w.e_szla->text().isEmpty());
}

TEST_F(KonyvelWindowTest, FaultsAreShownAndTheFocusGoesToTheFirst) {
    Exec(QStringLiteral("update CEG set VANKONYVBIZ = 'N'"));
    db1AfterConnect();
    TKonyvelFm w;
    open(w);
    press(w.b_ujbiz);
    w.e_konyvdat->setText(EmptyDate);
    w.b_rogzit->setFocus();
    press(w.b_rogzit);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), QStringLiteral("Az adatokban az alábbi hibák vannak:\r\r"
                                               "Rossz naplótípus.\rHiányzó könyvelési bizonylatszám.\rHibás könyvelési dátum.\r"));
    EXPECT_TRUE(w.e_ntipus->hasFocus());
    EXPECT_EQ(w.l_state->text(), QStringLiteral("Új bizonylat"));
    EXPECT_TRUE(ledger().isEmpty());
}

TEST_F(KonyvelWindowTest, KeysMoveTheFocusAndAmountsTakeDigits) {
    TKonyvelFm w;
    open(w);
    press(w.b_ujbiz);
    enter(w.e_ntipus, QStringLiteral("BK"));
    w.e_ertek->setFocus();
    w.e_ertek->clear();
    key(w.e_ertek, Qt::Key_1, QStringLiteral("1"));
    key(w.e_ertek, Qt::Key_A, QStringLiteral("a"));
    key(w.e_ertek, Qt::Key_Minus, QStringLiteral("-"));
    key(w.e_ertek, Qt::Key_2, QStringLiteral("2"));
    EXPECT_EQ(w.e_ertek->text(), QStringLiteral("12"));
    key(w.e_ertek, Qt::Key_Up);
    EXPECT_TRUE(w.e_eszla->hasFocus());
    key(w.e_eszla, Qt::Key_Down);
    EXPECT_TRUE(w.e_ertek->hasFocus());

    // Leaving while entering asks first; "Nem" keeps the window.
    answer = 1;
    press(w.b_vissza);
    EXPECT_EQ(questions, QStringList{QStringLiteral("Adatbevitel közben van. Biztos, hogy kilép innen?")});
    EXPECT_TRUE(w.isVisible());
    press(w.b_megsem);
    press(w.b_vissza);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(KonyvelWindowTest, AStoredItemIsShownAndModified) {
    KonyvelForm first;
    startVoucher(first, QStringLiteral("VE"));
    first.f.e_konyvdat = QStringLiteral("2026.03.10");
    first.f.e_eszla = QStringLiteral("911");
    first.f.e_ertek = QStringLiteral("12700");
    first.e_ertekExit();
    ASSERT_TRUE(TetelTarol(first));
    const QVariantMap stored = ledger().first();

    TKonyvelFm w;
    w.form.wntipus = stored[QStringLiteral("NTIPUS")].toString();
    w.form.wkonyvbiz = stored[QStringLiteral("KONYVBIZ")].toString();
    w.form.wsorszam = stored[QStringLiteral("SORSZAM")].toString();
    w.form.wszla = stored[QStringLiteral("SZLA")].toString();
    w.form.weszla = stored[QStringLiteral("ESZLA")].toString();
    open(w);
    EXPECT_EQ(w.l_state->text(), QStringLiteral("módosítás"));
    EXPECT_EQ(w.l_statesor->text(), QStringLiteral("módosítás"));
    EXPECT_EQ(w.DBGrid1->rowCount(), 2);
    EXPECT_EQ(w.e_ntipus->text(), QStringLiteral("VE"));
    EXPECT_EQ(w.e_ertek->text(), QStringLiteral("12 700"));
    EXPECT_EQ(w.e_nettoertek->text(), QStringLiteral("10 000"));
    EXPECT_EQ(w.e_aszla->text(), QStringLiteral("467"));
    EXPECT_TRUE(w.b_rogzit->isEnabled());
    EXPECT_FALSE(w.b_ujbiz->isEnabled());

    enter(w.e_szoveg, QStringLiteral("Javítva"));
    press(w.b_rogzit);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select SZOVEG from TETEL where TART_KOV = ''")).toString(),
              QStringLiteral("Javítva"));
    EXPECT_EQ(w.l_state->text(), QStringLiteral("böngész"));
    EXPECT_EQ(w.e_szoveg->text(), QStringLiteral("Javítva"));
}

TEST_F(KonyvelWindowTest, AmountFieldsTakeWhatABookkeeperTypes) {
    Exec(QStringLiteral("update CEG set VANDEVIZA = 'I'"));
    db1AfterConnect();
    IniSet(QStringLiteral("VANARFOLYAM"), QStringLiteral("I"));
    TKonyvelFm w;
    open(w);
    press(w.b_ujbiz);
    enter(w.e_ntipus, QStringLiteral("VV"));
    struct Case {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {"-1500,5", "-1500,5"}, {"1500,5", "1500,5"},   {"12x700", "12700"},
        {"12 700", "12 700"},   {"1 270,50", "1 270,50"}, {"abc", ""},
    };
    for (QLineEdit* e : {w.e_ertek, w.e_devizaertek, w.e_afaertek, w.e_nettoertek, w.e_arfolyam}) {
        for (const Case& c : cases) {
            e->setFocus();
            e->clear();
            type(e, QString::fromUtf8(c.typed));
            EXPECT_EQ(e->text(), QString::fromUtf8(c.shown)) << e->objectName().toStdString() << " '" << c.typed << "'";
        }
        // A second decimal mark is refused, the amount stays as it was.
        e->clear();
        type(e, QStringLiteral("-1500,5.3"));
        double value = 0;
        EXPECT_TRUE(ParseAmount(e->text(), value)) << e->objectName().toStdString() << " " << e->text().toStdString();
        EXPECT_LT(value, -1500) << e->objectName().toStdString();
        EXPECT_GT(value, -1501) << e->objectName().toStdString();
    }
}

TEST_F(KonyvelWindowTest, TheVatSplitReadsTypedAmounts) {
    TKonyvelFm w;
    open(w);
    press(w.b_ujbiz);
    enter(w.e_ntipus, QStringLiteral("VE"));
    w.e_ertek->setFocus();
    w.e_ertek->clear();
    type(w.e_ertek, QStringLiteral("12 700"));
    key(w.e_ertek, Qt::Key_Return);
    EXPECT_EQ(w.e_nettoertek->text(), QStringLiteral("10 000"));
    EXPECT_EQ(w.e_afaertek->text(), QStringLiteral("2 700"));
}

TEST_F(KonyvelWindowTest, AStoreWithNoAmountNamesTheField) {
    TKonyvelFm w;
    keyItem(w, QStringLiteral("VE"), QString(), QStringLiteral("911"), QStringLiteral("12700"));
    // Text put in by other means than typing is still checked.
    w.e_afaertek->setText(QStringLiteral("27OO"));
    press(w.b_rogzit);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("Hibás ÁFA érték."))) << messages.first().toStdString();
    EXPECT_TRUE(w.e_afaertek->hasFocus());
    EXPECT_TRUE(ledger().isEmpty());
}

// A reversal keyed as "-1 500,5" comes back after the store as it was
// typed, in its field and in the grid, whatever the workstation's decimal
// separator; the amount stored is the one typed.
TEST_F(KonyvelWindowTest, StoredAmountsAreShownAsTyped) {
    const QChar workstation = DecimalSeparator();
    for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
        SCOPED_TRACE(QString(separator).toStdString());
        SetDecimalSeparator(separator);
        Exec(QStringLiteral("delete from TETEL"));
        TKonyvelFm w;
        keyItem(w, QStringLiteral("BK"), QStringLiteral("384"), QStringLiteral("532"), QStringLiteral("-1 500,5"));
        EXPECT_EQ(w.e_ertek->text(), QStringLiteral("-1 500,5"));
        press(w.b_rogzit);
        EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
        const QList<QVariantMap> rows = ledger();
        ASSERT_EQ(rows.size(), 1);
        EXPECT_EQ(rows[0][QStringLiteral("ERTEK")].toDouble(), -1500.5);

        EXPECT_EQ(w.e_ertek->text(), QStringLiteral("-1 500,5"));
        ASSERT_EQ(w.DBGrid1->rowCount(), 1);
        EXPECT_EQ(w.DBGrid1->horizontalHeaderItem(5)->text(), QStringLiteral("Érték"));
        EXPECT_EQ(w.DBGrid1->item(0, 5)->text(), QStringLiteral("-1 500,5"));

        // Stored again unchanged, the amount stays what it was.
        press(w.b_modosit);
        press(w.b_rogzit);
        EXPECT_EQ(ledger().first()[QStringLiteral("ERTEK")].toDouble(), -1500.5);
        w.done(0);
    }
    SetDecimalSeparator(workstation);
}

TEST_F(KonyvelWindowTest, TheExchangeRateLeadsToTheItemNotToTheStore) {
    Exec(QStringLiteral("update CEG set VANDEVIZA = 'I'"));
    db1AfterConnect();
    IniSet(QStringLiteral("VANARFOLYAM"), QStringLiteral("I"));
    TKonyvelFm w;
    open(w);
    press(w.b_ujbiz);
    enter(w.e_ntipus, QStringLiteral("VV"));
    ASSERT_TRUE(w.e_arfolyam->isVisible());
    for (int k : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Tab)}) {
        w.e_arfolyam->setFocus();
        w.e_arfolyam->setText(QStringLiteral("400"));
        key(w.e_arfolyam, k);
        QApplication::processEvents();
        EXPECT_TRUE(w.e_szoveg->hasFocus()) << k;
        EXPECT_TRUE(ledger().isEmpty());
        EXPECT_TRUE(messages.isEmpty()) << k;
    }
}

}  // namespace
