#include "reports/open_invoices.h"

#include <QSqlQuery>
#include <QThread>
#include <cmath>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"

namespace {

const QString PaymentColumns = QStringLiteral("SZLA, ESZLA, NTIPUS, BIZONYLAT, KONYVBIZ, TELJKELT, DEVIZANEM, ERTEK, DEVIZAERTEK");

QString controlAccount(PartnerSide side) { return side == PartnerSide::Customers ? Td().VeSzla : Td().SzSzla; }

// The payment item's column whose account decides P or Q.
QString decidingColumn(PartnerSide side) {
    return side == PartnerSide::Customers ? QStringLiteral("P.ESZLA") : QStringLiteral("P.SZLA");
}

QString fraction(const QString& x) { return QStringLiteral("ABS(%1) - FLOOR(ABS(%1))").arg(x); }

// The invoice rows, numbered, without the partner's name: the name is
// joined once the rows are settled, so that the sorts carry less.
QString invoiceRowsSql(const SettlementQuery& query) {
    const QString invoiceGroup =
        QStringLiteral("T.UGYFELKOD, T.KONYVBIZ, T.SZAMLASZAM, T.TELJKELT, T.FIZHATIDO, T.DEVIZANEM, T.NTIPUS");
    return QStringLiteral("SELECT ROW_NUMBER() OVER () INVNO, T.UGYFELKOD, T.KONYVBIZ, T.SZAMLASZAM,\n"
                          "       T.TELJKELT, T.FIZHATIDO, T.DEVIZANEM, T.NTIPUS,\n"
                          "       COALESCE(%1, 0) ERTEK, COALESCE(%2, 0) DEVIZAERTEK\n"
                          "  from TETEL T\n"
                          " where %3\n"
                          "group by %4\n")
        .arg(query.invoiceAmount, query.invoiceCurrencyAmount, query.invoiceWhere, invoiceGroup);
}

}  // namespace

