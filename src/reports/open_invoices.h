#pragma once
// Which invoice is open, and by how much.
//
// An invoice is a partner code (UGYFELKOD) and an invoice number
// (SZAMLASZAM): its own ledger items carry both, and every cash or bank
// item that pays it carries the same two values. Its amount is the signed
// sum of its items on the control account; its payments are summed item by
// item, each rounded to whole forints (halves away from zero): P the items
// that pay it, Q the items that go the other way (a refund). Then
//
//   settled   when |(P - Q) - amount| < 3 forints: "T", or "H" when the
//             last payment is dated after the due date;
//   otherwise "E" when P - Q is exactly 0 (nothing paid), else "R" (partly).
//
// The open amount is amount - (P - Q). The customer and supplier ledgers,
// the balance confirmation letters and the year closing's carried-forward
// invoices all follow this rule; the set-based statement below and the
// per-invoice reading give the same statuses.
#include <QString>
#include <QVariantMap>
#include <vector>

// The customers' side (the customer control account VeSzla, the invoice
// journal VeKod) or the suppliers' side (SzSzla, SzKod).
enum class PartnerSide { Customers = 0, Suppliers = 1 };

// Payments that differ from the invoice by less than this settle it.
inline constexpr double SettlementTolerance = 3;

// Whether a cash or bank item pays the invoice (P) rather than going the
// other way (Q): on the customers' side when its credit account begins
// with the customer control account, on the suppliers' side when its debit
// account begins with the supplier control account.
bool PaymentPaysInvoice(PartnerSide side, const QString& szla, const QString& eszla);

// The payments of one invoice, added in the order of its payment items.
struct PaymentSums {
    double paid = 0;      // P
    double refunded = 0;  // Q
    QString last;         // the latest payment date; empty when none
    int count = 0;

    // Each sum is rounded to whole forints after every item.
    void add(bool paysInvoice, double ertek, const QString& teljkelt);
    double net() const { return paid - refunded; }
};

// The status letter of an invoice of `amount` (signed, whole forints) due
// on `due`.
QChar SettlementStatus(double amount, const PaymentSums& payments, const QString& due);

// ---------------------------------------------------------------------------
// The same rule in one statement over the whole ledger.

// What the statement reads.
struct SettlementQuery {
    PartnerSide side = PartnerSide::Customers;
    // The WHERE conditions of the invoice items (alias T), with ":NAME"
    // parameters in `params`.
    QString invoiceWhere;
    // The invoice row's amount and currency amount from its grouped items.
    QString invoiceAmount;
    QString invoiceCurrencyAmount;
    // Further conditions on the payment items (alias P), e.g. a date limit.
    QString paymentWhere;
    QVariantMap params;
};

// The order of an invoice's payment items: the first is the invoice's "A"
// line, and the sums are added in this order.
inline const QString PaymentOrder = QStringLiteral("TELJKELT, KONYVBIZ, SORSZAM, KAPOCS, SZLA, ESZLA, ERTEK, BIZONYLAT");

// A select of one line per invoice row and payment item (one line with
// empty payment columns when the invoice has none). An invoice row is the
// items grouped by UGYFELKOD, UGYFELNEV (the partner's name), NTIPUS,
// KONYVBIZ, SZAMLASZAM, TELJKELT, FIZHATIDO and DEVIZANEM, with ERTEK and
// DEVIZAERTEK. Payment columns: PSZLA, PESZLA, PNTIPUS, PBIZONYLAT,
// PKONYVBIZ, PTELJKELT, PERTEK, PDEVIZAERTEK, PDEVIZANEM (null without a
// payment). Per invoice row: INVNO, LINE (1, 2, ... in PaymentOrder),
// PAID (P - Q), LASTPAY (the latest payment date or ''), STATUS, and
// SEQUENTIAL = 1 where a payment of half a forint against a negative one
// makes the item-by-item rounding depend on the order of the items; those
// invoices are left to ReadInvoicePayments and SettlementStatus, and the
// statement's PAID and STATUS for them are not to be used.
QString SettlementSql(const SettlementQuery& query);
// The invoice rows alone (with INVNO), as the per-invoice reading reads them.
QString SettlementInvoicesSql(const SettlementQuery& query);
// The parameters SettlementSql adds to the query's own: the cash and bank
// journal types and the control account of the side.
QVariantMap SettlementParams(const SettlementQuery& query);

// Rounding to whole forints as RoundHalfAway does it, as an SQL expression.
QString RoundHalfAwaySql(const QString& expression);

// One payment item of an invoice, as the ledger holds it.
struct PaymentItem {
    QString szla, eszla, ntipus, bizonylat, konyvbiz, teljkelt, devizanem;
    double ertek = 0, devizaertek = 0;
};

// The payment items of one invoice in PaymentOrder: the cash and bank items
// with its partner code and invoice number, and `paymentWhere` (alias P)
// with `params`. The keys are bound as they are: an invoice without a
// number (null) has no payments.
std::vector<PaymentItem> ReadInvoicePayments(const QVariant& ugyfelkod, const QVariant& szamlaszam,
                                             const QString& paymentWhere = {}, const QVariantMap& params = {});
// Their sums, in their order.
PaymentSums SumPayments(PartnerSide side, const std::vector<PaymentItem>& payments);

// "Update tetel set FIZHATIDO = '' where FIZHATIDO IS NULL", and the same
// for TELJKELT and UGYFELKOD: the partner reports compare these texts. One
// short transaction of its own, retried when another workstation's
// posting holds a row.
void NormaliseLedgerTexts();
