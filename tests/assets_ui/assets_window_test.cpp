#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "../assets/assets_test_support.h"
#include "assets/ecsszamol_window.h"
#include "assets/eszkoz_window.h"
#include "assets/eszkozkarton_window.h"

namespace {

// Where a look at the windows is saved, when asked for.
void grabIfAsked(QWidget* window, const char* name) {
    const QString dir = qEnvironmentVariable("TARVEDO_GRAB_DIR");
    if (!dir.isEmpty()) window->grab().save(dir + u'/' + QString::fromLatin1(name) + QStringLiteral(".png"));
}

class AssetWindowsTest : public AssetsTest {
protected:
    void SetUp() override {
        AssetsTest::SetUp();
        setCompany(QStringLiteral("AKTUALISEV = '2024', ECSHONAP = 6, NYITVA = 'I', VANUGYFEL = 'I'"));
        addAsset(QStringLiteral("2024/00001"), {{QStringLiteral("MEGNEVEZES"), QStringLiteral("Esztergagép")},
                                                {QStringLiteral("SZALLNEV"), QStringLiteral("Gépker Kft.")},
                                                {QStringLiteral("VTSZ"), QStringLiteral("8458")}});
        addMovement(QStringLiteral("2024/00001"), 1, 1200000, 1200000);
        addAsset(QStringLiteral("2024/00002"), {{QStringLiteral("MEGNEVEZES"), QStringLiteral("Targonca")},
                                                {QStringLiteral("SZLA"), QStringLiteral("1421")},
                                                {QStringLiteral("NETTOERT"), 365000.0},
                                                {QStringLiteral("KULCS1"), 20.0}});
    }
};

TEST_F(AssetWindowsTest, RegisterShowsTheListAndStoresTypedAsset) {
    ShowEszkozFm(nullptr, QStringLiteral("Tárgyi eszközök és immateriális javak * 2024"), QRect());
    Teszkozfm* w = EszkozFm(nullptr);
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->dbg_eszkoz->rowCount(), 2);
    EXPECT_EQ(w->l_tetel->text(), QStringLiteral("2"));
    auto* megnevezes = w->findChild<QLineEdit*>(QStringLiteral("e_megnevezes"));
    EXPECT_EQ(megnevezes->text(), QStringLiteral("Esztergagép"));
    EXPECT_FALSE(w->findChild<QLineEdit*>(QStringLiteral("e_belsokod"))->isEnabled());
    EXPECT_FALSE(w->p_kivalaszt->isVisible());
    w->dbg_eszkoz->selectRow(1);
    EXPECT_EQ(megnevezes->text(), QStringLiteral("Targonca"));
    grabIfAsked(w, "eszkozfm");

    // A rate that is no number: a message, the focus stays.
    w->b_uj->click();
    EXPECT_EQ(w->l_state->text(), QStringLiteral("új tétel"));
    auto* kulcs = w->findChild<QLineEdit*>(QStringLiteral("e_kulcs1"));
    kulcs->setText(QStringLiteral("tíz"));
    Q_EMIT kulcs->editingFinished();
    EXPECT_EQ(messages.value(0), QStringLiteral("A leírási kulcs nem szám: tíz"));

