#pragma once
// Which invoice is open, and by how much.
//
// An invoice is a partner code (UGYFELKOD), an invoice number (SZAMLASZAM)
// and a currency (DEVIZANEM, "HUF" when empty): its own ledger items carry
// them, and every cash or bank item that pays it carries the same partner
// code and number. Several vouchers may be posted under one invoice (a
// credit note under the number of the invoice it corrects, an invoice
// posted in two parts): they make one invoice, whose amount is the signed
// sum of all their items on the control account and whose payments count
// once. The payments are summed item by item, each sum rounded to whole
// forints (halves away from zero): P the items that pay it, Q the items
// that go the other way (a refund). Then
//
//   settled   when |(P - Q) - amount| < 3 forints: "T", or "H" when the
//             last payment is dated after the due date;
//   otherwise "E" when P - Q is exactly 0 (nothing paid), else "R" (partly).
//
// The open amount is amount - (P - Q). The customer and supplier ledgers,
// the balance confirmation letters and the year closing's carried-forward
// invoices all follow this rule (GatherInvoices, ReadOpenInvoices). The
// ledger and the letters read all vouchers and all payments in two
// statements and match them here (InvoicePayments); ReadInvoicePayments
// reads one invoice's payments, and both give the same items in the same
// order.
#include <QString>
#include <QVariantMap>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
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
// The same rule over the whole ledger: all invoices and all their payments
// read in two statements and matched here.

// What the ledger reads.
struct SettlementQuery {
    PartnerSide side = PartnerSide::Customers;
    // The WHERE conditions of the invoice items (alias T), with ":NAME"
    // parameters in `params`.
    QString invoiceWhere;
    // An invoice item's amount and currency amount, signed for the
    // invoice: an invoice row's amounts are their sums.
    QString itemAmount;
    QString itemCurrencyAmount;
    // Further conditions on the payment items (alias P), e.g. a date limit.
    QString paymentWhere;
    QVariantMap params;
};

// The order of an invoice's payment items: the first is the invoice's "A"
// line, and the sums are added in this order.
inline const QString PaymentOrder = QStringLiteral("TELJKELT, KONYVBIZ, SORSZAM, KAPOCS, SZLA, ESZLA, ERTEK, BIZONYLAT");

// The voucher rows of the invoices: the items grouped by UGYFELKOD, KONYVBIZ, SZAMLASZAM,
// TELJKELT, FIZHATIDO, DEVIZANEM and NTIPUS, with the sums ERTEK and
// DEVIZAERTEK (not rounded), the partner's name UGYFELNEV and a serial
// number INVNO.
QString SettlementInvoicesSql(const SettlementQuery& query);

// One voucher row of an invoice (its items of one voucher, fulfilment
// date and due date), its columns as the ledger holds them.
struct InvoiceRow {
    QVariant ugyfelkod, ugyfelnev, ntipus, konyvbiz, szamlaszam, teljkelt, fizhatido, devizanem;
    double ertek = 0, devizaertek = 0;
    // The partner code and number as its payments are matched by them.
    std::string paymentKey;
};
using InvoiceRows = std::deque<InvoiceRow>;
// The invoice rows of the query: the invoice items read once and grouped
// here, as SettlementInvoicesSql groups them (texts equal but for trailing
// blanks are one group, nulls a group of their own), the amounts added in
// the order the items come.
InvoiceRows ReadInvoiceRows(const SettlementQuery& query);
// The same rows as the database groups them with SettlementInvoicesSql.
InvoiceRows ReadGroupedInvoiceRows(const SettlementQuery& query);

// One payment item of an invoice, as the ledger holds it.
struct PaymentItem {
    QString szla, eszla, ntipus, bizonylat, konyvbiz, teljkelt, devizanem, sorszam, kapocs;
    double ertek = 0, devizaertek = 0;
    bool ertekNull = false;  // the item has no amount; it sorts first
};

// Texts compared as the database sorts them: nulls first, characters in
// order, trailing blanks ignored. Negative, 0 or positive.
int CompareAsDatabase(const QString& a, const QString& b);

// Whether `a` comes before `b` in PaymentOrder as the database sorts:
// nulls first, texts by their characters with trailing blanks ignored.
bool PaymentBefore(const PaymentItem& a, const PaymentItem& b);

