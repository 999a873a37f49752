#include <gtest/gtest.h>

#include "masterdata/lookup.h"
#include "md_test_support.h"
#include "support/test_db.h"

namespace {

class LookupTest : public CompanyDbTest {
protected:
    UserSide user;
};

TEST_F(LookupTest, ChosenRecordIsReadByName) {
    Exec("insert into SZ_ADO (KOD, NEV, ERTEK) values ('T7', '27 %', 0.27)");
    ASelectedRecord record;
    EXPECT_EQ(RekordErtek(record, "kod"), QString());
    EXPECT_EQ(RekordIndex(record, "KOD"), -1);

    ASSERT_TRUE(ErtekVan("T7", "SZ_ADO", "KOD", true, record));
    EXPECT_EQ(record.size(), 4);
    EXPECT_EQ(record[2].nev, QStringLiteral("ERTEK"));
    EXPECT_EQ(record[2].tipus, QStringLiteral("FLOAT"));
    EXPECT_EQ(RekordErtek(record, "kod"), QStringLiteral("T7"));
    EXPECT_EQ(RekordIndex(record, "Nev"), 1);
    EXPECT_EQ(RekordErtek(record, ""), QString());
    EXPECT_EQ(RekordErtek(record, "NINCS"), QString());

    record << TSelectedRecord{"KOD", "VARCHAR", "második"};
    EXPECT_EQ(RekordIndex(record, "KOD"), 4);  // the last of equal names

    ASelectedRecord cleared = SelectedRecord(FirstRow("select * from SZ_ADO where KOD = 'T7'"), true);
    EXPECT_EQ(RekordErtek(cleared, "KOD"), QString());
    EXPECT_EQ(cleared[0].tipus, QStringLiteral("VARCHAR"));
}

TEST_F(LookupTest, ExistenceCheckBindsTheTypedValue) {
    Exec("insert into UGYFEL (KOD, NEV) values ('O''N', 'O''Neil Kft.')");
    ASelectedRecord record;
    EXPECT_TRUE(ErtekVan("O'N", "UGYFEL", "KOD", true, record));
    EXPECT_EQ(RekordErtek(record, "NEV"), QStringLiteral("O'Neil Kft."));

    ASelectedRecord untouched = record;
    EXPECT_FALSE(ErtekVan("' or 1=1 --", "UGYFEL", "KOD", true, record));
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("Nincs olyan érték a UGYFEL táblában, ahol KOD='' or 1=1 --'")});
    EXPECT_EQ(RekordErtek(record, "KOD"), RekordErtek(untouched, "KOD"));
    EXPECT_FALSE(ErtekVan("", "UGYFEL", "KOD", true, record));
    EXPECT_FALSE(ErtekVan("X", "UGYFEL", "KOD", false, record));
    EXPECT_FALSE(ErtekVan("12x", "SZ_ECSMOD", "KOD", false, record));
    EXPECT_EQ(user.messages.size(), 1);
}

TEST_F(LookupTest, FilterReferencesAreReplacedByQuotedValues) {
    const QString year = One("select first 1 AKTUALISEV from CEG");
    PanelValues p;
    p.add("E_CSOP", PanelKind::Edit, "A1");
    p.add("E_KOD", PanelKind::Edit, "O'N");
    TParaButtonFields b;
    b.pMezo = "KOD";
    b.pSzotTabla = "sz_csop";
    b.pSzotWhere = "  WHERE CSOP=#CSOP AND EV=@CEG.AKTUALISEV ";
    LookupRequest r = SzotRequest(b, false, p);
    EXPECT_EQ(r.table, QStringLiteral("SZ_CSOP"));
    EXPECT_EQ(r.where, "WHERE CSOP='A1' AND EV='" + year + "'");
    EXPECT_EQ(r.locate, QStringLiteral("O'N"));
    EXPECT_TRUE(r.defaultField.isEmpty());

    // A "+" button hands the referenced field and its value to the new record;
    // a typed quote stays inside its literal; the template's "$" goes.
    b.pSzotWhere = "$KOD=#KOD";
    r = SzotRequest(b, true, p);
    EXPECT_EQ(r.where, QStringLiteral("KOD='O''N'"));
    EXPECT_EQ(r.defaultField, QStringLiteral("KOD"));
    EXPECT_EQ(r.defaultValue, QStringLiteral("O'N"));
    p.setText("E_CSOP", "#X @CEG.KOD");
    b.pSzotWhere = "CSOP=#CSOP AND NINCS=#NINCS";
    EXPECT_EQ(SzotRequest(b, false, p).where, QStringLiteral("CSOP='#X @CEG.KOD' AND NINCS=''"));
}

