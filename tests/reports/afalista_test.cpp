// The VAT list: the default periods, the four sides with their accounts and
// signs, the fixed-asset share, the rows by order, the reuse of the result
// table, and the set-based rows against the statements per item.
#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QSqlRecord>

#include "afalista_fixture.h"
#include "db/catalog.h"
#include "db/db_error.h"
#include "ledger/demo_company.h"
#include "reports/afalista.h"
#include "reports/afa_layout_parts.h"
#include "reports/afalista_table.h"
#include "support/test_db.h"

namespace {

class Afalista : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        afa::PostQuarter();
    }
    AfalistaMemory memory;
};

const QStringList Identity = {"NTIPUS", "FIZLEV", "AFASZLA", "KONYVBIZ", "KAPOCS", "KOD", "ALAP", "AFA", "BRUTTO",
                              "UGYFELKOD", "SZAMLASZAM", "SZOVEG"};

QString ordered(const QString& table) {
    return "select * from " + table + " order by NTIPUS, FIZLEV, KONYVBIZ, KAPOCS, AFASZLA";
}

// Every column of every row, for comparing two tables.
QStringList allColumns(const QString& table) {
    QSqlQuery q = ExecSql(d_tarvedo, "select first 1 * from " + table);
    QStringList names;
    for (int i = 0; i < q.record().count(); ++i) names << q.record().fieldName(i);
    return names;
}

}  // namespace

