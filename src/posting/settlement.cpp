#include "settlement.h"

#include <QSqlQuery>

#include "db/dat.h"
#include "db/ui_hooks.h"
#include "posting/vat_split.h"

namespace {

const QString kInvoice = QStringLiteral(
    "select * from TETEL\n"
    "where SZAMLASZAM = :SZAMLASZAM and\n"
    "(TART_KOV<>'A' )\n"
    "and  (NTIPUS = :vntipus or NTIPUS = :szntipus or NTIPUS = :vnyitontipus)");

const QString kInvoiceVoucher = QStringLiteral(
    "select * from TETEL\n"
    "where  KONYVBIZ=:KONYVBIZ and SZAMLASZAM=:SZAMLASZAM\n"
    "and  (NTIPUS = :vntipus or NTIPUS = :szntipus or NTIPUS = :vnyitontipus)\n"
    "order by ertek");

const QString kPaid = QStringLiteral(
    "select * from TETEL\n"
    "where SZAMLASZAM=:SZAMLASZAM and\n"
    "UGYFELKOD = :UGYFELKOD and\n"
    "(NTIPUS = 'BK' or NTIPUS = 'PT')");

QVariant txt(const QString& value) { return value.isNull() ? QStringLiteral("") : value; }

QVariantMap journalParams() {
    const AppValues& td = Td();
    return {{QStringLiteral("vntipus"), txt(td.VeKod)},
            {QStringLiteral("szntipus"), txt(td.SzKod)},
            {QStringLiteral("vnyitontipus"), txt(td.NyKod)}};
}

QList<QSqlRecord> select(const QString& sql, const QVariantMap& params) {
    QList<QSqlRecord> rows;
    QSqlQuery q = ExecSql(d_tarvedo, sql, params);
    while (NextRow(q)) rows << q.record();
    return rows;
}

QString text(const QSqlRecord& row, const QString& column) {
    const QVariant v = row.value(column);
    return v.isNull() ? QString() : v.toString();
}

QString maskedDate(const QString& date) { return date.trimmed().isEmpty() ? EmptyDate : date; }

double sum(const QList<QSqlRecord>& rows) {
    double total = 0;
    for (const QSqlRecord& row : rows) total += row.value(QStringLiteral("ERTEK")).toDouble();
    return total;
}

}  // namespace

QList<QSqlRecord> InvoiceRows(const QString& szamlaszam) {
    QVariantMap params = journalParams();
    params[QStringLiteral("SZAMLASZAM")] = txt(szamlaszam);
    return select(kInvoice, params);
}

void SzamlaszamExit(KonyvelForm& form, const InvoiceChooser& choose) {
    KonyvelFields& f = form.f;
    const AppValues& td = Td();
    const QString n = f.e_szamlaszam;
    const QString t = f.e_ntipus;
    if (n.isEmpty() || (t != td.BkKod && t != td.PtKod)) return;

    // The invoice's voucher; "x" while there is none.
    QString v = QStringLiteral("x");
    const QList<QSqlRecord> invoice = InvoiceRows(n);
    if (invoice.isEmpty()) {
        ShowMessage(n + QStringLiteral(":  Nincs ilyen számlaszám !"));
        v = QString();
    } else if (invoice.size() == 1) {
        v = text(invoice.first(), QStringLiteral("KONYVBIZ"));
    } else if (choose) {
        if (const std::optional<QString> chosen = choose(n, invoice)) v = *chosen;
    }
    if (v == QLatin1String("x")) return;

    QVariantMap params = journalParams();
    params[QStringLiteral("KONYVBIZ")] = txt(v);
    params[QStringLiteral("SZAMLASZAM")] = txt(n);
    const QList<QSqlRecord> voucher = select(kInvoiceVoucher, params);
    const bool customer = !voucher.isEmpty() && text(voucher.last(), QStringLiteral("NTIPUS")) == td.VeKod;

    const QSqlRecord first = invoice.isEmpty() ? QSqlRecord() : invoice.first();
    const QString szla = text(first, QStringLiteral("SZLA"));
    const QString eszla = text(first, QStringLiteral("ESZLA"));
    QString debit, credit;
    if (customer) {
        credit = szla.startsWith(QLatin1Char('3')) ? szla : eszla;
    } else if (eszla.startsWith(QLatin1Char('4'))) {
        debit = eszla;
    } else {
        credit = szla;
    }
    if (f.e_szla.isEmpty()) f.e_szla = debit;
    if (f.e_eszla.isEmpty()) f.e_eszla = credit;

    const QString partner = text(first, QStringLiteral("UGYFELKOD"));
    const QString szlakelt = text(first, QStringLiteral("SZLAKELT"));
    const QString fizhatido = text(first, QStringLiteral("FIZHATIDO"));
    const QString teljkelt = form.wstatesor == QLatin1String("insert") ? QString() : text(first, QStringLiteral("TELJKELT"));
    const double gross = sum(voucher);

    f.e_ugyfelkod = Td().ceg.text(QStringLiteral("VANUGYFEL")).trimmed().toUpper() != QLatin1String("N") ? partner : QString();
    form.e_ugyfelkodExit();
    f.e_szamlakelt = maskedDate(szlakelt);
    f.e_teljkelt = maskedDate(teljkelt);
    f.e_fizhatido = maskedDate(fizhatido);

    f.e_szoveg = n + QStringLiteral(" számú ");
    if (customer) {
        f.e_szoveg += QStringLiteral(" vevő");
    } else {
        f.e_szoveg = n + QStringLiteral(" szállítói");
        std::swap(f.e_szla, f.e_eszla);
    }
    f.e_szoveg += QStringLiteral(" számla kiegyenlítése");

    QVariantMap paidParams{{QStringLiteral("SZAMLASZAM"), txt(n)}, {QStringLiteral("UGYFELKOD"), txt(partner)}};
    const double paid = sum(select(kPaid, paidParams));
    f.e_ertek = AmountText(gross - paid);
}
