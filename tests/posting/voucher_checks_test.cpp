#include "posting/voucher_checks.h"
#include "posting_test_support.h"

namespace {

class VoucherChecksTest : public PostingTest {
protected:
    void SetUp() override {
        PostingTest::SetUp();
        // Voucher numbers typed by hand.
        Exec(QStringLiteral("update CEG set VANKONYVBIZ = 'N'"));
        db1AfterConnect();
        startVoucher(form, QStringLiteral("BK"));
        form.f.e_konyvbiz = QStringLiteral("B-1");
        form.f.e_konyvdat = QStringLiteral("2026.02.03");
        form.f.e_eszla = QStringLiteral("311");
        form.f.e_ertek = QStringLiteral("100");
    }
    CheckResult header() { return FejEllenoriz(form.f, form.c, form.lookups()); }
    CheckResult item() { return TetelEllenoriz(form.f, form.c, form.lookups()); }

    KonyvelForm form;
};

TEST_F(VoucherChecksTest, AcceptsACompleteItem) {
    EXPECT_TRUE(header().ok()) << header().message().toStdString();
    EXPECT_TRUE(item().ok()) << item().message().toStdString();
}

TEST_F(VoucherChecksTest, HeaderFaultsComeInOneMessageWithTheFocusOnTheFirst) {
    form.f.e_ntipus.clear();
    form.f.e_konyvbiz.clear();
    form.f.e_konyvdat = EmptyDate;
    const CheckResult result = header();
    EXPECT_EQ(result.message(), QStringLiteral("Az adatokban az alábbi hibák vannak:\r\r"
                                               "Rossz naplótípus.\rHiányzó könyvelési bizonylatszám.\rHibás könyvelési dátum.\r"));
    EXPECT_EQ(result.focus, QStringLiteral("e_ntipus"));
}

TEST_F(VoucherChecksTest, DatesAreCheckedOnlyWhenGiven) {
    struct Case {
        const char* field;
        const char* value;
        const char* line;  // empty: accepted
    };
    const Case cases[] = {
        {"e_teljkelt", "    .  .  ", ""},
        {"e_teljkelt", "", ""},
        {"e_teljkelt", "2024.02.30", "Hibás teljesítés kelte."},
        {"e_teljkelt", "2024.02.29", ""},
        {"e_szamlakelt", "2026.13.01", "Hibás számla kelte."},
        // Stored dates are compared as texts: only the stored form is a date.
        {"e_fizhatido", "20260101", "Hibás fizetési határidő."},
        {"e_teljkelt", "2025x06x15", "Hibás teljesítés kelte."},
        {"e_teljkelt", "202506", "Hibás teljesítés kelte."},
        {"e_teljkelt", "2025.03", "Hibás teljesítés kelte."},
        {"e_konyvdat", "2026.04.30.", "Hibás könyvelési dátum."},
        {"e_fizhatido", "2026.1.1", "Hibás fizetési határidő."},
        {"e_konyvdat", "2026.04.31", "Hibás könyvelési dátum."},
        {"e_ntipus", "  ", "Rossz naplótípus."},
        {"e_ntipus", "XX", "Rossz naplótípus."},
    };
    for (const Case& c : cases) {
        KonyvelFields fields = form.f;
        const QString value = QString::fromUtf8(c.value);
        const QString field = QString::fromLatin1(c.field);
        if (field == QLatin1String("e_teljkelt")) fields.e_teljkelt = value;
        if (field == QLatin1String("e_szamlakelt")) fields.e_szamlakelt = value;
        if (field == QLatin1String("e_fizhatido")) fields.e_fizhatido = value;
        if (field == QLatin1String("e_konyvdat")) fields.e_konyvdat = value;
        if (field == QLatin1String("e_ntipus")) fields.e_ntipus = value;
        const CheckResult result = FejEllenoriz(fields, form.c, form.lookups());
        const QString line = QString::fromUtf8(c.line);
        if (line.isEmpty()) {
            EXPECT_TRUE(result.ok()) << c.field << " '" << c.value << "': " << result.message().toStdString();
        } else {
            EXPECT_EQ(result.lines, QStringList{line}) << c.field << " '" << c.value << "'";
            EXPECT_EQ(result.focus, field);
        }
    }
}

TEST_F(VoucherChecksTest, PartnerCodeMustExist) {
    Exec(QStringLiteral("insert into UGYFEL (KOD, NEV) values ('S00001', 'Szállító Bt.')"));
    struct Case {
        const char* code;
        bool accepted;
    };
    const Case cases[] = {{"", true}, {"S00001", true}, {"s00001", true}, {"S00002", false}, {" S00001", false}};
    for (const Case& c : cases) {
        KonyvelFields fields = form.f;
        fields.e_ugyfelkod = QString::fromLatin1(c.code);
        const CheckResult result = FejEllenoriz(fields, form.c, form.lookups());
        if (c.accepted) {
            EXPECT_TRUE(result.ok()) << c.code << ": " << result.message().toStdString();
        } else {
            EXPECT_EQ(result.lines, QStringList{QStringLiteral("Hibás ügyfélkód.")}) << c.code;
            EXPECT_EQ(result.focus, QStringLiteral("e_ugyfelkod"));
        }
    }
}

TEST_F(VoucherChecksTest, AutomaticVoucherNumbersNeedNoNumber) {
    Exec(QStringLiteral("update CEG set VANKONYVBIZ = 'I'"));
    db1AfterConnect();
    KonyvelForm automatic;
    startVoucher(automatic, QStringLiteral("BK"));
    EXPECT_FALSE(automatic.c.e_konyvbiz);
    EXPECT_TRUE(FejEllenoriz(automatic.f, automatic.c, automatic.lookups()).ok());
}

TEST_F(VoucherChecksTest, ItemAccountFaults) {
    form.f.e_szla.clear();
    form.f.e_eszla = QStringLiteral("999");
    const CheckResult result = item();
    EXPECT_EQ(result.lines, (QStringList{QStringLiteral("Hiányzó tartozik számlaszám."), QStringLiteral("Hibás követel számlaszám.")}));
    EXPECT_EQ(result.focus, QStringLiteral("e_szla"));

    form.f.e_szla = QStringLiteral("3899");
    form.f.e_eszla.clear();
    form.f.e_ertek.clear();
    EXPECT_EQ(item().lines, (QStringList{QStringLiteral("Hibás tartozik számlaszám."), QStringLiteral("Hiányzó követel számlaszám."),
                                         QStringLiteral("Hiányzó érték.")}));
    form.f.e_szla = QStringLiteral("384");
    form.f.e_eszla = QStringLiteral("311");
    form.f.e_ertek = QStringLiteral("0");  // a zero amount is not missing
    EXPECT_TRUE(item().ok());
}

TEST_F(VoucherChecksTest, VatFieldsOnlyWithTheVatBox) {
    ASSERT_FALSE(form.f.cb_afa);
    form.f.e_aszla.clear();
    EXPECT_TRUE(item().ok());

    form.SetAfa(true);
    form.f.e_aszla.clear();
    form.f.e_afaertek.clear();
    form.f.e_nettoertek.clear();
    EXPECT_EQ(item().lines, (QStringList{QStringLiteral("Hiányzó ÁFA számlaszám."), QStringLiteral("Hiányzó ÁFA érték."),
                                         QStringLiteral("Hiányzó nettó érték.")}));
    EXPECT_EQ(item().focus, QStringLiteral("e_aszla"));
    form.f.e_aszla = QStringLiteral("311");  // an account, but no VAT account
    form.e_ertekExit();
    EXPECT_EQ(item().lines, QStringList{QStringLiteral("Hibás ÁFA számlaszám.")});
}

}  // namespace
