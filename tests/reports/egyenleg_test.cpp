// The customer and supplier ledgers: the settlement statuses and their
// filters, the invoice and payment lines, reuse of the last run's table,
// and the one-pass statement against the invoice-by-invoice reading and
// against the ledger itself.
#include <gtest/gtest.h>

#include <QSet>
#include <algorithm>

#include "db/catalog.h"
#include "ledger/demo_company.h"
#include "ledger_items.h"
#include "partner_items.h"
#include "reports/egyenleg.h"
#include "support/test_db.h"

namespace {

using namespace partner;

const QStringList LineColumns = {"SZAMLASZAM", "SORREND", "ERTEK", "PNTIPUS", "PBIZONYLAT", "PTELJKELT", "PERTEK", "PDEVIZANEM"};

class Egyenleg : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec("insert into UGYFEL (KOD, NEV, VEVO, SZALLITO, PFJSZ) values ('V1', 'Első Vevő Kft.', 'I', 'N', '11111111-22222222')");
        Exec("insert into UGYFEL (KOD, NEV, VEVO, SZALLITO) values ('S1', 'Szállító Bt.', 'N', 'I')");
    }

    EgyenlegRun run(int szamlajel, PartnerSide side = PartnerSide::Customers, EgyenlegCriteria c = {}) {
        c.szamlajel = szamlajel;
        return RunEgyenleg(side, c, table);
    }
    // Invoice number -> the status letter the filters give it.
    QMap<QString, QChar> statuses(PartnerSide side = PartnerSide::Customers) {
        QMap<QString, QChar> out;
        const auto in = [&](int filter) {
            QSet<QString> numbers;
            const EgyenlegRun r = run(filter, side);
            for (const QString& n : items::Rows(r.querySql, {"SZAMLASZAM"})) numbers.insert(n);
            return numbers;
        };
        const QSet<QString> paid = in(Kiegyenlitett), open = in(NemKiegyenlitett), late = in(HataridonTul),
                            partly = in(Reszben), all = in(Mind);
        for (const QString& n : all) {
            if (late.contains(n)) out[n] = u'H';
            else if (paid.contains(n)) out[n] = u'T';
            else if (partly.contains(n)) out[n] = u'R';
            else if (open.contains(n)) out[n] = u'E';
            else out[n] = u'?';
        }
        return out;
    }
    ResultTable table;
};

}  // namespace

TEST_F(Egyenleg, SettlementStatusOfEachCase) {
    Post({
        CustomerInvoice("S-2DIFF", 10000), Payment("S-2DIFF", 9998, "2025.03.20"),
        CustomerInvoice("S-LATE", 10000), Payment("S-LATE", 9998, "2025.04.05"),
        CustomerInvoice("S-ONDUE", 10000), Payment("S-ONDUE", 10000, "2025.03.31"),
        CustomerInvoice("S-TWO", 10000), Payment("S-TWO", 6000, "2025.03.10"), Payment("S-TWO", 4000, "2025.03.15"),
        CustomerInvoice("S-NONE", 10000),
        CustomerInvoice("S-PART", 10000), Payment("S-PART", 6000, "2025.03.10"),
        CustomerInvoice("S-3DIFF", 10000), Payment("S-3DIFF", 9997, "2025.03.10"),
        // A credit note and its refund (debit the customer, credit the bank).
        {"VE", "911", "311", 5000, "V1", "S-CREDIT", "2025.03.01"},
        {"BK", "311", "384", 5000, "V1", "S-CREDIT", "2025.03.05"},
        // Another partner's payment of an invoice of the same number pays nothing here.
        CustomerInvoice("S-OTHER", 3000), Payment("S-OTHER", 3000, "2025.03.05", "V2"),
    });
    const QMap<QString, QChar> expected{{"S-2DIFF", u'T'}, {"S-LATE", u'H'}, {"S-ONDUE", u'T'}, {"S-TWO", u'T'},
                                        {"S-NONE", u'E'},  {"S-PART", u'R'}, {"S-3DIFF", u'R'}, {"S-CREDIT", u'T'},
                                        {"S-OTHER", u'E'}};
    EXPECT_EQ(statuses(), expected);
}

