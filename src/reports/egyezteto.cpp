#include "reports/egyezteto.h"

#include <QSqlQuery>
#include <algorithm>
#include <array>

#include "db/dat.h"
#include "reports/turnover_pass.h"

namespace {

QString dateConditions(const EgyeztetoCriteria& c, QVariantMap& params) {
    QString sql;
    const QString tol = DateCriterion(c.teljkeltTol), ig = DateCriterion(c.teljkeltIg);
    if (!tol.isEmpty()) {
        sql += QStringLiteral(" and TELJKELT >= ") + CriterionParam(QStringLiteral("TOL"), tol) + u'\n';
        params[QStringLiteral("TOL")] = tol;
    }
    if (!ig.isEmpty()) {
        sql += QStringLiteral(" and TELJKELT <= ") + CriterionParam(QStringLiteral("IG"), ig) + u'\n';
        params[QStringLiteral("IG")] = ig;
    }
    return sql;
}

using ClassSums = std::array<double, 10>;  // by the first digit; 0 unused

// The turnover of one side by class: the accounts' sums by their first digit.
ClassSums byClass(const QHash<QString, double>& accounts) {
    ClassSums sums{};
    for (auto it = accounts.cbegin(); it != accounts.cend(); ++it) {
        const QChar first = it.key().isEmpty() ? QChar() : it.key().at(0);
        if (first >= u'1' && first <= u'9') sums[first.digitValue()] += it.value();
    }
    return sums;
}

EgyeztetoRow row(int sorrend, const QString& szoveg, double tart, double kov) {
    EgyeztetoRow r{sorrend, tart, kov, 0, 0, szoveg};
    if (kov > tart) r.kovEgy = kov - tart;
    else r.tartEgy = tart - kov;
    return r;
}

// The class rows and the subtotals, in SORREND order, from the turnovers by class.
std::vector<EgyeztetoRow> rows(const ClassSums& tart, const ClassSums& kov) {
    std::vector<EgyeztetoRow> out;
    double t13 = 0, k13 = 0, t14 = 0, k14 = 0, t59 = 0, k59 = 0, t19 = 0, k19 = 0;
    for (int k = 1; k <= 9; ++k) {
        out.push_back(row(10 * k, QStringLiteral("    %1. Számlaosztály").arg(k), tart[k], kov[k]));
        if (k <= 3) { t13 += tart[k]; k13 += kov[k]; }
        if (k <= 4) { t14 += tart[k]; k14 += kov[k]; }
        if (k >= 5) { t59 += tart[k]; k59 += kov[k]; }
        t19 += tart[k]; k19 += kov[k];
    }
    out.push_back(row(35, QStringLiteral("1-3. Számlaosztály összesen"), t13, k13));
    out.push_back(row(45, QStringLiteral("1-4. Számlaosztály összesen"), t14, k14));
    out.push_back(row(95, QStringLiteral("5-9. Számlaosztály összesen"), t59, k59));
    out.push_back(row(99, QStringLiteral("1-9. Számlaosztály összesen"), t19, k19));
    std::stable_sort(out.begin(), out.end(), [](const EgyeztetoRow& a, const EgyeztetoRow& b) { return a.sorrend < b.sorrend; });
    return out;
}

}  // namespace

std::vector<EgyeztetoRow> ComputeEgyezteto(const EgyeztetoCriteria& criteria) {
    QVariantMap params;
    const AccountTurnovers turnovers = ReadTurnovers(dateConditions(criteria, params), QString(), QString(), params);
    return rows(byClass(turnovers.debit), byClass(turnovers.credit));
}

std::vector<EgyeztetoRow> ComputeEgyeztetoPerClass(const EgyeztetoCriteria& criteria) {
    QVariantMap debitParams, creditParams;
    const QString debitSql = QStringLiteral("SELECT \nsum(ERTEK) ERTEK  \nfrom TETEL where SZLA like :LIKEPARAM \n") +
                             dateConditions(criteria, debitParams);
    const QString creditSql = QStringLiteral("SELECT \nsum(ERTEK) ERTEK  \nfrom TETEL where ESZLA like :LIKEPARAM  \n") +
                              dateConditions(criteria, creditParams);
    ClassSums tart{}, kov{};
    for (int k = 1; k <= 9; ++k) {
        debitParams[QStringLiteral("LIKEPARAM")] = QString::number(k) + u'%';
        creditParams[QStringLiteral("LIKEPARAM")] = QString::number(k) + u'%';
        tart[k] = SelectValue(d_tarvedo, debitSql, debitParams).toDouble();
        kov[k] = SelectValue(d_tarvedo, creditSql, creditParams).toDouble();
    }
    return rows(tart, kov);
}

QStringList EgyeztetoColumns() {
    return {QStringLiteral("SORREND    integer,   "),          QStringLiteral("TART_ERT   double precision,   "),
            QStringLiteral("KOV_ERT    double precision,   "), QStringLiteral("TART_EGY   double precision,   "),
            QStringLiteral("KOV_EGY    double precision,   "), QStringLiteral("SZOVEG     varchar(60) ")};
}

QString EgyeztetoParamLine(const EgyeztetoCriteria& criteria) {
    return QStringLiteral("Teljesítés kelte: ") + DateCriterion(criteria.teljkeltTol) + QStringLiteral("-tól     ") +
           DateCriterion(criteria.teljkeltIg) + QStringLiteral("-ig");
}

ReportRun RunEgyezteto(const EgyeztetoCriteria& criteria, ResultTable& table, const ReportStep& step) {
    table.prepare(EgyeztetoPrefix, EgyeztetoColumns());
    const std::vector<EgyeztetoRow> result = ComputeEgyezteto(criteria);
    {
        DbTransaction transaction(d_tarvedo);
        RowInsert insert(QStringLiteral("INSERT INTO ") + table.name +
                         QStringLiteral(" ( \nSORREND , \nTART_ERT   , \nKOV_ERT , \nTART_EGY , \nKOV_EGY, \nSZOVEG  \n"
                                        " ) VALUES ( \n:SORREND , \n:TART_ERT   , \n:KOV_ERT , \n:TART_EGY , \n:KOV_EGY, \n"
                                        ":SZOVEG  \n ) "));
        qint64 done = 0;
        for (const EgyeztetoRow& r : result) {
            insert.run({{QStringLiteral("SORREND"), r.sorrend},
                        {QStringLiteral("TART_ERT"), r.tartErt},
                        {QStringLiteral("KOV_ERT"), r.kovErt},
                        {QStringLiteral("TART_EGY"), r.tartEgy},
                        {QStringLiteral("KOV_EGY"), r.kovEgy},
                        {QStringLiteral("SZOVEG"), r.szoveg}});
            if (step) step(++done, qint64(result.size()));
        }
        transaction.commit();
    }
    ReportRun run;
    run.table = table.name;
    run.querySql = ReportQueryText(table.name, EgyeztetoOrder);
    run.rows = CountRows(table.name);
    run.whivparam = EgyeztetoParamLine(criteria);
    return run;
}
