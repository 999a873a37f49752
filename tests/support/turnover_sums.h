#pragma once
// The nonzero sums by turnover key (debit account, credit account,
// fulfilment date, journal type) of the items or of the turnover table, as
// text lines: the two must always agree.
#include <QSqlQuery>
#include <QStringList>

#include "db/dat.h"

inline QStringList TurnoverSums(const QString& table) {
    QStringList lines;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select SZLA, ESZLA, TELJKELT, NTIPUS, sum(ERTEK) from %1 "
                                                    "group by 1, 2, 3, 4 having sum(ERTEK) <> 0 order by 1, 2, 3, 4")
                                         .arg(table));
    while (q.next())
        lines << QStringLiteral("%1 %2 %3 %4 %5").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                                      q.value(3).toString(), QString::number(q.value(4).toDouble(), 'f', 2));
    return lines;
}