TEST_F(Egyenleg, InvoiceAndPaymentLines) {
    Post({
        CustomerInvoice("L-TWO", 10000), Payment("L-TWO", 6000, "2025.03.10"), Payment("L-TWO", 4000, "2025.03.15"),
        CustomerInvoice("L-NONE", 7000),
        {"VE", "911", "311", 5000, "V1", "L-CREDIT", "2025.03.01"},
        {"BK", "311", "384", 5000, "V1", "L-CREDIT", "2025.03.05"},
    });
    const EgyenlegRun r = run(Mind);
    EXPECT_TRUE(r.table.startsWith("TMP_P_"));
    EXPECT_EQ(r.rows, 4);
    EXPECT_EQ(items::Rows(r.querySql, LineColumns),
              QStringList({"L-CREDIT | A | -5000 | BK | BK" + QString::number(serial) + " | 2025.03.05 | -5000 | HUF",
                           "L-NONE | A | 7000 |  |  |  | 0 | ",
                           "L-TWO | A | 10000 | BK | B-L-TWO | 2025.03.10 | 6000 | HUF",
                           "L-TWO | B | 0 | BK | B-L-TWO | 2025.03.15 | 4000 | HUF"}));
    // The arrears of the two payments come to nothing; the open invoice stays.
    EXPECT_EQ(items::Rows("select sum(ERTEK - PERTEK) ARREARS, min(UGYFELNEV) NEV, min(DEVIZANEM) DEV from " + r.table +
                              " where SZAMLASZAM = 'L-TWO'",
                          {"ARREARS", "NEV", "DEV"}),
              QStringList({"0 | Első Vevő Kft. | HUF"}));
    EXPECT_EQ(r.whivparam, "Telj. kelte:     .  .   -     .  .       Fiz.határidő:     .  .   -     .  .     Számlatípus: Mind");
}

TEST_F(Egyenleg, SupplierSideAndOpeningItems) {
    Post({
        {"SZ", "521", "454", 8000, "S1", "SZ-1", "2025.02.01"},
        {"BK", "454", "384", 8000, "S1", "SZ-1", "2025.02.20"},
        {"SZ", "521", "454", 4000, "S1", "SZ-2", "2025.02.01"},
        // Last year's open invoices carried forward, under the year closing's
        // journal type and under the fixed code "2".
        {"NY", "491", "454", 2500, "S1", "SZ-OLD", "2024.12.10"},
        {"2", "311", "491", 1200, "V1", "VE-OLD", "2024.12.11"},
        {"NY", "311", "491", 1300, "V1", "VE-OLD2", "2024.12.12"},
    });
    EXPECT_EQ(statuses(PartnerSide::Suppliers), (QMap<QString, QChar>{{"SZ-1", u'T'}, {"SZ-2", u'E'}, {"SZ-OLD", u'E'}}));
    EXPECT_EQ(statuses(PartnerSide::Customers), (QMap<QString, QChar>{{"VE-OLD", u'E'}, {"VE-OLD2", u'E'}}));
    const EgyenlegRun r = run(Mind, PartnerSide::Suppliers);
    EXPECT_EQ(items::Rows(r.querySql, {"SZAMLASZAM", "ERTEK", "PERTEK"}),
              QStringList({"SZ-1 | 8000 | 8000", "SZ-2 | 4000 | 0", "SZ-OLD | 2500 | 0"}));
}

