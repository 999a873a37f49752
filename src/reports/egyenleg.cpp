#include "reports/egyenleg.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include "db/altproc.h"
#include "db/catalog.h"
#include "db/dat.h"
#include "db/db_error.h"

namespace {

// The journal type of the opening items by which the year closing carries
// last year's open invoices forward, besides the fixed code "2".
QString openingJournal() { return Td().NyKod.isEmpty() ? QStringLiteral("NY") : Td().NyKod; }

const QString InsertColumns = QStringLiteral(
    "(UGYFELKOD, UGYFELNEV, NTIPUS, KONYVBIZ, SZAMLASZAM, TELJKELT, FIZHATIDO, ERTEK, DEVERTEK, DEVIZANEM, SORREND,\n"
    " PNTIPUS, PBIZONYLAT, PKONYVBIZ, PTELJKELT, PERTEK, PDEVERTEK, PDEVIZANEM)");

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
    q.invoiceAmount = QStringLiteral("ROUND(SUM(T.ERTEK*%1))").arg(sign);
    q.invoiceCurrencyAmount = QStringLiteral("SUM(T.DEVIZAERTEK*%1)").arg(sign);
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

QString statusList(int szamlajel) {
    QStringList letters;
    for (QChar letter : AcceptedStatuses(szamlajel)) letters << u'\'' + QString(letter) + u'\'';
    return letters.join(QStringLiteral(", "));
}

QString nonNull(const QString& text) { return text.isNull() ? QStringLiteral("") : text; }

// One invoice row read from a statement, its columns as the ledger holds them.
struct InvoiceRow {
    QVariant ugyfelkod, ugyfelnev, ntipus, konyvbiz, szamlaszam, teljkelt, fizhatido, devizanem;
    double ertek = 0, devizaertek = 0;

