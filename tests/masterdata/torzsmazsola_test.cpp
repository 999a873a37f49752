#include <gtest/gtest.h>

#include "db/db_error.h"
#include "list_fixture.h"
#include "masterdata/read_only_query.h"
#include "masterdata/torzsmazsola.h"
#include "md_test_support.h"

namespace {

// A builder on table T with the given fields and no database.
TorzsMazsola builder(const QStringList& fields) {
    TorzsMazsola b;
    b.table = "T";
    for (const QString& f : fields) {
        MazsolaRow row;
        row.caption = f + " neve";
        row.field = f;
        b.rows << row;
    }
    return b;
}

int rowOf(const TorzsMazsola& b, const QString& field) {
    for (int i = 0; i < b.rows.size(); ++i)
        if (b.rows[i].field == field) return i;
    return -1;
}

QString item(const QString& op) {
    for (const QString& i : MuveletItems())
        if (MuveletOf(i) == op) return i;
    return {};
}

// The KOD column of every row of a source, in order.
QStringList kods(ExportSource& rows) {
    QStringList list;
    for (bool more = rows.first(); more; more = rows.next()) list << rows.value(0).toString();
    return list;
}

TEST(TorzsMazsola, OutputsInPositionOrder) {
    TorzsMazsola b = builder({"KOD", "NEV", "CIM"});
    ASSERT_TRUE(b.ClickKell(rowOf(b, "NEV")));
    ASSERT_TRUE(b.ClickKell(rowOf(b, "KOD")));
    EXPECT_EQ(b.rows[rowOf(b, "NEV")].kell, "1");
    // NEV first, then KOD: swap to 2 on NEV and 1 on KOD by removing and adding again.
    b.ClickKell(rowOf(b, "NEV"));
    b.ClickKell(rowOf(b, "NEV"));
    EXPECT_EQ(b.rows[rowOf(b, "KOD")].kell, "1");
    EXPECT_EQ(b.rows[rowOf(b, "NEV")].kell, "2");
    const MazsolaStatement s = b.Build();
    EXPECT_EQ(s.lines, QStringList({" SELECT T.KOD,T.NEV", "From T"}));
    EXPECT_EQ(s.columns, "T.KOD,T.NEV");
    EXPECT_EQ(s.captions, "KOD neve,NEV neve,");
    EXPECT_EQ(builder({"KOD"}).Build().lines, QStringList({" SELECT *", "From T"}));
}

TEST(TorzsMazsola, RemovingAPositionRenumbersTheHigherOnes) {
    TorzsMazsola b = builder({"A", "B", "C", "D"});
    for (int i = 0; i < 3; ++i) b.ClickKell(i);
    b.ClickKell(0);
    EXPECT_EQ(b.rows[0].kell, "");
    EXPECT_EQ(b.rows[1].kell, "1");
    EXPECT_EQ(b.rows[2].kell, "2");
    b.ClickKell(3);
    EXPECT_EQ(b.rows[3].kell, "3");

    // Sort positions likewise; a row may take one only once some row is output.
    TorzsMazsola s = builder({"A", "B", "C"});
    EXPECT_FALSE(s.CanEnterSorrend(0));
    EXPECT_FALSE(s.ClickSorrend(0));
    s.ClickKell(2);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(s.ClickSorrend(i));
    s.ClickSorrend(0);
    EXPECT_EQ(s.rows[1].sorrend, "1");
    EXPECT_EQ(s.rows[2].sorrend, "2");
    EXPECT_EQ(s.Build().lines.last(), " order by T.B , T.C");
    EXPECT_EQ(s.Build().orders, "T.B,T.C");
}

TEST(TorzsMazsola, PositionsStopAtTheirLimits) {
    QStringList fields;
    for (int i = 0; i < 40; ++i) fields << QString("F%1").arg(i);
    TorzsMazsola b = builder(fields);
    for (int i = 0; i < 35; ++i) ASSERT_TRUE(b.ClickKell(i)) << i;
    EXPECT_EQ(b.rows[8].kell, "9");
    EXPECT_EQ(b.rows[9].kell, "A");
    EXPECT_EQ(b.rows[34].kell, "Z");
    EXPECT_FALSE(b.ClickKell(35));
    EXPECT_EQ(b.rows[35].kell, "");
    // Output positions sort as characters: 9 before A.
    EXPECT_TRUE(b.Build().lines.first().startsWith(" SELECT T.F0,T.F1,T.F2,T.F3,T.F4,T.F5,T.F6,T.F7,T.F8,T.F9,T.F10,"));
    for (int i = 0; i < 9; ++i) ASSERT_TRUE(b.ClickSorrend(i));
    EXPECT_FALSE(b.ClickSorrend(9));
}

TEST(TorzsMazsola, AndOrCycles) {
    TorzsMazsola b = builder({"A"});
    b.ClickEsVagy(0);
    EXPECT_EQ(b.rows[0].esvagy, "and");
    b.ClickEsVagy(0);
    EXPECT_EQ(b.rows[0].esvagy, "or");
    b.ClickEsVagy(0);
    EXPECT_EQ(b.rows[0].esvagy, "and");
}

TEST(TorzsMazsola, TwoConditionsOnOneFieldAfterTheRowsAndOr) {
    TorzsMazsola b = builder({"F", "G"});
    ASSERT_TRUE(b.AddCondition(0, item("="), "A"));
    ASSERT_TRUE(b.AddCondition(0, item("<>"), " B "));
    EXPECT_EQ(b.rows[0].esvagy, "and");
    EXPECT_EQ(b.rows[0].feltetel(), "= 'A' or <> 'B'");
    b.ClickEsVagy(0);  // "or"
    ASSERT_TRUE(b.AddCondition(1, item("t%"), "x"));
    const MazsolaStatement s = b.Build();
    EXPECT_EQ(s.lines, QStringList({" SELECT *", "From T", " where ", "T.G like 'x%'", "or (T.F = 'A' or T.F <> 'B')"}));
    EXPECT_EQ(s.condition, "(T.G like 'x%' or (T.F = 'A' or T.F <> 'B'))");
    EXPECT_EQ(s.boundSql, " SELECT *\nFrom T\n where \nT.G like :F1\nor (T.F = :F2 or T.F <> :F3)");
    EXPECT_EQ(s.params, QVariantMap({{"F1", "x%"}, {"F2", "A"}, {"F3", "B"}}));
    EXPECT_EQ(MazsolaSummary(s), "Megadott feltétel:\n(T.G like 'x%' or (T.F = 'A' or T.F <> 'B'))\n"
                                 "Kiválasztott mezők:\n * Nincs kiválasztva mező *");

    // A value that reads like a connective stays a value.
    TorzsMazsola v = builder({"F"});
    v.AddCondition(0, item("="), "Kiss and Nagy");
    EXPECT_EQ(v.Build().lines.last(), "T.F = 'Kiss and Nagy'");

    // Empty values add nothing, except for "null"; clearing empties the cell.
    EXPECT_FALSE(v.AddCondition(0, item(">"), "   "));
    EXPECT_TRUE(v.AddCondition(0, item("null"), ""));
    v.ClearCondition(0);
    EXPECT_EQ(v.rows[0].feltetel(), "");
    EXPECT_EQ(v.Build().lines, QStringList({" SELECT *", "From T"}));
}

class TorzsMazsolaDb : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        CreateListTable();
    }
};

