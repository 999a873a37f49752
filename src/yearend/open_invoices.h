#pragma once
// The open customer and supplier invoices the year closing carries into
// the next year: those the customer and supplier ledgers show as not or
// partly paid, by the ledgers' own settlement rule (reports/open_invoices.h),
// over every item of the year. An invoice carried forward last year (an
// opening item with its partner and number) counts as an invoice too, so it
// is carried on while it is open.
#include <QList>
#include <QString>

struct OpenInvoice {
    bool customer = true;  // false: a supplier invoice
    QString ugyfelkod, ntipus, konyvbiz, szamlaszam, teljkelt, fizhatido, devizanem;
    double ertek = 0;      // the invoice's signed amount
    double x = 0;          // payments minus the invoice, in whole forints
    double openCurrency = 0;  // what is still owed in its currency (in forints for a forint invoice)
};

// The open invoices of the current company database, ordered by journal
// type and voucher number, customer invoices before supplier invoices.
// The caller holds the transaction that makes the reading one snapshot.
QList<OpenInvoice> SelectOpenInvoices();

// The opening item of an open invoice: accounts, amount, its amount in
// the invoice's currency and text.
struct OpeningEntry {
    QString szla, eszla, szoveg;
    double ertek = 0;
    double devizaertek = 0;
};
OpeningEntry OpeningEntryFor(const OpenInvoice& invoice);
