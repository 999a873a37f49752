// Never a forint lost: after closing a generated year of books, the next
// year opens with exactly this year's balances, on a local file and on a
// database served by a Firebird server.
#include <QMap>
#include <cmath>

#include "db/altproc.h"
#include "reports/egyenleg.h"
#include "yearend/evzaro.h"
#include "yearend/yearend_fixture.h"

using namespace yearend_test;

namespace {

QStringList Lines(const QMap<QString, double>& amounts) {
    QStringList lines;
    for (auto it = amounts.cbegin(); it != amounts.cend(); ++it)
        if (it.value() != 0) lines << it.key() + QStringLiteral(" %1").arg(it.value(), 0, 'f', 2);
    return lines;
}

// Balance (debit minus credit) of every account of classes 1 to 4 with a
// balance, and of 491, from all items of a database.
QMap<QString, double> Balances(const QString& connection) {
    QMap<QString, double> balances;
    QSqlQuery q = ExecSql(connection, QStringLiteral("select SZLA, ESZLA, ERTEK from TETEL"));
    while (NextRow(q)) {
        balances[q.value(0).toString()] += q.value(2).toDouble();
        balances[q.value(1).toString()] -= q.value(2).toDouble();
    }
    QMap<QString, double> kept;
    for (auto it = balances.cbegin(); it != balances.cend(); ++it) {
        const QChar first = it.key().isEmpty() ? QChar() : it.key().at(0);
        if (first >= QLatin1Char('1') && first <= QLatin1Char('4') && std::abs(it.value()) > 0.001)
            kept.insert(it.key(), it.value());
    }
    return kept;
}

// What the customer and supplier ledgers show open at the closing date:
// "side partner number amount" lines, the amount what is still owed (a
// debit on the customer account, a credit on the supplier account).
QStringList LedgerOpenInvoices(const QString& zardatum) {
    QMap<QString, double> open;
    ResultTable table;
    for (const PartnerSide side : {PartnerSide::Customers, PartnerSide::Suppliers}) {
        EgyenlegCriteria criteria;
        criteria.teljkeltIg = zardatum;
        criteria.szamlajel = NemKiegyenlitett;
        const EgyenlegRun run = RunEgyenleg(side, criteria, table);
        QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select UGYFELKOD, SZAMLASZAM, sum(ERTEK - PERTEK) from ") + run.table +
                                             QStringLiteral(" group by UGYFELKOD, SZAMLASZAM"));
        while (NextRow(q))
            open[QStringLiteral("%1 %2 %3").arg(side == PartnerSide::Customers ? QStringLiteral("V") : QStringLiteral("S")).arg(q.value(0).toString(),
                                                                                                  q.value(1).toString())] +=
                q.value(2).toDouble();
    }
    return Lines(open);
}

// The invoices the next year opens with, in the same lines.
QStringList CarriedInvoices() {
    QMap<QString, double> carried;
    QSqlQuery q = ExecSql(d_tarvedo2, QStringLiteral("select iif(SZLA = '311' or ESZLA = '311', 'V', 'S'), UGYFELKOD, SZAMLASZAM, "
                                                     "iif(SZLA = '311' or ESZLA = '454', ERTEK, -ERTEK) "
                                                     "from TETEL where NTIPUS = 'NY' and SZAMLASZAM <> ''"));
    while (NextRow(q))
        carried[QStringLiteral("%1 %2 %3").arg(q.value(0).toString().trimmed(), q.value(1).toString(), q.value(2).toString())] +=
            q.value(3).toDouble();
    return Lines(carried);
}

void ExpectSameBalances(const QMap<QString, double>& before, const QMap<QString, double>& after) {
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key() == QLatin1String("491")) continue;
        EXPECT_NEAR(after.value(it.key()), it.value(), 0.005) << it.key().toStdString();
    }
    double total = 0;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (it.key() != QLatin1String("491")) {
            EXPECT_TRUE(before.contains(it.key())) << it.key().toStdString();
            total += it.value();
        }
    }
    // 491 holds the other side of every opening balance.
    EXPECT_NEAR(after.value(QStringLiteral("491")), -total, 0.005);
}

class IdentityTest : public ::testing::TestWithParam<bool> {};

TEST_P(IdentityTest, TheNextYearOpensWithThisYearsBalances) {
    const bool server = GetParam();
    if (server && TestServer().isEmpty()) GTEST_SKIP() << "TARVEDO_TEST_SERVER is not set";
    WorkingCopy copy(1500, server);
    copy.open();
    const QMap<QString, double> before = Balances(d_tarvedo);
    ASSERT_FALSE(before.isEmpty());

    EvzaroParams params;
    params.zardatum = QStringLiteral("2026.01.01");
    // A server makes the new database in a folder it can write.
    params.path = (server ? TestServer() + u':' : QString()) + copy.dir();
    params.name = QStringLiteral("MINTA_2026.GDB");
    params.teteles = false;
    const EvzaroResult byAccount = RunEvzaro(params);
    ASSERT_TRUE(byAccount.ok) << byAccount.error.toStdString();
    ExpectSameBalances(before, Balances(d_tarvedo2));

    // Again by invoice, into the database just made.
    ExecSql(d_tarvedo, QStringLiteral("update CEG set NYITVA = 'I'"));
    params.kind = ClosingKind::RecomputeExisting;
    params.teteles = true;
    const EvzaroResult byInvoice = RunEvzaro(params);
    ASSERT_TRUE(byInvoice.ok) << byInvoice.error.toStdString();
    EXPECT_GT(byInvoice.invoiceItems, 0);
    // Exactly what the partner ledgers show open at the closing date.
    const QStringList carried = CarriedInvoices(), ledgers = LedgerOpenInvoices(params.zardatum);
    EXPECT_GT(carried.size(), 10);
    for (const QString& line : carried) EXPECT_TRUE(ledgers.contains(line)) << "carried, not open: " << line.toStdString();
    for (const QString& line : ledgers) EXPECT_TRUE(carried.contains(line)) << "open, not carried: " << line.toStdString();
    EXPECT_EQ(carried.size(), ledgers.size());
    const QMap<QString, double> after = Balances(d_tarvedo2);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key() == QLatin1String("491") || it.key() == QLatin1String("311") || it.key() == QLatin1String("454"))
            continue;
        EXPECT_NEAR(after.value(it.key()), it.value(), 0.005) << it.key().toStdString();
    }
    EXPECT_EQ(SelectValue(d_tarvedosys, QStringLiteral("select DBSERVER from CEGEK where AKTUALISEV = '2026'")).toString(),
              byAccount.nextAddress);
}

INSTANTIATE_TEST_SUITE_P(Address, IdentityTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("Server") : std::string("LocalFile");
                         });

}  // namespace