TEST(AfalistaPeriod, DefaultPeriodByFrequencyAndDate) {
    struct Case {
        int afahonap, year;
        QDate today;
        QString tol, ig;
    };
    const QList<Case> cases = {
        {3, 2026, {2026, 5, 10}, "2026.04", "2026.06"},
        {3, 2026, {2026, 1, 15}, "2025.10", "2025.12"},
        {3, 2026, {2026, 1, 21}, "2026.01", "2026.03"},
        {3, 2026, {2026, 4, 20}, "2026.01", "2026.03"},
        {3, 2026, {2026, 4, 21}, "2026.04", "2026.06"},
        {3, 2026, {2026, 10, 21}, "2026.10", "2026.12"},
        {3, 2025, {2026, 5, 10}, "2025.10", "2025.12"},
        {1, 2026, {2026, 3, 25}, "2026.03", "2026.03"},
        {1, 2026, {2026, 3, 15}, "2026.02", "2026.02"},
        {1, 2026, {2026, 3, 20}, "2026.02", "2026.02"},
        {1, 2026, {2026, 1, 10}, "2025.12", "2025.12"},
        {1, 2025, {2026, 3, 25}, "2025.12", "2025.12"},
        {12, 2026, {2026, 3, 25}, "2026.01", "2026.12"},
        {6, 2026, {2026, 3, 25}, "2026.01", "2026.12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("%1 %2 %3").arg(c.afahonap).arg(c.year).arg(c.today.toString()).toStdString());
        const AfaPeriod p = DefaultAfaPeriod(c.afahonap, c.year, c.today);
        EXPECT_EQ(p.tol, c.tol);
        EXPECT_EQ(p.ig, c.ig);
    }
    EXPECT_EQ(AfaPeriodEnd("2024.02"), "2024.02.29");
    EXPECT_TRUE(AfaMonthValid("2025.12"));
    for (const QString bad : {"2025.13", "2025.1", "2025-01", "", "abcd.ef"}) EXPECT_FALSE(AfaMonthValid(bad)) << bad.toStdString();
}

TEST_F(Afalista, SidesAccountsAndSignsByVatAccount) {
    const AfalistaRun r = RunAfalista(afa::Quarter(), memory);
    EXPECT_FALSE(r.reused);
    EXPECT_TRUE(r.run.table.startsWith("TMP_"));
    EXPECT_EQ(r.run.whivparam, "Időszak: 2025.01.01 -> 2025.03.31");
    // The cash voucher's purchase on the deductible side by its debit VAT
    // account, its sale on the payable side by its credit VAT account; the
    // sales reversal (debit 9...) and the supplier's credit note (VAT row
    // 454/466) enter negative; VAT rows are never base items.
    EXPECT_EQ(items::Rows(ordered(r.run.table), Identity),
              QStringList({
                  "PT | FIZ | 467 | P1 | 002 | 27 | 400 | 108 | 508 |  |  | AFA",
                  "PT | LEV | 466 | P1 | 001 | 27 | 100 | 27 | 127 |  |  | AFA",
                  "SZ | LEV | 466 | S1 | 001 | 27 | 500 | 135 | 635 | S001 | SZ-1 | AFA",
                  "SZ | LEV | 466 | S2 | 001 | 27 | 1000 | 270 | 1270 | S001 | SZ-2 | AFA",
                  "SZ | LEV | 466 | S3 | 001 | 27 | -100 | -27 | -127 | S001 | SZ-3 | AFA",
                  "VE | FIZ | 467 | V1 | 001 | 27 | 1000 | 270 | 1270 | V001 | VSZ-1 | AFA",
                  "VE | FIZ | 467 | V1 | 002 | 05 | 400 | 20 | 420 | V001 | VSZ-1 | AFA",
                  "VE | FIZ | 467 | V2 | 001 | 27 | -200 | -54 | -254 | V001 | VSZ-2 | AFA",
              }));
    // The fixed-asset purchase (its VAT row credits 161) fills the TE_ columns too.
    EXPECT_EQ(items::Rows(ordered(r.run.table),
                          {"KONYVBIZ", "ALAP27466", "AFA27466", "ALAP27", "AFA27", "TE_ALAP27466", "TE_AFA27466",
                           "TE_ALAP27", "TE_AFA27", "ALAP05467", "ALAP05"}),
              QStringList({
                  "P1 | 0 | 0 | 400 | 108 | 0 | 0 | 0 | 0 | 0 | 0",
                  "P1 | 100 | 27 | 100 | 27 | 0 | 0 | 0 | 0 | 0 | 0",
                  "S1 | 500 | 135 | 500 | 135 | 0 | 0 | 0 | 0 | 0 | 0",
                  "S2 | 1000 | 270 | 1000 | 270 | 1000 | 270 | 1000 | 270 | 0 | 0",
                  "S3 | -100 | -27 | -100 | -27 | 0 | 0 | 0 | 0 | 0 | 0",
                  "V1 | 0 | 0 | 1000 | 270 | 0 | 0 | 0 | 0 | 0 | 0",
                  "V1 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 0 | 400 | 400",
                  "V2 | 0 | 0 | -200 | -54 | 0 | 0 | 0 | 0 | 0 | 0",
              }));
}

TEST_F(Afalista, AssetPurchasesByTheAccountTheirBaseItemDebits) {
    // A machine (1431) and an investment (1611) bought on supplier invoices
    // whose VAT rows are the usual 466/454, a shelf (141) paid in cash, and
    // beside them a supplier's credit note for a machine (454/143) and a
    // licence sold (311/114): only the purchases are fixed assets.
    QList<afa::Row> rows;
    rows << afa::Item("SZ", "S4", "001", "1431", "454", 2000, "466", "454", 540, "SZ-4", "S001");
    rows << afa::Item("SZ", "S5", "001", "454", "143", 300, "454", "466", 81, "SZ-5", "S001");
    rows << afa::Item("SZ", "S6", "001", "1611", "454", 5000, "466", "454", 1350, "SZ-6", "S001");
    rows << afa::Item("PT", "P2", "001", "141", "381", 400, "466", "381", 108);
    rows << afa::Item("VE", "V4", "001", "311", "114", 700, "311", "467", 189, "VSZ-4", "V001");
    afa::Post(rows);
    for (int sorrend : {AfaByAccount, AfaByVoucher}) {
        SCOPED_TRACE(sorrend);
        const AfalistaRun r = RunAfalista(afa::Quarter(sorrend), memory, true);
        EXPECT_EQ(items::Rows("select KONYVBIZ, TE_ALAP27, TE_AFA27, TE_ALAP27466 from " + r.run.table +
                                  " where TE_ALAP27 <> 0 or TE_AFA27 <> 0 order by KONYVBIZ",
                              {"KONYVBIZ", "TE_ALAP27", "TE_AFA27", "TE_ALAP27466"}),
                  QStringList({"P2 | 400 | 108 | 400", "S2 | 1000 | 270 | 1000", "S4 | 2000 | 540 | 2000",
                               "S6 | 5000 | 1350 | 5000"}));
        // 400 + 1 000 + 2 000 + 5 000 and 108 + 270 + 540 + 1 350.
        EXPECT_EQ(items::Rows("select sum(TE_ALAP27) A, sum(TE_AFA27) V from " + r.run.table, {"A", "V"}),
                  QStringList({"8400 | 2268"}));
    }
}

TEST_F(Afalista, ByVoucherOneRowPerInvoice) {
    const AfalistaRun r = RunAfalista(afa::Quarter(AfaByVoucher), memory);
    EXPECT_EQ(r.run.querySql, "select * from \n" + r.run.table + "\norder by NTIPUS,FIZLEV,KONYVBIZ");
    const QStringList rows = items::Rows(ordered(r.run.table), {"NTIPUS", "FIZLEV", "KONYVBIZ", "KAPOCS", "KOD", "ALAP",
                                                                "AFA", "BRUTTO", "ALAP27", "ALAP05", "AFA05"});
    // The invoice's two items in one row: the last item's link and code stand.
    EXPECT_TRUE(rows.contains("VE | FIZ | V1 | 002 | 05 | 1400 | 290 | 1690 | 1000 | 400 | 20")) << rows.join('\n').toStdString();
    // The cash voucher's purchase and sale stay apart by side.
    EXPECT_TRUE(rows.contains("PT | FIZ | P1 | 002 | 27 | 400 | 108 | 508 | 400 | 0 | 0"));
    EXPECT_TRUE(rows.contains("PT | LEV | P1 | 001 | 27 | 100 | 27 | 127 | 100 | 0 | 0"));
    EXPECT_EQ(rows.size(), 7);
}

TEST_F(Afalista, OneSideOnlyAndTheMessageForNeither) {
    AfalistaCriteria c = afa::Quarter();
    c.fizetendo = false;
    const AfalistaRun r = RunAfalista(c, memory);
    EXPECT_EQ(items::Rows("select distinct FIZLEV from " + r.run.table, {"FIZLEV"}), QStringList({"LEV"}));
    c.levonhato = false;
    try {
        RunAfalista(c, memory);
        FAIL() << "no message";
    } catch (const std::invalid_argument& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()), AfaNeitherSide);
    }
    c = afa::Quarter();
    c.ig = "2025.13";
    EXPECT_THROW(RunAfalista(c, memory), std::invalid_argument);
}