// The payment items of one invoice in PaymentOrder: the cash and bank items
// with its partner code and invoice number, and `paymentWhere` (alias P)
// with `params`. The keys are bound as they are: an invoice without a
// number (null) has no payments.
std::vector<PaymentItem> ReadInvoicePayments(const QVariant& ugyfelkod, const QVariant& szamlaszam,
                                             const QString& paymentWhere = {}, const QVariantMap& params = {});
// The payment items of all `invoices` read at once: the cash and bank
// items with `paymentWhere` (alias P) and `params`, grouped by partner
// code and invoice number, each group in PaymentOrder. What
// ReadInvoicePayments gives for one invoice, of gives for it here.
class InvoicePayments {
public:
    explicit InvoicePayments(const InvoiceRows& invoices, const QString& paymentWhere = {}, const QVariantMap& params = {});
    // The same for the invoices of several lists.
    InvoicePayments(const std::vector<const InvoiceRows*>& invoices, const QString& paymentWhere, const QVariantMap& params);
    const std::vector<PaymentItem>& of(const InvoiceRow& invoice) const;

private:
    std::unordered_map<std::string, std::vector<PaymentItem>> m_byInvoice;
};

// Their sums, in their order.
PaymentSums SumPayments(PartnerSide side, const std::vector<PaymentItem>& payments);

// The currency of an invoice or payment: "HUF" when the ledger gives none.
QString InvoiceCurrency(const QVariant& devizanem);

// One invoice: the voucher rows of one partner code, invoice number and
// currency, and the payments of the partner code and number.
struct Invoice {
    // In order of fulfilment date, voucher, journal type and due date: the
    // first gives the invoice's own columns (its dates and voucher).
    std::vector<InvoiceRow> vouchers;
    double ertek = 0, devizaertek = 0;  // the sums of its vouchers
    std::vector<PaymentItem> payments;  // in PaymentOrder

    const InvoiceRow& first() const { return vouchers.front(); }
    // The amount in whole forints, halves away from zero.
    double amount() const;
    // The status letter by the settlement rule, with its payments' sums.
    QChar status(const PaymentSums& sums) const;
};
using Invoices = std::vector<Invoice>;

// The payment items of a voucher row's partner code and number.
using PaymentsOf = std::function<std::vector<PaymentItem>(const InvoiceRow&)>;
// The voucher rows gathered into invoices, in the order each invoice's
// first row comes. Each partner code and number's payments are asked for
// once: when its vouchers are in several currencies, a payment goes to the
// invoice in its own currency, else to the forint invoice, else to the
// invoice whose currency sorts first, so that every payment counts once.
Invoices GatherInvoices(InvoiceRows rows, const PaymentsOf& paymentsOf);
// The same with the payments read by InvoicePayments.
Invoices GatherInvoices(InvoiceRows rows, const InvoicePayments& payments);

// What a currency invoice still owes in its currency: its currency amount
// less what was paid of it, a payment in the same currency by its currency
// amount, any other at the invoice's own rate. The forint open amount for
// a forint invoice.
double OpenCurrencyAmount(PartnerSide side, const Invoice& invoice);

// An invoice the rule leaves open (status "E" or "R").
struct OpenInvoiceRow {
    PartnerSide side = PartnerSide::Customers;
    Invoice invoice;
    PaymentSums payments;
    // What is still owed: the amount less the payments.
    double open() const { return invoice.amount() - payments.net(); }
};
// The open invoices of the query, in the order of their first voucher rows:
// the vouchers read by ReadInvoiceRows, their payments by InvoicePayments
// with the query's paymentWhere. The caller holds the transaction that
// makes both readings one snapshot.
std::vector<OpenInvoiceRow> ReadOpenInvoices(const SettlementQuery& query);
// The same for several queries (both sides of the ledger), the open
// invoices of each in turn, with the payments read once for all: the
// queries share the paymentWhere and the parameters it names.
std::vector<OpenInvoiceRow> ReadOpenInvoices(const std::vector<SettlementQuery>& queries);

// "Update tetel set FIZHATIDO = '' where FIZHATIDO IS NULL", and the same
// for TELJKELT and UGYFELKOD: the partner reports compare these texts. One
// short transaction of its own, retried when another workstation's
// posting holds a row.
void NormaliseLedgerTexts();
