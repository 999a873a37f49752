// The empty company template: every table the program reads, its keys and
// indexes, and the seed rows the program itself relies on.
#include <QSqlQuery>

#include "db/catalog.h"
#include "db/dat.h"
#include "support/test_db.h"

namespace {

using TemplateTest = CompanyDbTest;

TEST_F(TemplateTest, HoldsEveryTableWithItsKey) {
    const struct {
        const char* table;
        const char* key;
    } tables[] = {
        {"TETEL", ""},          {"SZ_TUKOR", "SZLA"},       {"SZ_NTIP", "KOD"},          {"SZ_ADOASZLA", "NTIPUS,ASZLA,KOD"},
        {"SZ_ADO", "KOD"},      {"UGYFEL", "KOD"},          {"SZ_KTSGHELY", "KOD"},      {"SZ_DEVIZA", "KOD"},
        {"CEG", "KOD,AKTUALISEV"}, {"SZ_JUZER", "KOD"},     {"SORSZAM", "FAJTA,EV"},     {"VEZERLO", "MODUL,SORREND"},
        {"PVEZERLO", "PANEL,QMEZO"}, {"TABLAK", "TABLANEV"}, {"SZOTAR", "MAGYAR"},       {"DIFOLC", "MODUL,SORREND"},
        {"DOKU", ""},           {"TMP_TABLAK", "TABLANEV"}, {"ESZKOZ", "BELSOKOD"},      {"ESZKOZKARTON", "ESZKOZKOD,SORSZAM"},
        {"SZ_ECSMOD", "KOD"},   {"SZ_RAKTAR", "KOD"},       {"ECS_IDOSZAK", "DATUMTOL,DATUMIG"}, {"EREDMENY", "ID"},
        {"MERLEG", "ID"},       {"EGYENLEG", ""},           {"ANYK_DEF", "NYOMTATVANY,EV,MEZONEV,LAP"},
        {"BEOVEZ", "FORMATUM,SORREND"}, {"BEOLOG", ""},
    };
    for (const auto& t : tables) {
        SCOPED_TRACE(t.table);
        EXPECT_TRUE(TableExists(QString::fromLatin1(t.table)));
        int count = 0;
        EXPECT_EQ(PkFields(QString::fromLatin1(t.table), count).toStdString(), t.key);
    }
}

TEST_F(TemplateTest, LedgerColumnsAndIndexes) {
    const struct {
        const char* column;
        const char* type;
        int length;
    } columns[] = {{"SORSZAM", "VARCHAR", 15}, {"SZLA", "VARCHAR", 10},     {"ESZLA", "VARCHAR", 10},
                   {"ERTEK", "DOUBLE PRECISION", 0}, {"TELJKELT", "VARCHAR", 10}, {"NTIPUS", "VARCHAR", 2},
                   {"KONYVBIZ", "VARCHAR", 15}, {"SZAMLASZAM", "VARCHAR", 30}, {"UGYFELKOD", "VARCHAR", 7},
                   {"SZOVEG", "VARCHAR", 120}, {"ARFOLYAM", "DOUBLE PRECISION", 0}, {"DEVIZANEM", "VARCHAR", 3}};
    for (const auto& c : columns) {
        int length = 0;
        bool notNull = false;
        QString type;
        ASSERT_TRUE(IbFieldInfo(QStringLiteral("TETEL"), QString::fromLatin1(c.column), length, notNull, type)) << c.column;
        EXPECT_EQ(type.toStdString(), c.type) << c.column;
        if (c.length) EXPECT_EQ(length, c.length) << c.column;
    }
    // The indexes the reports, lookups and year closing need at a million items.
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral(
        "select list(trim(s.RDB$FIELD_NAME), ',') from RDB$INDICES i join RDB$INDEX_SEGMENTS s on s.RDB$INDEX_NAME = i.RDB$INDEX_NAME "
        "where i.RDB$RELATION_NAME = 'TETEL' group by i.RDB$INDEX_NAME"));
    QStringList indexes;
    while (q.next()) indexes << q.value(0).toString();
    for (const char* wanted : {"SZLA", "ESZLA", "NTIPUS,KONYVBIZ", "SORSZAM,KAPOCS", "UGYFELKOD,SZAMLASZAM", "TELJKELT"})
        EXPECT_TRUE(indexes.contains(QString::fromLatin1(wanted))) << wanted;
}

TEST_F(TemplateTest, SeedRowsTheProgramNames) {
    auto count = [](const char* sql) { return SelectValue(d_tarvedo, QString::fromUtf8(sql)).toInt(); };
    for (const char* account : {"131", "139", "161", "311", "381", "384", "454", "466", "467", "468", "471", "491", "571", "911"})
        EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select KARTON from SZ_TUKOR where SZLA = :S"),
                              {{QStringLiteral("S"), QString::fromLatin1(account)}}).toString(),
                  QStringLiteral("K")) << account;
    EXPECT_GT(count("select count(*) from SZ_TUKOR"), 200);
    // No postable account is the beginning of another: prefix sums count each balance once.
    EXPECT_EQ(count("select count(*) from SZ_TUKOR a join SZ_TUKOR b on b.SZLA starting with a.SZLA and b.SZLA <> a.SZLA "
                    "where a.KARTON = 'K' and b.KARTON = 'K'"), 0);
    // The common journal types, loaded on connect.
    EXPECT_EQ(Td().BkKod, QStringLiteral("BK"));
    EXPECT_EQ(Td().BkSzla, QStringLiteral("384"));
    EXPECT_EQ(Td().VeSzla, QStringLiteral("311"));
    EXPECT_EQ(Td().SzSzla, QStringLiteral("454"));
    EXPECT_EQ(Td().PtSzla, QStringLiteral("381"));
    EXPECT_EQ(Td().NyKod, QStringLiteral("NY"));
    // One default VAT code; a proposed ("H") VAT account for it in every journal type that carries VAT.
    EXPECT_EQ(count("select count(*) from SZ_ADO where upper(ALAPERTEK) = 'I'"), 1);
    EXPECT_DOUBLE_EQ(SelectValue(d_tarvedo, QStringLiteral("select ERTEK from SZ_ADO where upper(ALAPERTEK) = 'I'")).toDouble(), 0.27);
    for (const char* journal : {"VE", "SZ", "PT"})
        EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select count(*) from SZ_ADOASZLA a join SZ_ADO d on d.KOD = a.KOD "
                                                        "where a.NTIPUS = :N and a.JELLEG = 'H' and upper(d.ALAPERTEK) = 'I'"),
                              {{QStringLiteral("N"), QString::fromLatin1(journal)}}).toInt(),
                  1) << journal;
    EXPECT_EQ(count("select count(*) from SZ_DEVIZA where KOD in ('HUF', 'EUR', 'USD')"), 3);
    EXPECT_EQ(count("select count(*) from SZ_ECSMOD where KOD = 'BLA'"), 1);
    EXPECT_EQ(count("select count(*) from CEG where NYITVA = 'I'"), 1);
    // Every maintainable table has its control set.
    EXPECT_GE(count("select count(*) from TABLAK"), 11);
    EXPECT_EQ(count("select count(*) from TABLAK t where not exists (select 1 from VEZERLO v where v.MODUL = t.TABLANEV)"), 0);
    // The statements end in their profit lines.
    EXPECT_EQ(count("select count(*) from EREDMENY where trim(SORSZAM) = 'G.'"), 1);
    EXPECT_EQ(count("select count(*) from MERLEG where trim(SORSZAM) = 'VII.'"), 1);
}

}  // namespace
