#include <gtest/gtest.h>

#include "db/ini.h"
#include "masterdata/panel_model.h"
#include "md_test_support.h"
#include "support/test_db.h"

namespace {

constexpr int W = 800;

class PanelModelTest : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec("create table P_T (KOD varchar(10) not null, NEV varchar(200), DB integer, OSSZEG double precision, "
             "MEGJ blob sub_type text, KEP blob sub_type 0, constraint PK_P_T primary key (KOD))");
    }
    void row(int sorrend, const QString& mezo, const QString& more = {}, const QString& values = {}) {
        Exec("insert into VEZERLO (MODUL, SORREND, MEZO, MEGNEVEZES" + more + ") values ('P_T', " + QString::number(sorrend)
             + ", " + (mezo.isEmpty() ? QStringLiteral("null") : "'" + mezo + "'") + ", 'Felirat " + QString::number(sorrend)
             + ":'" + values + ")");
    }
    PanelModel build(const QString& name = QStringLiteral("P_T")) { return UrlapEpit(name, Columns("P_T"), W); }
};

TEST_F(PanelModelTest, ControlLayoutArithmetic) {
    row(10, "kod ");
    row(20, "NEV", ", VALID", ", 2");
    row(30, "DB");
    row(40, "OSSZEG", ", EDITMASK", ", '#,##0.00'");
    row(50, "NINCS");
    row(60, "NEV", ", FUNKCIO", ", 1");
    const PanelModel m = build();
    EXPECT_FALSE(m.generic);
    EXPECT_EQ(m.keys, QStringLiteral("KOD,"));
    EXPECT_EQ(m.rows, 6);

    // Label: width 40 characters of MEGNEVEZES x 7; the edit 38 pixels after its advance.
    const PanelItem* label = m.find("L_KOD");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry, QRect(2, 3, 280, 20));
    EXPECT_EQ(label->caption, QStringLiteral(" Felirat 10:"));
    EXPECT_EQ(label->background, ColorRole::Tooltip);

    const PanelItem* kod = m.find("E_KOD");
    EXPECT_EQ(kod->geometry, QRect(286, 0, 9 + 12 * 10, 20));
    EXPECT_EQ(kod->maxLength, 10);
    EXPECT_TRUE(kod->required);  // NOT NULL in the database
    EXPECT_EQ(kod->backgroundColor, kRequiredColor);
    EXPECT_TRUE(kod->enabled);

    // VARCHAR(200) ends 21 pixels before the panel's right edge.
    const PanelItem* nev = m.find("E_NEV");
    EXPECT_EQ(nev->geometry, QRect(286, 21, W - 286 - 21, 20));
    EXPECT_EQ(nev->validCode, 2);
    EXPECT_EQ(nev->tag, 2);

    // Numbers: right-aligned, 9 pixels a character; a display format is the hint.
    EXPECT_EQ(m.find("E_DB")->geometry, QRect(286, 42, 90, 20));
    EXPECT_TRUE(m.find("E_DB")->rightAlign);
    EXPECT_EQ(m.find("E_OSSZEG")->geometry.width(), 9 * 13);
    EXPECT_EQ(m.find("E_OSSZEG")->hint, QStringLiteral("#,##0.00"));

    // A field the table does not have: 9 pixels, unlimited, still a grid column.
    const PanelItem* nincs = m.find("E_NINCS");
    EXPECT_EQ(nincs->geometry.width(), 9);
    EXPECT_EQ(nincs->maxLength, 0);
    EXPECT_FALSE(nincs->required);
    EXPECT_EQ(m.fieldNames, (QStringList{"KOD", "NEV", "DB", "OSSZEG", "NINCS", "NEV"}));
    EXPECT_EQ(m.gridColumns[4].title, QStringLiteral("Felirat 50:"));

    // Display only: 1024 characters, so always up to the right edge; cream, read-only.
    const PanelItem& shown = m.items.last();
    EXPECT_EQ(shown.geometry.right() + 1, W - 21);
    EXPECT_EQ(shown.maxLength, 1024);
    EXPECT_TRUE(shown.readOnly);
    EXPECT_EQ(shown.backgroundColor, kDisplayOnlyColor);
}

