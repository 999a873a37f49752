// One invoice per partner code, invoice number and currency: vouchers
// posted under the same number (a second part, a credit note) make one
// invoice whose payments count once, in the ledgers, the letters and the
// currency amount still open; and the ledger's tie-out with its control
// account under the grand total.
#include <gtest/gtest.h>

#include "export/export_source.h"
#include "ledger_items.h"
#include "partner_items.h"
#include "report_engine_samples.h"
#include "reports/egyenleg.h"
#include "reports/egyenlegkozlo.h"
#include "reports/engine/report_document.h"
#include "reports/engine/report_runner.h"
#include "reports/fregyenleg.h"
#include "support/test_db.h"

using namespace partner;

namespace {

const QStringList LineColumns = {"SZAMLASZAM", "SORREND", "KONYVBIZ", "ERTEK", "PNTIPUS", "PERTEK"};

class InvoiceIdentity : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        serial = 0;
        Exec("insert into UGYFEL (KOD, NEV, VEVO, SZALLITO) values ('V1', 'Első Vevő Kft.', 'I', 'N')");
        Exec("insert into UGYFEL (KOD, NEV, VEVO, SZALLITO) values ('S00004', 'Negyedik Szállító Bt.', 'N', 'I')");
    }
    EgyenlegRun ledger(PartnerSide side, int szamlajel) {
        EgyenlegCriteria c;
        c.szamlajel = szamlajel;
        return RunEgyenleg(side, c, table);
    }
    // The lines of both readings, which must agree, in a fixed order.
    QStringList lines(PartnerSide side, int szamlajel) {
        const QString sorted = "select * from %1 order by SZAMLASZAM, SORREND, KONYVBIZ, PKONYVBIZ";
        const EgyenlegRun r = ledger(side, szamlajel);
        const QStringList onePass = items::Rows(sorted.arg(r.table), LineColumns);
        ResultTable perInvoice;
        perInvoice.prepare(EgyenlegPrefix, EgyenlegColumns());
        EgyenlegCriteria c;
        c.szamlajel = szamlajel;
        FillEgyenlegPerInvoice(side, c, perInvoice.name);
        EXPECT_EQ(items::Rows(sorted.arg(perInvoice.name), LineColumns), onePass);
        return onePass;
    }
    ResultTable table;
};

Item SupplierInvoice(const QString& szamlaszam, double ertek, const QString& teljkelt) {
    return {"SZ", "521", "454", ertek, "S00004", szamlaszam, teljkelt};
}
Item Transfer(const QString& szamlaszam, double ertek) {
    return {"BK", "454", "384", ertek, "S00004", szamlaszam, "2025.03.20"};
}

}  // namespace

// Two supplier invoices "DUP-1" of 10 000 and 5 000 and one transfer of
// 15 000: one invoice of 15 000, paid.
TEST_F(InvoiceIdentity, TwoVouchersUnderOneNumberArePaidOnce) {
    Post({SupplierInvoice("DUP-1", 10000, "2025.03.01"), SupplierInvoice("DUP-1", 5000, "2025.03.02"), Transfer("DUP-1", 15000)});
    const QString first = "SZ1", second = "SZ2";
    EXPECT_TRUE(lines(PartnerSide::Suppliers, NemKiegyenlitett).isEmpty());
    // Each voucher on a line of its own; the transfer beside the first.
    EXPECT_EQ(lines(PartnerSide::Suppliers, Kiegyenlitett),
              QStringList({"DUP-1 | A | " + first + " | 10000 | BK | 15000", "DUP-1 | B | " + second + " | 5000 |  | 0"}));
    const EgyenlegRun all = ledger(PartnerSide::Suppliers, Mind);
    EXPECT_EQ(EgyenlegArrears(all.table), 0);
    ASSERT_TRUE(all.controlBalance.has_value());
    EXPECT_EQ(*all.controlBalance, 0);
}

