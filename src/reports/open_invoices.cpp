#include "reports/open_invoices.h"

#include <QSqlQuery>
#include <QThread>
#include <algorithm>
#include <array>
#include <cmath>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/fb_cursor.h"
#include "db/db_error.h"
#include "db/row_prefetch.h"

namespace {

// The columns of a payment item, in the order PaymentItem is read from.
const QString PaymentColumns =
    QStringLiteral("P.SZLA, P.ESZLA, P.NTIPUS, P.BIZONYLAT, P.KONYVBIZ, P.TELJKELT, P.DEVIZANEM, P.SORSZAM, P.KAPOCS,"
                   " P.ERTEK, P.DEVIZAERTEK");

QString paymentsSql(const QString& paymentWhere, const QString& keyCondition) {
    QString sql = QStringLiteral("SELECT ") + PaymentColumns +
                  QStringLiteral(", P.UGYFELKOD, P.SZAMLASZAM\n  from TETEL P\n where (P.NTIPUS = :PTKOD or P.NTIPUS = :BKKOD)\n   and ") +
                  keyCondition + u'\n';
    if (!paymentWhere.isEmpty()) sql += QStringLiteral("   and (") + paymentWhere + QStringLiteral(")\n");
    return sql;
}

QVariantMap paymentParams(const QVariantMap& params) {
    QVariantMap bound = params;
    bound[QStringLiteral("PTKOD")] = Td().PtKod;
    bound[QStringLiteral("BKKOD")] = Td().BkKod;
    return bound;
}

// Texts compared as the database compares them: the shorter one as if
// padded with blanks.
int comparePadded(QStringView a, QStringView b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i)
        if (a[i] != b[i]) return a[i].unicode() < b[i].unicode() ? -1 : 1;
    const bool aLonger = a.size() > common;
    for (QChar c : (aLonger ? a : b).mid(common))
        if (c != u' ') return (c.unicode() < u' ') == aLonger ? -1 : 1;
    return 0;
}

int compareAmount(const PaymentItem& a, const PaymentItem& b) {
    if (a.ertekNull || b.ertekNull) return int(b.ertekNull) - int(a.ertekNull);
    return a.ertek < b.ertek ? -1 : a.ertek > b.ertek ? 1 : 0;
}

