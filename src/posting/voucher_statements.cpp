#include "voucher_statements.h"

#include <QSqlQuery>

#include "db/dat.h"

VoucherStatements AssembleVoucherStatements(bool currencyShown, bool rateColumn) {
    VoucherStatements s;
    s.qi_tetel = QStringList{
        QStringLiteral("insert into TETEL"),
        QStringLiteral("  (SORSZAM, SZLA, ESZLA, TELJKELT, SZLAKELT, FIZHATIDO, BIZKELT, KONYVELVE,"),
        QStringLiteral("   TIPUS, BIZONYLAT, SZOVEG, ERTEK, NTIPUS, TART_KOV, UGYFELKOD, KTSGHELY,"),
        QStringLiteral("   KONYVBIZ, SZAMLASZAM, KAPOCS, AFAKULCS, SOR65"),
        QStringLiteral("   ,DEVIZANEM, DEVIZAERTEK, ARFOLYAM"),
        QStringLiteral("   )"),
        QStringLiteral("values"),
        QStringLiteral("  (:sorszam, :szla, :eszla, :teljkelt, :szlakelt, :fizhatido, :bizkelt,"),
        QStringLiteral("   :konyvelve, :tipus, :bizonylat, :szoveg, :ertek, :ntipus, :tart_kov,"),
        QStringLiteral("   :ugyfelkod, :ktsghely, :konyvbiz, :szamlaszam, :kapocs, :afakulcs, :sor65"),
        QStringLiteral("   ,:devizanem, :devizaertek, :arfolyam"),
        QStringLiteral("  )"),
    };
    s.qu_tetel = QStringList{
        QStringLiteral("Update TETEL set"),
        QStringLiteral("       SZLA = :szlauj,"),
        QStringLiteral("       ESZLA = :eszlauj,"),
        QStringLiteral("       TELJKELT = :teljkelt,"),
        QStringLiteral("       SZLAKELT = :szlakelt,"),
        QStringLiteral("       FIZHATIDO = :fizhatido,"),
        QStringLiteral("       BIZKELT = :bizkelt,"),
        QStringLiteral("       KONYVELVE = :konyvelve,"),
        QStringLiteral("       TIPUS = :tipus,"),
        QStringLiteral("       BIZONYLAT = :bizonylat,"),
        QStringLiteral("       SZOVEG = :szoveg,"),
        QStringLiteral("       ERTEK = :ertek,"),
        QStringLiteral("       NTIPUS = :ntipus,"),
        QStringLiteral("       TART_KOV = :tart_kov,"),
        QStringLiteral("       UGYFELKOD = :ugyfelkod,"),
        QStringLiteral("       KTSGHELY = :ktsghely,"),
        QStringLiteral("       KONYVBIZ = :konyvbiz,"),
        QStringLiteral("       SZAMLASZAM = :szamlaszam,"),
        QStringLiteral("       KAPOCS = :kapocs,"),
        QStringLiteral("       AFAKULCS = :afakulcs,"),
        QStringLiteral("       SOR65 = :sor65"),
        QStringLiteral("      ,DEVIZANEM = :devizanem"),
        QStringLiteral("      ,DEVIZAERTEK = :devizaertek"),
        QStringLiteral("      ,ARFOLYAM = :arfolyam"),
        QStringLiteral(" where SORSZAM = :sorszam"),
        QStringLiteral("   and SZLA = :szla"),
        QStringLiteral("   and ESZLA = :eszla"),
    };
    s.qu_tetelfej = QStringList{
        QStringLiteral("Update TETEL set"),
        QStringLiteral("       KONYVELVE = :konyvelve,"),
        QStringLiteral("       UGYFELKOD = :ugyfelkod,"),
        QStringLiteral("       KTSGHELY = :ktsghely,"),
        QStringLiteral("       BIZONYLAT = :bizonylat,"),
        QStringLiteral("       SZAMLASZAM = :szamlaszam,"),
        QStringLiteral("       SZLAKELT = :szlakelt,"),
        QStringLiteral("       TELJKELT = :teljkelt,"),
        QStringLiteral("       FIZHATIDO = :fizhatido"),
        QStringLiteral("      ,DEVIZANEM = :devizanem"),
        QStringLiteral("      ,ARFOLYAM = :arfolyam"),
        QStringLiteral(" where NTIPUS = :ntipus"),
        QStringLiteral("   and KONYVBIZ = :konyvbiz"),
        QStringLiteral("   and SORSZAM = :sorszam"),
    };

    if (!currencyShown) {
        s.qi_tetel[4].clear();
        s.qi_tetel[10].clear();
        s.qu_tetel[21].clear();
        s.qu_tetel[22].clear();
        s.qu_tetel[23].clear();
        s.qu_tetelfej[9].clear();
        s.qu_tetelfej[10].clear();
    } else if (!rateColumn) {
        s.qi_tetel[4] = QStringLiteral(",DEVIZANEM, DEVIZAERTEK");
        s.qi_tetel[10] = QStringLiteral(",:devizanem, :devizaertek");
        s.qu_tetel[21] = QStringLiteral(",DEVIZANEM = :devizanem");
        s.qu_tetel[22] = QStringLiteral(",DEVIZAERTEK = :devizaertek");
        s.qu_tetel[23].clear();
        s.qu_tetelfej[9] = QStringLiteral(",DEVIZANEM = :devizanem");
        s.qu_tetelfej[10].clear();
    } else {
        s.qi_tetel[4] = QStringLiteral(",DEVIZANEM, DEVIZAERTEK, ARFOLYAM");
        s.qi_tetel[10] = QStringLiteral(",:devizanem, :devizaertek, :arfolyam");
        s.qu_tetel[21] = QStringLiteral(",DEVIZANEM = :devizanem");
        s.qu_tetel[22] = QStringLiteral(",DEVIZAERTEK = :devizaertek");
        s.qu_tetel[23] = QStringLiteral(",ARFOLYAM = :arfolyam");
        s.qu_tetelfej[9] = QStringLiteral(",DEVIZANEM = :devizanem");
        s.qu_tetelfej[10] = QStringLiteral(",ARFOLYAM = :arfolyam");
    }
    return s;
}

