#include "reports/egyenlegkozlo.h"

#include <QSqlQuery>

#include "db/altproc.h"
#include "db/dat.h"
#include "reports/open_invoices.h"

namespace {

const QString InsertColumns = QStringLiteral(
    "(UGYFELKOD, UGYFELNEV, NTIPUS, KONYVBIZ, SZAMLASZAM, TELJKELT, FIZHATIDO,\n"
    " DEVIZANEM, SORREND, BEVETEL, KIADAS, PNTIPUS, PBIZONYLAT, PKONYVBIZ,\n"
    " PTELJKELT, PBEVETEL, PKIADAS, PRESZSUM, PDEVIZANEM)");

// The customer invoices on the control account itself, up to the date,
// of one customer or all; each invoice one row with the signed sum of its
// items (debits of the control account less its credits).
SettlementQuery settlementQuery(const EgyenlegkozloCriteria& c) {
    SettlementQuery q;
    q.side = PartnerSide::Customers;
    QVariantMap& p = q.params;
    p[QStringLiteral("VEKOD")] = Td().VeKod;
    p[QStringLiteral("NYITONTIPUS")] = QStringLiteral("2");
    p[QStringLiteral("NYKOD")] = Td().NyKod.isEmpty() ? QStringLiteral("NY") : Td().NyKod;
    p[QStringLiteral("VESZLA")] = Td().VeSzla;
    const auto signedSum = [](const QString& column) {
        return QStringLiteral("SUM(IIF(T.SZLA = :VESZLA, T.%1, 0) - IIF(T.ESZLA = :VESZLA, T.%1, 0))").arg(column);
    };
    q.invoiceAmount = RoundHalfAwaySql(signedSum(QStringLiteral("ERTEK")));
    q.invoiceCurrencyAmount = signedSum(QStringLiteral("DEVIZAERTEK"));
    q.invoiceWhere = QStringLiteral("(T.NTIPUS = :VEKOD OR T.NTIPUS = :NYITONTIPUS OR T.NTIPUS = :NYKOD)\n"
                                    "   and (T.SZLA = :VESZLA or T.ESZLA = :VESZLA)\n");
    if (!c.datum.isEmpty()) {
        q.invoiceWhere += QStringLiteral(" and T.TELJKELT <= ") + CriterionParam(QStringLiteral("DATUM"), c.datum) + u'\n';
        q.paymentWhere = QStringLiteral("P.TELJKELT <= ") + CriterionParam(QStringLiteral("DATUM"), c.datum);
        p[QStringLiteral("DATUM")] = c.datum;
    }
    if (!c.ugyfelkod.isEmpty()) {
        q.invoiceWhere += QStringLiteral(" and T.UGYFELKOD = ") + CriterionParam(QStringLiteral("UGYFELKOD"), c.ugyfelkod) + u'\n';
        p[QStringLiteral("UGYFELKOD")] = c.ugyfelkod;
    }
    return q;
}

// Recomputes, one by one, the invoices whose sums depend on the order of
// their payment items (marked "?"), and writes those still open.
void settleMarkedInvoices(const QString& table, const EgyenlegkozloCriteria& c, const SettlementQuery& query) {
    QList<QVariantMap> marked;
    {
        QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select * from ") + table + QStringLiteral(" where SORREND = '?'"));
        while (NextRow(q)) {
            QVariantMap row;
            for (const char* column : {"UGYFELKOD", "UGYFELNEV", "NTIPUS", "KONYVBIZ", "SZAMLASZAM", "TELJKELT", "FIZHATIDO",
                                       "DEVIZANEM", "BEVETEL", "PNTIPUS", "PBIZONYLAT", "PKONYVBIZ", "PKIADAS", "PRESZSUM",
                                       "PDEVIZANEM"})
                row[QLatin1String(column)] = q.value(QLatin1String(column));
            marked << row;
        }
    }
    if (marked.isEmpty()) return;
    ExecSql(d_tarvedo, QStringLiteral("delete from ") + table + QStringLiteral(" where SORREND = '?'"));
    QVariantMap paymentParams;
    if (!c.datum.isEmpty()) paymentParams[QStringLiteral("DATUM")] = c.datum;
    RowInsert insert(QStringLiteral("INSERT INTO ") + table + u' ' + InsertColumns +
                     QStringLiteral("\nVALUES (:UGYFELKOD, :UGYFELNEV, :NTIPUS, :KONYVBIZ, :SZAMLASZAM, :TELJKELT, :FIZHATIDO,"
                                    " :DEVIZANEM, :SORREND, :BEVETEL, :KIADAS, :PNTIPUS, :PBIZONYLAT, :PKONYVBIZ,"
                                    " :PTELJKELT, :PBEVETEL, :PKIADAS, :PRESZSUM, :PDEVIZANEM)"));
    for (QVariantMap& row : marked) {
        const PaymentSums sums = SumPayments(
            query.side, ReadInvoicePayments(row[QStringLiteral("UGYFELKOD")], row[QStringLiteral("SZAMLASZAM")],
                                            query.paymentWhere, paymentParams));
        const double amount = row[QStringLiteral("BEVETEL")].toDouble();
        const QChar status = SettlementStatus(amount, sums, row[QStringLiteral("FIZHATIDO")].toString());
        if (status != u'E' && status != u'R') continue;
        row[QStringLiteral("SORREND")] = QStringLiteral("A");
        row[QStringLiteral("KIADAS")] = amount - sums.net();
        row[QStringLiteral("PTELJKELT")] = sums.last.isNull() ? QStringLiteral("") : sums.last;
        row[QStringLiteral("PBEVETEL")] = sums.net();
        insert.run(row);
    }
}

}  // namespace