// A text column of the row: null as a null text, empty as an empty one.
QString textOf(const RowPrefetch& cursor, int column) {
    std::string_view utf8;
    if (!cursor.text(column, utf8)) return {};
    return utf8.empty() ? QStringLiteral("") : QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::unique_ptr<FbCursor> takeCursor(const QSqlQuery& query) {
    std::unique_ptr<FbCursor> cursor = FbCursor::take(query);
    if (!cursor) throw DbError(QStringLiteral("A lekérdezés sorai nem olvashatók: ") + query.lastQuery());
    return cursor;
}

// Where the columns of an invoice row are in a cursor's row.
struct InvoiceColumns {
    int ugyfelkod, konyvbiz, szamlaszam, teljkelt, fizhatido, devizanem, ntipus, ertek, devizaertek;

    explicit InvoiceColumns(const FbCursor& cursor)
        : ugyfelkod(of(cursor, "UGYFELKOD")), konyvbiz(of(cursor, "KONYVBIZ")), szamlaszam(of(cursor, "SZAMLASZAM")),
          teljkelt(of(cursor, "TELJKELT")), fizhatido(of(cursor, "FIZHATIDO")), devizanem(of(cursor, "DEVIZANEM")),
          ntipus(of(cursor, "NTIPUS")), ertek(of(cursor, "ERTEK")), devizaertek(of(cursor, "DEVIZAERTEK")) {}

    static int of(const FbCursor& cursor, const char* name) {
        for (int i = 0; i < cursor.columnCount(); ++i)
            if (cursor.info(i).name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) return i;
        throw DbError(QStringLiteral("Hiányzó oszlop: ") + QLatin1String(name));
    }
    // The texts that make an invoice row.
    std::array<int, 7> texts() const { return {ugyfelkod, konyvbiz, szamlaszam, teljkelt, fizhatido, devizanem, ntipus}; }
    // The texts of the row, without the amounts.
    template <typename Rows>
    void read(const Rows& cursor, InvoiceRow& row) const {
        row.ugyfelkod = cursor.value(ugyfelkod);
        row.konyvbiz = cursor.value(konyvbiz);
        row.szamlaszam = cursor.value(szamlaszam);
        row.teljkelt = cursor.value(teljkelt);
        row.fizhatido = cursor.value(fizhatido);
        row.devizanem = cursor.value(devizanem);
        row.ntipus = cursor.value(ntipus);
    }
};

// A text's part of a key: null apart from every text, and texts equal but
// for trailing blanks alike.
void appendKey(std::string& key, std::string_view utf8, bool isNull) {
    if (isNull) {
        key += '\1';
        return;
    }
    while (!utf8.empty() && utf8.back() == ' ') utf8.remove_suffix(1);
    key += '\2';
    key += utf8;
}
template <typename Rows>
void appendKey(std::string& key, const Rows& cursor, int column) {
    std::string_view utf8;
    const bool isNull = !cursor.text(column, utf8);
    appendKey(key, utf8, isNull);
}
void appendKey(std::string& key, const QVariant& text) {
    const QByteArray utf8 = text.toString().toUtf8();
    appendKey(key, std::string_view(utf8.constData(), size_t(utf8.size())), text.isNull());
}

// The key of an invoice's payments: its partner code and number.
template <typename Rows>
std::string paymentKeyOf(const Rows& cursor, int ugyfelkod, int szamlaszam) {
    std::string key;
    appendKey(key, cursor, ugyfelkod);
    appendKey(key, cursor, szamlaszam);
    return key;
}

// The partners' names by their codes, as the invoice rows join them.
class PartnerNames {
public:
    PartnerNames() {
        QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select KOD, NEV from UGYFEL"));
        while (NextRow(q)) m_names.insert_or_assign(keyOf(q.value(0)), q.value(1));
    }
    QVariant of(const QVariant& kod) const {
        const auto found = m_names.find(keyOf(kod));
        return found == m_names.end() ? QVariant(QMetaType(QMetaType::QString)) : found->second;
    }

private:
    static std::string keyOf(const QVariant& kod) {
        std::string key;
        appendKey(key, kod);
        return key;
    }
    std::unordered_map<std::string, QVariant> m_names;
};

QString controlAccount(PartnerSide side) { return side == PartnerSide::Customers ? Td().VeSzla : Td().SzSzla; }

// The invoice rows, numbered, without the partner's name: the name is
// joined to the grouped rows, so that the sort carries less.
QString invoiceRowsSql(const SettlementQuery& query) {
    const QString invoiceGroup =
        QStringLiteral("T.UGYFELKOD, T.KONYVBIZ, T.SZAMLASZAM, T.TELJKELT, T.FIZHATIDO, T.DEVIZANEM, T.NTIPUS");
    return QStringLiteral("SELECT ROW_NUMBER() OVER () INVNO, T.UGYFELKOD, T.KONYVBIZ, T.SZAMLASZAM,\n"
                          "       T.TELJKELT, T.FIZHATIDO, T.DEVIZANEM, T.NTIPUS,\n"
                          "       COALESCE(SUM(%1), 0) ERTEK, COALESCE(SUM(%2), 0) DEVIZAERTEK\n"
                          "  from TETEL T\n"
                          " where %3\n"
                          "group by %4\n")
        .arg(query.itemAmount, query.itemCurrencyAmount, query.invoiceWhere, invoiceGroup);
}

}  // namespace

QString SettlementInvoicesSql(const SettlementQuery& query) {
    return QStringLiteral("SELECT I.*, U.NEV UGYFELNEV from (%1) I LEFT OUTER JOIN UGYFEL U ON I.UGYFELKOD = U.KOD").arg(invoiceRowsSql(query));
}

