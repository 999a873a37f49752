#include <QSqlField>
#include <gtest/gtest.h>

#include "db/app_conventions.h"
#include "masterdata/record_storage.h"
#include "md_test_support.h"
#include "support/test_db.h"

namespace {

class RecordStorageTest : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec(QStringLiteral("create table T_KOD (KOD varchar(10) not null, NEV varchar(40), DB integer, "
                            "KIS smallint, OSSZEG double precision, MEGJ blob sub_type text, "
                            "constraint PK_T_KOD primary key (KOD))"));
        Exec(QStringLiteral("create table T_NOKEY (A varchar(5), B integer)"));
        SqlKeszit(QStringLiteral("T_KOD"), &ins, &upd, &del, QStringLiteral("KOD"));
    }
    void TearDown() override {
        SetDecimalSeparator(u',');
        CompanyDbTest::TearDown();
    }
    // A panel with an edit per column, as the generated panel has.
    static PanelValues panel(const QString& kod, const QString& nev, const QString& db, const QString& osszeg) {
        PanelValues p;
        p.add(QStringLiteral("E_KOD"), PanelKind::Edit, kod).required = true;
        p.add(QStringLiteral("E_NEV"), PanelKind::Edit, nev);
        p.add(QStringLiteral("E_DB"), PanelKind::Edit, db);
        p.add(QStringLiteral("E_OSSZEG"), PanelKind::Edit, osszeg);
        p.add(QStringLiteral("E_MEGJ"), PanelKind::Memo, QStringLiteral("első sor\nmásodik"));
        return p;
    }
    SqlStatement ins, upd, del;
    UserSide user;
};

TEST_F(RecordStorageTest, GeneratedStatementTexts) {
    EXPECT_EQ(ins.sql, (QStringList{"INSERT INTO T_KOD (", "KOD,", "NEV,", "DB,", "KIS,", "OSSZEG,", "MEGJ",
                                    ") VALUES (", ":KOD,", ":NEV,", ":DB,", ":KIS,", ":OSSZEG,", ":MEGJ", ")"}));
    EXPECT_EQ(upd.sql, (QStringList{"UPDATE T_KOD SET", "KOD= :KOD,", "NEV= :NEV,", "DB= :DB,", "KIS= :KIS,",
                                    "OSSZEG= :OSSZEG,", "MEGJ= :MEGJ", "WHERE KOD= :OLD_KOD"}));
    EXPECT_EQ(del.sql, (QStringList{"DELETE FROM T_KOD", "WHERE KOD= :KOD"}));

    // Several keys; a table without key uses every column.
    SqlStatement u2, d2;
    SqlKeszit(QStringLiteral("T_KOD"), QStringList{"KOD", "EV", "NEV"}, nullptr, &u2, &d2, QStringLiteral("KOD,EV"));
    EXPECT_EQ(u2.sql.mid(4), (QStringList{"WHERE KOD= :OLD_KOD", "AND EV= :OLD_EV"}));
    EXPECT_EQ(d2.sql, (QStringList{"DELETE FROM T_KOD", "WHERE KOD= :KOD", "AND EV= :EV"}));
    SqlKeszit(QStringLiteral("T_NOKEY"), nullptr, &u2, &d2, QString());
    EXPECT_EQ(u2.sql, (QStringList{"UPDATE T_NOKEY SET", "A= :A,", "B= :B", "WHERE A= :OLD_A", "AND B= :OLD_B"}));
    EXPECT_EQ(d2.sql, (QStringList{"DELETE FROM T_NOKEY", "WHERE A= :A", "AND B= :B"}));
}

TEST_F(RecordStorageTest, InsertTakesThePanelAndTheDefaults) {
    const QSqlRecord source = Columns(QStringLiteral("T_KOD"));
    UjParamok(source, ins);
    EXPECT_EQ(ins.value("NEV").toString(), QString(""));
    EXPECT_FALSE(ins.value("NEV").toString().isNull());
    EXPECT_EQ(ins.value("DB").toInt(), 0);

    // KIS has no control: it keeps its default 0. An empty integer edit stores 0.
    ASSERT_TRUE(RekordTarol(source, ins, panel("O'NEIL", "O'Neil Kft.", "", "1,5"), 1, "insert"));
    const QSqlRecord row = FirstRow("select * from T_KOD where KOD = 'O''NEIL'");
    EXPECT_EQ(row.value("NEV").toString(), QStringLiteral("O'Neil Kft."));
    EXPECT_EQ(row.value("DB").toInt(), 0);
    EXPECT_FALSE(row.value("DB").isNull());
    EXPECT_EQ(row.value("KIS").toInt(), 0);
    EXPECT_DOUBLE_EQ(row.value("OSSZEG").toDouble(), 1.5);
    EXPECT_EQ(One("select MEGJ from T_KOD"), QStringLiteral("első sor\nmásodik"));

    // Not a number in an integer field: -1. Without defaults a field
    // without control is NULL, an empty text is stored empty.
    SqlStatement fresh;
    SqlKeszit(QStringLiteral("T_KOD"), &fresh, nullptr, nullptr, QStringLiteral("KOD"));
    ASSERT_TRUE(RekordTarol(source, fresh, panel("B", "", "x1", ""), 1, "insert"));
    const QSqlRecord b = FirstRow("select * from T_KOD where KOD = 'B'");
    EXPECT_EQ(b.value("DB").toInt(), -1);
    EXPECT_TRUE(b.value("KIS").isNull());
    EXPECT_FALSE(b.value("NEV").isNull());
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST_F(RecordStorageTest, DuplicateInsertIsRefused) {
    Exec("insert into T_KOD (KOD) values ('A')");
    EXPECT_FALSE(RekordTarol(Columns("T_KOD"), ins, panel("A", "x", "1", "1"), 1, "insert"));
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("Nem sikerült az új adat felvitel.")});
    EXPECT_EQ(One("select count(*) from T_KOD"), QStringLiteral("1"));
}

