#include "reports/knaplo.h"

#include <stdexcept>

#include "db/dat.h"

namespace {

QStringList journalQuery() {
    return {QStringLiteral("SELECT ERTEK, SZLA, ESZLA, KONYVBIZ, KONYVELVE, NTIPUS, SZAMLASZAM, SZOVEG,"),
            QStringLiteral("IIF(SZLA LIKE :pszla,'T','K') TARTKOV,"),
            QStringLiteral("IIF(TELJKELT='    .  .  ',BIZKELT,TELJKELT) TELJKELT, SORSZAM"),
            QStringLiteral("FROM TETEL"),
            QStringLiteral("WHERE NTIPUS = :ntipus"),
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
    QStringList sql = journalQuery();
    const QString szla = criteria.szla.trimmed();
    QString conditions;
    if (!szla.isEmpty()) {
        const QString name = SelectValue(d_tarvedo, QStringLiteral("select SZOVEG from SZ_TUKOR where SZLA = :SZLA"),
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
        {DateCriterion(criteria.konyvelveTol), QStringLiteral(" and KONYVELVE >= :konyvelve_tol"),
         QStringLiteral("konyvelve_tol"), QStringLiteral(", Könyvelve:%1-tól")},
        {DateCriterion(criteria.konyvelveIg), QStringLiteral(" and KONYVELVE <= :konyvelve_ig"),
         QStringLiteral("konyvelve_ig"), QStringLiteral(", Könyvelve:%1-ig")},
        {DateCriterion(criteria.teljkeltTol), QStringLiteral(" and TELJKELT >= :teljkelt_tol"),
         QStringLiteral("teljkelt_tol"), QStringLiteral(", Telj.kelte:%1-tól")},
        {DateCriterion(criteria.teljkeltIg), QStringLiteral(" and TELJKELT <= :teljkelt_ig"),
         QStringLiteral("teljkelt_ig"), QStringLiteral(", Telj.kelte:%1-ig")},
    };
    for (const auto& date : dates) {
        if (date.value.isEmpty()) continue;
        conditions += date.condition;
        run.params[date.name] = date.value;
        run.whivparam += date.words.arg(date.value);
    }
    if (!szla.isEmpty()) conditions += QStringLiteral(" AND (SZLA LIKE :pszla OR ESZLA LIKE :pszla)");
    sql[5] = conditions;
    run.querySql = sql.join(u'\n');
    run.rows = SelectValue(d_tarvedo, QStringLiteral("select count(*) from (") + sql.mid(0, 6).join(u'\n') + u')',
                           run.params)
                   .toLongLong();
    return run;
}
