// The year closing on small ledgers whose every opening item is known.
#include <QDate>
#include <algorithm>
#include <stdexcept>

#include "yearend/evzaro.h"
#include "yearend/yearend_fixture.h"

using namespace yearend_test;

namespace {

class EvzaroTest : public ::testing::Test {
protected:
    void SetUp() override {
        copy = std::make_unique<WorkingCopy>(0);
        copy->open();
        ExecSql(d_tarvedo, QStringLiteral("delete from TETEL"));
        ExecSql(d_tarvedo, QStringLiteral("delete from FORGALOM"));
    }
    void TearDown() override { copy.reset(); }

    EvzaroParams params(bool teteles, ClosingKind kind = ClosingKind::NewDatabase) const {
        EvzaroParams p;
        p.zardatum = QStringLiteral("2026.01.01");
        p.path = copy->dir() + QStringLiteral("/2026");
        p.name = QStringLiteral("TARVEDO_MINTA_2026.GDB");
        p.kind = kind;
        p.teteles = teteles;
        return p;
    }

    EvzaroResult run(const EvzaroParams& p, const EvzaroStep& step = {}) {
        const EvzaroResult result = RunEvzaro(p, step);
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        return result;
    }

    // A ledger with every case of the rules: balances that cancel and that do
    // not, customer invoices settled within 3 forints or half paid, an unpaid
    // supplier invoice.
    void postSampleLedger() {
        Post({{QStringLiteral("381"), QStringLiteral("911"), 1000}, {QStringLiteral("911"), QStringLiteral("381"), 1000},
              {QStringLiteral("384"), QStringLiteral("911"), 1200}, {QStringLiteral("911"), QStringLiteral("384"), 1000},
              {QStringLiteral("311"), QStringLiteral("911"), 10000, QStringLiteral("VE"), QStringLiteral("V1"),
               QStringLiteral("A-1"), QStringLiteral("VE1")},
              {QStringLiteral("384"), QStringLiteral("311"), 9998, QStringLiteral("BK"), QStringLiteral("V1"),
               QStringLiteral("A-1"), QStringLiteral("BK1")},
              {QStringLiteral("311"), QStringLiteral("911"), 10000, QStringLiteral("VE"), QStringLiteral("V2"),
               QStringLiteral("A-2"), QStringLiteral("VE2")},
              {QStringLiteral("384"), QStringLiteral("311"), 5000, QStringLiteral("BK"), QStringLiteral("V2"),
               QStringLiteral("A-2"), QStringLiteral("BK2")},
              {QStringLiteral("261"), QStringLiteral("454"), 8000, QStringLiteral("SZ"), QStringLiteral("S1"),
               QStringLiteral("B-1"), QStringLiteral("SZ1")}});
    }

