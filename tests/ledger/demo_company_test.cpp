#include <QSet>
#include <QSqlQuery>
#include <iterator>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/sequence.h"
#include "ledger/demo_company.h"
#include "support/test_db.h"

namespace {

class DemoCompanyTest : public CompanyDbTest {
protected:
    static constexpr int kItems = 1500;
    void SetUp() override {
        CompanyDbTest::SetUp();
        stats = GenerateDemoCompany(d_tarvedo, {kItems, 2025, 7});
        db1AfterConnect();
    }
    qlonglong count(const QString& sql) { return SelectValue(d_tarvedo, sql).toLongLong(); }
    DemoStats stats;
};

TEST_F(DemoCompanyTest, WritesTheRequestedItemsAndTheCompany) {
    EXPECT_EQ(stats.items, kItems);
    EXPECT_EQ(count(QStringLiteral("select count(*) from TETEL")), stats.rows);
    EXPECT_EQ(count(QStringLiteral("select count(distinct SORSZAM) from TETEL")), kItems);
    EXPECT_EQ(Td().ceg.text(QStringLiteral("NEV")), QStringLiteral("Minta Kft."));
    EXPECT_EQ(Td().ceg.text(QStringLiteral("AKTUALISEV")), QStringLiteral("2025"));
    EXPECT_GT(count(QStringLiteral("select count(*) from UGYFEL where VEVO = 'I'")), 0);
}

TEST_F(DemoCompanyTest, EveryItemIsShapedAsTheVoucherWindowStoresIt) {
    // A VAT row has exactly one main row with the same serial and link number.
    EXPECT_EQ(count(QStringLiteral("select count(*) from TETEL a where a.TART_KOV = 'A' and "
                                   "(select count(*) from TETEL m where m.SORSZAM = a.SORSZAM and m.KAPOCS = a.KAPOCS "
                                   "and m.TART_KOV = '') <> 1")),
              0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from (select SORSZAM from TETEL group by SORSZAM "
                                   "having count(distinct KAPOCS) <> 1 or count(*) > 2 or "
                                   "sum(case when TART_KOV = 'A' then 1 else 0 end) > 1)")),
              0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from TETEL where TART_KOV = 'A' and SZOVEG <> 'AFA'")), 0);
    // Items without VAT carry no VAT code or line; text columns are never null.
    EXPECT_EQ(count(QStringLiteral("select count(*) from TETEL m where m.TART_KOV = '' and m.AFAKULCS <> '' and not exists "
                                   "(select 1 from TETEL a where a.SORSZAM = m.SORSZAM and a.TART_KOV = 'A')")),
              0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from TETEL where SZOVEG is null or KAPOCS is null or TART_KOV is null "
                                   "or UGYFELKOD is null or TELJKELT is null or SZAMLASZAM is null")),
              0);
    // Every row is a whole double entry between two postable accounts.
    EXPECT_EQ(count(QStringLiteral("select count(*) from TETEL t where not exists (select 1 from SZ_TUKOR s where "
                                   "s.SZLA = t.SZLA and s.KARTON = 'K') or not exists (select 1 from SZ_TUKOR s where "
                                   "s.SZLA = t.ESZLA and s.KARTON = 'K') or t.SZLA = t.ESZLA")),
              0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from TETEL where TELJKELT not like '2025.__.__' and TELJKELT not like '2024.__.__'")), 0);
}

TEST_F(DemoCompanyTest, LinkNumbersRunFromOneInEveryVoucher) {
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select NTIPUS, KONYVBIZ, count(distinct KAPOCS), max(KAPOCS) "
                                                    "from TETEL group by NTIPUS, KONYVBIZ"));
    int vouchers = 0;
    while (q.next()) {
        ++vouchers;
        EXPECT_EQ(ZeroPad(q.value(2).toString(), 3), q.value(3).toString())
            << q.value(0).toString().toStdString() << " " << q.value(1).toString().toStdString();
    }
    EXPECT_EQ(vouchers, stats.vouchers);
}

TEST_F(DemoCompanyTest, NumbersComeFromTheCounters) {
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select NTIPUS, max(KONYVBIZ), count(distinct KONYVBIZ) from TETEL group by NTIPUS"));
    while (q.next()) {
        const QString kind = q.value(0).toString();
        const qlonglong last = SelectValue(d_tarvedo, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = :F and EV = '2025'"),
                                           {{QStringLiteral("F"), kind}})
                                   .toLongLong();
        EXPECT_EQ(q.value(1).toString(), SequenceNumberText(QStringLiteral("2025"), last)) << kind.toStdString();
        EXPECT_EQ(q.value(2).toLongLong(), last) << kind.toStdString();
    }
    EXPECT_EQ(count(QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'SORSZAM' and EV = '2025'")), kItems);
    // The next number taken by hand follows the generated ones.
    EXPECT_EQ(NextSequenceNumber(QStringLiteral("SORSZAM")), SequenceNumberText(QStringLiteral("2025"), kItems + 1));
}

TEST_F(DemoCompanyTest, VatIsTheRoundedShareOfTheNet) {
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select m.ERTEK, a.ERTEK, d.ERTEK from TETEL m join TETEL a on "
                                                    "a.SORSZAM = m.SORSZAM and a.KAPOCS = m.KAPOCS and a.TART_KOV = 'A' "
                                                    "join SZ_ADO d on d.KOD = m.AFAKULCS where m.TART_KOV = ''"));
    int checked = 0;
    while (q.next()) {
        ++checked;
        EXPECT_DOUBLE_EQ(q.value(1).toDouble(), double(RoundHalfAway(q.value(0).toDouble() * q.value(2).toDouble())));
    }
    EXPECT_GT(checked, 100);
}

