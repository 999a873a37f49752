#include "posting_search.h"

#include <QRegularExpression>
#include <cmath>

#include "db/amount_text.h"
#include "posting/konyvel.h"

#include "db/altproc.h"
#include "db/dat.h"
#include "masterdata/record_storage.h"

namespace {

struct Criterion {
    const char* name;
    const char* hint;
};

// Tab order: journal type, debit bounds, credit bounds, fulfilment dates,
// voucher dates, document number, amount bounds, posting dates, voucher
// number, invoice dates, invoice number, due dates, partner, remark.
const Criterion kCriteria[] = {
    {"e_ntipus", "="},          {"e_szla_tol", ">="},      {"e_szla_ig", "<="},       {"e_eszla_tol", ">="},
    {"e_eszla_ig", "<="},       {"e_teljkelt_tol", ">="},  {"e_teljkelt_ig", "<="},   {"e_bizkelt_tol", ">="},
    {"e_bizkelt_ig", "<="},     {"e_bizonylat", "="},      {"e_ertek_tol", ">="},     {"e_ertek_ig", "<="},
    {"e_konyvelve_tol", ">="},  {"e_konyvelve_ig", "<="},  {"e_konyvbiz", "="},       {"e_szlakelt_tol", ">="},
    {"e_szlakelt_ig", "<="},    {"e_szamlaszam", ""},      {"e_fizhatido_tol", ">="}, {"e_fizhatido_ig", "<="},
    {"e_ugyfelkod", "="},       {"e_szoveg", "lower"},
};

bool isAmountBound(const QString& name) { return name.startsWith(QLatin1String("e_ertek_"), Qt::CaseInsensitive); }

bool isDate(const QString& name) {
    for (const char* column : {"e_teljkelt_", "e_bizkelt_", "e_konyvelve_", "e_szlakelt_", "e_fizhatido_"})
        if (name.startsWith(QLatin1String(column), Qt::CaseInsensitive)) return true;
    return false;
}

// A date criterion: a whole date, or its year, or its year and month.
bool validDateCriterion(QString t) {
    t = t.trimmed();
    while (t.endsWith(QLatin1Char('.')) || t.endsWith(QLatin1Char(' '))) t.chop(1);
    static const QRegularExpression shape(QStringLiteral("^\\d{4}(\\.(\\d{2})(\\.\\d{2})?)?$"));
    const QRegularExpressionMatch m = shape.match(t);
    if (!m.hasMatch()) return false;
    if (t.size() == 10) return DateValid(t, false);
    if (m.capturedLength(2) == 2) {
        const int month = m.captured(2).toInt();
        return month >= 1 && month <= 12;
    }
    return true;
}

}  // namespace

QStringList PostingSearchFaults(const PanelValues& criteria) {
    QStringList faults;
    for (const PanelControl& control : criteria.controls) {
        if (!control.visible || !control.enabled) continue;
        const QString t = control.text.trimmed();
        if (t.isEmpty() || IsEmptyDate(t)) continue;
        double value = 0;
        if (isAmountBound(control.name) && !ParseAmount(t, value))
            faults << QStringLiteral("Hibás összeghatár: ") + control.text.trimmed();
        else if (isDate(control.name) && !validDateCriterion(t))
            faults << QStringLiteral("Hibás dátum: ") + control.text.trimmed();
    }
    return faults;
}

PanelValues KonyvkeresCriteria() {
    PanelValues criteria;
    const bool partners = Td().ceg.text(QStringLiteral("VANUGYFEL")).trimmed().toUpper() == QLatin1String("I");
    for (const Criterion& c : kCriteria) {
        PanelControl& control = criteria.add(QString::fromLatin1(c.name), PanelKind::Edit);
        control.hint = QString::fromLatin1(c.hint);
        if (control.name == QLatin1String("e_ugyfelkod")) control.visible = partners;
    }
    ClearCriteria(criteria);
    return criteria;
}

void ClearCriteria(PanelValues& criteria) {
    // The amount bounds too: a default lower bound of 0 would hide the
    // reversals keyed with a minus sign.
    for (PanelControl& control : criteria.controls)
        if (control.kind == PanelKind::Edit) control.text.clear();
}

PostingSearch BuildPostingSearch(const PanelValues& criteria) {
    // The amount bounds compare numbers; the other criteria go through the
    // common search conditions.
    PanelValues texts;
    for (const PanelControl& control : criteria.controls)
        if (!isAmountBound(control.name)) texts.controls << control;
    PostingSearch search;
    QStringList conditions;
    KeresFeltetel(texts, conditions, &search.params);
    for (const PanelControl& control : criteria.controls) {
        if (!isAmountBound(control.name) || !control.visible || !control.enabled) continue;
        double bound = 0;
        if (!ParseAmount(control.text.trimmed(), bound)) continue;  // empty: no bound (others are refused first)
        const bool lower = control.hint == QLatin1String(">=");
        const QString param = lower ? QStringLiteral("ERTEK_TOL") : QStringLiteral("ERTEK_IG");
        conditions << (lower ? QStringLiteral("ERTEK >= :") : QStringLiteral("ERTEK <= :")) + param;
        search.params.insert(param, bound);
    }
    search.sql << QStringLiteral("Select * From Tetel");
    for (int i = 0; i < conditions.size(); ++i)
        search.sql << (i == 0 ? QStringLiteral("where ") : QStringLiteral("and ")) + conditions[i];
    search.wsqldb = int(conditions.size());
    search.sql << DefaultOrderLine;
    return search;
}

void SortPostingSearch(PostingSearch& search, const QString& field) {
    const int orderLine = search.wsqldb + 1;
    if (orderLine < search.sql.size()) search.sql[orderLine] = QStringLiteral("Order By ") + field;
}

const QList<QPair<QString, QString>>& KonyvkeresColumns() {
    static const QList<QPair<QString, QString>> columns{
        {QStringLiteral("NTIPUS"), QStringLiteral("N.")},
        {QStringLiteral("TELJKELT"), QStringLiteral("Telj,.kelt")},
        {QStringLiteral("SZLA"), QStringLiteral("Tartozik")},
        {QStringLiteral("ESZLA"), QStringLiteral("Követel")},
        {QStringLiteral("KONYVELVE"), QStringLiteral("Könyv.dátum")},
        {QStringLiteral("KONYVBIZ"), QStringLiteral("Könyv.biz.")},
        {QStringLiteral("BIZKELT"), QStringLiteral("Biz.kelt")},
        {QStringLiteral("BIZONYLAT"), QStringLiteral("Bizonylat")},
        {QStringLiteral("ERTEK"), QStringLiteral("Összeg")},
        {QStringLiteral("SZOVEG"), QStringLiteral("Megjegyzés")},
        {QStringLiteral("SZAMLASZAM"), QStringLiteral("Számlaszám")},
        {QStringLiteral("SZLAKELT"), QStringLiteral("Szla.kelt")},
        {QStringLiteral("FIZHATIDO"), QStringLiteral("Fiz.hat.idő")},
        {QStringLiteral("UGYFELKOD"), QStringLiteral("Ügyfélkód")},
        {QStringLiteral("DEVIZANEM"), QStringLiteral("Dev.")},
        {QStringLiteral("DEVIZAERTEK"), QStringLiteral("Dev.összeg")},
        {QStringLiteral("KTSGHELY"), QStringLiteral("Költséghely")},
        {QStringLiteral("SORSZAM"), QStringLiteral("Sorszám")},
        {QStringLiteral("TIPUS"), QStringLiteral("Típus")},
    };
    return columns;
}
