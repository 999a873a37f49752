#include <gtest/gtest.h>

#include "assets/eszkoz.h"
#include "assets_test_support.h"
#include "db/altproc.h"
#include "export/export_source.h"
#include "export/store_dataset.h"
#include "support/xlsx_reader.h"

namespace {

TEST(RateRuleTest, YearsEndAndResidualValue) {
    struct Case {
        double kulcs1;
        const char* uzembehely;
        int adoev;
        const char* ecsvege;
        qint64 maradvany;
    };
    const Case cases[] = {
        {33, "2024.03.16", 3, "2027.03.15", 10000},      // 1 % of the value is left
        {14.5, "2024.03.16", 7, "2031.03.15", -15000},   // 6.9 years round to 7: 1.5 % too much
        {10, "2024.03.16", 10, "2034.03.15", 0},
        {100, "2024.01.01", 1, "2024.12.31", 0},
        {25, "2024.02.29", 4, "2028.02.28", 0},          // a leap day to a leap year
        {33, "2024.02.29", 3, "2027.02.28", 10000},      // and to a common year: 1 March less a day
        {10, "", 10, "", 0},                              // no commissioning date yet
    };
    for (const Case& c : cases) {
        const RateResult r = RateRule(c.kulcs1, QString::fromLatin1(c.uzembehely), 1000000);
        EXPECT_EQ(r.adoev, c.adoev) << c.kulcs1;
        EXPECT_EQ(r.ecsvege, QString::fromLatin1(c.ecsvege)) << c.kulcs1 << " " << c.uzembehely;
        EXPECT_EQ(r.maradvany, c.maradvany) << c.kulcs1;
    }
}

TEST(RateNumberTest, ReadsPointOrCommaAndRefusesText) {
    EXPECT_EQ(RateNumber(QStringLiteral("14,5")), 14.5);
    EXPECT_EQ(RateNumber(QStringLiteral(" 33 ")), 33.0);
    EXPECT_EQ(RateNumber(QString()), 0.0);
    EXPECT_FALSE(RateNumber(QStringLiteral("tíz")).has_value());
    EXPECT_FALSE(RateNumber(QStringLiteral("1O")).has_value());
}

class EszkozTest : public AssetsTest {
protected:
    void SetUp() override {
        AssetsTest::SetUp();
        setCompany(QStringLiteral("AKTUALISEV = '2024', VANUGYFEL = 'I', NYITVA = 'I', ECSMOD = 'BLA'"));
    }

    // A new asset typed into the window opened from the menu.
    void typeNewAsset(EszkozForm& form, const QString& megnevezes = QStringLiteral("Szerszámgép")) {
        form.b_ujClick();
        form.p.setText(QStringLiteral("e_kod"), QStringLiteral("G-1"));
        form.p.setText(QStringLiteral("e_szla"), QStringLiteral("131"));
        form.p.setText(QStringLiteral("e_megnevezes"), megnevezes);
        form.p.setText(QStringLiteral("e_szallnev"), QStringLiteral("Gépker Kft."));
        form.p.setText(QStringLiteral("e_vtsz"), QStringLiteral("8458"));
        form.p.setText(QStringLiteral("e_beruhazva"), QStringLiteral("2024.03.10"));
        form.p.setText(QStringLiteral("e_uzembehely"), QStringLiteral("2024.03.16"));
        form.p.setText(QStringLiteral("e_nettoert"), QStringLiteral("1000000"));
        form.p.setText(QStringLiteral("e_kulcs1"), QStringLiteral("33"));
        ASSERT_TRUE(form.e_kulcs1Exit());
    }

