#include "reports/karton.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <functional>
#include <stdexcept>
#include <vector>

#include "db/dat.h"

namespace {

// The criterion lines, in the order journal type, posting date from / to,
// fulfilment date from / to, each only when given.
QString conditions(const KartonCriteria& c, QVariantMap& params) {
    QString sql;
    const auto add = [&](const QString& value, const QString& comparison, const QString& name) {
        if (value.isEmpty()) return;
        sql += comparison + CriterionParam(name, value) + u'\n';
        params[name] = value;
    };
    add(c.ntipus.trimmed(), QStringLiteral(" and T.NTIPUS = "), QStringLiteral("NTIPUS"));
    add(DateCriterion(c.konyvelveTol), QStringLiteral(" and T.KONYVELVE >= "), QStringLiteral("KONYVELVETOL"));
    add(DateCriterion(c.konyvelveIg), QStringLiteral(" and T.KONYVELVE <= "), QStringLiteral("KONYVELVEIG"));
    add(DateCriterion(c.teljkeltTol), QStringLiteral(" and T.TELJKELT >= "), QStringLiteral("TELJKELTTOL"));
    add(DateCriterion(c.teljkeltIg), QStringLiteral(" and T.TELJKELT <= "), QStringLiteral("TELJKELTIG"));
    return sql;
}

// The lines of one side: `own` is the card's account column of the item
// (SZLA for debit lines, ESZLA for credit lines), `contra` the other one;
// `accounts` selects the own accounts and `name` is the account name
// written into every line.
QString sideInsert(const QString& table, const QString& own, const QString& contra, bool debit, const QString& accounts,
                   const QString& name, const QString& where) {
    const QString amount = QStringLiteral("T.ERTEK");
    const QString zero = QStringLiteral("0");
    return QStringLiteral("INSERT INTO ") + table +
           QStringLiteral("(SZLA,ESZLA,TART_ERT,KOV_ERT,TART_EGY,KOV_EGY,KONYVELVE,NTIPUS,SZOVEG,SZLANEV,\n"
                          "SZAMLASZAM,TELJKELT,SZLAKELT,FIZHATIDO,BIZKELT,BIZONYLAT,KONYVBIZ,SORSZAM)\n") +
           QStringLiteral("SELECT T.%1, T.%2, %3, %4, %3, %4, T.KONYVELVE, T.NTIPUS, T.SZOVEG, %5,\n"
                          "T.SZAMLASZAM, T.TELJKELT, T.SZLAKELT, T.FIZHATIDO, T.BIZKELT, T.BIZONYLAT, T.KONYVBIZ, T.SORSZAM\n")
               .arg(own, contra, debit ? amount : zero, debit ? zero : amount, name) +
           QStringLiteral("from TETEL T\nwhere ") + QString(accounts).replace(QStringLiteral("%1"), own) + where;
}

struct ChartAccount {
    QString szla, szoveg;
};

// The chart rows whose number begins like the card's items must, in order.
std::vector<ChartAccount> chartAccounts(const QVariantMap& params) {
    std::vector<ChartAccount> rows;
    const QString like = params.value(QStringLiteral("LIKEPARAM")).toString();
    QSqlQuery q = ExecSql(d_tarvedo,
                          QStringLiteral("select SZLA, SZOVEG from SZ_TUKOR where SZLA like %1 order by SZLA")
                              .arg(CriterionParam(QStringLiteral("LIKEPARAM"), like)),
                          {{QStringLiteral("LIKEPARAM"), like}});
    while (NextRow(q)) rows.push_back({q.value(0).toString(), q.value(1).toString()});
    return rows;
}

// The index range that holds every account beginning with the prefix: from
// the prefix's text before its first wildcard up to, but not including,
// that text with its last character stepped on. The range only keeps the
// statements from reading the whole ledger through the index; the LIKE
// test still decides which accounts belong to the card. Empty ends are
// left open. (The engine compares texts padded with blanks, so an account
// with a control character right after the prefix would fall below the
// range; account codes hold none.)
struct PrefixRange {
    QString from, to;
};

PrefixRange prefixRange(const QString& prefix) {
    PrefixRange range;
    range.from = prefix.left(prefix.indexOf(QRegularExpression(QStringLiteral("[%_]"))));
    if (range.from.isEmpty()) return range;
    // Stepping a character of the basic plane keeps text order and byte
    // order the same; a surrogate or the last character cannot be stepped.
    const char16_t last = range.from.back().unicode();
    const char16_t next = char16_t(last + 1);
    if (QChar::isSurrogate(last) || QChar::isSurrogate(next) || last == 0xFFFF) return range;
    range.to = range.from.chopped(1) + QChar(next);
    return range;
}

// Writes the lines of one side with the account's name from the chart and
// returns how many were written. The name is not joined row by row: each
// chart account's lines are written by a statement of their own with the
// name bound (the chart rows already begin with the prefix, so the
// statement needs no prefix test), and the lines of accounts missing from
// the chart (before, between and after the chart accounts in order) with an
// empty name.
qint64 insertSide(const QString& table, const QString& own, const QString& contra, bool debit,
                  const std::vector<ChartAccount>& chart, const QString& where, QVariantMap params,
                  const std::function<void()>& statementDone) {
    qint64 written = 0;
    const auto run = [&](const QString& accounts, const QString& name) {
        written += ExecSql(d_tarvedo, sideInsert(table, own, contra, debit, accounts, name, where), params).numRowsAffected();
        statementDone();
    };
    const auto param = [&](const char* name) {
        return CriterionParam(QLatin1String(name), params.value(QLatin1String(name)).toString());
    };
    const QString like = QStringLiteral("T.%1 like ") + param("LIKEPARAM") + u'\n';
    const QString lower =
        params.contains(QStringLiteral("KEZDET")) ? QStringLiteral("and T.%1 >= ") + param("KEZDET") + u'\n' : QString();
    const QString upper =
        params.contains(QStringLiteral("VEGE")) ? QStringLiteral("and T.%1 < ") + param("VEGE") + u'\n' : QString();
    QString below = like + lower + QStringLiteral("and T.%1 < :KOVETKEZO\n");
    for (const ChartAccount& account : chart) {
        params[QStringLiteral("KOVETKEZO")] = account.szla;
        run(below, QStringLiteral("''"));
        params[QStringLiteral("SZAMLA")] = account.szla;
        params[QStringLiteral("NEV")] = account.szoveg;
        run(QStringLiteral("T.%1 = :SZAMLA\n"), QStringLiteral("coalesce(cast(:NEV as varchar(120)), '')"));
        below = like + QStringLiteral("and T.%1 > :SZAMLA and T.%1 < :KOVETKEZO\n");
    }
    run(chart.empty() ? like + lower + upper : like + QStringLiteral("and T.%1 > :SZAMLA\n") + upper, QStringLiteral("''"));
    return written;
}

}  // namespace

