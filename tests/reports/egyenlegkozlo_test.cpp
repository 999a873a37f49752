// The balance confirmation letters: which customers get a letter and how
// many, the open amounts, the date limit, the two layouts and the text.
#include <gtest/gtest.h>

#include <algorithm>

#include "db/altproc.h"
#include "export/export_source.h"
#include "ledger_items.h"
#include "report_engine_samples.h"
#include "reports/egyenlegkozlo.h"
#include "reports/engine/report_document.h"
#include "reports/engine/report_runner.h"
#include "reports/fregyenlegkozlo.h"
#include "support/test_db.h"

namespace {

int serial = 0;

// A customer invoice (debit 311) or, with a negative amount, its credit
// side; a bank payment of it.
void Item(const QString& ntipus, const QString& szla, const QString& eszla, double ertek, const QString& ugyfel,
          const QString& szamla, const QString& date, const QString& devizanem = "") {
    ++serial;
    ExecSql(d_tarvedo,
            "insert into TETEL (SORSZAM, NTIPUS, KONYVBIZ, SZLA, ESZLA, ERTEK, UGYFELKOD, SZAMLASZAM, TELJKELT, FIZHATIDO, "
            "DEVIZANEM, BIZONYLAT) values (:S, :N, :K, :SZLA, :ESZLA, :E, :U, :SZ, :T, '2025.04.30', :D, '')",
            {{"S", QString::number(serial)}, {"N", ntipus}, {"K", ntipus + QString::number(serial)}, {"SZLA", szla},
             {"ESZLA", eszla}, {"E", ertek}, {"U", ugyfel}, {"SZ", szamla}, {"T", date}, {"D", devizanem}});
}

class Egyenlegkozlo : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        Exec("update CEG set HELYSEG = 'Szeged', NEV = 'Próba Kft.'");
        db1AfterConnect();
        Exec("insert into UGYFEL (KOD, NEV, VEVO, IRSZAM, VAROS, CIM, PFJSZ, ADOSZAM) values "
             "('V1', 'Első Vevő Kft.', 'I', '6720', 'Szeged', 'Fő utca 1.', '11111111-22222222', '12345678-2-06')");
        Exec("insert into UGYFEL (KOD, NEV, VEVO) values ('V2', 'Második Vevő Bt.', 'I')");
        Exec("insert into UGYFEL (KOD, NEV, VEVO) values ('V3', 'Fizető Vevő Zrt.', 'I')");
        Item("VE", "311", "911", 10000, "V1", "A-1", "2025.03.01");
        Item("BK", "384", "311", 4000, "V1", "A-1", "2025.03.20");
        Item("BK", "384", "311", 6000, "V1", "A-1", "2025.05.20");  // after the letters' date below
        Item("VE", "311", "931", 50000, "V1", "A-2", "2025.03.05", "EUR");
        Item("VE", "311", "911", 3000, "V2", "B-1", "2025.02.01");
        Item("VE", "311", "911", 7000, "V3", "C-1", "2025.02.01");
        Item("BK", "384", "311", 6999, "V3", "C-1", "2025.02.20");
        Item("VE", "311", "911", 2000, "V2", "B-9", "2025.06.01");  // after the date
    }
    ReportRun run(EgyenlegkozloCriteria c) { return RunEgyenlegkozlo(c, table); }
    QStringList letters(const EgyenlegkozloCriteria& c) {
        const ReportRun r = run(c);
        QueryExportSource rows(ExecSql(d_tarvedo, r.querySql), "q_levelek");
        const ReportDocument doc = LayOutReport(Fregyenlegkozlo(c, "2025.04.30"), rows, sample::Options());
        pages = doc.pageCount();
        return doc.text();
    }
    ResultTable table;
    int pages = 0;
};

const QStringList Columns = {"UGYFELKOD", "UGYFELNEV", "SZAMLASZAM", "DEVIZANEM", "BEVETEL", "PBEVETEL", "KIADAS", "PTELJKELT", "PNTIPUS", "PBIZONYLAT"};

}  // namespace