TEST_F(PanelModelTest, LookupButtonAndSettings) {
    row(10, "KOD", ", BUTTON, SZOT_, SZOTMEZO, SZOTWHERE, KEYNUM, PLUSFIELD1, PLUSFIELD1H",
        ", 'SZOT', 'SZ_TUKOR', 'SZLA', 'WHERE KARTON=''K''', 999, '#SZ_TUKOR\\SZOVEG/SZLA=KOD', 2");
    row(20, "NEV");
    PanelModel m = build();
    const PanelItem* edit = m.find("E_KOD");
    const PanelItem* button = m.find("B_KOD");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(edit->enabled);  // typed into only through the button
    EXPECT_TRUE(edit->exitLookup);
    EXPECT_EQ(button->caption, QStringLiteral("?"));
    EXPECT_TRUE(button->bold);
    EXPECT_EQ(button->hint, QStringLiteral("Választás szótárból"));
    EXPECT_EQ(button->action, ButtonAction::Lookup);
    EXPECT_EQ(button->geometry, QRect(246, 3, 38, 18));
    EXPECT_EQ(button->para.pMezo, QStringLiteral("KOD"));
    EXPECT_EQ(button->para.pSzotTabla, QStringLiteral("SZ_TUKOR"));
    EXPECT_EQ(button->para.pSzotWhere, QStringLiteral("WHERE KARTON='K'"));
    EXPECT_EQ(button->para.pKeynum, 999);
    EXPECT_EQ(button->para.pPlusz, QStringLiteral("#SZ_TUKOR\\SZOVEG/SZLA=KOD"));
    const PanelItem* info = m.find("PF1_KOD");
    EXPECT_EQ(info->geometry.topLeft(), QPoint(edit->geometry.right() + 1 + 9, 3));
    EXPECT_EQ(info->tag, 2);
    EXPECT_EQ(m.infoLabels, 1);

    // No gap for buttons: the button covers the first 36 pixels of the edit.
    // Rows 25 pixels apart with height 24; a fixed label width and edit width.
    IniSet("nobutton", "1");
    IniSet("height", "24");
    IniSet("width", "100");
    IniSet("Ewidth", "50");
    IniSet("fontstyle", "[fsbold]");
    IniSet("color", "piros");
    m = build();
    EXPECT_EQ(m.find("B_KOD")->geometry.left(), 104);
    EXPECT_EQ(m.find("E_KOD")->geometry.left(), 106);
    EXPECT_EQ(m.find("B_KOD")->geometry.right() - m.find("E_KOD")->geometry.left() + 1, 36);
    EXPECT_EQ(m.find("E_NEV")->geometry, QRect(106, 25, 50, 24));
    EXPECT_EQ(m.find("L_NEV")->geometry, QRect(2, 28, 100, 24));
    EXPECT_TRUE(m.find("L_NEV")->bold);
    EXPECT_EQ(m.find("L_NEV")->backgroundColor, QColor(255, 0, 0));
}

TEST_F(PanelModelTest, RowsWithoutFieldAndButtonKinds) {
    row(10, "", ", BUTTON, VALT_, VALT_MEZO, PLUSFIELD1", ", 'VALT', 'SZ_NTIP', 'KOD', '=NEV'");
    row(20, "DB", ", BUTTON, FUNKCIO", ", 'IN', 0");
    row(30, "NEV", ", BUTTON, FUNKCIO", ", 'Memo', 2");
    row(40, "OSSZEG", ", BUTTON", ", 'PIX'");
    row(50, "MEGJ", ", BUTTON", ", 'MEMO'");
    const PanelModel m = build();
    EXPECT_NE(m.find("L_10"), nullptr);
    const PanelItem* valt = m.find("B_10");
    ASSERT_NE(valt, nullptr);
    EXPECT_EQ(valt->caption, QStringLiteral("+"));
    EXPECT_EQ(valt->action, ButtonAction::FurtherInfo);
    EXPECT_EQ(valt->para.pMezo, QStringLiteral("KOD"));
    EXPECT_EQ(valt->para.pSzotTabla, QStringLiteral("SZ_NTIP"));
    EXPECT_NE(m.find("PF1_SZ_NTIP"), nullptr);
    EXPECT_EQ(m.gridColumns[0].field, QString());

    EXPECT_EQ(m.find("B_DB")->caption, QStringLiteral("IN"));
    EXPECT_EQ(m.find("B_DB")->hint, QStringLiteral("Megadható értékek: IN"));
    EXPECT_EQ(m.find("B_DB")->action, ButtonAction::Letters);
    EXPECT_FALSE(m.find("B_NEV")->visible);
    EXPECT_TRUE(m.find("E_OSSZEG")->enabled);  // a picture button leaves the edit alone
    EXPECT_EQ(m.find("B_OSSZEG")->caption, QStringLiteral("Kép"));
    EXPECT_EQ(m.find("E_MEGJ"), nullptr);  // the memo editor row makes no value control
    EXPECT_EQ(m.find("B_MEGJ")->caption, QStringLiteral("M.edit"));
}