ResultTable& KartonResultTable() {
    static ResultTable table;
    return table;
}

QStringList KartonColumns() {
    return {QStringLiteral("SZLA varchar(10),      "),           QStringLiteral("ESZLA varchar(10),      "),
            QStringLiteral("TART_ERT   double precision,      "), QStringLiteral("KOV_ERT    double precision,      "),
            QStringLiteral("TART_EGY   double precision,      "), QStringLiteral("KOV_EGY    double precision,      "),
            QStringLiteral("KONYVELVE varchar(10), "),            QStringLiteral("NTIPUS   Varchar(2),   "),
            QStringLiteral("SZOVEG    varchar(120),"),            QStringLiteral("SZlANEV   varchar(120),"),
            QStringLiteral("SZAMLASZAM    varchar(30),"),         QStringLiteral("TELJKELT    varchar(10)  ,"),
            QStringLiteral("SZLAKELT    varchar(10)  ,"),         QStringLiteral("FIZHATIDO    varchar(10) ,"),
            QStringLiteral("BIZKELT    varchar(10)   ,"),         QStringLiteral("BIZONYLAT    varchar(15) ,"),
            QStringLiteral("KONYVBIZ    varchar(15)  ,"),         QStringLiteral("SORSZAM    varchar(15)  ")};
}

QString KartonParamLine(const KartonCriteria& criteria) {
    const QString szla = criteria.szla.trimmed();
    const QString name = SelectValue(d_tarvedo,
                                     QStringLiteral("select SZOVEG from SZ_TUKOR where SZLA = ")
                                         + CriterionParam(QStringLiteral("SZLA"), szla),
                                     {{QStringLiteral("SZLA"), szla}})
                             .toString();
    return QStringLiteral("Naplótípus : ") + criteria.ntipus.trimmed() + QStringLiteral(";   ") +
           QStringLiteral("Számlaszám : ") + szla + QStringLiteral("  ") + name;
}

ReportRun RunKarton(const KartonCriteria& criteria, ResultTable& table, const ReportStep& step) {
    const QString szla = criteria.szla.trimmed();
    if (szla.isEmpty()) throw std::invalid_argument(KartonNoAccount.toStdString());
    ReportRun run;
    run.whivparam = KartonParamLine(criteria);
    table.prepare(KartonPrefix, KartonColumns());
    QVariantMap params;
    const QString where = conditions(criteria, params);
    params[QStringLiteral("LIKEPARAM")] = szla + u'%';
    const PrefixRange range = prefixRange(szla);
    if (!range.from.isEmpty()) params[QStringLiteral("KEZDET")] = range.from;
    if (!range.to.isEmpty()) params[QStringLiteral("VEGE")] = range.to;
    {
        DbTransaction transaction(d_tarvedo);
        const std::vector<ChartAccount> chart = chartAccounts(params);
        // Each side runs a statement per chart account and one per gap around them.
        const qint64 statements = 2 * (2 * qint64(chart.size()) + 1);
        qint64 done = 0;
        const auto statementDone = [&] {
            if (step) step(++done, statements);
        };
        run.rows = insertSide(table.name, QStringLiteral("SZLA"), QStringLiteral("ESZLA"), true, chart, where, params, statementDone) +
                   insertSide(table.name, QStringLiteral("ESZLA"), QStringLiteral("SZLA"), false, chart, where, params, statementDone);
        transaction.commit();
    }
    run.table = table.name;
    run.querySql = ReportQueryText(table.name, KartonOrder);
    return run;
}
