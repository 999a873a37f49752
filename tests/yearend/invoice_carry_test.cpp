// The closing by invoice carries one item per partner, invoice number and
// currency, with what is still open of it in forints and in its currency;
// on a generated ledger whose invoice numbers repeat, the ledgers tie out
// with 311 and 454 and the next year opens with this year's balances.
#include <QMap>
#include <QSet>
#include <cmath>

#include "reports/egyenleg.h"
#include "yearend/evzaro.h"
#include "yearend/yearend_fixture.h"

using namespace yearend_test;

namespace {

class InvoiceCarry : public ::testing::Test {
protected:
    void open(int items) {
        copy = std::make_unique<WorkingCopy>(items);
        copy->open();
    }
    void TearDown() override { copy.reset(); }

    void close(ClosingKind kind) {
        EvzaroParams p;
        p.zardatum = QStringLiteral("2026.01.01");
        p.path = copy->dir() + QStringLiteral("/2026");
        p.name = QStringLiteral("TARVEDO_MINTA_2026.GDB");
        p.kind = kind;
        p.teteles = true;
        const EvzaroResult result = RunEvzaro(p);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
    }

    std::unique_ptr<WorkingCopy> copy;
};

// A row of an invoice or payment with its currency.
void PostCurrency(const QString& szla, const QString& eszla, double ertek, const QString& ntipus, const QString& ugyfelkod,
                  const QString& szamlaszam, const QString& konyvbiz, const QString& devizanem, double devizaertek) {
    InsertLedgerRow({{QStringLiteral("SORSZAM"), konyvbiz},
                     {QStringLiteral("KAPOCS"), QStringLiteral("1")},
                     {QStringLiteral("SZLA"), szla},
                     {QStringLiteral("ESZLA"), eszla},
                     {QStringLiteral("ERTEK"), ertek},
                     {QStringLiteral("DEVIZAERTEK"), devizaertek},
                     {QStringLiteral("DEVIZANEM"), devizanem},
                     {QStringLiteral("NTIPUS"), ntipus},
                     {QStringLiteral("UGYFELKOD"), ugyfelkod},
                     {QStringLiteral("SZAMLASZAM"), szamlaszam},
                     {QStringLiteral("KONYVBIZ"), konyvbiz},
                     {QStringLiteral("TELJKELT"), QStringLiteral("2025.05.10")},
                     {QStringLiteral("FIZHATIDO"), QStringLiteral("2025.06.10")},
                     {QStringLiteral("SZOVEG"), QStringLiteral("x")}});
}

// Debit less credit of every account of classes 1 to 4 but 491, over the
// items of a database.
QMap<QString, double> Balances(const QString& connection) {
    QMap<QString, double> balances;
    QSqlQuery q = ExecSql(connection, QStringLiteral("select A, sum(E) from (select SZLA A, ERTEK E from TETEL union all "
                                                     "select ESZLA A, -ERTEK E from TETEL) where A between '1' and '4z' "
                                                     "and A <> '491' group by A"));
    while (NextRow(q))
        if (std::fabs(q.value(1).toDouble()) >= 0.005) balances[q.value(0).toString()] = q.value(1).toDouble();
    return balances;
}

// The turnovers by debit and credit account: from the turnover table and
// from the items themselves.
std::string Turnovers(const QString& connection, const QString& table) {
    QStringList lines;
    QSqlQuery q = ExecSql(connection, QStringLiteral("select 'T', SZLA, sum(ERTEK) from %1 group by SZLA having sum(ERTEK) <> 0 "
                                                     "union all select 'K', ESZLA, sum(ERTEK) from %1 group by ESZLA "
                                                     "having sum(ERTEK) <> 0 order by 1, 2").arg(table));
    while (NextRow(q)) lines << QStringLiteral("%1 %2 %3").arg(q.value(0).toString(), q.value(1).toString()).arg(q.value(2).toDouble(), 0, 'f', 2);
    return lines.join(u'\n').toStdString();
}

// Renames every third invoice of a partner to the number of the invoice
// before it (with its payments): invoice numbers that repeat. Returns how
// many numbers now repeat.
int RepeatNumbers(const QString& ntipus) {
    QList<std::pair<QString, QString>> invoices;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select distinct UGYFELKOD, SZAMLASZAM from TETEL where NTIPUS = :N "
                                                    "and SZAMLASZAM <> '' order by 1, 2"),
                          {{QStringLiteral("N"), ntipus}});
    while (NextRow(q)) invoices.append({q.value(0).toString(), q.value(1).toString()});
    int repeated = 0, pair = 0;
    for (qsizetype i = 1; i < invoices.size(); ++i) {
        if (invoices[i].first != invoices[i - 1].first || ++pair % 3 != 0) continue;
        ExecSql(d_tarvedo, QStringLiteral("update TETEL set SZAMLASZAM = :TO where UGYFELKOD = :U and SZAMLASZAM = :FROM"),
                {{QStringLiteral("TO"), invoices[i - 1].second},
                 {QStringLiteral("U"), invoices[i].first},
                 {QStringLiteral("FROM"), invoices[i].second}});
        invoices[i].second = invoices[i - 1].second;
        ++repeated;
    }
    return repeated;
}

}  // namespace