InvoiceRows ReadGroupedInvoiceRows(const SettlementQuery& query) {
    QSqlQuery q = ExecSql(d_tarvedo, SettlementInvoicesSql(query), query.params);
    const std::unique_ptr<FbCursor> cursor = takeCursor(q);
    const InvoiceColumns columns(*cursor);
    const int ugyfelnev = InvoiceColumns::of(*cursor, "UGYFELNEV");
    InvoiceRows rows;
    while (cursor->fetch()) {
        InvoiceRow& row = rows.emplace_back();
        columns.read(*cursor, row);
        row.paymentKey = paymentKeyOf(*cursor, columns.ugyfelkod, columns.szamlaszam);
        row.ugyfelnev = cursor->value(ugyfelnev);
        row.ertek = cursor->value(columns.ertek).toDouble();
        row.devizaertek = cursor->value(columns.devizaertek).toDouble();
    }
    return rows;
}

InvoiceRows ReadInvoiceRows(const SettlementQuery& query) {
    // The items are read in no order: grouping them here spares the
    // database a sort of wide rows that would not fit its sort memory.
    InvoiceRows rows;
    std::unordered_map<std::string, size_t> rowOfGroup;
    const QString sql = QStringLiteral("SELECT T.UGYFELKOD, T.KONYVBIZ, T.SZAMLASZAM, T.TELJKELT, T.FIZHATIDO,"
                                       " T.DEVIZANEM, T.NTIPUS, %1 ERTEK, %2 DEVIZAERTEK\n  from TETEL T\n where %3")
                            .arg(query.itemAmount, query.itemCurrencyAmount, query.invoiceWhere);
    QSqlQuery q = ExecSql(d_tarvedo, sql, query.params);
    std::unique_ptr<FbCursor> cursor = takeCursor(q);
    const InvoiceColumns columns(*cursor);
    // The next rows are fetched while these are grouped.
    RowPrefetch items(std::move(cursor));
    std::string key;
    while (items.next()) {
        key.clear();
        for (int column : columns.texts()) appendKey(key, items, column);
        const auto [found, isNew] = rowOfGroup.try_emplace(key, rows.size());
        if (isNew) {
            InvoiceRow& row = rows.emplace_back();
            columns.read(items, row);
            row.paymentKey = paymentKeyOf(items, columns.ugyfelkod, columns.szamlaszam);
        }
        InvoiceRow& row = rows[found->second];
        // A null amount is left out of the sum, as SUM leaves it out.
        const QVariant ertek = items.value(columns.ertek), devizaertek = items.value(columns.devizaertek);
        if (!ertek.isNull()) row.ertek += ertek.toDouble();
        if (!devizaertek.isNull()) row.devizaertek += devizaertek.toDouble();
    }
    const PartnerNames names;
    for (InvoiceRow& row : rows) row.ugyfelnev = names.of(row.ugyfelkod);
    return rows;
}

bool PaymentPaysInvoice(PartnerSide side, const QString& szla, const QString& eszla) {
    const QString& account = side == PartnerSide::Customers ? eszla : szla;
    return account.startsWith(controlAccount(side));
}

void PaymentSums::add(bool paysInvoice, double ertek, const QString& teljkelt) {
    if (paysInvoice)
        paid = double(RoundHalfAway(paid + ertek));
    else
        refunded = double(RoundHalfAway(refunded + ertek));
    if (teljkelt > last) last = teljkelt;
    ++count;
}

QChar SettlementStatus(double amount, const PaymentSums& payments, const QString& due) {
    const double net = payments.net();
    if (std::fabs(net - amount) < SettlementTolerance) return payments.last > due ? u'H' : u'T';
    return net == 0 ? u'E' : u'R';
}


