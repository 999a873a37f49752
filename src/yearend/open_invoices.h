#pragma once
// The open customer and supplier invoices at the year closing, chosen by two
// grouped statements (the invoices, the payments) joined by invoice number.
//
// An invoice is the items of one partner, journal type, voucher number,
// invoice number, dates and currency on the customer account 311 (customer
// invoices) or the supplier account 454 (supplier invoices). Invoice items
// are those of the customer and supplier invoice journals and the opening
// items ("NY", and the opening journal "2"), so that an invoice carried
// forward last year and still open is carried on. An item debiting 311 or
// crediting 454 counts with its amount, one on the other side negated.
//
// Payments are the cash and bank items with the invoice's number and its
// partner (or no partner); for a customer invoice those crediting 311, for a
// supplier invoice those debiting 454 settle it (P), all others count
// against (Q), each rounded to whole forints. X = (P - Q) - the invoice's
// rounded amount; the invoice is settled when |X| < 3.
#include <QList>
#include <QString>

struct OpenInvoice {
    bool customer = true;  // false: a supplier invoice
    QString ugyfelkod, ntipus, konyvbiz, szamlaszam, teljkelt, fizhatido, devizanem;
    double ertek = 0;      // the invoice's signed amount
    double x = 0;          // payments minus the invoice, in whole forints
};

// The open invoices of the current company database, ordered by journal
// type and voucher number.
QList<OpenInvoice> SelectOpenInvoices();

// The opening item of an open invoice: accounts, amount and text.
struct OpeningEntry {
    QString szla, eszla, szoveg;
    double ertek = 0;
};
OpeningEntry OpeningEntryFor(const OpenInvoice& invoice);

// An invoice counts as settled when payments and amount differ by less than this.
inline constexpr double SettledBelow = 3;