TEST_F(Egyenlegkozlo, OpenInvoicesUpToTheDateOnePerLetterAndCurrency) {
    const ReportRun r = run({"2025.04.30"});
    EXPECT_TRUE(r.table.startsWith("TMP_P_"));
    // V3 paid all but one forint: no letter. B-9 and the May payment are after the date.
    EXPECT_EQ(items::Rows(r.querySql, Columns),
              QStringList({"V1 | Első Vevő Kft. | A-2 | EUR | 50000 | 0 | 50000 |  | S | SUM",
                           "V1 | Első Vevő Kft. | A-1 | HUF | 10000 | 4000 | 6000 | 2025.03.20 | S | SUM",
                           "V2 | Második Vevő Bt. | B-1 | HUF | 3000 | 0 | 3000 |  | S | SUM"}));
    // Without a date every item counts: A-1 is paid in full.
    EXPECT_EQ(items::Rows(run({}).querySql, {"SZAMLASZAM"}), QStringList({"A-2", "B-1", "B-9"}));
    EXPECT_EQ(items::Rows(run({"2025.04.30", "V2"}).querySql, {"SZAMLASZAM"}), QStringList({"B-1"}));

    const QStringList text = letters({"2025.04.30"});
    EXPECT_EQ(pages, 3);  // V1 in EUR, V1 in HUF, V2
    EXPECT_TRUE(text.contains("Próba Kft. | Első Vevő Kft."));
    const auto hasLine = [&](const QString& part) {
        return std::any_of(text.cbegin(), text.cend(), [&](const QString& line) { return line.contains(part); });
    };
    EXPECT_TRUE(hasLine("| Számlaszám: 11111111-22222222"));
    EXPECT_TRUE(hasLine("| 6720 Szeged"));
    EXPECT_TRUE(hasLine("| Adószám: 12345678-2-06"));
    EXPECT_TRUE(text.contains("Közöljük Önökkel, hogy a nálunk vezetett folyószámlájukon 2025.04.30. -n az alábbi egyenleg mutatkozik:"));
    EXPECT_TRUE(text.contains("A-1 | 2025.03.01 | 2025.04.30 | 10 000 | 4 000 | 2025.03.20 | 6 000"));
    EXPECT_TRUE(text.contains("Egyenleg: | 6 000"));
    EXPECT_TRUE(text.contains("Szeged, 2025.04.30"));
}

TEST_F(Egyenlegkozlo, TotalOnlyLettersHaveNoInvoiceLines) {
    const QStringList text = letters({"2025.04.30", "", true});
    EXPECT_EQ(pages, 3);
    EXPECT_TRUE(text.contains("Egyenleg: | 6 000"));
    EXPECT_TRUE(text.contains("Egyenleg: | 3 000"));
    for (const QString& line : text) {
        EXPECT_FALSE(line.contains("A-1")) << line.toStdString();
        EXPECT_FALSE(line.contains("Számla összege")) << line.toStdString();
    }
}

// An invoice with items on both sides of the control account is one
// invoice: its balance is what is left of its sum.
TEST_F(Egyenlegkozlo, InvoiceOnBothSidesOfTheControlAccountIsOneInvoice) {
    Item("VE", "311", "911", 1000, "V2", "D-1", "2025.03.01");
    Item("VE", "911", "311", 200, "V2", "D-1", "2025.03.01");
    Item("BK", "384", "311", 800, "V2", "D-1", "2025.03.10");
    Item("VE", "311", "911", 1000, "V2", "D-2", "2025.03.01");
    Item("VE", "911", "311", 200, "V2", "D-2", "2025.03.01");
    // Each invoice is one voucher.
    Exec("update TETEL set KONYVBIZ = SZAMLASZAM where NTIPUS = 'VE' and SZAMLASZAM starting with 'D-'");
    const ReportRun r = run({"2025.04.30", "V2"});
    EXPECT_EQ(items::Rows(r.querySql, {"SZAMLASZAM", "BEVETEL", "KIADAS"}), QStringList({"B-1 | 3000 | 3000", "D-2 | 800 | 800"}));
}

TEST_F(Egyenlegkozlo, DateAfterTodayIsToday) {
    const QDate today(2025, 4, 30);
    EXPECT_EQ(EgyenlegkozloDate("2025.05.01", today), "2025.04.30");
    EXPECT_EQ(EgyenlegkozloDate("2025.04.30", today), "2025.04.30");
    EXPECT_EQ(EgyenlegkozloDate(" 2025.01.31 ", today), "2025.01.31");
    EXPECT_EQ(EgyenlegkozloDate("    .  .  ", today), "");
}

TEST_F(Egyenlegkozlo, LetterTextWithTheCompanysTown) {
    const QStringList text = EgyenlegkozloLetterText("Szeged", "2025.04.30");
    ASSERT_EQ(text.size(), 22);
    EXPECT_TRUE(text.at(0).startsWith("Kérjük a számvitelről szóló 1991.évi XVIII.tv. 23.par. 3.bek. és 41.par. 1.bek."));
    EXPECT_EQ(text.at(5), "Szeged, 2025.04.30");
    EXPECT_EQ(text.at(6), QString(88, ' ') + "Ph.");
    EXPECT_EQ(text.at(14), "A fenti ........................................ Ft. egyenleget elfogadjuk.");
    EXPECT_EQ(text.at(16), "Kelt:" + QString(82, ' ') + "Ph.");
    EXPECT_EQ(text.last(), QString(86, ' ') + "Aláírás");
    EXPECT_EQ(EgyenlegkozloLetterText("", "2025.04.30").at(5), "2025.04.30");
}
