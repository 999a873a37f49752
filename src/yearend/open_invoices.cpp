#include "yearend/open_invoices.h"

#include <algorithm>

#include "reports/egyenleg.h"
#include "reports/open_invoices.h"
#include "yearend/evzaro.h"

namespace {

QString text(const QVariant& value) { return value.isNull() ? QString() : value.toString(); }

// The order in which the invoices receive their opening numbers.
bool numberedBefore(const OpenInvoice& a, const OpenInvoice& b) {
    for (const auto column : {&OpenInvoice::ntipus, &OpenInvoice::konyvbiz})
        if (const int order = CompareAsDatabase(a.*column, b.*column)) return order < 0;
    if (a.customer != b.customer) return a.customer;
    for (const auto column : {&OpenInvoice::ugyfelkod, &OpenInvoice::szamlaszam, &OpenInvoice::teljkelt,
                              &OpenInvoice::fizhatido, &OpenInvoice::devizanem})
        if (const int order = CompareAsDatabase(a.*column, b.*column)) return order < 0;
    return false;
}

}  // namespace

QList<OpenInvoice> SelectOpenInvoices() {
    QList<OpenInvoice> invoices;
    // The ledgers of both sides with no criteria: every invoice of the year.
    const std::vector<SettlementQuery> ledgers{EgyenlegSettlementQuery(PartnerSide::Customers, {}),
                                               EgyenlegSettlementQuery(PartnerSide::Suppliers, {})};
    for (const OpenInvoiceRow& row : ReadOpenInvoices(ledgers)) {
        // An invoice of several vouchers is carried as one, with the
        // columns of its first voucher.
        const InvoiceRow& first = row.invoice.first();
        OpenInvoice invoice;
        invoice.customer = row.side == PartnerSide::Customers;
        invoice.ugyfelkod = text(first.ugyfelkod);
        invoice.ntipus = text(first.ntipus);
        invoice.konyvbiz = text(first.konyvbiz);
        invoice.szamlaszam = text(first.szamlaszam);
        invoice.teljkelt = text(first.teljkelt);
        invoice.fizhatido = text(first.fizhatido);
        invoice.devizanem = text(first.devizanem);
        invoice.ertek = row.invoice.ertek;
        invoice.x = -row.open();
        invoice.openCurrency = OpenCurrencyAmount(row.side, row.invoice);
        invoices.append(invoice);
    }
    std::stable_sort(invoices.begin(), invoices.end(), numberedBefore);
    return invoices;
}

OpeningEntry OpeningEntryFor(const OpenInvoice& invoice) {
    OpeningEntry entry;
    const bool owed = invoice.x < 0;
    entry.ertek = owed ? -invoice.x : invoice.x;
    entry.devizaertek = owed ? invoice.openCurrency : -invoice.openCurrency;
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
