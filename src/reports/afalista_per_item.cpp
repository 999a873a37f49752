// The VAT list by statements per base item and per VAT item: the way the
// list was first computed, kept to check the set-based computation against.
#include <QSqlQuery>

#include "db/altproc.h"
#include "db/dat.h"
#include "reports/afalista.h"
#include "reports/afalista_sides.h"

namespace {

// The row the identity statement just made or matched; by voucher its link
// number is the item's own, just written.
const QString KeyCondition = QStringLiteral(
    " where NTIPUS = :ntipus and FIZLEV = :fizlev and UGYFELKOD is not distinct from :ugyfelkod\n"
    "   and SZAMLASZAM = :szamlaszam and KONYVBIZ = :konyvbiz and KAPOCS = :kapocs");

QString increment(const QString& column, double amount) {
    return QStringLiteral("\"%1\" = \"%1\" + %2").arg(column, QString::number(amount, 'f', 0));
}

}  // namespace

QStringList AfalistaPeriodColumns(const AfalistaCriteria& criteria) {
    return AfaDynamicColumns(AfaPeriodPairs(criteria));
}

void FillAfalistaPerItem(const AfalistaCriteria& criteria, const QString& table) {
    const QString matching = criteria.sorrend == AfaByVoucher
                                 ? QStringLiteral("MATCHING (NTIPUS,FIZLEV,UGYFELKOD,SZAMLASZAM,KONYVBIZ)")
                                 : QStringLiteral("MATCHING (NTIPUS,FIZLEV,UGYFELKOD,SZAMLASZAM,KONYVBIZ,KAPOCS)");
    const QString identity = QStringLiteral(
                                 "UPDATE OR INSERT INTO ") + table + QStringLiteral(
                                 " (NTIPUS, FIZLEV, AFASZLA, SZAMLASZAM, UGYFELKOD, TELJKELT, SZLAKELT, FIZHATIDO"
                                 ", KOD, SZNEV, NTNEV, KONYVBIZ, KAPOCS)\nVALUES (:ntipus, :fizlev, :afaszla, :szamlaszam, "
                                 ":ugyfelkod, :teljkelt, :szlakelt, :fizhatido, :kod, :sznev, :ntnev, :konyvbiz, :kapocs)\n") +
                             matching;
    for (const AfaSide& side : AfaSides(criteria)) {
        QString vatSql = QStringLiteral(
                             "SELECT A.SZLA, A.ESZLA, A.TART_KOV, A.ERTEK AFA, A.SZOVEG, A.KAPOCS, AD.KOD, SZ.ERTEK, "
                             "SZT.SZOVEG SZNEV, AD.ASZLA, ") +
                         side.sign + QStringLiteral("\nFROM TETEL A\n") + AfaVatJoins(side) +
                         QStringLiteral("WHERE A.NTIPUS = :NTIPUS AND A.KONYVBIZ = :KONYVBIZ AND A.KAPOCS = :KAPOCS\n"
                                        "ORDER BY ") +
                         AfaVatOrder();
        vatSql.replace(QStringLiteral("B.SZLA"), QStringLiteral("CAST(:BSZLA AS VARCHAR(10))"));
        QSqlQuery base = ExecSql(d_tarvedo, AfaBaseSelect(side) + QStringLiteral("ORDER BY ") + AfaBaseOrder(QString()),
                                 AfaSideParams(side, criteria));
        while (NextRow(base)) {
            const QString konyvbiz = base.value(0).toString();
            const double alap = base.value(1).toDouble();
            const QString kapocs = base.value(2).toString();
            QSqlQuery vat = ExecSql(d_tarvedo, vatSql,
                                    {{QStringLiteral("NTIPUS"), side.journal},
                                     {QStringLiteral("KONYVBIZ"), konyvbiz},
                                     {QStringLiteral("KAPOCS"), kapocs},
                                     {QStringLiteral("BSZLA"), base.value(3).toString()}});
            QStringList texts;
            while (NextRow(vat)) {
                const QString account = vat.value(9).toString();
                const QString code = vat.value(6).toString();
                const QVariantMap key = {{QStringLiteral("ntipus"), side.journal},
                                         {QStringLiteral("fizlev"), side.fizlev},
                                         {QStringLiteral("ugyfelkod"), base.value(9)},
                                         {QStringLiteral("szamlaszam"), base.value(4)},
                                         {QStringLiteral("konyvbiz"), konyvbiz},
                                         {QStringLiteral("kapocs"), kapocs}};
                QVariantMap values = key;
                values.insert({{QStringLiteral("afaszla"), account},
                               {QStringLiteral("ntnev"), account},
                               {QStringLiteral("teljkelt"), base.value(5)},
                               {QStringLiteral("szlakelt"), base.value(6)},
                               {QStringLiteral("fizhatido"), base.value(7)},
                               {QStringLiteral("kod"), code},
                               {QStringLiteral("sznev"), vat.value(8).toString().left(80)}});
                ExecSql(d_tarvedo, identity, values);

                texts << vat.value(4).toString();
                const double t = vat.value(10).toDouble();
                const double afa = vat.value(3).toDouble();
                const double wholeBase = t * double(RoundHalfAway(alap));
                const double wholeVat = t * double(RoundHalfAway(afa));
                QStringList increments = {increment(AfaColumn(QStringLiteral("ALAP"), code, account), wholeBase),
                                          increment(AfaColumn(QStringLiteral("AFA"), code, account), wholeVat),
                                          increment(AfaColumn(QStringLiteral("ALAP"), code), wholeBase),
                                          increment(AfaColumn(QStringLiteral("AFA"), code), wholeVat)};
                if (AfaFixedAsset(side.fizlev, base.value(3).toString().toStdString(),
                                  vat.value(1).toString().toStdString()))
                    increments << increment(AfaColumn(QStringLiteral("TE_ALAP"), code, account), wholeBase)
                               << increment(AfaColumn(QStringLiteral("TE_AFA"), code, account), wholeVat)
                               << increment(AfaColumn(QStringLiteral("TE_ALAP"), code), wholeBase)
                               << increment(AfaColumn(QStringLiteral("TE_AFA"), code), wholeVat);
                QVariantMap amounts = key;
                amounts.insert({{QStringLiteral("brutto"), t * (alap + afa)},
                                {QStringLiteral("alap"), t * alap},
                                {QStringLiteral("afa"), t * afa},
                                {QStringLiteral("szoveg"), AfaTextList(texts)}});
                ExecSql(d_tarvedo,
                        QStringLiteral("UPDATE ") + table +
                            QStringLiteral(" set BRUTTO = BRUTTO + :brutto, ALAP = ALAP +:alap, AFA = AFA + :afa, "
                                           "SZOVEG= :szoveg,\n") +
                            increments.join(u',') + KeyCondition,
                        amounts);
            }
        }
    }
}