TEST_F(Egyenleg, CriteriaSelectInvoices) {
    Post({
        CustomerInvoice("K-1", 1000), CustomerInvoice("K-2", 2000), CustomerInvoice("X-3", 3000, "V'2"),
        {"VE", "311", "911", 4000, "V1", "K-4", "2025.05.01", "2025.05.31"},
    });
    const auto numbers = [&](EgyenlegCriteria c) { return items::Rows(run(Mind, PartnerSide::Customers, c).querySql, {"SZAMLASZAM"}); };
    // The unknown partner has no name and comes first.
    EXPECT_EQ(numbers({}), QStringList({"X-3", "K-1", "K-2", "K-4"}));
    EXPECT_EQ(numbers({"", "", "", "", "", "K-"}), QStringList({"K-1", "K-2", "K-4"}));
    EXPECT_EQ(numbers({"", "", "", "", "V'2"}), QStringList({"X-3"}));
    EXPECT_EQ(numbers({"2025.04.01", "    .  .  "}), QStringList({"K-4"}));
    EXPECT_EQ(numbers({"", "2025.04.01"}), QStringList({"X-3", "K-1", "K-2"}));
    EXPECT_EQ(numbers({"", "", "2025.05.01", "2025.06.30"}), QStringList({"K-4"}));
    EgyenlegCriteria c;
    c.ugyfelkod = "V1";
    c.szamlajel = Reszben;
    EXPECT_EQ(EgyenlegParamLine(c), "Telj. kelte:     .  .   -     .  .       Fiz.határidő:     .  .   -     .  .     "
                                    "Számlatípus: Részben kiegyenlített    Ügyfél: V1");
}

TEST_F(Egyenleg, CurrencyInvoiceKeepsItsCurrencyAmounts) {
    Post({
        {"VE", "311", "931", 39000, "V1", "EUR-1", "2025.03.01", "2025.03.31", "EUR", 100},
        {"BK", "384", "311", 39500, "V1", "EUR-1", "2025.03.20", "", "EUR", 100},
    });
    const EgyenlegRun r = run(Mind);
    EXPECT_EQ(items::Rows(r.querySql, {"DEVIZANEM", "ERTEK", "DEVERTEK", "PERTEK", "PDEVERTEK", "PDEVIZANEM"}),
              QStringList({"EUR | 39000 | 100 | 39500 | 100 | EUR"}));
    EXPECT_EQ(statuses(), (QMap<QString, QChar>{{"EUR-1", u'R'}}));
}

// The sums are rounded after every payment item: a half forint against a
// running sum of the other sign rounds the other way than alone.
TEST_F(Egyenleg, HalfForintPaymentsSummedItemByItem) {
    Post({CustomerInvoice("H-1", 101), Payment("H-1", 100.5, "2025.03.01"), Payment("H-1", -0.5, "2025.03.02"),
          Payment("H-1", -0.5, "2025.03.03"), Payment("H-1", -0.5, "2025.03.04"), Payment("H-1", -0.5, "2025.03.05"),
          CustomerInvoice("H-2", 500), Payment("H-2", 500, "2025.03.01")});
    EXPECT_EQ(statuses(), (QMap<QString, QChar>{{"H-1", u'T'}, {"H-2", u'T'}}));
    const EgyenlegRun r = run(Kiegyenlitett);
    EXPECT_EQ(items::Rows(r.querySql, {"SZAMLASZAM", "SORREND", "ERTEK", "PERTEK"}),
              QStringList({"H-1 | A | 101 | 100.5", "H-1 | B | 0 | -0.5", "H-1 | B | 0 | -0.5", "H-1 | B | 0 | -0.5",
                           "H-1 | B | 0 | -0.5", "H-2 | A | 500 | 500"}));
}