    // A row of the invoice statement, or a line of the result table
    // (whose currency amount is DEVERTEK).
    static InvoiceRow fromQuery(const QSqlQuery& q, const QString& currencyAmount = QStringLiteral("DEVIZAERTEK")) {
        const auto v = [&](const char* column) { return q.value(QLatin1String(column)); };
        return {v("UGYFELKOD"), v("UGYFELNEV"), v("NTIPUS"), v("KONYVBIZ"), v("SZAMLASZAM"), v("TELJKELT"),
                v("FIZHATIDO"), v("DEVIZANEM"), v("ERTEK").toDouble(), q.value(currencyAmount).toDouble()};
    }
    static InvoiceRow fromResult(const QSqlQuery& q) { return fromQuery(q, QStringLiteral("DEVERTEK")); }
};

QString currency(const QString& devizanem) { return devizanem.isEmpty() ? QStringLiteral("HUF") : devizanem; }

// The lines of one invoice read with its own payment statement: the
// per-invoice method, and the way of the few invoices whose sums depend
// on the order of their items. Returns the lines written.
qint64 insertInvoice(PartnerSide side, const InvoiceRow& invoice, const QString& accepted, RowInsert& insert) {
    const std::vector<PaymentItem> payments = ReadInvoicePayments(invoice.ugyfelkod, invoice.szamlaszam);
    const PaymentSums sums = SumPayments(side, payments);
    const double amount = double(RoundHalfAway(invoice.ertek));
    const QChar status = SettlementStatus(amount, sums, invoice.fizhatido.toString());
    if (!accepted.contains(status)) return 0;
    QVariantMap row{{QStringLiteral("UGYFELKOD"), invoice.ugyfelkod},
                    {QStringLiteral("UGYFELNEV"), nonNull(invoice.ugyfelnev.toString())},
                    {QStringLiteral("NTIPUS"), invoice.ntipus},
                    {QStringLiteral("KONYVBIZ"), invoice.konyvbiz},
                    {QStringLiteral("SZAMLASZAM"), invoice.szamlaszam},
                    {QStringLiteral("TELJKELT"), invoice.teljkelt},
                    {QStringLiteral("FIZHATIDO"), invoice.fizhatido},
                    {QStringLiteral("DEVIZANEM"), currency(invoice.devizanem.toString())},
                    {QStringLiteral("ERTEK"), amount},
                    {QStringLiteral("DEVERTEK"), invoice.devizaertek},
                    {QStringLiteral("SORREND"), QStringLiteral("A")}};
    if (payments.empty()) {
        for (const char* column : {"PNTIPUS", "PBIZONYLAT", "PKONYVBIZ", "PTELJKELT", "PDEVIZANEM"})
            row[QLatin1String(column)] = QStringLiteral("");
        row[QStringLiteral("PERTEK")] = 0.0;
        row[QStringLiteral("PDEVERTEK")] = 0.0;
        insert.run(row);
        return 1;
    }
    bool first = true;
    for (const PaymentItem& p : payments) {
        if (!first) {
            row[QStringLiteral("ERTEK")] = 0.0;
            row[QStringLiteral("DEVERTEK")] = 0.0;
            row[QStringLiteral("SORREND")] = QStringLiteral("B");
        }
        first = false;
        const double sign = p.eszla.startsWith(Td().VeSzla) || p.szla.startsWith(Td().SzSzla) ? 1 : -1;
        row[QStringLiteral("PNTIPUS")] = nonNull(p.ntipus);
        row[QStringLiteral("PBIZONYLAT")] = nonNull(p.bizonylat.isEmpty() ? p.konyvbiz : p.bizonylat);
        row[QStringLiteral("PKONYVBIZ")] = nonNull(p.konyvbiz);
        row[QStringLiteral("PTELJKELT")] = nonNull(p.teljkelt);
        row[QStringLiteral("PERTEK")] = sign * p.ertek;
        row[QStringLiteral("PDEVERTEK")] = sign * p.devizaertek;
        row[QStringLiteral("PDEVIZANEM")] = currency(p.devizanem);
        insert.run(row);
    }
    return qint64(payments.size());
}

QString insertSql(const QString& table) {
    return QStringLiteral("INSERT INTO ") + table + u' ' + InsertColumns +
           QStringLiteral("\nVALUES (:UGYFELKOD, :UGYFELNEV, :NTIPUS, :KONYVBIZ, :SZAMLASZAM, :TELJKELT, :FIZHATIDO, :ERTEK,"
                          " :DEVERTEK, :DEVIZANEM, :SORREND, :PNTIPUS, :PBIZONYLAT, :PKONYVBIZ, :PTELJKELT, :PERTEK,"
                          " :PDEVERTEK, :PDEVIZANEM)");
}

// Every accepted line of every invoice in one statement. The invoices
// whose sums depend on the order of their items come out as one line
// marked "?" in SORREND, and are computed again one by one.
qint64 insertSetBased(const SettlementQuery& query, const QString& accepted, const QString& table) {
    QVariantMap params = SettlementParams(query);
    params[QStringLiteral("VESZLA")] = Td().VeSzla;
    params[QStringLiteral("SZSZLA")] = Td().SzSzla;
    const QString first = QStringLiteral("S.LINE = 1");
    const QString paid = QStringLiteral("S.PNTIPUS IS NOT NULL");
    const QString sign = QStringLiteral(
        "IIF(COALESCE(S.PESZLA, '') STARTING WITH :VESZLA OR COALESCE(S.PSZLA, '') STARTING WITH :SZSZLA, 1, -1)");
    const QString sql =
        QStringLiteral("INSERT INTO ") + table + u' ' + InsertColumns +
        QStringLiteral("\nSELECT S.UGYFELKOD, COALESCE(S.UGYFELNEV, ''), S.NTIPUS, S.KONYVBIZ, S.SZAMLASZAM, S.TELJKELT,\n"
                       "       S.FIZHATIDO, IIF(%1, S.ERTEK, 0), IIF(%1, S.DEVIZAERTEK, 0),\n"
                       "       COALESCE(NULLIF(S.DEVIZANEM, ''), 'HUF'), IIF(S.SEQUENTIAL = 1, '?', IIF(%1, 'A', 'B')),\n"
                       "       COALESCE(S.PNTIPUS, ''),\n"
                       "       IIF(%2, COALESCE(NULLIF(S.PBIZONYLAT, ''), S.PKONYVBIZ, ''), ''),\n"
                       "       COALESCE(S.PKONYVBIZ, ''), COALESCE(S.PTELJKELT, ''),\n"
                       "       IIF(%2, %3 * COALESCE(S.PERTEKRAW, 0), 0), IIF(%2, %3 * S.PDEVIZAERTEK, 0),\n"
                       "       IIF(%2, COALESCE(NULLIF(S.PDEVIZANEM, ''), 'HUF'), '')\n"
                       "  from (%4) S\n"
                       " where (S.SEQUENTIAL = 0 and S.STATUS in (%5)) or (S.SEQUENTIAL = 1 and %1)")
            .arg(first, paid, sign, SettlementSql(query), accepted);
    qint64 written = ExecSql(d_tarvedo, sql, params).numRowsAffected();

    std::vector<InvoiceRow> invoices;
    {
        QSqlQuery marked = ExecSql(d_tarvedo, QStringLiteral("select * from ") + table + QStringLiteral(" where SORREND = '?'"));
        while (NextRow(marked)) invoices.push_back(InvoiceRow::fromResult(marked));
    }
    if (invoices.empty()) return written;
    written -= ExecSql(d_tarvedo, QStringLiteral("delete from ") + table + QStringLiteral(" where SORREND = '?'")).numRowsAffected();
    RowInsert insert(insertSql(table));
    for (const InvoiceRow& invoice : invoices) written += insertInvoice(query.side, invoice, accepted, insert);
    return written;
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
            DbTransaction transaction(d_tarvedo);
            insertSetBased(EgyenlegSettlementQuery(side, c), statusList(c.szamlajel), table.name);
            transaction.commit();
        }
        if (step) step(3, 3);
        if (last) *last = {true, c, side};
    }
    run.table = table.name;
    run.querySql = ReportQueryText(table.name, EgyenlegOrder);
    run.rows = CountRows(table.name);
    return run;
}

qint64 FillEgyenlegPerInvoice(PartnerSide side, const EgyenlegCriteria& criteria, const QString& table,
                              const ReportStep& step) {
    const EgyenlegCriteria c = criteria.normalised();
    NormaliseLedgerTexts();
    const SettlementQuery query = EgyenlegSettlementQuery(side, c);
    const QString accepted = AcceptedStatuses(c.szamlajel);
    DbTransaction transaction(d_tarvedo);
    std::vector<InvoiceRow> invoices;
    {
        QSqlQuery q = ExecSql(d_tarvedo, SettlementInvoicesSql(query), query.params);
        while (NextRow(q)) invoices.push_back(InvoiceRow::fromQuery(q));
    }
    RowInsert insert(insertSql(table));
    qint64 written = 0, done = 0;
    for (const InvoiceRow& invoice : invoices) {
        written += insertInvoice(side, invoice, accepted, insert);
        if (step) step(++done, qint64(invoices.size()));
    }
    transaction.commit();
    return written;
}