QString EgyenlegkozloDate(const QString& text, const QDate& today) {
    const QString date = DateCriterion(text);
    if (date.isEmpty() || !DateValid(date, false)) return date;
    return ParseDate(date) > today ? DateToText(today) : date;
}

QString EgyenlegkozloOpening(const QString& datum) {
    return QStringLiteral("Közöljük Önökkel, hogy a nálunk vezetett folyószámlájukon ") + datum +
           QStringLiteral(". -n az alábbi egyenleg mutatkozik:");
}

QStringList EgyenlegkozloLetterText(const QString& helyseg, const QString& today) {
    const QString blanks88(88, u' '), blanks86(86, u' '), blanks82(82, u' ');
    const QString town = helyseg.trimmed();
    return {QStringLiteral("Kérjük a számvitelről szóló 1991.évi XVIII.tv. 23.par. 3.bek. és 41.par. 1.bek. értelmében "
                           "az alábbi nyilatkozatot"),
            QStringLiteral("aláírva postafordultával visszaküldeni sziveskedjenek."),
            QStringLiteral("Amennyiben 8 napon belül nem érkezik meg a nyilatkozatuk - a folyószámla egyenlegét nem "
                           "kifogásolják - azt elfogadottnak tekintjük."),
            QString(),
            QString(),
            (town.isEmpty() ? QString() : town + QStringLiteral(", ")) + today,
            blanks88 + QStringLiteral("Ph."),
            QString(),
            QString(),
            blanks86 + QStringLiteral("Aláírás"),
            QString(),
            QString(),
            QString(),
            QString(),
            QStringLiteral("A fenti ........................................ Ft. egyenleget elfogadjuk."),
            QString(),
            QStringLiteral("Kelt:") + blanks82 + QStringLiteral("Ph."),
            QString(),
            QString(),
            QString(),
            QString(),
            blanks86 + QStringLiteral("Aláírás")};
}

ResultTable& EgyenlegkozloResultTable() {
    static ResultTable table;
    return table;
}

QStringList EgyenlegkozloColumns() {
    return {QStringLiteral("ugyfelkod varchar(7),  "),           QStringLiteral("ugyfelnev varchar(60), "),
            QStringLiteral("ntipus varchar(2),     "),           QStringLiteral("KONYVBIZ varchar(15),  "),
            QStringLiteral("szamlaszam varchar(30),"),           QStringLiteral("sorrend   varchar(1),  "),
            QStringLiteral("teljkelt varchar(10),  "),           QStringLiteral("fizhatido varchar(10), "),
            QStringLiteral("bevetel double precision ,        "), QStringLiteral("kiadas  double precision ,        "),
            QStringLiteral("devizanem varchar(3),  "),           QStringLiteral("Pntipus varchar(2),    "),
            QStringLiteral("Pbizonylat varchar(15),"),           QStringLiteral("PKONYVBIZ varchar(15), "),
            QStringLiteral("Pteljkelt varchar(10), "),           QStringLiteral("Pbevetel double precision ,       "),
            QStringLiteral("Pkiadas  double precision ,       "), QStringLiteral("Preszsum double precision ,       "),
            QStringLiteral("Pdevizanem varchar(3)  ")};
}

ReportRun RunEgyenlegkozlo(const EgyenlegkozloCriteria& criteria, ResultTable& table, const ReportStep& step) {
    EgyenlegkozloCriteria c = criteria;
    c.datum = DateCriterion(c.datum);
    c.ugyfelkod = c.ugyfelkod.trimmed();
    table.prepare(EgyenlegkozloPrefix, EgyenlegkozloColumns(), UserTableName);
    if (step) step(0, 3);
    NormaliseLedgerTexts();
    if (step) step(1, 3);
    const SettlementQuery query = settlementQuery(c);
    const QString currency = QStringLiteral("COALESCE(NULLIF(S.DEVIZANEM, ''), 'HUF')");
    const QString sql =
        QStringLiteral("INSERT INTO ") + table.name + u' ' + InsertColumns +
        QStringLiteral("\nSELECT S.UGYFELKOD, SUBSTRING(COALESCE(S.UGYFELNEV, '') FROM 1 FOR 30), S.NTIPUS, S.KONYVBIZ,\n"
                       "       S.SZAMLASZAM, S.TELJKELT, S.FIZHATIDO, %1, IIF(S.SEQUENTIAL = 1, '?', 'A'),\n"
                       "       S.ERTEK, S.ERTEK - S.PAID, 'S', 'SUM', '', S.LASTPAY, S.PAID, 0, 0, %1\n"
                       "  from (%2) S\n"
                       " where S.LINE = 1 and (S.SEQUENTIAL = 1 or S.STATUS in ('E', 'R'))")
            .arg(currency, SettlementSql(query));
    {
        DbTransaction transaction(d_tarvedo);
        ExecSql(d_tarvedo, sql, SettlementParams(query));
        settleMarkedInvoices(table.name, c, query);
        transaction.commit();
    }
    if (step) step(3, 3);
    ReportRun run;
    run.table = table.name;
    run.querySql = ReportQueryText(table.name, EgyenlegkozloOrder);
    run.rows = CountRows(table.name);
    return run;
}
