#include <gtest/gtest.h>

#include "masterdata/record_storage.h"
#include "md_test_support.h"
#include "support/test_db.h"

namespace {

PanelControl& edit(PanelValues& p, const QString& name, const QString& text, const QString& hint = {}) {
    PanelControl& c = p.add(name, PanelKind::Edit, text);
    c.hint = hint;
    return c;
}

TEST(SearchConditions, OneConditionPerFilledEditByItsHint) {
    struct Case {
        QString name, text, hint, condition;
    } cases[] = {
        {"E_NEV", "  Kov ", "", " Lower(NEV) like '%kov%'"},
        {"e_nev_2", "Kov", "lower", " Lower(NEV) like '%kov%'"},
        {"E_NEV", "Kov", "UPPER", " Lower(NEV) like '%kov%'"},
        {"E_SZLA", "38", "L%", "Lower(SZLA) like '38%'"},
        {"E_KOD", "AB", "=", "Lower(KOD) = 'ab'"},
        {"E_TELJKELT_TOL", "2024.01", ">=", "Substring(Lower(TELJKELT) from 1 for 7) >= '2024.01'"},
        {"E_TELJKELT_IG", "2024.03", "<=", "Substring(Lower(TELJKELT) from 1 for 7) <= '2024.03'"},
        {"E_NTIPUS", "BK,VE,", "IN", "Lower(NTIPUS) in ('bk','ve')"},
        {"E_NEV", "O'Neil", "", " Lower(NEV) like '%o''neil%'"},
    };
    for (const Case& c : cases) {
        PanelValues p;
        edit(p, c.name, c.text, c.hint);
        QStringList conditions{"left over"};
        EXPECT_EQ(KeresFeltetel(p, conditions), 1) << c.name.toStdString();
        EXPECT_EQ(conditions, QStringList{c.condition}) << c.name.toStdString();
    }
}

TEST(SearchConditions, EditsThatDoNotCount) {
    PanelValues p;
    edit(p, "E_A", "");
    edit(p, "E_B", "x").visible = false;
    edit(p, "E_C", "x").enabled = false;
    edit(p, "E_D", "x", "SKIP");
    edit(p, "E_E", "x", "valami");  // counted, gives no condition
    p.add("PF1_F", PanelKind::StaticText, "x");
    QStringList conditions;
    EXPECT_EQ(KeresFeltetel(p, conditions), 1);
    EXPECT_TRUE(conditions.isEmpty());
}

TEST(SearchConditions, BoundValues) {
    PanelValues p;
    edit(p, "E_NEV", "O'Neil");
    edit(p, "E_KOD", "a,b", "IN");
    QStringList conditions;
    QVariantMap params;
    EXPECT_EQ(KeresFeltetel(p, conditions, &params), 2);
    EXPECT_EQ(conditions, (QStringList{" Lower(NEV) like cast(:KF1 as varchar(1000))",
                                       "Lower(KOD) in (cast(:KF2 as varchar(1000)),cast(:KF3 as varchar(1000)))"}));
    EXPECT_EQ(params.value("KF1").toString(), QStringLiteral("%o'neil%"));
    EXPECT_EQ(params.value("KF3").toString(), QStringLiteral("b"));
}

class SearchConditionsDb : public CompanyDbTest {};

TEST_F(SearchConditionsDb, TypedQuotesFindTheRowAndNothingElse) {
    Exec("insert into UGYFEL (KOD, NEV) values ('ON', 'O''Neil Kft.')");
    Exec("insert into UGYFEL (KOD, NEV) values ('MAS', 'Más Bt.')");
    // The code column is 7 characters long; longer typed values find nothing.
    for (const QString& typed : {QStringLiteral("o'neil"), QStringLiteral("' or 1=1 --")}) {
        PanelValues p;
        edit(p, "E_NEV", typed);
        edit(p, "E_KOD_2", typed.startsWith(QLatin1Char('o')) ? "ON" : "' or 1=1 -- and more", "=");
        QStringList conditions;
        KeresFeltetel(p, conditions);
        const QString expected = typed.startsWith(QLatin1Char('o')) ? "1" : "0";
        EXPECT_EQ(One("select count(*) from UGYFEL where " + conditions.join(" and ")), expected) << typed.toStdString();
        QVariantMap params;
        KeresFeltetel(p, conditions, &params);
        EXPECT_EQ(SelectValue(d_tarvedo, "select count(*) from UGYFEL where " + conditions.join(" and "), params).toString(),
                  expected)
            << typed.toStdString();
    }
}

}  // namespace
