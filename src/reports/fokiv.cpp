#include "reports/fokiv.h"

#include <QSqlQuery>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "db/dat.h"
#include "reports/turnover_pass.h"

namespace {

struct Trimmed {
    QString osztTol, osztIg, szlaTol, szlaIg, datumTol, datumIg;
    bool csakGyujto, csakNyito;
};

Trimmed trimmed(const FokivCriteria& c) {
    return {c.osztTol.trimmed(), c.osztIg.trimmed(), c.szlaTol.trimmed(), c.szlaIg.trimmed(),
            DateCriterion(c.datumTol), DateCriterion(c.datumIg), c.csakGyujto, c.csakNyito};
}

QString dateConditions(const Trimmed& c, QVariantMap& params) {
    QString sql;
    if (!c.datumTol.isEmpty()) {
        sql += QStringLiteral(" and TELJKELT >= ") + CriterionParam(QStringLiteral("DATUMTOL"), c.datumTol) + u'\n';
        params[QStringLiteral("DATUMTOL")] = c.datumTol;
    }
    if (!c.datumIg.isEmpty()) {
        sql += QStringLiteral(" and TELJKELT <= ") + CriterionParam(QStringLiteral("DATUMIG"), c.datumIg) + u'\n';
        params[QStringLiteral("DATUMIG")] = c.datumIg;
    }
    return sql;
}

// The account range of one side, as conditions joined by " and ".
QString rangeConditions(const Trimmed& c, const QString& side, QVariantMap& params, QChar lineEnd = {}) {
    QString sql;
    const QString end = lineEnd.isNull() ? QString() : QString(lineEnd);
    if (!c.szlaTol.isEmpty()) {
        sql += QStringLiteral(" and %1 >= %2").arg(side, CriterionParam(QStringLiteral("SZLATOL"), c.szlaTol)) + end;
        params[QStringLiteral("SZLATOL")] = c.szlaTol;
    }
    if (!c.szlaIg.isEmpty()) {
        sql += QStringLiteral(" and %1 <= %2").arg(side, CriterionParam(QStringLiteral("SZLAIG"), c.szlaIg)) + end;
        params[QStringLiteral("SZLAIG")] = c.szlaIg;
    }
    return sql;
}

QString openingCondition(const Trimmed& c, QVariantMap& params) {
    if (!c.csakNyito) return {};
    params[QStringLiteral("NYKOD")] = QString(Td().NyKod + "");
    return QStringLiteral(" and NTIPUS = :NYKOD\n");
}

// The conditions on one side ("SZLA" debit, "ESZLA" credit), each only when
// its criterion is given, and their parameters.
QString conditions(const Trimmed& c, const QString& side, QVariantMap& params) {
    return dateConditions(c, params) + rangeConditions(c, side, params, u'\n') + openingCondition(c, params);
}

struct ChartRow {
    QString szla, karton, szoveg;
};

std::vector<ChartRow> chartRows(const Trimmed& c) {
    std::vector<ChartRow> rows;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select SZLA, KARTON,SZOVEG \nfrom SZ_TUKOR\nORDER BY SZLA"));
    while (NextRow(q)) {
        ChartRow row{q.value(0).toString(), q.value(1).toString(), q.value(2).toString()};
        if (c.csakGyujto && row.karton.toUpper() != QLatin1String("G")) continue;
        const QString first = row.szla.left(1);
        if (!c.osztTol.isEmpty() && first < c.osztTol) continue;
        if (!c.osztIg.isEmpty() && first > c.osztIg) continue;
        rows.push_back(row);
    }
    return rows;
}

// A sum of items that is no amount at all: nothing, or items that cancel
// out up to the noise of adding floating-point amounts (less than half a
// fillér).
bool isZeroSum(double sum) { return std::abs(sum) < 0.005; }

// A listed row, or nothing for an account without turnover. A negative sum
// (a reversal keyed with a minus sign) is turnover too: leaving it out would
// make the sub-accounts no longer add up to their collector.
std::optional<FokivRow> fokivRow(const ChartRow& chart, double tart, double kov) {
    if (isZeroSum(tart) && isZeroSum(kov)) return std::nullopt;
    FokivRow row{chart.szla, chart.karton, tart, kov, 0, 0, chart.szoveg};
    const double d = tart - kov;
    if (d > 0) row.tartEgy = d;
    else if (d < 0) row.kovEgy = -d;
    return row;
}

// Sums of the items by account on one side, in account order.
using SideSums = std::map<QString, double>;

SideSums ordered(const QHash<QString, double>& sums) { return SideSums(sums.constKeyValueBegin(), sums.constKeyValueEnd()); }

// The total of the accounts beginning with `prefix` (what "like prefix%" sums).
double prefixSum(const SideSums& sums, const QString& prefix) {
    double total = 0;
    for (auto it = sums.lower_bound(prefix); it != sums.end() && it->first.startsWith(prefix); ++it) total += it->second;
    return total;
}

}  // namespace