    const QList<std::pair<const char*, QString>> typed{
        {"e_kod", QStringLiteral("G-7")},         {"e_szla", QStringLiteral("1311")},
        {"e_megnevezes", QStringLiteral("Prés")}, {"e_szallnev", QStringLiteral("Gépker Kft.")},
        {"e_vtsz", QStringLiteral("8462")},       {"e_beruhazva", QStringLiteral("2024.04.02")},
        {"e_uzembehely", QStringLiteral("2024.04.10")}, {"e_nettoert", QStringLiteral("800000")},
    };
    for (const auto& [name, text] : typed) w->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
    kulcs->setText(QStringLiteral("14,5"));
    Q_EMIT kulcs->editingFinished();
    EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("e_adoev"))->text(), QStringLiteral("7"));
    EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("e_ecsvege"))->text(), QStringLiteral("2031.04.09"));
    EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("e_maradvany"))->text(), QStringLiteral("-12000"));
    w->b_tarol->click();
    EXPECT_EQ(rowsOf(QStringLiteral("select * from ESZKOZ where KOD = 'G-7'")).size(), 1) << messages.join(u'\n').toStdString();
    EXPECT_EQ(w->l_state->text(), QStringLiteral("böngész"));
    EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("e_megnevezes"))->text(), QStringLiteral("Prés"));

    // The card of the new asset.
    w->b_karton->click();
    auto* card = w->findChild<Teszkozkartonfm*>();
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->isVisible());
    EXPECT_EQ(card->dbg_karton->rowCount(), 1);
    EXPECT_EQ(card->l_kod->text(), QStringLiteral("G-7"));
    EXPECT_EQ(card->findChild<QLineEdit*>(QStringLiteral("e_szoveg"))->text(), QStringLiteral("Üzembe helyezés"));
    EXPECT_FALSE(card->p_fej->isEnabled());
    card->b_uj->click();
    EXPECT_TRUE(card->p_fej->isEnabled());
    auto* csok = card->findChild<QLineEdit*>(QStringLiteral("e_bruttocsok"));
    csok->setText(QStringLiteral("200000"));
    Q_EMIT csok->editingFinished();
    EXPECT_EQ(card->findChild<QLineEdit*>(QStringLiteral("e_brutto"))->text(), QStringLiteral("600000"));
    grabIfAsked(card, "eszkozkartonfm");
    card->close();
    w->close();
}

TEST_F(AssetWindowsTest, ClosedYearDisablesNewModifyAndStore) {
    setCompany(QStringLiteral("NYITVA = 'N'"));
    ShowEszkozFm(nullptr, QStringLiteral("Tárgyi eszközök"), QRect());
    Teszkozfm* w = EszkozFm(nullptr);
    EXPECT_FALSE(w->b_uj->isEnabled());
    EXPECT_FALSE(w->b_modosit->isEnabled());
    EXPECT_FALSE(w->b_tarol->isEnabled());
    EXPECT_TRUE(w->b_karton->isEnabled());
    w->close();
}

TEST_F(AssetWindowsTest, DepreciationWindowRunsTheDefaultPeriod) {
    Tecsszamolfm w;
    w.FormShow();
    w.show();
    EXPECT_EQ(w.l_idoszak->text(), QStringLiteral("Nincs"));
    EXPECT_EQ(w.e_datumtol->text(), QStringLiteral("2024.01"));
    EXPECT_EQ(w.e_datumig->text(), QStringLiteral("2024.06"));
    EXPECT_EQ(w.l_ig->text(), QStringLiteral("2024.06.30"));
    w.b_indul->click();
    const QString list = w.Memo1->toPlainText();
    EXPECT_TRUE(list.contains(QStringLiteral("2024/00001      35 178 2024.03.16 Esztergagép"))) << list.toStdString();
    EXPECT_TRUE(list.contains(QStringLiteral("2024/00002      21 400 2024.03.16 Targonca")));
    EXPECT_TRUE(list.contains(QStringLiteral("Osszesen:         56 578")));
    EXPECT_EQ(w.pbar->value(), 2);
    grabIfAsked(&w, "ecsszamolfm");

    w.b_tarolas->click();
    EXPECT_EQ(rowsOf(QStringLiteral("select * from ECS_IDOSZAK")).size(), 1);
    EXPECT_EQ(card(QStringLiteral("2024/00001")).size(), 2);

    // A month that is no date keeps the focus in its edit.
    w.e_datumig->setText(QStringLiteral("2024.13"));
    Q_EMIT w.e_datumig->editingFinished();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Hibás dátum :2024.13.01")});
}

}  // namespace
