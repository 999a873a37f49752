#include "posting/posting_search.h"
#include "posting_test_support.h"

namespace {

class PostingSearchTest : public PostingTest {
protected:
    void SetUp() override {
        PostingTest::SetUp();
        item("2600004", "BK", "2026.03.01", 500, "Bankköltség");
        item("2600001", "BK", "2026.01.15", 1500, "O'Brien befizetése");
        item("2600002", "VE", "2026.01.15", -200, "Jóváírás");
        item("2600003", "VE", "2026.02.01", 12700, "Számla");
        criteria = KonyvkeresCriteria();
    }
    static void item(const char* sorszam, const char* ntipus, const char* teljkelt, double ertek, const char* szoveg) {
        ExecSql(d_tarvedo,
                QStringLiteral("insert into TETEL (SORSZAM, NTIPUS, TELJKELT, ERTEK, SZOVEG, SZLA, ESZLA) "
                               "values (:S, :N, :T, :E, :SZ, '384', '311')"),
                {{QStringLiteral("S"), QString::fromLatin1(sorszam)}, {QStringLiteral("N"), QString::fromLatin1(ntipus)},
                 {QStringLiteral("T"), QString::fromLatin1(teljkelt)}, {QStringLiteral("E"), ertek},
                 {QStringLiteral("SZ"), QString::fromUtf8(szoveg)}});
    }
    QStringList found(const PostingSearch& search) {
        QStringList serials;
        QSqlQuery q = ExecSql(d_tarvedo, search.text(), search.params);
        while (q.next()) serials << q.value(QStringLiteral("SORSZAM")).toString();
        return serials;
    }

    PanelValues criteria;
};

TEST_F(PostingSearchTest, DefaultBoundsListTheNonNegativeAmountsByFulfilmentDate) {
    const PostingSearch search = BuildPostingSearch(criteria);
    EXPECT_EQ(search.wsqldb, 2);
    EXPECT_EQ(search.sql.first(), QStringLiteral("Select * From Tetel"));
    EXPECT_EQ(search.sql.last(), QStringLiteral("order by TELJKELT,SORSZAM"));
    EXPECT_EQ(found(search), (QStringList{"2600001", "2600003", "2600004"}));
}

TEST_F(PostingSearchTest, AmountBoundsCompareNumbers) {
    criteria.setText(QStringLiteral("e_ertek_tol"), QStringLiteral("1000"));
    EXPECT_EQ(found(BuildPostingSearch(criteria)), (QStringList{"2600001", "2600003"}));
    criteria.setText(QStringLiteral("e_ertek_tol"), QStringLiteral("-1000"));
    criteria.setText(QStringLiteral("e_ertek_ig"), QStringLiteral("1 500"));
    EXPECT_EQ(found(BuildPostingSearch(criteria)), (QStringList{"2600001", "2600002", "2600004"}));
}

TEST_F(PostingSearchTest, CriteriaThatAreNoAmountOrDateAreRefused) {
    struct Case {
        const char* field;
        const char* text;
        const char* fault;  // empty: searched
    };
    const Case cases[] = {
        {"e_ertek_tol", "abc", "Hibás összeghatár: abc"},
        {"e_ertek_ig", "12x", "Hibás összeghatár: 12x"},
        {"e_ertek_tol", "-1 500,5", ""},
        {"e_teljkelt_tol", "2025.02.30", "Hibás dátum: 2025.02.30"},
        {"e_konyvelve_ig", "2025.13", "Hibás dátum: 2025.13"},
        {"e_fizhatido_tol", "abc", "Hibás dátum: abc"},
        {"e_teljkelt_ig", "2024.02.29", ""},
        {"e_teljkelt_tol", "2026.02", ""},
        {"e_szlakelt_tol", "2026", ""},
        {"e_bizkelt_tol", "    .  .  ", ""},
    };
    for (const Case& c : cases) {
        PanelValues values = KonyvkeresCriteria();
        values.setText(QString::fromLatin1(c.field), QString::fromUtf8(c.text));
        const QStringList faults = PostingSearchFaults(values);
        if (*c.fault)
            EXPECT_EQ(faults, QStringList{QString::fromUtf8(c.fault)}) << c.field << " " << c.text;
        else
            EXPECT_TRUE(faults.isEmpty()) << c.field << " " << c.text << ": " << faults.join(QLatin1Char('|')).toStdString();
    }
}

TEST_F(PostingSearchTest, TypedCriteriaAreBoundValues) {
    criteria.setText(QStringLiteral("e_ntipus"), QStringLiteral("bk"));
    criteria.setText(QStringLiteral("e_szoveg"), QStringLiteral("o'brien"));
    const PostingSearch search = BuildPostingSearch(criteria);
    EXPECT_FALSE(search.text().contains(QStringLiteral("brien")));
    EXPECT_EQ(found(search), QStringList{"2600001"});

    criteria.setText(QStringLiteral("e_szoveg"), QString());
    criteria.setText(QStringLiteral("e_teljkelt_tol"), QStringLiteral("2026.02"));
    EXPECT_EQ(found(BuildPostingSearch(criteria)), QStringList{"2600004"});
}

TEST_F(PostingSearchTest, TitleClickReordersAndANewSearchRestoresTheOrder) {
    PostingSearch search = BuildPostingSearch(criteria);
    SortPostingSearch(search, QStringLiteral("ERTEK"));
    EXPECT_EQ(search.sql.last(), QStringLiteral("Order By ERTEK"));
    EXPECT_EQ(found(search), (QStringList{"2600004", "2600001", "2600003"}));
    EXPECT_EQ(BuildPostingSearch(criteria).sql.last(), QStringLiteral("order by TELJKELT,SORSZAM"));
}

TEST_F(PostingSearchTest, ClearingEmptiesAllButTheAmountBounds) {
    criteria.setText(QStringLiteral("e_konyvbiz"), QStringLiteral("26"));
    criteria.setText(QStringLiteral("e_ertek_tol"), QStringLiteral("5"));
    ClearCriteria(criteria);
    EXPECT_TRUE(criteria.text(QStringLiteral("e_konyvbiz")).isEmpty());
    EXPECT_EQ(criteria.text(QStringLiteral("e_ertek_tol")), QStringLiteral("0"));
    EXPECT_EQ(criteria.text(QStringLiteral("e_ertek_ig")), QStringLiteral("9999999999"));
}

}  // namespace