TEST_F(TorzsMazsolaDb, EveryOperatorShownAndBoundFindsTheSameRows) {
    struct Case {
        QString field, op, value, value2, line;
        QStringList rows;
    } cases[] = {
        {"NEV", "=", "Alma", "", "LISTAPROBA.NEV = 'Alma'", {"A1"}},
        {"DB", ">", "2", "", "LISTAPROBA.DB > '2'", {"C3", "D4"}},
        {"DB", ">=", "2", "", "LISTAPROBA.DB >= '2'", {"B2", "C3", "D4"}},
        {"DB", "<", "2", "", "LISTAPROBA.DB < '2'", {"A1"}},
        {"DB", "<=", "2", "", "LISTAPROBA.DB <= '2'", {"A1", "B2"}},
        {"KOD", "<>", "A1", "", "LISTAPROBA.KOD <> 'A1'", {"B2", "C3", "D4"}},
        {"NEV", "%t%", "rt", "", "LISTAPROBA.NEV like '%rt%'", {"C3"}},
        {"NEV", "%t", "te", "", "LISTAPROBA.NEV like '%te'", {"C3"}},
        {"NEV", "t%", "Al", "", "LISTAPROBA.NEV like 'Al%'", {"A1"}},
        {"DB", "[]", "2", "3", "(LISTAPROBA.DB between '2' and '3')", {"B2", "C3"}},
        {"NEV", "null", "", "", "LISTAPROBA.NEV is null", {"D4"}},
        {"NEV", "=", "O'Brien", "", "LISTAPROBA.NEV = 'O''Brien'", {"B2"}},
        {"NEV", "%t%", "'", "", "LISTAPROBA.NEV like '%''%'", {"B2"}},
        {"NEV", "=", "x' or '1'='1", "", "LISTAPROBA.NEV = 'x'' or ''1''=''1'", {}},
    };
    TorzsMazsola b;
    b.Load(d_tarvedo, "listaproba");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.op.toStdString() + " " + c.value.toStdString());
        b.NewQuery();
        b.ClickKell(rowOf(b, "KOD"));
        b.ClickSorrend(rowOf(b, "KOD"));
        ASSERT_TRUE(b.AddCondition(rowOf(b, c.field), item(c.op), c.value, c.value2));
        const MazsolaStatement s = b.Build();
        EXPECT_EQ(s.lines, QStringList({" SELECT LISTAPROBA.KOD", "From LISTAPROBA", " where ", c.line,
                                        " order by LISTAPROBA.KOD"}));
        auto bound = ReadOnlyQuery::withNames(d_tarvedo, s.boundSql, s.params);
        EXPECT_EQ(kods(*bound), c.rows);
        ReadOnlyQuery shown(d_tarvedo, s.text());
        EXPECT_EQ(kods(shown), c.rows);
    }
}

