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

TEST_F(PostingSearchTest, NoCriterionListsEveryAmountByFulfilmentDate) {
    const PostingSearch search = BuildPostingSearch(criteria);
    EXPECT_EQ(search.wsqldb, 0);
    EXPECT_EQ(search.sql, (QStringList{"Select * From Tetel", "order by TELJKELT,SORSZAM"}));
    EXPECT_EQ(found(search), (QStringList{"2600001", "2600002", "2600003", "2600004"}));
}

// A voucher of six items, one of them a reversal keyed with a minus sign:
// the search for the voucher finds all six, and the amount bounds compare
// as numbers (as texts "-150" would sort before "0" and "25000" after "9999").
TEST_F(PostingSearchTest, AVouchersNegativeItemIsFound) {
    const double amounts[] = {25000, 1200, 350.5, -150, 9999, 0.5};
    int n = 0;
    for (double ertek : amounts)
        ExecSql(d_tarvedo,
                QStringLiteral("insert into TETEL (SORSZAM, NTIPUS, KONYVBIZ, TELJKELT, ERTEK, SZLA, ESZLA) "
                               "values (:S, 'SZ', '2600077', '2026.04.01', :E, '521', '454')"),
                {{QStringLiteral("S"), QStringLiteral("26001%1").arg(++n)}, {QStringLiteral("E"), ertek}});
    criteria.setText(QStringLiteral("e_konyvbiz"), QStringLiteral("2600077"));
    EXPECT_EQ(found(BuildPostingSearch(criteria)),
              (QStringList{"260011", "260012", "260013", "260014", "260015", "260016"}));

    const struct {
        const char *tol, *ig;
        QStringList serials;
    } bounds[] = {
        {"0", "", {"260011", "260012", "260013", "260015", "260016"}},
        {"-200", "400", {"260013", "260014", "260016"}},
        {"", "1 200,0", {"260012", "260013", "260014", "260016"}},
        {"1000", "9999", {"260012", "260015"}},
    };
    for (const auto& b : bounds) {
        criteria.setText(QStringLiteral("e_ertek_tol"), QString::fromUtf8(b.tol));
        criteria.setText(QStringLiteral("e_ertek_ig"), QString::fromUtf8(b.ig));
        EXPECT_EQ(found(BuildPostingSearch(criteria)), b.serials) << b.tol << " .. " << b.ig;
    }
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
    EXPECT_EQ(found(search), (QStringList{"2600002", "2600004", "2600001", "2600003"}));
    EXPECT_EQ(BuildPostingSearch(criteria).sql.last(), QStringLiteral("order by TELJKELT,SORSZAM"));
}

TEST_F(PostingSearchTest, ClearingEmptiesEveryCriterion) {
    criteria.setText(QStringLiteral("e_konyvbiz"), QStringLiteral("26"));
    criteria.setText(QStringLiteral("e_ertek_tol"), QStringLiteral("5"));
    criteria.setText(QStringLiteral("e_ertek_ig"), QStringLiteral("50"));
    ClearCriteria(criteria);
    for (const char* name : {"e_konyvbiz", "e_ertek_tol", "e_ertek_ig"})
        EXPECT_TRUE(criteria.text(QString::fromLatin1(name)).isEmpty()) << name;
}

}  // namespace
