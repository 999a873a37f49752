#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>

#include "export/ask_file_name.h"
#include "posting/konyvel_window.h"
#include "posting/konyvkeres_window.h"
#include "posting_test_support.h"

namespace {

class KonyvkeresWindowTest : public PostingTest {
protected:
    void SetUp() override {
        PostingTest::SetUp();
        item("2600001", "BK", "2026.01.15", 1500, "384", "311");
        item("2600002", "VE", "2026.01.15", -200, "911", "311");
        item("2600003", "VE", "2026.02.01", 12700, "311", "911");
        item("2600004", "BK", "2026.03.01", 500, "532", "384");
    }
    static void item(const char* sorszam, const char* ntipus, const char* teljkelt, double ertek, const char* szla,
                     const char* eszla) {
        ExecSql(d_tarvedo,
                QStringLiteral("insert into TETEL (SORSZAM, NTIPUS, KONYVBIZ, TELJKELT, ERTEK, SZOVEG, SZLA, ESZLA, KAPOCS, TART_KOV, "
                               "KONYVELVE, BIZKELT) values (:S, :N, :S, :T, :E, 'Tétel', :D, :C, '001', '', :T, :T)"),
                {{QStringLiteral("S"), QString::fromLatin1(sorszam)}, {QStringLiteral("N"), QString::fromLatin1(ntipus)},
                 {QStringLiteral("T"), QString::fromLatin1(teljkelt)}, {QStringLiteral("E"), ertek},
                 {QStringLiteral("D"), QString::fromLatin1(szla)}, {QStringLiteral("C"), QString::fromLatin1(eszla)}});
    }
    static void open(QWidget& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        QApplication::processEvents();
    }
    static void leave(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->setText(text);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(e, &press);
    }
    static QStringList listed(Tkonyvkeresfm& w) {
        auto* model = qobject_cast<QSqlQueryModel*>(w.DBGrid1->model());
        QStringList serials;
        for (int r = 0; r < model->rowCount(); ++r) serials << model->record(r).value(QStringLiteral("SORSZAM")).toString();
        return serials;
    }
    static int section(Tkonyvkeresfm& w, const QString& title) {
        for (int c = 0; c < w.DBGrid1->model()->columnCount(); ++c)
            if (w.DBGrid1->model()->headerData(c, Qt::Horizontal).toString() == title) return c;
        return -1;
    }
};

TEST_F(KonyvkeresWindowTest, OpensClearedAndListsByFulfilmentDate) {
    Tkonyvkeresfm w;
    open(w);
    EXPECT_TRUE(w.e_ertek_tol->text().isEmpty());
    EXPECT_TRUE(w.e_ertek_ig->text().isEmpty());
    EXPECT_EQ(w.l_fokszlatol->text(), QStringLiteral("Nincs megadva"));
    EXPECT_TRUE(w.b_modosit->isEnabled());
    EXPECT_TRUE(w.e_ugyfelkod->isVisibleTo(&w));

    w.b_frissit->click();
    EXPECT_EQ(listed(w), (QStringList{"2600001", "2600002", "2600003", "2600004"}));  // the negative amount too
    EXPECT_EQ(w.l_db->text(), QStringLiteral("4 tétel"));
    const int first = w.DBGrid1->horizontalHeader()->logicalIndex(0);
    EXPECT_EQ(w.DBGrid1->model()->headerData(first, Qt::Horizontal).toString(), QStringLiteral("N."));

    // A title click sorts; a new search restores the order.
    w.DBGrid1->horizontalHeader()->sectionClicked(section(w, QStringLiteral("Összeg")));
    EXPECT_EQ(w.search().sql.last(), QStringLiteral("Order By ERTEK"));
    EXPECT_EQ(listed(w), (QStringList{"2600002", "2600004", "2600001", "2600003"}));
    w.b_frissit->click();
    EXPECT_EQ(w.search().sql.last(), QStringLiteral("order by TELJKELT,SORSZAM"));
}

// A voucher of several items, one of them a reversal: the search by its
// number lists every item, and the list shows the amounts as typed.
TEST_F(KonyvkeresWindowTest, AVoucherIsListedWithItsNegativeItem) {
    item("2600011", "BK", "2026.04.02", 67500, "532", "384");
    item("2600012", "BK", "2026.04.02", -1500.5, "384", "532");
    item("2600013", "BK", "2026.04.02", 1234567.25, "532", "384");
    Exec(QStringLiteral("update TETEL set KONYVBIZ = '2600077' where SORSZAM starting '260001'"));
    Tkonyvkeresfm w;
    open(w);
    w.e_konyvbiz->setText(QStringLiteral("2600077"));
    w.b_frissit->click();
    EXPECT_EQ(listed(w), (QStringList{"2600011", "2600012", "2600013"}));
    EXPECT_EQ(w.l_db->text(), QStringLiteral("3 tétel"));

    const int ertek = section(w, QStringLiteral("Összeg"));
    auto* delegate = qobject_cast<QStyledItemDelegate*>(w.DBGrid1->itemDelegateForColumn(ertek));
    ASSERT_NE(delegate, nullptr);
    QStringList shown;
    for (int r = 0; r < 3; ++r)
        shown << delegate->displayText(w.DBGrid1->model()->index(r, ertek).data(), QLocale());
    EXPECT_EQ(shown, (QStringList{"67 500", "-1 500,5", "1 234 567,25"}));

    // Bounds typed as a bookkeeper types them compare as numbers.
    w.e_ertek_tol->setText(QStringLiteral("-1 500,5"));
    w.e_ertek_ig->setText(QStringLiteral("67 500"));
    w.b_frissit->click();
    EXPECT_EQ(listed(w), (QStringList{"2600011", "2600012"}));
}

TEST_F(KonyvkeresWindowTest, CriteriaLookupsAndBounds) {
    Tkonyvkeresfm w;
    open(w);
    leave(w.e_ntipus, QStringLiteral("bk"));
    EXPECT_EQ(w.e_ntipus->text(), QStringLiteral("BK"));
    EXPECT_EQ(w.l_ntip->text(), QStringLiteral("Bank"));
    leave(w.e_szla_tol, QStringLiteral("384"));
    EXPECT_EQ(w.l_fokszlatol->text(), QStringLiteral("Elszámolási betétszámla"));
    leave(w.e_szla_tol, QString());
    EXPECT_EQ(w.l_fokszlatol->text(), QStringLiteral("Nincs megadva"));
    w.e_ertek_tol->setText(QStringLiteral("1000"));
    w.b_frissit->click();
    EXPECT_EQ(listed(w), QStringList{"2600001"});
}

TEST_F(KonyvkeresWindowTest, AFaultyCriterionRunsNoSearch) {
    Tkonyvkeresfm w;
    open(w);
    const QStringList before = listed(w);
    w.e_ertek_tol->setText(QStringLiteral("abc"));
    w.b_frissit->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), QStringLiteral("Hibás összeghatár: abc"));
    EXPECT_EQ(listed(w), before);

    messages.clear();
    w.e_ertek_tol->setText(QStringLiteral("1000"));
    w.e_teljkelt_tol->setText(QStringLiteral("2025.02.30"));
    w.b_frissit->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), QStringLiteral("Hibás dátum: 2025.02.30"));
    EXPECT_EQ(listed(w), before);
}

