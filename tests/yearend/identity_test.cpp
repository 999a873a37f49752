// Never a forint lost: after closing a generated year of books, the next
// year opens with exactly this year's balances, on a local file and on a
// database served by a Firebird server.
#include <QHash>
#include <QMap>
#include <cmath>
#include <tuple>

#include "db/altproc.h"
#include "yearend/evzaro.h"
#include "yearend/yearend_fixture.h"

using namespace yearend_test;

namespace {

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

// The open invoices worked out invoice by invoice, the way a bookkeeper
// checks them: each invoice's items summed with their sign, its payments
// looked up and added one by one, rounded as they go. "number amount" lines,
// the amount signed as the opening item puts it on 311 or 454.
QStringList ReferenceOpenInvoices() {
    struct Invoice {
        bool customer;
        QString partner, number;
        double amount = 0;
    };
    using Key = std::tuple<bool, QString, QString, QString, QString, QString, QString, QString>;
    QMap<Key, Invoice> invoices;
    struct Payment {
        QString szla, eszla, partner;
        double ertek;
    };
    QMultiHash<QString, Payment> payments;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select SZLA, ESZLA, ERTEK, NTIPUS, UGYFELKOD, KONYVBIZ, SZAMLASZAM, "
                                                    "TELJKELT, FIZHATIDO, DEVIZANEM from TETEL"));
    while (NextRow(q)) {
        const QString szla = q.value(0).toString(), eszla = q.value(1).toString(), ntipus = q.value(3).toString();
        const double ertek = q.value(2).toDouble();
        if (ntipus == QLatin1String("BK") || ntipus == QLatin1String("PT")) {
            payments.insert(q.value(6).toString(), {szla, eszla, q.value(4).toString(), ertek});
            continue;
        }
        const bool onCustomer = szla == QLatin1String("311") || eszla == QLatin1String("311");
        const bool onSupplier = szla == QLatin1String("454") || eszla == QLatin1String("454");
        const bool invoiceJournal = (ntipus == QLatin1String("VE") && onCustomer) || (ntipus == QLatin1String("SZ") && onSupplier) ||
                                    ((ntipus == QLatin1String("NY") || ntipus == QLatin1String("2")) && !q.value(6).toString().isEmpty() &&
                                     (onCustomer || onSupplier));
        if (!invoiceJournal) continue;
        const Key key{onCustomer, q.value(4).toString(), ntipus, q.value(5).toString(), q.value(6).toString(),
                      q.value(7).toString(), q.value(8).toString(), q.value(9).toString()};
        Invoice& invoice = invoices[key];
        invoice.customer = onCustomer;
        invoice.partner = q.value(4).toString();
        invoice.number = q.value(6).toString();
        invoice.amount += (szla == QLatin1String("311") || eszla == QLatin1String("454")) ? ertek : -ertek;
    }
    QStringList open;
    for (const Invoice& invoice : invoices) {
        if (invoice.amount == 0) continue;
        double p = 0, qq = 0;
        const auto found = payments.values(invoice.number);
        for (const Payment& payment : found) {
            if (payment.partner != invoice.partner && !payment.partner.isEmpty()) continue;
            const bool settles = invoice.customer ? payment.eszla == QLatin1String("311") : payment.szla == QLatin1String("454");
            if (settles)
                p = double(RoundHalfAway(p + payment.ertek));
            else
                qq = double(RoundHalfAway(qq + payment.ertek));
        }
        const double i = double(RoundHalfAway(invoice.amount));
        const double x = (p - qq) - i;
        if (std::abs(x) < 3) continue;
        // Owed: a debit on 311, a credit on 454; both count positive here.
        open << QStringLiteral("%1 %2").arg(invoice.number).arg(-x, 0, 'f', 0);
    }
    open.sort();
    return open;
}

QStringList CarriedInvoices() {
    QStringList carried;
    QSqlQuery q = ExecSql(d_tarvedo2, QStringLiteral("select SZAMLASZAM, iif(SZLA = '311' or ESZLA = '454', ERTEK, -ERTEK) "
                                                     "from TETEL where NTIPUS = 'NY' and SZAMLASZAM <> ''"));
    while (NextRow(q)) carried << QStringLiteral("%1 %2").arg(q.value(0).toString()).arg(q.value(1).toDouble(), 0, 'f', 0);
    carried.sort();
    return carried;
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
    params.zardatum = QStringLiteral("2025.12.31");
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
    const QStringList carried = CarriedInvoices(), reference = ReferenceOpenInvoices();
    for (const QString& line : carried) EXPECT_TRUE(reference.contains(line)) << "carried, not open: " << line.toStdString();
    for (const QString& line : reference) EXPECT_TRUE(carried.contains(line)) << "open, not carried: " << line.toStdString();
    EXPECT_EQ(carried.size(), reference.size());
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