int CompareAsDatabase(const QString& a, const QString& b) {
    if (a.isNull() || b.isNull()) return int(b.isNull()) - int(a.isNull());
    return comparePadded(a, b);
}

bool PaymentBefore(const PaymentItem& a, const PaymentItem& b) {
    for (const auto column : {&PaymentItem::teljkelt, &PaymentItem::konyvbiz, &PaymentItem::sorszam, &PaymentItem::kapocs,
                              &PaymentItem::szla, &PaymentItem::eszla})
        if (const int order = CompareAsDatabase(a.*column, b.*column)) return order < 0;
    if (const int order = compareAmount(a, b)) return order < 0;
    return CompareAsDatabase(a.bizonylat, b.bizonylat) < 0;
}

std::vector<PaymentItem> ReadInvoicePayments(const QVariant& ugyfelkod, const QVariant& szamlaszam,
                                             const QString& paymentWhere, const QVariantMap& params) {
    QVariantMap bound = paymentParams(params);
    bound[QStringLiteral("UGYFELKOD")] = ugyfelkod;
    bound[QStringLiteral("SZAMLASZAM")] = szamlaszam;
    const QString sql =
        paymentsSql(paymentWhere, QStringLiteral("P.UGYFELKOD = :UGYFELKOD\n   and P.SZAMLASZAM = :SZAMLASZAM")) +
        QStringLiteral("order by ") + PaymentOrder;
    std::vector<PaymentItem> items;
    QSqlQuery q = ExecSql(d_tarvedo, sql, bound);
    while (NextRow(q)) {
        PaymentItem p;
        p.szla = q.value(0).toString();
        p.eszla = q.value(1).toString();
        p.ntipus = q.value(2).toString();
        p.bizonylat = q.value(3).toString();
        p.konyvbiz = q.value(4).toString();
        p.teljkelt = q.value(5).toString();
        p.devizanem = q.value(6).toString();
        p.sorszam = q.value(7).toString();
        p.kapocs = q.value(8).toString();
        p.ertekNull = q.value(9).isNull();
        p.ertek = q.value(9).toDouble();
        p.devizaertek = q.value(10).toDouble();
        items.push_back(std::move(p));
    }
    return items;
}

InvoicePayments::InvoicePayments(const InvoiceRows& invoices, const QString& paymentWhere, const QVariantMap& params)
    : InvoicePayments(std::vector<const InvoiceRows*>{&invoices}, paymentWhere, params) {}

InvoicePayments::InvoicePayments(const std::vector<const InvoiceRows*>& invoiceLists, const QString& paymentWhere,
                                 const QVariantMap& params) {
    // An invoice without a number has no payments.
    bool emptyNumber = false;
    size_t count = 0;
    for (const InvoiceRows* invoices : invoiceLists) count += invoices->size();
    m_byInvoice.reserve(count);
    for (const InvoiceRows* invoices : invoiceLists)
        for (const InvoiceRow& invoice : *invoices)
            if (!invoice.ugyfelkod.isNull() && !invoice.szamlaszam.isNull()) {
                m_byInvoice.try_emplace(invoice.paymentKey);
                const QString number = invoice.szamlaszam.toString();
                emptyNumber = emptyNumber || std::all_of(number.cbegin(), number.cend(), [](QChar c) { return c == u' '; });
            }
    // Cash and bank items with an empty number pay only an invoice with an
    // empty number: without one, the engine leaves them out.
    QString keyCondition = QStringLiteral("P.UGYFELKOD IS NOT NULL and P.SZAMLASZAM IS NOT NULL");
    if (!emptyNumber) keyCondition += QStringLiteral(" and P.SZAMLASZAM <> ''");
    QSqlQuery q = ExecSql(d_tarvedo, paymentsSql(paymentWhere, keyCondition), paymentParams(params));
    // The next rows are fetched while these are matched.
    RowPrefetch cursor(takeCursor(q));
    std::string key;
    while (cursor.next()) {
        key.clear();
        appendKey(key, cursor, 11);
        appendKey(key, cursor, 12);
        const auto invoice = m_byInvoice.find(key);
        if (invoice == m_byInvoice.end()) continue;  // another side's or an unknown invoice's payment
        PaymentItem& p = invoice->second.emplace_back();
        p.szla = textOf(cursor, 0);
        p.eszla = textOf(cursor, 1);
        p.ntipus = textOf(cursor, 2);
        p.bizonylat = textOf(cursor, 3);
        p.konyvbiz = textOf(cursor, 4);
        p.teljkelt = textOf(cursor, 5);
        p.devizanem = textOf(cursor, 6);
        p.sorszam = textOf(cursor, 7);
        p.kapocs = textOf(cursor, 8);
        const QVariant ertek = cursor.value(9);
        p.ertekNull = ertek.isNull();
        p.ertek = ertek.toDouble();
        p.devizaertek = cursor.value(10).toDouble();
    }
    for (auto& [key, items] : m_byInvoice) std::stable_sort(items.begin(), items.end(), PaymentBefore);
}