// The payments are matched and ordered as the database compares texts:
// voucher "BK10" before "BK9" on the same day, and an invoice number with
// a trailing blank is the same invoice.
TEST_F(Egyenleg, PaymentsMatchedAndOrderedAsTheDatabaseComparesThem) {
    Post({CustomerInvoice("O-1", 10000)});
    const auto pay = [&](const QString& konyvbiz, const QString& szamlaszam, double ertek, const QString& date) {
        Exec("insert into TETEL (SORSZAM, KAPOCS, NTIPUS, KONYVBIZ, SZLA, ESZLA, ERTEK, UGYFELKOD, SZAMLASZAM, TELJKELT, "
             "FIZHATIDO, BIZONYLAT) values ('" + konyvbiz + "', '001', 'BK', '" + konyvbiz + "', '384', '311', " +
             QString::number(ertek) + ", 'V1', '" + szamlaszam + "', '" + date + "', '', '')");
    };
    pay("BK9", "O-1", 3000, "2025.03.10");
    pay("BK10", "O-1", 4000, "2025.03.10");
    pay("BK1", "O-1 ", 3000, "2025.03.20");
    const QString lines = "select * from %1 order by SORREND, PTELJKELT, PKONYVBIZ";
    const EgyenlegRun r = run(Mind);
    EXPECT_EQ(items::Rows(lines.arg(r.table), LineColumns),
              QStringList({"O-1 | A | 10000 | BK | BK10 | 2025.03.10 | 4000 | HUF",
                           "O-1 | B | 0 | BK | BK9 | 2025.03.10 | 3000 | HUF",
                           "O-1 | B | 0 | BK | BK1 | 2025.03.20 | 3000 | HUF"}));
    ResultTable perInvoice;
    perInvoice.prepare(EgyenlegPrefix, EgyenlegColumns());
    EXPECT_EQ(FillEgyenlegPerInvoice(PartnerSide::Customers, EgyenlegCriteria{.szamlajel = Mind}, perInvoice.name), 3);
    EXPECT_EQ(items::Rows(lines.arg(perInvoice.name), LineColumns), items::Rows(lines.arg(r.table), LineColumns));
    EXPECT_EQ(statuses(), (QMap<QString, QChar>{{"O-1", u'T'}}));
}

TEST_F(Egyenleg, SameCriteriaReuseTheTableAChangedFilterRecomputes) {
    Post({CustomerInvoice("R-1", 1000)});
    EgyenlegLastRun last;
    EgyenlegCriteria c;
    c.szamlajel = Mind;
    const EgyenlegRun first = RunEgyenleg(PartnerSide::Customers, c, table, &last);
    EXPECT_FALSE(first.reused);
    Post({CustomerInvoice("R-2", 2000)});
    const EgyenlegRun second = RunEgyenleg(PartnerSide::Customers, c, table, &last);
    EXPECT_TRUE(second.reused);
    EXPECT_EQ(second.table, first.table);
    EXPECT_EQ(items::Rows(second.querySql, {"SZAMLASZAM"}), QStringList({"R-1"}));
    // The other side, or another filter, computes again.
    EXPECT_FALSE(RunEgyenleg(PartnerSide::Suppliers, c, table, &last).reused);
    c.szamlajel = NemKiegyenlitett;
    const EgyenlegRun third = RunEgyenleg(PartnerSide::Customers, c, table, &last);
    EXPECT_FALSE(third.reused);
    EXPECT_EQ(items::Rows(third.querySql, {"SZAMLASZAM"}), QStringList({"R-1", "R-2"}));
    // A table dropped by the clean-up is made again.
    Exec("drop table " + table.name);
    const EgyenlegRun fourth = RunEgyenleg(PartnerSide::Customers, c, table, &last);
    EXPECT_FALSE(fourth.reused);
    EXPECT_EQ(fourth.rows, 2);
}

TEST_F(Egyenleg, NoRowsAndMissingTextsMadeEmpty) {
    Exec("insert into TETEL (SORSZAM, NTIPUS, SZLA, ESZLA, ERTEK, SZAMLASZAM) values ('1', 'VE', '311', '911', 500, 'N-1')");
    const EgyenlegRun r = run(Kiegyenlitett);
    EXPECT_EQ(r.rows, 0);
    EXPECT_EQ(SelectValue(d_tarvedo, "select count(*) from TETEL where FIZHATIDO = '' and TELJKELT = '' and UGYFELKOD = ''").toInt(), 1);
    EXPECT_EQ(items::Rows(run(NemKiegyenlitett).querySql, {"SZAMLASZAM", "UGYFELKOD", "UGYFELNEV"}), QStringList({"N-1 |  | "}));
}