TEST_F(Afalista, SameCriteriaReuseTheTableRecountMakesANewOne) {
    const AfalistaRun first = RunAfalista(afa::Quarter(), memory);
    // An item posted since is not in the reused table.
    afa::Post(afa::Item("SZ", "S9", "001", "521", "454", 800, "466", "454", 216, "SZ-9", "S001"));
    const AfalistaRun again = RunAfalista(afa::Quarter(), memory);
    EXPECT_TRUE(again.reused);
    EXPECT_EQ(again.run.table, first.run.table);
    EXPECT_EQ(again.run.rows, 8);

    const AfalistaRun recounted = RunAfalista(afa::Quarter(), memory, true);
    EXPECT_FALSE(recounted.reused);
    EXPECT_NE(recounted.run.table, first.run.table);
    EXPECT_EQ(recounted.run.rows, 9);
    EXPECT_TRUE(TableExists(first.run.table));  // left for the clean-up of temporary tables

    AfalistaCriteria other = afa::Quarter();
    other.ig = "2025.04";
    const AfalistaRun longer = RunAfalista(other, memory);
    EXPECT_FALSE(longer.reused);
    EXPECT_EQ(longer.run.rows, 10);
    // A dropped table is not reused.
    ExecSql(d_tarvedo, "drop table " + longer.run.table);
    EXPECT_FALSE(RunAfalista(other, memory).reused);
}

TEST_F(Afalista, PeriodWithoutItemsGivesAnEmptyTable) {
    AfalistaCriteria c = afa::Quarter();
    c.tol = c.ig = "2025.11";
    const AfalistaRun r = RunAfalista(c, memory);
    EXPECT_EQ(r.run.rows, 0);
    EXPECT_EQ(allColumns(r.run.table).size(), 17);
}