const std::vector<PaymentItem>& InvoicePayments::of(const InvoiceRow& invoice) const {
    static const std::vector<PaymentItem> none;
    const auto found = m_byInvoice.find(invoice.paymentKey);
    return found == m_byInvoice.end() ? none : found->second;
}

PaymentSums SumPayments(PartnerSide side, const std::vector<PaymentItem>& payments) {
    PaymentSums sums;
    for (const PaymentItem& p : payments) sums.add(PaymentPaysInvoice(side, p.szla, p.eszla), p.ertek, p.teljkelt);
    return sums;
}

QString InvoiceCurrency(const QVariant& devizanem) {
    const QString currency = devizanem.toString().trimmed();
    return currency.isEmpty() ? QStringLiteral("HUF") : currency;
}

double Invoice::amount() const { return double(RoundHalfAway(ertek)); }

QChar Invoice::status(const PaymentSums& sums) const { return SettlementStatus(amount(), sums, first().fizhatido.toString()); }

namespace {

// The order of an invoice's vouchers; the texts of the invoice's key are equal.
bool voucherBefore(const InvoiceRow& a, const InvoiceRow& b) {
    for (const auto column : {&InvoiceRow::teljkelt, &InvoiceRow::konyvbiz, &InvoiceRow::ntipus, &InvoiceRow::fizhatido})
        if (const int order = CompareAsDatabase((a.*column).toString(), (b.*column).toString())) return order < 0;
    return false;
}

// Which of a partner code and number's invoices (in several currencies) a
// payment goes to.
size_t receivingInvoice(const Invoices& invoices, const std::vector<size_t>& candidates, const PaymentItem& payment) {
    const QString own = InvoiceCurrency(payment.devizanem);
    const auto currencyOf = [&](size_t at) { return InvoiceCurrency(invoices[at].first().devizanem); };
    for (size_t at : candidates)
        if (currencyOf(at) == own) return at;
    for (size_t at : candidates)
        if (currencyOf(at) == QLatin1String("HUF")) return at;
    return *std::min_element(candidates.begin(), candidates.end(),
                             [&](size_t a, size_t b) { return currencyOf(a) < currencyOf(b); });
}

}  // namespace