TEST_F(TorzsMazsolaDb, FieldsFromControlRowsOrFromTheColumns) {
    TorzsMazsola b;
    b.Load(d_tarvedo, "LISTAPROBA");
    ASSERT_EQ(b.rows.size(), 5);
    EXPECT_EQ(b.rows[1].caption, "NEV");
    EXPECT_EQ(b.rows[1].field, "NEV");
    EXPECT_EQ(b.rows[4].field, "MEGJ");

    b.Load(d_tarvedo, "SZ_TUKOR");
    ASSERT_FALSE(b.rows.isEmpty());
    EXPECT_EQ(b.rows[0].field, "SZLA");
    EXPECT_EQ(b.rows[0].caption, "Főkönyvi számlaszám:");
    EXPECT_EQ(b.rows[1].field, "SZOVEG");

    b.Load(d_tarvedo, "LISTAPROBA");
    EXPECT_EQ(b.DistinctValues(d_tarvedo, 1), QStringList({"", "Alma", "Körte", "O'Brien"}));
}

TEST_F(TorzsMazsolaDb, StatementsThatWriteAreRefused) {
    const QString statements[] = {
        "DELETE FROM LISTAPROBA",
        "DELETE FROM LISTAPROBA WHERE KOD = 'nincs ilyen'",
        "UPDATE LISTAPROBA SET NEV = 'x'",
        "INSERT INTO LISTAPROBA (KOD) VALUES ('Z9')",
        "DROP TABLE LISTAPROBA",
        "ALTER TABLE LISTAPROBA ADD UJ INTEGER",
        "EXECUTE BLOCK AS BEGIN DELETE FROM LISTAPROBA; END",
        "EXECUTE BLOCK RETURNS (N INTEGER) AS BEGIN DELETE FROM LISTAPROBA; N = 1; SUSPEND; END",
        "SELECT KOD FROM LISTAPROBA WITH LOCK",
    };
    for (const QString& sql : statements) {
        SCOPED_TRACE(sql.toStdString());
        try {
            ReadOnlyQuery q(d_tarvedo, sql);
            for (bool more = q.first(); more; more = q.next()) {}
            ADD_FAILURE() << "ran";
        } catch (const DbError& error) {
            EXPECT_FALSE(error.message().isEmpty());
        }
    }
    EXPECT_EQ(One("SELECT COUNT(*) FROM LISTAPROBA"), "4");
    EXPECT_EQ(One("SELECT NEV FROM LISTAPROBA WHERE KOD = 'B2'"), "O'Brien");
    EXPECT_EQ(Columns("LISTAPROBA").count(), 5);

    // Refused by its kind before it runs, in the system's own words.
    try {
        ReadOnlyQuery q(d_tarvedo, "DELETE FROM LISTAPROBA");
        FAIL();
    } catch (const DbError& error) {
        EXPECT_EQ(error.message(), NotAQueryMessage);
    }
}

