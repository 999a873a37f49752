#include "reports/egyenleg.h"

#include <QSqlQuery>
#include <algorithm>

#include "db/altproc.h"
#include "db/catalog.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "reports/block_insert.h"
#include "reports/turnover_pass.h"

namespace {

// The journal type of the opening items by which the year closing carries
// last year's open invoices forward, besides the fixed code "2".
QString openingJournal() { return Td().NyKod.isEmpty() ? QStringLiteral("NY") : Td().NyKod; }

}  // namespace

SettlementQuery EgyenlegSettlementQuery(PartnerSide side, const EgyenlegCriteria& c) {
    SettlementQuery q;
    q.side = side;
    const bool customers = side == PartnerSide::Customers;
    QVariantMap& p = q.params;
    p[QStringLiteral("VEVOSZLA")] = Td().VeSzla;
    p[QStringLiteral("SZALLITOSZLA")] = Td().SzSzla;
    p[QStringLiteral("NTIPUS")] = customers ? Td().VeKod : Td().SzKod;
    p[QStringLiteral("NYITONTIPUS")] = QStringLiteral("2");
    p[QStringLiteral("NYKOD")] = openingJournal();
    p[QStringLiteral("SZLA")] = (customers ? Td().VeSzla : Td().SzSzla) + u'%';
    const QString sign = QStringLiteral("IIF(T.SZLA LIKE :VEVOSZLA OR T.ESZLA LIKE :SZALLITOSZLA,1,-1)");
    q.itemAmount = QStringLiteral("T.ERTEK*%1").arg(sign);
    q.itemCurrencyAmount = QStringLiteral("T.DEVIZAERTEK*%1").arg(sign);
    QString where = QStringLiteral("(T.NTIPUS = :NTIPUS OR T.NTIPUS = :NYITONTIPUS OR T.NTIPUS = :NYKOD)\n"
                                   "   and (T.szla like :SZLA or T.eszla like :SZLA)\n");
    const auto add = [&](const QString& value, const QString& comparison, const QString& name) {
        if (value.isEmpty()) return;
        where += comparison + CriterionParam(name, value) + u'\n';
        p[name] = value;
    };
    add(c.teljkeltTol, QStringLiteral(" and T.TELJKELT>="), QStringLiteral("TOL"));
    add(c.teljkeltIg, QStringLiteral(" and T.TELJKELT<="), QStringLiteral("IG"));
    add(c.fizhatidoTol, QStringLiteral(" and T.fizhatido>="), QStringLiteral("FTOL"));
    add(c.fizhatidoIg, QStringLiteral(" and T.fizhatido<="), QStringLiteral("FIG"));
    add(c.ugyfelkod, QStringLiteral(" and T.ugyfelkod="), QStringLiteral("UGYFELKOD"));
    add(c.szamlaszam.isEmpty() ? QString() : c.szamlaszam + u'%', QStringLiteral(" and T.szamlaszam like "),
        QStringLiteral("SZAMLASZAM"));
    q.invoiceWhere = where;
    return q;
}