// On a generated year of books: the one pass gives the rows of the
// invoice-by-invoice reading, and each partner's open amount is what the
// ledger items say.
TEST_F(Egyenleg, GeneratedLedgerAgreesWithPerInvoiceReadingAndTheItems) {
    GenerateDemoCompany(d_tarvedo, {2500, 2025, 5});
    const QString all = "select * from %1 order by UGYFELKOD, SZAMLASZAM, KONYVBIZ, SORREND, PTELJKELT, PKONYVBIZ, PBIZONYLAT, PERTEK";
    const QStringList columns = {"UGYFELKOD", "UGYFELNEV", "NTIPUS", "KONYVBIZ", "SZAMLASZAM", "TELJKELT", "FIZHATIDO",
                                 "ERTEK", "DEVERTEK", "DEVIZANEM", "SORREND", "PNTIPUS", "PBIZONYLAT", "PKONYVBIZ",
                                 "PTELJKELT", "PERTEK", "PDEVERTEK", "PDEVIZANEM"};
    ResultTable perInvoice;
    for (PartnerSide side : {PartnerSide::Customers, PartnerSide::Suppliers})
        for (int filter : {Kiegyenlitett, NemKiegyenlitett, HataridonTul, Reszben, Mind}) {
            SCOPED_TRACE(filter);
            EgyenlegCriteria c;
            c.szamlajel = filter;
            const EgyenlegRun r = RunEgyenleg(side, c, table);
            perInvoice.prepare(EgyenlegPrefix, EgyenlegColumns());
            EXPECT_EQ(FillEgyenlegPerInvoice(side, c, perInvoice.name), r.rows);
            const QStringList rows = items::Rows(all.arg(r.table), columns);
            EXPECT_FALSE(rows.isEmpty());
            EXPECT_EQ(rows, items::Rows(all.arg(perInvoice.name), columns));
        }

    const EgyenlegRun ledger = run(Mind);
    const QStringList byLedger =
        items::Rows("select UGYFELKOD, cast(sum(ERTEK - PERTEK) as numeric(18,2)) OPEN_AMOUNT from " + ledger.table +
                        " group by UGYFELKOD order by UGYFELKOD",
                    {"UGYFELKOD", "OPEN_AMOUNT"});
    const QString invoiceItems = "T.NTIPUS in ('VE', 'NY', '2') and (T.SZLA like '311%' or T.ESZLA like '311%')";
    const QStringList byItems = items::Rows(
        "select K.UGYFELKOD, cast(coalesce(I.AMOUNT, 0) - coalesce(P.AMOUNT, 0) as numeric(18,2)) OPEN_AMOUNT from "
        "(select distinct T.UGYFELKOD from TETEL T where " + invoiceItems + ") K "
        "left join (select T.UGYFELKOD, sum(iif(T.SZLA like '311%', T.ERTEK, -T.ERTEK)) AMOUNT from TETEL T where " +
            invoiceItems + " group by T.UGYFELKOD) I on I.UGYFELKOD = K.UGYFELKOD "
        "left join (select P.UGYFELKOD, sum(iif(P.ESZLA like '311%', P.ERTEK, -P.ERTEK)) AMOUNT from TETEL P "
        "  where P.NTIPUS in ('BK', 'PT') and exists (select 1 from TETEL T where " + invoiceItems +
            " and T.UGYFELKOD = P.UGYFELKOD and T.SZAMLASZAM = P.SZAMLASZAM) group by P.UGYFELKOD) P on P.UGYFELKOD = K.UGYFELKOD "
        "order by K.UGYFELKOD",
        {"UGYFELKOD", "OPEN_AMOUNT"});
    EXPECT_GT(byItems.size(), 10);
    EXPECT_EQ(byLedger, byItems);
}