TEST_F(InvoiceCarry, OneItemPerInvoiceWithItsOpenCurrencyAmount) {
    open(0);
    ExecSql(d_tarvedo, QStringLiteral("delete from TETEL"));
    ExecSql(d_tarvedo, QStringLiteral("delete from FORGALOM"));
    Post({// two supplier invoices "DUP-1" of 10 000 and 5 000 paid by one transfer of 15 000: settled
          {QStringLiteral("521"), QStringLiteral("454"), 10000, QStringLiteral("SZ"), QStringLiteral("S4"), QStringLiteral("DUP-1"),
           QStringLiteral("SZ1")},
          {QStringLiteral("521"), QStringLiteral("454"), 5000, QStringLiteral("SZ"), QStringLiteral("S4"), QStringLiteral("DUP-1"),
           QStringLiteral("SZ2")},
          {QStringLiteral("454"), QStringLiteral("384"), 15000, QStringLiteral("BK"), QStringLiteral("S4"), QStringLiteral("DUP-1"),
           QStringLiteral("BK1")},
          // 12 700 less a credit note of 2 540 under the same number, 5 000 paid: 5 160 open
          {QStringLiteral("311"), QStringLiteral("911"), 12700, QStringLiteral("VE"), QStringLiteral("V1"), QStringLiteral("CN-1"),
           QStringLiteral("VE1")},
          {QStringLiteral("911"), QStringLiteral("311"), 2540, QStringLiteral("VE"), QStringLiteral("V1"), QStringLiteral("CN-1"),
           QStringLiteral("VE2")},
          {QStringLiteral("384"), QStringLiteral("311"), 5000, QStringLiteral("BK"), QStringLiteral("V1"), QStringLiteral("CN-1"),
           QStringLiteral("BK2")}});
    // 100 euro at 390, half of it paid in forints: 19 500 and 50 euro open
    PostCurrency(QStringLiteral("311"), QStringLiteral("931"), 39000, QStringLiteral("VE"), QStringLiteral("V2"),
                 QStringLiteral("E-1"), QStringLiteral("VE3"), QStringLiteral("EUR"), 100);
    PostCurrency(QStringLiteral("384"), QStringLiteral("311"), 19500, QStringLiteral("BK"), QStringLiteral("V2"),
                 QStringLiteral("E-1"), QStringLiteral("BK3"), QStringLiteral("HUF"), 19500);
    close(ClosingKind::NewDatabase);
    EXPECT_EQ(OpeningItems(QStringLiteral("SZAMLASZAM <> ''")),
              (QStringList{QStringLiteral("311 491 5160 CN-1"), QStringLiteral("311 491 19500 E-1")}));
    QSqlQuery item = ExecSql(d_tarvedo2, QStringLiteral("select KONYVBIZ, DEVIZANEM, DEVIZAERTEK from TETEL where "
                                                        "NTIPUS = 'NY' and SZAMLASZAM <> '' order by SZAMLASZAM"));
    QStringList carried;
    while (NextRow(item))
        carried << QStringLiteral("%1 %2 %3").arg(item.value(0).toString(), item.value(1).toString()).arg(item.value(2).toDouble());
    EXPECT_EQ(carried, (QStringList{QStringLiteral("VE1 HUF 5160"), QStringLiteral("VE3 EUR 50")}));
}

// A generated year whose invoice numbers partly repeat: the ledgers' open
// totals are the balances of 311 and 454 but for the tolerance of the
// settled invoices, and the next year opens, after a closing and after a
// recompute, with this year's balances, its turnover table equal to its items.
TEST_F(InvoiceCarry, GeneratedLedgerWithRepeatedNumbersTiesOutAndOpensTheNextYear) {
    open(3000);
    EXPECT_GT(RepeatNumbers(QStringLiteral("SZ")), 3);
    EXPECT_GT(RepeatNumbers(QStringLiteral("VE")), 3);

    for (PartnerSide side : {PartnerSide::Customers, PartnerSide::Suppliers}) {
        SCOPED_TRACE(int(side));
        ResultTable table;
        EgyenlegCriteria all;
        all.szamlajel = Mind;
        const EgyenlegRun everything = RunEgyenleg(side, all, table);
        const double invoices =
            Number(d_tarvedo, QStringLiteral("select count(*) from (select distinct UGYFELKOD, SZAMLASZAM, DEVIZANEM from ") +
                                  everything.table + u')');
        const double settlementSlack = SettlementTolerance * invoices;
        ASSERT_TRUE(everything.controlBalance.has_value());
        EXPECT_LT(std::fabs(EgyenlegArrears(everything.table) - *everything.controlBalance), settlementSlack);
        const EgyenlegRun open = RunEgyenleg(side, {}, table);
        EXPECT_LT(std::fabs(EgyenlegArrears(open.table) - *open.controlBalance), settlementSlack);
        EXPECT_NE(*open.controlBalance, 0);
    }

    const QMap<QString, double> closing = Balances(d_tarvedo);
    const double invoices = Number(d_tarvedo, QStringLiteral("select count(*) from (select distinct UGYFELKOD, SZAMLASZAM, "
                                                             "DEVIZANEM from TETEL where NTIPUS in ('VE', 'SZ', 'NY'))"));
    const auto opensWithTheClosingBalances = [&](const char* after) {
        SCOPED_TRACE(after);
        const QMap<QString, double> opening = Balances(d_tarvedo2);
        EXPECT_EQ(opening.keys(), closing.keys());
        for (const QString& account : closing.keys()) {
            SCOPED_TRACE(account.toStdString());
            const bool byInvoice = account.startsWith(QStringLiteral("311")) || account.startsWith(QStringLiteral("454"));
            EXPECT_NEAR(opening.value(account), closing.value(account), byInvoice ? SettlementTolerance * invoices : 0.005);
        }
        EXPECT_EQ(Turnovers(d_tarvedo2, QStringLiteral("FORGALOM")), Turnovers(d_tarvedo2, QStringLiteral("TETEL")));
    };
    close(ClosingKind::NewDatabase);
    opensWithTheClosingBalances("the closing");
    ExecSql(d_tarvedo, QStringLiteral("update CEG set NYITVA = 'I'"));
    close(ClosingKind::RecomputeExisting);
    opensWithTheClosingBalances("the recompute");
}
