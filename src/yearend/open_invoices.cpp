#include "yearend/open_invoices.h"

#include <QHash>
#include <QPair>
#include <QSqlQuery>
#include <cmath>

#include "db/altproc.h"
#include "db/dat.h"
#include "yearend/evzaro.h"

namespace {

QString orDefault(const QString& code, const char* fallback) {
    return code.trimmed().isEmpty() ? QString::fromLatin1(fallback) : code;
}

// The invoices grouped with their signed amounts, in one pass.
const QString invoicesSql = QStringLiteral(R"(select iif(SZLA = '311' or ESZLA = '311', 'V', 'S') OLDAL,
       UGYFELKOD, NTIPUS, KONYVBIZ, SZAMLASZAM, TELJKELT, FIZHATIDO, DEVIZANEM,
       sum(iif(SZLA = '311' or ESZLA = '454', ERTEK, -ERTEK)) ERTEK
  from TETEL
 where (NTIPUS = :VE and (SZLA = '311' or ESZLA = '311'))
    or (NTIPUS = :SZ and (SZLA = '454' or ESZLA = '454'))
    or ((NTIPUS = :NY or NTIPUS = '2') and SZAMLASZAM <> ''
        and (SZLA = '311' or ESZLA = '311' or SZLA = '454' or ESZLA = '454'))
 group by 1, UGYFELKOD, NTIPUS, KONYVBIZ, SZAMLASZAM, TELJKELT, FIZHATIDO, DEVIZANEM
having sum(iif(SZLA = '311' or ESZLA = '454', ERTEK, -ERTEK)) <> 0
    or sum(iif(SZLA = '311' or ESZLA = '454', DEVIZAERTEK, -DEVIZAERTEK)) <> 0
 order by NTIPUS, KONYVBIZ, 1 desc, UGYFELKOD, SZAMLASZAM, TELJKELT)");

// The payments grouped by invoice number and partner in one pass, each
// rounded to whole forints, with what settles a customer invoice (credit
// 311) and what settles a supplier invoice (debit 454).
const QString paymentsSql = QStringLiteral(R"(select SZAMLASZAM, UGYFELKOD,
       sum(iif(ESZLA = '311', round(ERTEK), -round(ERTEK))) VEVO,
       sum(iif(SZLA = '454', round(ERTEK), -round(ERTEK))) SZALLITO
  from TETEL
 where (NTIPUS = :PT or NTIPUS = :BK) and SZAMLASZAM is not null
 group by SZAMLASZAM, UGYFELKOD)");

struct PaymentSums {
    double vevo = 0, szallito = 0;
};

}  // namespace

QList<OpenInvoice> SelectOpenInvoices() {
    const AppValues& app = Td();
    // Two grouped passes over the items, joined here by invoice number and
    // partner: the engine would look the payments up invoice by invoice.
    QHash<QPair<QString, QString>, PaymentSums> payments;
    QSqlQuery paid = ExecSql(d_tarvedo, paymentsSql,
                             {{QStringLiteral("PT"), orDefault(app.PtKod, "PT")}, {QStringLiteral("BK"), orDefault(app.BkKod, "BK")}});
    while (NextRow(paid))
        payments.insert({paid.value(0).toString(), paid.value(1).toString()},
                        {paid.value(2).toDouble(), paid.value(3).toDouble()});

    QSqlQuery rows = ExecSql(d_tarvedo, invoicesSql,
                             {{QStringLiteral("VE"), orDefault(app.VeKod, "VE")},
                              {QStringLiteral("SZ"), orDefault(app.SzKod, "SZ")},
                              {QStringLiteral("NY"), orDefault(app.NyKod, "NY")}});
    QList<OpenInvoice> invoices;
    while (NextRow(rows)) {
        OpenInvoice invoice;
        invoice.customer = rows.value(0).toString().trimmed() == QLatin1String("V");  // CHAR comes padded
        invoice.ugyfelkod = rows.value(1).toString();
        invoice.ntipus = rows.value(2).toString();
        invoice.konyvbiz = rows.value(3).toString();
        invoice.szamlaszam = rows.value(4).toString();
        invoice.teljkelt = rows.value(5).toString();
        invoice.fizhatido = rows.value(6).toString();
        invoice.devizanem = rows.value(7).toString();
        invoice.ertek = rows.value(8).toDouble();
        // The partner's own payments, and those without a partner.
        double settled = 0;
        if (!rows.isNull(4)) {
            const auto add = [&](const QString& partner) {
                const auto found = payments.constFind({invoice.szamlaszam, partner});
                if (found != payments.cend()) settled += invoice.customer ? found->vevo : found->szallito;
            };
            add(invoice.ugyfelkod);
            if (!invoice.ugyfelkod.isEmpty()) add(QString(""));
        }
        invoice.x = settled - double(RoundHalfAway(invoice.ertek));
        if (std::abs(invoice.x) >= SettledBelow) invoices.append(invoice);
    }
    return invoices;
}

OpeningEntry OpeningEntryFor(const OpenInvoice& invoice) {
    OpeningEntry entry;
    const bool owed = invoice.x < 0;
    entry.ertek = owed ? -invoice.x : invoice.x;
    if (invoice.customer) {
        entry.szla = owed ? CustomerAccount : OpeningAccount;
        entry.eszla = owed ? OpeningAccount : CustomerAccount;
        entry.szoveg = QStringLiteral("NYITO : Nem kiegyenlített vevő számla.");
    } else {
        entry.szla = owed ? OpeningAccount : SupplierAccount;
        entry.eszla = owed ? SupplierAccount : OpeningAccount;
        entry.szoveg = QStringLiteral("NYITO : Nem kiegyenlített szállító számla.");
    }
    return entry;
}
