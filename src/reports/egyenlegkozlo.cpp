#include "reports/egyenlegkozlo.h"

#include <QSqlQuery>

#include "db/altproc.h"
#include "db/dat.h"
#include "reports/block_insert.h"
#include "reports/open_invoices.h"

namespace {

// The columns of the result table, in the order openInvoiceLine gives the values.
const QStringList LetterColumns = {
    QStringLiteral("UGYFELKOD"), QStringLiteral("UGYFELNEV"), QStringLiteral("NTIPUS"),    QStringLiteral("KONYVBIZ"),
    QStringLiteral("SZAMLASZAM"), QStringLiteral("TELJKELT"), QStringLiteral("FIZHATIDO"), QStringLiteral("DEVIZANEM"),
    QStringLiteral("SORREND"),   QStringLiteral("BEVETEL"),  QStringLiteral("KIADAS"),    QStringLiteral("PNTIPUS"),
    QStringLiteral("PBIZONYLAT"), QStringLiteral("PKONYVBIZ"), QStringLiteral("PTELJKELT"), QStringLiteral("PBEVETEL"),
    QStringLiteral("PKIADAS"),   QStringLiteral("PRESZSUM"), QStringLiteral("PDEVIZANEM")};

// The customer's name as the letter's panel holds it.
constexpr int LetterNameLength = 30;

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
    const auto signedAmount = [](const QString& column) {
        return QStringLiteral("IIF(T.SZLA = :VESZLA, T.%1, 0) - IIF(T.ESZLA = :VESZLA, T.%1, 0)").arg(column);
    };
    q.itemAmount = signedAmount(QStringLiteral("ERTEK"));
    q.itemCurrencyAmount = signedAmount(QStringLiteral("DEVIZAERTEK"));
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

// The line of an open invoice: its amount (BEVETEL), what was paid of it
// (PBEVETEL), what is open (KIADAS) and the last payment (PTELJKELT); its
// own columns those of its first voucher.
QVariantList openInvoiceLine(const OpenInvoiceRow& row) {
    const InvoiceRow& invoice = row.invoice.first();
    const double amount = row.invoice.amount();
    const PaymentSums& sums = row.payments;
    QString devizanem = invoice.devizanem.toString();
    if (devizanem.trimmed().isEmpty()) devizanem = QStringLiteral("HUF");
    const QString name = invoice.ugyfelnev.isNull() ? QStringLiteral("") : invoice.ugyfelnev.toString().left(LetterNameLength);
    return {invoice.ugyfelkod, name, invoice.ntipus, invoice.konyvbiz, invoice.szamlaszam, invoice.teljkelt,
            invoice.fizhatido, devizanem, QStringLiteral("A"), amount, amount - sums.net(),
            QStringLiteral("S"), QStringLiteral("SUM"), QStringLiteral(""), sums.last.isNull() ? QStringLiteral("") : sums.last,
            sums.net(), 0.0, 0.0, devizanem};
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
    {
        // Every invoice and every payment up to the date read once, matched here.
        DbTransaction transaction(d_tarvedo);
        const SettlementQuery query = settlementQuery(c);
        const std::vector<OpenInvoiceRow> open = ReadOpenInvoices(query);
        if (step) step(2, 3);
        BlockInsert insert(table.name, LetterColumns);
        for (const OpenInvoiceRow& row : open) insert.add(openInvoiceLine(row));
        insert.finish();
        transaction.commit();
    }
    if (step) step(3, 3);
    ReportRun run;
    run.table = table.name;
    run.querySql = ReportQueryText(table.name, EgyenlegkozloOrder);
    run.rows = CountRows(table.name);
    return run;
}