// Two vouchers and three payments: the payments beside the vouchers, the
// last one beside the invoice's own columns with no amount.
TEST_F(InvoiceIdentity, MorePaymentsThanVouchers) {
    Post({SupplierInvoice("M-1", 10000, "2025.03.02"), SupplierInvoice("M-1", 5000, "2025.03.01"), Transfer("M-1", 4000),
          Transfer("M-1", 4000), Transfer("M-1", 4000)});
    // The voucher of the earlier fulfilment date is the invoice's first.
    EXPECT_EQ(lines(PartnerSide::Suppliers, Reszben),
              QStringList({"M-1 | A | SZ2 | 5000 | BK | 4000", "M-1 | B | SZ1 | 10000 | BK | 4000",
                           "M-1 | B | SZ2 | 0 | BK | 4000"}));
    EXPECT_EQ(EgyenlegArrears(ledger(PartnerSide::Suppliers, NemKiegyenlitett).table), 3000);
}

// A customer invoice of 12 700 and a credit note of 2 540 under its number:
// one invoice of 10 160, which the letters and the ledger settle as one.
TEST_F(InvoiceIdentity, CreditNoteUnderTheInvoicesNumberLowersIt) {
    struct Case {
        double paid;
        QStringList letter;  // BEVETEL | PBEVETEL | KIADAS
        QString status;      // the filters that list it
    } cases[] = {
        {10160, {}, "T"},
        {5000, {"CN-1 | 10160 | 5000 | 5160"}, "R"},
        {0, {"CN-1 | 10160 | 0 | 10160"}, "E"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paid);
        Exec("delete from TETEL");
        Post({CustomerInvoice("CN-1", 12700), {"VE", "911", "311", 2540, "V1", "CN-1", "2025.03.05"}});
        if (c.paid != 0) Post({Payment("CN-1", c.paid, "2025.03.20")});
        ResultTable letters;
        const ReportRun letter = RunEgyenlegkozlo({}, letters);
        EXPECT_EQ(items::Rows(letter.querySql, {"SZAMLASZAM", "BEVETEL", "PBEVETEL", "KIADAS"}), c.letter);
        EXPECT_EQ(lines(PartnerSide::Customers, Kiegyenlitett).isEmpty(), c.status != "T");
        EXPECT_EQ(lines(PartnerSide::Customers, Reszben).isEmpty(), c.status != "R");
        EXPECT_EQ(EgyenlegArrears(ledger(PartnerSide::Customers, NemKiegyenlitett).table), 10160 - c.paid);
    }
}

// The same partner and number in forints and in euro are two invoices; a
// payment goes to the invoice in its own currency.
TEST_F(InvoiceIdentity, SameNumberInTwoCurrenciesIsTwoInvoices) {
    Post({CustomerInvoice("K-1", 1000),
          {"VE", "311", "931", 39000, "V1", "K-1", "2025.03.01", "2025.03.31", "EUR", 100},
          {"BK", "384", "311", 39000, "V1", "K-1", "2025.03.10", "", "EUR", 100},
          Payment("K-1", 400, "2025.03.12")});
    const QString sorted = "select * from %1 order by DEVIZANEM";
    const QStringList columns = {"DEVIZANEM", "SORREND", "ERTEK", "DEVERTEK", "PERTEK", "PDEVIZANEM"};
    EXPECT_EQ(items::Rows(sorted.arg(ledger(PartnerSide::Customers, Mind).table), columns),
              QStringList({"EUR | A | 39000 | 100 | 39000 | EUR", "HUF | A | 1000 | 0 | 400 | HUF"}));
    EXPECT_EQ(items::Rows(sorted.arg(ledger(PartnerSide::Customers, NemKiegyenlitett).table), {"DEVIZANEM", "ERTEK"}),
              QStringList({"HUF | 1000"}));
}

