#pragma once
// The balance confirmation letter ("Egyenlegközlő levél"): for every
// customer with unpaid or partly paid invoices at a date, a letter per
// currency that states the open balance, lists the open invoices (or only
// the total), and asks the customer to sign and return a declaration. The
// invoices and their payments are matched and settled as in the customer
// ledger (open_invoices.h); the invoices and payments after the date are
// left out.
#include <QDate>
#include <QString>
#include <QStringList>

#include "reports/report_pattern.h"

inline const QString EgyenlegkozloPrefix = QStringLiteral("TMP_P_");
inline const QString EgyenlegkozloOrder = QStringLiteral("order by UGYFELNEV, UGYFELKOD,DEVIZANEM, SZAMLASZAM");
inline const QString EgyenlegkozloTitle = QStringLiteral("Egyenleg közlő levél");

struct EgyenlegkozloCriteria {
    QString datum{};      // "yyyy.mm.dd"; empty: every invoice and payment
    QString ugyfelkod{};  // one customer; empty: all
    bool osszesito = false;  // "Összesítő": the balance without the invoice lines
};

// The date as the letters use it: trimmed, the empty mask empty, a date
// after `today` replaced by `today`.
QString EgyenlegkozloDate(const QString& text, const QDate& today = QDate::currentDate());

// "Közöljük Önökkel, hogy a nálunk vezetett folyószámlájukon " + date + ". -n az alábbi egyenleg mutatkozik:"
QString EgyenlegkozloOpening(const QString& datum);
// The letter's text after the balance: the request with its legal
// reference, the town and date, stamp and signature, and the customer's
// declaration. `helyseg` is the company's town; the letters are signed there.
QStringList EgyenlegkozloLetterText(const QString& helyseg, const QString& today);

// The result table's name, remembered for the whole run of the program and
// forgotten each time the window is shown.
ResultTable& EgyenlegkozloResultTable();
QStringList EgyenlegkozloColumns();

// One row per open invoice (status "E" or "R"): BEVETEL its amount, PBEVETEL
// what was paid of it, KIADAS what is open, PTELJKELT the last payment.
ReportRun RunEgyenlegkozlo(const EgyenlegkozloCriteria& criteria, ResultTable& table = EgyenlegkozloResultTable(),
                           const ReportStep& step = {});