TEST_F(Afalista, SetBasedRowsEqualThePerItemStatements) {
    // A generated year on top of the hand-made quarter.
    GenerateDemoCompany(d_tarvedo, {900, 2025, 7});
    db1AfterConnect();
    for (int sorrend : {AfaByAccount, AfaByVoucher}) {
        for (const QString& ig : {QString("2025.03"), QString("2025.12")}) {
            SCOPED_TRACE(QString("%1 %2").arg(sorrend).arg(ig).toStdString());
            AfalistaCriteria c = afa::Quarter(sorrend);
            c.ig = ig;
            AfalistaMemory fresh;
            const AfalistaRun r = RunAfalista(c, fresh);
            EXPECT_GT(r.run.rows, 10);
            QStringList dynamic = allColumns(r.run.table).mid(17);
            const QString reference = "TMP_REF_" + QString::number(sorrend) + ig.right(2);
            CreateAfalistaTable(reference, dynamic);
            FillAfalistaPerItem(c, reference);
            const QStringList columns = allColumns(r.run.table);
            EXPECT_EQ(allColumns(reference), columns);
            const QString order = " order by NTIPUS, FIZLEV, KONYVBIZ, UGYFELKOD, SZAMLASZAM, KAPOCS";
            EXPECT_EQ(items::Rows("select * from " + reference + order, columns),
                      items::Rows("select * from " + r.run.table + order, columns));
        }
    }
}

TEST_F(Afalista, BaseAndVatPerCodeEqualADirectSumOverTheLedger) {
    GenerateDemoCompany(d_tarvedo, {3000, 2025, 3});
    db1AfterConnect();
    AfalistaCriteria c = afa::Quarter();
    c.tol = "2025.04";
    c.ig = "2025.06";
    const AfalistaRun r = RunAfalista(c, memory);
    // Directly: each VAT row (TART_KOV 'A') with its main row of the same
    // serial number; negative when the VAT account is on the side opposite
    // to the journal's usual one.
    const QString direct =
        "select case when V.NTIPUS = 'SZ' or (V.NTIPUS = 'PT' and V.SZLA = '466') then 'LEV' else 'FIZ' end SIDE,"
        " V.AFAKULCS KOD,"
        " sum(case when (V.NTIPUS = 'VE' and V.SZLA = '467') or (V.NTIPUS = 'SZ' and V.ESZLA = '466') then -M.ERTEK else M.ERTEK end) ALAP,"
        " sum(case when (V.NTIPUS = 'VE' and V.SZLA = '467') or (V.NTIPUS = 'SZ' and V.ESZLA = '466') then -V.ERTEK else V.ERTEK end) AFA"
        " from TETEL V join TETEL M on M.SORSZAM = V.SORSZAM and M.KAPOCS = V.KAPOCS and coalesce(M.TART_KOV, '') <> 'A'"
        " where V.TART_KOV = 'A' and V.NTIPUS in ('VE', 'SZ', 'PT') and M.TELJKELT between '2025.04.01' and '2025.06.30'"
        " group by 1, 2 order by 1, 2";
    const QString list = "select FIZLEV, KOD, sum(ALAP) ALAP, sum(AFA) AFA from " + r.run.table + " group by 1, 2 order by 1, 2";
    const QStringList expected = items::Rows(direct, {"SIDE", "KOD", "ALAP", "AFA"});
    EXPECT_GE(expected.size(), 2);
    EXPECT_EQ(items::Rows(list, {"FIZLEV", "KOD", "ALAP", "AFA"}), expected);
}

TEST_F(Afalista, AFailedFillLeavesNoRows) {
    AfalistaResult result;
    result.columns = {"ALAP27", "AFA27"};
    for (int i = 0; i < 3; ++i) {
        AfalistaRow row;
        row.ntipus = "VE";
        row.fizlev = "FIZ";
        row.kod = i == 2 ? "TOOLONG" : "27";  // wider than its column
        row.konyvbiz = QString::number(i);
        row.columns = {100.0 * i, 27.0 * i};
        result.rows.push_back(row);
    }
    CreateAfalistaTable("TMP_FAILED", result.columns);
    EXPECT_THROW(InsertAfalistaRows("TMP_FAILED", result), DbError);
    EXPECT_EQ(CountRows("TMP_FAILED"), 0);
    result.rows.pop_back();
    InsertAfalistaRows("TMP_FAILED", result);
    EXPECT_EQ(items::Rows("select * from TMP_FAILED order by KONYVBIZ", {"KONYVBIZ", "UGYFELKOD", "ALAP27", "AFA27"}),
              QStringList({"0 |  | 0 | 0", "1 |  | 100 | 27"}));
    EXPECT_TRUE(items::Rows("select count(*) N from TMP_FAILED where UGYFELKOD is null", {"N"}) == QStringList({"2"}));
}

