#include "yearend/open_invoices.h"

#include <QSqlQuery>

#include "db/dat.h"
#include "yearend/evzaro.h"

namespace {

QString orDefault(const QString& code, const char* fallback) {
    return code.trimmed().isEmpty() ? QString::fromLatin1(fallback) : code;
}

// One statement: the invoices grouped with their signed amounts, each with
// its payments summed by a correlated sum over the invoice-number index,
// the settled ones left out.
const QString openInvoicesSql = QStringLiteral(R"(select * from (
select i.OLDAL, i.UGYFELKOD, i.NTIPUS, i.KONYVBIZ, i.SZAMLASZAM, i.TELJKELT, i.FIZHATIDO, i.DEVIZANEM, i.ERTEK,
       coalesce((select sum(iif((i.OLDAL = 'V' and p.ESZLA = '311') or (i.OLDAL = 'S' and p.SZLA = '454'),
                                round(p.ERTEK), -round(p.ERTEK)))
                   from TETEL p
                  where (p.NTIPUS = :PT or p.NTIPUS = :BK)
                    and (p.UGYFELKOD = i.UGYFELKOD or p.UGYFELKOD = '')
                    and p.SZAMLASZAM = i.SZAMLASZAM), 0) - round(i.ERTEK) X
  from (select iif(SZLA = '311' or ESZLA = '311', 'V', 'S') OLDAL,
               UGYFELKOD, NTIPUS, KONYVBIZ, SZAMLASZAM, TELJKELT, FIZHATIDO, DEVIZANEM,
               sum(iif(SZLA = '311' or ESZLA = '454', ERTEK, -ERTEK)) ERTEK,
               sum(iif(SZLA = '311' or ESZLA = '454', DEVIZAERTEK, -DEVIZAERTEK)) DEVIZAERTEK
          from TETEL
         where (NTIPUS = :VE and (SZLA = '311' or ESZLA = '311'))
            or (NTIPUS = :SZ and (SZLA = '454' or ESZLA = '454'))
            or ((NTIPUS = :NY or NTIPUS = '2') and SZAMLASZAM <> ''
                and (SZLA = '311' or ESZLA = '311' or SZLA = '454' or ESZLA = '454'))
         group by 1, UGYFELKOD, NTIPUS, KONYVBIZ, SZAMLASZAM, TELJKELT, FIZHATIDO, DEVIZANEM
        having sum(iif(SZLA = '311' or ESZLA = '454', ERTEK, -ERTEK)) <> 0
            or sum(iif(SZLA = '311' or ESZLA = '454', DEVIZAERTEK, -DEVIZAERTEK)) <> 0) i
) where abs(X) >= :SETTLED
order by NTIPUS, KONYVBIZ, OLDAL desc, UGYFELKOD, SZAMLASZAM, TELJKELT)");

}  // namespace

QList<OpenInvoice> SelectOpenInvoices() {
    const AppValues& app = Td();
    QSqlQuery rows = ExecSql(d_tarvedo, openInvoicesSql,
                             {{QStringLiteral("PT"), orDefault(app.PtKod, "PT")},
                              {QStringLiteral("BK"), orDefault(app.BkKod, "BK")},
                              {QStringLiteral("VE"), orDefault(app.VeKod, "VE")},
                              {QStringLiteral("SZ"), orDefault(app.SzKod, "SZ")},
                              {QStringLiteral("NY"), orDefault(app.NyKod, "NY")},
                              {QStringLiteral("SETTLED"), SettledBelow}});
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
        invoice.x = rows.value(9).toDouble();
        invoices.append(invoice);
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