TEST_F(TorzsMazsolaDb, AQueryReadsEveryTypeAndCanBeReadAgain) {
    ReadOnlyQuery q(d_tarvedo, "SELECT KOD, NEV, DB, OSSZEG, MEGJ, CAST('ab' AS CHAR(4)) AS C FROM LISTAPROBA ORDER BY KOD");
    QStringList types;
    for (const ExportColumn& c : q.columns()) types << c.typeName + QString::number(c.displayWidth);
    EXPECT_EQ(types, QStringList({"VARCHAR10", "VARCHAR40", "INTEGER10", "FLOAT13", "MEMO-1", "CHAR4"}));
    ASSERT_TRUE(q.first());
    EXPECT_EQ(q.value(1).toString(), "Alma");
    EXPECT_EQ(q.value(2).toInt(), 1);
    EXPECT_DOUBLE_EQ(q.value(3).toDouble(), 10.5);
    EXPECT_EQ(q.value(4).toString(), "első");
    EXPECT_EQ(q.value(5).toString(), "ab  ");
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(4).isNull());
    EXPECT_EQ(kods(q), QStringList({"A1", "B2", "C3", "D4"}));
    EXPECT_EQ(kods(q), QStringList({"A1", "B2", "C3", "D4"}));

    // Without blob columns the rows are read ahead; reading again starts afresh.
    ReadOnlyQuery plain(d_tarvedo, "SELECT KOD, CAST('ab' AS CHAR(4)) AS C FROM LISTAPROBA ORDER BY KOD");
    ASSERT_TRUE(plain.first());
    ASSERT_TRUE(plain.next());
    EXPECT_EQ(plain.value(0).toString(), "B2");
    EXPECT_EQ(plain.value(1).toString(), "ab  ");
    std::string_view utf8;
    ASSERT_TRUE(plain.textUtf8(1, utf8));
    EXPECT_EQ(utf8, "ab  ");
    EXPECT_EQ(kods(plain), QStringList({"A1", "B2", "C3", "D4"}));
    EXPECT_TRUE(plain.first());
    EXPECT_EQ(plain.value(0).toString(), "A1");

    ReadOnlyQuery none(d_tarvedo, "SELECT KOD FROM LISTAPROBA WHERE 1=2");
    EXPECT_FALSE(none.first());
    EXPECT_THROW(ReadOnlyQuery(d_tarvedo, "SELECT NINCS FROM LISTAPROBA"), DbError);
    EXPECT_THROW(ReadOnlyQuery(d_tarvedo, "SELECT KOD FROM LISTAPROBA WHERE KOD = ?"), DbError);
}

}  // namespace
