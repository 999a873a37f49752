#include "reports/karton.h"

#include <QRegularExpression>
#include <stdexcept>

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

// The keys of one side's lines in the printed order's columns: `own` is
// the card's account column of the item (SZLA for debit lines, ESZLA for
// credit lines), `contra` the other one, `side` 0 for debit and 1 for
// credit. The item itself is found again by its record key.
QString sideKeys(const QString& own, const QString& contra, int side, const QString& where) {
    return QStringLiteral("SELECT T.RDB$DB_KEY SOR, T.%1 SZLA, T.%2 ESZLA, T.TELJKELT, T.KONYVBIZ, T.SORSZAM, %3 OLDAL\n"
                          "from TETEL T\nwhere ")
               .arg(own, contra)
               .arg(side) +
           QString(where).replace(QStringLiteral("%1"), own);
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

// The condition of one side's lines, with "%1" standing for its account
// column: the prefix, its index range and the criteria.
QString sideCondition(const KartonCriteria& criteria, QVariantMap& params) {
    const QString szla = criteria.szla.trimmed();
    const QString like = szla + u'%';
    params[QStringLiteral("LIKEPARAM")] = like;
    QString sql = QStringLiteral("T.%1 like ") + CriterionParam(QStringLiteral("LIKEPARAM"), like) + u'\n';
    const PrefixRange range = prefixRange(szla);
    if (!range.from.isEmpty()) {
        params[QStringLiteral("KEZDET")] = range.from;
        sql += QStringLiteral("and T.%1 >= ") + CriterionParam(QStringLiteral("KEZDET"), range.from) + u'\n';
    }
    if (!range.to.isEmpty()) {
        params[QStringLiteral("VEGE")] = range.to;
        sql += QStringLiteral("and T.%1 < ") + CriterionParam(QStringLiteral("VEGE"), range.to) + u'\n';
    }
    return sql + conditions(criteria, params);
}

// The card's lines straight from the items, with the columns of the result
// table. Only the narrow keys and the record key of every line are sorted
// (debit before credit where all keys agree, as when an item's two accounts
// are the same); the wide texts of the item and the account's name are
// fetched in that order, so the engine never sorts them. The first source
// named is TETEL: a stored SQL script takes its table name from it.
QString cardQuery(const QString& where) {
    return QStringLiteral("with K as (\n") + sideKeys(QStringLiteral("SZLA"), QStringLiteral("ESZLA"), 0, where) +
           QStringLiteral("union all\n") + sideKeys(QStringLiteral("ESZLA"), QStringLiteral("SZLA"), 1, where) +
           QStringLiteral(
               "order by 2, 4, 5, 6, 3, 7)\n"
               "SELECT K.SZLA, K.ESZLA, iif(K.OLDAL = 0, I.ERTEK, 0) TART_ERT, iif(K.OLDAL = 1, I.ERTEK, 0) KOV_ERT,\n"
               "iif(K.OLDAL = 0, I.ERTEK, 0) TART_EGY, iif(K.OLDAL = 1, I.ERTEK, 0) KOV_EGY,\n"
               "I.KONYVELVE, I.NTIPUS, I.SZOVEG, cast(coalesce(N.SZOVEG, '') as varchar(120)) SZLANEV,\n"
               "I.SZAMLASZAM, I.TELJKELT, I.SZLAKELT, I.FIZHATIDO, I.BIZKELT, I.BIZONYLAT, I.KONYVBIZ, I.SORSZAM\n"
               "from K\n"
               "left join TETEL I on I.RDB$DB_KEY = K.SOR\n"
               "left join SZ_TUKOR N on N.SZLA = K.SZLA");
}

// The number of lines of both sides.
qint64 countLines(const QString& where, const QVariantMap& params) {
    const auto side = [&](const QString& own) {
        return QStringLiteral("(select count(*) from TETEL T where ") + QString(where).replace(QStringLiteral("%1"), own) +
               u')';
    };
    return SelectValue(d_tarvedo, QStringLiteral("select ") + side(QStringLiteral("SZLA")) + QStringLiteral(" + ") +
                                      side(QStringLiteral("ESZLA")) + QStringLiteral(" from RDB$DATABASE"),
                       params)
        .toLongLong();
}

}  // namespace

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

ReportRun RunKarton(const KartonCriteria& criteria, const ReportStep& step) {
    if (criteria.szla.trimmed().isEmpty()) throw std::invalid_argument(KartonNoAccount.toStdString());
    ReportRun run;
    run.whivparam = KartonParamLine(criteria);
    const QString where = sideCondition(criteria, run.params);
    run.querySql = cardQuery(where);
    run.rows = countLines(where, run.params);
    if (step) step(1, 1);
    return run;
}
