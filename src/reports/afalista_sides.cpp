#include "reports/afalista_sides.h"

#include <QSqlQuery>
#include <algorithm>
#include <set>

#include "db/dat.h"

namespace {

const QString NotVatRow = QStringLiteral(" AND COALESCE(UPPER(T.TART_KOV), '') <> 'A'\n");

// A supplier invoice debits the VAT account; its credit note (the supplier
// debited, the VAT row 454/466) credits it, and enters negative.
const QString SupplierVatAccount = QStringLiteral(
    "IIF(EXISTS(SELECT 1 FROM SZ_ADOASZLA X WHERE X.NTIPUS = A.NTIPUS AND X.KOD = A.AFAKULCS AND X.ASZLA = A.SZLA), "
    "A.SZLA, A.ESZLA)");
const QString SupplierSign = QStringLiteral(
    "IIF(EXISTS(SELECT 1 FROM SZ_ADOASZLA X WHERE X.NTIPUS = A.NTIPUS AND X.KOD = A.AFAKULCS AND X.ASZLA = A.SZLA), "
    "1, -1)");

}  // namespace

std::vector<AfaSide> AfaSides(const AfalistaCriteria& c) {
    const AppValues& td = Td();
    std::vector<AfaSide> sides;
    if (c.levonhato) {
        sides.push_back({AfaSideKind::Purchases, td.SzKod, AfaLevonhato, QStringLiteral(" AND NOT T.SZLA LIKE '466%'\n"), SupplierVatAccount,
                         SupplierSign});
        sides.push_back({AfaSideKind::CashPurchases, td.PtKod, AfaLevonhato,
                         QStringLiteral(" AND T.ESZLA like '381%'\n AND NOT T.SZLA LIKE '466%'\n"),
                         QStringLiteral("A.SZLA"), QStringLiteral("1")});
    }
    if (c.fizetendo) {
        // A sales reversal debits revenue (9...) and the VAT account, and enters negative.
        sides.push_back({AfaSideKind::Sales, td.VeKod, AfaFizetendo,
                         QStringLiteral(" AND NOT T.ESZLA LIKE '466%' AND NOT T.SZLA LIKE '466%'\n"),
                         QStringLiteral("IIF(B.SZLA LIKE '9%', A.SZLA, A.ESZLA)"),
                         QStringLiteral("IIF(B.SZLA LIKE '9%', -1, 1)")});
        sides.push_back({AfaSideKind::CashSales, td.PtKod, AfaFizetendo, QStringLiteral(" AND NOT T.SZLA LIKE '466%'\n"),
                         QStringLiteral("A.ESZLA"), QStringLiteral("1")});
    }
    return sides;
}

QString AfaBaseSelect(const AfaSide& side) {
    return QStringLiteral(
               "SELECT DISTINCT T.KONYVBIZ, T.ERTEK ALAP, T.KAPOCS, T.SZLA,\n"
               "IIF(T.SZAMLASZAM IS NULL,'',T.SZAMLASZAM) SZAMLASZAM,\n"
               "IIF(T.TELJKELT IS NULL,'',  T.TELJKELT)   TELJKELT,\n"
               "IIF(T.SZLAKELT IS NULL,'',  T.SZLAKELT)   SZLAKELT,\n"
               "IIF(T.FIZHATIDO IS NULL,'',T.FIZHATIDO)   FIZHATIDO,\n"
               "U.NEV, U.KOD UGYFELKOD\n"
               "FROM TETEL T LEFT OUTER JOIN UGYFEL U ON U.KOD=T.UGYFELKOD\n"
               "WHERE T.NTIPUS = :NTIPUS\n") +
           NotVatRow + side.baseConditions + QStringLiteral(" AND T.TELJKELT >= :MIKORTOL and T.TELJKELT <= :MEDDIG\n");
}

QString AfaBaseOrder(const QString& prefix) {
    return QStringLiteral("%1KONYVBIZ, %1KAPOCS, %1SZLA, %1ALAP, %1SZAMLASZAM, %1UGYFELKOD, %1TELJKELT, "
                          "%1SZLAKELT, %1FIZHATIDO, %1NEV")
        .arg(prefix);
}

QString AfaVatJoins(const AfaSide& side) {
    return QStringLiteral(" JOIN SZ_ADOASZLA AD ON AD.NTIPUS = A.NTIPUS AND AD.KOD = A.AFAKULCS AND AD.ASZLA = ") +
           side.vatAccount +
           QStringLiteral("\n JOIN SZ_ADO SZ ON SZ.KOD = AD.KOD\n JOIN SZ_TUKOR SZT ON SZT.SZLA = AD.ASZLA\n");
}