TEST_F(Afalista, ColumnsOfEveryVatAccountThePeriodsItemsUse) {
    // VAT accounts named only by rows the pairing passes over: one without
    // a voucher number, one without a link number, one out of the period.
    for (const QString account : {"4661", "4662", "4663"})
        ExecSql(d_tarvedo, "insert into SZ_ADOASZLA (NTIPUS, ASZLA, KOD) values ('SZ', :A, '27')", {{"A", account}});
    ExecSql(d_tarvedo,
            "insert into TETEL (SORSZAM, NTIPUS, KONYVBIZ, KAPOCS, SZLA, ESZLA, ERTEK, TELJKELT) values "
            "('X1', 'SZ', null, '001', '4661', '454', 10, '2025.02.01')");
    ExecSql(d_tarvedo,
            "insert into TETEL (SORSZAM, NTIPUS, KONYVBIZ, KAPOCS, SZLA, ESZLA, ERTEK, TELJKELT) values "
            "('X2', 'SZ', 'S9', null, '4662', '454', 10, '2025.03.31')");
    ExecSql(d_tarvedo,
            "insert into TETEL (SORSZAM, NTIPUS, KONYVBIZ, KAPOCS, SZLA, ESZLA, ERTEK, TELJKELT) values "
            "('X3', 'SZ', 'S9', '001', '4663', '454', 10, '2025.04.01')");
    const struct {
        bool fizetendo, levonhato;
    } cases[] = {{true, true}, {false, true}, {true, false}};
    for (const auto& side : cases) {
        for (int sorrend : {AfaByAccount, AfaByVoucher}) {
            SCOPED_TRACE(QString("%1 %2 %3").arg(side.fizetendo).arg(side.levonhato).arg(sorrend).toStdString());
            AfalistaCriteria c = afa::Quarter(sorrend);
            c.fizetendo = side.fizetendo;
            c.levonhato = side.levonhato;
            const QStringList columns = ComputeAfalista(c).columns;
            EXPECT_EQ(columns, AfalistaPeriodColumns(c));
            EXPECT_TRUE(columns.contains("ALAP274661"));
            EXPECT_TRUE(columns.contains("TE_AFA274662"));
            EXPECT_FALSE(columns.contains("ALAP274663"));
            EXPECT_TRUE(columns.contains("AFA05467"));
        }
    }
}

// The demo year by voucher: its asset purchases in the fixed-asset share,
// and every rate in columns of its own that add up to the gross.
TEST_F(CompanyDbTest, TheDemoYearByVoucher) {
    GenerateDemoCompany(d_tarvedo, {3000, 2025, 1});
    db1AfterConnect();
    AfalistaCriteria c;
    c.tol = "2025.01";
    c.ig = "2025.12";
    c.sorrend = AfaByVoucher;
    AfalistaMemory memory;
    const QString table = RunAfalista(c, memory).run.table;
    // The 21 supplier invoices of machines and furniture of the year.
    EXPECT_EQ(items::Rows("select count(*) N, sum(TE_ALAP27) A, sum(TE_AFA27) V from " + table + " where TE_ALAP27 <> 0",
                          {"N", "A", "V"}),
              QStringList({"21 | 23101000 | 6237270"}));
    EXPECT_EQ(items::Rows("select sum(ALAP18) A, sum(AFA18) V from " + table + " where FIZLEV = 'FIZ'", {"A", "V"}),
              QStringList({"14572000 | 2622960"}));
    QStringList codes;
    for (const AfaRate& rate : AfaTableRates(table)) codes << rate.kod;
    EXPECT_EQ(codes, QStringList({"00", "05", "18", "27"}));
    EXPECT_EQ(items::Rows("select count(*) N from " + table +
                              " where ALAP00 + ALAP05 + AFA05 + ALAP18 + AFA18 + ALAP27 + AFA27 <> BRUTTO",
                          {"N"}),
              QStringList({"0"}));
}