namespace {

QString nonNull(const QString& text) { return text.isNull() ? QStringLiteral("") : text; }

QString currency(const QString& devizanem) { return devizanem.isEmpty() ? QStringLiteral("HUF") : devizanem; }

// The columns of the result table, in the order insertInvoice gives the values.
const QStringList LineColumns = {
    QStringLiteral("UGYFELKOD"), QStringLiteral("UGYFELNEV"), QStringLiteral("NTIPUS"),     QStringLiteral("KONYVBIZ"),
    QStringLiteral("SZAMLASZAM"), QStringLiteral("TELJKELT"), QStringLiteral("FIZHATIDO"), QStringLiteral("ERTEK"),
    QStringLiteral("DEVERTEK"),  QStringLiteral("DEVIZANEM"), QStringLiteral("SORREND"),    QStringLiteral("PNTIPUS"),
    QStringLiteral("PBIZONYLAT"), QStringLiteral("PKONYVBIZ"), QStringLiteral("PTELJKELT"), QStringLiteral("PERTEK"),
    QStringLiteral("PDEVERTEK"), QStringLiteral("PDEVIZANEM")};

// The invoice's columns of a line: those of one of its vouchers, with
// that voucher's amounts.
QVariantList voucherColumns(const InvoiceRow& voucher, double amount, double currencyAmount) {
    return {voucher.ugyfelkod, nonNull(voucher.ugyfelnev.toString()), voucher.ntipus, voucher.konyvbiz,
            voucher.szamlaszam, voucher.teljkelt, voucher.fizhatido, amount, currencyAmount,
            currency(voucher.devizanem.toString())};
}

// The payment columns of a line; empty texts and 0 without a payment.
void appendPayment(QVariantList& line, const PaymentItem* p) {
    if (!p) {
        const QString none = QStringLiteral("");
        line << none << none << none << none << 0.0 << 0.0 << none;
        return;
    }
    const double sign = p->eszla.startsWith(Td().VeSzla) || p->szla.startsWith(Td().SzSzla) ? 1 : -1;
    line << nonNull(p->ntipus) << nonNull(p->bizonylat.isEmpty() ? p->konyvbiz : p->bizonylat) << nonNull(p->konyvbiz)
         << nonNull(p->teljkelt) << sign * p->ertek << sign * p->devizaertek << currency(p->devizanem);
}

// The lines of one invoice when its status is accepted: as many lines as
// it has vouchers or payments, whichever is more, each voucher with its
// amount and each payment in PaymentOrder beside them. The first line
// ("A") holds the first voucher and the first payment; further payments
// stand beside the invoice's own columns with the amounts 0. The voucher
// amounts add up to the invoice's rounded amount. Returns the lines written.
qint64 insertInvoice(PartnerSide side, const Invoice& invoice, const QString& accepted, BlockInsert& insert) {
    if (!accepted.contains(invoice.status(SumPayments(side, invoice.payments)))) return 0;
    const size_t vouchers = invoice.vouchers.size(), payments = invoice.payments.size();
    const size_t lines = std::max<size_t>({vouchers, payments, 1});
    double laterVouchers = 0;
    for (size_t v = 1; v < vouchers; ++v) laterVouchers += double(RoundHalfAway(invoice.vouchers[v].ertek));
    for (size_t at = 0; at < lines; ++at) {
        QVariantList line;
        if (at == 0)
            line = voucherColumns(invoice.first(), invoice.amount() - laterVouchers, invoice.vouchers.front().devizaertek);
        else if (at < vouchers)
            line = voucherColumns(invoice.vouchers[at], double(RoundHalfAway(invoice.vouchers[at].ertek)),
                                  invoice.vouchers[at].devizaertek);
        else
            line = voucherColumns(invoice.first(), 0.0, 0.0);
        line << (at == 0 ? QStringLiteral("A") : QStringLiteral("B"));
        appendPayment(line, at < payments ? &invoice.payments[at] : nullptr);
        insert.add(line);
    }
    return qint64(lines);
}

}  // namespace

QString AcceptedStatuses(int szamlajel) {
    switch (szamlajel) {
        case Kiegyenlitett: return QStringLiteral("TH");
        case NemKiegyenlitett: return QStringLiteral("ER");
        case HataridonTul: return QStringLiteral("H");
        case Reszben: return QStringLiteral("R");
        default: return QStringLiteral("TEHR");
    }
}

EgyenlegCriteria EgyenlegCriteria::normalised() const {
    EgyenlegCriteria c = *this;
    c.teljkeltTol = DateCriterion(teljkeltTol);
    c.teljkeltIg = DateCriterion(teljkeltIg);
    c.fizhatidoTol = DateCriterion(fizhatidoTol);
    c.fizhatidoIg = DateCriterion(fizhatidoIg);
    c.ugyfelkod = ugyfelkod.trimmed();
    c.szamlaszam = szamlaszam.trimmed();
    if (c.szamlajel < Kiegyenlitett || c.szamlajel > Mind) c.szamlajel = NemKiegyenlitett;
    return c;
}

QString EgyenlegCaption(PartnerSide side) {
    return side == PartnerSide::Suppliers ? QStringLiteral(" Szállító folyószámla lista ")
                                          : QStringLiteral(" Vevő folyószámla lista ");
}

QString EgyenlegSideCaption(PartnerSide side) {
    return side == PartnerSide::Suppliers ? QStringLiteral("Szállítói oldal:") : QStringLiteral("Vevői oldal:");
}

QString EgyenlegParamLine(const EgyenlegCriteria& criteria) {
    const EgyenlegCriteria c = criteria.normalised();
    const auto date = [](const QString& d) { return d.isEmpty() ? EmptyDateMask : d; };
    QString line = QStringLiteral("Telj. kelte: ") + date(c.teljkeltTol) + QStringLiteral(" - ") + date(c.teljkeltIg) +
                   QStringLiteral("     Fiz.határidő: ") + date(c.fizhatidoTol) + QStringLiteral(" - ") +
                   date(c.fizhatidoIg) + QStringLiteral("   Számlatípus: ") + SzamlajelCaptions.at(c.szamlajel);
    if (!c.ugyfelkod.isEmpty()) line += QStringLiteral("    Ügyfél: ") + c.ugyfelkod;
    return line;
}

ResultTable& EgyenlegResultTable() {
    static ResultTable table;
    return table;
}

QStringList EgyenlegColumns() {
    QStringList statement;
    if (!CopyTableDdl(QStringLiteral("EGYENLEG"), QStringLiteral("EGYENLEG"), false, false, &statement))
        throw DbError(QStringLiteral("Hiányzik az EGYENLEG tábla az adatbázisból."));
    return statement.mid(1, statement.size() - 2);  // the lines between "CREATE TABLE name (" and ")"
}