QStringList FokivColumns() {
    return {QStringLiteral("SZLA varchar(10),      "),          QStringLiteral("TIPUS varchar(1),      "),
            QStringLiteral("TART_ERT   double precision,   "), QStringLiteral("KOV_ERT    double precision,   "),
            QStringLiteral("TART_EGY   double precision,   "), QStringLiteral("KOV_EGY    double precision,   "),
            QStringLiteral("SZOVEG     varchar(120) ")};
}

std::vector<FokivRow> ComputeFokiv(const FokivCriteria& criteria, const ReportStep& step) {
    const Trimmed c = trimmed(criteria);
    QVariantMap params;
    const QString where = dateConditions(c, params) + openingCondition(c, params);
    const QString debitRange = rangeConditions(c, QStringLiteral("SZLA"), params).mid(5);
    const QString creditRange = rangeConditions(c, QStringLiteral("ESZLA"), params).mid(5);
    const AccountTurnovers turnovers = ReadTurnovers(where, debitRange, creditRange, params);
    const SideSums debit = ordered(turnovers.debit);
    const SideSums credit = ordered(turnovers.credit);
    const std::vector<ChartRow> chart = chartRows(c);
    std::vector<FokivRow> rows;
    qint64 done = 0;
    for (const ChartRow& account : chart) {
        const QString prefix = account.szla.trimmed();
        if (auto row = fokivRow(account, prefixSum(debit, prefix), prefixSum(credit, prefix))) rows.push_back(*row);
        if (step) step(++done, qint64(chart.size()));
    }
    return rows;
}

std::vector<FokivRow> ComputeFokivPerAccount(const FokivCriteria& criteria) {
    const Trimmed c = trimmed(criteria);
    QVariantMap debitParams, creditParams;
    const QString debitSql = QStringLiteral("SELECT \nsum(ERTEK) ERTEK  \nfrom TETEL where SZLA like :LIKEPARAM \n") +
                             conditions(c, QStringLiteral("SZLA"), debitParams);
    const QString creditSql = QStringLiteral("SELECT \nsum(ERTEK) ERTEK  \nfrom TETEL where ESZLA like :LIKEPARAM  \n") +
                              conditions(c, QStringLiteral("ESZLA"), creditParams);
    std::vector<FokivRow> rows;
    for (const ChartRow& account : chartRows(c)) {
        const QString like = account.szla.trimmed() + u'%';
        debitParams[QStringLiteral("LIKEPARAM")] = like;
        creditParams[QStringLiteral("LIKEPARAM")] = like;
        const double tart = SelectValue(d_tarvedo, debitSql, debitParams).toDouble();
        const double kov = SelectValue(d_tarvedo, creditSql, creditParams).toDouble();
        if (auto row = fokivRow(account, tart, kov)) rows.push_back(*row);
    }
    return rows;
}

QString FokivParamLine(const FokivCriteria& criteria) {
    QStringList parts;
    if (criteria.csakGyujto) parts << QStringLiteral("Lekérdezés csak gyűjtőre");
    if (criteria.csakNyito) parts << QStringLiteral("Csak nyitó tételek");
    return parts.join(QStringLiteral(", "));
}

ReportRun RunFokiv(const FokivCriteria& criteria, ResultTable& table, const QString& whivo, const ReportStep& step) {
    table.prepare(FokivPrefix, FokivColumns());
    const std::vector<FokivRow> rows = ComputeFokiv(criteria, step);
    {
        DbTransaction transaction(d_tarvedo);
        RowInsert insert(QStringLiteral("INSERT INTO ") + table.name +
                         QStringLiteral(" (SZLA, TIPUS, TART_ERT, KOV_ERT, TART_EGY, KOV_EGY, SZOVEG ) VALUES"
                                        "(:szla, :tipus, :tart_ert, :kov_ert, :tart_egy, :kov_egy, :szoveg )"));
        for (const FokivRow& row : rows)
            insert.run({{QStringLiteral("szla"), row.szla},
                        {QStringLiteral("tipus"), row.tipus},
                        {QStringLiteral("tart_ert"), row.tartErt},
                        {QStringLiteral("kov_ert"), row.kovErt},
                        {QStringLiteral("tart_egy"), row.tartEgy},
                        {QStringLiteral("kov_egy"), row.kovEgy},
                        {QStringLiteral("szoveg"), row.szoveg}});
        transaction.commit();
    }
    ReportRun run;
    run.table = table.name;
    run.querySql = ReportQueryText(table.name, FokivOrder);
    run.rows = qint64(rows.size());
    if (whivo == FokivCallerMain) run.whivparam = FokivParamLine(criteria);
    return run;
}