QString SettlementInvoicesSql(const SettlementQuery& query) {
    return QStringLiteral("SELECT I.*, U.NEV UGYFELNEV from (%1) I LEFT OUTER JOIN UGYFEL U ON I.UGYFELKOD = U.KOD").arg(invoiceRowsSql(query));
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

QString RoundHalfAwaySql(const QString& x) {
    // The fraction is compared in single precision, as RoundHalfAway does.
    return QStringLiteral("(SIGN(%1) * (FLOOR(ABS(%1)) + IIF(CAST(%2 AS FLOAT) < 0.5, 0, 1)))").arg(x, fraction(x));
}

QVariantMap SettlementParams(const SettlementQuery& query) {
    QVariantMap params = query.params;
    params[QStringLiteral("PTKOD")] = Td().PtKod;
    params[QStringLiteral("BKKOD")] = Td().BkKod;
    params[QStringLiteral("SETTLEACCOUNT")] = controlAccount(query.side);
    return params;
}

QString SettlementSql(const SettlementQuery& query) {
    const QString x = QStringLiteral("COALESCE(P.ERTEK, 0)");
    const QString invoices = invoiceRowsSql(query);
    // Each payment item signed for the invoice (P) or against it (Q), and
    // whether its rounding is a tie that the order of the items decides.
    const QString lines =
        QStringLiteral("SELECT I.*, P.SZLA PSZLA, P.ESZLA PESZLA, P.NTIPUS PNTIPUS, P.BIZONYLAT PBIZONYLAT,\n"
                       "       P.KONYVBIZ PKONYVBIZ, P.TELJKELT PTELJKELT, P.SORSZAM PSORSZAM, P.KAPOCS PKAPOCS,\n"
                       "       P.ERTEK PERTEKRAW, %1 PERTEK, COALESCE(P.DEVIZAERTEK, 0) PDEVIZAERTEK, P.DEVIZANEM PDEVIZANEM,\n"
                       "       IIF(P.NTIPUS IS NULL, NULL, IIF(COALESCE(%2, '') STARTING WITH :SETTLEACCOUNT, 1, -1) * %3) PX,\n"
                       "       IIF(CAST(%4 AS FLOAT) = 0.5, 1, 0) PTIE\n"
                       "  from (%5) I\n"
                       "  LEFT OUTER JOIN TETEL P ON P.UGYFELKOD = I.UGYFELKOD AND P.SZAMLASZAM = I.SZAMLASZAM\n"
                       "   AND (P.NTIPUS = :PTKOD OR P.NTIPUS = :BKKOD)%6\n")
            .arg(x, decidingColumn(query.side), RoundHalfAwaySql(x), fraction(x), invoices,
                 query.paymentWhere.isEmpty() ? QString() : QStringLiteral("\n   AND (") + query.paymentWhere + u')');
    const QString window = QStringLiteral("OVER (PARTITION BY L.INVNO)");
    const QString windows =
        QStringLiteral("SELECT L.*,\n"
                       "       ROW_NUMBER() OVER (PARTITION BY L.INVNO ORDER BY L.PTELJKELT, L.PKONYVBIZ, L.PSORSZAM,\n"
                       "                          L.PKAPOCS, L.PSZLA, L.PESZLA, L.PERTEKRAW, L.PBIZONYLAT) LINE,\n"
                       "       COALESCE(SUM(L.PX) %1, 0) PAID,\n"
                       "       COALESCE(MAX(L.PTELJKELT) %1, '') LASTPAY,\n"
                       "       IIF(MAX(L.PTIE) %1 = 1 AND MIN(L.PERTEK) %1 < 0 AND MAX(L.PERTEK) %1 > 0, 1, 0) SEQUENTIAL\n"
                       "  from (%2) L\n")
            .arg(window, lines);
    return QStringLiteral("SELECT W.*, U.NEV UGYFELNEV,\n"
                          "       CASE WHEN ABS(W.PAID - W.ERTEK) < %1\n"
                          "            THEN IIF(W.LASTPAY > COALESCE(W.FIZHATIDO, ''), 'H', 'T')\n"
                          "            WHEN W.PAID = 0 THEN 'E' ELSE 'R' END STATUS\n"
                          "  from (%2) W LEFT OUTER JOIN UGYFEL U ON W.UGYFELKOD = U.KOD\n")
        .arg(SettlementTolerance)
        .arg(windows);
}

std::vector<PaymentItem> ReadInvoicePayments(const QVariant& ugyfelkod, const QVariant& szamlaszam,
                                             const QString& paymentWhere, const QVariantMap& params) {
    QVariantMap bound = params;
    bound[QStringLiteral("PTKOD")] = Td().PtKod;
    bound[QStringLiteral("BKKOD")] = Td().BkKod;
    bound[QStringLiteral("UGYFELKOD")] = ugyfelkod;
    bound[QStringLiteral("SZAMLASZAM")] = szamlaszam;
    QString sql = QStringLiteral("SELECT ") + PaymentColumns +
                  QStringLiteral("\n  from TETEL P\n where (P.NTIPUS = :PTKOD or P.NTIPUS = :BKKOD)\n"
                                 "   and P.UGYFELKOD = :UGYFELKOD\n   and P.SZAMLASZAM = :SZAMLASZAM\n");
    if (!paymentWhere.isEmpty()) sql += QStringLiteral("   and (") + paymentWhere + QStringLiteral(")\n");
    sql += QStringLiteral("order by ") + PaymentOrder;
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
        p.ertek = q.value(7).toDouble();
        p.devizaertek = q.value(8).toDouble();
        items.push_back(std::move(p));
    }
    return items;
}

PaymentSums SumPayments(PartnerSide side, const std::vector<PaymentItem>& payments) {
    PaymentSums sums;
    for (const PaymentItem& p : payments) sums.add(PaymentPaysInvoice(side, p.szla, p.eszla), p.ertek, p.teljkelt);
    return sums;
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
