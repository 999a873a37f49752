#include "posting/settlement.h"
#include "posting_test_support.h"

namespace {

class SettlementTest : public PostingTest {
protected:
    void SetUp() override {
        PostingTest::SetUp();
        Exec(QStringLiteral("insert into UGYFEL (KOD, NEV, VEVO, SZALLITO) values ('U1', 'Vevő Kft.', 'I', 'N')"));
        Exec(QStringLiteral("insert into UGYFEL (KOD, NEV, VEVO, SZALLITO) values ('S1', 'Szállító Bt.', 'N', 'I')"));
        // Customer invoice 123 with an earlier payment of 5 000.
        row("VE", "V1", "123", "U1", "311", "911", 10000, "");
        row("VE", "V1", "123", "U1", "311", "467", 2700, "A");
        row("BK", "B1", "123", "U1", "384", "311", 5000, "");
        // Supplier invoice 55.
        row("SZ", "S1", "55", "S1", "521", "454", 10000, "");
        row("SZ", "S1", "55", "S1", "466", "454", 2700, "A");
        startVoucher(form, QStringLiteral("BK"));
    }
    static void row(const char* ntipus, const char* konyvbiz, const char* szamlaszam, const char* ugyfel, const char* szla,
                    const char* eszla, double ertek, const char* tartKov) {
        ExecSql(d_tarvedo,
                QStringLiteral("insert into TETEL (SORSZAM, NTIPUS, KONYVBIZ, SZAMLASZAM, UGYFELKOD, SZLA, ESZLA, ERTEK, TART_KOV, "
                               "SZLAKELT, TELJKELT, FIZHATIDO, KAPOCS) values (:K, :N, :K, :SZ, :U, :D, :C, :E, :T, "
                               "'2026.01.10', '2026.01.08', '2026.01.25', '001')"),
                {{QStringLiteral("N"), QString::fromLatin1(ntipus)}, {QStringLiteral("K"), QString::fromLatin1(konyvbiz)},
                 {QStringLiteral("SZ"), QString::fromLatin1(szamlaszam)}, {QStringLiteral("U"), QString::fromLatin1(ugyfel)},
                 {QStringLiteral("D"), QString::fromLatin1(szla)}, {QStringLiteral("C"), QString::fromLatin1(eszla)},
                 {QStringLiteral("E"), ertek}, {QStringLiteral("T"), QString::fromLatin1(tartKov)}});
    }

    KonyvelForm form;
};

TEST_F(SettlementTest, CustomerInvoiceProposesTheUnpaidRest) {
    ASSERT_EQ(form.f.e_szla, QStringLiteral("384"));
    form.f.e_szamlaszam = QStringLiteral("123");
    SzamlaszamExit(form, {});
    EXPECT_EQ(form.f.e_szla, QStringLiteral("384"));
    EXPECT_EQ(form.f.e_eszla, QStringLiteral("311"));
    EXPECT_EQ(form.f.e_ertek, QStringLiteral("7700"));
    EXPECT_EQ(form.f.e_szoveg, QStringLiteral("123 számú  vevő számla kiegyenlítése"));
    EXPECT_EQ(form.f.e_ugyfelkod, QStringLiteral("U1"));
    EXPECT_EQ(form.f.l_ugyfelnev, QStringLiteral("Vevő Kft."));
    EXPECT_EQ(form.f.e_szamlakelt, QStringLiteral("2026.01.10"));
    EXPECT_EQ(form.f.e_fizhatido, QStringLiteral("2026.01.25"));
    EXPECT_EQ(form.f.e_teljkelt, EmptyDate);  // a new item takes no fulfilment date
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SettlementTest, SupplierInvoiceMovesTheBankAccountToTheCredit) {
    form.f.e_szamlaszam = QStringLiteral("55");
    SzamlaszamExit(form, {});
    EXPECT_EQ(form.f.e_szla, QString());
    EXPECT_EQ(form.f.e_eszla, QStringLiteral("384"));
    EXPECT_EQ(form.f.e_szoveg, QStringLiteral("55 szállítói számla kiegyenlítése"));
    EXPECT_EQ(form.f.e_ertek, QStringLiteral("12700"));
    EXPECT_EQ(form.f.e_ugyfelkod, QStringLiteral("S1"));
}

TEST_F(SettlementTest, UnknownInvoiceIsToldAndProposesEmptyValues) {
    row("BK", "B2", "77", "", "384", "311", 300, "");
    form.f.e_ugyfelkod = QStringLiteral("U1");
    form.f.e_szamlakelt = QStringLiteral("2026.02.01");
    form.f.e_szamlaszam = QStringLiteral("77");
    SzamlaszamExit(form, {});
    EXPECT_EQ(messages, QStringList{QStringLiteral("77:  Nincs ilyen számlaszám !")});
    EXPECT_EQ(form.f.e_ugyfelkod, QString());
    EXPECT_EQ(form.f.e_szamlakelt, EmptyDate);
    EXPECT_EQ(form.f.e_szla, QString());
    EXPECT_EQ(form.f.e_eszla, QStringLiteral("384"));
    EXPECT_EQ(form.f.e_szoveg, QStringLiteral("77 szállítói számla kiegyenlítése"));
    EXPECT_EQ(form.f.e_ertek, QStringLiteral("-300"));
}

TEST_F(SettlementTest, OnlyBankAndCashVouchersLookTheInvoiceUp) {
    KonyvelForm invoice;
    startVoucher(invoice, QStringLiteral("VE"));
    invoice.f.e_szamlaszam = QStringLiteral("123");
    const KonyvelFields before = invoice.f;
    SzamlaszamExit(invoice, {});
    EXPECT_EQ(invoice.f.e_eszla, before.e_eszla);
    EXPECT_EQ(invoice.f.e_szoveg, before.e_szoveg);
    EXPECT_EQ(invoice.f.e_ertek, before.e_ertek);
}

TEST_F(SettlementTest, SeveralInvoicesAskWhichOne) {
    row("VE", "V7", "900", "U1", "311", "911", 1000, "");
    row("VE", "V8", "900", "U1", "311", "912", 4000, "");
    form.f.e_szamlaszam = QStringLiteral("900");
    int offered = 0;
    SzamlaszamExit(form, [&](const QString& number, const QList<QSqlRecord>& rows) -> std::optional<QString> {
        EXPECT_EQ(number, QStringLiteral("900"));
        offered = int(rows.size());
        return std::nullopt;  // the choice window closed
    });
    EXPECT_EQ(offered, 2);
    EXPECT_TRUE(form.f.e_eszla.isEmpty());
    EXPECT_TRUE(form.f.e_szoveg.isEmpty());

    SzamlaszamExit(form, [](const QString&, const QList<QSqlRecord>&) { return std::optional<QString>(QStringLiteral("V8")); });
    EXPECT_EQ(form.f.e_ertek, QStringLiteral("4000"));
    EXPECT_EQ(form.f.e_eszla, QStringLiteral("311"));
}

TEST_F(SettlementTest, InvoiceNumberIsBoundAsAValue) {
    form.f.e_szamlaszam = QStringLiteral("1' or '1'='1");
    SzamlaszamExit(form, {});
    EXPECT_EQ(messages, QStringList{QStringLiteral("1' or '1'='1:  Nincs ilyen számlaszám !")});
    EXPECT_EQ(form.f.e_ertek, QStringLiteral("0"));
}

}  // namespace