TEST_F(KonyvkeresWindowTest, NothingToModifyWithoutAList) {
    Tkonyvkeresfm w;
    open(w);
    w.b_modosit->click();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Nincs tétel kiválasztva")});
}

TEST_F(KonyvkeresWindowTest, AClosedYearIsSearchedButNotModified) {
    Exec(QStringLiteral("update CEG set NYITVA = 'N', VANUGYFEL = 'N'"));
    db1AfterConnect();
    Tkonyvkeresfm w;
    open(w);
    EXPECT_FALSE(w.b_modosit->isEnabled());
    EXPECT_FALSE(w.e_ugyfelkod->isVisibleTo(&w));
    w.b_frissit->click();
    EXPECT_EQ(listed(w).size(), 4);
}

TEST_F(KonyvkeresWindowTest, TheListIsStoredToAFile) {
    Tkonyvkeresfm w;
    open(w);
    w.e_ntipus->setText(QStringLiteral("VE"));
    w.b_frissit->click();
    const QString file = db.dir() + QStringLiteral("/lista.txt");
    SetSaveDialog([&](SaveDialogState& state) {
        state.fileName = file;
        state.filterIndex = ExportFilterIndex(QStringLiteral(".TXT"));
        return true;
    });
    w.b_tarol->click();
    SetSaveDialog({});
    QFile stored(file);
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(stored.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("2600003")));
    EXPECT_FALSE(text.contains(QStringLiteral("2600001")));
}

TEST_F(KonyvkeresWindowTest, AChosenRowIsModifiedInTheVoucherWindow) {
    Tkonyvkeresfm w;
    open(w);
    w.b_frissit->click();
    w.DBGrid1->selectRow(2);  // 2600003, 311/911
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* voucher = qobject_cast<TKonyvelFm*>(QApplication::activeModalWidget());
        ASSERT_NE(voucher, nullptr);
        shown = true;
        EXPECT_EQ(voucher->windowTitle(), QStringLiteral("Könyvelési tételek módosítása"));
        EXPECT_EQ(voucher->e_ertek->text(), QStringLiteral("12 700"));
        voucher->e_szoveg->setText(QStringLiteral("Módosított"));
        voucher->b_rogzit->click();
        voucher->b_vissza->click();
        if (voucher->isVisible()) voucher->done(0);
    });
    w.b_modosit->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select SZOVEG from TETEL where SORSZAM = '2600003'")).toString(),
              QStringLiteral("Módosított"));
    // An invoice item without VAT keeps its amount.
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select ERTEK from TETEL where SORSZAM = '2600003'")).toDouble(), 12700.0);
    // The list is read again and stands on the row.
    EXPECT_EQ(w.DBGrid1->currentIndex().row(), 2);
}

}  // namespace