    // A posted item on a class-1 account, as the voucher window stores it.
    static void postItem(const QString& sorszam, const QString& szla, double ertek) {
        ExecSql(d_tarvedo,
                QStringLiteral("insert into TETEL (SORSZAM, SZLA, ESZLA, ERTEK, KONYVELVE, TELJKELT, SZLAKELT, NTIPUS, "
                               "KONYVBIZ, BIZONYLAT, SZAMLASZAM, UGYFELKOD, KAPOCS, TART_KOV, SZOVEG) values (:s, :szla, "
                               "'454', :e, '2024.03.20', '2024.03.12', '2024.03.11', 'SZ', '2400007', 'B-77', 'SZ-1', 'GEPGY', 1, "
                               "'', 'Esztergagép')"),
                {{QStringLiteral("s"), sorszam}, {QStringLiteral("szla"), szla}, {QStringLiteral("e"), ertek}});
    }
};

TEST_F(EszkozTest, NewAssetGetsItsNumberAndCommissioning) {
    EszkozForm form;
    form.FormShow();
    EXPECT_TRUE(form.modEnabled);
    typeNewAsset(form);
    EXPECT_EQ(form.p.text(QStringLiteral("e_adoev")), QStringLiteral("3"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_ecsvege")), QStringLiteral("2027.03.15"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_maradvany")), QStringLiteral("10000"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_ecsmod")), QStringLiteral("BLA"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_aktiv")), QStringLiteral("I"));
    ASSERT_TRUE(form.b_tarolClick()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(form.wstate, QStringLiteral("browse"));

    const QList<QVariantMap> assets = rowsOf(QStringLiteral("select * from ESZKOZ"));
    ASSERT_EQ(assets.size(), 1);
    const QString belsokod = assets[0][QStringLiteral("BELSOKOD")].toString();
    EXPECT_EQ(belsokod, QStringLiteral("2024/2400001"));
    EXPECT_EQ(assets[0][QStringLiteral("ADOEV")].toInt(), 3);
    EXPECT_EQ(assets[0][QStringLiteral("KULCS1")].toDouble(), 33);
    EXPECT_EQ(assets[0][QStringLiteral("ECSVEGE")].toString(), QStringLiteral("2027.03.15"));
    EXPECT_EQ(form.rows.size(), 1);
    EXPECT_EQ(form.p.text(QStringLiteral("l_szlanev")).isEmpty(), false);

    const QList<QVariantMap> movements = card(belsokod);
    ASSERT_EQ(movements.size(), 1);
    EXPECT_EQ(movements[0][QStringLiteral("SORSZAM")].toInt(), 1);
    EXPECT_EQ(movements[0][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Üzembe helyezés"));
    EXPECT_EQ(movements[0][QStringLiteral("KELT")].toString(), QStringLiteral("2024.03.16"));
    EXPECT_EQ(movements[0][QStringLiteral("BRUTTO")].toDouble(), 1000000);
    EXPECT_EQ(movements[0][QStringLiteral("NETTOERT")].toDouble(), 1000000);
}

TEST_F(EszkozTest, StoreRulesStopInOrderWithTheirMessages) {
    EszkozForm form;
    form.FormShow();
    struct Case {
        const char* field;
        const char* value;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {"e_megnevezes", "", "Üresen hagyott egy kötelező mezőt: Megnevezés: ", "e_megnevezes"},
        {"e_uzembehely", "", "Üresen hagyott egy kötelező mezőt: Üzembehelyezés kelte: ", "e_uzembehely"},
        {"e_kulcs1", "tíz", "A leírási kulcs nem szám: tíz", "e_kulcs1"},
        {"e_kivezetok", "Eladva", "Ha megadta a kivezetés okát, adja meg a dátumot is!", "e_kivezetve"},
        {"e_aktiv", "X", "Az élő tétel jelzése csak I vagy N lehet.", "e_aktiv"},
    };
    for (const Case& c : cases) {
        typeNewAsset(form);
        form.p.setText(QString::fromLatin1(c.field), QString::fromUtf8(c.value));
        messages.clear();
        EXPECT_FALSE(form.b_tarolClick()) << c.field;
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(form.focus, QString::fromLatin1(c.focus));
    }
    EXPECT_TRUE(rowsOf(QStringLiteral("select * from ESZKOZ")).isEmpty());
    EXPECT_TRUE(rowsOf(QStringLiteral("select * from ESZKOZKARTON")).isEmpty());

    // Leaving a rate that is no number keeps the focus there too.
    messages.clear();
    form.p.setText(QStringLiteral("e_kulcs1"), QStringLiteral("abc"));
    EXPECT_FALSE(form.e_kulcs1Exit());
    EXPECT_EQ(form.focus, QStringLiteral("e_kulcs1"));

    // A commissioning in a period already depreciated asks first.
    Exec(QStringLiteral("insert into ECS_IDOSZAK (DATUMTOL, DATUMIG, KELTE, ECSHONAP, ECS) values ('2024.01', '2024.06', "
                        "'2024.07.10', 6, 1)"));
    typeNewAsset(form);
    answer = 1;
    EXPECT_FALSE(form.b_tarolClick());
    EXPECT_EQ(questions.value(0), QStringLiteral("Az üzembehelyezés olyan időszakra esik, amire már volt értékcsökkenés "
                                                 "elszámolás!\rFolytatja?"));
    EXPECT_TRUE(rowsOf(QStringLiteral("select * from ESZKOZ")).isEmpty());
}

TEST_F(EszkozTest, WithdrawalWritesOneMovement) {
    addAsset(QStringLiteral("2024/00001"), {{QStringLiteral("SZALLNEV"), QStringLiteral("Gépker")},
                                            {QStringLiteral("VTSZ"), QStringLiteral("8458")}});
    addMovement(QStringLiteral("2024/00001"), 1, 1200000, 1200000);
    EszkozForm form;
    form.cb_aktiv = false;
    form.FormShow();
    ASSERT_EQ(form.rows.size(), 1);
    form.b_modositClick();
    form.p.setText(QStringLiteral("e_kivezetve"), QStringLiteral("2024.11.30"));
    form.p.setText(QStringLiteral("e_kivezetok"), QStringLiteral("Eladva"));
    ASSERT_TRUE(form.b_tarolClick()) << messages.join(u'\n').toStdString();

    const QList<QVariantMap> asset = rowsOf(QStringLiteral("select AKTIV, KIVEZETVE from ESZKOZ"));
    EXPECT_EQ(asset[0][QStringLiteral("AKTIV")].toString(), QStringLiteral("N"));
    EXPECT_EQ(asset[0][QStringLiteral("KIVEZETVE")].toString(), QStringLiteral("2024.11.30"));
    QList<QVariantMap> movements = card(QStringLiteral("2024/00001"));
    ASSERT_EQ(movements.size(), 2);
    EXPECT_EQ(movements[1][QStringLiteral("SORSZAM")].toInt(), 2);
    EXPECT_EQ(movements[1][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Értékesítés / Megsemmisítés"));
    EXPECT_EQ(movements[1][QStringLiteral("KELT")].toString(), QStringLiteral("2024.11.30"));
    EXPECT_EQ(movements[1][QStringLiteral("BRUTTOCSOK")].toDouble(), 1200000);
    EXPECT_EQ(movements[1][QStringLiteral("BRUTTO")].toDouble(), 0);
    EXPECT_EQ(movements[1][QStringLiteral("NETTOERT")].toDouble(), 0);

    // Stored again from browsing (confirmed): no second withdrawal.
    form.p.setText(QStringLiteral("e_megnevezes"), QStringLiteral("Eladott gép"));
    ASSERT_TRUE(form.b_tarolClick());
    EXPECT_EQ(questions.last(), QStringLiteral("Biztos, hogy tárolni akarja a változásokat?"));
    EXPECT_EQ(card(QStringLiteral("2024/00001")).size(), 2);
    EXPECT_EQ(rowsOf(QStringLiteral("select MEGNEVEZES from ESZKOZ"))[0][QStringLiteral("MEGNEVEZES")].toString(),
              QStringLiteral("Eladott gép"));
}

TEST_F(EszkozTest, NewAssetFromAPostedItem) {
    postItem(QStringLiteral("2400011"), QStringLiteral("131"), 1000000);
    Exec(QStringLiteral("insert into UGYFEL (KOD, NEV) values ('GEPGY', 'Szerszámgépgyár Zrt.')"));
    EszkozForm form;
    form.wntipus = QStringLiteral("SZ");
    form.wkonyvbiz = QStringLiteral("2400007");
    form.FormShow();
    EXPECT_EQ(questions, QStringList{QStringLiteral("Új tárgyi eszköz?")});
    EXPECT_EQ(form.wstate, QStringLiteral("insert"));
    EXPECT_FALSE(form.p_keresEnabled);
    EXPECT_EQ(form.p.text(QStringLiteral("e_szla")), QStringLiteral("131"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_beruhazva")), QStringLiteral("2024.03.11"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_nettoert")), QStringLiteral("1000000"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_tetelsorszam")), QStringLiteral("2400011"));
    EXPECT_EQ(form.p.text(QStringLiteral("e_szallnev")), QStringLiteral("Szerszámgépgyár Zrt."));
    form.p.setText(QStringLiteral("e_megnevezes"), QStringLiteral("Esztergagép"));
    form.p.setText(QStringLiteral("e_vtsz"), QStringLiteral("8458"));
    form.p.setText(QStringLiteral("e_uzembehely"), QStringLiteral("2024.03.20"));
    ASSERT_TRUE(form.b_tarolClick()) << messages.join(u'\n').toStdString();

    const QList<QVariantMap> assets = rowsOf(QStringLiteral("select * from ESZKOZ"));
    ASSERT_EQ(assets.size(), 1);
    EXPECT_EQ(assets[0][QStringLiteral("TETELSORSZAM")].toString(), QStringLiteral("2400011"));
    const QList<QVariantMap> movements = card(assets[0][QStringLiteral("BELSOKOD")].toString());
    ASSERT_EQ(movements.size(), 1);
    EXPECT_EQ(movements[0][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Üzembe helyezés"));
    EXPECT_EQ(movements[0][QStringLiteral("BIZONYLAT")].toString(), QStringLiteral("B-77"));
    EXPECT_EQ(movements[0][QStringLiteral("BRUTTONOV")].toDouble(), 1000000);
    EXPECT_EQ(movements[0][QStringLiteral("BRUTTO")].toDouble(), 1000000);
    EXPECT_EQ(movements[0][QStringLiteral("NETTOERT")].toDouble(), 1000000);
    EXPECT_EQ(form.rows.size(), 1);

    // Opened again for the same voucher: its asset is there to be updated.
    EszkozForm again;
    again.wntipus = QStringLiteral("SZ");
    again.wkonyvbiz = QStringLiteral("2400007");
    again.FormShow();
    EXPECT_EQ(again.wstate, QStringLiteral("update"));
    EXPECT_EQ(again.rows.size(), 1);
}

TEST_F(EszkozTest, PostedItemIncreasesAChosenAsset) {
    addAsset(QStringLiteral("2024/00001"), {{QStringLiteral("SZLA"), QStringLiteral("131")},
                                            {QStringLiteral("SZALLNEV"), QStringLiteral("Gépker")},
                                            {QStringLiteral("VTSZ"), QStringLiteral("8458")}});
    addMovement(QStringLiteral("2024/00001"), 1, 1200000, 1100000);
    addAsset(QStringLiteral("2024/00002"), {{QStringLiteral("SZLA"), QStringLiteral("141")}});
    postItem(QStringLiteral("2400012"), QStringLiteral("131"), 50000);
    EszkozForm form;
    form.wntipus = QStringLiteral("SZ");
    form.wkonyvbiz = QStringLiteral("2400007");
    answer = 1;  // not a new asset: choose one
    form.FormShow();
    EXPECT_TRUE(form.b_kivalasztVisible);
    ASSERT_EQ(form.rows.size(), 1);  // the accounts containing "13"
    form.b_kivalasztClick();
    EXPECT_EQ(form.p.text(QStringLiteral("e_beruhazva")), QStringLiteral("2024.03.12"));
    answer = 0;
    ASSERT_TRUE(form.b_tarolClick()) << messages.join(u'\n').toStdString();

    EXPECT_EQ(rowsOf(QStringLiteral("select * from ESZKOZ")).size(), 2);
    const QList<QVariantMap> movements = card(QStringLiteral("2024/00001"));
    ASSERT_EQ(movements.size(), 2);
    EXPECT_EQ(movements[1][QStringLiteral("SORSZAM")].toInt(), 2);
    EXPECT_EQ(movements[1][QStringLiteral("KELT")].toString(), QStringLiteral("2024.03.12"));
    EXPECT_EQ(movements[1][QStringLiteral("SZOVEG")].toString(), QStringLiteral("Esztergagép"));
    EXPECT_EQ(movements[1][QStringLiteral("BRUTTONOV")].toDouble(), 50000);
    EXPECT_EQ(movements[1][QStringLiteral("BRUTTO")].toDouble(), 1250000);
    EXPECT_EQ(movements[1][QStringLiteral("NETTOERT")].toDouble(), 1150000);
}

TEST_F(EszkozTest, SearchBindsWhatIsTyped) {
    addAsset(QStringLiteral("2024/00001"), {{QStringLiteral("MEGNEVEZES"), QStringLiteral("O'Brien présgép")},
                                            {QStringLiteral("BERUHAZVA"), QStringLiteral("2024.02.01")}});
    addAsset(QStringLiteral("2024/00002"), {{QStringLiteral("MEGNEVEZES"), QStringLiteral("Targonca")},
                                            {QStringLiteral("BERUHAZVA"), QStringLiteral("2024.05.01")}});
    addAsset(QStringLiteral("2024/00003"), {{QStringLiteral("MEGNEVEZES"), QStringLiteral("Régi targonca")},
                                            {QStringLiteral("AKTIV"), QStringLiteral("N")}});
    EszkozForm form;
    form.FormShow();
    EXPECT_EQ(form.rows.size(), 2);  // the live ones

    struct Case {
        const char* field;
        const char* value;
        bool live;
        QStringList found;
    };
    const Case cases[] = {
        {"e_megnevezes", "o'brien", true, {QStringLiteral("2024/00001")}},
        {"e_megnevezes", "TARGONCA", true, {QStringLiteral("2024/00002")}},
        {"e_megnevezes", "targonca", false, {QStringLiteral("2024/00002"), QStringLiteral("2024/00003")}},
        {"e_beruhazva", "2024.03.01", true, {QStringLiteral("2024/00002")}},
        {"e_beruhazva_ig", "2024.03.01", true, {QStringLiteral("2024/00001")}},
        {"e_nettoert", "1200000", true, {QStringLiteral("2024/00001"), QStringLiteral("2024/00002")}},
        {"e_adoev", "7", true, {}},
    };
    for (const Case& c : cases) {
        form.b_torolClick();
        form.cb_aktiv = c.live;
        form.cb_keresClick(true);
        form.p.setText(QString::fromLatin1(c.field), QString::fromUtf8(c.value));
        form.b_frissitClick();
        QStringList found;
        for (const QSqlRecord& row : form.rows) found << row.value(QStringLiteral("BELSOKOD")).toString();
        found.sort();
        EXPECT_EQ(found, c.found) << c.field << " " << c.value;
        EXPECT_FALSE(form.cb_keres);
    }
    form.b_frissitClick();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Nincs keresési módban!")});

    form.SortBy(QStringLiteral("MEGNEVEZES"));
    EXPECT_TRUE(form.listSql.contains(QStringLiteral("Order By MEGNEVEZES")));
}

TEST_F(EszkozTest, ClosedYearDisablesEditing) {
    setCompany(QStringLiteral("NYITVA = 'N'"));
    EszkozForm form;
    form.FormShow();
    EXPECT_FALSE(form.modEnabled);
}

TEST_F(EszkozTest, InfoLabelReadsTheRowsValue) {
    addAsset(QStringLiteral("2024/00001"));
    EszkozForm form;
    form.FormShow();
    ASSERT_EQ(form.rows.size(), 1);
    EXPECT_EQ(InfoLabel(QStringLiteral("SZ_ECSMOD.NEV,KOD=ECSMOD"), form.currentRow()),
              rowsOf(QStringLiteral("select NEV from SZ_ECSMOD where KOD = 'BLA'"))[0][QStringLiteral("NEV")].toString());
    EXPECT_FALSE(InfoLabel(QStringLiteral("SZ_ECSMOD NEV"), form.currentRow()).has_value());
    EXPECT_EQ(form.p.text(QStringLiteral("l_ecsmod")), *InfoLabel(QStringLiteral("SZ_ECSMOD.NEV,KOD=ECSMOD"), form.currentRow()));
}

TEST_F(EszkozTest, ListGoesToTheSheetEszkoz) {
    addAsset(QStringLiteral("2024/00001"), {{QStringLiteral("MEGNEVEZES"), QStringLiteral("Esztergagép")}});
    addAsset(QStringLiteral("2024/00002"), {{QStringLiteral("MEGNEVEZES"), QStringLiteral("Targonca")}});
    EszkozForm form;
    form.FormShow();
    const QString file = db.dir() + QStringLiteral("/eszkoz.xlsx");
    QString chosen;
    ASSERT_TRUE(StoreDataSet(*form.ListForExport(), file, QString(), chosen));
    const XlsxWorkbook book(file);
    ASSERT_EQ(book.sheetNames(), QStringList{QStringLiteral("Eszköz")});
    const XlsxSheet sheet = book.sheet(QStringLiteral("Eszköz"));
    EXPECT_EQ(sheet.value(QStringLiteral("A1")), QStringLiteral("BELSOKOD"));
    EXPECT_EQ(sheet.value(QStringLiteral("A3")), QStringLiteral("2024/00002"));
    EXPECT_EQ(sheet.lastRow, 4);  // captions, two assets, the totals
}

}  // namespace