// What a euro invoice still owes in euro: a euro payment by its euro
// amount, a forint payment at the invoice's own rate (390 forints).
TEST_F(InvoiceIdentity, OpenCurrencyAmount) {
    Post({{"VE", "311", "931", 39000, "V1", "E-1", "2025.03.01", "2025.03.31", "EUR", 100},
          {"BK", "384", "311", 9750, "V1", "E-1", "2025.03.10", "", "EUR", 25},
          Payment("E-1", 3900, "2025.03.12"),
          // a refund of 1 950 forints given back
          {"BK", "311", "384", 1950, "V1", "E-1", "2025.03.13"},
          CustomerInvoice("F-1", 5000), Payment("F-1", 1200, "2025.03.12")});
    DbTransaction transaction(d_tarvedo);
    const std::vector<OpenInvoiceRow> open = ReadOpenInvoices(EgyenlegSettlementQuery(PartnerSide::Customers, {}));
    ASSERT_EQ(open.size(), 2u);
    for (const OpenInvoiceRow& row : open) {
        const QString number = row.invoice.first().szamlaszam.toString();
        SCOPED_TRACE(number.toStdString());
        // 100 - 25 - 10 + 5 euro; 5 000 - 1 200 forints
        EXPECT_DOUBLE_EQ(OpenCurrencyAmount(PartnerSide::Customers, row.invoice), number == "E-1" ? 70 : 3800);
        EXPECT_EQ(row.open(), number == "E-1" ? 39000 - 9750 - 3900 + 1950 : 3800);
    }
}

// Under the grand total of "Mind" and "Nem kiegyenlített": the control
// account's balance in the ledger and the difference from the arrears.
TEST_F(InvoiceIdentity, ReconciliationLineUnderTheGrandTotal) {
    Post({CustomerInvoice("R-1", 10000), Payment("R-1", 4000, "2025.03.10"), CustomerInvoice("R-2", 3000),
          Payment("R-2", 2999, "2025.03.10"),
          // a payment posted without its invoice's number: on 311, in no invoice
          Payment("", 500, "2025.03.11")});
    const EgyenlegRun open = ledger(PartnerSide::Customers, NemKiegyenlitett);
    ASSERT_TRUE(open.controlBalance.has_value());
    EXPECT_EQ(*open.controlBalance, 10000 - 4000 + 3000 - 2999 - 500);
    EXPECT_EQ(ControlAccountBalance(PartnerSide::Customers, "V1"), 5501);
    EXPECT_EQ(ControlAccountBalance(PartnerSide::Customers, "V9"), 0);

    const auto laidOut = [&](std::optional<double> balance) {
        QueryExportSource rows(ExecSql(d_tarvedo, open.querySql), "q_egyenleg");
        return LayOutReport(Fregyenleg(PartnerSide::Customers, "Vevő", open.whivparam, balance), rows, sample::Options()).text();
    };
    const QStringList text = laidOut(open.controlBalance);
    // Arrears 6 000 against a balance of 5 501.
    EXPECT_TRUE(text.contains("Mind összesen: | 10 000 | 4 000 | 6 000")) << text.join('\n').toStdString();
    EXPECT_TRUE(text.contains("Főkönyvi egyenleg (311): | 5 501"));
    EXPECT_TRUE(text.contains("Eltérés: | 499"));
    // Without the balance the list ends with the grand total.
    EXPECT_FALSE(laidOut({}).join('\n').contains("Főkönyvi egyenleg"));
    // The paid invoices have nothing to tie out with, nor has a list that
    // leaves invoices out by their dates or numbers; one partner's has.
    EXPECT_FALSE(ledger(PartnerSide::Customers, Kiegyenlitett).controlBalance.has_value());
    for (EgyenlegCriteria c : {EgyenlegCriteria{.teljkeltIg = "2025.12.31"}, EgyenlegCriteria{.fizhatidoTol = "2025.01.01"},
                               EgyenlegCriteria{.szamlaszam = "R-"}})
        EXPECT_FALSE(RunEgyenleg(PartnerSide::Customers, c, table).controlBalance.has_value());
    const EgyenlegRun partner = RunEgyenleg(PartnerSide::Customers, {.ugyfelkod = "V1"}, table);
    ASSERT_TRUE(partner.controlBalance.has_value());
    EXPECT_EQ(*partner.controlBalance, 5501);
}
