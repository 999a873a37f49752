#include "reports/knaplo.h"

#include <stdexcept>

#include "db/dat.h"

namespace {

// The criteria are bound as wide as their values (CriterionParam).
QStringList journalQuery(const QString& pszla, const QString& ntipus) {
    return {QStringLiteral("SELECT ERTEK, SZLA, ESZLA, KONYVBIZ, KONYVELVE, NTIPUS, SZAMLASZAM, SZOVEG,"),
            QStringLiteral("IIF(SZLA LIKE %1,'T','K') TARTKOV,").arg(pszla),
            QStringLiteral("IIF(TELJKELT='    .  .  ',BIZKELT,TELJKELT) TELJKELT, SORSZAM"),
            QStringLiteral("FROM TETEL"),
            QStringLiteral("WHERE NTIPUS = %1").arg(ntipus),
            QString(),
            QStringLiteral("ORDER BY NTIPUS,KONYVBIZ,SORSZAM")};
}

}  // namespace

ReportRun RunKnaplo(const KnaploCriteria& criteria) {
    const QString ntipus = criteria.ntipus.trimmed();
    if (ntipus.isEmpty()) throw std::invalid_argument(KnaploNoJournalType.toStdString());
    ReportRun run;
    run.whivparam = QStringLiteral("Naplótípus: ") + ntipus;
    run.params[QStringLiteral("ntipus")] = ntipus;
    const QString szla = criteria.szla.trimmed();
    QString conditions;
    if (!szla.isEmpty()) {
        const QString name = SelectValue(d_tarvedo,
                                         QStringLiteral("select SZOVEG from SZ_TUKOR where SZLA = ")
                                             + CriterionParam(QStringLiteral("SZLA"), szla),
                                         {{QStringLiteral("SZLA"), szla}})
                                 .toString();
        run.whivparam += QStringLiteral(", Számlaszám: ") + szla + QStringLiteral("  ") + name;
        run.params[QStringLiteral("pszla")] = szla + u'%';
    } else {
        run.params[QStringLiteral("pszla")] = QString("");
    }
    // The dates bound by name, in the order the parameter line names them.
    const struct {
        QString value, condition, name, words;
    } dates[] = {
        {DateCriterion(criteria.konyvelveTol), QStringLiteral(" and KONYVELVE >= "), QStringLiteral("konyvelve_tol"),
         QStringLiteral(", Könyvelve:%1-tól")},
        {DateCriterion(criteria.konyvelveIg), QStringLiteral(" and KONYVELVE <= "), QStringLiteral("konyvelve_ig"),
         QStringLiteral(", Könyvelve:%1-ig")},
        {DateCriterion(criteria.teljkeltTol), QStringLiteral(" and TELJKELT >= "), QStringLiteral("teljkelt_tol"),
         QStringLiteral(", Telj.kelte:%1-tól")},
        {DateCriterion(criteria.teljkeltIg), QStringLiteral(" and TELJKELT <= "), QStringLiteral("teljkelt_ig"),
         QStringLiteral(", Telj.kelte:%1-ig")},
    };
    for (const auto& date : dates) {
        if (date.value.isEmpty()) continue;
        conditions += date.condition + CriterionParam(date.name, date.value);
        run.params[date.name] = date.value;
        run.whivparam += date.words.arg(date.value);
    }
    const QString pszla = CriterionParam(QStringLiteral("pszla"), run.params.value(QStringLiteral("pszla")).toString());
    if (!szla.isEmpty()) conditions += QStringLiteral(" AND (SZLA LIKE %1 OR ESZLA LIKE %1)").arg(pszla);
    QStringList sql = journalQuery(pszla, CriterionParam(QStringLiteral("ntipus"), ntipus));
    sql[5] = conditions;
    run.querySql = sql.join(u'\n');
    run.rows = SelectValue(d_tarvedo, QStringLiteral("select count(*) from (") + sql.mid(0, 6).join(u'\n') + u')',
                           run.params)
                   .toLongLong();
    return run;
}