TEST_F(RecordStorageTest, UpdateFindsTheRowByItsOldKey) {
    Exec("insert into T_KOD (KOD, NEV, DB, KIS, OSSZEG, MEGJ) values ('A', 'régi', 5, 7, 2.25, 'megjegyzés')");
    Exec("insert into T_KOD (KOD, NEV) values ('X', 'más')");
    const QSqlRecord current = FirstRow("select * from T_KOD where KOD = 'A'");

    // The key changes; empty integer gives 0; a decimal comma is read; the
    // display format's thousands blanks are no obstacle.
    ASSERT_TRUE(RekordTarol(current, upd, panel("B", "új", "", "  1 234,5"), 1, "update"));
    const QSqlRecord row = FirstRow("select * from T_KOD where KOD = 'B'");
    EXPECT_EQ(row.value("NEV").toString(), QStringLiteral("új"));
    EXPECT_EQ(row.value("DB").toInt(), 0);
    EXPECT_EQ(row.value("KIS").toInt(), 7);  // no control: keeps its value
    EXPECT_DOUBLE_EQ(row.value("OSSZEG").toDouble(), 1234.5);
    EXPECT_EQ(One("select count(*) from T_KOD"), QStringLiteral("2"));
    EXPECT_EQ(One("select NEV from T_KOD where KOD = 'X'"), QStringLiteral("más"));

    PanelValues onePointFive = panel("B", "új", "3", "1,5");
    ASSERT_TRUE(RekordTarol(row, upd, onePointFive, 1, "update"));
    EXPECT_EQ(One("select OSSZEG from T_KOD where KOD = 'B'").toDouble(), 1.5);
}