TEST_F(PanelModelTest, MemoTakesFourRows) {
    for (int i = 1; i <= 11; ++i) row(i, i % 2 ? "KOD" : "NEV");
    row(12, "MEGJ");
    const PanelModel m = build();
    EXPECT_EQ(m.rows, 15);
    const PanelItem* memo = m.find("E_MEGJ");
    EXPECT_EQ(memo->kind, ItemKind::Memo);
    EXPECT_EQ(memo->geometry, QRect(286, 11 * 21, W - 286 - 30, 80));
}

TEST_F(PanelModelTest, GenericLayout) {
    // The only row is hidden from everybody, so every column is laid out.
    row(10, "KOD", ", NEZHETI_JOG", ", 'x'");
    PanelModel m = build();
    EXPECT_TRUE(m.generic);
    EXPECT_EQ(m.fieldNames, (QStringList{"KOD", "NEV", "DB", "OSSZEG", "MEGJ", "KEP"}));
    EXPECT_EQ(m.rows, 12);
    EXPECT_EQ(m.find("L_KOD")->geometry, QRect(2, 4, 280, 16));
    EXPECT_EQ(m.find("L_KOD")->caption, QStringLiteral(" KOD"));
    EXPECT_EQ(m.find("E_KOD")->geometry, QRect(329, 1, 9 * 11 + 6, 20));
    EXPECT_TRUE(m.find("E_KOD")->required);
    EXPECT_EQ(m.find("E_DB")->geometry, QRect(329, 45, 90, 20));
    EXPECT_EQ(m.find("E_MEGJ")->kind, ItemKind::Memo);
    EXPECT_EQ(m.find("E_MEGJ")->geometry, QRect(329, 89, W - 329 - 40, 80));
    EXPECT_EQ(m.find("E_KEP")->kind, ItemKind::Picture);
    EXPECT_EQ(m.find("E_KEP")->geometry.top(), 5 * 22 + 1 + 3 * 22);

    // Modul X lays out the columns whatever rows the table has.
    Exec("update VEZERLO set NEZHETI_JOG = null where MODUL = 'P_T'");
    EXPECT_FALSE(build().generic);
    EXPECT_TRUE(build("X;P_T").generic);
    EXPECT_FALSE(build(";P_T").generic);
}

TEST_F(PanelModelTest, OptionalColumnsMayBeMissing) {
    row(10, "KOD", ", CHARCASE, PWDCHAR, NOTNULL, ECOLOR, IRHATJA_JOG, EDITMASK", ", 'U', '*', 'I', 'piros', 'X', '<rejt>'");
    row(20, "NEV", ", NOTNULL", ", 'i'");
    PanelModel m = build();
    const PanelItem* kod = m.find("E_KOD");
    EXPECT_EQ(kod->charCase, QChar('U'));
    EXPECT_EQ(kod->passwordChar, QChar('*'));
    EXPECT_EQ(kod->textColor, QColor(255, 0, 0));
    EXPECT_FALSE(kod->enabled);
    EXPECT_FALSE(kod->visible);
    EXPECT_EQ(kod->geometry.topLeft(), QPoint(0, 0));
    EXPECT_EQ(m.fieldNames, QStringList{"NEV"});  // a password has no grid column
    EXPECT_TRUE(m.find("E_NEV")->required);

    for (const char* column : {"CHARCASE", "PWDCHAR", "NOTNULL", "ECOLOR", "IRHATJA_JOG", "EDITMASK", "PVEZERLO"})
        Exec(QStringLiteral("alter table VEZERLO drop ") + column);
    m = build();
    kod = m.find("E_KOD");
    EXPECT_TRUE(kod->charCase.isNull());
    EXPECT_TRUE(kod->passwordChar.isNull());
    EXPECT_TRUE(kod->enabled);
    EXPECT_TRUE(kod->visible);
    EXPECT_EQ(kod->textColor, QColor(Qt::black));
    EXPECT_FALSE(m.find("E_NEV")->required);
    EXPECT_EQ(m.fieldNames, (QStringList{"KOD", "NEV"}));
}

TEST_F(PanelModelTest, DeliveredControlSet) {
    Exec("insert into SZ_NTIP (KOD) values ('X1')");
    const PanelModel m = UrlapEpit("SZ_NTIP", Columns("SZ_NTIP"), W);
    EXPECT_EQ(m.fieldNames, (QStringList{"KOD", "NEV", "SZLA", "KOZOSKOD"}));
    EXPECT_EQ(m.find("E_KOD")->charCase, QChar('U'));
    EXPECT_EQ(m.find("B_SZLA")->para.pPanel, QStringLiteral("NTIP_SZLA"));
    EXPECT_EQ(m.find("PF1_SZLA")->hint, QStringLiteral("#SZ_TUKOR\\SZOVEG/SZLA=SZLA"));
}

}  // namespace