TEST_F(DemoCompanyTest, PaymentsSettleInvoicesThatExist) {
    // Every bank item with an invoice number pays an invoice of that partner.
    EXPECT_EQ(count(QStringLiteral("select count(*) from TETEL b where b.NTIPUS = 'BK' and b.SZAMLASZAM <> '' and not exists "
                                   "(select 1 from TETEL i where i.SZAMLASZAM = b.SZAMLASZAM and i.UGYFELKOD = b.UGYFELKOD "
                                   "and i.NTIPUS in ('VE', 'SZ', 'NY'))")),
              0);
    // Some invoices are paid in full, some in part, some not at all.
    EXPECT_GT(count(QStringLiteral("select count(*) from TETEL where NTIPUS = 'BK' and SZAMLASZAM <> ''")), 50);
    EXPECT_GT(count(QStringLiteral("select count(*) from TETEL where NTIPUS = 'VE' and DEVIZANEM = 'EUR'")), 0);
}

// The VAT account and return line come from the journal type's "H" row for
// the code, also when another row for the same code is read before it.
TEST_F(CompanyDbTest, DemoVatRowsTakeTheJournalTypesMainVatAccount) {
    Exec(QStringLiteral("delete from SZ_ADOASZLA where NTIPUS = 'VE' and KOD = '27'"));
    Exec(QStringLiteral("insert into SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) "
                        "values ('VE', '466', '27', 'X', '99', 'Nem ez')"));
    Exec(QStringLiteral("insert into SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) "
                        "values ('VE', '467', '27', 'H', '07', 'Fizetendő ÁFA, 27 %')"));
    GenerateDemoCompany(d_tarvedo, {400, 2025, 11});

    auto count = [](const char* sql) { return SelectValue(d_tarvedo, QString::fromLatin1(sql)).toLongLong(); };
    EXPECT_GT(count("select count(*) from TETEL where NTIPUS = 'VE' and AFAKULCS = '27' and TART_KOV = ''"), 0);
    EXPECT_EQ(count("select count(*) from TETEL where NTIPUS = 'VE' and AFAKULCS = '27' and TART_KOV = '' "
                    "and SOR65 is distinct from '07'"),
              0);
    EXPECT_EQ(count("select count(*) from TETEL a join TETEL m on m.SORSZAM = a.SORSZAM and m.KAPOCS = a.KAPOCS "
                    "and m.TART_KOV = '' where a.TART_KOV = 'A' and m.NTIPUS = 'VE' and m.AFAKULCS = '27' "
                    "and a.SZLA not starting with '467' and a.ESZLA not starting with '467'"),
              0);
}

// The till of the demo year, the one init-demo makes by default: its
// balance after each day's items is never below zero.
TEST_F(CompanyDbTest, DemoCashNeverRunsBelowZero) {
    GenerateDemoCompany(d_tarvedo, {3000, 2025, 1});
    const auto value = [](const char* sql) { return SelectValue(d_tarvedo, QString::fromLatin1(sql)).toDouble(); };
    QSqlQuery days = ExecSql(d_tarvedo,
                             QStringLiteral("select TELJKELT, sum(iif(SZLA = '381', ERTEK, 0)) - sum(iif(ESZLA = '381', ERTEK, 0)) "
                                            "from TETEL where SZLA = '381' or ESZLA = '381' group by TELJKELT order by TELJKELT"));
    double balance = 0, lowest = 0;
    int dayCount = 0;
    while (NextRow(days)) {
        balance += days.value(1).toDouble();
        lowest = dayCount++ == 0 ? balance : qMin(lowest, balance);
    }
    EXPECT_GT(dayCount, 100);
    EXPECT_GE(lowest, 0);
    EXPECT_GE(balance, 0);
    // The till still pays for purchases all year, the bank tops it up.
    EXPECT_GT(value("select count(*) from TETEL where NTIPUS = 'PT' and SZLA starting with '5' and ESZLA = '381'"), 100);
    EXPECT_GT(value("select count(*) from TETEL where NTIPUS = 'PT' and SZLA = '381' and ESZLA = '384'"), 10);
}

TEST(DemoCompanyDeterminism, SameSeedSameBooks) {
    auto fingerprint = [](quint64 seed) {
        TempCompanyDb db;
        db.connect();
        GenerateDemoCompany(d_tarvedo, {300, 2024, seed});
        const QString print = SelectValue(d_tarvedo, QStringLiteral("select count(*) || '/' || sum(ERTEK) || '/' || max(SZAMLASZAM) from TETEL")).toString();
        DbDisconnect(d_tarvedo);
        return print;
    };
    EXPECT_EQ(fingerprint(3), fingerprint(3));
    EXPECT_NE(fingerprint(3), fingerprint(4));
}

}  // namespace

// The document number column holds 15 characters; a year of millions of
// invoices must neither overflow it nor give two invoices one number.
TEST(CustomerInvoiceNumberTest, FitsTheDocumentNumberColumnAtEverySize) {
    const qint64 serials[] = {1, 999'999, 1'000'000, 9'999'999, 10'000'000, 99'999'999'999};
    QSet<QString> seen;
    for (qint64 serial : serials) {
        const QString number = CustomerInvoiceNumber(2025, serial);
        EXPECT_LE(number.size(), 15) << number.toStdString();
        EXPECT_TRUE(number.contains(QString::number(serial))) << number.toStdString();
        seen.insert(number);
    }
    EXPECT_EQ(seen.size(), int(std::size(serials)));
    EXPECT_EQ(CustomerInvoiceNumber(2025, 123), QStringLiteral("VSZ-2025-000123"));
}
