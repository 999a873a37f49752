#include "reports/turnover_pass.h"

#include <QSqlError>
#include <QSqlQuery>

#include "db/dat.h"
#include "db/db_error.h"
#include "ledger/turnover_table.h"

AccountTurnovers ReadTurnovers(const QString& where, const QString& debitOnly, const QString& creditOnly,
                               const QVariantMap& params) {
    const auto flag = [](const QString& condition) {
        return condition.isEmpty() ? QStringLiteral("1") : QStringLiteral("IIF(%1, 1, 0)").arg(condition);
    };
    QString source = QStringLiteral("TETEL");
    if (HasTurnoverTable(d_tarvedo)) {
        MergeTurnoversIfMany(d_tarvedo);
        source = TurnoverTable;
    }
    const QString sql = QStringLiteral("SELECT SZLA, ESZLA, sum(ERTEK) ERTEK, max(%1) TART, max(%2) KOV\nfrom %3 where 1 = 1\n")
                            .arg(flag(debitOnly), flag(creditOnly), source) +
                        where + QStringLiteral("group by SZLA, ESZLA");
    AccountTurnovers sums;
    QSqlQuery q = ExecSql(d_tarvedo, sql, params);
    while (NextRow(q)) {
        const double ertek = q.value(2).toDouble();
        if (q.value(3).toInt() == 1 && !q.isNull(0)) sums.debit[q.value(0).toString()] += ertek;
        if (q.value(4).toInt() == 1 && !q.isNull(1)) sums.credit[q.value(1).toString()] += ertek;
    }
    return sums;
}