QString AfaVatOrder() { return QStringLiteral("A.SZLA, A.ESZLA, A.ERTEK, A.SZOVEG, A.SORSZAM"); }

QVariantMap AfaSideParams(const AfaSide& side, const AfalistaCriteria& c) {
    return {{QStringLiteral("NTIPUS"), side.journal},
            {QStringLiteral("MIKORTOL"), AfaPeriodStart(c.tol)},
            {QStringLiteral("MEDDIG"), AfaPeriodEnd(c.ig)}};
}

QString AfaColumn(const QString& prefix, const QString& code, const QString& account) {
    return prefix + code.trimmed().toUpper() + account.trimmed().toUpper();
}

QStringList AfaDynamicColumns(std::vector<AfaColumnPair> pairs) {
    std::sort(pairs.begin(), pairs.end(), [](const AfaColumnPair& a, const AfaColumnPair& b) {
        if (a.rate != b.rate) return a.rate < b.rate;
        if (a.code != b.code) return a.code < b.code;
        return a.account < b.account;
    });
    QStringList columns;
    QString previousCode;
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (i > 0 && pairs[i].code == pairs[i - 1].code && pairs[i].account == pairs[i - 1].account) continue;
        for (const QString& prefix : AfaColumnPrefixes) columns << AfaColumn(prefix, pairs[i].code, pairs[i].account);
        if (i == 0 || pairs[i].code != previousCode)
            for (const QString& prefix : AfaColumnPrefixes) columns << AfaColumn(prefix, pairs[i].code);
        previousCode = pairs[i].code;
    }
    return columns;
}

namespace {

const QString VatPairsSql = QStringLiteral(
    "SELECT DISTINCT A.ASZLA, SZ.ERTEK, SZ.KOD\n"
    "  FROM SZ_ADOASZLA A JOIN SZ_ADO SZ ON SZ.KOD = A.KOD\n");

std::vector<AfaColumnPair> pairsOf(QSqlQuery& q) {
    std::vector<AfaColumnPair> pairs;
    while (NextRow(q)) pairs.push_back({q.value(1).toDouble(), q.value(2).toString(), q.value(0).toString()});
    return pairs;
}

}  // namespace

std::vector<AfaColumnPair> AfaVatPairs() {
    QSqlQuery q = ExecSql(d_tarvedo, VatPairsSql);
    return pairsOf(q);
}

std::vector<AfaColumnPair> AfaPeriodPairs(const AfalistaCriteria& c) {
    const AppValues& td = Td();
    // Every code of an account the period's items use: the account decides,
    // whatever code the items carry.
    const QString sql = VatPairsSql + QStringLiteral(
        " WHERE EXISTS (SELECT 1 FROM TETEL T WHERE T.SZLA = A.ASZLA AND T.NTIPUS IN (:SZ, :PT)\n"
        "                  AND T.TELJKELT >= :MIKORTOL AND T.TELJKELT <= :MEDDIG)\n"
        "    OR EXISTS (SELECT 1 FROM TETEL T WHERE T.ESZLA = A.ASZLA AND T.NTIPUS IN (:VE, :PT)\n"
        "                  AND T.TELJKELT >= :MIKORTOL AND T.TELJKELT <= :MEDDIG)\n");
    QSqlQuery q = ExecSql(d_tarvedo, sql,
                          {{QStringLiteral("SZ"), td.SzKod},
                           {QStringLiteral("PT"), td.PtKod},
                           {QStringLiteral("VE"), td.VeKod},
                           {QStringLiteral("MIKORTOL"), AfaPeriodStart(c.tol)},
                           {QStringLiteral("MEDDIG"), AfaPeriodEnd(c.ig)}});
    return pairsOf(q);
}

QString AfaTextList(const QStringList& texts) { return texts.join(QStringLiteral(", ")).left(250); }

bool AfaFixedAsset(const QString& fizlev, std::string_view baseDebit, std::string_view vatItemCredit) {
    if (fizlev != AfaLevonhato) return false;
    const bool assetAccount = baseDebit.size() >= 2 && baseDebit[0] == '1' && baseDebit[1] >= '1' && baseDebit[1] <= '6';
    return assetAccount || vatItemCredit.starts_with("161");
}
