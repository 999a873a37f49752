#pragma once
// The VAT list ("ÁFA analitika"): for every invoice and cash voucher of a
// VAT-return period that carries VAT, its base, VAT and gross amount by VAT
// code and VAT account, payable ("FIZ": customer invoices, cash sales) and
// deductible ("LEV": supplier invoices, cash purchases) apart, with the
// deductible VAT of fixed-asset purchases (161 accounts) marked. The rows go
// into a result table that feeds the two printed layouts, the file store
// and the VAT-return XML.
//
// Base items are the main rows of an item, never its VAT rows ("A" in
// TART_KOV); an item's VAT rows are the rows of the same voucher and link
// number whose VAT account belongs to the journal type and VAT code.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <deque>
#include <vector>

#include "reports/report_pattern.h"

inline const QString AfalistaPrefix = QStringLiteral("TMP_");
inline const QString AfaFizetendo = QStringLiteral("FIZ");
inline const QString AfaLevonhato = QStringLiteral("LEV");
inline const QString AfaNeitherSide = QStringLiteral("Jelölje ki az ÁFA jellegét (fizetendő és/vagy levonható)");
inline const QString AfaNoData = QStringLiteral("Nincs adat ebben az időszakban.");

// The order of the list: 0 by VAT account and invoice number (one row per
// base and VAT item), 1 by ledger voucher (one row per invoice).
enum AfaSorrend { AfaByAccount = 0, AfaByVoucher = 1 };
inline const QStringList AfaSorrendCaptions = {QStringLiteral("ÁFA kulcs, számlaszám"),
                                               QStringLiteral("Könyvelési bizonylat")};

struct AfalistaCriteria {
    QString tol, ig;         // from-month and to-month, "yyyy.mm"
    bool fizetendo = true;   // payable side
    bool levonhato = true;   // deductible side
    int sorrend = AfaByAccount;
};

// "yyyy.mm" + ".01", and the last day of the to-month.
QString AfaPeriodStart(const QString& month);
QString AfaPeriodEnd(const QString& month);
// A month text "yyyy.mm" that is a real month (DateValid of its first day;
// `warn` shows the date check's message).
bool AfaMonthValid(const QString& month, bool warn = false);

struct AfaPeriod {
    QString tol, ig;
};
// The period a bookkeeper most likely files next, from the VAT return
// frequency in months (CEG.AFAHONAP), the business year and today's date:
// monthly the current month, or the previous one up to the 20th; quarterly
// the quarter whose deadline comes next; otherwise the whole year. A year
// before today's year gives its last month or quarter.
AfaPeriod DefaultAfaPeriod(int afahonap, int year, const QDate& today);

// One row of the result table.
struct AfalistaRow {
    QString ntipus, fizlev, afaszla, szamlaszam;
    QVariant ugyfelkod;  // the partner's code when the partner exists, else NULL
    QString teljkelt, szlakelt, fizhatido, kod, sznev, konyvbiz, ntnev, kapocs, szoveg;
    double alap = 0, afa = 0, brutto = 0;
    std::vector<double> columns;  // the dynamic columns, in AfalistaResult::columns order
};

struct AfalistaResult {
    QStringList columns;  // the dynamic columns: ALAP/AFA/TE_ALAP/TE_AFA + code (+ account)
    std::deque<AfalistaRow> rows;  // made in place: a row is never moved
};

// The rows of the criteria: one read of the base and VAT item pairs per
// side, folded in memory.
AfalistaResult ComputeAfalista(const AfalistaCriteria& criteria, const ReportStep& step = {});

// The result table's DDL column lines: the fixed columns, then the dynamic ones.
QStringList AfalistaColumns(const QStringList& dynamicColumns);

// The same rows by the statements per base item and per VAT item into the
// table `table` (created by the caller with AfalistaColumns), as the list
// was first written; kept to compare against.
void FillAfalistaPerItem(const AfalistaCriteria& criteria, const QString& table);
// The dynamic columns the period's VAT accounts call for, before any item
// is read (what FillAfalistaPerItem's table needs at least).
QStringList AfalistaPeriodColumns(const AfalistaCriteria& criteria);

// What the list remembers of its last computation, for the whole run: the
// result table and the criteria that made it.
struct AfalistaMemory {
    ResultTable table;
    QString tol, ig;
    bool fizetendo = false, levonhato = false;
    int sorrend = -1;
};

struct AfalistaRun {
    ReportRun run;         // the table, its row count and the preview query
    bool reused = false;   // the remembered table served unchanged
};

// The whole run: the criteria checked (std::invalid_argument with the
// message), the remembered table reused when the criteria equal the
// remembered ones and `recount` is off, else a new table under a new name,
// filled in one transaction. The report query orders the rows for the
// layout of the chosen order.
AfalistaRun RunAfalista(const AfalistaCriteria& criteria, AfalistaMemory& memory, bool recount = false,
                        const ReportStep& step = {});

// The preview query ("NTIPUS,FIZLEV,AFASZLA,KONYVBIZ" or "NTIPUS,FIZLEV,KONYVBIZ")
// and the store query ("ntipus,afaszla,konyvbiz" or "ntipus,konyvbiz").
QString AfalistaPreviewQuery(const QString& table, int sorrend);
QString AfalistaStoreQuery(const QString& table, int sorrend);
// "Időszak: " + start + " -> " + end, and "Sorrend: " + the order's caption.
QString AfaPeriodLabel(const AfalistaCriteria& criteria);
QString AfaOrderLabel(int sorrend);