double ControlAccountBalance(PartnerSide side, const QString& ugyfelkod) {
    const bool customers = side == PartnerSide::Customers;
    QVariantMap params{{QStringLiteral("CONTROL"), (customers ? Td().VeSzla : Td().SzSzla) + u'%'}};
    double debitLessCredit = 0;
    if (ugyfelkod.isEmpty()) {
        // The whole account from the turnovers, as the trial balance reads it.
        const AccountTurnovers turnovers =
            ReadTurnovers(QStringLiteral(" and (SZLA like :CONTROL or ESZLA like :CONTROL)\n"), QStringLiteral("SZLA like :CONTROL"),
                          QStringLiteral("ESZLA like :CONTROL"), params);
        for (const double debit : turnovers.debit) debitLessCredit += debit;
        for (const double credit : turnovers.credit) debitLessCredit -= credit;
    } else {
        params[QStringLiteral("UGYFELKOD")] = ugyfelkod;
        debitLessCredit = SelectValue(d_tarvedo,
                                      QStringLiteral("select coalesce(sum(iif(T.SZLA like :CONTROL, T.ERTEK, 0)), 0)"
                                                     " - coalesce(sum(iif(T.ESZLA like :CONTROL, T.ERTEK, 0)), 0)\n"
                                                     "  from TETEL T\n where (T.SZLA like :CONTROL or T.ESZLA like :CONTROL)"
                                                     " and T.UGYFELKOD = :UGYFELKOD"),
                                      params)
                              .toDouble();
    }
    return customers ? debitLessCredit : -debitLessCredit;
}

double EgyenlegArrears(const QString& table) {
    return SelectValue(d_tarvedo, QStringLiteral("select coalesce(sum(ERTEK - PERTEK), 0) from ") + table).toDouble();
}

EgyenlegRun RunEgyenleg(PartnerSide side, const EgyenlegCriteria& criteria, ResultTable& table, EgyenlegLastRun* last,
                        const ReportStep& step) {
    const EgyenlegCriteria c = criteria.normalised();
    EgyenlegRun run;
    run.whivparam = EgyenlegParamLine(c);
    table.forgetIfDropped();
    if (last && last->done && last->criteria == c && last->side == side && !table.name.isEmpty()) {
        run.reused = true;
    } else {
        if (last) last->done = false;
        table.prepare(EgyenlegPrefix, EgyenlegColumns(), UserTableName);
        if (step) step(0, 3);
        NormaliseLedgerTexts();
        if (step) step(1, 3);
        {
            // Every invoice and every payment read once, matched here.
            DbTransaction transaction(d_tarvedo);
            const SettlementQuery query = EgyenlegSettlementQuery(side, c);
            InvoiceRows vouchers = ReadInvoiceRows(query);
            const InvoicePayments payments(vouchers);
            const Invoices invoices = GatherInvoices(std::move(vouchers), payments);
            if (step) step(2, 3);
            const QString accepted = AcceptedStatuses(c.szamlajel);
            BlockInsert insert(table.name, LineColumns);
            for (const Invoice& invoice : invoices) insertInvoice(side, invoice, accepted, insert);
            insert.finish();
            transaction.commit();
        }
        if (step) step(3, 3);
        if (last) *last = {true, c, side};
    }
    run.table = table.name;
    run.querySql = ReportQueryText(table.name, EgyenlegOrder);
    run.rows = CountRows(table.name);
    // Only a list of every invoice (of one partner, or all) ties out with
    // the account: a date or number criterion leaves invoices out.
    const bool everyInvoice = c.teljkeltTol.isEmpty() && c.teljkeltIg.isEmpty() && c.fizhatidoTol.isEmpty() &&
                              c.fizhatidoIg.isEmpty() && c.szamlaszam.isEmpty();
    if (everyInvoice && (c.szamlajel == Mind || c.szamlajel == NemKiegyenlitett))
        run.controlBalance = ControlAccountBalance(side, c.ugyfelkod);
    return run;
}

qint64 FillEgyenlegPerInvoice(PartnerSide side, const EgyenlegCriteria& criteria, const QString& table,
                              const ReportStep& step) {
    const EgyenlegCriteria c = criteria.normalised();
    NormaliseLedgerTexts();
    const SettlementQuery query = EgyenlegSettlementQuery(side, c);
    const QString accepted = AcceptedStatuses(c.szamlajel);
    DbTransaction transaction(d_tarvedo);
    const Invoices invoices = GatherInvoices(ReadGroupedInvoiceRows(query), [](const InvoiceRow& row) {
        return ReadInvoicePayments(row.ugyfelkod, row.szamlaszam);
    });
    BlockInsert insert(table, LineColumns);
    qint64 written = 0, done = 0;
    for (const Invoice& invoice : invoices) {
        written += insertInvoice(side, invoice, accepted, insert);
        if (step) step(++done, qint64(invoices.size()));
    }
    insert.finish();
    transaction.commit();
    return written;
}