const QStringList& GridStatement() {
    static const QStringList sql{
        QStringLiteral("select T.*, S.SZOVEG SZLANEV, E.SZOVEG ESZLANEV"),
        QStringLiteral("  from TETEL T, SZ_TUKOR S, SZ_TUKOR E"),
        QStringLiteral(" where NTIPUS = :ntipus"),
        QStringLiteral("   and KONYVBIZ = :konyvbiz"),
        QStringLiteral("   and SORSZAM = :sorszam"),
        QStringLiteral("   AND S.SZLA=T.SZLA AND E.SZLA=T.ESZLA"),
        QStringLiteral(" order by SORSZAM"),
    };
    return sql;
}

const QStringList& VoucherGridStatement() {
    static const QStringList sql{
        QStringLiteral("select T.*, S.SZOVEG SZLANEV, E.SZOVEG ESZLANEV"),
        QStringLiteral("  from TETEL T, SZ_TUKOR S, SZ_TUKOR E"),
        QStringLiteral(" where NTIPUS = :ntipus"),
        QStringLiteral("   and KONYVBIZ = :konyvbiz"),
        QStringLiteral("   AND S.SZLA=T.SZLA AND E.SZLA=T.ESZLA"),
        QStringLiteral(" order by SORSZAM, TART_KOV"),
    };
    return sql;
}

const QStringList& VatRowStatement() {
    static const QStringList sql{
        QStringLiteral("Select *"),
        QStringLiteral("  from TETEL"),
        QStringLiteral(" where SORSZAM = :sorszam"),
        QStringLiteral("   and KAPOCS = :kapocs"),
        QStringLiteral("   AND TART_KOV = 'A'"),
    };
    return sql;
}

const QStringList& MaxLinkStatement() {
    // Only link numbers made of digits take part; nine digits fit the column.
    static const QStringList sql{
        QStringLiteral("select MAX (case when trim(KAPOCS) similar to '[0-9]+'"),
        QStringLiteral("                 then cast(trim(KAPOCS) as bigint) end) MAXKAPOCS"),
        QStringLiteral("  from TETEL"),
        QStringLiteral(" where NTIPUS = :ntipus"),
        QStringLiteral("   and KONYVBIZ = :konyvbiz"),
    };
    return sql;
}

const QStringList& MaxLinkRangeStatement() {
    static const QStringList sql{
        QStringLiteral("select KONYVBIZ, MAX (case when trim(KAPOCS) similar to '[0-9]+'"),
        QStringLiteral("                 then cast(trim(KAPOCS) as bigint) end) MAXKAPOCS"),
        QStringLiteral("  from TETEL"),
        QStringLiteral(" where NTIPUS = :ntipus"),
        QStringLiteral("   and KONYVBIZ between :elso and :utolso"),
        QStringLiteral(" group by KONYVBIZ"),
    };
    return sql;
}

bool VoucherExists(const QString& ntipus, const QString& konyvbiz) {
    QSqlQuery q = ExecSql(d_tarvedo,
                          QStringLiteral("select first 1 1 from TETEL where NTIPUS = cast(:ntipus as varchar(60)) and "
                                         "KONYVBIZ = cast(:konyvbiz as varchar(60))"),
                          {{QStringLiteral("ntipus"), ntipus}, {QStringLiteral("konyvbiz"), konyvbiz}});
    return NextRow(q);
}
