#include "db/catalog.h"
#include "db/dat.h"
#include "support/test_db.h"

namespace {

class CatalogTest : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec(QStringLiteral("create domain KOTELEZO_KOD as varchar(12) not null"));
        Exec(QStringLiteral("create table KAT_T (KOD varchar(30) not null, EV varchar(4) not null, "
                            "NEV varchar(50) character set UTF8 collate UNICODE, MEGJ blob sub_type 1, "
                            "KEP blob sub_type 0, DB integer, KIS smallint, OSSZEG double precision, "
                            "DOMKOD KOTELEZO_KOD, constraint PK_KAT_T primary key (KOD, EV))"));
        Exec(QStringLiteral("create view KAT_V as select KOD from KAT_T"));
    }
    struct Facts {
        bool found;
        int length;
        bool notNull;
        QString type;
    };
    Facts facts(const char* table, const char* column) {
        Facts f{};
        f.found = IbFieldInfo(QString::fromUtf8(table), QString::fromUtf8(column), f.length, f.notNull, f.type);
        return f;
    }
};

TEST_F(CatalogTest, TableExistsForAnyCaseAndForViews) {
    EXPECT_TRUE(TableExists(QStringLiteral("kat_t")));
    EXPECT_TRUE(TableExists(QStringLiteral("KAT_V")));
    EXPECT_FALSE(TableExists(QStringLiteral("NINCS_ILYEN")));
    EXPECT_FALSE(TableExists(QStringLiteral("x' or '1'='1")));
}

TEST_F(CatalogTest, FieldFacts) {
    const Facts kod = facts("KAT_T", "KOD");
    EXPECT_TRUE(kod.found);
    EXPECT_EQ(kod.length, 30);
    EXPECT_TRUE(kod.notNull);
    EXPECT_EQ(kod.type, QStringLiteral("VARCHAR"));

    const Facts domain = facts("KAT_T", "DOMKOD");
    EXPECT_TRUE(domain.notNull);  // the domain carries NOT NULL, the column does not
    EXPECT_EQ(domain.length, 12);

    EXPECT_EQ(facts("KAT_T", "MEGJ").type, QStringLiteral("MEMO"));
    EXPECT_EQ(facts("KAT_T", "KEP").type, QStringLiteral("BLOB"));
    EXPECT_EQ(facts("KAT_T", "DB").type, QStringLiteral("INTEGER"));
    EXPECT_EQ(facts("KAT_T", "KIS").type, QStringLiteral("SMALLINT"));
    EXPECT_EQ(facts("KAT_T", "OSSZEG").type, QStringLiteral("DOUBLE PRECISION"));
    EXPECT_FALSE(facts("KAT_T", "NEV").notNull);

    const Facts missing = facts("KAT_T", "NINCS");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.type, QStringLiteral("nil"));
    EXPECT_EQ(missing.length, 0);
}

TEST_F(CatalogTest, TypeNamesOfTheCatalogue) {
    const struct {
        const char* catalogue;
        int subType;
        const char* expected;
    } cases[] = {{"VARYING", 0, "VARCHAR"}, {"LONG", 0, "INTEGER"},        {"SHORT", 0, "SMALLINT"},
                 {"DOUBLE", 0, "DOUBLE PRECISION"}, {"BLOB", 1, "MEMO"}, {"BLOB", 0, "BLOB"},
                 {"TEXT", 0, "TEXT"},     {"INT64", 0, "INT64"},         {"TIMESTAMP", 0, "TIMESTAMP"}};
    for (const auto& c : cases)
        EXPECT_EQ(IbTypeName(QString::fromUtf8(c.catalogue), c.subType).toStdString(), c.expected) << c.catalogue;
}

TEST_F(CatalogTest, ResultFieldTypesAndWidths) {
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select KOD, DB, KIS, OSSZEG, MEGJ, KEP, cast('2024-01-01' as date) D from KAT_T"));
    const QSqlRecord record = q.record();
    const struct {
        const char* column;
        const char* type;
        int width;
    } cases[] = {{"KOD", "VARCHAR", 30}, {"DB", "INTEGER", 10}, {"KIS", "SMALLINT", 10}, {"OSSZEG", "FLOAT", 13},
                 {"MEGJ", "MEMO", -1},   {"KEP", "BLOB", -1},    {"D", "Unknown", 8}};
    for (const auto& c : cases) {
        QString type;
        EXPECT_EQ(FieldDisplayWidth(record.field(QString::fromUtf8(c.column)), type), c.width) << c.column;
        EXPECT_EQ(type.toStdString(), c.type) << c.column;
    }
}

TEST_F(CatalogTest, PrimaryKeyInSegmentOrder) {
    int count = 0;
    EXPECT_EQ(PkFields(QStringLiteral("KAT_T"), count), QStringLiteral("KOD,EV"));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(PkFields(QStringLiteral("KAT_V"), count), QString());
    EXPECT_EQ(count, 0);
}

TEST_F(CatalogTest, CopyTableDdlWritesARunnableStatement) {
    QStringList statement;
    ASSERT_TRUE(CopyTableDdl(QStringLiteral("KAT_T"), QStringLiteral("KAT_MASOLAT"), true, true, &statement));
    EXPECT_EQ(statement.first(), QStringLiteral("CREATE TABLE KAT_MASOLAT ("));
    EXPECT_EQ(statement.at(1), QStringLiteral(" KOD VARCHAR(30) CHARACTER SET UTF8 NOT NULL "));
    EXPECT_TRUE(statement.contains(QStringLiteral(",MEGJ BLOB SUB_TYPE 1 SEGMENT SIZE 80 CHARACTER SET UTF8")))
        << statement.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(statement.contains(QStringLiteral(",KEP BLOB SUB_TYPE 0 SEGMENT SIZE 80")));
    EXPECT_EQ(statement.at(statement.size() - 2), QStringLiteral(",Constraint Pk_KAT_MASOLAT Primary Key (KOD,EV)"));
    EXPECT_EQ(statement.last(), QStringLiteral(")"));
    int count = 0;
    EXPECT_EQ(PkFields(QStringLiteral("KAT_MASOLAT"), count), QStringLiteral("KOD,EV"));
    int length = 0;
    bool notNull = false;
    QString type;
    ASSERT_TRUE(IbFieldInfo(QStringLiteral("KAT_MASOLAT"), QStringLiteral("NEV"), length, notNull, type));
    EXPECT_EQ(length, 50);
}

TEST_F(CatalogTest, CopyOfAMissingTableIsRefused) {
    QStringList statement{QStringLiteral("unchanged")};
    EXPECT_FALSE(CopyTableDdl(QStringLiteral("NINCS_ILYEN"), QStringLiteral("X"), false, true, &statement));
    EXPECT_EQ(statement, QStringList{QStringLiteral("unchanged")});
}

TEST_F(CatalogTest, GeneratedOnlyKeepsTheSourceNameWithoutANewName) {
    QStringList statement;
    ASSERT_TRUE(CopyTableDdl(QStringLiteral("KAT_T"), QString(), false, false, &statement));
    EXPECT_EQ(statement.first(), QStringLiteral("CREATE TABLE KAT_T ("));
    EXPECT_EQ(statement.last(), QStringLiteral(")"));
}

}  // namespace