    std::unique_ptr<WorkingCopy> copy;
};

TEST(EvzaroDefaults, ProposesTheNextYearsFolderAndName) {
    struct Case {
        const char *address, *path, *name;
    } cases[] = {
        {"/data/minta/2025/MINTA.GDB", "/data/minta/2026", "MINTA.GDB"},            // the year as a folder
        {"/data/minta/MINTA_2025.GDB", "/data/minta/2026", "MINTA_2026.GDB"},       // appended as a last folder
        {"/data/MINTA.GDB", "/data/2026", "MINTA.GDB"},
        {"srv:/db/2025/A2025.GDB", "srv:/db/2026", "A2026.GDB"},                  // a server address
        {"C:\\KONYV\\2025\\MINTA.GDB", "C:\\KONYV\\2026", "MINTA.GDB"},           // folders written with "\"
    };
    for (const Case& c : cases) {
        const EvzaroDefaults d = ProposedNextYear(QLatin1String(c.address), QStringLiteral("2025"), QStringLiteral("2026"));
        EXPECT_EQ(d.path, QLatin1String(c.path)) << c.address;
        EXPECT_EQ(d.name, QLatin1String(c.name)) << c.address;
        EXPECT_EQ(d.kind, ClosingKind::NewDatabase);
    }
}

TEST_F(EvzaroTest, BalancesOfClassesOneToFourAgainst491) {
    postSampleLedger();
    const EvzaroResult result = run(params(false));
    EXPECT_EQ(result.nextAddress, copy->dir() + QStringLiteral("/2026/TARVEDO_MINTA_2026.GDB"));
    // 381 cancels out; 384 keeps 200 debit; 311 and 454 as balances; 911 is not carried.
    EXPECT_EQ(OpeningItems(), (QStringList{QStringLiteral("261 491 8000"), QStringLiteral("311 491 5002"),
                                           QStringLiteral("384 491 15198"), QStringLiteral("491 454 8000")}));
    QSqlQuery item = ExecSql(d_tarvedo2, QStringLiteral("select * from TETEL where SZLA = '384'"));
    ASSERT_TRUE(NextRow(item));
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"));
    EXPECT_EQ(item.value(QStringLiteral("TELJKELT")).toString(), QStringLiteral("2026.01.01"));
    EXPECT_EQ(item.value(QStringLiteral("BIZKELT")).toString(), today);
    EXPECT_EQ(item.value(QStringLiteral("KONYVELVE")).toString(), today);
    EXPECT_EQ(item.value(QStringLiteral("SZOVEG")).toString(), QStringLiteral("NYITÓ Elszámolási betétszámla"));
    EXPECT_EQ(item.value(QStringLiteral("DEVIZANEM")).toString(), QStringLiteral("HUF"));
    EXPECT_EQ(item.value(QStringLiteral("TIPUS")).toString(), QStringLiteral("K"));
    const QString konyvbiz = item.value(QStringLiteral("KONYVBIZ")).toString();
    EXPECT_TRUE(konyvbiz.startsWith(QStringLiteral("25"))) << konyvbiz.toStdString();
    EXPECT_EQ(item.value(QStringLiteral("SORSZAM")).toString(), konyvbiz + QStringLiteral("NY"));

    // The new year: its own company year, shifted formula tables, the opening
    // counter, the registry row; the closed year is closed.
    EXPECT_EQ(SelectValue(d_tarvedo2, QStringLiteral("select AKTUALISEV from CEG")).toString(), QStringLiteral("2026"));
    EXPECT_EQ(SelectValue(d_tarvedo2, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'NY' and EV = '2026'")).toInt(), 4);
    EXPECT_EQ(SelectValue(d_tarvedosys, QStringLiteral("select DBSERVER from CEGEK where KOD = 'MINTA' and AKTUALISEV = '2026'"))
                  .toString(),
              result.nextAddress);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select NYITVA from CEG")).toString(), QStringLiteral("N"));
    EXPECT_EQ(Number(d_tarvedo2, QStringLiteral("select count(*) from TETEL where NTIPUS <> 'NY'")), 0);
    // The ledger indexes, off while the items went in, are built again.
    EXPECT_EQ(Number(d_tarvedo2, QStringLiteral("select count(*) from RDB$INDICES where RDB$RELATION_NAME = 'TETEL' "
                                                "and RDB$INDEX_INACTIVE = 1")),
              0);
    EXPECT_EQ(Number(d_tarvedo2, QStringLiteral("select count(*) from RDB$INDICES where RDB$RELATION_NAME = 'TETEL'")),
              Number(d_tarvedo, QStringLiteral("select count(*) from RDB$INDICES where RDB$RELATION_NAME = 'TETEL'")));
}

TEST_F(EvzaroTest, OpenInvoicesOneByOneInsteadOf311And454) {
    postSampleLedger();
    const EvzaroResult result = run(params(true));
    EXPECT_EQ(result.invoiceItems, 2);
    // A-1 paid 9 998 of 10 000 is settled; A-2 keeps 5 000; B-1 is unpaid.
    EXPECT_EQ(OpeningItems(), (QStringList{QStringLiteral("261 491 8000"), QStringLiteral("311 491 5000 A-2"),
                                           QStringLiteral("384 491 15198"), QStringLiteral("491 454 8000 B-1")}));
    QSqlQuery item = ExecSql(d_tarvedo2, QStringLiteral("select * from TETEL where SZAMLASZAM = 'A-2'"));
    ASSERT_TRUE(NextRow(item));
    EXPECT_EQ(item.value(QStringLiteral("SZOVEG")).toString(), QStringLiteral("NYITO : Nem kiegyenlített vevő számla."));
    EXPECT_EQ(item.value(QStringLiteral("UGYFELKOD")).toString(), QStringLiteral("V2"));
    EXPECT_EQ(item.value(QStringLiteral("KONYVBIZ")).toString(), QStringLiteral("VE2"));
    // Dated on the next year's first day like the balances; the invoice's
    // own fulfilment date goes with it as its date.
    EXPECT_EQ(item.value(QStringLiteral("TELJKELT")).toString(), QStringLiteral("2026.01.01"));
    EXPECT_EQ(item.value(QStringLiteral("SZLAKELT")).toString(), QStringLiteral("2025.05.10"));
    EXPECT_EQ(item.value(QStringLiteral("FIZHATIDO")).toString(), QStringLiteral("2025.06.10"));
    EXPECT_EQ(item.value(QStringLiteral("DEVIZAERTEK")).toDouble(), 5000);
}

TEST_F(EvzaroTest, AnInvoiceCarriedForwardLastYearIsCarriedOnWhileOpen) {
    // Last year's open invoice came in as an opening item, half of it paid since.
    Post({{QStringLiteral("311"), QStringLiteral("491"), 4000, QStringLiteral("NY"), QStringLiteral("V9"),
           QStringLiteral("R-9"), QStringLiteral("2400001")},
          {QStringLiteral("384"), QStringLiteral("311"), 1500, QStringLiteral("BK"), QStringLiteral("V9"),
           QStringLiteral("R-9"), QStringLiteral("BK9")},
          // a supplier invoice overpaid last year: carried as 454/491
          {QStringLiteral("454"), QStringLiteral("491"), 700, QStringLiteral("NY"), QStringLiteral("S9"),
           QStringLiteral("Q-9"), QStringLiteral("2400002")}});
    run(params(true));
    EXPECT_EQ(OpeningItems(QStringLiteral("SZAMLASZAM <> ''")),
              (QStringList{QStringLiteral("311 491 2500 R-9"), QStringLiteral("454 491 700 Q-9")}));
    // The accounts balance as last year's did.
    EXPECT_EQ(Number(d_tarvedo2, QStringLiteral("select sum(iif(SZLA = '311', ERTEK, -ERTEK)) from TETEL where SZLA = '311' or ESZLA = '311'")),
              2500);
}

// The invoices are settled as the customer ledger settles them: payments
// matched by partner and number, their sums rounded as each payment is
// added in the ledger's order, an invoice of no amount kept while paid.
TEST_F(EvzaroTest, OpenInvoicesAsTheCustomerLedgerSettlesThem) {
    const auto row = [](const char* szla, const char* eszla, double ertek, const char* ntipus, const char* ugyfelkod,
                        const char* szamlaszam, const char* konyvbiz, const char* teljkelt = "2025.05.10") {
        return Row{QLatin1String(szla), QLatin1String(eszla), ertek, QLatin1String(ntipus), QLatin1String(ugyfelkod),
                   QLatin1String(szamlaszam), QLatin1String(konyvbiz), QLatin1String(teljkelt)};
    };
    Post({// paid without the partner's code: the ledger shows it unpaid
          row("311", "911", 10000, "VE", "V3", "P-1", "VE3"), row("384", "311", 10000, "BK", "", "P-1", "BK3"),
          // an invoice and its reversal in one voucher, yet paid: overpaid by the payment
          row("311", "911", 3000, "VE", "V4", "Z-1", "VE4"), row("911", "311", 3000, "VE", "V4", "Z-1", "VE4"),
          row("384", "311", 3000, "BK", "V4", "Z-1", "BK4"),
          // half forints against a running sum: 101, 101, 101, 101, 101 paid
          row("311", "911", 101, "VE", "V5", "H-1", "VE5"), row("384", "311", 100.5, "BK", "V5", "H-1", "BK51", "2025.05.11"),
          row("384", "311", -0.5, "BK", "V5", "H-1", "BK52", "2025.05.12"),
          row("384", "311", -0.5, "BK", "V5", "H-1", "BK53", "2025.05.13"),
          row("384", "311", -0.5, "BK", "V5", "H-1", "BK54", "2025.05.14"),
          row("384", "311", -0.5, "BK", "V5", "H-1", "BK55", "2025.05.15"),
          // paid under the number with a trailing blank: the same invoice
          row("311", "911", 2000, "VE", "V6", "O-1", "VE6"), row("384", "311", 2000, "BK", "V6", "O-1 ", "BK6"),
          // invoices without a number, one paid under no number, one not
          row("311", "911", 500, "VE", "V7", "", "VE7"), row("384", "311", 500, "BK", "V7", "", "BK7"),
          row("311", "911", 700, "VE", "V8", "", "VE8")});
    run(params(true));
    EXPECT_EQ(OpeningItems(QStringLiteral("UGYFELKOD <> ''")),
              (QStringList{QStringLiteral("311 491 700"), QStringLiteral("311 491 10000 P-1"), QStringLiteral("491 311 3000 Z-1")}));
}

TEST_F(EvzaroTest, RecomputingTwiceLeavesOneSetAndShiftsTheFormulaTables) {
    postSampleLedger();
    ExecSql(d_tarvedo, QStringLiteral("update EREDMENY set TARGYEV = ID * 10, ELOZOEV = 1"));
    run(params(false));
    // A posting of the new year stays; the opening items are made again.
    ExecSql(d_tarvedo2, QStringLiteral("insert into TETEL (SORSZAM, SZLA, ESZLA, ERTEK, NTIPUS) values ('x', '384', '911', 77, 'BK')"));
    ExecSql(d_tarvedo, QStringLiteral("update CEG set NYITVA = 'I'"));
    Post({{QStringLiteral("384"), QStringLiteral("911"), 100}});
    for (int i = 0; i < 2; ++i) run(params(false, ClosingKind::RecomputeExisting));
    EXPECT_EQ(OpeningItems(), (QStringList{QStringLiteral("261 491 8000"), QStringLiteral("311 491 5002"),
                                           QStringLiteral("384 491 15298"), QStringLiteral("491 454 8000")}));
    EXPECT_EQ(Number(d_tarvedo2, QStringLiteral("select count(*) from TETEL where NTIPUS = 'BK'")), 1);
    EXPECT_EQ(Number(d_tarvedo2, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'NY' and EV = '2026'")), 4);
    EXPECT_EQ(Number(d_tarvedo2, QStringLiteral("select count(*) from EREDMENY where ELOZOEV <> ID * 10 or TARGYEV <> 0")), 0);
    EXPECT_EQ(Number(d_tarvedo2, QStringLiteral("select count(*) from EREDMENY")),
              Number(d_tarvedo, QStringLiteral("select count(*) from EREDMENY")));
}

TEST_F(EvzaroTest, DefaultsFollowTheRegistry) {
    EvzaroDefaults before = EvzaroDefaultsForCompany();
    EXPECT_EQ(before.kind, ClosingKind::NewDatabase);
    EXPECT_EQ(before.path, copy->dir() + QStringLiteral("/2026"));
    EXPECT_EQ(before.name, QStringLiteral("TARVEDO_MINTA_2026.GDB"));
    run(params(false));
    const EvzaroDefaults after = EvzaroDefaultsForCompany();
    EXPECT_EQ(after.kind, ClosingKind::RecomputeExisting);
    EXPECT_EQ(after.path, copy->dir() + QStringLiteral("/2026"));
    EXPECT_EQ(after.name, QStringLiteral("TARVEDO_MINTA_2026.GDB"));
}

TEST_F(EvzaroTest, AFailureAfterSomeItemsWritesNothingAndSaysWhere) {
    postSampleLedger();
    run(params(true));
    const QStringList first = OpeningItems();
    ExecSql(d_tarvedo, QStringLiteral("update CEG set NYITVA = 'I'"));
    Post({{QStringLiteral("384"), QStringLiteral("911"), 100}});
    // The run breaks once opening items are written.
    const auto breakAfterItems = [](const QString&, qint64 done, qint64) {
        if (done > 0) throw std::runtime_error("megszakítva");
    };
    const EvzaroResult failed = RunEvzaro(params(true, ClosingKind::RecomputeExisting), breakAfterItems);
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.error.contains(QStringLiteral("A következő év adatbázisának írása"))) << failed.error.toStdString();
    EXPECT_TRUE(failed.error.contains(QStringLiteral("megszakítva")));
    EXPECT_EQ(OpeningItems(), first);
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select NYITVA from CEG")).toString(), QStringLiteral("I"));
}

TEST_F(EvzaroTest, AFailedNewDatabaseIsNotRegistered) {
    postSampleLedger();
    const EvzaroResult failed = RunEvzaro(params(false), [](const QString& what, qint64 done, qint64) {
        if (what == QStringLiteral("Nyitó tételek") && done > 0) throw std::runtime_error("megszakítva");
    });
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(Number(d_tarvedosys, QStringLiteral("select count(*) from CEGEK where AKTUALISEV = '2026'")), 0);
    EXPECT_EQ(Number(d_tarvedo2, QStringLiteral("select count(*) from TETEL")), 0);
    // The current year is still open and connected.
    EXPECT_TRUE(IsConnected(d_tarvedo));
    EXPECT_EQ(SelectValue(d_tarvedo, QStringLiteral("select NYITVA from CEG")).toString(), QStringLiteral("I"));
}

// The opening numbers start from the year's first at every run; the
// current year's counter covers them but never falls below a number given.
TEST_F(EvzaroTest, TheOpeningCounterCoversTheNumbersAndNeverFalls) {
    postSampleLedger();
    const auto counter = [] {
        return Number(d_tarvedo, QStringLiteral("select UTOLSO from SORSZAM where FAJTA = 'NY' and EV = '2025'"));
    };
    const auto numbers = [] {
        QStringList list;
        QSqlQuery q = ExecSql(d_tarvedo2, QStringLiteral("select KONYVBIZ from TETEL where NTIPUS = 'NY' order by 1"));
        while (NextRow(q)) list << q.value(0).toString();
        return list;
    };
    const QStringList fourNumbers{QStringLiteral("2500001"), QStringLiteral("2500002"), QStringLiteral("2500003"),
                                  QStringLiteral("2500004")};
    const double before = counter();
    run(params(false));
    EXPECT_EQ(numbers(), fourNumbers);
    EXPECT_EQ(counter(), std::max(before, 4.0));
    ExecSql(d_tarvedo, QStringLiteral("update SORSZAM set UTOLSO = 50 where FAJTA = 'NY' and EV = '2025'"));
    run(params(false, ClosingKind::RecomputeExisting));
    EXPECT_EQ(numbers(), fourNumbers);
    EXPECT_EQ(counter(), 50);
    // Without a counter row one is made.
    ExecSql(d_tarvedo, QStringLiteral("delete from SORSZAM where FAJTA = 'NY'"));
    run(params(false, ClosingKind::RecomputeExisting));
    EXPECT_EQ(counter(), 4);
}

TEST_F(EvzaroTest, ABalanceOn491ItselfIsNotCarried) {
    // 491 keeps 500 - 200 = 300 on the credit side: no 491/491 item.
    Post({{QStringLiteral("384"), QStringLiteral("491"), 500}, {QStringLiteral("491"), QStringLiteral("911"), 200}});
    run(params(false));
    EXPECT_EQ(OpeningItems(), QStringList{QStringLiteral("384 491 500")});
}

// The fulfilment dates of the next year's opening items.
QStringList OpeningDates() {
    QStringList dates;
    QSqlQuery q = ExecSql(d_tarvedo2, QStringLiteral("select distinct TELJKELT from TETEL where NTIPUS = 'NY' order by 1"));
    while (NextRow(q)) dates << q.value(0).toString();
    return dates;
}

TEST_F(EvzaroTest, AClosingDateOffTheNextYearsFirstDayIsUsedOnlyWhenConfirmed) {
    postSampleLedger();
    EXPECT_EQ(EvzaroDefaultsForCompany().zardatum, QStringLiteral("2026.01.01"));
    EXPECT_TRUE(ClosingDateWarning(params(true)).isEmpty());
    run(params(true));
    EXPECT_EQ(OpeningDates(), QStringList{QStringLiteral("2026.01.01")});
    struct Case {
        const char *typed, *shown, *stored;
    } cases[] = {{"2025.12.31", "2025.12.31", "2025.12.31"},
                 {"2026.01.02", "2026.01.02", "2026.01.02"},
                 {"", "üres", ""},
                 {"    .  .  ", "üres", ""}};
    QStringList dates{QStringLiteral("2026.01.01")};
    for (const Case& c : cases) {
        EvzaroParams p = params(true, ClosingKind::RecomputeExisting);
        p.zardatum = QLatin1String(c.typed);
        const QString warning = ClosingDateWarning(p);
        EXPECT_TRUE(warning.startsWith(QStringLiteral("A zárás dátuma (%1) nem a következő év első napja (2026.01.01)")
                                           .arg(QString::fromUtf8(c.shown))))
            << warning.toStdString();
        const EvzaroResult refused = RunEvzaro(p);
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.error, warning);
        EXPECT_EQ(OpeningDates(), dates) << c.typed;
        p.dateConfirmed = true;
        run(p);
        dates = QStringList{QLatin1String(c.stored)};
        EXPECT_EQ(OpeningDates(), dates) << c.typed;
    }
}

TEST_F(EvzaroTest, BadInputIsRefusedWithAMessage) {
    EvzaroParams p = params(false);
    p.name.clear();
    EvzaroResult result = RunEvzaro(p);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, QStringLiteral("Adja meg a következő év adatbázisának nevét!"));
    p = params(false);
    p.path = copy->dir();
    p.name = QStringLiteral("TARVEDO_MINTA_2025.GDB");
    result = RunEvzaro(p);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("A következő év adatbázisa nem lehet"))) << result.error.toStdString();
    // A closing date that is no day of the calendar.
    p = params(false);
    p.zardatum = QStringLiteral("2025.02.30");
    result = RunEvzaro(p);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, QStringLiteral("Hibás dátum: 2025.02.30"));
    // A folder that cannot be made.
    p = params(false);
    p.path = QStringLiteral("/proc/nincs/2026");
    result = RunEvzaro(p);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("Nem sikerült létrehozni a következő év adatainak mappáját!")))
        << result.error.toStdString();
    EXPECT_TRUE(IsConnected(d_tarvedo));
}

}  // namespace