TEST_F(LookupTest, ChosenRecordIsWrittenIntoThePanel) {
    Exec("insert into SZ_TUKOR (SZLA, SZOVEG, KARTON) values ('T3841', 'Bank', 'K')");
    ASelectedRecord record = SelectedRecord(FirstRow("select * from SZ_TUKOR where SZLA = 'T3841'"));
    PanelValues p;
    p.add("E_ASZLA", PanelKind::Edit);
    p.add("E_MEGNEVEZES", PanelKind::Edit, "régi");
    p.add("PF1_ASZLA", PanelKind::StaticText);

    // Through the PVEZERLO rows: the account, its name, and the info label.
    TParaButtonFields b;
    b.pMezo = "ASZLA";
    b.pPanel = "ADOASZLA_ASZLA";
    EXPECT_FALSE(SzotMezoQuerybe(b, record, p));
    EXPECT_EQ(p.text("E_ASZLA"), QStringLiteral("T3841"));
    EXPECT_EQ(p.text("E_MEGNEVEZES"), QStringLiteral("Bank"));
    EXPECT_EQ(p.text("PF1_ASZLA"), QStringLiteral("Bank"));

    // By KEYNUM into the field itself.
    b.pPanel.clear();
    b.pSzotMezo = "SZLA";
    struct Case {
        int keynum;
        QString before, after;
        bool completed;
    } cases[] = {
        {0, "x", "T3841", false},    {201, "x", "T3841", true},      {999, "", "T3841", false},
        {999, "12", "12,T3841", false}, {999, "1,T3841,5", "1,T3841,5", false}, {999, "  ", "T3841", false},
    };
    for (const Case& c : cases) {
        b.pKeynum = c.keynum;
        p.setText("E_ASZLA", c.before);
        EXPECT_EQ(SzotMezoQuerybe(b, record, p), c.completed);
        EXPECT_EQ(p.text("E_ASZLA"), c.after) << c.keynum << " " << c.before.toStdString();
    }
    // A code that occurs in the list is not added again.
    record = {TSelectedRecord{"SZLA", "VARCHAR", "1"}};
    b.pKeynum = 999;
    p.setText("E_ASZLA", "12");
    SzotMezoQuerybe(b, record, p);
    EXPECT_EQ(p.text("E_ASZLA"), QStringLiteral("12"));
    p.setText("E_ASZLA", "3");
    SzotMezoQuerybe(b, record, p);
    EXPECT_EQ(p.text("E_ASZLA"), QStringLiteral("3,1"));
}

TEST_F(LookupTest, InfoLabelsInBothForms) {
    Exec("insert into SZ_TUKOR (SZLA, SZOVEG, KARTON) values ('T3841', 'Bank', 'K')");
    Exec("insert into SZ_TUKOR (SZLA, SZOVEG, KARTON) values ('TO''1', 'Idézőjel', 'K')");
    PanelValues p;
    p.add("E_SZLA", PanelKind::Edit, "T3841");
    p.add("PF1_SZLA", PanelKind::StaticText).hint = QStringLiteral("#SZ_TUKOR\\SZOVEG/SZLA=SZLA");
    p.add("E_ESZLA", PanelKind::Edit, "TO'1");
    p.add("PF1_ESZLA", PanelKind::StaticText).hint = QStringLiteral("SZ_TUKOR.SZOVEG||'!'@FELIRAT,SZLA=");
    p.add("PF2_ESZLA", PanelKind::StaticText).hint = QStringLiteral("=NEV");

    InfoFrissit(p, "SZLA");
    EXPECT_EQ(p.text("PF1_SZLA"), QStringLiteral("Bank"));
    InfoFrissit(p, "ESZLA");
    EXPECT_EQ(p.text("PF1_ESZLA"), QStringLiteral("Idézőjel!"));

    // From the current row of the editor: descending shows the first row after a blank.
    Exec("create table INFO_T (SZLA varchar(10), ESZLA varchar(10), NEV varchar(20))");
    Exec("insert into INFO_T values ('T3841', 'TO''1', 'sor neve')");
    const QSqlRecord row = FirstRow("select * from INFO_T");
    InfoMindFrissit(p, row, true);
    EXPECT_EQ(p.text("PF1_SZLA"), QStringLiteral(" Bank"));
    EXPECT_EQ(p.text("PF1_ESZLA"), QStringLiteral("Idézőjel!"));
    EXPECT_EQ(p.text("PF2_ESZLA"), QStringLiteral("sor neve"));
    InfoMindFrissit(p, QSqlRecord(), true);
    EXPECT_EQ(p.text("PF1_SZLA"), QString());
    EXPECT_EQ(p.text("PF2_ESZLA"), QString());

    // Several rows, joined without repeats; joins of a "+" in FROM.
    Exec("insert into SZ_TUKOR (SZLA, SZOVEG, KARTON) values ('T3842', 'Bank', 'K')");
    Exec("insert into SZ_TUKOR (SZLA, SZOVEG, KARTON) values ('T3843', 'Pénztár', 'K')");
    Exec("insert into SZ_TUKOR (SZLA, SZOVEG, KARTON) values ('T3844', 'Bank', 'K')");
    p.find("PF1_SZLA")->hint = QStringLiteral("#SZ_TUKOR\\SZOVEG/KARTON=NEV,SZLA<>'T3841',SZLA like 'T%'");
    Exec("update INFO_T set NEV = 'K'");
    InfoMindFrissit(p, FirstRow("select * from INFO_T"), false);
    EXPECT_EQ(p.text("PF1_SZLA"), QStringLiteral("Bank, Idézőjel, Pénztár"));
    p.find("PF1_SZLA")->hint = QStringLiteral("#SZ_TUKOR T+INFO_T I\\I.NEV/T.SZLA=SZLA,T.SZLA=I.SZLA");
    InfoMindFrissit(p, FirstRow("select * from INFO_T"), false);
    EXPECT_EQ(p.text("PF1_SZLA"), QStringLiteral("K"));
}

}  // namespace