Invoices GatherInvoices(InvoiceRows rows, const PaymentsOf& paymentsOf) {
    Invoices invoices;
    std::unordered_map<std::string, size_t> invoiceOfKey;
    // The invoices of each partner code and number, one per currency.
    std::unordered_map<std::string, std::vector<size_t>> invoicesOfNumber;
    invoiceOfKey.reserve(rows.size());
    invoicesOfNumber.reserve(rows.size());
    std::string key;
    for (InvoiceRow& row : rows) {
        key = row.paymentKey;
        appendKey(key, InvoiceCurrency(row.devizanem));
        const auto [found, isNew] = invoiceOfKey.try_emplace(key, invoices.size());
        if (isNew) {
            invoices.emplace_back();
            invoicesOfNumber[row.paymentKey].push_back(found->second);
        }
        Invoice& invoice = invoices[found->second];
        invoice.ertek += row.ertek;
        invoice.devizaertek += row.devizaertek;
        invoice.vouchers.push_back(std::move(row));
    }
    for (Invoice& invoice : invoices)
        if (invoice.vouchers.size() > 1) std::sort(invoice.vouchers.begin(), invoice.vouchers.end(), voucherBefore);
    for (const auto& [number, candidates] : invoicesOfNumber) {
        std::vector<PaymentItem> payments = paymentsOf(invoices[candidates.front()].first());
        if (candidates.size() == 1) {
            invoices[candidates.front()].payments = std::move(payments);
            continue;
        }
        // In PaymentOrder still: each invoice receives its payments in turn.
        for (PaymentItem& payment : payments)
            invoices[receivingInvoice(invoices, candidates, payment)].payments.push_back(std::move(payment));
    }
    return invoices;
}

Invoices GatherInvoices(InvoiceRows rows, const InvoicePayments& payments) {
    return GatherInvoices(std::move(rows), [&](const InvoiceRow& row) { return payments.of(row); });
}

double OpenCurrencyAmount(PartnerSide side, const Invoice& invoice) {
    const QString currency = InvoiceCurrency(invoice.first().devizanem);
    if (currency == QLatin1String("HUF")) return invoice.amount() - SumPayments(side, invoice.payments).net();
    const double rate = invoice.ertek == 0 ? 0 : invoice.devizaertek / invoice.ertek;
    double paid = 0;
    for (const PaymentItem& p : invoice.payments) {
        const double amount = InvoiceCurrency(p.devizanem) == currency ? p.devizaertek : p.ertek * rate;
        paid += PaymentPaysInvoice(side, p.szla, p.eszla) ? amount : -amount;
    }
    return invoice.devizaertek - paid;
}

std::vector<OpenInvoiceRow> ReadOpenInvoices(const SettlementQuery& query) {
    return ReadOpenInvoices(std::vector<SettlementQuery>{query});
}

std::vector<OpenInvoiceRow> ReadOpenInvoices(const std::vector<SettlementQuery>& queries) {
    if (queries.empty()) return {};
    // An invoice's payments are those of its partner and number whichever
    // side it is on: one reading serves every query.
    std::vector<InvoiceRows> vouchers;
    vouchers.reserve(queries.size());  // the lists stay where they are
    std::vector<const InvoiceRows*> lists;
    for (const SettlementQuery& query : queries) lists.push_back(&vouchers.emplace_back(ReadInvoiceRows(query)));
    const InvoicePayments payments(lists, queries.front().paymentWhere, queries.front().params);
    std::vector<OpenInvoiceRow> open;
    for (size_t q = 0; q < queries.size(); ++q) {
        const PartnerSide side = queries[q].side;
        for (Invoice& invoice : GatherInvoices(std::move(vouchers[q]), payments)) {
            PaymentSums sums = SumPayments(side, invoice.payments);
            const QChar status = invoice.status(sums);
            if (status == u'E' || status == u'R') open.push_back({side, std::move(invoice), std::move(sums)});
        }
    }
    return open;
}

void NormaliseLedgerTexts() {
    static const char* const columns[] = {"FIZHATIDO", "TELJKELT", "UGYFELKOD"};
    for (int attempt = 1;; ++attempt) {
        try {
            DbTransaction transaction(d_tarvedo);
            for (const char* column : columns)
                ExecSql(d_tarvedo, QStringLiteral("Update tetel set %1 = '' where %1 IS NULL").arg(QLatin1String(column)));
            transaction.commit();
            return;
        } catch (const DbError& error) {
            // Another workstation is posting the same rows: wait and try again.
            if (!error.isLockConflict() || attempt >= 20) throw;
            QThread::msleep(100 * attempt);
        }
    }
}