TEST_F(RecordStorageTest, FailedUpdateAsksAndStoresNothing) {
    Exec("insert into T_KOD (KOD, NEV) values ('A', 'régi')");
    Exec("insert into T_KOD (KOD, NEV) values ('B', 'bé')");
    const QSqlRecord a = FirstRow("select * from T_KOD where KOD = 'A'");
    const QString question = QStringLiteral(
        "Nem sikerült a módosítás.\rValaki törölte a tételt, vagy átírta a kulcsot vagy egyéb hiba történt.\r"
        "Mindenképpen tárolni akarja a módosításait?");

    struct Case {
        const char* what;
        QString kod, db;
        int answer;
        QStringList messages;
    } cases[] = {
        {"key taken by another row", "B", "1", 0, {QStringLiteral("Javítsa a hibás adatokat!")}},
        {"not a number", "A", "12x", 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        user.questions.clear();
        user.messages.clear();
        user.answer = c.answer;
        EXPECT_FALSE(RekordTarol(a, upd, panel(c.kod, "új", c.db, "0"), 1, "update"));
        EXPECT_EQ(user.questions, QStringList{question});
        EXPECT_EQ(user.messages, c.messages);
        EXPECT_EQ(One("select NEV from T_KOD where KOD = 'A'"), QStringLiteral("régi"));
    }

    // The row was deleted meanwhile: nothing is updated, and that is no success.
    Exec("delete from T_KOD where KOD = 'A'");
    user.questions.clear();
    EXPECT_FALSE(RekordTarol(a, upd, panel("A", "új", "1", "0"), 1, "update"));
    EXPECT_EQ(user.questions.size(), 1);
    EXPECT_FALSE(RekordTarol(a, upd, panel("A", "új", "1", "0"), 1, "browse"));
}

TEST_F(RecordStorageTest, TableWithoutKeyIsUpdatedByAllItsOldValues) {
    Exec("insert into T_NOKEY values ('a', 1)");
    Exec("insert into T_NOKEY values ('a', 2)");
    SqlStatement u;
    SqlKeszit("T_NOKEY", nullptr, &u, nullptr, QString());
    PanelValues p;
    p.add("E_A", PanelKind::Edit, "b");
    p.add("E_B", PanelKind::Edit, "3");
    ASSERT_TRUE(RekordTarol(FirstRow("select * from T_NOKEY where B = 2"), u, p, 0, "update"));
    EXPECT_EQ(One("select list(A || B, ',') from (select * from T_NOKEY order by B)"), QStringLiteral("a1,b3"));
}

TEST_F(RecordStorageTest, RequiredFieldsLeftEmpty) {
    PanelValues p = panel("", "x", "", "");
    p.find("E_NEV")->required = true;
    PanelControl* memo = p.find("E_MEGJ");
    memo->required = true;
    memo->text = QStringLiteral("\nsecond line only");
    EXPECT_EQ(UresKotelezok(ins, p), QStringLiteral("KOD;MEGJ;"));
    p.setText("E_KOD", " ");
    memo->text = QStringLiteral("first");
    EXPECT_EQ(UresKotelezok(ins, p), QString());
}

TEST_F(RecordStorageTest, ShowAndClearTheRecord) {
    Exec("insert into T_KOD (KOD, NEV, DB, OSSZEG, MEGJ) values ('A', 'Név', 12, 1234.5, 'sor1\nsor2')");
    PanelValues p = panel("", "", "", "");
    p.add("PF1_KOD", PanelKind::StaticText, "info");
    p.add("L_KOD", PanelKind::Label, " Kód:");
    PanelControl* osszeg = p.find("E_OSSZEG");
    osszeg->hint = QStringLiteral("###,###,##0.00");
    osszeg->maxLength = 13;
    p.find("E_MEGJ")->tag = 1;

    SetDecimalSeparator(u',');
    RekordMutat(FirstRow("select * from T_KOD"), p, "E_");
    EXPECT_EQ(p.text("e_kod"), QStringLiteral("A"));
    EXPECT_EQ(p.text("E_DB"), QStringLiteral("12"));
    EXPECT_EQ(p.text("E_OSSZEG"), QStringLiteral("     1 234,50"));
    EXPECT_EQ(p.text("E_MEGJ"), QStringLiteral("sor1\nsor2"));
    EXPECT_EQ(p.find("E_MEGJ")->tag, 0);

    osszeg->hint.clear();
    RekordMutat(FirstRow("select * from T_KOD"), p);
    EXPECT_EQ(p.text("E_OSSZEG"), QStringLiteral("       1234,5"));

    MezokTorol(p);
    for (const char* name : {"E_KOD", "E_NEV", "E_OSSZEG", "E_MEGJ", "PF1_KOD"}) EXPECT_EQ(p.text(name), QString()) << name;
    EXPECT_EQ(p.text("L_KOD"), QStringLiteral(" Kód:"));
}

TEST_F(RecordStorageTest, TableRights) {
    Exec("insert into TABLAK (TABLANEV, MEGNEVEZES, NEZHETI_JOG, IRHATJA_JOG) values ('R_VIEW', 'Csak nézhető', '', 'X')");
    Exec("insert into TABLAK (TABLANEV, MEGNEVEZES, NEZHETI_JOG, IRHATJA_JOG) values ('R_NONE', 'Titkos', 'x', '')");
    Exec("insert into TABLAK (TABLANEV, MEGNEVEZES, NEZHETI_JOG, IRHATJA_JOG) values ('R_FULL', 'Szabad', null, 'I')");
    QSqlRecord row;
    EXPECT_EQ(TablaJog("r_view", &row), QStringLiteral("VIEW"));
    EXPECT_EQ(row.value("MEGNEVEZES").toString(), QStringLiteral("Csak nézhető"));
    EXPECT_EQ(TablaJog("R_FULL"), QStringLiteral("FULL"));
    EXPECT_EQ(TablaJog("NINCS_A_TABLAKBAN", &row), QStringLiteral("FULL"));
    EXPECT_TRUE(row.isEmpty());
    EXPECT_TRUE(user.messages.isEmpty());
    EXPECT_EQ(TablaJog("R_NONE"), QStringLiteral("NONE"));
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("Önnek nincs joga az alábbi táblát megtekinteni:\rTitkos")});

    // A user with rights letters needs a common letter; W opens everything.
    Td().CurrentRights = QStringLiteral("AB");
    Exec("update TABLAK set IRHATJA_JOG = 'CD' where TABLANEV = 'R_FULL'");
    EXPECT_EQ(TablaJog("R_FULL"), QStringLiteral("VIEW"));
    Td().CurrentRights = QStringLiteral("W");
    EXPECT_EQ(TablaJog("R_FULL"), QStringLiteral("FULL"));
    Td().CurrentRights.clear();

    Exec("drop table TABLAK");
    EXPECT_EQ(TablaJog("R_NONE"), QStringLiteral("FULL"));
}

TEST_F(RecordStorageTest, DefaultsReportColumnsTheTableDoesNotHave) {
    SqlStatement st;
    st.setSql({"insert into T_KOD (KOD, NEV) values (:KOD, :NINCS)"});
    UjParamok(Columns("T_KOD"), st);
    EXPECT_EQ(user.messages, QStringList{QStringLiteral("wx=1 nincs ilyen mező az alap táblában: NINCS")});
    EXPECT_FALSE(st.isAssigned("NINCS"));
}

}  // namespace
