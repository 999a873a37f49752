#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "db/dat.h"
#include "import/adatbeo_window.h"
#include "support/test_db.h"

namespace {

class AdatbeoWindowTest : public CompanyDbTest {
protected:
    QString write(const QStringList& lines) {
        const QString path = db.dir() + QStringLiteral("/tetelek.csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.join(QLatin1Char('\n')).toUtf8());
        return path;
    }
    const QString heading = QStringLiteral(
        "VOUCHER;NTIPUS;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;SZLA;ESZLA;ERTEK;"
        "TART_KOV;AFAKULCS;SOR65;DEVIZANEM;DEVIZAERTEK;ARFOLYAM");
};

TEST_F(AdatbeoWindowTest, TrialShowsTheFaultsThenTheImportStores) {
    Tadatbeofm w;
    w.show();
    QApplication::processEvents();
    EXPECT_GE(w.cb_formatum->count(), 2);

    w.e_fajl->setText(write({heading, QStringLiteral("1;BK;2026.02.01;2026.02.01;;;;;;;Bank;384;999;100;;;;;;")}));
    w.e_fajl->editingFinished();
    EXPECT_EQ(w.cb_formatum->currentData().toString(), QStringLiteral("TETEL_CSV"));
    w.b_proba->click();
    EXPECT_EQ(w.m_eredmeny->toPlainText(), QStringLiteral("2. sor: Hibás követel számlaszám."));
    EXPECT_EQ(w.l_eredmeny->text(), QStringLiteral("1 sorból 1 hibás; semmi sem tárolódott."));

    w.e_fajl->setText(write({heading, QStringLiteral("1;BK;2026.02.01;2026.02.01;;;;;;;Bank;384;311;100;;;;;;")}));
    w.b_proba->click();
    EXPECT_EQ(w.l_eredmeny->text(), QStringLiteral("A fájl hibátlan: 1 sor, 1 bizonylat, 1 tétel. Semmi sem tárolódott."));
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toInt(), 0);
    w.b_atvetel->click();
    EXPECT_EQ(w.l_eredmeny->text(), QStringLiteral("Átvéve: 1 bizonylat, 1 tétel (sorszámok 2600001 - 2600001)."));
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toInt(), 1);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from BEOLOG")).toInt(), 3);

    // The same file again: nothing new, and the window says so.
    w.b_atvetel->click();
    EXPECT_EQ(w.l_eredmeny->text(), QStringLiteral("Nincs új bizonylat: a fájl minden bizonylatát egy korábbi átvétel már tárolta; "
                                                   "semmi sem tárolódott."));
    EXPECT_EQ(w.m_eredmeny->toPlainText(),
              QStringLiteral("Figyelmeztetés: A fájl 1 bizonylatát egy korábbi átvétel már tárolta; ezeket kihagyja."));
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from TETEL")).toInt(), 1);
}

// The file name box reports the end of editing when it loses the focus,
// and closing the window takes the focus away: the window's own handler
// must not run then, on a window already half destroyed.
TEST_F(AdatbeoWindowTest, ClosingWithTheFileNameBeingTypedRunsNoHandler) {
    auto* w = new Tadatbeofm;
    w->show();
    QApplication::setActiveWindow(w);
    w->e_fajl->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), w->e_fajl);
    const int csv = w->cb_formatum->findData(QStringLiteral("TETEL_CSV"));
    ASSERT_GE(csv, 0);
    w->cb_formatum->setCurrentIndex(csv);
    // Typed, not set: the box reports only an edit the user made.
    for (const QChar ch : QStringLiteral("tetelek.xlsx")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w->e_fajl, &press);
    }
    ASSERT_EQ(w->e_fajl->text(), QStringLiteral("tetelek.xlsx"));

    // The handler would pick the spreadsheet format for the typed name.
    bool handled = false;
    QObject observer;
    QObject::connect(w->cb_formatum, &QComboBox::currentIndexChanged, &observer, [&] { handled = true; });
    delete w;
    EXPECT_FALSE(handled);
}

}  // namespace

