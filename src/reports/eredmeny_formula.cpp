#include "reports/eredmeny_formula.h"

#include <QSet>

#include "db/altproc.h"
#include "db/dat.h"

namespace {

// The items of one list as "IN (...)" receives them: the trimmed text with
// one trailing separator dropped, split at the separators.
QStringList listItems(const QString& part) {
    QString s = part.trimmed();
    if (s.isEmpty()) return {};
    if (s.endsWith(u',')) s.chop(1);
    return s.split(u',');
}

}  // namespace

FokivBalances FokivBalances::Read(const QString& fokivTable) {
    FokivBalances balances;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select SZLA, TART_ERT, KOV_ERT from ") + fokivTable);
    while (NextRow(q)) balances.set(q.value(0).toString(), q.value(1).toDouble() - q.value(2).toDouble());
    return balances;
}

QString FokivBalances::key(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ') --end;
    return text.left(end);
}

double FokivBalances::sumIn(const QStringList& accounts) const {
    QSet<QString> seen;
    double sum = 0;
    for (const QString& szla : accounts)
        if (!seen.contains(key(szla))) {
            seen.insert(key(szla));
            sum += exact(szla);
        }
    return sum;
}

LineFormulaLists SplitLineFormula(const QString& formula) {
    QString s = formula.trimmed();
    s.replace(u'+', u',');
    const qsizetype minus = s.indexOf(u'-');
    if (minus < 0) return {listItems(s), {}};
    QString rest = s.mid(minus + 1, 100);
    rest.replace(u'-', u',');
    return {listItems(s.left(minus)), listItems(rest)};
}

double ThousandForints(double forints) { return double(RoundHalfAway(forints / 1000)); }
